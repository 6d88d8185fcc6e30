#include "app/Sesion.h"

#include "host/Contexto.h"
#include "printing/Plantilla.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"

namespace app {

void AbrirSesion(const Args &args, host::Shell &shell) {
    DataFolder folder(args.Get("data", DataFolder::DefaultPath()));
    int company = args.GetInt("company", 1);
    db::ConnectionPtr erp, acc;
    folder.Open(company, erp, acc);
    auto &c = host::Contexto::Global();
    c.conexionVarnex = erp;
    c.conexionLumbra = acc;
    c.empresaVarnex = std::make_shared<suite::EmpresaVarnex>(erp, company);
    c.empresaLumbra = std::make_shared<suite::EmpresaLumbra>(acc, company);
    c.shell = &shell;
    // The report templates ship with the program: the first run puts them into the application folder.
    try {
        printing::InstalarPlantillas(c.empresaVarnex->PathAplicacion());
    } catch (const std::exception &) {
        // A company without its row reports that where it matters.
    }
}

} // namespace app
