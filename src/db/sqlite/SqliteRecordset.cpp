#include "db/sqlite/SqliteRecordset.h"

#include "db/DbError.h"
#include "db/dialect/Tokenizer.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace db {

namespace {

FieldKind FromDecl(const char *decl) {
    if (!decl || !*decl) {
        return FieldKind::Null;
    }
    std::string d = dialect::Upper(decl);
    if (d.find("DATE") != std::string::npos || d.find("TIME") != std::string::npos) {
        return FieldKind::Date;
    }
    if (d.find("MONEY") != std::string::npos || d.find("DECIMAL") != std::string::npos ||
        d.find("NUMERIC") != std::string::npos) {
        return FieldKind::Currency;
    }
    if (d.find("CHAR") != std::string::npos || d.find("TEXT") != std::string::npos ||
        d.find("CLOB") != std::string::npos) {
        return FieldKind::Text;
    }
    if (d.find("INT") != std::string::npos || d.find("BIT") != std::string::npos) {
        return FieldKind::Integer;
    }
    if (d.find("REAL") != std::string::npos || d.find("FLOA") != std::string::npos ||
        d.find("DOUB") != std::string::npos) {
        return FieldKind::Real;
    }
    return FieldKind::Null;
}

bool LooksIsoDate(const unsigned char *s, int n) {
    auto digit = [&](int i) { return s[i] >= '0' && s[i] <= '9'; };
    if (n != 10 && n != 19) {
        return false;
    }
    if (!(digit(0) && digit(1) && digit(2) && digit(3) && s[4] == '-' && digit(5) && digit(6) && s[7] == '-' &&
          digit(8) && digit(9))) {
        return false;
    }
    return n == 10 || (s[10] == ' ' && digit(11) && digit(12) && s[13] == ':' && digit(14) && digit(15) &&
                       s[16] == ':' && digit(17) && digit(18));
}

// Exact ten-thousandths from a decimal text such as "-12.3456".
std::int64_t UnitsFromText(const char *s) {
    while (*s == ' ') {
        ++s;
    }
    bool neg = false;
    if (*s == '-' || *s == '+') {
        neg = *s == '-';
        ++s;
    }
    std::int64_t whole = 0, frac = 0;
    int digits = 0;
    while (*s >= '0' && *s <= '9') {
        whole = whole * 10 + (*s++ - '0');
    }
    if (*s == '.' || *s == ',') {
        ++s;
        while (*s >= '0' && *s <= '9') {
            if (digits < 4) {
                frac = frac * 10 + (*s - '0');
                ++digits;
            } else if (digits == 4) {
                if (*s >= '5') {
                    ++frac;
                }
                ++digits;
            }
            ++s;
        }
    }
    while (digits < 4) {
        frac *= 10;
        ++digits;
    }
    std::int64_t v = whole * 10000 + frac;
    return neg ? -v : v;
}

} // namespace

SqliteField::SqliteField(sqlite3_stmt *stmt, int index, const std::string *name, FieldKind declared,
                         const bool *eof)
    : stmt_(stmt), index_(index), name_(name), declared_(declared), eof_(eof) {}

void SqliteField::Current() const {
    if (*eof_) {
        throw DbError("No hay registro actual");
    }
}

bool SqliteField::IsNull() const {
    Current();
    return sqlite3_column_type(stmt_, index_) == SQLITE_NULL;
}

FieldKind SqliteField::Kind() const {
    if (*eof_) {
        return declared_;
    }
    int type = sqlite3_column_type(stmt_, index_);
    if (type == SQLITE_NULL) {
        return FieldKind::Null;
    }
    if (declared_ != FieldKind::Null) {
        return declared_;
    }
    switch (type) {
    case SQLITE_INTEGER:
        return FieldKind::Integer;
    case SQLITE_FLOAT:
        return FieldKind::Real;
    default: {
        const unsigned char *s = sqlite3_column_text(stmt_, index_);
        return LooksIsoDate(s, sqlite3_column_bytes(stmt_, index_)) ? FieldKind::Date : FieldKind::Text;
    }
    }
}

