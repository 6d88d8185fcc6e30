#pragma once

#include "lines/VentanaVinculos.h"
#include "ui/VistaDialogo.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

class QBoxLayout;

namespace ui {

class LineasDateBox;
class LineasLookupBox;
class TablaVinculos;

// The views of the linking windows: the date range among the filters on top, the tick grid, a row
// of buttons below. The window's place goes to the controller before every action, so that it can
// save it when it closes.
class VistaVinculos : public VistaDialogo {
    Q_OBJECT
  public:
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

    TablaVinculos *Tabla() const { return tabla_; }
    QPushButton *Boton(const std::string &name) const;

  protected:
    // `titulo` is the controller's caption, read at every redraw.
    VistaVinculos(lines::VentanaVinculos &ventana, const std::string &titulo, QWidget *parent);

    // The dates' labels and boxes, into the row of filters.
    void AgregarFechas(QBoxLayout *fila);
    // What each date box runs as the user types, once its text is in the controller's field.
    void AlCambiarFechas(std::function<void()> desde, std::function<void()> hasta);
    // The grid under the filters; `elastica` is the column that takes the room left over.
    void CrearTabla(int elastica);

    struct BotonAccion {
        const host::Button &boton;
        std::function<void()> accion;
    };
    // The bottom row: `izquierda`, a stretch, `derecha`; each click runs its action through Accion.
    void FilaBotones(std::initializer_list<BotonAccion> izquierda, std::initializer_list<BotonAccion> derecha);
    // A key that runs a controller action wherever the focus is.
    void Tecla(int key, std::function<void()> accion);
    // Wide enough for the grid's columns, unless the user left the window elsewhere last time.
    void Colocar(int anchoMinimo, int alto);

    void keyPressEvent(QKeyEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

    LineasDateBox *desde_, *hasta_;
    TablaVinculos *tabla_ = nullptr;

  private:
    void AntesDeAccion() override;
    void Escape() override { v_.Form_KeyDown_Escape(); }
    void GuardarPosicion();
    // Each window's own filters, drawn between the dates and the buttons.
    virtual void MostrarFiltros() = 0;
    // The widget of one of those filters, else nullptr.
    virtual QWidget *Filtro(const std::string &name) = 0;
    // Where the focus goes when the window shows.
    virtual QWidget *PrimerFoco();
    virtual void DobleClic() = 0;
    // Up on the grid's first row: nothing unless the window answers it.
    virtual void ArribaEnPrimera() {}

    lines::VentanaVinculos &v_;
    const std::string &titulo_;
    std::vector<std::pair<const host::Button *, QPushButton *>> botones_;
    std::map<int, std::function<void()>> teclas_;
};

// The two payment-forecast views: the account box follows the dates, takes Enter from the end date
// and the focus while the grid is empty; Up on the grid's first row goes back to it.
class VistaPrevisiones : public VistaVinculos {
    Q_OBJECT
  protected:
    VistaPrevisiones(lines::VentanaPrevisiones &ventana, const std::string &titulo, QWidget *parent);

    void MostrarFiltros() override;
    QWidget *Filtro(const std::string &name) override;

    LineasLookupBox *cuenta_;

  private:
    void LeerCuenta();
    QWidget *PrimerFoco() override;
    void DobleClic() override { p_.vsLineas_DblClick(); }
    void ArribaEnPrimera() override;

    lines::VentanaPrevisiones &p_;
};

} // namespace ui
