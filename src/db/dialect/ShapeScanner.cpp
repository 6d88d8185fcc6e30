#include "db/dialect/ShapeScanner.h"

#include <cctype>
#include <cstring>

namespace db::dialect {

namespace {

// Character classes by table: this runs on every statement the module executes.
struct Classes {
    bool start[256] = {};
    bool ident[256] = {};
    Classes() {
        for (int c = 0; c < 256; ++c) {
            bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
            start[c] = alpha;
            ident[c] = alpha || (c >= '0' && c <= '9') || c == '$';
        }
    }
};
const Classes kClasses;

bool IsIdentStart(unsigned char c) { return kClasses.start[c]; }
bool IsIdentChar(unsigned char c) { return kClasses.ident[c]; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

// The text before the first literal of the last statement scanned on this thread, and its key: a
// statement run again and again (an entry line, an import line) differs only after that point, so
// its long column lists are compared at once instead of scanned character by character.
struct Prefijo {
    std::string texto;
    std::string clave;
};
thread_local Prefijo tPrefijo;

bool ScanShape(std::string_view sql, std::string &key, std::vector<Literal> &literals) {
    key.clear();
    literals.clear();
    key.reserve(sql.size());
    const std::size_t n = sql.size();
    std::size_t i = 0;
    Prefijo &prefijo = tPrefijo;
    if (!prefijo.texto.empty() && n > prefijo.texto.size() &&
        std::memcmp(sql.data(), prefijo.texto.data(), prefijo.texto.size()) == 0) {
        key = prefijo.clave;
        i = prefijo.texto.size();
    }
    bool anotado = i > 0;
    // Notes the prefix when the first literal starts at `at`, the scanner then between tokens.
    auto anotar = [&](std::size_t at) {
        if (!anotado) {
            anotado = true;
            // Only after a character that ends a token whatever follows it: never inside a word,
            // nor after a '-' or '/' that the next character could turn into a comment.
            const char antes = at > 0 ? sql[at - 1] : '\0';
            if (at >= 32 && (antes == ' ' || antes == '(' || antes == ',' || antes == '=')) {
                prefijo.texto.assign(sql.data(), at);
                prefijo.clave = key;
            }
        }
    };
    auto space = [&] {
        if (!key.empty() && key.back() != ' ') {
            key += ' ';
        }
    };
    while (i < n) {
        char c = sql[i];
        unsigned char uc = static_cast<unsigned char>(c);
        if (std::isspace(uc)) {
            space();
            ++i;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            while (i < n && sql[i] != '\n') {
                ++i;
            }
            space();
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            std::size_t end = sql.find("*/", i + 2);
            if (end == std::string_view::npos) {
                return false;
            }
            i = end + 2;
            space();
        } else if (c == '\'' || ((c == 'N' || c == 'n') && i + 1 < n && sql[i + 1] == '\'')) {
            anotar(i);
            std::size_t j = c == '\'' ? i + 1 : i + 2;
            Literal lit;
            for (;;) {
                std::size_t q = sql.find('\'', j);
                if (q == std::string_view::npos) {
                    return false;
                }
                lit.text.append(sql.data() + j, q - j);
                if (q + 1 < n && sql[q + 1] == '\'') {
                    lit.text += '\'';
                    j = q + 2;
                    continue;
                }
                j = q + 1;
                break;
            }
            key += '\x01';
            literals.push_back(std::move(lit));
            i = j;
        } else if (c == '[' || c == '"') {
            char close = c == '[' ? ']' : '"';
            std::size_t j = i + 1;
            for (;;) {
                if (j >= n) {
                    return false;
                }
                if (sql[j] == close) {
                    if (j + 1 < n && sql[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            key.append(sql.substr(i, j - i));
            i = j;
        } else if (c == '#' || c == '@') {
            std::size_t j = i;
            while (j < n && sql[j] == c) {
                ++j;
            }
            while (j < n && IsIdentChar(static_cast<unsigned char>(sql[j]))) {
                ++j;
            }
            key.append(sql.substr(i, j - i));
            i = j;
        } else if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(sql[i + 1]))) {
            anotar(i);
            std::size_t j = i;
            while (j < n && IsDigit(sql[j])) {
                ++j;
            }
            if (j < n && sql[j] == '.') {
                ++j;
                while (j < n && IsDigit(sql[j])) {
                    ++j;
                }
            }
            if (j < n && (sql[j] == 'e' || sql[j] == 'E')) {
                std::size_t k = j + 1;
                if (k < n && (sql[k] == '+' || sql[k] == '-')) {
                    ++k;
                }
                if (k < n && IsDigit(sql[k])) {
                    j = k;
                    while (j < n && IsDigit(sql[j])) {
                        ++j;
                    }
                }
            }
            key += '\x02';
            literals.push_back({true, std::string(sql.substr(i, j - i))});
            i = j;
        } else if (IsIdentStart(uc)) {
            std::size_t j = i;
            while (j < n && IsIdentChar(static_cast<unsigned char>(sql[j]))) {
                ++j;
            }
            key.append(sql.substr(i, j - i));
            i = j;
        } else if (c == ';') {
            return false;
        } else {
            key += c;
            ++i;
        }
    }
    return true;
}

} // namespace db::dialect