std::string SqliteField::AsText() const {
    Current();
    switch (sqlite3_column_type(stmt_, index_)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return std::to_string(sqlite3_column_int64(stmt_, index_));
    case SQLITE_FLOAT: {
        char buf[64];
        double d = sqlite3_column_double(stmt_, index_);
        if (declared_ == FieldKind::Currency) {
            std::snprintf(buf, sizeof buf, "%.4f", d);
            std::string s = buf;
            while (!s.empty() && s.back() == '0') {
                s.pop_back();
            }
            if (!s.empty() && s.back() == '.') {
                s.pop_back();
            }
            return s == "-0" ? "0" : s;
        }
        std::snprintf(buf, sizeof buf, "%.15g", d);
        return buf;
    }
    default: {
        const unsigned char *s = sqlite3_column_text(stmt_, index_);
        return std::string(reinterpret_cast<const char *>(s), sqlite3_column_bytes(stmt_, index_));
    }
    }
}

std::int64_t SqliteField::AsInt64() const {
    Current();
    switch (sqlite3_column_type(stmt_, index_)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_FLOAT:
        return static_cast<std::int64_t>(std::llround(sqlite3_column_double(stmt_, index_)));
    default:
        return sqlite3_column_int64(stmt_, index_);
    }
}

double SqliteField::AsDouble() const {
    Current();
    return sqlite3_column_double(stmt_, index_);
}

std::int64_t SqliteField::AsCurrencyUnits() const {
    Current();
    switch (sqlite3_column_type(stmt_, index_)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return sqlite3_column_int64(stmt_, index_) * 10000;
    case SQLITE_FLOAT: {
        double units = sqlite3_column_double(stmt_, index_) * 10000.0;
        // Beyond the money range an amount would wrap round; say so instead.
        if (!(std::fabs(units) < 9223372036854775807.0)) {
            throw DbError("Arithmetic overflow error converting expression to data type money.");
        }
        return static_cast<std::int64_t>(std::llround(units));
    }
    default:
        return UnitsFromText(reinterpret_cast<const char *>(sqlite3_column_text(stmt_, index_)));
    }
}

SqliteRecordset::SqliteRecordset(std::unique_ptr<SqliteCursor> cursor) : cursor_(std::move(cursor)) {
    sqlite3_stmt *st = cursor_->Handle();
    int n = sqlite3_column_count(st);
    const std::vector<std::string> *names = &cursor_->Owner().ColumnNames();
    if (names->size() != static_cast<std::size_t>(n)) {
        for (int i = 0; i < n; ++i) {
            const char *name = sqlite3_column_name(st, i);
            ownNames_.emplace_back(name ? name : "");
        }
        names = &ownNames_;
    }
    fields_.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        fields_.emplace_back(st, i, &(*names)[static_cast<std::size_t>(i)], FromDecl(sqlite3_column_decltype(st, i)),
                             &eof_);
    }
    eof_ = !cursor_->Step();
}

void SqliteRecordset::MoveNext() {
    if (eof_) {
        throw DbError("El recordset está al final");
    }
    eof_ = !cursor_->Step();
}

const Field &SqliteRecordset::Fields(std::size_t index) const {
    if (index >= fields_.size()) {
        throw DbError("El registro no tiene el campo " + std::to_string(index));
    }
    return fields_[index];
}

const Field &SqliteRecordset::Fields(const std::string &name) const {
    for (const auto &f : fields_) {
        if (dialect::EqualsNoCase(f.Name(), name)) {
            return f;
        }
    }
    throw DbError("El registro no tiene el campo " + name);
}

bool SqliteRecordset::HasField(const std::string &name) const {
    for (const auto &f : fields_) {
        if (dialect::EqualsNoCase(f.Name(), name)) {
            return true;
        }
    }
    return false;
}

void SqliteRecordset::Close() {
    cursor_.reset();
    eof_ = true;
}

} // namespace db
