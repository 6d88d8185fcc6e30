#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"

#include "claims/Comun.h"
#include "db/Sql.h"
#include "host/LongitudTexto.h"
#include "lines/Comun.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"

#include <optional>

namespace claims {

namespace {

using comun::kAtencion;
using comun::Recortar;
using lines::comun::Ctx;

void Campo(host::Control &c, std::string name, std::string caption) {
    c.name = std::move(name);
    c.caption = std::move(caption);
}

// The form's order of the fields that take the focus, for "next field".
const char *const kOrden[] = {"cboTiposReclamacion", "cboConceptos", "txtFacturaCodigo", "txtFacturaFecha",
                              "txtArticulosCodigo", "txtArticulosDescripcion", "txtObservaciones",
                              "txtPeriodoVigencia", "txtFacturaDup", "txtVencimientoDup", "txtAlbaranNumero",
                              "txtAlbaranFecha", "txtCantidadReclamada", "txtBaseImponible(1)", "cboIGIC(1)",
                              "txtBaseImponible(2)", "cboIGIC(2)", "txtBaseImponible(3)", "cboIGIC(3)",
                              "txtBaseImponible(4)", "cboIGIC(4)", "txtBaseImponible(5)", "cboIGIC(5)", "cmdAceptar",
                              "cmdCancelar"};

// A date box holds a date SQL Server can store (01/01/1900 is a date too).
bool EsFecha(const std::string &texto) {
    auto f = suite::Fecha::Parse(Recortar(texto));
    return f && f->Anio() >= 1753;
}

std::optional<suite::Moneda> Numero(const std::string &texto) { return suite::Moneda::Parse(Recortar(texto)); }

// A date box as written between quotes: the date text, or nothing for a box left blank or wrong.
std::string FechaSql(const std::string &texto) {
    return db::Escape(suite::Formato::Instancia().FechaTexto(Recortar(texto)));
}

} // namespace

frmExtractos_Lineas_Reclamacion_Datos::frmExtractos_Lineas_Reclamacion_Datos(host::Shell &shell)
    : Window("frmExtractos_Lineas_Reclamacion_Datos", shell) {
    Campo(cboTiposReclamacion, "cboTiposReclamacion", "Tipo Reclamación(*):");
    Campo(cboConceptos, "cboConceptos", "Concepto(*):");
    Campo(txtFacturaCodigo, "txtFacturaCodigo", "Número de Factura(*):");
    Campo(txtFacturaFecha, "txtFacturaFecha", "Fecha Factura(*):");
    Campo(txtArticulosCodigo, "txtArticulosCodigo", "Códigos Artículos(*):");
    Campo(txtArticulosDescripcion, "txtArticulosDescripcion", "Descripción Artículos(*):");
    Campo(txtObservaciones, "txtObservaciones", "Observaciones Motivo(*):");
    Campo(txtPeriodoVigencia, "txtPeriodoVigencia", "Periodo de Vigencia:");
    Campo(txtFacturaDup, "txtFacturaDup", "Num.Factura Dup.:");
    Campo(txtVencimientoDup, "txtVencimientoDup", "F. Vencimiento Dup.:");
    Campo(txtAlbaranNumero, "txtAlbaranNumero", "Num. Albarán:");
    Campo(txtAlbaranFecha, "txtAlbaranFecha", "Fecha Albarán:");
    Campo(txtCantidadReclamada, "txtCantidadReclamada", "Unidades Reclamadas(*):");
    Campo(frmImpuestos, "frmImpuestos", "Imponible + IGIC");
    for (int i = 1; i <= kBases; ++i) {
        std::string n = "(" + std::to_string(i) + ")";
        std::string marca = i == 1 ? "(*):" : ":";
        Campo(txtBaseImponible[i - 1], "txtBaseImponible" + n, "Base Imponible " + std::to_string(i) + marca);
        Campo(cboIGIC[i - 1], "cboIGIC" + n, "IGIC " + std::to_string(i) + marca);
    }
    Campo(txtTotalReclamacion, "txtTotalReclamacion", "Total Reclamación:");
    txtTotalReclamacion.locked = true;
    Campo(lblCantidadMaxRec, "lblCantidadMaxRec", "Cantidad Máxima a Reclamar: ");
    Campo(lblCantidadMaximaReclamar, "lblCantidadMaximaReclamar", "");
    Campo(lblTotalReclamadoTexto, "lblTotalReclamadoTexto",
          "La cantidad total reclamada actualmente (Imponible+IGIC) es de:");
    Campo(lblTotalReclamado, "lblTotalReclamado", "");
    Campo(lblNota, "lblNota", "* Los campos marcados en asterisco son obligatorios.");
    Campo(cmdAceptar, "cmdAceptar", "&Aceptar");
    Campo(cmdCancelar, "cmdCancelar", "&Cancelar");
}

int frmExtractos_Lineas_Reclamacion_Datos::Modo() const {
    return static_cast<int>(Ctx().empresaVarnex->Parametro("PagoCentral_TipoExtracto").ToLong());
}

std::string frmExtractos_Lineas_Reclamacion_Datos::TextoTipo(suite::Moneda valor) { return comun::TextoNumero(valor); }

void frmExtractos_Lineas_Reclamacion_Datos::Form_Load() {
    cargado_ = false;
    grabado_ = false;
    Trap("Form_Load", [&] {
        auto &emp = *Ctx().empresaVarnex;
        auto &erp = *Ctx().conexionVarnex;
        auto &fmt = suite::Formato::Instancia();
        auto catalogo = [&](host::ComboField &combo, const char *sql) {
            combo.Clear();
            combo.Add("---", 0);
            auto rs = erp.OpenRecordset(sql);
            while (!rs->Eof()) {
                combo.Add(rs->Fields("Nombre").AsText(), static_cast<long>(rs->Fields("Codigo").AsInt64()));
                rs->MoveNext();
            }
            rs->Close();
            combo.index = 0;
        };
        catalogo(cboConceptos, "SELECT * FROM Compras_PagosCentral_Reclamacion_Conceptos ORDER BY Nombre");
        catalogo(cboTiposReclamacion, "SELECT * FROM Compras_PagosCentral_Reclamacion_Tipos ORDER BY Nombre");

        auto rs = erp.OpenRecordset("SELECT Fecha FROM Compras_PagosCentral_Extractos_Lineas"
                                    " WHERE IdExtractoLinea =" +
                                    std::to_string(IdExtractoLinea));
        std::optional<suite::Fecha> dia;
        if (!rs->Eof() && !rs->Fields(0).IsNull()) {
            dia = suite::Fecha::Parse(rs->Fields(0).AsText());
        }
        rs->Close();
        std::string fecha = fmt.FechaTexto(dia ? dia->SoloFecha() : suite::Fecha::Hoy());

        for (auto &combo : cboIGIC) {
            combo.Clear();
            combo.Add("0", 0);
        }
        rs = erp.OpenRecordset("SELECT ID, Imp_Valor FROM Igic_Tipos WHERE Cod_Empresa =" +
                               std::to_string(emp.Codigo()) + " AND FechaI <= '" + fecha + "' AND FechaF >= '" +
                               fecha + "'" + " ORDER BY Tipo");
        while (!rs->Eof()) {
            std::string texto = TextoTipo(lines::comun::MonedaCampo(rs->Fields("Imp_Valor")));
            long id = static_cast<long>(rs->Fields("ID").AsInt64());
            for (auto &combo : cboIGIC) {
                combo.Add(texto, id);
            }
            rs->MoveNext();
        }
        rs->Close();
        for (auto &combo : cboIGIC) {
            combo.index = 0;
        }

        lblCantidadMaximaReclamar.caption = fmt.Redondear(CantidadMaximaReclamar, emp.DecimalesImporte());
        lblTotalReclamado.caption = fmt.Redondear(suite::Moneda(), emp.DecimalesImporte());
        if (IdReclamacion < 1) {
            txtFacturaFecha.text = fmt.FechaTexto(FacturaFecha);
            txtFacturaCodigo.text = FacturaCodigo;
        } else {
            CargarReclamacion();
        }
        if (SoloLectura) {
            InicializarSoloLectura();
        }
        cargado_ = true;
    });
}

void frmExtractos_Lineas_Reclamacion_Datos::CargarReclamacion() {
    Trap("CargarReclamacion", [&] {
        auto rs = Ctx().conexionVarnex->OpenRecordset(
            "SELECT rec.IdExtractoLinea, rec.Cod_Concepto, rec.Cod_TipoRecl, rec.FacturaCodigo, rec.FacturaFecha,"
            " rec.ArticulosCodigo, rec.ArticulosDescripcion, rec.Observaciones, rec.PeriodoVigencia, "
            "rec.FacturaCodigoDuplicado,"
            " rec.FechaVtoDuplicado, rec.AlbaranCodigo, rec.AlbaranFecha, rec.CantidadReclamado, rec.TotalReclamacion,"
            " rec.Igic1, rec.Base1, rec.Igic2, rec.Base2, rec.Igic3, rec.Base3, rec.Igic4, rec.Base4, rec.Igic5, "
            "rec.Base5, rec.IdReclamacion"
            " FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion rec"
            " WHERE IdExtractoLinea =" +
            std::to_string(IdExtractoLinea) + " AND IdReclamacion =" + std::to_string(IdReclamacion));
        if (rs->Eof()) {
            rs->Close();
            return;
        }
        auto texto = [&](const char *f) { return rs->Fields(f).IsNull() ? std::string() : rs->Fields(f).AsText(); };
        auto fecha = [&](const char *f) { return lines::comun::FechaCampo(rs->Fields(f)); };
        cboConceptos.SelectData(static_cast<long>(rs->Fields("Cod_Concepto").AsInt64()));
        cboTiposReclamacion.SelectData(static_cast<long>(rs->Fields("Cod_TipoRecl").AsInt64()));
        txtFacturaCodigo.text = texto("FacturaCodigo");
        txtFacturaFecha.text = fecha("FacturaFecha");
        txtArticulosCodigo.text = texto("ArticulosCodigo");
        txtArticulosDescripcion.text = texto("ArticulosDescripcion");
        txtObservaciones.text = texto("Observaciones");
        txtPeriodoVigencia.text = texto("PeriodoVigencia");
        txtFacturaDup.text = texto("FacturaCodigoDuplicado");
        txtVencimientoDup.text = fecha("FechaVtoDuplicado");
        txtAlbaranNumero.text = texto("AlbaranCodigo");
        txtAlbaranFecha.text = fecha("AlbaranFecha");
        txtCantidadReclamada.text = comun::TextoNumero(lines::comun::MonedaCampo(rs->Fields("CantidadReclamado")));
        for (int i = 1; i <= kBases; ++i) {
            std::string n = std::to_string(i);
            const auto &igic = rs->Fields(("Igic" + n).c_str());
            if (!igic.IsNull()) {
                cboIGIC[i - 1].SelectData(static_cast<long>(igic.AsInt64()));
            }
            txtBaseImponible[i - 1].text =
                comun::TextoNumero(lines::comun::MonedaCampo(rs->Fields(("Base" + n).c_str())));
        }
        txtTotalReclamacion.text = comun::TextoNumero(lines::comun::MonedaCampo(rs->Fields("TotalReclamacion")));
        rs->Close();
        Recalcular();
    });
}

void frmExtractos_Lineas_Reclamacion_Datos::InicializarSoloLectura() {
    Trap("InicializarSoloLectura", [&] {
        caption += " - (SOLO LECTURA)";
        cmdAceptar.visible = false;
        lblCantidadMaxRec.visible = false;
        lblCantidadMaximaReclamar.visible = false;
        cboConceptos.enabled = false;
        cboTiposReclamacion.enabled = false;
        frmImpuestos.enabled = false;
        for (host::Control *c : std::initializer_list<host::Control *>{
                 &txtFacturaCodigo, &txtFacturaFecha, &txtArticulosCodigo, &txtArticulosDescripcion,
                 &txtObservaciones, &txtPeriodoVigencia, &txtFacturaDup, &txtVencimientoDup, &txtAlbaranNumero,
                 &txtAlbaranFecha, &txtCantidadReclamada, &txtTotalReclamacion}) {
            c->enabled = false;
        }
        for (int i = 0; i < kBases; ++i) {
            txtBaseImponible[i].enabled = false;
            cboIGIC[i].enabled = false;
        }
    });
}

suite::Moneda frmExtractos_Lineas_Reclamacion_Datos::CalculaTotalReclamado() {
    suite::Moneda total;
    totalFallido_ = !Trap("CalculaTotalReclamado", [&] {
        auto &fmt = suite::Formato::Instancia();
        for (int i = 0; i < kBases; ++i) {
            suite::Moneda base = Numero(txtBaseImponible[i].text).value_or(suite::Moneda()).Redondear(4);
            if (cboIGIC[i].ItemData() == 0) {
                total += base;
            } else {
                total += base + comun::Cuota(base, fmt.ANumero(cboIGIC[i].Text()));
            }
        }
        total = fmt.ANumero(fmt.Redondear(total, Ctx().empresaVarnex->DecimalesImporte()));
    });
    return total;
}

void frmExtractos_Lineas_Reclamacion_Datos::Recalcular() {
    lblTotalReclamado.caption =
        suite::Formato::Instancia().Redondear(CalculaTotalReclamado(), Ctx().empresaVarnex->DecimalesImporte());
    txtTotalReclamacion.text = lblTotalReclamado.caption;
}

void frmExtractos_Lineas_Reclamacion_Datos::SiguienteCampo(const std::string &desde) {
    bool tras = false;
    for (const char *nombre : kOrden) {
        if (tras) {
            Ui().Focus(*this, nombre);
            return;
        }
        tras = desde == nombre;
    }
}

void frmExtractos_Lineas_Reclamacion_Datos::cboTiposReclamacion_Click() {
    Trap("cboTiposReclamacion_Click", [&] {
        if (!cargado_ || Modo() != 1) {
            return;
        }
        txtAlbaranNumero.caption = "Num. Albarán:";
        txtAlbaranFecha.caption = "Fecha Albarán:";
        txtFacturaDup.caption = "Num.Factura Dup.:";
        txtVencimientoDup.caption = "F. Vencimiento Dup.:";
        txtPeriodoVigencia.caption = "Periodo de Vigencia:";
        switch (cboTiposReclamacion.ItemData()) {
        case 1:
            txtAlbaranNumero.caption = "Num. Albarán(*):";
            txtAlbaranFecha.caption = "Fecha Albarán(*):";
            break;
        case 4:
            txtFacturaDup.caption = "Num.Factura Dup.(*):";
            txtVencimientoDup.caption = "F. Vencimiento Dup.(*):";
            break;
        case 6:
            txtPeriodoVigencia.caption = "Periodo de Vigencia(*):";
            break;
        default:
            break;
        }
    });
}

void frmExtractos_Lineas_Reclamacion_Datos::cboIGIC_Click(int i) {
    Trap("cboIGIC_Click", [&] {
        if (!cargado_ || i < 1 || i > kBases) {
            return;
        }
        auto &fmt = suite::Formato::Instancia();
        if (i == 1) {
            suite::Moneda maximo = fmt.ANumero(lblCantidadMaximaReclamar.caption);
            suite::Moneda tipo = cboIGIC[0].ItemData() == 0 ? suite::Moneda() : fmt.ANumero(cboIGIC[0].Text());
            txtBaseImponible[0].text = fmt.Redondear(comun::BaseDeTotal(maximo, tipo), 4);
        }
        Recalcular();
        SiguienteCampo(cboIGIC[i - 1].name);
    });
}

void frmExtractos_Lineas_Reclamacion_Datos::txtBaseImponible_KeyEnter(int i) {
    Trap("txtBaseImponible_KeyPress", [&] {
        if (cargado_ && i >= 1 && i <= kBases) {
            Recalcular();
            SiguienteCampo(txtBaseImponible[i - 1].name);
        }
    });
}

void frmExtractos_Lineas_Reclamacion_Datos::txtBaseImponible_LostFocus(int i) {
    Trap("txtBaseImponible_LostFocus", [&] {
        if (cargado_ && i >= 1 && i <= kBases) {
            Recalcular();
        }
    });
}

bool frmExtractos_Lineas_Reclamacion_Datos::Falla(bool falla, const std::string &mensaje, const char *control) {
    if (falla) {
        Ui().MsgBox(mensaje, kAtencion, host::Icon::Warning);
        Ui().Focus(*this, control);
    }
    return falla;
}

bool frmExtractos_Lineas_Reclamacion_Datos::ValidarDatos() {
    auto vacio = [](const host::TextField &t) { return Recortar(t.text).empty(); };
    if (Modo() == 1) {
        switch (cboTiposReclamacion.ItemData()) {
        case 1:
            if (Falla(vacio(txtAlbaranNumero), "Debe especificar el Número de Albarán", "txtAlbaranNumero") ||
                Falla(!EsFecha(txtAlbaranFecha.text), "Debe especificar una Fecha de Albarán válida",
                      "txtAlbaranFecha")) {
                return false;
            }
            break;
        case 4:
            if (Falla(vacio(txtFacturaDup), "Debe especificar el Número de Vencimiento Cobrado anteriormente",
                      "txtFacturaDup") ||
                Falla(!EsFecha(txtVencimientoDup.text), "Debe especificar una Fecha de Vencimiento válida",
                      "txtVencimientoDup")) {
                return false;
            }
            break;
        case 6:
            if (Falla(vacio(txtPeriodoVigencia), "Debe especificar un Periodo de Vigencia", "txtPeriodoVigencia")) {
                return false;
            }
            break;
        default:
            break;
        }
    }
    auto &fmt = suite::Formato::Instancia();
    auto base1 = Numero(txtBaseImponible[0].text);
    if (Falla(cboConceptos.index < 1, "Debe especificar el Concepto", "cboConceptos") ||
        Falla(cboTiposReclamacion.index < 1, "Debe especificar el Tipo de Reclamación", "cboTiposReclamacion") ||
        Falla(vacio(txtFacturaCodigo), "Debe especificar el Número de Factura", "txtFacturaCodigo") ||
        Falla(!EsFecha(txtFacturaFecha.text), "Debe especificar una Fecha de Factura válida", "txtFacturaFecha") ||
        Falla(vacio(txtArticulosCodigo), "Debe especificar los códigos de artículo", "txtArticulosCodigo") ||
        Falla(vacio(txtArticulosDescripcion), "Debe especificar la descripciones de artículo",
              "txtArticulosDescripcion") ||
        Falla(vacio(txtObservaciones), "Debe especificar las observaciones", "txtObservaciones") ||
        Falla(vacio(txtBaseImponible[0]) || (base1 && base1->EsCero()),
              "Debe especificar al menos la primera Base Imponible", "txtBaseImponible(1)") ||
        Falla(vacio(txtCantidadReclamada), "Debe especificar la cantidad reclamada.", "txtCantidadReclamada")) {
        return false;
    }
    if (auto e = host::PrimeroExcedido(
            {{txtFacturaCodigo.text, 50, "Número de Factura", "txtFacturaCodigo"},
             {txtArticulosCodigo.text, 4000, "Códigos Artículos", "txtArticulosCodigo"},
             {txtArticulosDescripcion.text, 4000, "Descripción Artículos", "txtArticulosDescripcion"},
             {txtObservaciones.text, 4000, "Observaciones Motivo", "txtObservaciones"},
             {txtPeriodoVigencia.text, 100, "Periodo de Vigencia", "txtPeriodoVigencia"},
             {txtFacturaDup.text, 50, "Num.Factura Dup.", "txtFacturaDup"},
             {txtAlbaranNumero.text, 50, "Num. Albarán", "txtAlbaranNumero"}})) {
        return !Falla(true, e->mensaje, e->control);
    }
    // What cannot be stored as a number is refused here rather than by the database.
    for (int i = 0; i < kBases; ++i) {
        if (Falla(!vacio(txtBaseImponible[i]) && !Numero(txtBaseImponible[i].text),
                  "La Base Imponible " + std::to_string(i + 1) + " debe ser un número",
                  txtBaseImponible[i].name.c_str())) {
            return false;
        }
    }
    if (Falla(!Numero(txtCantidadReclamada.text), "Las Unidades Reclamadas deben ser un número",
              "txtCantidadReclamada")) {
        return false;
    }
    suite::Moneda total = fmt.ANumero(txtTotalReclamacion.text);
    suite::Moneda maximo = fmt.ANumero(lblCantidadMaximaReclamar.caption);
    auto abs = [](suite::Moneda m) { return m < suite::Moneda() ? -m : m; };
    if (IdReclamacion > 0) {
        suite::Moneda cambio = total - TotalAnterior;
        return !Falla(abs(cambio) > abs(maximo),
                      "La cantidad modificada de la reclamación: " + comun::TextoNumero(cambio) +
                          " no puede superar al máximo a reclamar: " + comun::TextoNumero(maximo),
                      "txtBaseImponible(1)");
    }
    return !Falla(abs(total) > abs(maximo),
                  "La cantidad total de la reclamación no puede superar la cantidad máxima a reclamar",
                  "txtBaseImponible(1)");
}

void frmExtractos_Lineas_Reclamacion_Datos::cmdAceptar_Click() {
    Trap("cmdAceptar_Click", [&] {
        if (SoloLectura) {
            return;
        }
        Recalcular();
        // A total that could not be computed is not stored: the user has seen why.
        if (totalFallido_ || !ValidarDatos()) {
            return;
        }
        auto &fmt = suite::Formato::Instancia();
        auto numero = [&](const host::TextField &t) { return fmt.NumeroSQL(Numero(t.text).value_or(suite::Moneda())); };
        auto texto = [](const host::TextField &t) { return db::Escape(t.text); };
        std::string total = fmt.NumeroSQL(fmt.ANumero(txtTotalReclamacion.text));
        std::string concepto = std::to_string(cboConceptos.ItemData());
        std::string tipo = std::to_string(cboTiposReclamacion.ItemData());
        std::string sql;
        if (IdReclamacion < 1) {
            sql = "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion"
                  " (IdExtractoLinea,Cod_Concepto,Cod_TipoRecl,FacturaCodigo,FacturaFecha,ArticulosCodigo,"
                  " ArticulosDescripcion,Observaciones,PeriodoVigencia,FacturaCodigoDuplicado,FechaVtoDuplicado,"
                  " AlbaranCodigo,AlbaranFecha,CantidadReclamado,TotalReclamacion,Igic1,Base1,Igic2,Base2,Igic3,"
                  " Base3,Igic4,Base4,Igic5,Base5) VALUES(" +
                  std::to_string(IdExtractoLinea) + "," + concepto + "," + tipo + ",'" + texto(txtFacturaCodigo) +
                  "','" + FechaSql(txtFacturaFecha.text) + "','" + texto(txtArticulosCodigo) + "','" +
                  texto(txtArticulosDescripcion) + "','" + texto(txtObservaciones) + "','" +
                  texto(txtPeriodoVigencia) + "','" + texto(txtFacturaDup) + "','" +
                  FechaSql(txtVencimientoDup.text) + "','" + texto(txtAlbaranNumero) + "','" +
                  FechaSql(txtAlbaranFecha.text) + "'," + numero(txtCantidadReclamada) + "," + total;
            for (int i = 0; i < kBases; ++i) {
                sql += "," + std::to_string(cboIGIC[i].ItemData()) + "," + numero(txtBaseImponible[i]);
            }
            sql += ")";
        } else {
            sql = "UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion"
                  " SET Cod_Concepto =" +
                  concepto + " ,Cod_TipoRecl =" + tipo + " ,FacturaCodigo ='" + texto(txtFacturaCodigo) + "'" +
                  " ,FacturaFecha ='" + FechaSql(txtFacturaFecha.text) + "'" + " ,ArticulosCodigo ='" +
                  texto(txtArticulosCodigo) + "'" + " ,ArticulosDescripcion ='" + texto(txtArticulosDescripcion) +
                  "'" + " ,Observaciones ='" + texto(txtObservaciones) + "'" + " ,PeriodoVigencia ='" +
                  texto(txtPeriodoVigencia) + "'" + " ,FacturaCodigoDuplicado ='" + texto(txtFacturaDup) + "'" +
                  " ,FechaVtoDuplicado ='" + FechaSql(txtVencimientoDup.text) + "'" + " ,AlbaranCodigo ='" +
                  texto(txtAlbaranNumero) + "'" + " ,AlbaranFecha ='" + FechaSql(txtAlbaranFecha.text) + "'" +
                  " ,CantidadReclamado =" + numero(txtCantidadReclamada) + " ,TotalReclamacion =" + total;
            for (int i = 0; i < kBases; ++i) {
                std::string n = std::to_string(i + 1);
                sql += " ,Igic" + n + " =" + std::to_string(cboIGIC[i].ItemData()) + " ,Base" + n + " =" +
                       numero(txtBaseImponible[i]);
            }
            sql += " WHERE IdExtractoLinea =" + std::to_string(IdExtractoLinea) +
                   " AND IdReclamacion =" + std::to_string(IdReclamacion);
        }
        Ctx().conexionVarnex->Execute(sql);
        grabado_ = true;
        Close();
    });
}

} // namespace claims
