#include "ui/VistaVinculos.h"

#include "ui/LineasDateBox.h"
#include "ui/LineasLookupBox.h"
#include "ui/Textos.h"
#include "ui/ViewsVinculos.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

VistaVinculos::VistaVinculos(lines::VentanaVinculos &ventana, const std::string &titulo, QWidget *parent)
    : VistaDialogo(ventana, parent), v_(ventana), titulo_(titulo) {
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    desde_ = new LineasDateBox(this);
    hasta_ = new LineasDateBox(this);
    connect(desde_, &QLineEdit::returnPressed, this, [this] { hasta_->setFocus(); });
}

void VistaVinculos::AgregarFechas(QBoxLayout *fila) {
    fila->addWidget(new QLabel(Q(v_.txtDesde.caption), this));
    fila->addWidget(desde_);
    fila->addSpacing(8);
    fila->addWidget(new QLabel(Q(v_.txtHasta.caption), this));
    fila->addWidget(hasta_);
}

void VistaVinculos::AlCambiarFechas(std::function<void()> desde, std::function<void()> hasta) {
    connect(desde_, &QLineEdit::textEdited, this, [this, f = std::move(desde)] {
        v_.txtDesde.text = desde_->Texto();
        f();
    });
    connect(hasta_, &QLineEdit::textEdited, this, [this, f = std::move(hasta)] {
        v_.txtHasta.text = hasta_->Texto();
        f();
    });
}

void VistaVinculos::CrearTabla(int elastica) {
    tabla_ = new TablaVinculos(v_.vsLineas, elastica, this);
    root_->addWidget(tabla_, 1);
    connect(tabla_, &TablaVinculos::cabeceraPulsada, this, [this](bool on) {
        Accion([this, on] {
            v_.chkSelelecion_vsExtractos.value = on;
            v_.chkSelelecion_vsExtractos_Click();
        });
    });
    // Column 0 is the tick column of every linking grid.
    connect(tabla_, &TablaVinculos::marcaPulsada, this,
            [this](int fila) { Accion([this, fila] { v_.vsLineas_Click(fila, 0); }); });
    connect(tabla_, &TablaVinculos::espacioPulsado, this, [this] { Accion([this] { v_.vsLineas_KeySpace(); }); });
    connect(tabla_, &TablaVinculos::dobleClic, this, [this] { Accion([this] { DobleClic(); }); });
    connect(tabla_, &TablaVinculos::arribaEnPrimera, this, [this] { ArribaEnPrimera(); });
}

void VistaVinculos::FilaBotones(std::initializer_list<BotonAccion> izquierda,
                                std::initializer_list<BotonAccion> derecha) {
    auto *abajo = new QHBoxLayout();
    auto boton = [&](const BotonAccion &b) {
        auto *p = new QPushButton(Q(b.boton.caption), this);
        p->setObjectName(Q(b.boton.name));
        p->setAutoDefault(false);
        connect(p, &QPushButton::clicked, this, [this, f = b.accion] { Accion(f); });
        botones_.emplace_back(&b.boton, p);
        abajo->addWidget(p);
    };
    std::for_each(izquierda.begin(), izquierda.end(), boton);
    abajo->addStretch();
    std::for_each(derecha.begin(), derecha.end(), boton);
    root_->addLayout(abajo);
}

void VistaVinculos::Tecla(int key, std::function<void()> accion) { teclas_[key] = std::move(accion); }

void VistaVinculos::Colocar(int anchoMinimo, int alto) {
    resize(std::max(anchoMinimo, tabla_->AnchoColumnas() + 60), alto);
    AplicarPosicion(this, v_.posicion);
}

void VistaVinculos::AntesDeAccion() { v_.posicion = PosicionDe(this); }

void VistaVinculos::GuardarPosicion() {
    if (v_.Loaded()) {
        v_.posicion = PosicionDe(this);
    }
}

void VistaVinculos::keyPressEvent(QKeyEvent *event) {
    auto it = teclas_.find(event->key());
    if (it != teclas_.end()) {
        Accion(it->second);
        return;
    }
    QDialog::keyPressEvent(event);
}

void VistaVinculos::moveEvent(QMoveEvent *event) {
    QDialog::moveEvent(event);
    GuardarPosicion();
}

void VistaVinculos::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    GuardarPosicion();
}

void VistaVinculos::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    PrimerFoco()->setFocus();
}

QWidget *VistaVinculos::PrimerFoco() { return tabla_; }

QPushButton *VistaVinculos::Boton(const std::string &name) const {
    for (const auto &[b, p] : botones_) {
        if (b->name == name) {
            return p;
        }
    }
    return nullptr;
}

void VistaVinculos::Refresh() {
    pintando_ = true;
    setWindowTitle(Q(titulo_));
    desde_->Mostrar(v_.txtDesde.text);
    hasta_->Mostrar(v_.txtHasta.text);
    desde_->setEnabled(v_.txtDesde.enabled);
    hasta_->setEnabled(v_.txtHasta.enabled);
    MostrarFiltros();
    for (const auto &[b, p] : botones_) {
        p->setEnabled(b->enabled);
        p->setVisible(b->visible);
    }
    tabla_->Mostrar(v_.chkSelelecion_vsExtractos.value);
    pintando_ = false;
}

QWidget *VistaVinculos::ControlWidget(const std::string &name) {
    if (name == "txtDesde") {
        return desde_;
    }
    if (name == "txtHasta") {
        return hasta_;
    }
    if (QWidget *filtro = Filtro(name)) {
        return filtro;
    }
    if (name == "vsLineas") {
        return tabla_;
    }
    return Boton(name);
}

VistaPrevisiones::VistaPrevisiones(lines::VentanaPrevisiones &ventana, const std::string &titulo, QWidget *parent)
    : VistaVinculos(ventana, titulo, parent), p_(ventana) {
    cuenta_ = new LineasLookupBox(false, 110, this);
    cuenta_->SetBuscar([this](const std::string &t) { return p_.BuscarCuentas(t); });
    connect(hasta_, &QLineEdit::returnPressed, this, [this] { cuenta_->CodigoEdit()->setFocus(); });
    connect(cuenta_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            p_.txtCtaProveedor.text = cuenta_->Codigo();
            p_.txtCtaProveedor_Change();
        });
    });
    connect(cuenta_, &LineasLookupBox::enterPulsado, this, [this] {
        Accion([this] {
            LeerCuenta();
            p_.txtCtaProveedor_Enter();
        });
    });
}

void VistaPrevisiones::LeerCuenta() {
    if (cuenta_->Codigo() != p_.txtCtaProveedor.text) {
        p_.txtCtaProveedor.text = cuenta_->Codigo();
        p_.txtCtaProveedor_Change();
    }
}

void VistaPrevisiones::MostrarFiltros() {
    cuenta_->Mostrar(p_.txtCtaProveedor.text, p_.txtCtaProveedor.descripcion, p_.txtCtaProveedor.enabled,
                     p_.txtCtaProveedor.locked);
}

QWidget *VistaPrevisiones::Filtro(const std::string &name) {
    return name == "txtCtaProveedor" ? cuenta_->CodigoEdit() : nullptr;
}

QWidget *VistaPrevisiones::PrimerFoco() {
    if (p_.vsLineas.DataRows() > 0) {
        return tabla_;
    }
    return cuenta_->CodigoEdit();
}

void VistaPrevisiones::ArribaEnPrimera() {
    Accion([this] { p_.vsLineas_KeyUp(); });
}

} // namespace ui
