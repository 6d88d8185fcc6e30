#include "app/DataFolder.h"

#include "db/DbError.h"
#include "db/Sql.h"
#include "db/sqlite/SqliteConnection.h"
#include "schema/Schema.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace app {

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

bool DataFolder::Exists() const { return fs::exists(ErpFile()) || fs::exists(AccountingFile()); }

void DataFolder::Create(bool demo) const {
    if (fs::exists(ErpFile()) || fs::exists(AccountingFile())) {
        throw std::runtime_error("Ya existen bases de datos en " + path_ +
                                 " (erp.db o contabilidad.db); no se sobrescriben.");
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
}

void DataFolder::Open(int company, db::ConnectionPtr &erp, db::ConnectionPtr &accounting) const {
    if (!fs::exists(ErpFile()) || !fs::exists(AccountingFile())) {
        throw std::runtime_error("No hay bases de datos en " + path_ + "; créelas con: pagocentral init --demo --data " +
                                 path_);
    }
    accounting = db::OpenSqlite(AccountingFile());
    std::string name = "Contabilidad";
    auto rs = accounting->OpenRecordset("SELECT Valor FROM Parametros WHERE Cod_Empresa = " + std::to_string(company) +
                                        " AND Nombre = 'ODBCBaseDatos'");
    if (!rs->Eof() && !rs->Fields(0).AsText().empty()) {
        name = rs->Fields(0).AsText();
    }
    rs.reset();
    erp = db::OpenSqlite(ErpFile(), {{name, AccountingFile()}});
}

} // namespace app
