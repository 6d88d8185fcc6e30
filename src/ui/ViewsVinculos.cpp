#include "ui/ViewsVinculos.h"

#include "ui/GridModel.h"
#include "ui/QtShell.h"
#include "ui/frmExtractos_Lineas_NoPagoFechaVtoView.h"
#include "ui/frmExtractos_Lineas_VinculosView.h"
#include "ui/frmExtractos_Lineas_Vinculos_2View.h"
#include "ui/frmExtractos_Lineas_Vinculos_Agregar_FacturaView.h"
#include "ui/frmPedirProveedorView.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <memory>

namespace ui {

void RegisterVinculosViews() {
    QtShell::Register("frmExtractos_Lineas_Vinculos", [](host::Window &w, host::Shell &shell, QWidget *parent) {
        return std::unique_ptr<View>(
            new frmExtractos_Lineas_VinculosView(static_cast<lines::frmExtractos_Lineas_Vinculos &>(w), shell, parent));
    });
    QtShell::Register("frmExtractos_Lineas_Vinculos_2", [](host::Window &w, host::Shell &shell, QWidget *parent) {
        return std::unique_ptr<View>(new frmExtractos_Lineas_Vinculos_2View(
            static_cast<lines::frmExtractos_Lineas_Vinculos_2 &>(w), shell, parent));
    });
    QtShell::Register("frmExtractos_Lineas_Vinculos_Agregar_Factura",
                      [](host::Window &w, host::Shell &shell, QWidget *parent) {
                          return std::unique_ptr<View>(new frmExtractos_Lineas_Vinculos_Agregar_FacturaView(
                              static_cast<lines::frmExtractos_Lineas_Vinculos_Agregar_Factura &>(w), shell, parent));
                      });
    QtShell::Register("frmExtractos_Lineas_NoPagoFechaVto", [](host::Window &w, host::Shell &shell, QWidget *parent) {
        return std::unique_ptr<View>(new frmExtractos_Lineas_NoPagoFechaVtoView(
            static_cast<lines::frmExtractos_Lineas_NoPagoFechaVto &>(w), shell, parent));
    });
    QtShell::Register("frmPedirProveedor", [](host::Window &w, host::Shell &shell, QWidget *parent) {
        return std::unique_ptr<View>(
            new frmPedirProveedorView(static_cast<lines::frmPedirProveedor &>(w), shell, parent));
    });
}

int PixelsToTwips(int pixels) {
    double dpi = 96.0;
    if (auto *screen = QGuiApplication::primaryScreen()) {
        dpi = screen->logicalDotsPerInchX();
    }
    return static_cast<int>(pixels * 1440.0 / dpi + 0.5);
}

void AplicarPosicion(QWidget *ventana, const lines::PosicionVentana &p) {
    if (p.width <= 0 || p.height <= 0) {
        return;
    }
    QRect r(TwipsToPixels(p.left), TwipsToPixels(p.top), TwipsToPixels(p.width), TwipsToPixels(p.height));
    // A position saved on a screen that is no longer there would leave the window out of reach.
    if (auto *screen = QGuiApplication::primaryScreen()) {
        QRect disponible = screen->availableVirtualGeometry();
        r.setWidth(std::min(r.width(), disponible.width()));
        r.setHeight(std::min(r.height(), disponible.height()));
        if (!disponible.intersects(r)) {
            r.moveTopLeft(disponible.topLeft());
        }
    }
    ventana->resize(r.size());
    ventana->move(r.topLeft());
}

lines::PosicionVentana PosicionDe(const QWidget *ventana) {
    lines::PosicionVentana p;
    p.left = PixelsToTwips(ventana->x());
    p.top = PixelsToTwips(ventana->y());
    p.width = PixelsToTwips(ventana->width());
    p.height = PixelsToTwips(ventana->height());
    return p;
}

TablaVinculos::TablaVinculos(host::Grid &grid, int elastica, QWidget *parent)
    : QTableView(parent), grid_(grid), elastica_(elastica) {
    modelo_ = new GridModel(grid_, this);
    setModel(modelo_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    // The yellow of linked rows stays visible under the selection, which is only a frame.
    setStyleSheet(
        "QTableView { gridline-color: #c8c8c8; selection-background-color: transparent; selection-color: black; }"
        "QTableView::item:selected { border-top: 2px solid palette(highlight); border-bottom: 2px solid "
        "palette(highlight); }");
    chkCabecera_ = new QCheckBox(horizontalHeader());
    chkCabecera_->setToolTip(QStringLiteral("Marcar o desmarcar todas las líneas"));

    connect(chkCabecera_, &QCheckBox::clicked, this, [this](bool on) {
        if (!pintando_) {
            emit cabeceraPulsada(on);
        }
    });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex &i) {
        if (!pintando_ && i.isValid() && i.column() == 0) {
            grid_.row = i.row() + 1;
            emit marcaPulsada(i.row() + 1);
        }
    });
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex &i) {
        if (!pintando_ && i.isValid()) {
            grid_.row = i.row() + 1;
            emit dobleClic();
        }
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &cur) {
        if (!pintando_ && cur.isValid()) {
            grid_.row = cur.row() + 1;
        }
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!pintando_) {
            grid_.topRow = grid_.DataRows() > 0 ? v + 1 : 0;
        }
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { ColocarCheckCabecera(); });
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { ColocarCheckCabecera(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { ColocarCheckCabecera(); });
}

