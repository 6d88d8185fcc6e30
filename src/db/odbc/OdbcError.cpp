#include "db/odbc/OdbcError.h"

#include "db/sqlite/SqliteMessages.h"

#include "db/odbc/OdbcText.h"

#include <sqlext.h>

#include <algorithm>
#include <vector>

namespace db {

namespace {

// The SQLite driver widens its UTF-8 messages byte by byte; when every character fits in a byte and
// those bytes are UTF-8 with at least one multi-byte sequence, they are taken as the UTF-8 they were.
std::string SinDobleCodificacion(const SQLWCHAR *text, std::size_t n) {
    std::string bytes;
    bool multibyte = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] > 0xFF) {
            return OdbcToUtf8(text, n);
        }
        bytes += static_cast<char>(text[i]);
        multibyte = multibyte || text[i] >= 0x80;
    }
    if (!multibyte) {
        return bytes;
    }
    for (std::size_t i = 0; i < bytes.size();) {
        auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > bytes.size()) {
            return OdbcToUtf8(text, n);
        }
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 0x2) {
                return OdbcToUtf8(text, n);
            }
        }
        i += len;
    }
    return bytes;
}

} // namespace

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
        std::string line = SinDobleCodificacion(text.data(), n);
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
    // The SQLite driver passes SQLite's result code: the same plain words as the SQLite backend.
    if (message.rfind("[SQLite]", 0) == 0) {
        message = SqliteMessage(native, message);
    }
    return DbError(message, std::move(written), std::move(translated), native, std::move(state));
}

} // namespace db
