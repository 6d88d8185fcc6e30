#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

void MarkLiftable(Tokens &t) {
    if (t.empty()) {
        return;
    }
    const Token &first = t[0];
    bool dml = first.IsWord("SELECT") || first.IsWord("INSERT") || first.IsWord("UPDATE") ||
               first.IsWord("DELETE") || first.IsWord("WITH");
    if (!dml || (first.IsWord("SELECT") && FindWordAtDepth0(t, 1, t.size(), "INTO") != std::string::npos)) {
        return;
    }
    // Numbers in ORDER BY / GROUP BY lists are column positions, and sizes of type names are not values.
    std::vector<bool> positional(1, false);
    // Inside CONVERT(...) the numbers are styles, which decide the translation.
    std::vector<bool> convert(1, false);
    for (std::size_t i = 0; i < t.size(); ++i) {
        Token &tok = t[i];
        if (tok.IsSymbol("(")) {
            positional.push_back(false);
            convert.push_back(i > 0 && t[i - 1].IsWord("CONVERT"));
            continue;
        }
        if (tok.IsSymbol(")")) {
            if (positional.size() > 1) {
                positional.pop_back();
                convert.pop_back();
            }
            continue;
        }
        if (tok.IsWord("BY") && i > 0 && (t[i - 1].IsWord("ORDER") || t[i - 1].IsWord("GROUP"))) {
            positional.back() = true;
            continue;
        }
        if (tok.kind == TokenKind::Word && IsClauseKeyword(tok) && !tok.IsWord("AS")) {
            positional.back() = false;
        }
        if (tok.literal < 0) {
            continue;
        }
        bool lift = !LikeNeedsClasses(t, i);
        if (tok.kind == TokenKind::Number && convert.back()) {
            lift = false;
        }
        if (tok.kind == TokenKind::Number) {
            bool afterListHead = i > 0 && (t[i - 1].IsWord("BY") || t[i - 1].IsSymbol(","));
            if (positional.back() && afterListHead) {
                lift = false;
            }
            if (i >= 2 && (t[i - 1].IsSymbol("(") || t[i - 1].IsSymbol(",")) && t[i - 2].kind == TokenKind::Word) {
                static const char *types[] = {"VARCHAR", "NVARCHAR", "CHAR", "NCHAR", "DECIMAL", "NUMERIC"};
                for (const char *ty : types) {
                    if (t[i - 2].IsWord(ty)) {
                        lift = false;
                    }
                }
            }
            if (i >= 4 && t[i - 1].IsSymbol(",") && t[i - 2].kind == TokenKind::Number && t[i - 3].IsSymbol("(")) {
                static const char *types[] = {"DECIMAL", "NUMERIC"};
                for (const char *ty : types) {
                    if (t[i - 4].IsWord(ty)) {
                        lift = false;
                    }
                }
            }
        }
        tok.liftable = lift;
    }
}

std::string ShapeKey(const Tokens &t) {
    std::string key;
    key.reserve(t.size() * 8);
    for (const auto &tok : t) {
        key += static_cast<char>('A' + static_cast<int>(tok.kind));
        if (!tok.liftable) {
            key += std::to_string(tok.text.size());
            key += ':';
            key += tok.text;
        }
        key += '\x1f';
    }
    return key;
}

} // namespace db::dialect
