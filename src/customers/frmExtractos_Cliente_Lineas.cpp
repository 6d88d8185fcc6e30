#include "customers/frmExtractos_Cliente_Lineas.h"

#include "db/Sql.h"
#include "db/Transaction.h"
#include "host/LongitudTexto.h"
#include "host/Progress.h"
#include "lines/Comun.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"

namespace customers {

namespace {

using lines::comun::Boton;
using lines::comun::Ctx;
using lines::comun::kAtencion;

const suite::Formato &Fmt() { return suite::Formato::Instancia(); }
std::string Dos(suite::Moneda m) { return Fmt().Redondear(m, 2); }

// A typed amount or percentage; nullopt when it is not a number.
std::optional<suite::Moneda> Cifra(const std::string &texto) {
    if (!suite::Moneda::Parse(texto)) {
        return std::nullopt;
    }
    return Fmt().ANumero(texto);
}

std::string Atipicos(long modo, suite::Moneda porcentaje) {
    if (modo == 1) {
        return Fmt().Redondear(porcentaje, 2) + " % I.F.";
    }
    if (modo == 2) {
        return Fmt().Redondear(porcentaje, 2) + " % B.I.";
    }
    return "";
}

} // namespace

frmExtractos_Cliente_Lineas::frmExtractos_Cliente_Lineas(host::Shell &shell,
                                                         std::shared_ptr<suite::Configuracion> ajustes)
    : Window("frmExtractos_Cliente_Lineas", shell),
      ajustes_(ajustes ? std::move(ajustes) : std::make_shared<suite::Configuracion>()) {
    txtFechaI.name = "txtFechaI";
    txtFechaF.name = "txtFechaF";
    txtProveedor.name = "txtProveedor";
    txtDocumento.name = "txtDocumento";
    txtProveedor_Insert.name = "txtProveedor_Insert";
    txtDocumento_Insert.name = "txtDocumento_Insert";
    txtFechaFactura.name = "txtFechaFactura";
    cboAtipicos.name = "cboAtipicos";
    txtPorcAtipicos.name = "txtPorcAtipicos";
    txtObservaciones.name = "txtObservaciones";
    fraImpuestos.name = "fraImpuestos";
    fraImpuestos.caption = "Impuestos";
    for (int i = 0; i < kFilas; ++i) {
        const std::string n = "(" + std::to_string(i) + ")";
        auto k = static_cast<std::size_t>(i);
        txtTipo[k].name = "txtTipo" + n;
        txtTipo[k].locked = true;
        txtBase[k].name = "txtBase" + n;
        txtImporte_Imp[k].name = "txtImporte_Imp" + n;
        txtImporte_Imp[k].locked = true;
    }
    lblTBase.name = "lblTBase";
    lblTImporte.name = "lblTImporte";
    lblTotal.name = "lblTotal";
    Boton(cmdModificar, "cmdModificar", "&Modificar");
    Boton(cmdEliminar, "cmdEliminar", "&Eliminar");
    Boton(cmdModificarImp, "cmdModificarImp", "&Modificar");
    Boton(cmdEliminarImp, "cmdEliminarImp", "E&liminar");
    Boton(cmdVolver, "cmdVolver", "&Volver");
    using A = host::GridAlign;
    using T = host::GridType;
    vsLineas.columns = {
        {"Proveedor", 800, A::Right, T::Long},   {"Proveedor", 2800, A::Left, T::String},
        {"Documento", 1500, A::Left, T::String}, {"F.Factura", 1100, A::Center, T::Date},
        {"Importe", 1300, A::Right, T::Currency}, {"Atípicos", 1200, A::Right, T::String},
        {"Observaciones", 2500, A::Left, T::String}, {"IdExtractoLinea", 0, A::Right, T::Long, true},
    };
    vsImpuestos.columns = {
        {"Base", 1200, A::Right, T::Currency},
        {"Impuesto", 1100, A::Right, T::Currency},
        {"Impuesto %", 1000, A::Right, T::Currency},
    };
}

void frmExtractos_Cliente_Lineas::Form_Load() {
    Trap("Form_Load", [&] {
        auto &emp = *Ctx().empresaVarnex;
        emp.FechaTrabajo(suite::Fecha::Hoy());
        tipos_[0] = suite::Moneda();
        for (int i = 1; i < kFilas; ++i) {
            tipos_[static_cast<std::size_t>(i)] = emp.TipoImpuesto(i);
        }
        for (std::size_t k = 0; k < kFilas; ++k) {
            txtTipo[k].text = Dos(tipos_[k]);
        }
        cboAtipicos.Clear();
        cboAtipicos.Add("Usar Convenios", 0);
        cboAtipicos.Add("% Importe Factura", 1);
        cboAtipicos.Add("% Base Imponible", 2);
        // Invoices usually come from the months before their collection.
        const auto cobro = suite::Fecha::Parse(fechaCobro).value_or(suite::Fecha::Hoy());
        std::string fi = ajustes_->LeerValor("FechaILineasCobro");
        std::string ff = ajustes_->LeerValor("FechaFLineasCobro");
        txtFechaI.text = fi.empty() ? "01/01/" + std::to_string(cobro.Anio() - 1) : fi;
        txtFechaF.text = ff.empty() ? "31/12/" + std::to_string(cobro.Anio()) : ff;
        ajustes_->GuardarValor("FechaILineasCobro", txtFechaI.text);
        ajustes_->GuardarValor("FechaFLineasCobro", txtFechaF.text);
        for (host::Control *c : std::initializer_list<host::Control *>{
                 &txtProveedor_Insert, &txtDocumento_Insert, &txtFechaFactura, &cboAtipicos, &txtPorcAtipicos,
                 &txtObservaciones, &cmdModificar, &cmdEliminar, &cmdModificarImp, &cmdEliminarImp}) {
            c->enabled = !soloLectura;
        }
        for (std::size_t k = 0; k < kFilas; ++k) {
            txtBase[k].enabled = !soloLectura;
        }
        editando_ = false;
        VaciarEntrada();
    });
    Cargar_Lineas();
}

void frmExtractos_Cliente_Lineas::Cargar_Lineas() {
    Trap("Cargar_Lineas", [&] {
        host::MostrarProgreso(Ui(), true, "Cargando líneas de extractos, espere por favor...");
        const int fila = vsLineas.row, superior = vsLineas.topRow;
        vsLineas.Clear();
        const std::string fi = Fmt().FechaTexto(txtFechaI.text), ff = Fmt().FechaTexto(txtFechaF.text);
        if (fi.empty() || ff.empty()) {
            host::MostrarProgreso(Ui(), false);
            Ui().MsgBox("Debe introducir una fecha válida.", kAtencion, host::Icon::Warning);
            Ui().Focus(*this, fi.empty() ? "txtFechaI" : "txtFechaF");
            return;
        }
        const auto &emp = *Ctx().empresaVarnex;
        const std::string co = std::to_string(emp.Codigo());
        std::string filtros = " AND lin.FechaFactura BETWEEN '" + fi + "' AND '" + ff + "'";
        if (txtProveedor.code >= 1) {
            filtros += " AND lin.Cod_Proveedor =" + std::to_string(txtProveedor.code);
        }
        if (!txtDocumento.text.empty()) {
            filtros += " AND lin.Documento LIKE " + db::Contiene(txtDocumento.text);
        }
        auto rs = Ctx().conexionVarnex->OpenRecordset(
            "SELECT lin.Cod_Proveedor AS ProvCodigo, ISNULL(prov.Nombre,'') AS ProvNombre, lin.Documento,"
            " lin.FechaFactura, ISNULL(lin.Importe,0) AS Importe, lin.IdExtractoLinea, lin.Observaciones,"
            " lin.Cod_Atipico, lin.AtipicosPorcentaje"
            " FROM Clientes_PagosCentral_Extractos_Lineas lin"
            " LEFT JOIN Proveedores prov ON prov.Cod_Empresa =" +
            co +
            " AND prov.Codigo = lin.Cod_Proveedor"
            " WHERE lin.Cod_Empresa =" +
            co + " AND lin.Cod_Cliente =" + std::to_string(codCliente) + " AND lin.FechaCobro ='" +
            Fmt().FechaTexto(fechaCobro) + "'" + filtros + " ORDER BY lin.IdExtractoLinea");
        const int dec = emp.DecimalesImporte();
        while (!rs->Eof()) {
            vsLineas.AddRow({rs->Fields("ProvCodigo").AsText(), rs->Fields("ProvNombre").AsText(),
                             rs->Fields("Documento").AsText(), lines::comun::FechaCampo(rs->Fields("FechaFactura")),
                             Fmt().Redondear(lines::comun::MonedaCampo(rs->Fields("Importe")), dec),
                             Atipicos(static_cast<long>(rs->Fields("Cod_Atipico").AsInt64()),
                                      lines::comun::MonedaCampo(rs->Fields("AtipicosPorcentaje"))),
                             rs->Fields("Observaciones").AsText(), rs->Fields("IdExtractoLinea").AsText()});
            rs->MoveNext();
        }
        rs->Close();
        lines::comun::RestaurarFila(vsLineas, fila, superior);
        host::MostrarProgreso(Ui(), false);
    });
    Cargar_Impuestos();
    Ui().Refresh(*this);
}

long frmExtractos_Cliente_Lineas::IdActual() const {
    const int r = vsLineas.row;
    return r >= 1 && r <= vsLineas.DataRows() ? lines::comun::Numero(vsLineas.Text(r, colId)) : 0;
}

void frmExtractos_Cliente_Lineas::Cargar_Impuestos() {
    Trap("Cargar_Impuestos", [&] {
        vsImpuestos.Clear();
        VaciarImpuestos();
        const long id = IdActual();
        if (id == 0) {
            CalcularTotales();
            return;
        }
        auto rs = Ctx().conexionVarnex->OpenRecordset("SELECT imp.Base, imp.Valor_Tipo, imp.Importe"
                                                      " FROM Clientes_PagosCentral_Extractos_Lineas_Impuestos imp"
                                                      " WHERE imp.IdExtractoLinea =" +
                                                      std::to_string(id) + " ORDER BY imp.Valor_Tipo");
        while (!rs->Eof()) {
            const auto base = lines::comun::MonedaCampo(rs->Fields("Base"));
            const auto tipo = lines::comun::MonedaCampo(rs->Fields("Valor_Tipo"));
            const auto cuota = lines::comun::MonedaCampo(rs->Fields("Importe"));
            vsImpuestos.AddRow({Dos(base), Dos(cuota), Dos(tipo)});
            for (std::size_t k = 0; k < kFilas; ++k) {
                if (tipos_[k] == tipo && txtBase[k].text.empty()) {
                    txtBase[k].text = Dos(base);
                    txtImporte_Imp[k].text = Dos(cuota);
                    break;
                }
            }
            rs->MoveNext();
        }
        rs->Close();
        if (vsImpuestos.DataRows() > 0) {
            vsImpuestos.row = 1;
            vsImpuestos.topRow = 1;
        }
        CalcularTotales();
    });
}

void frmExtractos_Cliente_Lineas::VaciarImpuestos() {
    for (std::size_t k = 0; k < kFilas; ++k) {
        txtBase[k].text.clear();
        txtImporte_Imp[k].text = Dos(suite::Moneda());
    }
}

void frmExtractos_Cliente_Lineas::VaciarEntrada() {
    txtProveedor_Insert.code = 0;
    txtProveedor_Insert.text.clear();
    txtProveedor_Insert.descripcion.clear();
    txtDocumento_Insert.text.clear();
    txtFechaFactura.text.clear();
    cboAtipicos.index = 0;
    txtPorcAtipicos.text.clear();
    txtObservaciones.text.clear();
}

std::optional<suite::Moneda> frmExtractos_Cliente_Lineas::Base(int fila) const {
    const auto &t = txtBase[static_cast<std::size_t>(fila)].text;
    return t.empty() ? std::optional<suite::Moneda>(suite::Moneda()) : Cifra(t);
}

void frmExtractos_Cliente_Lineas::CalcularTotales() {
    suite::Moneda bases, cuotas;
    for (int i = 0; i < kFilas; ++i) {
        bases += Base(i).value_or(suite::Moneda());
        cuotas += Fmt().ANumero(txtImporte_Imp[static_cast<std::size_t>(i)].text);
    }
    lblTBase.caption = Dos(bases);
    lblTImporte.caption = Dos(cuotas);
    lblTotal.caption = Dos(bases + cuotas);
}

void frmExtractos_Cliente_Lineas::txtBase_Change(int fila) {
    if (fila < 0 || fila >= kFilas) {
        return;
    }
    auto k = static_cast<std::size_t>(fila);
    const auto base = Base(fila);
    txtImporte_Imp[k].text =
        txtBase[k].text.empty() || !base ? Dos(suite::Moneda()) : Dos(lines::comun::Cuota(*base, tipos_[k]));
    CalcularTotales();
}

void frmExtractos_Cliente_Lineas::txtBase_Enter(int fila) {
    guardado_ = false;
    if (soloLectura) {
        return;
    }
    Trap("txtBase_Enter", [&] {
        const long id = IdActual();
        if (id == 0) {
            Ui().MsgBox("Debe elegir una factura.", kAtencion, host::Icon::Warning);
            return;
        }
        for (int i = 0; i < kFilas; ++i) {
            if (!Base(i)) {
                Ui().MsgBox("Valor de Base incorrecto", kAtencion, host::Icon::Warning);
                Ui().Focus(*this, txtBase[static_cast<std::size_t>(i)].name);
                return;
            }
            txtBase_Change(i);
        }
        const std::string ids = std::to_string(id);
        auto &erp = *Ctx().conexionVarnex;
        suite::Moneda total;
        db::Transaction tx(erp);
        erp.Execute("DELETE FROM Clientes_PagosCentral_Extractos_Lineas_Impuestos"
                    " WHERE IdExtractoLinea =" +
                    ids);
        for (int i = 0; i < kFilas; ++i) {
            auto k = static_cast<std::size_t>(i);
            if (txtBase[k].text.empty()) {
                continue;
            }
            const suite::Moneda base = *Base(i);
            const suite::Moneda cuota = Fmt().ANumero(txtImporte_Imp[k].text);
            total += base + cuota;
            erp.Execute("INSERT INTO Clientes_PagosCentral_Extractos_Lineas_Impuestos(IdExtractoLinea, Base, "
                        "Valor_Tipo, Importe)"
                        " VALUES(" +
                        ids + ", " + Fmt().NumeroSQL(base) + ", " + Fmt().NumeroSQL(tipos_[k]) + ", " +
                        Fmt().NumeroSQL(cuota) + ")");
        }
        erp.Execute("UPDATE Clientes_PagosCentral_Extractos_Lineas"
                    " SET Importe =" +
                    Fmt().NumeroSQL(total) + " WHERE IdExtractoLinea =" + ids);
        tx.Commit();
        guardado_ = true;
        Recargar(id);
    });
    (void)fila;
}

void frmExtractos_Cliente_Lineas::Recargar(long id) {
    Cargar_Lineas();
    for (int r = 1; r <= vsLineas.DataRows(); ++r) {
        if (lines::comun::Numero(vsLineas.Text(r, colId)) == id) {
            vsLineas.row = r;
            Cargar_Impuestos();
            break;
        }
    }
    Ui().Refresh(*this);
}

void frmExtractos_Cliente_Lineas::vsLineas_RowColChange(int row) {
    if (row < 1 || row > vsLineas.DataRows() || row == vsLineas.row) {
        if (row >= 1 && row <= vsLineas.DataRows() && vsImpuestos.DataRows() == 0) {
            Cargar_Impuestos();
        }
        return;
    }
    vsLineas.row = row;
    Cargar_Impuestos();
}

void frmExtractos_Cliente_Lineas::txtFechaI_Change() {
    Trap("txtFechaI_Change", [&] { ajustes_->GuardarValor("FechaILineasCobro", txtFechaI.text); });
}

void frmExtractos_Cliente_Lineas::txtFechaF_Change() {
    Trap("txtFechaF_Change", [&] { ajustes_->GuardarValor("FechaFLineasCobro", txtFechaF.text); });
}

void frmExtractos_Cliente_Lineas::txtProveedor_Change() {
    Trap("txtProveedor_Change", [&] {
        txtProveedor.descripcion = lines::BuscadorMaestros::NombreProveedor(
                                       *Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), txtProveedor.code)
                                       .value_or("");
    });
}

