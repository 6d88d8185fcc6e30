#include "lines/frmExtractos_Lineas_Datos.h"

#include "db/Sql.h"
#include "host/Contexto.h"
#include "host/LongitudTexto.h"
#include "lines/Comun.h"
#include "suite/Almacen.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"

#include <set>
#include <stdexcept>

namespace lines {

namespace {

const char *kAtencion = "¡ Atención !";

host::Contexto &Ctx() { return host::Contexto::Global(); }

std::string Recortar(const std::string &s) {
    std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) {
        return {};
    }
    std::size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

long Numero(const std::string &text) {
    try {
        return text.empty() ? 0 : std::stol(text);
    } catch (const std::exception &) {
        return 0;
    }
}

std::string Dos(suite::Moneda m) { return suite::Formato::Instancia().Redondear(m, 2); }

} // namespace

frmExtractos_Lineas_Datos::frmExtractos_Lineas_Datos(host::Shell &shell)
    : Window("frmExtractos_Lineas_Datos", shell) {
    auto campo = [](host::Control &c, const char *name, const char *caption) {
        c.name = name;
        c.caption = caption;
    };
    campo(txtProveedor, "txtProveedor", "Proveedor:");
    campo(txtCtaProveedor, "txtCtaProveedor", "Cuenta Proveedor:");
    campo(txtCtaProveedorPdte, "txtCtaProveedorPdte", "");
    campo(lblCtaProveedorPdte, "lblCtaProveedorPdte", "Cuenta Proveedor:");
    campo(txtDocumento, "txtDocumento", "Documento:");
    campo(txtDocumentoCentral, "txtDocumentoCentral", "Documento Central:");
    campo(txtFecha, "txtFecha", "Fecha:");
    campo(txtImportePago, "txtImportePago", "Importe Pago:");
    campo(chkDescuentoProntoPago, "chkDescuentoProntoPago", " Descuento Pronto Pago");
    campo(cboTipoPago, "cboTipoPago", "Tipo Pago:");
    campo(txtProveedorCentral, "txtProveedorCentral", "");
    campo(lblProveedorCentral, "lblProveedorCentral", "Proveedor Central:");
    campo(chkAcreedor, "chkAcreedor", "Es Acreedor");
    campo(fraImpuestos, "fraImpuestos", "Igic");
    campo(fraEmisor, "fraEmisor", "Emisor ");
    campo(fraTipoFactura, "fraTipoFactura", "Tipo Factura ");
    campo(optEmisor[0], "optEmisor(0)", "Socio");
    campo(optEmisor[1], "optEmisor(1)", "Proveedor");
    campo(optTipoFactura[0], "optTipoFactura(0)", "Mercancía");
    campo(optTipoFactura[1], "optTipoFactura(1)", "Servicio");
    campo(lblTBase, "lblTBase", "0,00");
    campo(lblTImporte, "lblTImporte", "0,00");
    campo(lblTotal, "lblTotal", "0,00");
    campo(cmdAceptar, "cmdAceptar", "&Aceptar");
    campo(cmdCancelar, "cmdCancelar", "&Cancelar");
    for (int i = 0; i < kFilas; ++i) {
        auto k = static_cast<std::size_t>(i);
        std::string n = "(" + std::to_string(i) + ")";
        txtTipo[k].name = "txtTipo" + n;
        txtBase[k].name = "txtBase" + n;
        txtImporte_Imp[k].name = "txtImporte_Imp" + n;
        txtTipo[k].locked = true;
        txtImporte_Imp[k].locked = true;
    }
    existe_.fill(true);
}

void frmExtractos_Lineas_Datos::Form_Load() {
    Trap("Form_Load", [&] {
        auto &emp = *Ctx().empresaVarnex;
        auto &erp = *Ctx().conexionVarnex;
        auto &fmt = suite::Formato::Instancia();
        modo_ = static_cast<int>(emp.Parametro("PagoCentral_TipoExtracto").ToLong());
        aceptado = false;

        auto rs = erp.OpenRecordset("SELECT EmpContable FROM Almacenes"
                                    " WHERE Cod_Empresa =" +
                                    std::to_string(emp.Codigo()) + " AND Codigo =" + std::to_string(codAlmacen));
        empContable_ = rs->Eof() ? 0 : static_cast<int>(rs->Fields(0).AsInt64());
        rs->Close();

        cboTipoPago.Clear();
        cboTipoPago.Add("---", 0);
        rs = erp.OpenRecordset("SELECT Codigo, Nombre FROM Compras_PagosCentral_Extractos_TiposPago ORDER BY Codigo");
        while (!rs->Eof()) {
            cboTipoPago.Add(rs->Fields("Nombre").AsText(), static_cast<long>(rs->Fields("Codigo").AsInt64()));
            rs->MoveNext();
        }
        rs->Close();
        cboTipoPago.index = 0;

        bool editando = idExtractoLinea >= 1;
        if (editando) {
            txtProveedor.code = codProveedor;
            txtProveedor.text = codProveedor > 0 ? std::to_string(codProveedor) : "";
            txtCtaProveedor.text = ctaProveedor;
            txtCtaProveedorPdte.text = ctaProveedorPdte;
            txtImportePago.text = fmt.Redondear(importePago, emp.DecimalesImporte());
            chkDescuentoProntoPago.value = prontoPago;
            if (!cboTipoPago.SelectData(tipoPago)) {
                cboTipoPago.index = 0;
            }
            txtDocumento.text = documento;
            txtDocumentoCentral.text = documentoCentral;
            txtFecha.text = fecha;
            txtProveedorCentral.text = std::to_string(codProveedorCentral);
            chkAcreedor.value = acreedor;
            optEmisor[0].value = emisor == 1;
            optEmisor[1].value = emisor == 2;
            optTipoFactura[0].value = tipoFactura == 1;
            optTipoFactura[1].value = tipoFactura == 2;
            // A linked line keeps its payment type and its supplier: the links are that supplier's documents.
            cboTipoPago.enabled = !vinculado;
            txtProveedor.locked = vinculado;
        } else {
            txtFecha.text = suite::Fecha::Hoy().Formato("dd/mm/yyyy");
        }
        txtProveedor.descripcion = BuscadorMaestros::NombreProveedor(erp, emp.Codigo(), txtProveedor.code).value_or("");
        txtCtaProveedor_Change();
        txtCtaProveedorPdte_Change();

        if (modo_ == 1) {
            lblProveedorCentral.visible = txtProveedorCentral.visible = true;
            chkAcreedor.visible = true;
            lblCtaProveedorPdte.visible = txtCtaProveedorPdte.visible = true;
            fraEmisor.visible = fraTipoFactura.visible = false;
            fraImpuestos.visible = true;
            suite::Almacen almacen(Ctx().conexionVarnex, emp.Codigo());
            almacen.CargarAlmacen(codAlmacen);
            regimen_ = almacen.RegimenEspecial();
            fraImpuestos.caption = regimen_ ? "Iva" : "Igic";
            guardadas_.fill(0);
            baseGuardada_.fill(suite::Moneda());
            cuotaGuardada_.fill(suite::Moneda());
            if (editando) {
                rs = erp.OpenRecordset("SELECT Tipo, Base, Importe, Valor_Tipo FROM "
                                       "Compras_PagosCentral_Extractos_Lineas_Impuestos"
                                       " WHERE IdExtractoLinea =" +
                                       std::to_string(idExtractoLinea));
                while (!rs->Eof()) {
                    auto tipo = rs->Fields("Tipo").AsInt64();
                    auto base = suite::Moneda::FromUnits(rs->Fields("Base").AsCurrencyUnits());
                    auto cuota = suite::Moneda::FromUnits(rs->Fields("Importe").AsCurrencyUnits());
                    if (tipo >= 0 && tipo < kFilas) {
                        auto k = static_cast<std::size_t>(tipo);
                        if (guardadas_[k]++ == 0) {
                            tipoGuardado_[k] = suite::Moneda::FromUnits(rs->Fields("Valor_Tipo").AsCurrencyUnits());
                        }
                        baseGuardada_[k] += base;
                        cuotaGuardada_[k] += cuota;
                    }
                    if (tipo >= 0 && tipo < kIndices) {
                        auto k = static_cast<std::size_t>(tipo);
                        Impuestos_Base[k] = base;
                        Impuestos_Importe[k] = cuota;
                    }
                    rs->MoveNext();
                }
                rs->Close();
            }
            for (std::size_t k = 0; k < kFilas; ++k) {
                txtBase[k].text = Dos(baseGuardada_[k]);
                txtImporte_Imp[k].text = k == 0 ? Dos(suite::Moneda()) : Dos(cuotaGuardada_[k]);
            }
            CargarTipos();
            CalcularTotales();
        } else if (modo_ == 2) {
            lblProveedorCentral.visible = txtProveedorCentral.visible = false;
            chkAcreedor.visible = false;
            lblCtaProveedorPdte.visible = txtCtaProveedorPdte.visible = false;
            fraEmisor.visible = fraTipoFactura.visible = true;
            fraImpuestos.visible = false;
        }
    });
}

void frmExtractos_Lineas_Datos::CargarTipos() {
    auto &emp = *Ctx().empresaVarnex;
    auto d = suite::Fecha::Parse(txtFecha.text);
    suite::Fecha dia = d && !d->EsVacia() ? d->SoloFecha() : suite::Fecha::Hoy();
    emp.FechaTrabajo(dia);
    std::string f = "'" + suite::Formato::Instancia().FechaTexto(dia) + "'";
    std::set<long> vigentes;
    auto rs = emp.Conexion()->OpenRecordset(
        "SELECT DISTINCT Tipo FROM Igic_Tipos WHERE Cod_Empresa =" + std::to_string(emp.Codigo()) + " AND FechaI <= " +
        f + " AND (FechaF >= " + f + " OR FechaF = '01/01/1900' OR FechaF IS NULL)");
    while (!rs->Eof()) {
        vigentes.insert(static_cast<long>(rs->Fields(0).AsInt64()));
        rs->MoveNext();
    }
    rs->Close();
    Impuestos_Tipo[0] = suite::Moneda();
    existe_[0] = true;
    txtTipo[0].text = Dos(suite::Moneda());
    for (int i = 1; i < kFilas; ++i) {
        auto k = static_cast<std::size_t>(i);
        Impuestos_Tipo[k] = regimen_ ? emp.TipoImpuestoRegimen(i) : emp.TipoImpuesto(i);
        existe_[k] = vigentes.count(i) > 0;
        txtTipo[k].text = Dos(Impuestos_Tipo[k]);
    }
    for (std::size_t k = 0; k < kFilas; ++k) {
        txtBase[k].locked = !FilaEditable(static_cast<int>(k));
        if (Conservada(k)) {
            MostrarGuardada(k);
        }
    }
}

bool frmExtractos_Lineas_Datos::FilaEditable(int fila) const {
    auto k = static_cast<std::size_t>(fila);
    if (fila < 0 || fila >= kFilas || !existe_[k] || guardadas_[k] > 1) {
        return false;
    }
    return fila != 0 || cuotaGuardada_[0].EsCero();
}

void frmExtractos_Lineas_Datos::MostrarGuardada(std::size_t k) {
    txtBase[k].text = Dos(baseGuardada_[k]);
    txtTipo[k].text = Dos(tipoGuardado_[k]);
    txtImporte_Imp[k].text = Dos(cuotaGuardada_[k]);
}

void frmExtractos_Lineas_Datos::CalcularFila(int fila) {
    auto k = static_cast<std::size_t>(fila);
    if (Conservada(k)) {
        return;
    }
    if (fila == 0) {
        txtImporte_Imp[0].text = Dos(suite::Moneda());
        return;
    }
    suite::Moneda base = suite::Formato::Instancia().ANumero(txtBase[k].text);
    txtImporte_Imp[k].text = Dos(comun::Cuota(base, Impuestos_Tipo[k]));
}

void frmExtractos_Lineas_Datos::CalcularTotales() {
    auto &fmt = suite::Formato::Instancia();
    suite::Moneda bases, cuotas;
    for (std::size_t k = 0; k < kFilas; ++k) {
        bases += fmt.ANumero(txtBase[k].text);
        cuotas += fmt.ANumero(txtImporte_Imp[k].text);
    }
    lblTBase.caption = Dos(bases);
    lblTImporte.caption = Dos(cuotas);
    lblTotal.caption = Dos(bases + cuotas);
}

void frmExtractos_Lineas_Datos::txtBase_Change(int fila) {
    Trap("txtBase_Change", [&] {
        if (fila < 0 || fila >= kFilas) {
            return;
        }
        CalcularFila(fila);
        CalcularTotales();
    });
}

void frmExtractos_Lineas_Datos::txtFecha_Change() {
    Trap("txtFecha_Change", [&] {
        // Only a complete date selects other rates; half-typed text keeps the current ones.
        if (modo_ != 1 || !suite::Fecha::Parse(txtFecha.text)) {
            return;
        }
        CargarTipos();
        for (int i = 0; i < kFilas; ++i) {
            CalcularFila(i);
        }
        CalcularTotales();
    });
}

void frmExtractos_Lineas_Datos::txtProveedor_Change() {
    Trap("txtProveedor_Change", [&] {
        auto &emp = *Ctx().empresaVarnex;
        auto &erp = *Ctx().conexionVarnex;
        auto nombre = BuscadorMaestros::NombreProveedor(erp, emp.Codigo(), txtProveedor.code);
        txtProveedor.descripcion = nombre.value_or("");
        if (!nombre) {
            return;
        }
        // The line's accounts default to the supplier's record when none was typed yet.
        auto rs = erp.OpenRecordset("SELECT ISNULL(Cta_Proveedor,'') AS Cta, ISNULL(Cta_Pdte,'') AS Pdte FROM "
                                    "Proveedores WHERE Cod_Empresa =" +
                                    std::to_string(emp.Codigo()) + " AND Codigo =" + std::to_string(txtProveedor.code));
        if (!rs->Eof()) {
            if (Recortar(txtCtaProveedor.text).empty()) {
                txtCtaProveedor.text = rs->Fields("Cta").AsText();
                txtCtaProveedor_Change();
            }
            if (modo_ == 1 && Recortar(txtCtaProveedorPdte.text).empty()) {
                txtCtaProveedorPdte.text = rs->Fields("Pdte").AsText();
                txtCtaProveedorPdte_Change();
            }
        }
        rs->Close();
    });
}

void frmExtractos_Lineas_Datos::txtCtaProveedor_Change() {
    Trap("txtCtaProveedor_Change", [&] {
        txtCtaProveedor.descripcion =
            BuscadorMaestros::NombreCuenta(*Ctx().conexionLumbra, empContable_, txtCtaProveedor.text).value_or("");
    });
}

void frmExtractos_Lineas_Datos::txtCtaProveedorPdte_Change() {
    Trap("txtCtaProveedorPdte_Change", [&] {
        txtCtaProveedorPdte.descripcion =
            BuscadorMaestros::NombreCuenta(*Ctx().conexionLumbra, empContable_, txtCtaProveedorPdte.text)
                .value_or("");
    });
}

std::vector<BuscadorMaestros::Fila> frmExtractos_Lineas_Datos::BuscarProveedores(const std::string &texto) const {
    return BuscadorMaestros::Proveedores(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

std::vector<BuscadorMaestros::Fila> frmExtractos_Lineas_Datos::BuscarCuentas(const std::string &texto) const {
    return BuscadorMaestros::Cuentas(*Ctx().conexionLumbra, empContable_, texto);
}

bool frmExtractos_Lineas_Datos::Falta(bool falla, const char *mensaje, const char *control) {
    if (falla) {
        Ui().MsgBox(mensaje, kAtencion, host::Icon::Warning);
        Ui().Focus(*this, control);
    }
    return falla;
}

void frmExtractos_Lineas_Datos::cmdAceptar_Click() {
    Trap("cmdAceptar_Click", [&] {
        auto &emp = *Ctx().empresaVarnex;
        auto &fmt = suite::Formato::Instancia();
        bool proveedorValido =
            BuscadorMaestros::NombreProveedor(*Ctx().conexionVarnex, emp.Codigo(), txtProveedor.code).has_value();
        if (Falta(!proveedorValido, "Debe especificar un Proveedor válido", "txtProveedor") ||
            Falta(txtCtaProveedor.text.empty(), "Debe especificar una Cuenta de Proveedor", "txtCtaProveedor") ||
            Falta(Recortar(txtImportePago.text).empty(), "Debe especificar un importe de Pago", "txtImportePago") ||
            Falta(cboTipoPago.index <= 0, "Se esperaba un Tipo de Pago", "cboTipoPago")) {
            return;
        }
        // 01/01/1900 means no date, and SQL Server keeps nothing before 1753.
        auto dia = suite::Fecha::Parse(txtFecha.text);
        if (Falta(!dia || dia->EsVacia() || dia->Anio() < 1753, "Debe introducir una fecha válida.", "txtFecha")) {
            return;
        }
        long central = Numero(Recortar(txtProveedorCentral.text));
        if (modo_ == 1) {
            if (Falta(central == 0, "Debe indicar el proveedor de la Central", "txtProveedorCentral") ||
                Falta(Recortar(txtCtaProveedorPdte.text).empty(),
                      "Debe especificar una Cuenta de Proveedor Pdte. Recibir", "txtCtaProveedorPdte")) {
                return;
            }
            for (std::size_t k = 0; k < kFilas; ++k) {
                if (FilaEditable(static_cast<int>(k))) {
                    Impuestos_Base[k] = fmt.ANumero(txtBase[k].text);
                    Impuestos_Importe[k] = fmt.ANumero(txtImporte_Imp[k].text);
                }
            }
        }
        if (auto e = host::PrimeroExcedido({{txtCtaProveedor.text, 20, "Cuenta Proveedor", "txtCtaProveedor"},
                                            {txtCtaProveedorPdte.text, 20, "Cuenta Proveedor Pdte. Recibir",
                                             "txtCtaProveedorPdte"},
                                            {txtDocumento.text, 50, "Documento", "txtDocumento"},
                                            {txtDocumentoCentral.text, 50, "Documento Central", "txtDocumentoCentral"}})) {
            Falta(true, e->mensaje.c_str(), e->control);
            return;
        }
        auto importe = suite::Moneda::Parse(txtImportePago.text);
        if (!importe) {
            throw std::runtime_error("El importe de pago no es un número: '" + Recortar(txtImportePago.text) + "'");
        }

        codProveedor = txtProveedor.code;
        ctaProveedor = txtCtaProveedor.text;
        ctaProveedorPdte = txtCtaProveedorPdte.text;
        importePago = *importe;
        prontoPago = chkDescuentoProntoPago.value;
        tipoPago = static_cast<int>(cboTipoPago.ItemData());
        documento = txtDocumento.text;
        documentoCentral = txtDocumentoCentral.text;
        fecha = fmt.FechaTexto(*dia);
        codProveedorCentral = central;
        acreedor = chkAcreedor.value;
        emisor = !fraEmisor.visible ? 0 : optEmisor[0].value ? 1 : optEmisor[1].value ? 2 : 0;
        tipoFactura = !fraTipoFactura.visible ? 0 : optTipoFactura[0].value ? 1 : optTipoFactura[1].value ? 2 : 0;
        aceptado = true;
        Close();
    });
}

} // namespace lines
