#include "ui/frmExtractosView.h"

#include "statements/frmExtractos.h"
#include "ui/GridModel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace ui {

namespace {
QString Q(const std::string &s) { return QString::fromStdString(s); }
} // namespace

frmExtractosView::frmExtractosView(statements::frmExtractos &w, QWidget *parent) : QDialog(parent), w_(w) {
    setWindowTitle(QString::fromUtf8("Extractos de Pagos Centralizados"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto *root = new QVBoxLayout(this);
    auto *filters = new QGridLayout();
    almacen_ = new LineasLookupBox(true, 50, this);
    almacen_->setMinimumWidth(260);
    almacen_->SetBuscar([this](const std::string &t) { return w_.BuscarAlmacenes(t); });
    extracto_ = new QLineEdit(this);
    fechaI_ = new QLineEdit(this);
    fechaF_ = new QLineEdit(this);
    for (auto *d : {fechaI_, fechaF_}) {
        d->setInputMask("99/99/9999;_");
        d->setMaximumWidth(100);
    }
    estado_ = new QComboBox(this);
    filters->addWidget(new QLabel(QString::fromUtf8("Almacén:"), this), 0, 0);
    filters->addWidget(almacen_, 0, 1);
    filters->addWidget(new QLabel(QString::fromUtf8("Extracto:"), this), 0, 2);
    filters->addWidget(extracto_, 0, 3);
    filters->addWidget(new QLabel(QString::fromUtf8("Fecha Inicial:"), this), 1, 0);
    filters->addWidget(fechaI_, 1, 1);
    filters->addWidget(new QLabel(QString::fromUtf8("Fecha Final:"), this), 1, 2);
    filters->addWidget(fechaF_, 1, 3);
    filters->addWidget(new QLabel(QString::fromUtf8("Estado:"), this), 1, 4);
    filters->addWidget(estado_, 1, 5);
    filters->setColumnStretch(6, 1);
    root->addLayout(filters);

    model_ = new GridModel(w_.vsExtractos, this);
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(20);
    root->addWidget(grid_, 1);
    // The select-all box sits over the header of the tick column.
    todos_ = new QCheckBox(grid_->horizontalHeader());
    todos_->move(6, 3);

    auto *bar = new QHBoxLayout();
    for (host::Button *b : {&w_.cmdImportar, &w_.cmdPagos, &w_.cmdCasacionAut, &w_.cmdExportar, &w_.cmdGenerarAsiento,
                            &w_.cmdEliminar, &w_.cmdSalir}) {
        auto *pb = new QPushButton(Q(b->caption), this);
        pb->setAutoDefault(false);
        buttons_[b->name] = pb;
        bar->addWidget(pb);
    }
    bar->insertStretch(5, 1);
    root->addLayout(bar);

    connect(buttons_["cmdPagos"], &QPushButton::clicked, this, [this] {
        ReadFilters();
        w_.cmdPagos_Click();
        Refresh();
    });
    connect(buttons_["cmdImportar"], &QPushButton::clicked, this, [this] {
        ReadFilters();
        w_.cmdImportar_Click();
        Refresh();
    });
    connect(buttons_["cmdCasacionAut"], &QPushButton::clicked, this, [this] {
        ReadFilters();
        w_.cmdCasacionAut_Click();
        Refresh();
    });
    connect(buttons_["cmdEliminar"], &QPushButton::clicked, this, [this] {
        ReadFilters();
        w_.cmdEliminar_Click();
        Refresh();
    });
    connect(buttons_["cmdSalir"], &QPushButton::clicked, this, [this] { w_.cmdSalir_Click(); });
    connect(estado_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (refreshing_) {
            return;
        }
        w_.cboEstado.index = i;
        Reload();
    });
    connect(fechaI_, &QLineEdit::textEdited, this, [this] {
        w_.txtFechaI.text = fechaI_->text().toStdString();
        w_.txtFechaI_Change();
    });
    connect(fechaF_, &QLineEdit::textEdited, this, [this] {
        w_.txtFechaF.text = fechaF_->text().toStdString();
        w_.txtFechaF_Change();
    });
    for (auto *e : {fechaF_, extracto_}) {
        connect(e, &QLineEdit::returnPressed, this, [this] { Reload(); });
    }
    connect(almacen_, &LineasLookupBox::codigoCambiado, this, [this] {
        w_.txtAlmacen.code = almacen_->Codigo().empty() ? 0 : std::atol(almacen_->Codigo().c_str());
        w_.txtAlmacen_Change();
        Refresh();
    });
    connect(almacen_, &LineasLookupBox::enterPulsado, this, [this] {
        w_.txtAlmacen.code = almacen_->Codigo().empty() ? 0 : std::atol(almacen_->Codigo().c_str());
        w_.txtAlmacen_Change();
        w_.txtAlmacen_Enter();
        Reload();
    });
    connect(todos_, &QCheckBox::clicked, this, [this](bool on) {
        w_.chkSelelecion_vsExtractos.value = on;
        w_.chkSelelecion_vsExtractos_Click();
        Refresh();
    });
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex &i) {
        w_.vsExtractos_Click(i.row() + 1, i.column());
        Refresh();
    });
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex &) {
        w_.vsExtractos_DblClick();
        Refresh();
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &cur) {
                if (!refreshing_ && cur.isValid()) {
                    w_.vsExtractos_RowColChange(cur.row() + 1);
                    Refresh();
                }
            });
    // Wide enough for every column of the layout, so that no scroll bar shows at first.
    int ancho = 0;
    for (const auto &col : w_.vsExtractos.columns) {
        ancho += ColumnPixels(col, grid_->font());
    }
    resize(std::max(TwipsToPixels(14200), ancho + 40), 520);
    // The controller closes itself (Salir, Escape): the view follows once the call has returned.
    w_.alDescargar = [this](host::Window &) { QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection); };
}

