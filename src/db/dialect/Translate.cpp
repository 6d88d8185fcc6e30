#include "db/dialect/Rewriter.h"

namespace db::dialect {

Translation Translate(Tokens t, Catalog &catalog) {
    RewriteNames(t, catalog);
    MarkDateLiterals(t, catalog);
    RewriteConcatenation(t, catalog);
    RewriteFunctions(t, catalog);
    RewriteTop(t);
    return RewriteStatement(std::move(t));
}

} // namespace db::dialect
