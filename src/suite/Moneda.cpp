#include "suite/Moneda.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace suite {

namespace {

using Int128 = __int128;

constexpr Int128 kMaxUnits = std::numeric_limits<std::int64_t>::max();

Int128 Pow10(int n) {
    Int128 p = 1;
    for (int i = 0; i < n; ++i) {
        p *= 10;
    }
    return p;
}

// Quotient rounded half away from zero.
Int128 DivRound(Int128 num, Int128 den) {
    if (den == 0) {
        throw std::domain_error("Moneda: division by zero");
    }
    if (den < 0) {
        num = -num;
        den = -den;
    }
    Int128 q = num / den;
    Int128 r = num % den;
    if (r < 0) {
        r = -r;
    }
    if (2 * r >= den) {
        q += num < 0 ? -1 : 1;
    }
    return q;
}

std::int64_t Checked(Int128 units) {
    if (units > kMaxUnits || units < -kMaxUnits) {
        throw std::overflow_error("Moneda: amount out of range");
    }
    return static_cast<std::int64_t>(units);
}

// A double read as the decimal it was meant to be: 15 significant digits, so 1.005 is 1005e-3
// rather than 1.00499999999999989...
struct Decimal {
    Int128 mantissa = 0;
    int exponent = 0;
};

Decimal ToDecimal(double value) {
    if (!std::isfinite(value)) {
        throw std::domain_error("Moneda: not a finite number");
    }
    Decimal d;
    if (value == 0.0) {
        return d;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const char *p = buf;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.mantissa = d.mantissa * 10 + (*p - '0');
        }
    }
    d.exponent = std::atoi(p + 1) - 14;
    while (d.mantissa != 0 && d.mantissa % 10 == 0) {
        d.mantissa /= 10;
        ++d.exponent;
    }
    if (negative) {
        d.mantissa = -d.mantissa;
    }
    return d;
}

// mantissa * 10^exponent as an integer, rounded half away from zero.
Int128 Scale(Int128 mantissa, int exponent) {
    if (exponent >= 0) {
        if (exponent > 20) {
            throw std::overflow_error("Moneda: amount out of range");
        }
        return mantissa * Pow10(exponent);
    }
    if (exponent < -36) {
        return 0;
    }
    return DivRound(mantissa, Pow10(-exponent));
}

} // namespace

Moneda Moneda::FromDouble(double value) {
    Decimal d = ToDecimal(value);
    return FromUnits(Checked(Scale(d.mantissa, d.exponent + 4)));
}

std::optional<Moneda> Moneda::Parse(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::size_t commas = 0;
    std::size_t points = 0;
    for (char c : text) {
        if (c == ',') {
            ++commas;
        } else if (c == '.') {
            ++points;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    // Which mark is decimal: the last one when both appear; a lone mark that repeats groups thousands.
    char decimal = 0;
    char thousands = 0;
    if (commas > 0 && points > 0) {
        decimal = text.find_last_of(",.") == text.rfind(',') ? ',' : '.';
        thousands = decimal == ',' ? '.' : ',';
    } else if (commas > 0) {
        (commas == 1 ? decimal : thousands) = ',';
    } else if (points > 0) {
        (points == 1 ? decimal : thousands) = '.';
    }
    std::string_view whole = text;
    std::string_view fraction;
    if (decimal != 0) {
        std::size_t at = text.find(decimal);
        if (text.find(decimal, at + 1) != std::string_view::npos) {
            return std::nullopt;
        }
        whole = text.substr(0, at);
        fraction = text.substr(at + 1);
        if (fraction.find(thousands) != std::string_view::npos && thousands != 0) {
            return std::nullopt;
        }
    }
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    Int128 units = 0;
    std::size_t group = 0;
    bool sawThousands = false;
    for (char c : whole) {
        if (c == thousands) {
            if (group == 0 || group > 3 || (sawThousands && group != 3)) {
                return std::nullopt;
            }
            sawThousands = true;
            group = 0;
            continue;
        }
        units = units * 10 + (c - '0');
        ++group;
        if (units > kMaxUnits) {
            return std::nullopt;
        }
    }
    if (sawThousands && group != 3) {
        return std::nullopt;
    }
    units *= kEscala;
    Int128 scale = kEscala;
    int digits = 0;
    Int128 extra = 0;
    int extraDigits = 0;
    for (char c : fraction) {
        if (digits < 4) {
            scale /= 10;
            units += (c - '0') * scale;
            ++digits;
        } else if (extraDigits < 30) {
            extra = extra * 10 + (c - '0');
            ++extraDigits;
        }
    }
    if (extraDigits > 0 && 2 * extra >= Pow10(extraDigits)) {
        units += 1;
    }
    if (units > kMaxUnits) {
        return std::nullopt;
    }
    return FromUnits(static_cast<std::int64_t>(negative ? -units : units));
}

Moneda Moneda::Redondear(int decimals) const {
    if (decimals >= 4) {
        return *this;
    }
    int shift = 4 - decimals;
    if (shift > 19) {
        return Moneda();
    }
    Int128 step = Pow10(shift);
    return FromUnits(Checked(DivRound(units_, step) * step));
}

Moneda Moneda::operator/(std::int64_t divisor) const {
    return FromUnits(Checked(DivRound(units_, divisor)));
}

Moneda Moneda::operator*(double rate) const {
    Decimal d = ToDecimal(rate);
    return FromUnits(Checked(Scale(Int128(units_) * d.mantissa, d.exponent)));
}

Moneda Moneda::operator/(double rate) const {
    Decimal d = ToDecimal(rate);
    if (d.mantissa == 0) {
        throw std::domain_error("Moneda: division by zero");
    }
    // units / (m * 10^e) == units * 10^-e / m
    if (d.exponent >= 0) {
        return FromUnits(Checked(DivRound(Int128(units_), d.mantissa * Pow10(d.exponent))));
    }
    if (d.exponent < -19) {
        long double q = static_cast<long double>(units_) / rate;
        return FromUnits(Checked(static_cast<Int128>(std::llround(q))));
    }
    return FromUnits(Checked(DivRound(Int128(units_) * Pow10(-d.exponent), d.mantissa)));
}

Moneda Moneda::operator*(Moneda rate) const {
    return FromUnits(Checked(DivRound(Int128(units_) * rate.units_, kEscala)));
}

Moneda Moneda::operator/(Moneda rate) const {
    return FromUnits(Checked(DivRound(Int128(units_) * kEscala, rate.units_)));
}

} // namespace suite
