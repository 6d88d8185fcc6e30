#include "db/Sql.h"

namespace db {

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    return out;
}

std::string Quote(std::string_view text) { return "'" + Escape(text) + "'"; }

std::string Contiene(std::string_view text) {
    std::string literal;
    for (char c : text) {
        if (c == '%' || c == '_' || c == '[') {
            literal += '[';
            literal += c;
            literal += ']';
        } else {
            literal += c;
        }
    }
    return "'%" + Escape(literal) + "%'";
}

} // namespace db

#include "db/dialect/TokenUtil.h"
#include "db/dialect/Tokenizer.h"

namespace db {

bool ReturnsRows(const std::string &sql) {
    auto parts = dialect::SplitStatements(dialect::Tokenize(sql));
    if (parts.empty()) {
        return false;
    }
    const auto &t = parts.back();
    if (t[0].IsWord("WITH")) {
        return true;
    }
    return t[0].IsWord("SELECT") && dialect::FindWordAtDepth0(t, 1, t.size(), "INTO") == std::string::npos;
}

} // namespace db
