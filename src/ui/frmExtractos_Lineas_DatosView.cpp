#include "ui/frmExtractos_Lineas_DatosView.h"

#include "ui/LineasDateBox.h"
#include "ui/LineasLookupBox.h"
#include "ui/Textos.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

QLineEdit *Numero(QWidget *parent, bool soloLectura) {
    auto *e = new QLineEdit(parent);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(100);
    e->setReadOnly(soloLectura);
    if (soloLectura) {
        e->setFocusPolicy(Qt::NoFocus);
    }
    return e;
}

} // namespace

frmExtractos_Lineas_DatosView::frmExtractos_Lineas_DatosView(lines::frmExtractos_Lineas_Datos &window,
                                                             host::Shell &shell, QWidget *parent)
    : VistaDialogo(window, parent), w_(window) {
    using D = lines::frmExtractos_Lineas_Datos;
    setWindowTitle(Q(w_.caption));
    auto *form = new QGridLayout();
    auto etiqueta = [&](const std::string &t) { return new QLabel(Q(t), this); };

    proveedor_ = new LineasLookupBox(true, 70, this);
    proveedor_->SetBuscar([this](const std::string &t) { return w_.BuscarProveedores(t); });
    cta_ = new LineasLookupBox(false, 110, this);
    cta_->SetBuscar([this](const std::string &t) { return w_.BuscarCuentas(t); });
    ctaPdte_ = new LineasLookupBox(false, 110, this);
    ctaPdte_->SetBuscar([this](const std::string &t) { return w_.BuscarCuentas(t); });
    ctaPdte_->setToolTip(QStringLiteral("Cuenta de proveedor pendiente de recibir"));
    lblCtaPdte_ = etiqueta(w_.lblCtaProveedorPdte.caption);
    lblCtaPdte_->setToolTip(ctaPdte_->toolTip());
    documento_ = new QLineEdit(this);
    documentoCentral_ = new QLineEdit(this);
    fecha_ = new LineasDateBox(this);
    importe_ = Numero(this, false);
    tipoPago_ = new QComboBox(this);
    prontoPago_ = new QCheckBox(Q(w_.chkDescuentoProntoPago.caption), this);
    central_ = Numero(this, false);
    lblCentral_ = etiqueta(w_.lblProveedorCentral.caption);
    acreedor_ = new QCheckBox(Q(w_.chkAcreedor.caption), this);

    int r = 0;
    form->addWidget(etiqueta(w_.txtProveedor.caption), r, 0);
    form->addWidget(proveedor_, r++, 1, 1, 3);
    form->addWidget(etiqueta(w_.txtCtaProveedor.caption), r, 0);
    form->addWidget(cta_, r++, 1, 1, 3);
    form->addWidget(lblCtaPdte_, r, 0);
    form->addWidget(ctaPdte_, r++, 1, 1, 3);
    form->addWidget(etiqueta(w_.txtDocumento.caption), r, 0);
    form->addWidget(documento_, r, 1);
    form->addWidget(etiqueta(w_.txtDocumentoCentral.caption), r, 2);
    form->addWidget(documentoCentral_, r++, 3);
    form->addWidget(etiqueta(w_.txtFecha.caption), r, 0);
    form->addWidget(fecha_, r, 1);
    form->addWidget(etiqueta(w_.txtImportePago.caption), r, 2);
    form->addWidget(importe_, r++, 3);
    form->addWidget(etiqueta(w_.cboTipoPago.caption), r, 0);
    form->addWidget(tipoPago_, r, 1);
    form->addWidget(prontoPago_, r++, 2, 1, 2);
    form->addWidget(lblCentral_, r, 0);
    form->addWidget(central_, r, 1);
    form->addWidget(acreedor_, r++, 2, 1, 2);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    root_->addLayout(form);

    fraImpuestos_ = new QGroupBox(Q(w_.fraImpuestos.caption), this);
    auto *imp = new QGridLayout(fraImpuestos_);
    imp->addWidget(new QLabel(QStringLiteral("Base"), fraImpuestos_), 0, 0, Qt::AlignCenter);
    imp->addWidget(new QLabel(QStringLiteral("Tipo"), fraImpuestos_), 0, 1, Qt::AlignCenter);
    imp->addWidget(new QLabel(QStringLiteral("Importe"), fraImpuestos_), 0, 2, Qt::AlignCenter);
    for (int i = 0; i < D::kFilas; ++i) {
        auto k = static_cast<std::size_t>(i);
        bases_[k] = Numero(fraImpuestos_, false);
        tipos_[k] = Numero(fraImpuestos_, true);
        tipos_[k]->setFixedWidth(60);
        cuotas_[k] = Numero(fraImpuestos_, true);
        imp->addWidget(bases_[k], i + 1, 0);
        imp->addWidget(tipos_[k], i + 1, 1);
        imp->addWidget(cuotas_[k], i + 1, 2);
        connect(bases_[k], &QLineEdit::textEdited, this, [this, i] {
            Accion([this, i] {
                w_.txtBase[static_cast<std::size_t>(i)].text = bases_[static_cast<std::size_t>(i)]->text().toStdString();
                w_.txtBase_Change(i);
            });
        });
    }
    tBase_ = new QLabel(fraImpuestos_);
    tImporte_ = new QLabel(fraImpuestos_);
    total_ = new QLabel(fraImpuestos_);
    for (QLabel *l : {tBase_, tImporte_, total_}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(100);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    imp->addWidget(tBase_, D::kFilas + 1, 0);
    imp->addWidget(tImporte_, D::kFilas + 1, 2);
    imp->addWidget(new QLabel(QStringLiteral("Total:"), fraImpuestos_), D::kFilas + 2, 1, Qt::AlignRight);
    imp->addWidget(total_, D::kFilas + 2, 2);
    root_->addWidget(fraImpuestos_);

    auto *opciones = new QHBoxLayout();
    auto grupo = [&](QGroupBox *&box, const host::Control &marco, std::array<host::CheckField, 2> &opts,
                     std::array<QRadioButton *, 2> &radios) {
        box = new QGroupBox(Q(marco.caption), this);
        auto *h = new QHBoxLayout(box);
        auto *g = new QButtonGroup(box);
        for (std::size_t k = 0; k < 2; ++k) {
            radios[k] = new QRadioButton(Q(opts[k].caption), box);
            g->addButton(radios[k]);
            h->addWidget(radios[k]);
        }
        opciones->addWidget(box);
    };
    grupo(fraEmisor_, w_.fraEmisor, w_.optEmisor, emisor_);
    grupo(fraTipoFactura_, w_.fraTipoFactura, w_.optTipoFactura, tipoFactura_);
    root_->addLayout(opciones);

    FilaAceptarCancelar(w_, [this] { Leer(); });

    connect(proveedor_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            Leer();
            w_.txtProveedor_Change();
        });
    });
    connect(cta_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            Leer();
            w_.txtCtaProveedor_Change();
        });
    });
    connect(ctaPdte_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            Leer();
            w_.txtCtaProveedorPdte_Change();
        });
    });
    connect(fecha_, &QLineEdit::textEdited, this, [this] {
        Accion([this] {
            Leer();
            w_.txtFecha_Change();
        });
    });
    // Enter moves to the next field, as in the suite's forms.
    for (QLineEdit *e : {documento_, documentoCentral_, static_cast<QLineEdit *>(fecha_), importe_, central_}) {
        connect(e, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    }
    for (LineasLookupBox *b : {proveedor_, cta_, ctaPdte_}) {
        connect(b, &LineasLookupBox::enterPulsado, this, [this] { focusNextChild(); });
    }

    Refresh();
    proveedor_->CodigoEdit()->setFocus();
}

