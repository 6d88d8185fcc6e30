#include "ui/frmExtractos_Lineas_VinculosView.h"

#include "lines/Comun.h"
#include "ui/GridModel.h"
#include "ui/LineasDateBox.h"
#include "ui/LineasLookupBox.h"
#include "ui/ViewsVinculos.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }

std::string Codigo(long code) { return code >= 1 ? std::to_string(code) : std::string(); }

} // namespace

frmExtractos_Lineas_VinculosView::frmExtractos_Lineas_VinculosView(lines::frmExtractos_Lineas_Vinculos &window,
                                                                   host::Shell &shell, QWidget *parent)
    : QDialog(parent), w_(window) {
    using V = lines::frmExtractos_Lineas_Vinculos;
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    auto *root = new QVBoxLayout(this);

    auto *filtros = new QHBoxLayout();
    desde_ = new LineasDateBox(this);
    hasta_ = new LineasDateBox(this);
    almacen_ = new LineasLookupBox(true, 40, this);
    almacen_->SetBuscar([this](const std::string &t) { return w_.BuscarAlmacenes(t); });
    prov_ = new LineasLookupBox(true, 60, this);
    filtros->addWidget(new QLabel(Q(w_.txtDesde.caption), this));
    filtros->addWidget(desde_);
    filtros->addSpacing(8);
    filtros->addWidget(new QLabel(Q(w_.txtHasta.caption), this));
    filtros->addWidget(hasta_);
    filtros->addSpacing(16);
    filtros->addWidget(new QLabel(Q(w_.txtAlmacen.caption), this));
    filtros->addWidget(almacen_, 1);
    filtros->addSpacing(16);
    filtros->addWidget(new QLabel(Q(w_.txtProv.caption), this));
    filtros->addWidget(prov_, 2);
    root->addLayout(filtros);

    tabla_ = new TablaVinculos(w_.vsLineas, V::colNombreAlmacen, this);
    tabla_->setToolTip(QStringLiteral("Doble clic: imprimir la compra"));
    root->addWidget(tabla_, 1);

    auto *abajo = new QHBoxLayout();
    auto boton = [&](host::Button &b) {
        auto *p = new QPushButton(Q(b.caption), this);
        p->setObjectName(Q(b.name));
        p->setAutoDefault(false);
        botones_[b.name] = p;
        return p;
    };
    abajo->addWidget(boton(w_.cmdVincular));
    abajo->addWidget(boton(w_.cmdDesvincular));
    abajo->addWidget(boton(w_.cmdImprimir));
    abajo->addStretch();
    abajo->addWidget(boton(w_.cmdSalir));
    root->addLayout(abajo);

    connect(botones_["cmdVincular"], &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdVincular_Click(); }); });
    connect(botones_["cmdDesvincular"], &QPushButton::clicked, this,
            [this] { Accion([this] { w_.cmdDesvincular_Click(); }); });
    connect(botones_["cmdImprimir"], &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdImprimir_Click(); }); });
    connect(botones_["cmdSalir"], &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdSalir_Click(); }); });

    connect(desde_, &QLineEdit::textEdited, this, [this] {
        w_.txtDesde.text = desde_->Texto();
        w_.txtDesde_Change();
    });
    connect(hasta_, &QLineEdit::textEdited, this, [this] {
        w_.txtHasta.text = hasta_->Texto();
        w_.txtHasta_Change();
    });
    connect(desde_, &QLineEdit::returnPressed, this, [this] { hasta_->setFocus(); });
    connect(hasta_, &QLineEdit::returnPressed, this, [this] { Accion([this] { w_.txtHasta_Enter(); }); });
    connect(almacen_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            w_.txtAlmacen.text = almacen_->Codigo();
            w_.txtAlmacen.code = lines::comun::Numero(w_.txtAlmacen.text);
            w_.txtAlmacen_Change();
        });
    });
    connect(almacen_, &LineasLookupBox::enterPulsado, this, [this] {
        Accion([this] {
            LeerAlmacen();
            w_.txtAlmacen_Enter();
        });
    });

    connect(tabla_, &TablaVinculos::cabeceraPulsada, this, [this](bool on) {
        Accion([this, on] {
            w_.chkSelelecion_vsExtractos.value = on;
            w_.chkSelelecion_vsExtractos_Click();
        });
    });
    connect(tabla_, &TablaVinculos::marcaPulsada, this,
            [this](int fila) { Accion([this, fila] { w_.vsLineas_Click(fila, V::colSel); }); });
    connect(tabla_, &TablaVinculos::espacioPulsado, this, [this] { Accion([this] { w_.vsLineas_KeySpace(); }); });
    connect(tabla_, &TablaVinculos::dobleClic, this, [this] { Accion([this] { w_.vsLineas_DblClick(); }); });

    resize(std::max(1000, tabla_->AnchoColumnas() + 60), 520);
    AplicarPosicion(this, w_.posicion);
    Refresh();
}

