#include "db/dialect/TokenUtil.h"

#include "db/DbError.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

std::size_t MatchClose(const Tokens &t, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < t.size(); ++i) {
        if (t[i].IsSymbol("(")) {
            ++depth;
        } else if (t[i].IsSymbol(")")) {
            if (--depth == 0) {
                return i;
            }
        }
    }
    Unsupported(t, open, "Paréntesis sin cerrar");
}

std::size_t MatchOpen(const Tokens &t, std::size_t close) {
    int depth = 0;
    for (std::size_t i = close + 1; i-- > 0;) {
        if (t[i].IsSymbol(")")) {
            ++depth;
        } else if (t[i].IsSymbol("(")) {
            if (--depth == 0) {
                return i;
            }
        }
    }
    Unsupported(t, close, "Paréntesis sin abrir");
}

std::vector<Range> SplitArgs(const Tokens &t, std::size_t open, std::size_t close) {
    std::vector<Range> out;
    std::size_t start = open + 1;
    int depth = 0;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (t[i].IsSymbol("(")) {
            ++depth;
        } else if (t[i].IsSymbol(")")) {
            --depth;
        } else if (depth == 0 && t[i].IsSymbol(",")) {
            out.emplace_back(start, i);
            start = i + 1;
        }
    }
    if (start < close || !out.empty()) {
        out.emplace_back(start, close);
    }
    return out;
}

Tokens Slice(const Tokens &t, Range r) { return Tokens(t.begin() + r.first, t.begin() + r.second); }

void Splice(Tokens &t, std::size_t first, std::size_t last, Tokens with) {
    t.erase(t.begin() + first, t.begin() + last);
    t.insert(t.begin() + first, std::make_move_iterator(with.begin()), std::make_move_iterator(with.end()));
}

std::size_t FindWordAtDepth0(const Tokens &t, std::size_t from, std::size_t to, const char *w) {
    int depth = 0;
    for (std::size_t i = from; i < to && i < t.size(); ++i) {
        if (t[i].IsSymbol("(")) {
            ++depth;
        } else if (t[i].IsSymbol(")")) {
            if (--depth < 0) {
                return std::string::npos;
            }
        } else if (depth == 0 && t[i].IsWord(w)) {
            return i;
        }
    }
    return std::string::npos;
}

Tokens Generated(const std::string &sql) {
    Tokens out = Tokenize(sql);
    for (auto &tok : out) {
        tok.literal = -1;
        tok.spaceBefore = true;
    }
    return out;
}

bool IsClauseKeyword(const Token &t) {
    static const char *kw[] = {"WHERE", "INNER", "LEFT", "RIGHT", "FULL", "JOIN", "ON", "GROUP", "ORDER",
                               "SET", "UNION", "VALUES", "SELECT", "CROSS", "OUTER", "HAVING", "WITH",
                               "AS", "LIMIT", "FROM", "AND", "OR", "EXCEPT", "INTERSECT", "INTO", "NOT",
                               "EXISTS", "IN", "IS", "NULL", "BETWEEN", "LIKE", "CASE", "WHEN", "THEN",
                               "ELSE", "END", "DEFAULT", "PRIMARY", "OPTION"};
    if (t.kind != TokenKind::Word) {
        return false;
    }
    for (const char *k : kw) {
        if (t.IsWord(k)) {
            return true;
        }
    }
    return false;
}

void Unsupported(const Tokens &t, std::size_t at, const std::string &what) {
    std::size_t pos = at < t.size() ? t[at].pos : (t.empty() ? 0 : t.back().pos);
    throw DbError(what + " (posición " + std::to_string(pos + 1) + ")");
}

} // namespace db::dialect
