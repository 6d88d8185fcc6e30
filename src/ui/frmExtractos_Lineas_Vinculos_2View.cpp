#include "ui/frmExtractos_Lineas_Vinculos_2View.h"

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

} // namespace

frmExtractos_Lineas_Vinculos_2View::frmExtractos_Lineas_Vinculos_2View(lines::frmExtractos_Lineas_Vinculos_2 &window,
                                                                       host::Shell &shell, QWidget *parent)
    : QDialog(parent), w_(window) {
    using V = lines::frmExtractos_Lineas_Vinculos_2;
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    auto *root = new QVBoxLayout(this);

    auto *filtros = new QHBoxLayout();
    desde_ = new LineasDateBox(this);
    hasta_ = new LineasDateBox(this);
    cuenta_ = new LineasLookupBox(false, 110, this);
    cuenta_->SetBuscar([this](const std::string &t) { return w_.BuscarCuentas(t); });
    filtros->addWidget(new QLabel(Q(w_.txtDesde.caption), this));
    filtros->addWidget(desde_);
    filtros->addSpacing(8);
    filtros->addWidget(new QLabel(Q(w_.txtHasta.caption), this));
    filtros->addWidget(hasta_);
    filtros->addSpacing(16);
    filtros->addWidget(new QLabel(Q(w_.txtCtaProveedor.caption), this));
    filtros->addWidget(cuenta_, 1);
    root->addLayout(filtros);

    tabla_ = new TablaVinculos(w_.vsLineas, V::colNombreCuenta, this);
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
    abajo->addStretch();
    abajo->addWidget(boton(w_.cmdSalir));
    root->addLayout(abajo);

    connect(botones_["cmdVincular"], &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdVincular_Click(); }); });
    connect(botones_["cmdDesvincular"], &QPushButton::clicked, this,
            [this] { Accion([this] { w_.cmdDesvincular_Click(); }); });
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
    connect(hasta_, &QLineEdit::returnPressed, this, [this] { cuenta_->CodigoEdit()->setFocus(); });
    connect(cuenta_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            w_.txtCtaProveedor.text = cuenta_->Codigo();
            w_.txtCtaProveedor_Change();
        });
    });
    connect(cuenta_, &LineasLookupBox::enterPulsado, this, [this] {
        Accion([this] {
            LeerCuenta();
            w_.txtCtaProveedor_Enter();
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
    connect(tabla_, &TablaVinculos::arribaEnPrimera, this, [this] { Accion([this] { w_.vsLineas_KeyUp(); }); });

    resize(std::max(960, tabla_->AnchoColumnas() + 60), 480);
    AplicarPosicion(this, w_.posicion);
    Refresh();
}

template <class F> void frmExtractos_Lineas_Vinculos_2View::Accion(F &&f) {
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

void frmExtractos_Lineas_Vinculos_2View::LeerCuenta() {
    if (cuenta_->Codigo() != w_.txtCtaProveedor.text) {
        w_.txtCtaProveedor.text = cuenta_->Codigo();
        w_.txtCtaProveedor_Change();
    }
}

void frmExtractos_Lineas_Vinculos_2View::reject() {
    // Escape and the close box go through the controller, which saves the settings.
    if (w_.Loaded()) {
        w_.posicion = PosicionDe(this);
        w_.Form_KeyDown_Escape();
    }
    QDialog::reject();
}

void frmExtractos_Lineas_Vinculos_2View::keyPressEvent(QKeyEvent *event) {
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

void frmExtractos_Lineas_Vinculos_2View::moveEvent(QMoveEvent *event) {
    QDialog::moveEvent(event);
    if (w_.Loaded()) {
        w_.posicion = PosicionDe(this);
    }
}

void frmExtractos_Lineas_Vinculos_2View::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    if (w_.Loaded()) {
        w_.posicion = PosicionDe(this);
    }
}

void frmExtractos_Lineas_Vinculos_2View::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (w_.vsLineas.DataRows() > 0) {
        tabla_->setFocus();
    } else {
        cuenta_->CodigoEdit()->setFocus();
    }
}

QPushButton *frmExtractos_Lineas_Vinculos_2View::Boton(const std::string &name) const {
    auto it = botones_.find(name);
    return it == botones_.end() ? nullptr : it->second;
}

void frmExtractos_Lineas_Vinculos_2View::Refresh() {
    pintando_ = true;
    setWindowTitle(Q(w_.caption));
    desde_->Mostrar(w_.txtDesde.text);
    hasta_->Mostrar(w_.txtHasta.text);
    desde_->setEnabled(w_.txtDesde.enabled);
    hasta_->setEnabled(w_.txtHasta.enabled);
    cuenta_->Mostrar(w_.txtCtaProveedor.text, w_.txtCtaProveedor.descripcion, w_.txtCtaProveedor.enabled,
                     w_.txtCtaProveedor.locked);
    for (host::Button *b : {&w_.cmdVincular, &w_.cmdDesvincular, &w_.cmdSalir}) {
        QPushButton *p = botones_[b->name];
        p->setEnabled(b->enabled);
        p->setVisible(b->visible);
    }
    tabla_->Mostrar(w_.chkSelelecion_vsExtractos.value);
    pintando_ = false;
}

QWidget *frmExtractos_Lineas_Vinculos_2View::ControlWidget(const std::string &name) {
    if (name == "txtDesde") {
        return desde_;
    }
    if (name == "txtHasta") {
        return hasta_;
    }
    if (name == "txtCtaProveedor") {
        return cuenta_->CodigoEdit();
    }
    if (name == "vsLineas") {
        return tabla_;
    }
    return Boton(name);
}

} // namespace ui
