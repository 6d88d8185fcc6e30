#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

bool IsName(const Token &t) {
    return t.kind == TokenKind::Word || t.kind == TokenKind::QuotedIdent || t.kind == TokenKind::TempName;
}

// Reads "[schema.]table [AS] [alias]" at i; returns the index after it.
std::size_t ReadRef(const Tokens &t, std::size_t i, std::vector<TableRef> &out) {
    if (i >= t.size() || !IsName(t[i]) || (t[i].kind == TokenKind::Word && IsClauseKeyword(t[i]))) {
        return i;
    }
    TableRef r;
    if (i + 2 < t.size() && t[i + 1].IsSymbol(".") && IsName(t[i + 2])) {
        r.schema = t[i].text;
        r.table = t[i + 2].text;
        i += 3;
    } else {
        r.table = t[i].text;
        i += 1;
    }
    if (i < t.size() && t[i].IsSymbol("(")) {
        return i; // a function call, not a table
    }
    r.alias = r.table;
    if (i < t.size() && t[i].IsWord("AS")) {
        ++i;
    }
    if (i < t.size() && (t[i].kind == TokenKind::QuotedIdent ||
                         (t[i].kind == TokenKind::Word && !IsClauseKeyword(t[i])))) {
        r.alias = t[i].text;
        ++i;
    }
    out.push_back(r);
    return i;
}

} // namespace

std::vector<TableRef> CollectTables(const Tokens &t) {
    std::vector<TableRef> out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const Token &k = t[i];
        if (k.IsWord("FROM")) {
            std::size_t j = ReadRef(t, i + 1, out);
            while (j < t.size() && t[j].IsSymbol(",")) {
                j = ReadRef(t, j + 1, out);
            }
        } else if (k.IsWord("JOIN") || k.IsWord("INTO") || (k.IsWord("UPDATE") && i == 0) ||
                   (k.IsWord("TABLE") && i > 0 && t[i - 1].IsWord("CREATE"))) {
            ReadRef(t, i + 1, out);
        }
    }
    return out;
}

ColType ColumnRefType(const Tokens &t, std::size_t last, const std::vector<TableRef> &tables, Catalog &catalog,
                      std::size_t *first) {
    if (last >= t.size()) {
        return ColType::Unknown;
    }
    const Token &col = t[last];
    if (col.kind != TokenKind::Word && col.kind != TokenKind::QuotedIdent) {
        return ColType::Unknown;
    }
    if (col.kind == TokenKind::Word && IsClauseKeyword(col)) {
        return ColType::Unknown;
    }
    if (last + 1 < t.size() && t[last + 1].IsSymbol("(")) {
        return ColType::Unknown;
    }
    if (first) {
        *first = last;
    }
    if (last >= 2 && t[last - 1].IsSymbol(".")) {
        const std::string &q = t[last - 2].text;
        if (first) {
            *first = last - 2;
        }
        for (const auto &r : tables) {
            if (EqualsNoCase(r.alias, q)) {
                return catalog.TypeOf(r.schema, r.table, col.text);
            }
        }
        for (const auto &r : tables) {
            if (EqualsNoCase(r.table, q)) {
                return catalog.TypeOf(r.schema, r.table, col.text);
            }
        }
        return ColType::Unknown;
    }
    for (const auto &r : tables) {
        ColType ct = catalog.TypeOf(r.schema, r.table, col.text);
        if (ct != ColType::Unknown) {
            return ct;
        }
    }
    return ColType::Unknown;
}

} // namespace db::dialect
