#include "app/DataFolder.h"

#include "db/DbError.h"
#include "db/sqlite/SqliteMessages.h"
#include "db/Sql.h"
#include "db/OpenFile.h"
#include "printing/Plantilla.h"
#include "db/odbc/OdbcConnection.h"
#include "db/sqlite/SqliteConnection.h"
#include "suite/LeerIni.h"

#include <cctype>
#include "schema/Schema.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <map>
#include <stdexcept>

namespace fs = std::filesystem;

namespace app {

namespace {

std::string UriSoloLectura(const std::string &path) {
    std::string out = "file:";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", static_cast<unsigned char>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "?mode=ro";
}

} // namespace

namespace {

// Folders made by an earlier version lack the tables, indexes and triggers added or changed since:
// they are brought up to date on open, once.
void ActualizarEsquema(const std::string &file, const std::vector<std::string> &ddl) {
    sqlite3 *h = nullptr;
    if (sqlite3_open_v2(file.c_str(), &h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(h);
        return; // the normal open reports it
    }
    sqlite3_busy_timeout(h, 15000);
    std::map<std::string, std::string> existentes;
    sqlite3_stmt *st = nullptr;
    auto fallo = [&](const std::string &que) {
        std::string msg = db::SqliteMessage(sqlite3_extended_errcode(h), sqlite3_errmsg(h));
        sqlite3_finalize(st);
        sqlite3_close(h);
        throw db::DbError("No se puede abrir " + file + " para " + que + ": " + msg);
    };
    // Tables added since: created empty.
    std::map<std::string, bool> tablas;
    if (sqlite3_prepare_v2(h, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &st, nullptr) != SQLITE_OK) {
        fallo("leerla");
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        tablas[reinterpret_cast<const char *>(sqlite3_column_text(st, 0))] = true;
    }
    sqlite3_finalize(st);
    st = nullptr;
    for (const auto &sql : ddl) {
        if (sql.rfind("CREATE TABLE ", 0) != 0) {
            continue;
        }
        std::string nombre = sql.substr(13, sql.find_first_of(" (", 13) - 13);
        if (tablas.count(nombre) == 0) {
            char *err = nullptr;
            if (sqlite3_exec(h, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
                std::string msg = db::SqliteMessage(sqlite3_extended_errcode(h), err ? err : sqlite3_errmsg(h));
                sqlite3_free(err);
                sqlite3_close(h);
                throw db::DbError("No se puede crear la tabla " + nombre + " en " + file + ": " + msg, sql);
            }
        }
    }
    if (sqlite3_prepare_v2(h, "SELECT name, sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND sql IS NOT NULL",
                           -1, &st, nullptr) != SQLITE_OK) {
        fallo("leerla");
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        existentes[reinterpret_cast<const char *>(sqlite3_column_text(st, 0))] =
            reinterpret_cast<const char *>(sqlite3_column_text(st, 1));
    }
    if (rc != SQLITE_DONE) {
        fallo("leerla");
    }
    sqlite3_finalize(st);
    st = nullptr;
    // Indexes and triggers of ours that the current schema no longer has go.
    for (const auto &[nombre, sqlExistente] : existentes) {
        bool nuestro = nombre.rfind("IX_", 0) == 0 || nombre.rfind("TR_", 0) == 0;
        bool definido = false;
        for (const auto &sql : ddl) {
            definido |= sql.find(" " + nombre + " ") != std::string::npos;
        }
        if (nuestro && !definido) {
            std::string tipo = nombre.rfind("IX_", 0) == 0 ? "INDEX" : "TRIGGER";
            sqlite3_exec(h, ("DROP " + tipo + " IF EXISTS \"" + nombre + "\"").c_str(), nullptr, nullptr, nullptr);
        }
    }
    for (const auto &sql : ddl) {
        std::string tipo = sql.rfind("CREATE INDEX ", 0) == 0 ? "INDEX" : sql.rfind("CREATE TRIGGER ", 0) == 0 ? "TRIGGER" : "";
        if (tipo.empty()) {
            continue;
        }
        std::size_t inicio = 8 + tipo.size();
        std::string nombre = sql.substr(inicio, sql.find(' ', inicio) - inicio);
        auto it = existentes.find(nombre);
        if (it == existentes.end() || it->second != sql) {
            std::string cambio = "BEGIN; DROP " + tipo + " IF EXISTS \"" + nombre + "\"; " + sql + "; COMMIT;";
            char *err = nullptr;
            if (sqlite3_exec(h, cambio.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
                sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
                std::string msg = db::SqliteMessage(sqlite3_extended_errcode(h), err ? err : sqlite3_errmsg(h));
                sqlite3_free(err);
                sqlite3_close(h);
                throw db::DbError("No se puede crear " + std::string(tipo == "INDEX" ? "el índice " : "el disparador ") + nombre + " en " + file + ": " + msg, sql);
            }
        }
    }
    sqlite3_close(h);
}

} // namespace

std::string DataFolder::DefaultPath() {
    if (const char *x = std::getenv("PAGOCENTRAL_DATA"); x && *x) {
        return x;
    }
    if (const char *x = std::getenv("XDG_DATA_HOME"); x && *x) {
        return std::string(x) + "/VRNXComprasPagoCentral/demo";
    }
    const char *home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.local/share/VRNXComprasPagoCentral/demo";
}

bool DataFolder::SoloLectura() const {
    // A folder that cannot be written (a read-only disk, no permission): its files are read as
    // they stand, and every change is refused with a message that says so.
    return access(path_.c_str(), W_OK) != 0 || access(ErpFile().c_str(), W_OK) != 0 ||
           access(AccountingFile().c_str(), W_OK) != 0;
}

bool DataFolder::Exists() const { return fs::exists(ErpFile()) || fs::exists(AccountingFile()); }

std::string DataFolder::Create(bool demo) const {
    bool hayErp = fs::exists(ErpFile()), hayConta = fs::exists(AccountingFile());
    if (hayErp && hayConta) {
        throw std::runtime_error("Ya existen bases de datos en " + path_ +
                                 " (erp.db y contabilidad.db); no se sobrescriben.");
    }
    if (hayErp || hayConta) {
        // Only the missing database, empty: the demo company lives in both or in neither.
        if (demo) {
            throw std::runtime_error("Ya existe " + (hayErp ? ErpFile() : AccountingFile()) +
                                     "; la base de datos que falta se crea vacía con: pagocentral init --data " + path_);
        }
        std::string falta = hayErp ? AccountingFile() : ErpFile();
        try {
            db::RunSqliteScript(falta, hayErp ? schema::AccountingDdlSqlite() : schema::ErpDdlSqlite());
        } catch (...) {
            fs::remove(falta);
            fs::remove(falta + "-wal");
            fs::remove(falta + "-shm");
            throw;
        }
        return falta;
    }
    fs::create_directories(path_);
    std::vector<std::string> acc = schema::AccountingDdlSqlite();
    std::vector<std::string> erp = schema::ErpDdlSqlite();
    if (demo) {
        auto a = schema::DemoSeedAccounting();
        acc.insert(acc.end(), a.begin(), a.end());
        auto e = schema::DemoSeedErp();
        erp.insert(erp.end(), e.begin(), e.end());
        // The warehouse mapping file and report templates are looked for beside the databases.
        erp.push_back("UPDATE Empresas SET PathAplicacion = " + db::Quote(fs::absolute(path_).string()));
    }
    try {
        db::RunSqliteScript(AccountingFile(), acc);
        db::RunSqliteScript(ErpFile(), erp);
    } catch (...) {
        // Half a data folder is worse than none.
        for (const auto &f : {AccountingFile(), ErpFile()}) {
            fs::remove(f);
            fs::remove(f + "-wal");
            fs::remove(f + "-shm");
        }
        throw;
    }
    if (demo) {
        printing::InstalarPlantillas(fs::absolute(path_).string());
    }
    return {};
}

namespace {

// The value of "Database=" in an ODBC connection string, for attaching an SQLite accounting file.
std::string DatabaseOf(const std::string &conn) {
    std::string lower;
    for (char c : conn) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    auto p = lower.find("database=");
    if (p == std::string::npos) {
        return {};
    }
    auto e = conn.find(';', p);
    return conn.substr(p + 9, e == std::string::npos ? std::string::npos : e - p - 9);
}

std::string AccountingName(db::Connection &accounting, int company) {
    auto rs = accounting.OpenRecordset("SELECT Valor FROM Parametros WHERE Cod_Empresa = " + std::to_string(company) +
                                       " AND Nombre = 'ODBCBaseDatos'");
    if (!rs->Eof() && !rs->Fields(0).AsText().empty()) {
        return rs->Fields(0).AsText();
    }
    return "Contabilidad";
}

} // namespace

std::string DataFolder::SettingsFile() const { return path_ + "/conexion.ini"; }

void DataFolder::Open(int company, db::ConnectionPtr &erp, db::ConnectionPtr &accounting) const {
    std::string settings = SettingsFile();
    std::string motor = fs::exists(settings) ? suite::LeerIni(settings, "Conexion", "Motor") : "";
    if (motor == "odbc") {
        std::string erpConn = suite::LeerIni(settings, "Conexion", "ERP");
        std::string accConn = suite::LeerIni(settings, "Conexion", "Contabilidad");
        std::string dialect = suite::LeerIni(settings, "Conexion", "Dialecto");
        if (erpConn.empty() || accConn.empty()) {
            throw std::runtime_error(settings + ": faltan las cadenas de conexión ERP y Contabilidad de [Conexion]");
        }
        if (dialect == "sqlite") {
            accounting = db::OpenOdbc(accConn, db::OdbcDialect::Sqlite);
            erp = db::OpenOdbc(erpConn, db::OdbcDialect::Sqlite,
                               {{AccountingName(*accounting, company), DatabaseOf(accConn)}});
        } else if (dialect.empty() || dialect == "sqlserver") {
            // On SQL Server the accounting database is reached by its real name.
            accounting = db::OpenOdbc(accConn, db::OdbcDialect::SqlServer);
            erp = db::OpenOdbc(erpConn, db::OdbcDialect::SqlServer);
        } else {
            throw std::runtime_error(settings + ": Dialecto debe ser sqlserver o sqlite, no '" + dialect + "'");
        }
        return;
    }
    if (!motor.empty() && motor != "sqlite") {
        throw std::runtime_error(settings + ": Motor debe ser sqlite u odbc, no '" + motor + "'");
    }
    bool hayErp = fs::exists(ErpFile()), hayConta = fs::exists(AccountingFile());
    if (!hayErp && !hayConta) {
        throw std::runtime_error("No hay bases de datos en " + path_ + "; créelas con: pagocentral init --demo --data " +
                                 path_);
    }
    if (!hayErp || !hayConta) {
        throw std::runtime_error(
            std::string("Falta ") + (hayErp ? "la base de datos contable " + AccountingFile()
                                            : "la base de datos de la empresa " + ErpFile()) +
            " (la otra sí está). Créela vacía, sin tocar la que existe, con: pagocentral init --data " + path_);
    }
    bool soloLectura = SoloLectura();
    if (!soloLectura) {
        ActualizarEsquema(ErpFile(), schema::ErpDdlSqlite());
        ActualizarEsquema(AccountingFile(), schema::AccountingDdlSqlite());
    }
    accounting = db::OpenDatabaseFile(AccountingFile(), {}, soloLectura);
    std::string name = AccountingName(*accounting, company);
    // Attached read-only: the ERP connection only reads the accounting tables, and a writable
    // attachment would make its transactions take the accounting file's write lock too, against
    // the accounting connection of the same run. (A read-only folder attaches it as it stands.)
    erp = db::OpenDatabaseFile(ErpFile(), {{name, soloLectura ? AccountingFile() : UriSoloLectura(AccountingFile())}},
                               soloLectura);
}

} // namespace app
