#include "ui/GridView.h"

#include "suite/Configuracion.h"
#include "ui/GridModel.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <sstream>

namespace ui {

namespace {

// Rows measured for a column's width: enough to see what a column holds without a pass over a
// long list on every reload.
constexpr int kFilasMedidas = 300;

// Paints every cell in its own colour, selected or not, and frames the current row.
class DelegadoFilas : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QStyleOptionViewItem opt = option;
        bool actual = opt.state & QStyle::State_Selected;
        opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        // The style has already filled a selected row with the highlight: the cell's own colour,
        // or the plain base, goes over it.
        QVariant fondo = index.data(Qt::BackgroundRole);
        painter->fillRect(option.rect, fondo.isValid() ? fondo.value<QColor>() : option.palette.color(QPalette::Base));
        QStyledItemDelegate::paint(painter, opt, index);
        if (!actual) {
            return;
        }
        painter->save();
        QColor marco = option.palette.color(QPalette::Highlight);
        QRect r = option.rect;
        painter->fillRect(QRect(r.left(), r.top(), r.width(), 2), marco);
        painter->fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), marco);
        auto *vista = static_cast<const QTableView *>(parent());
        auto *cabecera = vista->horizontalHeader();
        int visual = cabecera->visualIndex(index.column());
        bool primera = true, ultima = true;
        for (int v = 0; v < cabecera->count(); ++v) {
            if (!cabecera->isSectionHidden(cabecera->logicalIndex(v))) {
                primera = primera && v >= visual;
                ultima = ultima && v <= visual;
            }
        }
        if (primera) {
            painter->fillRect(QRect(r.left(), r.top(), 2, r.height()), marco);
        }
        if (ultima) {
            painter->fillRect(QRect(r.right() - 1, r.top(), 2, r.height()), marco);
        }
        painter->restore();
    }
};

} // namespace