void frmExtractos_Lineas_DatosView::Leer() {
    w_.txtProveedor.text = proveedor_->Codigo();
    try {
        w_.txtProveedor.code = w_.txtProveedor.text.empty() ? 0 : std::stol(w_.txtProveedor.text);
    } catch (const std::exception &) {
        w_.txtProveedor.code = 0;
    }
    w_.txtCtaProveedor.text = cta_->Codigo();
    w_.txtCtaProveedorPdte.text = ctaPdte_->Codigo();
    w_.txtDocumento.text = documento_->text().toStdString();
    w_.txtDocumentoCentral.text = documentoCentral_->text().toStdString();
    w_.txtFecha.text = fecha_->Texto();
    w_.txtImportePago.text = importe_->text().toStdString();
    w_.txtProveedorCentral.text = central_->text().toStdString();
    w_.chkDescuentoProntoPago.value = prontoPago_->isChecked();
    w_.chkAcreedor.value = acreedor_->isChecked();
    w_.cboTipoPago.index = tipoPago_->currentIndex();
    for (std::size_t k = 0; k < 2; ++k) {
        w_.optEmisor[k].value = emisor_[k]->isChecked();
        w_.optTipoFactura[k].value = tipoFactura_[k]->isChecked();
    }
    for (std::size_t k = 0; k < bases_.size(); ++k) {
        w_.txtBase[k].text = bases_[k]->text().toStdString();
    }
}

