#include "ui/frmExtractos_LineasView.h"

#include "ui/GridModel.h"
#include "ui/LineasDateBox.h"
#include "ui/LineasLookupBox.h"
#include "ui/Textos.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

frmExtractos_LineasView::frmExtractos_LineasView(lines::frmExtractos_Lineas &window, host::Shell &shell,
                                                 QWidget *parent)
    : QDialog(parent), w_(window) {
    using L = lines::frmExtractos_Lineas;
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    auto *root = new QVBoxLayout(this);

    auto etiqueta = [&](const host::Control &c) {
        auto *l = new QLabel(Q(c.caption), this);
        etiquetas_[c.name] = l;
        return l;
    };
    auto *filtros = new QGridLayout();
    fechaI_ = new LineasDateBox(this);
    fechaF_ = new LineasDateBox(this);
    prov_ = new LineasLookupBox(true, 60, this);
    prov_->SetBuscar([this](const std::string &t) { return w_.BuscarProveedores(t); });
    almacen_ = new LineasLookupBox(true, 40, this);
    documento_ = new QLineEdit(this);
    documentoCentral_ = new QLineEdit(this);
    importe_ = new QLineEdit(this);
    importe_->setAlignment(Qt::AlignRight);
    importe_->setToolTip(QStringLiteral("Intro busca la siguiente línea con este importe"));
    auto *fechas = new QHBoxLayout();
    fechas->addWidget(fechaI_);
    fechas->addWidget(fechaF_);
    fechas->addStretch();
    filtros->addWidget(etiqueta(w_.txtFechaI), 0, 0);
    filtros->addLayout(fechas, 0, 1);
    filtros->addWidget(etiqueta(w_.txtProv), 0, 2);
    filtros->addWidget(prov_, 0, 3);
    filtros->addWidget(etiqueta(w_.txtAlmacen), 0, 4);
    filtros->addWidget(almacen_, 0, 5);
    filtros->addWidget(etiqueta(w_.txtDocumento), 1, 0);
    filtros->addWidget(documento_, 1, 1);
    filtros->addWidget(etiqueta(w_.txtDocumentoCentral), 1, 2);
    filtros->addWidget(documentoCentral_, 1, 3);
    filtros->addWidget(etiqueta(w_.txtImporte), 1, 4);
    filtros->addWidget(importe_, 1, 5);
    filtros->setColumnStretch(3, 2);
    filtros->setColumnStretch(5, 1);
    root->addLayout(filtros);

    modelo_ = new GridModel(w_.vsLineas, this);
    tabla_ = new QTableView(this);
    tabla_->setModel(modelo_);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setContextMenuPolicy(Qt::CustomContextMenu);
    tabla_->setAlternatingRowColors(false);
    tabla_->verticalHeader()->hide();
    tabla_->verticalHeader()->setDefaultSectionSize(tabla_->fontMetrics().height() + 6);
    tabla_->horizontalHeader()->setHighlightSections(false);
    // Selected rows keep their colour visible: the selection is a frame of the highlight colour.
    tabla_->setStyleSheet(
        "QTableView { gridline-color: #c8c8c8; selection-background-color: transparent; selection-color: black; }"
        "QTableView::item:selected { border-top: 2px solid palette(highlight); border-bottom: 2px solid "
        "palette(highlight); }");
    tabla_->installEventFilter(this);
    chkCabecera_ = new QCheckBox(tabla_->horizontalHeader());
    chkCabecera_->setToolTip(QStringLiteral("Marcar o desmarcar todas las líneas"));
    root->addWidget(tabla_, 1);

    auto *abajo = new QHBoxLayout();
    for (host::Button *b : {&w_.cmdAgregar, &w_.cmdModificar, &w_.cmdEliminar, &w_.cmdVincular, &w_.cmdAgregarFactura,
                            &w_.cmdReclamar}) {
        auto *p = new QPushButton(Q(b->caption), this);
        p->setObjectName(Q(b->name));
        p->setAutoDefault(false);
        botones_[b->name] = p;
        abajo->addWidget(p);
    }
    abajo->addStretch();
    auto *volver = new QPushButton(Q(w_.cmdVolver.caption), this);
    volver->setObjectName(Q(w_.cmdVolver.name));
    volver->setAutoDefault(false);
    botones_[w_.cmdVolver.name] = volver;
    abajo->addWidget(volver);
    root->addLayout(abajo);

    connect(botones_["cmdAgregar"], &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdAgregar_Click(); }); });
    connect(botones_["cmdModificar"], &QPushButton::clicked, this,
            [this] { Accion([this] { w_.cmdModificar_Click(); }); });
    connect(botones_["cmdEliminar"], &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdEliminar_Click(); }); });
    connect(botones_["cmdVincular"], &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdVincular_Click(); }); });
    connect(botones_["cmdAgregarFactura"], &QPushButton::clicked, this,
            [this] { Accion([this] { w_.cmdAgregarFactura_Click(); }); });
    connect(botones_["cmdReclamar"], &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdReclamar_Click(); }); });
    connect(volver, &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdVolver_Click(); }); });

    connect(fechaI_, &QLineEdit::textEdited, this, [this] {
        w_.txtFechaI.text = fechaI_->Texto();
        w_.txtFechaI_Change();
    });
    connect(fechaF_, &QLineEdit::textEdited, this, [this] {
        w_.txtFechaF.text = fechaF_->Texto();
        w_.txtFechaF_Change();
    });
    connect(fechaI_, &QLineEdit::returnPressed, this, [this] { fechaF_->setFocus(); });
    connect(fechaF_, &QLineEdit::returnPressed, this, [this] { Accion([this] { w_.txtFechaF_Enter(); }); });
    connect(prov_, &LineasLookupBox::codigoCambiado, this, [this] {
        w_.txtProv.text = prov_->Codigo();
        w_.txtProv.code = prov_->Codigo().empty() ? 0 : std::stol(prov_->Codigo());
        Accion([this] { w_.txtProv_Change(); });
    });
    connect(prov_, &LineasLookupBox::enterPulsado, this, [this] {
        w_.txtProv.code = prov_->Codigo().empty() ? 0 : std::stol(prov_->Codigo());
        if (w_.txtProv.code >= 1) {
            documento_->setFocus();
        }
        Accion([this] { w_.txtProv_Enter(); });
    });
    connect(documento_, &QLineEdit::textEdited, this, [this] { w_.txtDocumento.text = documento_->text().toStdString(); });
    connect(documentoCentral_, &QLineEdit::textEdited, this,
            [this] { w_.txtDocumentoCentral.text = documentoCentral_->text().toStdString(); });
    connect(importe_, &QLineEdit::textEdited, this, [this] { w_.txtImporte.text = importe_->text().toStdString(); });
    // Enter in the text filters moves on, as the suite's boxes do; the end date reloads.
    connect(documento_, &QLineEdit::returnPressed, this, [this] { documentoCentral_->setFocus(); });
    connect(documentoCentral_, &QLineEdit::returnPressed, this, [this] { fechaF_->setFocus(); });
    connect(importe_, &QLineEdit::returnPressed, this, [this] { Accion([this] { w_.txtImporte_Enter(); }); });

    connect(chkCabecera_, &QCheckBox::clicked, this, [this](bool on) {
        w_.chkSelelecion_vsLineas.value = on;
        Accion([this] { w_.chkSelelecion_vsLineas_Click(); });
    });
    connect(tabla_, &QTableView::clicked, this, [this](const QModelIndex &i) {
        if (i.isValid() && i.column() == L::colSel) {
            Accion([this, i] { w_.vsLineas_Click(i.row() + 1, i.column()); });
        }
    });
    connect(tabla_, &QTableView::doubleClicked, this, [this](const QModelIndex &i) {
        if (i.isValid()) {
            Accion([this] { w_.vsLineas_DblClick(); });
        }
    });
    connect(tabla_, &QWidget::customContextMenuRequested, this, &frmExtractos_LineasView::MostrarMenu);
    connect(tabla_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!pintando_) {
            w_.vsLineas.topRow = w_.vsLineas.DataRows() > 0 ? v + 1 : 0;
        }
    });
    connect(tabla_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { ColocarCheckCabecera(); });
    connect(tabla_->horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { ColocarCheckCabecera(); });
    connect(tabla_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { ColocarCheckCabecera(); });
    connect(tabla_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &cur) {
        if (!pintando_ && cur.isValid() && cur.row() + 1 != w_.vsLineas.row) {
            Accion([this, cur] { w_.vsLineas_RowColChange(cur.row() + 1); });
        }
    });
    auto *f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(f9, &QShortcut::activated, this, [this] { Accion([this] { w_.Form_KeyDown_F9(); }); });

    resize(1280, 640);
    Refresh();
}