void frmExtractos_Cliente_Lineas::txtProveedor_Insert_Change() {
    Trap("txtProveedor_Insert_Change", [&] {
        txtProveedor_Insert.descripcion =
            lines::BuscadorMaestros::NombreProveedor(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(),
                                                     txtProveedor_Insert.code)
                .value_or("");
    });
}

std::vector<lines::BuscadorMaestros::Fila>
frmExtractos_Cliente_Lineas::BuscarProveedores(const std::string &texto) const {
    return lines::BuscadorMaestros::Proveedores(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

void frmExtractos_Cliente_Lineas::txtFechaFactura_Enter() {
    Trap("txtFechaFactura_Enter", [&] {
        const std::string fecha = Fmt().FechaTexto(txtFechaFactura.text);
        if (!fecha.empty() && txtProveedor_Insert.code >= 1) {
            auto rs = Ctx().conexionVarnex->OpenRecordset(
                "SELECT TipoAplicacion AS Atipicos, Porcentaje AS AtipicosPorcentaje"
                " FROM Proveedores_Atipicos"
                " WHERE Cod_Empresa =" +
                std::to_string(Ctx().empresaVarnex->Codigo()) + " AND Cod_Proveedor =" +
                std::to_string(txtProveedor_Insert.code) + " AND FechaI <= '" + fecha + "' AND FechaF >= '" + fecha +
                "'");
            if (!rs->Eof()) {
                cboAtipicos.SelectData(static_cast<long>(rs->Fields("Atipicos").AsInt64()));
                txtPorcAtipicos.text = Dos(lines::comun::MonedaCampo(rs->Fields("AtipicosPorcentaje")));
            }
            rs->Close();
        }
        Ui().Focus(*this, "cboAtipicos");
        Ui().Refresh(*this);
    });
}

bool frmExtractos_Cliente_Lineas::Falta(bool falla, const char *mensaje, const char *control) {
    if (falla) {
        Ui().MsgBox(mensaje, kAtencion, host::Icon::Warning);
        Ui().Focus(*this, control);
    }
    return falla;
}

void frmExtractos_Cliente_Lineas::txtObservaciones_Enter() {
    guardado_ = false;
    if (soloLectura) {
        return;
    }
    Trap("txtObservaciones_Enter", [&] {
        auto &erp = *Ctx().conexionVarnex;
        const auto &emp = *Ctx().empresaVarnex;
        const std::string co = std::to_string(emp.Codigo());
        const auto fecha = suite::Fecha::Parse(txtFechaFactura.text);
        const auto porcentaje = txtPorcAtipicos.text.empty() ? std::optional<suite::Moneda>(suite::Moneda())
                                                             : Cifra(txtPorcAtipicos.text);
        if (Falta(txtProveedor_Insert.code < 1, "Debe especificar el proveedor de la factura.",
                  "txtProveedor_Insert") ||
            Falta(!lines::BuscadorMaestros::NombreProveedor(erp, emp.Codigo(), txtProveedor_Insert.code),
                  "El proveedor no existe.", "txtProveedor_Insert") ||
            Falta(txtDocumento_Insert.text.empty(), "Debe especificar el documento de la factura.",
                  "txtDocumento_Insert") ||
            Falta(!fecha || fecha->EsVacia(), "Debe especificar la fecha de la factura.", "txtFechaFactura") ||
            Falta(!porcentaje, "Porcentaje de atípicos incorrecto", "txtPorcAtipicos")) {
            return;
        }
        if (auto e = host::PrimeroExcedido({{txtDocumento_Insert.text, 50, "Documento", "txtDocumento_Insert"},
                                            {txtObservaciones.text, 255, "Observaciones", "txtObservaciones"}})) {
            Falta(true, e->mensaje.c_str(), e->control);
            return;
        }
        const std::string proveedor = std::to_string(txtProveedor_Insert.code);
        const std::string documento = db::Escape(txtDocumento_Insert.text);
        std::string sql = "SELECT lin.Cod_Cliente, lin.FechaCobro, ISNULL(c.Nombre, '') AS Nombre"
                          " FROM Clientes_PagosCentral_Extractos_Lineas lin"
                          " LEFT JOIN Clientes c"
                          " ON c.Cod_Empresa =" +
                          co +
                          " AND c.Codigo = lin.Cod_Cliente"
                          " WHERE lin.Cod_Empresa =" +
                          co + " AND lin.Cod_Proveedor =" + proveedor + " AND lin.Documento ='" + documento + "'" +
                          " AND YEAR(lin.FechaFactura) = " + std::to_string(fecha->Anio());
        if (editando_) {
            sql += " AND lin.IdExtractoLinea <> " + std::to_string(idEditado_);
        }
        auto rs = erp.OpenRecordset(sql);
        if (!rs->Eof()) {
            const std::string msg = "La factura que intenta insertar ya existe.\rCliente: " +
                                    rs->Fields("Cod_Cliente").AsText() + " - " + rs->Fields("Nombre").AsText() +
                                    "\rFecha Cobro: " + lines::comun::FechaCampo(rs->Fields("FechaCobro"));
            rs->Close();
            Ui().MsgBox(msg, kAtencion, host::Icon::Warning);
            Ui().Focus(*this, "txtDocumento_Insert");
            return;
        }
        rs->Close();
        const std::string valores[] = {Fmt().FechaTexto(*fecha), db::Escape(txtObservaciones.text),
                                       std::to_string(cboAtipicos.ItemData()), Fmt().NumeroSQL(*porcentaje)};
        long id = idEditado_;
        if (editando_) {
            erp.Execute("UPDATE Clientes_PagosCentral_Extractos_Lineas"
                        " SET Cod_Proveedor =" +
                        proveedor + ", Documento ='" + documento + "'" + ", FechaFactura ='" + valores[0] + "'" +
                        ", Observaciones ='" + valores[1] + "'" + ", Cod_Atipico =" + valores[2] +
                        ", AtipicosPorcentaje =" + valores[3] + " WHERE IdExtractoLinea =" + std::to_string(id));
        } else {
            // The new line's id is read under the same write lock as its insert.
            db::Transaction tx(erp);
            erp.Execute("INSERT INTO Clientes_PagosCentral_Extractos_Lineas(Cod_Empresa, Cod_Cliente, FechaCobro,"
                        " Cod_Proveedor, Documento, FechaFactura, Observaciones, Cod_Atipico, AtipicosPorcentaje)"
                        " VALUES(" +
                        co + ", " + std::to_string(codCliente) + ", '" + Fmt().FechaTexto(fechaCobro) + "', " +
                        proveedor + ", '" + documento + "', '" + valores[0] + "', '" + valores[1] + "', " +
                        valores[2] + ", " + valores[3] + ")");
            auto max = erp.OpenRecordset("SELECT MAX(IdExtractoLinea) AS ID FROM Clientes_PagosCentral_Extractos_Lineas");
            id = static_cast<long>(max->Fields("ID").AsInt64());
            max->Close();
            tx.Commit();
        }
        editando_ = false;
        guardado_ = true;
        VaciarEntrada();
        Recargar(id);
        Ui().Focus(*this, "txtProveedor_Insert");
    });
}

void frmExtractos_Cliente_Lineas::vsLineas_AfterEdit(int row, int col) {
    guardado_ = false;
    if (soloLectura || col != colImporte || row < 1 || row > vsLineas.DataRows()) {
        return;
    }
    Trap("vsLineas_AfterEdit", [&] {
        const long id = lines::comun::Numero(vsLineas.Text(row, colId));
        const auto valor = Cifra(vsLineas.Text(row, col));
        if (!valor) {
            Ui().MsgBox("Valor de Importe incorrecto", kAtencion, host::Icon::Warning);
            Recargar(id);
            return;
        }
        Ctx().conexionVarnex->Execute("UPDATE Clientes_PagosCentral_Extractos_Lineas SET Importe =" +
                                      Fmt().NumeroSQL(*valor) + " WHERE IdExtractoLinea =" + std::to_string(id));
        guardado_ = true;
        Recargar(id);
    });
}

void frmExtractos_Cliente_Lineas::cmdModificar_Click() {
    const int r = vsLineas.row;
    if (soloLectura || r < 1 || r > vsLineas.DataRows()) {
        return;
    }
    Trap("cmdModificar_Click", [&] {
        const long id = IdActual();
        auto rs = Ctx().conexionVarnex->OpenRecordset(
            "SELECT Cod_Proveedor, Documento, FechaFactura, Observaciones, Cod_Atipico, AtipicosPorcentaje"
            " FROM Clientes_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea =" +
            std::to_string(id));
        if (rs->Eof()) {
            return;
        }
        txtProveedor_Insert.code = static_cast<long>(rs->Fields("Cod_Proveedor").AsInt64());
        txtProveedor_Insert.text = rs->Fields("Cod_Proveedor").AsText();
        txtProveedor_Insert.descripcion = vsLineas.Text(r, colNombre);
        txtDocumento_Insert.text = rs->Fields("Documento").AsText();
        txtFechaFactura.text = lines::comun::FechaCampo(rs->Fields("FechaFactura"));
        cboAtipicos.SelectData(static_cast<long>(rs->Fields("Cod_Atipico").AsInt64()));
        txtPorcAtipicos.text = Dos(lines::comun::MonedaCampo(rs->Fields("AtipicosPorcentaje")));
        txtObservaciones.text = rs->Fields("Observaciones").AsText();
        rs->Close();
        editando_ = true;
        idEditado_ = id;
        Ui().Focus(*this, "txtProveedor_Insert");
        Ui().Refresh(*this);
    });
}

void frmExtractos_Cliente_Lineas::cmdModificarImp_Click() {
    if (soloLectura) {
        return;
    }
    Cargar_Impuestos();
    Ui().Focus(*this, txtBase[0].name);
    Ui().Refresh(*this);
}

void frmExtractos_Cliente_Lineas::cmdEliminarImp_Click() {
    guardado_ = false;
    const long id = IdActual();
    const int r = vsImpuestos.row;
    if (soloLectura || id == 0 || r < 1 || r > vsImpuestos.DataRows()) {
        return;
    }
    Trap("cmdEliminarImp_Click", [&] {
        if (Ui().MsgBox("¿Está seguro que desea eliminar la linea de Impuesto?", kAtencion, host::Icon::Question,
                        host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        const std::string ids = std::to_string(id);
        auto &erp = *Ctx().conexionVarnex;
        db::Transaction tx(erp);
        erp.Execute("DELETE FROM Clientes_PagosCentral_Extractos_Lineas_Impuestos WHERE IdExtractoLinea =" + ids +
                    " AND Valor_Tipo =" + Fmt().NumeroSQL(Fmt().ANumero(vsImpuestos.Text(r, colTipo))));
        erp.Execute("UPDATE Clientes_PagosCentral_Extractos_Lineas SET Importe = (SELECT ISNULL(SUM(imp.Base + "
                    "imp.Importe),0) FROM Clientes_PagosCentral_Extractos_Lineas_Impuestos imp WHERE "
                    "imp.IdExtractoLinea =" +
                    ids + ") WHERE IdExtractoLinea =" + ids);
        tx.Commit();
        guardado_ = true;
        Recargar(id);
    });
}

void frmExtractos_Cliente_Lineas::cmdEliminar_Click() {
    guardado_ = false;
    const long id = IdActual();
    if (soloLectura || id == 0) {
        return;
    }
    Trap("cmdEliminar_Click", [&] {
        if (Ui().MsgBox("¿Está seguro que desea eliminar la linea de Factura?", kAtencion, host::Icon::Question,
                        host::Buttons::YesNo, host::Answer::No) != host::Answer::Yes) {
            return;
        }
        auto &erp = *Ctx().conexionVarnex;
        db::Transaction tx(erp);
        erp.Execute("DELETE FROM Clientes_PagosCentral_Extractos_Lineas_Impuestos WHERE IdExtractoLinea =" +
                    std::to_string(id));
        erp.Execute("DELETE FROM Clientes_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea =" + std::to_string(id));
        tx.Commit();
        guardado_ = true;
        if (editando_ && idEditado_ == id) {
            editando_ = false;
            VaciarEntrada();
        }
        Cargar_Lineas();
    });
}

void frmExtractos_Cliente_Lineas::Form_KeyDown_Escape() {
    if (editando_) {
        editando_ = false;
        VaciarEntrada();
        Ui().Refresh(*this);
        return;
    }
    Close();
}

} // namespace customers