void frmExtractos_Lineas_DatosView::Refresh() {
    pintando_ = true;
    setWindowTitle(Q(w_.caption));
    auto lookup = [](LineasLookupBox *b, const host::LookupField &f, const std::string &code) {
        b->Mostrar(code, f.descripcion, f.enabled, f.locked);
        b->setVisible(f.visible);
    };
    lookup(proveedor_, w_.txtProveedor, w_.txtProveedor.code >= 1 ? std::to_string(w_.txtProveedor.code) : "");
    lookup(cta_, w_.txtCtaProveedor, w_.txtCtaProveedor.text);
    lookup(ctaPdte_, w_.txtCtaProveedorPdte, w_.txtCtaProveedorPdte.text);
    lblCtaPdte_->setVisible(w_.lblCtaProveedorPdte.visible);
    Texto(documento_, w_.txtDocumento.text);
    Texto(documentoCentral_, w_.txtDocumentoCentral.text);
    fecha_->Mostrar(w_.txtFecha.text);
    Texto(importe_, w_.txtImportePago.text);
    Texto(central_, w_.txtProveedorCentral.text);
    central_->setVisible(w_.txtProveedorCentral.visible);
    lblCentral_->setVisible(w_.lblProveedorCentral.visible);
    prontoPago_->setChecked(w_.chkDescuentoProntoPago.value);
    acreedor_->setChecked(w_.chkAcreedor.value);
    acreedor_->setVisible(w_.chkAcreedor.visible);
    if (tipoPago_->count() != static_cast<int>(w_.cboTipoPago.items.size())) {
        tipoPago_->clear();
        for (const auto &i : w_.cboTipoPago.items) {
            tipoPago_->addItem(Q(i.text));
        }
    }
    tipoPago_->setCurrentIndex(w_.cboTipoPago.index);
    tipoPago_->setEnabled(w_.cboTipoPago.enabled);

    fraImpuestos_->setTitle(Q(w_.fraImpuestos.caption));
    fraImpuestos_->setVisible(w_.fraImpuestos.visible);
    for (std::size_t k = 0; k < bases_.size(); ++k) {
        Texto(tipos_[k], w_.txtTipo[k].text);
        Texto(bases_[k], w_.txtBase[k].text);
        Texto(cuotas_[k], w_.txtImporte_Imp[k].text);
        bases_[k]->setReadOnly(w_.txtBase[k].locked);
        bases_[k]->setEnabled(!w_.txtBase[k].locked);
    }
    tBase_->setText(Q(w_.lblTBase.caption));
    tImporte_->setText(Q(w_.lblTImporte.caption));
    total_->setText(Q(w_.lblTotal.caption));

    fraEmisor_->setVisible(w_.fraEmisor.visible);
    fraTipoFactura_->setVisible(w_.fraTipoFactura.visible);
    for (std::size_t k = 0; k < 2; ++k) {
        emisor_[k]->setChecked(w_.optEmisor[k].value);
        tipoFactura_[k]->setChecked(w_.optTipoFactura[k].value);
    }
    MostrarAceptarCancelar();
    // A hidden frame leaves no gap: the buttons move up.
    AjustarSiCambia((w_.fraImpuestos.visible ? 1 : 0) + (w_.fraEmisor.visible ? 2 : 0));
    pintando_ = false;
}

QWidget *frmExtractos_Lineas_DatosView::ControlWidget(const std::string &name) {
    if (name == "txtProveedor") {
        return proveedor_->CodigoEdit();
    }
    if (name == "txtCtaProveedor") {
        return cta_->CodigoEdit();
    }
    if (name == "txtCtaProveedorPdte") {
        return ctaPdte_->CodigoEdit();
    }
    if (name == "txtDocumento") {
        return documento_;
    }
    if (name == "txtDocumentoCentral") {
        return documentoCentral_;
    }
    if (name == "txtFecha") {
        return fecha_;
    }
    if (name == "txtImportePago") {
        return importe_;
    }
    if (name == "cboTipoPago") {
        return tipoPago_;
    }
    if (name == "txtProveedorCentral") {
        return central_;
    }
    if (name == "cmdAceptar") {
        return aceptar_;
    }
    return nullptr;
}

} // namespace ui