GridView::GridView(host::Grid &grid, QWidget *parent) : QTableView(parent), grid_(grid) {
    modelo_ = new GridModel(grid_, this);
    setModel(modelo_);
    setItemDelegate(new DelegadoFilas(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(8);
    chkCabecera_ = new QCheckBox(horizontalHeader());
    chkCabecera_->setToolTip(QStringLiteral("Marcar o desmarcar todas las líneas"));

    connect(chkCabecera_, &QCheckBox::clicked, this, [this](bool on) {
        if (!pintando_) {
            emit cabeceraPulsada(on);
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
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int ancho) {
        if (!pintando_ && col < static_cast<int>(usuario_.size())) {
            usuario_[static_cast<std::size_t>(col)] = ancho;
            // A drag resizes at every step: the settings file is written once, when it ends.
            if (arrastrando_) {
                anchosPendientes_ = true;
            } else {
                GuardarAnchos();
            }
            AplicarAnchos();
        }
        ColocarCheckCabecera();
    });
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { ColocarCheckCabecera(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { ColocarCheckCabecera(); });
}

void GridView::RecordarAnchos(suite::Configuracion *ajustes, std::string seccion, std::string clave) {
    ajustes_ = ajustes;
    seccion_ = std::move(seccion);
    clave_ = std::move(clave);
    usuario_.assign(static_cast<std::size_t>(grid_.Cols()), 0);
    if (!ajustes_) {
        return;
    }
    std::istringstream in(ajustes_->LeerValor(clave_, seccion_));
    std::string twips;
    for (std::size_t c = 0; c < usuario_.size() && std::getline(in, twips, ','); ++c) {
        int t = std::atoi(twips.c_str());
        usuario_[c] = t > 0 ? TwipsToPixels(t) : 0;
    }
}

bool GridView::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress) {
        arrastrando_ = true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        arrastrando_ = false;
        if (anchosPendientes_) {
            anchosPendientes_ = false;
            GuardarAnchos();
        }
    }
    return QTableView::eventFilter(watched, event);
}

void GridView::GuardarAnchos() {
    if (!ajustes_) {
        return;
    }
    std::string valor;
    for (std::size_t c = 0; c < usuario_.size(); ++c) {
        valor += (c ? "," : "") + std::to_string(usuario_[c] > 0 ? PixelsToTwips(usuario_[c]) : 0);
    }
    ajustes_->GuardarValor(clave_, valor, seccion_);
}

int GridView::AnchoContenido(int col) const {
    const auto &columna = grid_.columns[static_cast<std::size_t>(col)];
    int ancho = ColumnPixels(columna, font());
    if (columna.type == host::GridType::Boolean) {
        return std::max(ancho, style()->pixelMetric(QStyle::PM_IndicatorWidth) + 12);
    }
    QFontMetrics fm(font());
    // A long name widens its column up to a limit; beyond it the user widens it by hand.
    int tope = std::max(ancho, fm.averageCharWidth() * 48);
    int filas = std::min(grid_.DataRows(), kFilasMedidas);
    for (int r = 1; r <= filas && ancho < tope; ++r) {
        ancho = std::max(ancho, fm.horizontalAdvance(QString::fromStdString(grid_.Text(r, col))) + 12);
    }
    return std::min(ancho, tope);
}

void GridView::AplicarAnchos() {
    bool antes = pintando_;
    pintando_ = true;
    auto *cabecera = horizontalHeader();
    int total = 0;
    auto base = [&](int c) {
        auto k = static_cast<std::size_t>(c);
        return usuario_[k] > 0 ? usuario_[k] : auto_[k];
    };
    for (int c = 0; c < grid_.Cols(); ++c) {
        if (!isColumnHidden(c)) {
            total += base(c);
        }
    }
    int sobra = std::max(0, viewport()->width() - total);
    for (int c = 0; c < grid_.Cols(); ++c) {
        if (isColumnHidden(c)) {
            continue;
        }
        int ancho = base(c);
        for (const auto &[col, parte] : elasticas_) {
            if (col == c && usuario_[static_cast<std::size_t>(c)] == 0) {
                ancho += sobra * parte / 100;
            }
        }
        if (cabecera->sectionSize(c) != ancho) {
            cabecera->resizeSection(c, ancho);
        }
    }
    pintando_ = antes;
}

void GridView::Mostrar(bool cabeceraMarcada) {
    pintando_ = true;
    if (grid_.redraw) {
        modelo_->Sync();
    }
    std::size_t cols = static_cast<std::size_t>(grid_.Cols());
    if (usuario_.size() != cols) {
        usuario_.resize(cols, 0);
    }
    bool medir = auto_.size() != cols || medido_ != grid_.version;
    if (auto_.size() != cols) {
        auto_.assign(cols, 0);
    }
    medido_ = grid_.version;
    for (int c = 0; c < grid_.Cols(); ++c) {
        setColumnHidden(c, grid_.columns[static_cast<std::size_t>(c)].hidden);
        // Widths grow with what the rows hold, never shrink under the user's eyes.
        auto &a = auto_[static_cast<std::size_t>(c)];
        if (medir) {
            a = std::max(a, AnchoContenido(c));
        }
    }
    AplicarAnchos();
    if (grid_.row >= 1 && grid_.row <= grid_.DataRows()) {
        int primera = 0;
        while (primera < grid_.Cols() - 1 && isColumnHidden(primera)) {
            ++primera;
        }
        // Only when it moved: reselecting under a mouse press would swallow a double-click.
        if (currentIndex().row() != grid_.row - 1) {
            setCurrentIndex(modelo_->index(grid_.row - 1, primera));
        }
        if (grid_.topRow >= 1) {
            verticalScrollBar()->setValue(grid_.topRow - 1);
        }
    }
    chkCabecera_->setChecked(cabeceraMarcada);
    ColocarCheckCabecera();
    pintando_ = false;
}

int GridView::AnchoColumnas() const {
    int total = 0;
    for (int c = 0; c < grid_.Cols(); ++c) {
        if (!grid_.columns[static_cast<std::size_t>(c)].hidden) {
            auto k = static_cast<std::size_t>(c);
            total += k < usuario_.size() && usuario_[k] > 0 ? usuario_[k] : AnchoContenido(c);
        }
    }
    return total;
}

void GridView::ColocarCheckCabecera() {
    if (desvinculada_) {
        return;
    }
    auto *header = horizontalHeader();
    int x = header->sectionViewportPosition(0);
    int ancho = header->sectionSize(0);
    QSize s = chkCabecera_->sizeHint();
    chkCabecera_->setGeometry(x + (ancho - s.width()) / 2, (header->height() - s.height()) / 2, s.width(), s.height());
    chkCabecera_->setVisible(grid_.Cols() > 0 && !isColumnHidden(0) &&
                             grid_.columns[0].type == host::GridType::Boolean && x + ancho > 0);
}

void GridView::keyPressEvent(QKeyEvent *event) {
    auto fila = [this] {
        if (currentIndex().isValid()) {
            grid_.row = currentIndex().row() + 1;
        }
    };
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        fila();
        emit espacioPulsado();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        fila();
        emit enterPulsado();
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

void GridView::Desvincular() {
    desvinculada_ = true;
    pintando_ = true; // the handlers of the view's own signals leave the grid alone
    setModel(nullptr);
}

void GridView::resizeEvent(QResizeEvent *event) {
    QTableView::resizeEvent(event);
    if (desvinculada_) {
        return;
    }
    if (auto_.size() == static_cast<std::size_t>(grid_.Cols())) {
        AplicarAnchos();
    }
    ColocarCheckCabecera();
}

void GridView::showEvent(QShowEvent *event) {
    QTableView::showEvent(event);
    if (desvinculada_) {
        return;
    }
    if (auto_.size() == static_cast<std::size_t>(grid_.Cols())) {
        AplicarAnchos();
    }
    ColocarCheckCabecera();
}

} // namespace ui