template <class F> void frmExtractos_Lineas_VinculosView::Accion(F &&f) {
    if (pintando_) {
        return;
    }
    w_.posicion = PosicionDe(this);
    f();
    if (!w_.Loaded()) {
        QDialog::reject();
        return;
    }
    Refresh();
}

void frmExtractos_Lineas_VinculosView::LeerAlmacen() {
    long code = lines::comun::Numero(almacen_->Codigo());
    if (almacen_->Codigo() != w_.txtAlmacen.text || code != w_.txtAlmacen.code) {
        w_.txtAlmacen.text = almacen_->Codigo();
        w_.txtAlmacen.code = code;
        w_.txtAlmacen_Change();
    }
}

void frmExtractos_Lineas_VinculosView::reject() {
    // Escape and the close box go through the controller, which saves the settings.
    if (w_.Loaded()) {
        w_.posicion = PosicionDe(this);
        w_.Form_KeyDown_Escape();
    }
    QDialog::reject();
}

void frmExtractos_Lineas_VinculosView::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F9) {
        Accion([this] { w_.Form_KeyDown_F9(); });
        return;
    }
    if (event->key() == Qt::Key_F12) {
        Accion([this] { w_.Form_KeyDown_F12(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmExtractos_Lineas_VinculosView::moveEvent(QMoveEvent *event) {
    QDialog::moveEvent(event);
    if (w_.Loaded()) {
        w_.posicion = PosicionDe(this);
    }
}

void frmExtractos_Lineas_VinculosView::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    if (w_.Loaded()) {
        w_.posicion = PosicionDe(this);
    }
}

void frmExtractos_Lineas_VinculosView::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    tabla_->setFocus();
}

QPushButton *frmExtractos_Lineas_VinculosView::Boton(const std::string &name) const {
    auto it = botones_.find(name);
    return it == botones_.end() ? nullptr : it->second;
}

void frmExtractos_Lineas_VinculosView::Refresh() {
    pintando_ = true;
    setWindowTitle(Q(w_.caption));
    desde_->Mostrar(w_.txtDesde.text);
    hasta_->Mostrar(w_.txtHasta.text);
    desde_->setEnabled(w_.txtDesde.enabled);
    hasta_->setEnabled(w_.txtHasta.enabled);
    almacen_->Mostrar(Codigo(w_.txtAlmacen.code), w_.txtAlmacen.descripcion, w_.txtAlmacen.enabled,
                      w_.txtAlmacen.locked);
    prov_->Mostrar(Codigo(w_.txtProv.code), w_.txtProv.descripcion, w_.txtProv.enabled, w_.txtProv.locked);
    for (host::Button *b : {&w_.cmdVincular, &w_.cmdDesvincular, &w_.cmdImprimir, &w_.cmdSalir}) {
        QPushButton *p = botones_[b->name];
        p->setEnabled(b->enabled);
        p->setVisible(b->visible);
    }
    tabla_->Mostrar(w_.chkSelelecion_vsExtractos.value);
    pintando_ = false;
}

QWidget *frmExtractos_Lineas_VinculosView::ControlWidget(const std::string &name) {
    if (name == "txtDesde") {
        return desde_;
    }
    if (name == "txtHasta") {
        return hasta_;
    }
    if (name == "txtAlmacen") {
        return almacen_->CodigoEdit();
    }
    if (name == "txtProv") {
        return prov_->CodigoEdit();
    }
    if (name == "vsLineas") {
        return tabla_;
    }
    return Boton(name);
}

} // namespace ui
