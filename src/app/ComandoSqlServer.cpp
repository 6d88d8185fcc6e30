#include "app/ComandoSqlServer.h"

#include "schema/Schema.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace app {

namespace {

void Write(const std::filesystem::path &file, const std::string &text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        throw std::runtime_error("No se puede escribir " + file.string());
    }
    std::cout << file.string() << "\n";
}

} // namespace

int ComandoSqlServer(const Args &args) {
    if (args.Positional().size() != 1) {
        throw std::runtime_error("Uso: pagocentral sqlserver-scripts CARPETA [--demo]");
    }
    std::filesystem::path dir = args.Positional()[0];
    std::filesystem::create_directories(dir);
    using schema::Dialect;
    Write(dir / "erp.sql", schema::SqlServerScript(schema::ErpDdlSqlServer(), ""));
    Write(dir / "contabilidad.sql", schema::SqlServerScript(schema::AccountingDdlSqlServer(), ""));
    if (args.Has("demo")) {
        Write(dir / "demo_erp.sql", schema::SqlServerScript(schema::DemoSeedErp(Dialect::SqlServer), ""));
        Write(dir / "demo_contabilidad.sql",
              schema::SqlServerScript(schema::DemoSeedAccounting(Dialect::SqlServer), ""));
    }
    return 0;
}

} // namespace app
