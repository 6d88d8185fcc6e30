#include "suite/Formato.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace suite {

namespace {

// Digits of |value| at 15 significant digits, and the power of ten of the last one.
struct Digits {
    bool negative = false;
    std::string digits; // no leading zeros; "" for zero
    int exponent = 0;
};

Digits Decompose(double value) {
    if (!std::isfinite(value)) {
        throw std::domain_error("Formato: not a finite number");
    }
    Digits d;
    if (value == 0.0) {
        return d;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const char *p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.digits += *p;
        }
    }
    d.exponent = std::atoi(p + 1) - 14;
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
        ++d.exponent;
    }
    return d;
}

// Whole part and fraction digits of a decimal given as digits * 10^exponent.
void Split(const Digits &d, std::string &whole, std::string &fraction) {
    if (d.digits.empty()) {
        whole = "0";
        fraction.clear();
        return;
    }
    if (d.exponent >= 0) {
        whole = d.digits + std::string(d.exponent, '0');
        fraction.clear();
        return;
    }
    int fracLen = -d.exponent;
    if (static_cast<int>(d.digits.size()) > fracLen) {
        whole = d.digits.substr(0, d.digits.size() - fracLen);
        fraction = d.digits.substr(d.digits.size() - fracLen);
    } else {
        whole = "0";
        fraction = std::string(fracLen - d.digits.size(), '0') + d.digits;
    }
}

// Rounds the decimal whole.fraction to `decimals` places, halves away from zero (on magnitudes).
void RoundDigits(std::string &whole, std::string &fraction, int decimals) {
    if (static_cast<int>(fraction.size()) <= decimals) {
        fraction.append(decimals - fraction.size(), '0');
        return;
    }
    bool up = fraction[decimals] >= '5';
    fraction.resize(decimals);
    if (!up) {
        return;
    }
    std::string all = whole + fraction;
    int i = static_cast<int>(all.size()) - 1;
    while (i >= 0 && all[i] == '9') {
        all[i] = '0';
        --i;
    }
    if (i < 0) {
        all.insert(all.begin(), '1');
    } else {
        ++all[i];
    }
    whole = all.substr(0, all.size() - decimals);
    fraction = all.substr(all.size() - decimals);
}

std::string Spanish(bool negative, const std::string &whole, const std::string &fraction) {
    std::string grouped;
    int n = static_cast<int>(whole.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            grouped += '.';
        }
        grouped += whole[i];
    }
    bool zero = whole.find_first_not_of('0') == std::string::npos &&
                fraction.find_first_not_of('0') == std::string::npos;
    std::string out = negative && !zero ? "-" : "";
    out += grouped;
    if (!fraction.empty()) {
        out += "," + fraction;
    }
    return out;
}

Digits FromMoneda(Moneda m) {
    Digits d;
    std::int64_t u = m.Units();
    d.negative = u < 0;
    std::uint64_t a = u < 0 ? static_cast<std::uint64_t>(-(u + 1)) + 1 : static_cast<std::uint64_t>(u);
    d.digits = a == 0 ? "" : std::to_string(a);
    d.exponent = -4;
    return d;
}

std::string Plain(const Digits &d) {
    std::string whole;
    std::string fraction;
    Split(d, whole, fraction);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string out = d.negative && !d.digits.empty() ? "-" : "";
    out += whole;
    if (!fraction.empty()) {
        out += "." + fraction;
    }
    return out;
}

std::string RoundedSpanish(const Digits &d, int decimals) {
    if (decimals < 0) {
        decimals = 0;
    }
    std::string whole;
    std::string fraction;
    Split(d, whole, fraction);
    RoundDigits(whole, fraction, decimals);
    return Spanish(d.negative, whole, fraction);
}

// Length in bytes of the UTF-8 character at `i`; a malformed byte counts as one character.
std::size_t CharLength(std::string_view s, std::size_t i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = byte(i);
    std::size_t len = c < 0x80                 ? 1
                      : c >= 0xC2 && c <= 0xDF ? 2
                      : c >= 0xE0 && c <= 0xEF ? 3
                      : c >= 0xF0 && c <= 0xF4 ? 4
                                               : 1;
    if (i + len > s.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return len;
}

} // namespace

Formato &Formato::Instancia() {
    static Formato instancia;
    return instancia;
}

std::string Formato::Redondear(Moneda valor, int decimales) const {
    return RoundedSpanish(FromMoneda(valor), decimales);
}

std::string Formato::Redondear(double valor, int decimales) const {
    return RoundedSpanish(Decompose(valor), decimales);
}

std::string Formato::FechaTexto(const Fecha &fecha) const {
    return fecha.Formato("dd/mm/yyyy");
}

std::string Formato::FechaTexto(std::string_view texto) const {
    auto f = Fecha::Parse(texto);
    return f ? FechaTexto(*f) : std::string();
}

std::string Formato::NumeroSQL(Moneda valor) const {
    return Plain(FromMoneda(valor));
}

std::string Formato::NumeroSQL(double valor) const {
    return Plain(Decompose(valor));
}

std::string Formato::NumeroSQL(std::int64_t valor) const {
    return std::to_string(valor);
}

std::string Formato::Rellenar(std::string_view texto, int ancho, Alineacion alineacion) const {
    if (ancho <= 0) {
        return {};
    }
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < texto.size() && chars < static_cast<std::size_t>(ancho)) {
        i += CharLength(texto, i);
        ++chars;
    }
    std::string kept(texto.substr(0, i));
    std::string fill(ancho - chars, ' ');
    return alineacion == Alineacion::Izquierda ? kept + fill : fill + kept;
}

Moneda Formato::ANumero(std::string_view texto) const {
    if (texto.find(',') != std::string_view::npos) {
        // Comma decimal; points before it must group thousands properly.
        return Moneda::Parse(texto).value_or(Moneda());
    }
    std::size_t points = 0;
    for (char c : texto) {
        points += c == '.';
    }
    if (points == 1) {
        // "1.234" from a grid with no decimals is one thousand two hundred thirty-four.
        std::size_t at = texto.find('.');
        std::string_view after = texto.substr(at + 1);
        while (!after.empty() && (after.back() == ' ' || after.back() == '\t')) {
            after.remove_suffix(1);
        }
        std::string_view before = texto.substr(0, at);
        bool digitsBefore = !before.empty() && before.back() >= '0' && before.back() <= '9';
        if (after.size() == 3 && digitsBefore) {
            std::string joined(before);
            joined += after;
            return Moneda::Parse(joined).value_or(Moneda());
        }
    }
    return Moneda::Parse(texto).value_or(Moneda());
}

} // namespace suite
