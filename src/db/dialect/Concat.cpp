#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

// SQL Server's + joins texts; SQLite needs ||. Decided from the operands' types: the whole left
// side (a + b + c groups to the left) and the term on the right.
void RewriteConcatenation(Tokens &t, Typer &typer) {
    for (std::size_t i = 1; i + 1 < t.size(); ++i) {
        if (!t[i].IsSymbol("+")) {
            continue;
        }
        std::size_t ls = typer.OperandStart(i);
        if (ls == i || (ls + 1 == i && (t[ls].IsSymbol("-") || t[ls].IsSymbol("+")))) {
            continue; // a sign, not an operator
        }
        std::size_t rs = i + 1;
        while (rs < t.size() && (t[rs].IsSymbol("-") || t[rs].IsSymbol("+"))) {
            ++rs;
        }
        ColType l = typer.Expr({ls, i}), r = typer.Expr({rs, typer.PrimaryEnd(rs)});
        auto textish = [](ColType c) { return c == ColType::Text || c == ColType::Unknown; };
        if ((l == ColType::Text || r == ColType::Text) && textish(l) && textish(r)) {
            t[i].text = "||";
        }
    }
}

} // namespace db::dialect
