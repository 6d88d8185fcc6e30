#include "host/Window.h"

#include "host/Progress.h"
#include <stdexcept>

namespace host {

void Window::Show(int modal) {
    if (!loaded_) {
        loaded_ = true;
        cargando_ = true;
        falloCarga_ = false;
        Form_Load();
        cargando_ = false;
        // A window whose loading failed shows half its data: the user saw the error box, and the
        // window closes rather than let anything be saved from it.
        if (falloCarga_) {
            Unload();
            return;
        }
    }
    visible_ = true;
    if (modal == 1) {
        shell_->ShowModal(*this);
    } else {
        shell_->Refresh(*this);
    }
}

void Window::Unload() {
    bool was = loaded_;
    if (loaded_) {
        Form_Unload();
    }
    loaded_ = false;
    visible_ = false;
    if (was && alDescargar) {
        alDescargar(*this);
    }
}

void Window::Report(const char *procedure, const std::string &description) {
    if (cargando_) {
        falloCarga_ = true;
    }
    std::string tag = className_ + ":" + procedure;
    if (line_ > 0) {
        tag = "[" + std::to_string(line_) + "] " + tag;
    }
    MostrarProgreso(*shell_, false);
    shell_->MsgBox(description, tag, Icon::Critical);
}

} // namespace host

namespace host {

void Shell::ImprimirReporte(const Reporte &) {
    throw std::runtime_error("No hay ninguna impresora disponible en esta sesión.");
}

} // namespace host
