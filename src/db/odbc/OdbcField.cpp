#include "db/odbc/OdbcField.h"

#include "db/DbError.h"
#include "db/odbc/OdbcStatement.h"
#include "db/odbc/OdbcText.h"

#include <sqlext.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace db {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number as its significant digits and the place of the point:
// value = 0.digits x 10^point, so that amounts never pass through a double.
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;
};

// Reads the number at the start of s ("-12.5", "1e-05", "3,25"). complete tells whether s held
// nothing else; false when s does not start with a number.
bool ParseDecimal(std::string_view s, Decimal &out, bool &complete) {
    s = Trim(s);
    std::size_t i = 0;
    out = Decimal{};
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        out.negative = s[i] == '-';
        ++i;
    }
    std::size_t intDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        out.digits += s[i++];
        ++intDigits;
    }
    std::size_t fracDigits = 0;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        std::size_t j = i + 1;
        while (j < s.size() && IsDigit(s[j])) {
            out.digits += s[j++];
            ++fracDigits;
        }
        if (fracDigits > 0 || intDigits > 0) {
            i = j;
        }
    }
    if (intDigits + fracDigits == 0) {
        return false;
    }
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool negExp = false;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) {
            negExp = s[j] == '-';
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                if (exponent < 100000) {
                    exponent = exponent * 10 + (s[j] - '0');
                }
                ++j;
            }
            exponent = negExp ? -exponent : exponent;
            i = j;
        }
    }
    out.point = static_cast<int>(intDigits) + static_cast<int>(exponent);
    std::size_t lead = 0;
    while (lead < out.digits.size() && out.digits[lead] == '0') {
        ++lead;
    }
    out.digits.erase(0, lead);
    out.point -= static_cast<int>(lead);
    if (out.digits.empty()) {
        out.point = 0;
        out.negative = false;
    }
    complete = i == s.size();
    return true;
}

// Ten-thousandths, rounded half away from zero on the fifth decimal; the whole 64-bit range.
std::int64_t UnitsOf(const Decimal &d, const std::string &text) {
    if (d.digits.empty()) {
        return 0;
    }
    int wanted = d.point + 4;
    if (wanted < 0) {
        return 0;
    }
    const std::uint64_t limit = d.negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    auto fail = [&]() -> std::int64_t { throw DbError("Importe fuera de rango: " + text); };
    if (wanted > 19) {
        return fail();
    }
    std::uint64_t v = 0;
    for (int k = 0; k < wanted; ++k) {
        std::size_t at = static_cast<std::size_t>(k);
        std::uint64_t digit = at < d.digits.size() ? static_cast<std::uint64_t>(d.digits[at] - '0') : 0;
        if (v > (limit - digit) / 10) {
            return fail();
        }
        v = v * 10 + digit;
    }
    if (static_cast<std::size_t>(wanted) < d.digits.size() &&
        d.digits[static_cast<std::size_t>(wanted)] >= '5') {
        if (v == limit) {
            return fail();
        }
        ++v;
    }
    return d.negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
}

// from_chars, unlike strtod, ignores the process locale (a Qt program sets LC_NUMERIC).
double ToDouble(std::string_view s) {
    s = Trim(s);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
    }
    double d = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    return ec == std::errc() ? d : 0.0;
}

std::string FormatReal(double d) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 15);
    return ec == std::errc() ? std::string(buf, ptr) : std::string();
}

// Units as the shortest decimal text: 3000 is "0.3", -1005100 is "-100.51".
std::string FormatUnits(std::int64_t units) {
    bool negative = units < 0;
    std::uint64_t u = negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::string out = std::to_string(u / 10000);
    std::string frac = std::to_string(u % 10000);
    frac.insert(0, 4 - frac.size(), '0');
    while (!frac.empty() && frac.back() == '0') {
        frac.pop_back();
    }
    if (!frac.empty()) {
        out += "." + frac;
    }
    return negative ? "-" + out : out;
}

bool LooksIsoDate(const std::string &s) {
    auto digit = [&](std::size_t i) { return IsDigit(s[i]); };
    if (s.size() != 10 && s.size() != 19) {
        return false;
    }
    if (!(digit(0) && digit(1) && digit(2) && digit(3) && s[4] == '-' && digit(5) && digit(6) &&
          s[7] == '-' && digit(8) && digit(9))) {
        return false;
    }
    return s.size() == 10 || (s[10] == ' ' && digit(11) && digit(12) && s[13] == ':' && digit(14) &&
                              digit(15) && s[16] == ':' && digit(17) && digit(18));
}

// SQL Server writes datetime as "yyyy-mm-dd hh:mm:ss.fff": the module's form drops the fraction,
// and the time when it is midnight, as a date typed without a time is stored by the SQLite backend.
std::string NormalizeDate(const std::string &s) {
    if (s.size() < 19 || !LooksIsoDate(s.substr(0, 19))) {
        return s;
    }
    std::string_view tail(s.data() + 19, s.size() - 19);
    bool zeroFraction = true;
    if (!tail.empty()) {
        if (tail.front() != '.') {
            return s;
        }
        for (char c : tail.substr(1)) {
            if (!IsDigit(c)) {
                return s;
            }
            zeroFraction &= c == '0';
        }
    }
    if (zeroFraction && s.compare(11, 8, "00:00:00") == 0) {
        return s.substr(0, 10);
    }
    return s.substr(0, 19);
}

