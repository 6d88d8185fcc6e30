#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

bool IsSetOperator(const Token &k) { return k.IsWord("UNION") || k.IsWord("EXCEPT") || k.IsWord("INTERSECT"); }

} // namespace

// ORDER BY a text sorts as a Spanish reader expects, where the database offers such a collation.
void RewriteOrderBy(Tokens &t, Typer &typer, Edits &edits) {
    const std::string collation = typer.Cat().SortCollation();
    if (collation.empty()) {
        return;
    }
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (!t[i].IsWord("ORDER") || !t[i + 1].IsWord("BY")) {
            continue;
        }
        // The scope of this ORDER BY: its parentheses or the statement.
        std::size_t open = std::string::npos;
        int depth = 0;
        for (std::size_t k = i; k-- > 0;) {
            if (t[k].IsSymbol(")")) {
                ++depth;
            } else if (t[k].IsSymbol("(")) {
                if (depth == 0) {
                    open = k;
                    break;
                }
                --depth;
            }
        }
        std::size_t from = open == std::string::npos ? 0 : open + 1;
        std::size_t to = open == std::string::npos ? t.size() : MatchClose(t, open);
        bool compound = false;
        std::size_t select = std::string::npos;
        depth = 0;
        for (std::size_t k = from; k < to; ++k) {
            if (t[k].IsSymbol("(")) {
                ++depth;
            } else if (t[k].IsSymbol(")")) {
                --depth;
            } else if (depth == 0) {
                compound |= IsSetOperator(t[k]);
                if (select == std::string::npos && t[k].IsWord("SELECT")) {
                    select = k;
                }
            }
        }
        if (compound || select == std::string::npos) {
            continue; // a compound sorts by its result columns only
        }
        std::vector<Typer::Item> selectItems;
        bool itemsRead = false;
        std::size_t b = i + 2;
        depth = 0;
        for (std::size_t k = b; k <= to; ++k) {
            bool stop = k == to || (depth == 0 && (t[k].IsWord("LIMIT") || t[k].IsWord("OPTION") ||
                                                   t[k].IsWord("FOR") || t[k].IsSymbol(";")));
            if (k < to && t[k].IsSymbol("(")) {
                ++depth;
            } else if (k < to && t[k].IsSymbol(")")) {
                --depth;
            }
            if (!stop && !(depth == 0 && t[k].IsSymbol(","))) {
                continue;
            }
            std::size_t e = k;
            if (e > b && (t[e - 1].IsWord("ASC") || t[e - 1].IsWord("DESC"))) {
                --e;
            }
            Range item{b, e};
            ColType ct = ColType::Unknown;
            if (e > b && !(e == b + 1 && t[b].kind == TokenKind::Number)) {
                ct = typer.Expr(item);
                if (ct == ColType::Unknown && e == b + 1) {
                    if (!itemsRead) {
                        selectItems = typer.SelectItems(select);
                        itemsRead = true;
                    }
                    for (const auto &si : selectItems) {
                        if (EqualsNoCase(si.name, t[b].text)) {
                            ct = typer.Expr(si.expr);
                        }
                    }
                }
            }
            if (ct == ColType::Text) {
                if (typer.PrimaryEnd(b) != e) {
                    edits.Wrap(item, "(", ")");
                }
                edits.Insert(e, "COLLATE " + collation);
            }
            if (stop) {
                break;
            }
            b = k + 1;
        }
    }
}

} // namespace db::dialect
