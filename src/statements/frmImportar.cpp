#include "statements/frmImportar.h"

namespace statements {

namespace {

bool EnBlanco(const std::string &s) {
    return s.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

frmImportar::frmImportar(host::Shell &shell) : Window("frmImportar", shell) {
    txtRuta.name = "txtRuta";
    txtRuta.caption = "Examinar:";
    cmdExaminar.name = "cmdExaminar";
    cmdExaminar.caption = "...";
    cmdImportar.name = "cmdImportar";
    cmdImportar.caption = "&Importar";
    cmdSalir.name = "cmdSalir";
    cmdSalir.caption = "&Salir";
}

void frmImportar::Form_Load() {
    txtRuta.text.clear();
    ruta.clear();
}

void frmImportar::cmdExaminar_Click() {
    Trap("cmdExaminar_Click", [&] {
        // Statement and tax files together first, so that the tax file is seen without changing the
        // filter; "Todos los archivos" last: the central organisation's files do not always end in .txt.
        std::string f = Ui().OpenFile(titulo,
                                      {{"Ficheros de extractos e impuestos (*.txt *.csv)", "*.txt *.csv"},
                                       {"Fichero (*.txt)", "*.txt"},
                                       {"(*.csv)", "*.csv"},
                                       {"Todos los archivos (*)", "*"}},
                                      "");
        if (!f.empty()) {
            txtRuta.text = f;
        }
    });
}

void frmImportar::cmdImportar_Click() {
    if (EnBlanco(txtRuta.text)) {
        Ui().MsgBox("Debe elegir un documento a importar", "¡ Atención !", host::Icon::Warning);
        Ui().Focus(*this, "txtRuta");
        return;
    }
    ruta = txtRuta.text;
    Close();
}

void frmImportar::cmdSalir_Click() {
    ruta.clear();
    Close();
}

} // namespace statements
