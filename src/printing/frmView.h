#pragma once

#include "host/Controls.h"
#include "host/Reporte.h"
#include "host/Window.h"

#include <memory>
#include <string>

namespace printing {

// The report viewer: one laid-out report, a page at a time, with zoom, printing and (in the GUI)
// saving as PDF. The caption ends with "Visor de Reportes".
class frmView : public host::Window {
  public:
    explicit frmView(host::Shell &shell);

    std::shared_ptr<const host::Reporte> Report;
    short Zoom = 100; // percent
    // The display switch taken from the report: the group tree, which a grid report never has.
    bool MostrarArbol = false;

    std::string caption;
    int pagina = 1; // 1-based
    host::Button cmdPrimera, cmdAnterior, cmdSiguiente, cmdUltima, cmdImprimir, cmdPdf, cmdCerrar;

    int Paginas() const { return Report ? static_cast<int>(Report->paginas.size()) : 0; }
    void Form_Load() override;
    void IrA(int n);
    void cmdPrimera_Click() { IrA(1); }
    void cmdAnterior_Click() { IrA(pagina - 1); }
    void cmdSiguiente_Click() { IrA(pagina + 1); }
    void cmdUltima_Click() { IrA(Paginas()); }
    // Steps through the usual zoom levels.
    void AumentarZoom();
    void ReducirZoom();
    void cmdImprimir_Click();
    void cmdCerrar_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }

  private:
    void Estados();
};

// What callers use to show a report: hands it to the module's one viewer window and shows it.
class clsView {
  public:
    explicit clsView(host::Shell &shell) : shell_(shell) {}
    void Report(std::shared_ptr<const host::Reporte> reporte) { reporte_ = std::move(reporte); }
    // With Modal set it returns once the user closed the viewer.
    void Cargar(bool modal, short zoom);

  private:
    host::Shell &shell_;
    std::shared_ptr<const host::Reporte> reporte_;
};

} // namespace printing
