#include "db/odbc/OdbcRecordset.h"

#include "db/DbError.h"
#include "db/dialect/Tokenizer.h"
#include "db/odbc/OdbcText.h"

#include <sqlext.h>

#include <vector>

namespace db {

namespace {

// SQLite's declared type read as the SQLite backend reads it; Null when the name tells nothing.
FieldKind FromTypeName(const std::string &name) {
    std::string d = dialect::Upper(name);
    if (d.empty()) {
        return FieldKind::Null;
    }
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

// SQL Server's SQLDescribeCol types (money is DECIMAL, time and datetimeoffset have their own codes).
FieldKind FromSqlType(SQLSMALLINT type) {
    constexpr SQLSMALLINT kSqlServerTime = -154;
    constexpr SQLSMALLINT kSqlServerDateTimeOffset = -155;
    switch (type) {
    case kSqlServerTime:
    case kSqlServerDateTimeOffset:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATE:
    case SQL_TIME:
    case SQL_TIMESTAMP:
        return FieldKind::Date;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return FieldKind::Currency;
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return FieldKind::Integer;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return FieldKind::Real;
    default:
        return FieldKind::Text;
    }
}

std::string ColumnName(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT &type) {
    std::vector<SQLWCHAR> name(256);
    SQLSMALLINT length = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLRETURN r = SQLDescribeColW(stmt, column, name.data(), static_cast<SQLSMALLINT>(name.size()), &length,
                                  &type, &size, &digits, &nullable);
    if (SQL_SUCCEEDED(r) && length >= static_cast<SQLSMALLINT>(name.size())) {
        name.resize(static_cast<std::size_t>(length) + 1);
        r = SQLDescribeColW(stmt, column, name.data(), static_cast<SQLSMALLINT>(name.size()), &length, &type,
                            &size, &digits, &nullable);
    }
    if (!SQL_SUCCEEDED(r)) {
        return {};
    }
    return OdbcToUtf8(name.data(), std::min<std::size_t>(static_cast<std::size_t>(length), name.size() - 1));
}

std::string TypeName(SQLHSTMT stmt, SQLUSMALLINT column) {
    SQLWCHAR name[128] = {};
    SQLSMALLINT bytes = 0;
    if (!SQL_SUCCEEDED(
            SQLColAttributeW(stmt, column, SQL_DESC_TYPE_NAME, name, sizeof name, &bytes, nullptr))) {
        return {};
    }
    std::size_t chars =
        std::min<std::size_t>(static_cast<std::size_t>(bytes < 0 ? 0 : bytes) / sizeof(SQLWCHAR),
                              sizeof name / sizeof(SQLWCHAR) - 1);
    return OdbcToUtf8(name, chars);
}

} // namespace

OdbcRecordset::OdbcRecordset(std::unique_ptr<OdbcStatement> statement, bool sqliteTypes) {
    SQLHSTMT stmt = statement->Handle();
    SQLSMALLINT n = statement->ColumnCount();
    fields_.reserve(static_cast<std::size_t>(n));
    for (SQLSMALLINT i = 1; i <= n; ++i) {
        SQLUSMALLINT column = static_cast<SQLUSMALLINT>(i);
        SQLSMALLINT type = SQL_UNKNOWN_TYPE;
        std::string name = ColumnName(stmt, column, type);
        FieldKind declared = FieldKind::Null;
        OdbcField::Typing typing = OdbcField::Typing::Declared;
        if (sqliteTypes) {
            // The driver's SQL types lose what SQLite keeps: MONEY arrives as VARCHAR, NUMERIC as
            // DOUBLE. The declared type's name it reports tells amounts apart.
            std::string typeName = TypeName(stmt, column);
            declared = FromTypeName(typeName);
            // The SQLite driver names a column SQLite declares no type for (an expression, an
            // untyped column) "varchar" in lower case; the SQLite backend then judges each value.
            if (typeName == "varchar") {
                typing = OdbcField::Typing::TextOrDate;
            } else if (declared == FieldKind::Null) {
                typing = OdbcField::Typing::ByValue;
            }
        } else {
            declared = FromSqlType(type);
        }
        fields_.emplace_back(std::move(name), declared, typing, !sqliteTypes);
    }
    for (;;) {
        SQLRETURN r = SQLFetch(stmt);
        if (r == SQL_NO_DATA) {
            break;
        }
        if (!SQL_SUCCEEDED(r)) {
            statement->Fail("No se puede leer el registro");
        }
        std::vector<OdbcField::Value> row;
        row.reserve(fields_.size());
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            fields_[i].Load(*statement, static_cast<SQLUSMALLINT>(i + 1));
            row.push_back(fields_[i].Take());
        }
        rows_.push_back(std::move(row));
    }
    statement.reset();
    Show();
}

void OdbcRecordset::Show() {
    eof_ = next_ >= rows_.size();
    if (eof_) {
        rows_.clear();
        for (auto &f : fields_) {
            f.Clear();
            f.SetAtEnd(true);
        }
        return;
    }
    auto &row = rows_[next_++];
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i].Put(std::move(row[i]));
    }
    row.clear();
}

void OdbcRecordset::MoveNext() {
    if (eof_) {
        throw DbError("El recordset está al final");
    }
    Show();
}

const Field &OdbcRecordset::Fields(std::size_t index) const {
    if (index >= fields_.size()) {
        throw DbError("El registro no tiene el campo " + std::to_string(index));
    }
    return fields_[index];
}

const Field &OdbcRecordset::Fields(const std::string &name) const {
    for (const auto &f : fields_) {
        if (dialect::EqualsNoCase(f.Name(), name)) {
            return f;
        }
    }
    throw DbError("El registro no tiene el campo " + name);
}

bool OdbcRecordset::HasField(const std::string &name) const {
    for (const auto &f : fields_) {
        if (dialect::EqualsNoCase(f.Name(), name)) {
            return true;
        }
    }
    return false;
}

void OdbcRecordset::Close() {
    next_ = rows_.size();
    Show();
}

} // namespace db