void TablaVinculos::Mostrar(bool cabeceraMarcada) {
    pintando_ = true;
    if (grid_.redraw) {
        modelo_->Sync();
    }
    auto *header = horizontalHeader();
    for (int c = 0; c < grid_.Cols(); ++c) {
        const auto &col = grid_.columns[static_cast<std::size_t>(c)];
        bool estaba = isColumnHidden(c);
        setColumnHidden(c, col.hidden);
        // The layout's widths at first, and for a column that appears; afterwards the user's.
        if (!col.hidden && (!anchosPuestos_ || estaba)) {
            header->resizeSection(c, ColumnPixels(col, font()));
        }
    }
    anchosPuestos_ = true;
    AjustarElastica();
    if (grid_.row >= 1 && grid_.row <= grid_.DataRows()) {
        int primera = 0;
        while (primera < grid_.Cols() - 1 && isColumnHidden(primera)) {
            ++primera;
        }
        if (currentIndex().row() != grid_.row - 1) {
            setCurrentIndex(modelo_->index(grid_.row - 1, primera));
        }
        selectRow(grid_.row - 1);
        if (grid_.topRow >= 1) {
            verticalScrollBar()->setValue(grid_.topRow - 1);
        }
    }
    chkCabecera_->setChecked(cabeceraMarcada);
    ColocarCheckCabecera();
    pintando_ = false;
}

int TablaVinculos::AnchoColumnas() const {
    int total = 0;
    for (const auto &col : grid_.columns) {
        if (!col.hidden) {
            total += ColumnPixels(col, font());
        }
    }
    return total;
}

void TablaVinculos::AjustarElastica() {
    if (elastica_ < 0 || elastica_ >= grid_.Cols() || isColumnHidden(elastica_)) {
        return;
    }
    auto *header = horizontalHeader();
    int otras = 0;
    for (int c = 0; c < grid_.Cols(); ++c) {
        if (c != elastica_ && !isColumnHidden(c)) {
            otras += header->sectionSize(c);
        }
    }
    int propio = ColumnPixels(grid_.columns[static_cast<std::size_t>(elastica_)], font());
    header->resizeSection(elastica_, std::max(propio, viewport()->width() - otras));
}

void TablaVinculos::ColocarCheckCabecera() {
    auto *header = horizontalHeader();
    int x = header->sectionViewportPosition(0);
    int ancho = header->sectionSize(0);
    QSize s = chkCabecera_->sizeHint();
    chkCabecera_->setGeometry(x + (ancho - s.width()) / 2, (header->height() - s.height()) / 2, s.width(), s.height());
    chkCabecera_->setVisible(!isColumnHidden(0) && x + ancho > 0);
}

void TablaVinculos::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (currentIndex().isValid()) {
            grid_.row = currentIndex().row() + 1;
        }
        emit espacioPulsado();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Up && currentIndex().row() <= 0) {
        grid_.row = grid_.DataRows() > 0 ? 1 : 0;
        emit arribaEnPrimera();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TablaVinculos::resizeEvent(QResizeEvent *event) {
    QTableView::resizeEvent(event);
    AjustarElastica();
    ColocarCheckCabecera();
}

void TablaVinculos::showEvent(QShowEvent *event) {
    QTableView::showEvent(event);
    AjustarElastica();
    ColocarCheckCabecera();
}

} // namespace ui
