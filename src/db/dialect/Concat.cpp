#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

bool IsTextFunction(const Token &f) {
    static const char *fs[] = {"RTRIM", "LTRIM", "LEFT", "RIGHT", "REPLACE", "SUBSTRING", "UPPER", "LOWER",
                               "STR", "SPACE", "REPLICATE", "CHAR", "NCHAR", "TRIM"};
    for (const char *n : fs) {
        if (f.IsWord(n)) {
            return true;
        }
    }
    return false;
}

bool IsTextTypeName(const Token &w) {
    static const char *ts[] = {"VARCHAR", "NVARCHAR", "CHAR", "NCHAR", "TEXT", "NTEXT"};
    for (const char *n : ts) {
        if (w.IsWord(n)) {
            return true;
        }
    }
    return false;
}

class Typer {
  public:
    Typer(const Tokens &t, Catalog &c) : t_(t), c_(c), tables_(CollectTables(t)) {}

    // Type of the function call or parenthesised expression whose parentheses are open..close.
    ColType Paren(std::size_t open, std::size_t close) {
        if (open > 0 && t_[open - 1].kind == TokenKind::Word) {
            const Token &f = t_[open - 1];
            if (IsTextFunction(f)) {
                return ColType::Text;
            }
            if (f.IsWord("ISNULL") || f.IsWord("IFNULL") || f.IsWord("COALESCE")) {
                auto args = SplitArgs(t_, open, close);
                for (auto r : args) {
                    ColType ct = Range(r);
                    if (ct != ColType::Unknown) {
                        return ct;
                    }
                }
                return ColType::Unknown;
            }
            if (f.IsWord("CAST") || f.IsWord("CONVERT")) {
                for (std::size_t k = open + 1; k < close; ++k) {
                    if (IsTextTypeName(t_[k])) {
                        return ColType::Text;
                    }
                }
                return ColType::Number;
            }
            if (!IsClauseKeyword(f)) {
                return ColType::Number; // aggregates and the database's amount functions
            }
        }
        for (std::size_t k = open + 1; k < close; ++k) {
            if (t_[k].IsSymbol("||")) {
                return ColType::Text;
            }
        }
        return ColType::Unknown;
    }

    ColType Range(Range r) {
        if (r.second == r.first + 1) {
            return Single(r.first);
        }
        if (r.second > r.first && t_[r.second - 1].IsSymbol(")")) {
            std::size_t open = MatchOpen(t_, r.second - 1);
            if (open >= r.first && (open == r.first || open == r.first + 1)) {
                return Paren(open, r.second - 1);
            }
        }
        if (r.second == r.first + 3 && t_[r.first + 1].IsSymbol(".")) {
            return ColumnRefType(t_, r.first + 2, tables_, c_);
        }
        return ColType::Unknown;
    }

    ColType Single(std::size_t k) {
        if (t_[k].kind == TokenKind::String) {
            return ColType::Text;
        }
        if (t_[k].kind == TokenKind::Number) {
            return ColType::Number;
        }
        return ColumnRefType(t_, k, tables_, c_);
    }

    // Operand ending just before the operator at i.
    ColType Left(std::size_t i) {
        std::size_t e = i - 1;
        std::size_t start = e;
        ColType ct;
        if (t_[e].IsSymbol(")")) {
            std::size_t open = MatchOpen(t_, e);
            ct = Paren(open, e);
            start = (open > 0 && t_[open - 1].kind == TokenKind::Word && !IsClauseKeyword(t_[open - 1])) ? open - 1
                                                                                                          : open;
        } else if (t_[e].kind == TokenKind::String || t_[e].kind == TokenKind::Number) {
            ct = Single(e);
        } else {
            ct = ColumnRefType(t_, e, tables_, c_, &start);
        }
        if (start > 0 && t_[start - 1].IsSymbol("||")) {
            return ColType::Text;
        }
        return ct;
    }

    ColType Right(std::size_t i) {
        std::size_t b = i + 1;
        if (b >= t_.size()) {
            return ColType::Unknown;
        }
        if (t_[b].kind == TokenKind::String || t_[b].kind == TokenKind::Number) {
            return Single(b);
        }
        if (t_[b].IsSymbol("(")) {
            return Paren(b, MatchClose(t_, b));
        }
        if (b + 1 < t_.size() && t_[b + 1].IsSymbol("(")) {
            return Paren(b + 1, MatchClose(t_, b + 1));
        }
        if (b + 2 < t_.size() && t_[b + 1].IsSymbol(".")) {
            return ColumnRefType(t_, b + 2, tables_, c_);
        }
        return Single(b);
    }

  private:
    const Tokens &t_;
    Catalog &c_;
    std::vector<TableRef> tables_;
};

} // namespace

// SQL Server's + joins texts; SQLite needs ||. Decided from the operands' types.
void RewriteConcatenation(Tokens &t, Catalog &catalog) {
    bool any = false;
    for (const auto &tok : t) {
        if (tok.IsSymbol("+")) {
            any = true;
            break;
        }
    }
    if (!any) {
        return;
    }
    Typer typer(t, catalog);
    for (std::size_t i = 1; i + 1 < t.size(); ++i) {
        if (!t[i].IsSymbol("+")) {
            continue;
        }
        const Token &prev = t[i - 1];
        bool binary = prev.IsSymbol(")") || prev.kind == TokenKind::String || prev.kind == TokenKind::Number ||
                      prev.kind == TokenKind::QuotedIdent || prev.kind == TokenKind::Variable ||
                      (prev.kind == TokenKind::Word && !IsClauseKeyword(prev));
        if (!binary) {
            continue;
        }
        ColType l = typer.Left(i), r = typer.Right(i);
        if ((l == ColType::Text || r == ColType::Text) && l != ColType::Number && r != ColType::Number) {
            t[i].text = "||";
        }
    }
}

} // namespace db::dialect
