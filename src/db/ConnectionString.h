#pragma once

#include <string>
#include <utility>
#include <vector>

namespace db {

// "key=value;key={value; with ; and }} inside}" as (key, value) pairs in order, braces removed.
std::vector<std::pair<std::string, std::string>> ParseConnectionString(const std::string &text);
// The value as a connection string carries it: in braces when it holds ';', braces or edge blanks.
std::string ConnectionStringValue(const std::string &value);

// "Extended Properties" of an embedded connection: the database file and each attachment (name,
// path), for OpenConnectionString. odbcString is the ODBC connection string when the connection
// goes through the SQLite ODBC driver, empty for the SQLite backend.
std::string EmbeddedExtendedProperties(const std::string &path,
                                       const std::vector<std::pair<std::string, std::string>> &attachments,
                                       const std::string &odbcString = {});

} // namespace db
