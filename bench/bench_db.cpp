// The database layer against raw SQLite prepared statements, on the same INSERT and SELECT shapes
// with changing literals. Prints the ratio of the layer's time to the raw time.
#include "db/Connection.h"
#include "db/Sql.h"
#include "db/sqlite/SqliteConnection.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Comun.h"

namespace {

using bench::Seconds;

const char *kTable = "CREATE TABLE Lineas (Id INTEGER PRIMARY KEY AUTOINCREMENT, Cod_Empresa INTEGER, Cod_Extracto "
                     "VARCHAR(30) COLLATE NOCASE, Documento VARCHAR(50) COLLATE NOCASE, Fecha DATETIME, Importe MONEY)";

std::string Day(int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/2026", i % 28 + 1, i % 12 + 1);
    return buf;
}

std::string IsoDay(int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "2026-%02d-%02d", i % 12 + 1, i % 28 + 1);
    return buf;
}

} // namespace

int main(int argc, char **argv) {
    int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::string dir = std::filesystem::temp_directory_path() / "pagocentral-bench-db";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);

    // Raw: prepare once, bind, step.
    sqlite3 *raw = nullptr;
    sqlite3_open((dir + "/raw.db").c_str(), &raw);
    sqlite3_exec(raw, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(raw, kTable, nullptr, nullptr, nullptr);
    // Values and statement texts are made before timing: both sides then do only their own work.
    std::vector<std::string> exts, docs, days, inserts, selects;
    for (int i = 0; i < n; ++i) {
        exts.push_back("E" + std::to_string(i / 40));
        docs.push_back("F-" + std::to_string(i));
        days.push_back(IsoDay(i));
        inserts.push_back("INSERT INTO Lineas (Cod_Empresa, Cod_Extracto, Documento, Fecha, Importe) VALUES (1, " +
                          db::Quote(exts.back()) + ", " + db::Quote(docs.back()) + ", '" + Day(i) + "', " +
                          std::to_string(i * 0.25) + ")");
        selects.push_back("SELECT Documento, Fecha, Importe FROM Lineas WHERE Id = " + std::to_string(i + 1) +
                          " AND Cod_Empresa = 1");
    }
    sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
    auto t0 = std::chrono::steady_clock::now();
    sqlite3_stmt *ins = nullptr;
    sqlite3_prepare_v2(raw, "INSERT INTO Lineas (Cod_Empresa, Cod_Extracto, Documento, Fecha, Importe) VALUES (?, ?, ?, ?, ?)",
                       -1, &ins, nullptr);
    for (int i = 0; i < n; ++i) {
        sqlite3_bind_int(ins, 1, 1);
        sqlite3_bind_text(ins, 2, exts[i].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(ins, 3, docs[i].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(ins, 4, days[i].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(ins, 5, i * 0.25);
        sqlite3_step(ins);
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    double rawInsert = Seconds(t0);
    sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
    t0 = std::chrono::steady_clock::now();
    sqlite3_stmt *sel = nullptr;
    sqlite3_prepare_v2(raw, "SELECT Documento, Fecha, Importe FROM Lineas WHERE Id = ? AND Cod_Empresa = ?", -1, &sel,
                       nullptr);
    double rawSum = 0;
    for (int i = 1; i <= n; ++i) {
        sqlite3_bind_int(sel, 1, i);
        sqlite3_bind_int(sel, 2, 1);
        while (sqlite3_step(sel) == SQLITE_ROW) {
            rawSum += sqlite3_column_double(sel, 2);
            (void)sqlite3_column_text(sel, 0);
            (void)sqlite3_column_text(sel, 1);
        }
        sqlite3_reset(sel);
    }
    sqlite3_finalize(sel);
    double rawSelect = Seconds(t0);
    sqlite3_close(raw);

    // The layer: T-SQL text with the literals written in, day-first dates.
    db::RunSqliteScript(dir + "/layer.db", {kTable});
    auto conn = db::OpenSqlite(dir + "/layer.db");
    conn->BeginTrans();
    t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) {
        conn->Execute(inserts[i]);
    }
    double layerInsert = Seconds(t0);
    conn->CommitTrans();
    t0 = std::chrono::steady_clock::now();
    double layerSum = 0;
    for (int i = 1; i <= n; ++i) {
        auto rs = conn->OpenRecordset(selects[i - 1]);
        while (!rs->Eof()) {
            layerSum += rs->Fields("Importe").AsDouble();
            (void)rs->Fields("Documento").AsText();
            (void)rs->Fields("Fecha").AsText();
            rs->MoveNext();
        }
    }
    double layerSelect = Seconds(t0);
    std::printf("rows: %d\n", n);
    std::printf("insert: raw %.3f s, layer %.3f s, ratio %.2f (aim 1.5)\n", rawInsert, layerInsert,
                layerInsert / rawInsert);
    std::printf("select: raw %.3f s, layer %.3f s, ratio %.2f (aim 1.5)\n", rawSelect, layerSelect,
                layerSelect / rawSelect);
    std::printf("checksums equal: %s\n", rawSum == layerSum ? "yes" : "no");
    std::filesystem::remove_all(dir);
    return rawSum == layerSum ? 0 : 1;
}
