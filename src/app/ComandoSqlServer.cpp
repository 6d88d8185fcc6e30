#include "app/ComandoSqlServer.h"

#include "schema/Schema.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <vector>

namespace app {

namespace {

// With a UTF-8 byte order mark, so that sqlcmd reads the accented names as UTF-8 whatever the
// server's code page (without it, it takes the file as the client's ANSI code page).
void Write(const std::filesystem::path &file, const std::string &text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "\xEF\xBB\xBF" << text;
    if (!out) {
        throw std::runtime_error("No se puede escribir " + file.string());
    }
    std::cout << file.string() << "\n";
}

// The module compares texts as SQL Server does under a case-insensitive, accent-sensitive Spanish
// collation ('p-4444' = 'P-4444', 'Pérez' <> 'Perez', "Cárnicas" before "Congelados"): the database
// gets it before its tables, and so every text column and temporary table that does not name one.
std::vector<std::string> Collated(std::vector<std::string> ddl) {
    ddl.insert(ddl.begin(), "ALTER DATABASE CURRENT COLLATE Modern_Spanish_CI_AS");
    return ddl;
}

} // namespace

int ComandoSqlServer(const Args &args) {
    if (args.Positional().size() != 1) {
        throw std::runtime_error("Uso: pagocentral sqlserver-scripts CARPETA [--demo]");
    }
    std::filesystem::path dir = args.Positional()[0];
    std::filesystem::create_directories(dir);
    using schema::Dialect;
    Write(dir / "erp.sql", schema::SqlServerScript(Collated(schema::ErpDdlSqlServer()), ""));
    Write(dir / "contabilidad.sql", schema::SqlServerScript(Collated(schema::AccountingDdlSqlServer()), ""));
    if (args.Has("demo")) {
        Write(dir / "demo_erp.sql", schema::SqlServerScript(schema::DemoSeedErp(Dialect::SqlServer), ""));
        Write(dir / "demo_contabilidad.sql",
              schema::SqlServerScript(schema::DemoSeedAccounting(Dialect::SqlServer), ""));
    }
    return 0;
}

} // namespace app
