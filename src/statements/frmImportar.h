#pragma once

#include "host/Controls.h"
#include "host/Window.h"

#include <string>

namespace statements {

// "Importar Fichero": asks for the statement file to import. Its result is `ruta`, empty when the
// user left without choosing.
class frmImportar : public host::Window {
  public:
    explicit frmImportar(host::Shell &shell);

    const std::string titulo = "Importar Fichero";
    host::TextField txtRuta; // labelled "Examinar:"
    host::Button cmdExaminar, cmdImportar, cmdSalir;
    std::string ruta;

    void Form_Load() override;
    void cmdExaminar_Click();
    void cmdImportar_Click();
    void cmdSalir_Click();
    void Form_KeyDown_Escape() { cmdSalir_Click(); }
};

} // namespace statements
