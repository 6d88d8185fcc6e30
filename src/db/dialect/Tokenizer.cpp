#include "db/dialect/Tokenizer.h"

#include "db/DbError.h"

#include <cctype>

namespace db::dialect {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    // ASCII folding, as the catalog's names are ASCII; it runs on every field looked up by name.
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            if (x >= 'a' && x <= 'z') {
                x = static_cast<unsigned char>(x - 32);
            }
            if (y >= 'a' && y <= 'z') {
                y = static_cast<unsigned char>(y - 32);
            }
            if (x != y) {
                return false;
            }
        }
    }
    return true;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char &c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool Token::IsWord(const char *w) const { return kind == TokenKind::Word && EqualsNoCase(text, w); }

Token MakeWord(std::string text, bool space) {
    Token t;
    t.kind = TokenKind::Word;
    t.text = std::move(text);
    t.spaceBefore = space;
    return t;
}

Token MakeSymbol(std::string text, bool space) {
    Token t;
    t.kind = TokenKind::Symbol;
    t.text = std::move(text);
    t.spaceBefore = space;
    return t;
}

namespace {

bool IsIdentStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsIdentChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; }

[[noreturn]] void Fail(std::string_view sql, std::size_t pos, const std::string &what) {
    throw DbError(what + " (posición " + std::to_string(pos + 1) + ")", std::string(sql));
}

} // namespace

std::vector<Token> Tokenize(std::string_view sql) {
    std::vector<Token> out;
    out.reserve(sql.size() / 4);
    std::size_t i = 0;
    const std::size_t n = sql.size();
    bool space = false;
    int literals = 0;
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(sql[i]);
        if (std::isspace(c)) {
            space = true;
            ++i;
            continue;
        }
        if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            while (i < n && sql[i] != '\n') {
                ++i;
            }
            space = true;
            continue;
        }
        if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            std::size_t end = sql.find("*/", i + 2);
            if (end == std::string_view::npos) {
                Fail(sql, i, "Comentario sin cerrar");
            }
            i = end + 2;
            space = true;
            continue;
        }
        Token t;
        t.pos = i;
        t.spaceBefore = space;
        space = false;
        if (c == '\'' || ((c == 'N' || c == 'n') && i + 1 < n && sql[i + 1] == '\'')) {
            std::size_t j = (c == '\'') ? i + 1 : i + 2;
            std::string value;
            for (;;) {
                if (j >= n) {
                    Fail(sql, i, "Texto sin cerrar");
                }
                if (sql[j] == '\'') {
                    if (j + 1 < n && sql[j + 1] == '\'') {
                        value += '\'';
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += sql[j++];
            }
            t.kind = TokenKind::String;
            t.text = std::move(value);
            t.literal = literals++;
            i = j;
        } else if (c == '[') {
            std::size_t j = i + 1;
            std::string name;
            for (;;) {
                if (j >= n) {
                    Fail(sql, i, "Identificador sin cerrar");
                }
                if (sql[j] == ']') {
                    if (j + 1 < n && sql[j + 1] == ']') {
                        name += ']';
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                name += sql[j++];
            }
            t.kind = TokenKind::QuotedIdent;
            t.text = std::move(name);
            i = j;
        } else if (c == '"') {
            std::size_t j = i + 1;
            std::string name;
            for (;;) {
                if (j >= n) {
                    Fail(sql, i, "Identificador sin cerrar");
                }
                if (sql[j] == '"') {
                    if (j + 1 < n && sql[j + 1] == '"') {
                        name += '"';
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                name += sql[j++];
            }
            t.kind = TokenKind::QuotedIdent;
            t.text = std::move(name);
            i = j;
        } else if (c == '#') {
            std::size_t j = i;
            while (j < n && sql[j] == '#') {
                ++j;
            }
            while (j < n && IsIdentChar(static_cast<unsigned char>(sql[j]))) {
                ++j;
            }
            if (j == i + 1 || (j == i + 2 && sql[i + 1] == '#')) {
                Fail(sql, i, "Nombre de tabla temporal vacío");
            }
            t.kind = TokenKind::TempName;
            t.text = std::string(sql.substr(i, j - i));
            i = j;
        } else if (c == '@') {
            std::size_t j = i;
            while (j < n && sql[j] == '@') {
                ++j;
            }
            while (j < n && IsIdentChar(static_cast<unsigned char>(sql[j]))) {
                ++j;
            }
            t.kind = TokenKind::Variable;
            t.text = std::string(sql.substr(i, j - i));
            i = j;
        } else if (std::isdigit(c) || (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
            std::size_t j = i;
            while (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
                ++j;
            }
            if (j < n && sql[j] == '.') {
                ++j;
                while (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
                    ++j;
                }
            }
            if (j < n && (sql[j] == 'e' || sql[j] == 'E')) {
                std::size_t k = j + 1;
                if (k < n && (sql[k] == '+' || sql[k] == '-')) {
                    ++k;
                }
                if (k < n && std::isdigit(static_cast<unsigned char>(sql[k]))) {
                    j = k;
                    while (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) {
                        ++j;
                    }
                }
            }
            t.kind = TokenKind::Number;
            t.text = std::string(sql.substr(i, j - i));
            t.literal = literals++;
            i = j;
        } else if (IsIdentStart(c)) {
            std::size_t j = i;
            while (j < n && IsIdentChar(static_cast<unsigned char>(sql[j]))) {
                ++j;
            }
            t.kind = TokenKind::Word;
            t.text = std::string(sql.substr(i, j - i));
            i = j;
        } else {
            static const char *two[] = {"<=", ">=", "<>", "!=", "!<", "!>", "||", "+=", "-=", "*=", "/="};
            t.kind = TokenKind::Symbol;
            t.text = std::string(1, static_cast<char>(c));
            for (const char *op : two) {
                if (i + 1 < n && sql[i] == op[0] && sql[i + 1] == op[1]) {
                    t.text = op;
                    break;
                }
            }
            i += t.text.size();
        }
        out.push_back(std::move(t));
    }
    return out;
}

std::vector<std::vector<Token>> SplitStatements(std::vector<Token> tokens) {
    std::vector<std::vector<Token>> out;
    std::vector<Token> cur;
    int depth = 0;
    for (auto &t : tokens) {
        if (t.IsSymbol("(")) {
            ++depth;
        } else if (t.IsSymbol(")")) {
            --depth;
        } else if (t.IsSymbol(";") && depth <= 0) {
            if (!cur.empty()) {
                out.push_back(std::move(cur));
            }
            cur.clear();
            continue;
        }
        cur.push_back(std::move(t));
    }
    if (!cur.empty()) {
        out.push_back(std::move(cur));
    }
    return out;
}

} // namespace db::dialect
