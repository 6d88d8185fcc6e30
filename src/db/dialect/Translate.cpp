#include "db/dialect/Rewriter.h"

namespace db::dialect {

Translation Translate(Tokens t, Catalog &catalog) {
    RewriteNames(t, catalog);
    std::string intoColumns;
    bool clearsIdentity = false;
    {
        Typer typer(t, catalog);
        Edits edits;
        MarkDateArguments(t, typer);
        RewriteStores(t, typer, edits);
        RewriteComparisons(t, typer, edits);
        RewriteConcatenation(t, typer);
        RewriteLikeClasses(t, typer, edits);
        RewriteOrderBy(t, typer, edits);
        intoColumns = SelectIntoColumns(t, typer);
        if (t.size() > 2 && t[0].IsWord("INSERT")) {
            std::size_t i = t[1].IsWord("INTO") ? 2 : 1;
            std::string schema, table = t[i].text;
            if (i + 2 < t.size() && t[i + 1].IsSymbol(".")) {
                schema = t[i].text;
                table = t[i + 2].text;
            }
            clearsIdentity = !catalog.HasIdentity(schema, table);
        }
        edits.Apply(t);
    }
    RewriteFunctions(t, catalog);
    RewriteTop(t);
    Translation tr = RewriteStatement(std::move(t), intoColumns);
    tr.clearsIdentity = clearsIdentity;
    return tr;
}

} // namespace db::dialect
