#pragma once

// What every benchmark needs: a clock, raw SQLite statements that must not fail, and a data
// folder with both demo databases.
#include "db/sqlite/SqliteConnection.h"
#include "schema/Schema.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace bench {

inline double Seconds(std::chrono::steady_clock::time_point a) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
}

inline void Exec(sqlite3 *db, const std::string &sql) {
    char *err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n%s\n", err, sql.c_str());
        std::exit(1);
    }
}

// An empty folder `dir` with erp.db and contabilidad.db of the demo company, its dates placed
// around `today` ("yyyy-mm-dd"; empty: the current date).
inline void CrearDemo(const std::string &dir, const std::string &today = {}) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto erp = schema::ErpDdlSqlite();
    auto e = schema::DemoSeedErp(schema::Dialect::Sqlite, today);
    erp.insert(erp.end(), e.begin(), e.end());
    auto acc = schema::AccountingDdlSqlite();
    auto a = schema::DemoSeedAccounting(schema::Dialect::Sqlite, today);
    acc.insert(acc.end(), a.begin(), a.end());
    db::RunSqliteScript(dir + "/contabilidad.db", acc);
    db::RunSqliteScript(dir + "/erp.db", erp);
}

} // namespace bench
