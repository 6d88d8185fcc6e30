#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"
#include "db/dialect/Typer.h"

namespace db::dialect {

namespace {

bool IsName(const Token &t) {
    return t.kind == TokenKind::Word || t.kind == TokenKind::QuotedIdent || t.kind == TokenKind::TempName;
}

bool IsAliasWord(const Token &t) {
    return t.kind == TokenKind::QuotedIdent || (t.kind == TokenKind::Word && !IsClauseKeyword(t));
}

// The innermost parentheses around index at, or the whole statement.
Range ScopeOf(const Tokens &t, std::size_t at) {
    int depth = 0;
    for (std::size_t i = at; i-- > 0;) {
        if (t[i].IsSymbol(")")) {
            ++depth;
        } else if (t[i].IsSymbol("(")) {
            if (depth == 0) {
                return {i, MatchClose(t, i)};
            }
            --depth;
        }
    }
    return {0, t.size()};
}

// Reads "[schema.]table [AS] [alias]" or "(SELECT ...) [AS] alias" at i; returns the index after it.
std::size_t ReadRef(const Tokens &t, std::size_t i, Range scope, std::vector<TableRef> &out) {
    if (i >= t.size()) {
        return i;
    }
    TableRef r;
    r.scope = scope;
    if (t[i].IsSymbol("(") && i + 1 < t.size() && (t[i + 1].IsWord("SELECT") || t[i + 1].IsWord("WITH"))) {
        std::size_t close = MatchClose(t, i);
        r.derived = {i, close + 1};
        i = close + 1;
    } else if (!IsName(t[i]) || (t[i].kind == TokenKind::Word && IsClauseKeyword(t[i]))) {
        return i;
    } else if (i + 2 < t.size() && t[i + 1].IsSymbol(".") && IsName(t[i + 2])) {
        r.schema = t[i].text;
        r.table = t[i + 2].text;
        i += 3;
    } else {
        r.table = t[i].text;
        i += 1;
    }
    if (!r.IsDerived() && i < t.size() && t[i].IsSymbol("(")) {
        return i; // a function call, not a table
    }
    r.alias = r.table;
    if (i < t.size() && t[i].IsWord("AS")) {
        ++i;
    }
    if (i < t.size() && IsAliasWord(t[i])) {
        r.alias = t[i].text;
        ++i;
    }
    out.push_back(r);
    return i;
}

} // namespace

std::vector<TableRef> CollectTables(const Tokens &t) {
    std::vector<TableRef> out;
    std::string updateTarget;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const Token &k = t[i];
        if (k.IsWord("FROM")) {
            Range scope = ScopeOf(t, i);
            std::size_t j = ReadRef(t, i + 1, scope, out);
            while (j < t.size() && t[j].IsSymbol(",")) {
                j = ReadRef(t, j + 1, scope, out);
            }
        } else if (k.IsWord("JOIN") || k.IsWord("INTO") ||
                   (k.IsWord("TABLE") && i > 0 && t[i - 1].IsWord("CREATE"))) {
            ReadRef(t, i + 1, ScopeOf(t, i), out);
        } else if (k.IsWord("UPDATE") && i == 0) {
            ReadRef(t, i + 1, {0, t.size()}, out);
            if (!out.empty()) {
                updateTarget = out.back().alias;
            }
        }
    }
    // "UPDATE a SET ... FROM T a": the target names an alias of the FROM list, not a table.
    if (!updateTarget.empty() && out.size() > 1) {
        for (std::size_t k = 1; k < out.size(); ++k) {
            if (EqualsNoCase(out[k].alias, updateTarget)) {
                out.erase(out.begin());
                break;
            }
        }
    }
    return out;
}

} // namespace db::dialect
