#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

bool Textual(ColType a, ColType b) {
    auto other = [](ColType c) { return c == ColType::Text || c == ColType::Unknown; };
    return other(a) && other(b) && (a == ColType::Text || b == ColType::Text);
}

// Equal signs of an UPDATE's SET list assign; they do not compare.
std::vector<bool> Assignments(const Tokens &t) {
    std::vector<bool> out(t.size(), false);
    if (t.empty() || !t[0].IsWord("UPDATE")) {
        return out;
    }
    std::size_t set = FindWordAtDepth0(t, 1, t.size(), "SET");
    if (set == std::string::npos) {
        return out;
    }
    int depth = 0;
    bool head = true; // at the start of an assignment
    for (std::size_t i = set + 1; i < t.size(); ++i) {
        if (t[i].IsSymbol("(")) {
            ++depth;
        } else if (t[i].IsSymbol(")")) {
            --depth;
        } else if (depth == 0) {
            if (t[i].IsWord("FROM") || t[i].IsWord("WHERE")) {
                break;
            }
            if (t[i].IsSymbol(",")) {
                head = true;
            } else if (head && t[i].IsSymbol("=")) {
                out[i] = true;
                head = false;
            }
        }
    }
    return out;
}

} // namespace

void MarkDate(Tokens &t, Range r) {
    if (r.second == r.first + 1 && t[r.first].kind == TokenKind::String) {
        t[r.first].dateContext = true;
    } else if (r.second == r.first + 3 && t[r.first].IsSymbol("(") && t[r.first + 1].kind == TokenKind::String) {
        t[r.first + 1].dateContext = true;
    }
}

void AddNoCase(const Tokens &t, Typer &typer, Range r, Edits &edits) {
    if (r.second <= r.first) {
        return;
    }
    if (r.second >= r.first + 2 && t[r.second - 2].IsWord("COLLATE")) {
        return;
    }
    if (typer.PrimaryEnd(r.first) != r.second) {
        edits.Wrap(r, "(", ")");
    }
    edits.Insert(r.second, "COLLATE NOCASE");
}

// Where a comparison meets a date, a text literal on the other side is a date; where it meets
// texts, it ignores letter case whatever the operands are; amounts are compared to the ten-thousandth.
void RewriteComparisons(Tokens &t, Typer &typer, Edits &edits) {
    std::vector<bool> assigns = Assignments(t);
    for (std::size_t i = 1; i < t.size(); ++i) {
        const Token &k = t[i];
        if (Typer::IsComparison(k)) {
            if (assigns[i]) {
                continue;
            }
            Range l{typer.OperandStart(i), i}, r{i + 1, typer.OperandEnd(i)};
            ColType lt = typer.Expr(l), rt = typer.Expr(r);
            if (lt == ColType::Date) {
                MarkDate(t, r);
            }
            if (rt == ColType::Date) {
                MarkDate(t, l);
            }
            if (Textual(lt, rt)) {
                AddNoCase(t, typer, r, edits);
            } else if ((lt == ColType::Money || rt == ColType::Money) && IsNumeric(lt) && IsNumeric(rt)) {
                for (Range side : {l, r}) {
                    if (typer.PrimaryEnd(side.first) != side.second) {
                        edits.Wrap(side, "round((", "), 4)");
                    }
                }
            }
        } else if (k.IsWord("BETWEEN")) {
            std::size_t head = i >= 1 && t[i - 1].IsWord("NOT") ? i - 1 : i;
            Range x{typer.OperandStart(head), head};
            Range a{i + 1, typer.OperandEnd(i)};
            if (a.second >= t.size() || !t[a.second].IsWord("AND")) {
                continue;
            }
            Range b{a.second + 1, typer.OperandEnd(a.second)};
            ColType xt = typer.Expr(x), at = typer.Expr(a), bt = typer.Expr(b);
            if (xt == ColType::Date || at == ColType::Date || bt == ColType::Date) {
                MarkDate(t, x);
                MarkDate(t, a);
                MarkDate(t, b);
            } else if (Textual(xt, at) || Textual(xt, bt)) {
                AddNoCase(t, typer, x, edits);
            }
        } else if (k.IsWord("IN") && i + 1 < t.size() && t[i + 1].IsSymbol("(")) {
            std::size_t head = t[i - 1].IsWord("NOT") ? i - 1 : i;
            Range x{typer.OperandStart(head), head};
            ColType xt = typer.Expr(x);
            std::size_t close = MatchClose(t, i + 1);
            bool subquery = i + 2 < t.size() && t[i + 2].IsWord("SELECT");
            if (xt == ColType::Date && !subquery) {
                for (Range item : SplitArgs(t, i + 1, close)) {
                    MarkDate(t, item);
                }
            } else if (xt == ColType::Text) {
                AddNoCase(t, typer, x, edits);
            } else if (xt == ColType::Unknown && !subquery) {
                bool texts = false;
                for (Range item : SplitArgs(t, i + 1, close)) {
                    texts |= typer.Expr(item) == ColType::Text;
                }
                if (texts) {
                    AddNoCase(t, typer, x, edits);
                }
            }
        }
    }
}

} // namespace db::dialect
