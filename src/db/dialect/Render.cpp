#include "db/DbError.h"
#include "db/dialect/Rewriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace db::dialect {

namespace {

bool Wordish(const Token &t) {
    return t.kind == TokenKind::Word || t.kind == TokenKind::Number || t.kind == TokenKind::QuotedIdent ||
           t.kind == TokenKind::TempName || t.kind == TokenKind::Variable || t.kind == TokenKind::String;
}

void QuoteInto(std::string &out, const std::string &s, char q) {
    out += q;
    for (char c : s) {
        out += c;
        if (c == q) {
            out += q;
        }
    }
    out += q;
}

} // namespace

std::string MoneyLiteral(const std::string &number) {
    // SQL Server's money range, to the largest half unit a double holds exactly.
    std::string integral = number.substr(0, number.find_first_of(".eE"));
    integral.erase(0, integral.find_first_not_of("+-0"));
    bool exponent = number.find_first_of("eE") != std::string::npos;
    if (integral.size() > 15 ||
        ((integral.size() == 15 || exponent) && std::abs(std::strtod(number.c_str(), nullptr)) > 922337203685477.5)) {
        throw DbError("Arithmetic overflow error converting expression to data type money.");
    }
    std::size_t dot = number.find('.');
    if (dot == std::string::npos || number.find_first_of("eE") != std::string::npos ||
        number.size() - dot - 1 <= 4) {
        return number;
    }
    std::string digits = number.substr(0, dot) + number.substr(dot + 1, 4);
    bool up = number[dot + 5] >= '5';
    if (up) {
        std::size_t i = digits.size();
        while (i > 0) {
            --i;
            if (digits[i] == '9') {
                digits[i] = '0';
                continue;
            }
            ++digits[i];
            up = false;
            break;
        }
        if (up) {
            digits.insert(digits.begin(), '1');
        }
    }
    std::string whole = digits.substr(0, digits.size() - 4);
    return (whole.empty() ? "0" : whole) + "." + digits.substr(digits.size() - 4);
}

std::string Render(const Tokens &t, RenderMode mode, std::vector<int> *literalsUsed) {
    std::string out;
    out.reserve(t.size() * 8);
    const Token *prev = nullptr;
    for (const auto &tok : t) {
        if (prev && (tok.spaceBefore || (Wordish(*prev) && Wordish(tok)))) {
            out += ' ';
        }
        prev = &tok;
        if (mode == RenderMode::Parameters && tok.liftable && tok.literal >= 0) {
            out += '?';
            out += std::to_string(tok.literal + 1);
            if (literalsUsed && std::find(literalsUsed->begin(), literalsUsed->end(), tok.literal) ==
                                    literalsUsed->end()) {
                literalsUsed->push_back(tok.literal);
            }
            continue;
        }
        switch (tok.kind) {
        case TokenKind::String:
            if (tok.dateContext) {
                auto iso = DateLiteralToIso(tok.text);
                if (!iso) {
                    throw DbError("Conversion failed when converting date and/or time from character string: '" +
                                  tok.text + "'");
                }
                QuoteInto(out, *iso, '\'');
            } else {
                QuoteInto(out, tok.text, '\'');
            }
            break;
        case TokenKind::Number:
            out += tok.moneyContext ? MoneyLiteral(tok.text) : tok.text;
            break;
        case TokenKind::QuotedIdent:
        case TokenKind::TempName:
            QuoteInto(out, tok.text, '"');
            break;
        default:
            out += tok.text;
        }
    }
    return out;
}

} // namespace db::dialect
