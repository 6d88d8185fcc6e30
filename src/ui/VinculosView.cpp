#include "ui/VinculosView.h"

#include "ui/DateBox.h"
#include "ui/GridView.h"

#include <QBoxLayout>
#include <QLabel>

namespace ui {

void VinculosView::Fechas(QBoxLayout *row, Handler desde, Handler hasta, Handler enterHasta) {
    row->addWidget(Label(v_.txtDesde));
    row->addWidget(Date(v_.txtDesde, std::move(desde)));
    row->addSpacing(8);
    row->addWidget(Label(v_.txtHasta));
    row->addWidget(Date(v_.txtHasta, std::move(hasta), std::move(enterHasta)));
}

GridView *VinculosView::Tabla(GridHandlers h, int elastic) {
    h.click = [this](int r, int c) { v_.vsLineas_Click(r, c); };
    h.space = [this] { v_.vsLineas_KeySpace(); };
    h.header = &v_.chkSelelecion_vsExtractos;
    h.headerClick = [this] { v_.chkSelelecion_vsExtractos_Click(); };
    GridView *grid = Grid(v_.vsLineas, "vsLineas", std::move(h), {{elastic, 100}});
    root_->addWidget(grid, 1);
    return grid;
}

} // namespace ui
