#pragma once

#include <sql.h>
#include <sqlucode.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace db {

// Texts cross the ODBC boundary as UTF-16 (the W entry points), so that neither the driver's
// nor the process's locale decides how accented letters travel; the module keeps UTF-8.
using OdbcWide = std::basic_string<SQLWCHAR>;

OdbcWide Utf8ToOdbc(std::string_view text);
std::string OdbcToUtf8(const SQLWCHAR *text, std::size_t length);
inline std::string OdbcToUtf8(const OdbcWide &text) {
    return OdbcToUtf8(text.data(), text.size());
}

} // namespace db
