#pragma once

#include "db/Connection.h"

#include <string>
#include <utility>
#include <vector>

namespace db {

// What the database behind the ODBC driver speaks.
enum class OdbcDialect {
    SqlServer, // the module's T-SQL is sent as written
    Sqlite,    // an SQLite database through the SQLite ODBC driver: T-SQL is rewritten first
};

// Opens a connection with SQLDriverConnect (never prompting). With the Sqlite dialect the
// driver settings the module relies on are added where the string does not name them (see
// SqliteOdbcConnectionString), and each attachment (name, path) is attached so that the
// module's names "name.dbo.Table" reach it, as OpenSqlite does.
ConnectionPtr OpenOdbc(const std::string &connectionString, OdbcDialect dialect,
                       const std::vector<std::pair<std::string, std::string>> &attachments = {});

// Debian's SQLite ODBC driver (package libsqliteodbc), usable without odbcinst registration.
inline constexpr const char *kSqliteOdbcDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

// A DSN-less connection string for an SQLite database file, with the settings OpenOdbc would
// otherwise add: the busy timeout of BusyTimeoutMs, WAL journal, full synchronous writes, real transactions,
// 64-bit integers, rows read at execution, no foreign key enforcement (as OpenSqlite).
std::string SqliteOdbcConnectionString(const std::string &databasePath,
                                       const std::string &driver = kSqliteOdbcDriver);

} // namespace db
