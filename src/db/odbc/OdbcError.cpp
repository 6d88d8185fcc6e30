#include "db/odbc/OdbcError.h"

#include "db/odbc/OdbcText.h"

#include <sqlext.h>

#include <algorithm>
#include <vector>

namespace db {

DbError OdbcError(SQLSMALLINT handleType, SQLHANDLE handle, const std::string &fallback, std::string written,
                  std::string translated) {
    std::string message;
    std::string state;
    int native = 0;
    // Drivers stack records (SQL Server adds "statement(s) could not be prepared" after the cause).
    for (SQLSMALLINT rec = 1; handle != SQL_NULL_HANDLE && rec <= 16; ++rec) {
        SQLWCHAR sqlState[6] = {};
        SQLINTEGER nativeCode = 0;
        std::vector<SQLWCHAR> text(1024);
        SQLSMALLINT length = 0;
        SQLRETURN r = SQLGetDiagRecW(handleType, handle, rec, sqlState, &nativeCode, text.data(),
                                     static_cast<SQLSMALLINT>(text.size()), &length);
        if (r == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(text.size())) {
            text.resize(static_cast<std::size_t>(length) + 1);
            r = SQLGetDiagRecW(handleType, handle, rec, sqlState, &nativeCode, text.data(),
                               static_cast<SQLSMALLINT>(text.size()), &length);
        }
        if (!SQL_SUCCEEDED(r)) {
            break;
        }
        std::size_t n =
            std::min<std::size_t>(static_cast<std::size_t>(length < 0 ? 0 : length), text.size() - 1);
        std::string line = OdbcToUtf8(text.data(), n);
        if (rec == 1) {
            state = OdbcToUtf8(sqlState, 5);
            native = static_cast<int>(nativeCode);
        }
        if (!line.empty() && message.find(line) == std::string::npos) {
            message += (message.empty() ? "" : "\n") + line;
        }
    }
    if (message.empty()) {
        message = fallback;
    }
    return DbError(message, std::move(written), std::move(translated), native, std::move(state));
}

} // namespace db
