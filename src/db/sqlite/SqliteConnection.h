#pragma once

#include "db/Connection.h"

#include <string>
#include <utility>
#include <vector>

namespace db {

// Opens (creating if needed) an SQLite database file in WAL mode. Each attachment (name, path)
// is reachable from the module's SQL by its three-part name "name.dbo.Table".
ConnectionPtr OpenSqlite(const std::string &path,
                         const std::vector<std::pair<std::string, std::string>> &attachments = {});

} // namespace db

namespace db {

// Runs native SQLite statements (schema and seed scripts) in one transaction, creating the file.
void RunSqliteScript(const std::string &path, const std::vector<std::string> &statements);

} // namespace db
