#pragma once

#include "host/Controls.h"
#include "host/Window.h"
#include "ui/QtShell.h"

#include <QDialog>

#include <functional>
#include <string>
#include <utility>

class QPushButton;
class QVBoxLayout;

namespace ui {

class LineasLookupBox;

// A modal view over one controller. Every user action runs through Accion, which closes the dialog
// once the controller has unloaded and redraws it otherwise; Escape and the close box go through
// the controller too.
class VistaDialogo : public QDialog, public View {
    Q_OBJECT
  public:
    QWidget *Widget() override { return this; }

  protected:
    VistaDialogo(host::Window &ventana, QWidget *parent);

    // Ignored while the view redraws, so that the widgets' own signals never reach the controller.
    void Accion(const std::function<void()> &accion);
    void reject() override;

    // Aceptar and Cancelar at the bottom right, through Accion; Aceptar runs `leer` first, which
    // hands what the user typed to the controller.
    template <class W> void FilaAceptarCancelar(W &w, std::function<void()> leer) {
        CrearAceptarCancelar(
            w.cmdAceptar,
            [&w, leer = std::move(leer)] {
                leer();
                w.cmdAceptar_Click();
            },
            w.cmdCancelar, [&w] { w.cmdCancelar_Click(); });
    }
    // Their enabled state from the controller.
    void MostrarAceptarCancelar();
    // The widget of cmdAceptar or cmdCancelar, else nullptr.
    QWidget *BotonAceptarCancelar(const std::string &name) const;
    // Fits the dialog to its contents when `forma`, a summary of what shows, changed since last time.
    void AjustarSiCambia(int forma);

    QVBoxLayout *root_;
    QPushButton *aceptar_ = nullptr, *cancelar_ = nullptr;
    bool pintando_ = false;

  private:
    // Run before each action and before Escape.
    virtual void AntesDeAccion() {}
    virtual void Escape() = 0;
    // Whether the unloaded controller's answer was Aceptar.
    virtual bool Aceptado() const { return false; }

    void CrearAceptarCancelar(const host::Button &aceptar, std::function<void()> alAceptar,
                              const host::Button &cancelar, std::function<void()> alCancelar);

    host::Window &ventana_;
    const host::Button *bAceptar_ = nullptr, *bCancelar_ = nullptr;
    int forma_ = -1;
};

// A numeric lookup box and its field: the code shows blank for none.
void MostrarCodigo(LineasLookupBox *box, const host::LookupField &campo);
// The typed code into the field.
void CopiarCodigo(const LineasLookupBox *box, host::LookupField &campo);
// The same, only when it differs from what the field holds; true when it did.
bool LeerCodigo(const LineasLookupBox *box, host::LookupField &campo);

} // namespace ui