template <class F> void frmExtractos_LineasView::Accion(F &&f) {
    if (pintando_) {
        return;
    }
    f();
    if (!w_.Loaded()) {
        QDialog::reject();
        return;
    }
    Refresh();
}

void frmExtractos_LineasView::reject() {
    // Escape and the window's close box close the controller too.
    if (w_.Loaded()) {
        w_.Form_KeyDown_Escape();
    }
    QDialog::reject();
}

QPushButton *frmExtractos_LineasView::Boton(const std::string &name) const {
    auto it = botones_.find(name);
    return it == botones_.end() ? nullptr : it->second;
}

void frmExtractos_LineasView::Refresh() {
    pintando_ = true;
    setWindowTitle(Q(w_.caption));
    fechaI_->Mostrar(w_.txtFechaI.text);
    fechaF_->Mostrar(w_.txtFechaF.text);
    prov_->Mostrar(w_.txtProv.code >= 1 ? std::to_string(w_.txtProv.code) : "", w_.txtProv.descripcion, w_.txtProv.enabled,
                   w_.txtProv.locked);
    almacen_->Mostrar(w_.txtAlmacen.text, w_.txtAlmacen.descripcion, true, true);
    Texto(documento_, w_.txtDocumento.text);
    Texto(documentoCentral_, w_.txtDocumentoCentral.text);
    Texto(importe_, w_.txtImporte.text);
    for (host::Button *b : {&w_.cmdAgregar, &w_.cmdModificar, &w_.cmdEliminar, &w_.cmdVincular, &w_.cmdAgregarFactura,
                            &w_.cmdReclamar, &w_.cmdVolver}) {
        QPushButton *p = botones_[b->name];
        p->setEnabled(b->enabled);
        p->setVisible(b->visible);
    }
    chkCabecera_->setChecked(w_.chkSelelecion_vsLineas.value);

    if (w_.vsLineas.redraw) {
        modelo_->Sync();
    }
    const auto &grid = w_.vsLineas;
    auto *header = tabla_->horizontalHeader();
    for (int c = 0; c < grid.Cols(); ++c) {
        const auto &col = grid.columns[static_cast<std::size_t>(c)];
        tabla_->setColumnHidden(c, col.hidden);
        // The widths of the layout at first; afterwards the user's.
        if (!anchosPuestos_ && !col.hidden) {
            header->resizeSection(c, ColumnPixels(col, tabla_->font()));
        }
    }
    anchosPuestos_ = true;
    AjustarNombre();
    if (grid.row >= 1 && grid.row <= grid.DataRows()) {
        QModelIndex cur = modelo_->index(grid.row - 1, lines::frmExtractos_Lineas::colImporte);
        if (tabla_->currentIndex().row() != cur.row()) {
            tabla_->setCurrentIndex(cur);
        }
        tabla_->selectRow(grid.row - 1);
        if (grid.topRow >= 1) {
            tabla_->verticalScrollBar()->setValue(grid.topRow - 1);
        }
    }
    ColocarCheckCabecera();
    pintando_ = false;
}

