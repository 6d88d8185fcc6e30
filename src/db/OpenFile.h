#pragma once

#include "db/Connection.h"

#include <string>
#include <utility>
#include <vector>

namespace db {

// Opens an embedded database file with its attachments: through SQLite itself, or through the
// SQLite ODBC driver when PAGOCENTRAL_BACKEND is "odbc" (so that the whole suite can run on the
// ODBC code path).
// Read-only opens the files as they stand, on the SQLite backend whatever PAGOCENTRAL_BACKEND says.
ConnectionPtr OpenDatabaseFile(const std::string &path,
                               const std::vector<std::pair<std::string, std::string>> &attachments = {},
                               bool readOnly = false);

// A second connection from a connection's "Extended Properties": an embedded database with its
// attachments (on the backend that wrote the string), or any other ODBC string as SQL Server's.
ConnectionPtr OpenConnectionString(const std::string &connectionString);

// "sqlite" or "odbc", from PAGOCENTRAL_BACKEND.
std::string EmbeddedBackend();

} // namespace db
