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

} // namespace db
