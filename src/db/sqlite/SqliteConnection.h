#pragma once

#include "db/Connection.h"

#include <string>
#include <utility>
#include <vector>

namespace db {

// Opens (creating if needed) an SQLite database file in WAL mode. Each attachment (name, path)
// is reachable from the module's SQL by its three-part name "name.dbo.Table". Read-only: the files
// are read as they stand (a folder that cannot be written), and every write is refused.
ConnectionPtr OpenSqlite(const std::string &path,
                         const std::vector<std::pair<std::string, std::string>> &attachments = {},
                         bool readOnly = false);

} // namespace db

namespace db {

// Runs native SQLite statements (schema and seed scripts) in one transaction, creating the file.
void RunSqliteScript(const std::string &path, const std::vector<std::string> &statements);

} // namespace db