void frmExtractos_LineasView::AjustarNombre() {
    // The supplier's name takes the room the window gives to the grid, never less than its width.
    const auto &grid = w_.vsLineas;
    auto *header = tabla_->horizontalHeader();
    const int nombre = lines::frmExtractos_Lineas::colNombreProveedor;
    int otras = 0;
    for (int c = 0; c < grid.Cols(); ++c) {
        if (c != nombre && !tabla_->isColumnHidden(c)) {
            otras += header->sectionSize(c);
        }
    }
    int libre = tabla_->viewport()->width() - otras;
    header->resizeSection(nombre, std::max(TwipsToPixels(grid.columns[nombre].width), libre));
}

void frmExtractos_LineasView::ColocarCheckCabecera() {
    auto *header = tabla_->horizontalHeader();
    int x = header->sectionViewportPosition(lines::frmExtractos_Lineas::colSel);
    int ancho = header->sectionSize(lines::frmExtractos_Lineas::colSel);
    QSize s = chkCabecera_->sizeHint();
    chkCabecera_->setGeometry(x + (ancho - s.width()) / 2, (header->height() - s.height()) / 2, s.width(), s.height());
    chkCabecera_->setVisible(x + ancho > 0);
}

void frmExtractos_LineasView::MostrarMenu(const QPoint &pos) {
    QModelIndex i = tabla_->indexAt(pos);
    if (i.isValid() && i.row() + 1 != w_.vsLineas.row) {
        w_.vsLineas_RowColChange(i.row() + 1);
        Refresh();
    }
    if (!w_.vsLineas_MouseDownRight()) {
        return;
    }
    QMenu menu(this);
    for (const auto &e : w_.Popup) {
        QAction *a = menu.addAction(Q(e.caption));
        a->setEnabled(e.enabled);
        a->setData(e.id);
    }
    if (QAction *a = menu.exec(tabla_->viewport()->mapToGlobal(pos))) {
        int id = a->data().toInt();
        Accion([this, id] { w_.CommandBars_Execute(id); });
    }
}

bool frmExtractos_LineasView::eventFilter(QObject *watched, QEvent *event) {
    if (watched == tabla_ && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Space) {
            Accion([this] { w_.vsLineas_KeySpace(); });
            return true;
        }
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Accion([this] { w_.vsLineas_DblClick(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmExtractos_LineasView::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    AjustarNombre();
    ColocarCheckCabecera();
}

void frmExtractos_LineasView::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    AjustarNombre();
    ColocarCheckCabecera();
    tabla_->setFocus();
}

QWidget *frmExtractos_LineasView::ControlWidget(const std::string &name) {
    if (name == "txtFechaI") {
        return fechaI_;
    }
    if (name == "txtFechaF") {
        return fechaF_;
    }
    if (name == "txtProv") {
        return prov_->CodigoEdit();
    }
    if (name == "txtDocumento") {
        return documento_;
    }
    if (name == "txtDocumentoCentral") {
        return documentoCentral_;
    }
    if (name == "txtImporte") {
        return importe_;
    }
    if (name == "vsLineas") {
        return tabla_;
    }
    auto it = botones_.find(name);
    return it == botones_.end() ? nullptr : it->second;
}

} // namespace ui