bool IsIntegerText(std::string_view s) {
    s = Trim(s);
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        s.remove_prefix(1);
    }
    if (s.empty()) {
        return false;
    }
    for (char c : s) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

OdbcField::OdbcField(std::string name, FieldKind declared, Typing typing, bool normalizeDates)
    : name_(std::move(name)), declared_(declared), typing_(typing), normalizeDates_(normalizeDates) {}

void OdbcField::Current() const {
    if (atEnd_) {
        throw DbError("No hay registro actual");
    }
}

OdbcField::Value OdbcField::Take() {
    Value v{null_, kind_, std::move(text_)};
    Clear();
    return v;
}

void OdbcField::Put(Value value) {
    null_ = value.null;
    kind_ = value.kind;
    text_ = std::move(value.text);
    atEnd_ = false;
}

void OdbcField::Clear() {
    null_ = true;
    kind_ = FieldKind::Null;
    text_.clear();
}

void OdbcField::Load(const OdbcStatement &statement, SQLUSMALLINT column) {
    Clear();
    OdbcWide value;
    SQLWCHAR buf[2048];
    const SQLLEN room = static_cast<SQLLEN>(sizeof buf - sizeof(SQLWCHAR));
    bool null = false;
    // Long texts arrive in pieces: each call hands over what fits and the length still to come.
    for (;;) {
        SQLLEN ind = 0;
        SQLRETURN r = SQLGetData(statement.Handle(), column, SQL_C_WCHAR, buf, sizeof buf, &ind);
        if (r == SQL_NO_DATA) {
            break;
        }
        if (!SQL_SUCCEEDED(r)) {
            statement.Fail("No se puede leer el campo " + name_);
        }
        if (ind == SQL_NULL_DATA) {
            null = true;
            break;
        }
        bool more = r == SQL_SUCCESS_WITH_INFO && (ind == SQL_NO_TOTAL || ind > room);
        std::size_t chars = static_cast<std::size_t>(more ? room : ind) / sizeof(SQLWCHAR);
        value.append(buf, chars);
        if (!more) {
            break;
        }
    }
    if (null) {
        return;
    }
    null_ = false;
    text_ = OdbcToUtf8(value);
    switch (typing_) {
    case Typing::Declared:
        kind_ = declared_;
        break;
    case Typing::TextOrDate:
        kind_ = LooksIsoDate(text_) ? FieldKind::Date : FieldKind::Text;
        break;
    case Typing::ByValue: {
        Decimal d;
        bool complete = false;
        if (IsIntegerText(text_)) {
            kind_ = FieldKind::Integer;
        } else if (ParseDecimal(text_, d, complete) && complete) {
            kind_ = FieldKind::Real;
        } else {
            kind_ = LooksIsoDate(text_) ? FieldKind::Date : FieldKind::Text;
        }
        break;
    }
    }
    if (kind_ == FieldKind::Date && normalizeDates_) {
        text_ = NormalizeDate(text_);
    }
}

std::string OdbcField::AsText() const {
    Current();
    if (null_) {
        return {};
    }
    Decimal d;
    bool complete = false;
    if (kind_ == FieldKind::Real && ParseDecimal(text_, d, complete) && complete) {
        return FormatReal(ToDouble(text_));
    }
    if (kind_ == FieldKind::Currency && ParseDecimal(text_, d, complete) && complete) {
        try {
            return FormatUnits(UnitsOf(d, text_));
        } catch (const DbError &) {
            // Beyond the currency range the digits are shown as the database wrote them.
        }
    }
    return text_;
}

std::int64_t OdbcField::AsInt64() const {
    Current();
    Decimal d;
    bool complete = false;
    if (null_ || !ParseDecimal(text_, d, complete) || d.digits.empty()) {
        return 0;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    // Whole numbers are read digit by digit: a 64-bit key must not pass through a double.
    if (d.point >= static_cast<int>(d.digits.size())) {
        if (d.point > 19) {
            return d.negative ? kMin : kMax;
        }
        std::string whole = (d.negative ? "-" : "") + d.digits +
                            std::string(static_cast<std::size_t>(d.point) - d.digits.size(), '0');
        std::int64_t v = 0;
        auto [ptr, ec] = std::from_chars(whole.data(), whole.data() + whole.size(), v);
        if (ec != std::errc()) {
            return d.negative ? kMin : kMax;
        }
        return v;
    }
    double r = std::round(ToDouble(text_));
    if (r >= 9.2233720368547758e18) {
        return kMax;
    }
    if (r <= -9.2233720368547758e18) {
        return kMin;
    }
    return static_cast<std::int64_t>(r);
}

double OdbcField::AsDouble() const {
    Current();
    return null_ ? 0.0 : ToDouble(text_);
}

std::int64_t OdbcField::AsCurrencyUnits() const {
    Current();
    Decimal d;
    bool complete = false;
    if (null_ || !ParseDecimal(text_, d, complete)) {
        return 0;
    }
    return UnitsOf(d, text_);
}

} // namespace db
