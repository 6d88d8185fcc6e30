#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// LIKE pattern with character classes as a GLOB pattern over upper-cased text.
std::string GlobPattern(const std::string &like) {
    std::string out;
    for (std::size_t i = 0; i < like.size(); ++i) {
        char c = like[i];
        if (c == '%') {
            out += '*';
        } else if (c == '_') {
            out += '?';
        } else if (c == '*' || c == '?') {
            out += '[';
            out += c;
            out += ']';
        } else if (c == '[') {
            std::size_t close = like.find(']', i + 1);
            if (close == std::string::npos) {
                out += "[[]";
                continue;
            }
            out += '[';
            for (std::size_t k = i + 1; k < close; ++k) {
                out += UpperAscii(like[k]);
            }
            out += ']';
            i = close;
        } else {
            out += UpperAscii(c);
        }
    }
    return out;
}

} // namespace

bool LikeNeedsClasses(const Tokens &t, std::size_t i) {
    return i >= 1 && t[i - 1].IsWord("LIKE") && t[i].kind == TokenKind::String &&
           t[i].text.find('[') != std::string::npos && !(i + 1 < t.size() && t[i + 1].IsWord("ESCAPE"));
}

// SQLite's LIKE knows no [0-9] or [^a]; GLOB does, so such a pattern becomes a GLOB over upper case.
void RewriteLikeClasses(Tokens &t, Typer &typer, Edits &edits) {
    for (std::size_t i = 2; i < t.size(); ++i) {
        if (!LikeNeedsClasses(t, i)) {
            continue;
        }
        std::size_t like = i - 1;
        std::size_t head = t[like - 1].IsWord("NOT") ? like - 1 : like;
        Range x{typer.OperandStart(head), head};
        if (x.second <= x.first) {
            continue;
        }
        edits.Wrap(x, "upper(", ")");
        t[like].text = "GLOB";
        t[i].text = GlobPattern(t[i].text);
    }
}

} // namespace db::dialect
