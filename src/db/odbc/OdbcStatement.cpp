#include "db/odbc/OdbcStatement.h"

#include "db/odbc/OdbcError.h"
#include "db/odbc/OdbcText.h"

#include <sqlext.h>

namespace db {

OdbcStatement::OdbcStatement(const std::shared_ptr<OdbcDbc> &dbc, const std::string &sql, std::string written,
                             std::string translated, OdbcEncoding encoding)
    : written_(std::move(written)), translated_(std::move(translated)) {
    SQLHANDLE h = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc->Get(), &h))) {
        throw OdbcError(SQL_HANDLE_DBC, dbc->Get(), "No se puede preparar la instrucción", written_,
                        translated_);
    }
    stmt_ = OdbcStmt(h, dbc);
    SQLRETURN r;
    if (encoding == OdbcEncoding::Utf8) {
        std::string text = sql;
        r = SQLExecDirect(h, reinterpret_cast<SQLCHAR *>(text.data()), static_cast<SQLINTEGER>(text.size()));
    } else {
        OdbcWide text = Utf8ToOdbc(sql);
        r = SQLExecDirectW(h, text.data(), static_cast<SQLINTEGER>(text.size()));
    }
    // A searched UPDATE or DELETE that touches nothing answers SQL_NO_DATA: not a failure.
    if (r == SQL_NO_DATA) {
        rowCount_ = 0;
        return;
    }
    if (!SQL_SUCCEEDED(r)) {
        Fail("La instrucción ha fallado");
    }
    if (!SQL_SUCCEEDED(SQLNumResultCols(h, &columns_))) {
        Fail("No se pueden leer las columnas del resultado");
    }
    if (columns_ > 0) {
        rowCount_ = -1;
        return;
    }
    SQLLEN count = -1;
    if (SQL_SUCCEEDED(SQLRowCount(h, &count))) {
        rowCount_ = static_cast<long>(count);
    }
}

void OdbcStatement::Fail(const std::string &fallback) const {
    throw OdbcError(SQL_HANDLE_STMT, stmt_.Get(), fallback, written_, translated_);
}

} // namespace db
