#include "printing/frmView.h"

#include <algorithm>
#include <array>

namespace printing {

namespace {

constexpr std::array<short, 9> kZooms{25, 50, 75, 100, 120, 150, 200, 300, 400};

void Boton(host::Control &c, const char *nombre, const char *caption) {
    c.name = nombre;
    c.caption = caption;
}

// The module's one viewer window; gone once it unloads.
std::unique_ptr<frmView> &Compartida() {
    static std::unique_ptr<frmView> v;
    return v;
}

} // namespace

frmView::frmView(host::Shell &shell) : Window("frmView", shell) {
    Boton(cmdPrimera, "cmdPrimera", "|<");
    Boton(cmdAnterior, "cmdAnterior", "<");
    Boton(cmdSiguiente, "cmdSiguiente", ">");
    Boton(cmdUltima, "cmdUltima", ">|");
    Boton(cmdImprimir, "cmdImprimir", "&Imprimir");
    Boton(cmdPdf, "cmdPdf", "Guardar como &PDF");
    Boton(cmdCerrar, "cmdCerrar", "&Cerrar");
}

void frmView::Form_Load() {
    caption = (Report && !Report->titulo.empty() ? Report->titulo + " - " : std::string()) + "Visor de Reportes";
    pagina = 1;
    Estados();
}

void frmView::IrA(int n) {
    pagina = std::clamp(n, 1, std::max(1, Paginas()));
    Estados();
    Ui().Refresh(*this);
}

void frmView::AumentarZoom() {
    auto it = std::upper_bound(kZooms.begin(), kZooms.end(), Zoom);
    Zoom = it == kZooms.end() ? kZooms.back() : *it;
    Ui().Refresh(*this);
}

void frmView::ReducirZoom() {
    auto it = std::lower_bound(kZooms.begin(), kZooms.end(), Zoom);
    Zoom = it == kZooms.begin() ? kZooms.front() : *(it - 1);
    Ui().Refresh(*this);
}

void frmView::cmdImprimir_Click() {
    Trap("cmdImprimir_Click", [&] {
        if (Report) {
            Ui().ImprimirReporte(*Report);
        }
    });
}

void frmView::Estados() {
    cmdPrimera.enabled = cmdAnterior.enabled = pagina > 1;
    cmdSiguiente.enabled = cmdUltima.enabled = pagina < Paginas();
    cmdImprimir.enabled = cmdPdf.enabled = Paginas() > 0;
}

void clsView::Cargar(bool modal, short zoom) {
    auto &v = Compartida();
    if (!v) {
        v = std::make_unique<frmView>(shell_);
    }
    v->SetShell(shell_);
    v->Report = reporte_;
    v->MostrarArbol = false;
    v->Zoom = zoom;
    v->Show(modal ? 1 : 0);
    if (modal || !v->Loaded()) {
        // Closed by now: the next preview gets a fresh window.
        if (v->Loaded()) {
            v->Unload();
        }
        v.reset();
    }
}

} // namespace printing
