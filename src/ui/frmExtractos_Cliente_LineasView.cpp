#include "ui/frmExtractos_Cliente_LineasView.h"

#include "ui/GridModel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace ui {

namespace {

QLineEdit *Numero(QLineEdit *e, int caracteres) {
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().averageCharWidth() * caracteres + 12);
    return e;
}

QLabel *Total(QLabel *l) {
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(l->fontMetrics().averageCharWidth() * 12);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

frmExtractos_Cliente_LineasView::frmExtractos_Cliente_LineasView(customers::frmExtractos_Cliente_Lineas &w,
                                                                 QWidget *parent)
    : WindowView(w, parent), w_(w) {
    using E = customers::frmExtractos_Cliente_Lineas;
    Caption(w.caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto proveedores = [&w](const std::string &t) { return w.BuscarProveedores(t); };
    auto recargar = [&w] { w.txtFechaF_Enter(); };
    auto *filtros = new QHBoxLayout();
    filtros->addWidget(Label("Fecha Inicial:"));
    filtros->addWidget(Date(w.txtFechaI, [&w] { w.txtFechaI_Change(); }, recargar));
    filtros->addWidget(Label("Fecha Final:"));
    filtros->addWidget(Date(w.txtFechaF, [&w] { w.txtFechaF_Change(); }, recargar));
    filtros->addWidget(Label("Proveedor:"));
    filtros->addWidget(Lookup(w.txtProveedor, true, 6, proveedores, [&w] { w.txtProveedor_Change(); },
                              [&w] { w.txtProveedor_Enter(); }),
                       2);
    filtros->addWidget(Label("Documento:"));
    filtros->addWidget(Text(w.txtDocumento, {}, [&w] { w.txtDocumento_Enter(); }), 1);
    estado_ = new QLabel();
    filtros->addWidget(estado_);
    root_->addLayout(filtros);

    auto *centro = new QHBoxLayout();
    auto *izquierda = new QVBoxLayout();
    GridView *grid = Grid(w.vsLineas, "vsLineas", {.rowChange = [&w](int r) { w.vsLineas_RowColChange(r); }},
                          {{E::colNombre, 60}, {E::colObservaciones, 40}});
    izquierda->addWidget(grid, 1);

    // The entry row of a line; Enter in the observations saves it.
    auto *alta = new QGridLayout();
    alta->addWidget(Label("Proveedor:"), 0, 0);
    alta->addWidget(Lookup(w.txtProveedor_Insert, true, 6, proveedores, [&w] { w.txtProveedor_Insert_Change(); }), 0,
                    1, 1, 3);
    alta->addWidget(Label("Documento:"), 0, 4);
    alta->addWidget(Text(w.txtDocumento_Insert), 0, 5);
    alta->addWidget(Label("F.Factura:"), 1, 0);
    alta->addWidget(Date(w.txtFechaFactura, {}, [&w] { w.txtFechaFactura_Enter(); }), 1, 1);
    alta->addWidget(Label("Atípicos:"), 1, 2);
    alta->addWidget(Combo(w.cboAtipicos), 1, 3);
    alta->addWidget(Label("%:"), 1, 4, Qt::AlignRight);
    alta->addWidget(Numero(Text(w.txtPorcAtipicos), 8), 1, 5, Qt::AlignLeft);
    alta->addWidget(Label("Observaciones:"), 2, 0);
    alta->addWidget(Text(w.txtObservaciones, {}, [&w] { w.txtObservaciones_Enter(); }), 2, 1, 1, 5);
    alta->setColumnStretch(1, 1);
    alta->setColumnStretch(5, 1);
    izquierda->addLayout(alta);
    auto *botones = new QHBoxLayout();
    botones->addWidget(Button(w.cmdModificar, [&w] { w.cmdModificar_Click(); }));
    botones->addWidget(Button(w.cmdEliminar, [&w] { w.cmdEliminar_Click(); }));
    botones->addStretch(1);
    izquierda->addLayout(botones);
    centro->addLayout(izquierda, 1);

    // The tax frame: the stored rows, then seven editing rows at the company's rates and the totals.
    QGroupBox *marco = Frame(w.fraImpuestos);
    auto *imp = new QVBoxLayout(marco);
    GridView *impuestos = Grid(w.vsImpuestos, "vsImpuestos", {});
    impuestos->setMinimumHeight(110);
    impuestos->setMinimumWidth(TwipsToPixels(4400));
    impuestos->setMaximumHeight(150);
    imp->addWidget(impuestos);
    auto *filas = new QGridLayout();
    filas->addWidget(Label("Impuesto %"), 0, 0, Qt::AlignCenter);
    filas->addWidget(Label("Base"), 0, 1, Qt::AlignCenter);
    filas->addWidget(Label("Impuesto"), 0, 2, Qt::AlignCenter);
    for (int i = 0; i < E::kFilas; ++i) {
        auto k = static_cast<std::size_t>(i);
        filas->addWidget(Numero(Text(w.txtTipo[k]), 7), i + 1, 0);
        filas->addWidget(
            Numero(Text(w.txtBase[k], [&w, i] { w.txtBase_Change(i); }, [&w, i] { w.txtBase_Enter(i); }), 12), i + 1,
            1);
        filas->addWidget(Numero(Text(w.txtImporte_Imp[k]), 12), i + 1, 2);
    }
    filas->addWidget(Total(Label(w.lblTBase)), E::kFilas + 1, 1);
    filas->addWidget(Total(Label(w.lblTImporte)), E::kFilas + 1, 2);
    filas->addWidget(Label("Total:"), E::kFilas + 2, 1, Qt::AlignRight);
    filas->addWidget(Total(Label(w.lblTotal)), E::kFilas + 2, 2);
    imp->addLayout(filas);
    auto *botonesImp = new QHBoxLayout();
    botonesImp->addWidget(Button(w.cmdModificarImp, [&w] { w.cmdModificarImp_Click(); }));
    botonesImp->addWidget(Button(w.cmdEliminarImp, [&w] { w.cmdEliminarImp_Click(); }));
    imp->addLayout(botonesImp);
    imp->addStretch(1);
    centro->addWidget(marco);
    root_->addLayout(centro, 1);

    ButtonRow({}, {Button(w.cmdVolver, [&w] { w.cmdVolver_Click(); })});
    FitToGrid(grid, TwipsToPixels(11000) + 330, 640);
    FirstFocus([this] { return ControlWidget(w_.soloLectura ? "vsLineas" : "txtProveedor_Insert"); });
}

void frmExtractos_Cliente_LineasView::Redraw() {
    estado_->setText(w_.soloLectura ? QStringLiteral("Extracto cerrado: sólo consulta")
                                    : w_.Editando() ? QStringLiteral("Modificando línea (Esc cancela)") : QString());
}

} // namespace ui
