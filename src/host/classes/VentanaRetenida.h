#pragma once

#include "host/Contexto.h"
#include "host/Window.h"

#include <memory>
#include <stdexcept>

namespace host {

inline Shell &ShellDelContexto() {
    if (!Contexto::Global().shell) {
        throw std::runtime_error("El programa anfitrión no ha dado una interfaz de usuario a la biblioteca");
    }
    return *Contexto::Global().shell;
}

// A host class that creates its window on the first Show and keeps it: a second Show reuses it,
// and after the user closed it the same object is loaded afresh. Destruction unloads it.
template <class W, class Base> class VentanaRetenida : public Base {
  public:
    ~VentanaRetenida() override {
        if (ventana_) {
            ventana_->Unload();
        }
    }
    void Show(int modal = 0, void * = nullptr) override {
        if (!ventana_) {
            ventana_ = std::make_unique<W>(ShellDelContexto());
            Preparar(*ventana_);
        }
        ventana_->Show(modal);
    }
    Window *Ventana() const override { return ventana_.get(); }

  protected:
    // What a host class plugs into its window once it is created.
    virtual void Preparar(W &) {}

  private:
    std::unique_ptr<W> ventana_;
};

// A catalogue host class: its window exists from creation (not shown), and once the window unloads
// the class lets it go, so that the next Show opens a freshly created one.
template <class W> class VentanaCatalogo : public HostClass {
  public:
    VentanaCatalogo() { Crear(); }
    ~VentanaCatalogo() override {
        if (ventana_ && !soltada_) {
            ventana_->alDescargar = nullptr;
            ventana_->Unload();
        }
    }
    void Show(int modal = 0, void * = nullptr) override {
        if (!ventana_ || soltada_) {
            Crear();
        }
        ventana_->Show(modal);
    }
    Window *Ventana() const override { return soltada_ ? nullptr : ventana_.get(); }
    // The window's unload notification. The object itself goes at the next Show or with the class,
    // since the window is still running its own unload now.
    void frmS_Unload() { soltada_ = true; }

  private:
    void Crear() {
        ventana_ = std::make_unique<W>(ShellDelContexto());
        soltada_ = false;
        ventana_->alDescargar = [this](Window &) { frmS_Unload(); };
    }
    std::unique_ptr<W> ventana_;
    bool soltada_ = false;
};

} // namespace host
