#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

// Text literals that SQL Server converts to dates because of where they stand: the other branches
// of an ISNULL, COALESCE or CASE that yields a date, and the date arguments of the date functions.
void MarkDateArguments(Tokens &t, Typer &typer) {
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        const Token &k = t[i];
        if (k.IsWord("CASE")) {
            std::size_t end = typer.PrimaryEnd(i);
            if (typer.Expr({i, end}) != ColType::Date) {
                continue;
            }
            for (std::size_t j = i + 1; j + 1 < end; ++j) {
                if (t[j].IsWord("THEN") || t[j].IsWord("ELSE")) {
                    std::size_t e = j + 1;
                    while (e < end && !t[e].IsWord("WHEN") && !t[e].IsWord("ELSE") && !t[e].IsWord("END")) {
                        e = typer.PrimaryEnd(e) > e ? typer.PrimaryEnd(e) : e + 1;
                    }
                    MarkDate(t, {j + 1, e});
                }
            }
            continue;
        }
        if (k.kind != TokenKind::Word || !t[i + 1].IsSymbol("(")) {
            continue;
        }
        std::size_t close = MatchClose(t, i + 1);
        auto args = SplitArgs(t, i + 1, close);
        if (k.IsWord("ISNULL") || k.IsWord("COALESCE") || k.IsWord("NULLIF") || k.IsWord("IFNULL")) {
            if (typer.Expr({i, close + 1}) == ColType::Date) {
                for (Range a : args) {
                    MarkDate(t, a);
                }
            }
        } else if (k.IsWord("DATEADD") && args.size() == 3) {
            MarkDate(t, args[2]);
        } else if (k.IsWord("DATEDIFF") && args.size() == 3) {
            MarkDate(t, args[1]);
            MarkDate(t, args[2]);
        } else if ((k.IsWord("CONVERT") && args.size() >= 2 && ColTypeFromDecl(t[args[0].first].text) == ColType::Date)) {
            MarkDate(t, args[1]);
        } else if (k.IsWord("YEAR") || k.IsWord("MONTH") || k.IsWord("DAY")) {
            if (args.size() == 1) {
                MarkDate(t, args[0]);
            }
        }
    }
}

} // namespace db::dialect
