#pragma once

#include <string>
#include <vector>

namespace schema {

enum class Dialect { Sqlite, SqlServer };

// Statements that create the ERP database: module tables, the suite tables the module reads,
// the stand-ins' tables, indexes and the six scalar functions.
std::vector<std::string> ErpDdl(Dialect dialect);
// Statements that create the accounting database.
std::vector<std::string> AccountingDdl(Dialect dialect);

inline std::vector<std::string> ErpDdlSqlite() { return ErpDdl(Dialect::Sqlite); }
inline std::vector<std::string> AccountingDdlSqlite() { return AccountingDdl(Dialect::Sqlite); }
inline std::vector<std::string> ErpDdlSqlServer() { return ErpDdl(Dialect::SqlServer); }
inline std::vector<std::string> AccountingDdlSqlServer() { return AccountingDdl(Dialect::SqlServer); }

// The demo company, with dates placed around `today` (ISO "yyyy-mm-dd") so that the default
// filters of the windows show it; empty means the current date.
std::vector<std::string> DemoSeedErp(Dialect dialect = Dialect::Sqlite, const std::string &today = {});
std::vector<std::string> DemoSeedAccounting(Dialect dialect = Dialect::Sqlite, const std::string &today = {});

// Whole sqlcmd scripts for a database administrator ("GO" between batches).
std::string SqlServerScript(const std::vector<std::string> &statements, const std::string &database);

} // namespace schema
