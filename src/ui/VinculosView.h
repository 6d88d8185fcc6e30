#pragma once

#include "lines/VentanaVinculos.h"
#include "ui/WindowView.h"

class QBoxLayout;

namespace ui {

// What the linking windows' views share: the date range among the filters, the tick grid, the
// window's caption and its place kept between sessions.
class VinculosView : public WindowView {
    Q_OBJECT
  protected:
    template <class W> VinculosView(W &window, QWidget *parent) : WindowView(window, parent), v_(window) {
        setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
        Caption(window.caption);
        KeepPosition(window.posicion);
    }

    // "Desde:" and "Hasta:" with their boxes, into `row`.
    void Fechas(QBoxLayout *row, Handler desde, Handler hasta, Handler enterHasta = {});
    // The documents grid under the filters; `handlers` adds to the ticks every window has.
    GridView *Tabla(GridHandlers handlers, int elastic);

    lines::VentanaVinculos &v_;
};

} // namespace ui
