#include "app/ComandoImport.h"

#include "app/Sesion.h"
#include "host/ConsoleShell.h"
#include "host/ScriptedShell.h"
#include "statements/frmExtractos.h"
#include "statements/frmImportar.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace app {

int ComandoImport(const Args &args) {
    if (args.Positional().size() != 1) {
        throw std::runtime_error("Indique un fichero a importar: pagocentral import FICHERO");
    }
    // Absolute, so that the import log says which file it was.
    std::string fichero = std::filesystem::absolute(args.Positional()[0]).string();
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    statements::frmExtractos w(console);
    // Only the import is reported, not the list's first load.
    host::ScriptedShell quiet;
    w.SetShell(quiet);
    w.Show();
    w.SetShell(console);
    console.openFiles.push_back(fichero);
    console.handlers["frmImportar"] = [](host::Window &win) {
        auto &f = static_cast<statements::frmImportar &>(win);
        f.cmdExaminar_Click();
        f.cmdImportar_Click();
    };
    int antes = console.messagesShown;
    w.cmdImportar_Click();
    if (!w.Importado()) {
        if (console.messagesShown == antes) {
            // The parsers fail silently on a missing file; a batch run must still say why.
            std::cerr << "No se ha importado nada: no existe el fichero " << fichero << "\n";
        }
        return 1;
    }
    std::cout << "Importado: " << fichero << "\n";
    return 0;
}

} // namespace app