void frmExtractosView::ReadFilters() {
    w_.txtAlmacen.code = almacen_->Codigo().empty() ? 0 : std::atol(almacen_->Codigo().c_str());
    w_.txtNumExtracto.text = extracto_->text().toStdString();
    w_.txtFechaI.text = fechaI_->text().toStdString();
    w_.txtFechaF.text = fechaF_->text().toStdString();
    if (w_.txtFechaI.text == "__/__/____" || w_.txtFechaI.text == "//") {
        w_.txtFechaI.text.clear();
    }
    if (w_.txtFechaF.text == "__/__/____" || w_.txtFechaF.text == "//") {
        w_.txtFechaF.text.clear();
    }
}

void frmExtractosView::Reload() {
    ReadFilters();
    w_.txtFechaF_Enter();
    Refresh();
}

void frmExtractosView::Refresh() {
    refreshing_ = true;
    fechaI_->setText(Q(w_.txtFechaI.text));
    fechaF_->setText(Q(w_.txtFechaF.text));
    extracto_->setText(Q(w_.txtNumExtracto.text));
    almacen_->Mostrar(w_.txtAlmacen.code > 0 ? std::to_string(w_.txtAlmacen.code) : "", w_.txtAlmacen.descripcion,
                      w_.txtAlmacen.enabled, w_.txtAlmacen.locked);
    if (estado_->count() != static_cast<int>(w_.cboEstado.items.size())) {
        estado_->clear();
        for (const auto &it : w_.cboEstado.items) {
            estado_->addItem(Q(it.text));
        }
    }
    estado_->setCurrentIndex(w_.cboEstado.index);
    todos_->setChecked(w_.chkSelelecion_vsExtractos.value);
    for (host::Button *b : {&w_.cmdImportar, &w_.cmdPagos, &w_.cmdCasacionAut, &w_.cmdExportar, &w_.cmdGenerarAsiento,
                            &w_.cmdEliminar, &w_.cmdSalir}) {
        buttons_[b->name]->setVisible(b->visible);
        buttons_[b->name]->setEnabled(b->enabled);
    }
    model_->Sync();
    for (int c = 0; c < w_.vsExtractos.Cols(); ++c) {
        grid_->setColumnWidth(c, ColumnPixels(w_.vsExtractos.columns[static_cast<std::size_t>(c)], grid_->font()));
    }
    if (w_.vsExtractos.row >= 1) {
        grid_->setCurrentIndex(model_->index(w_.vsExtractos.row - 1, 1));
    }
    refreshing_ = false;
}

QWidget *frmExtractosView::ControlWidget(const std::string &name) {
    if (name == "txtFechaI") {
        return fechaI_;
    }
    if (name == "txtFechaF") {
        return fechaF_;
    }
    if (name == "txtNumExtracto") {
        return extracto_;
    }
    if (name == "txtAlmacen") {
        return almacen_->CodigoEdit();
    }
    if (name == "cboEstado") {
        return estado_;
    }
    if (name == "chkSelelecion_vsExtractos") {
        return todos_;
    }
    if (auto b = buttons_.find(name); b != buttons_.end()) {
        return b->second;
    }
    return grid_;
}

void frmExtractosView::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Escape) {
        w_.Form_KeyDown_Escape();
        return;
    }
    if (e->key() == Qt::Key_Space && grid_->hasFocus()) {
        w_.vsExtractos_KeySpace();
        Refresh();
        return;
    }
    QDialog::keyPressEvent(e);
}

void frmExtractosView::closeEvent(QCloseEvent *e) {
    if (w_.Loaded()) {
        w_.Unload();
    }
    QDialog::closeEvent(e);
}

void frmExtractosView::resizeEvent(QResizeEvent *e) {
    QDialog::resizeEvent(e);
    // Extra width goes 60 % to the warehouse name and 40 % to the statement code.
    int fixed = 0;
    for (int c = 0; c < w_.vsExtractos.Cols(); ++c) {
        fixed += ColumnPixels(w_.vsExtractos.columns[static_cast<std::size_t>(c)], grid_->font());
    }
    int extra = grid_->viewport()->width() - fixed;
    if (extra > 0) {
        grid_->setColumnWidth(2, ColumnPixels(w_.vsExtractos.columns[2], grid_->font()) + extra * 6 / 10);
        grid_->setColumnWidth(3, ColumnPixels(w_.vsExtractos.columns[3], grid_->font()) + extra * 4 / 10);
    }
}

} // namespace ui
