#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {
bool IsName(const Token &t) { return t.kind == TokenKind::Word || t.kind == TokenKind::QuotedIdent; }
// dbo or [dbo].
bool IsDbo(const Token &t) {
    return (t.kind == TokenKind::Word || t.kind == TokenKind::QuotedIdent) && EqualsNoCase(t.text, "dbo");
}
} // namespace

// Database.dbo.Table becomes schema.Table (or Table for the connection's own database); dbo.X becomes X.
void RewriteNames(Tokens &t, Catalog &catalog) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!IsName(t[i]) || (i > 0 && t[i - 1].IsSymbol("."))) {
            continue;
        }
        bool threePart = i + 3 < t.size() && t[i + 1].IsSymbol(".") &&
                         ((IsDbo(t[i + 2]) && t[i + 3].IsSymbol(".")) || t[i + 2].IsSymbol("."));
        if (threePart) {
            std::size_t nameAt = t[i + 2].IsSymbol(".") ? i + 3 : i + 4;
            if (nameAt >= t.size() || !IsName(t[nameAt])) {
                Unsupported(t, i, "Nombre de tabla incompleto");
            }
            if (nameAt + 1 < t.size() && t[nameAt + 1].IsSymbol(".") && nameAt + 2 < t.size() &&
                IsName(t[nameAt + 2]) && !(nameAt + 3 < t.size() && t[nameAt + 3].IsSymbol("("))) {
                // db.dbo.T.col is fine; server.db.dbo.T is not ours to reach.
                if (nameAt + 3 < t.size() && t[nameAt + 3].IsSymbol(".")) {
                    Unsupported(t, i, "Nombres de cuatro partes no admitidos");
                }
            }
            std::string schema = catalog.SchemaFor(t[i].text);
            bool space = t[i].spaceBefore;
            if (schema.empty()) {
                t.erase(t.begin() + i, t.begin() + nameAt);
                t[i].spaceBefore = space;
            } else {
                Token s;
                s.kind = TokenKind::QuotedIdent;
                s.text = schema;
                s.spaceBefore = space;
                t[i] = s;
                t.erase(t.begin() + i + 2, t.begin() + nameAt);
            }
            continue;
        }
        if (IsDbo(t[i]) && i + 2 < t.size() && t[i + 1].IsSymbol(".") && IsName(t[i + 2])) {
            bool space = t[i].spaceBefore;
            t.erase(t.begin() + i, t.begin() + i + 2);
            t[i].spaceBefore = space;
        }
    }
}

} // namespace db::dialect
