#include "db/Sql.h"
#include "fixtures/DemoDb.h"
#include "fixtures/TriggerFault.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/frmExtractos_Lineas_Datos.h"
#include "suite/Fecha.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using lines::frmExtractos_Lineas;
using lines::frmExtractos_Lineas_Datos;
using L = frmExtractos_Lineas;
using D = frmExtractos_Lineas_Datos;

std::string Hoy() { return suite::Fecha::Hoy().Formato("dd/mm/yyyy"); }
std::string Dia(int offset) { return suite::Fecha::Hoy().SumarDias(offset).Formato("dd/mm/yyyy"); }
// A date in the year before last, when the demo's older tax rates were in force.
std::string Anterior() { return "01/06/" + std::to_string(suite::Fecha::Hoy().Anio() - 2); }

class LineEditor : public ::testing::Test {
  protected:
    LineEditor() : w(shell, demo.settings) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "FechaExtracto, FechaVto, Cerrado) VALUES (1, 1, 'O''1', '" +
                          Dia(-2) + "', '" + Dia(13) + "', 0)");
        demo.settings->GuardarValor("FechaILineas", "01/01/2000");
        w.codAlmacen = 1;
        w.codExtracto = "O'1";
        w.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
    }
    // The editor as the scripted user fills it; `fill` runs after its load.
    void Editor(std::function<void(D &)> fill) {
        shell.handlers["frmExtractos_Lineas_Datos"] = [this, fill](host::Window &win) {
            auto &d = static_cast<D &>(win);
            seen.push_back(d.Loaded());
            fill(d);
        };
    }
    static void Base(D &d, int row, const std::string &base) {
        d.txtBase[static_cast<std::size_t>(row)].text = base;
        d.txtBase_Change(row);
    }
    static void Proveedor(D &d, long code) {
        d.txtProveedor.code = code;
        d.txtProveedor.text = std::to_string(code);
        d.txtProveedor_Change();
    }
    std::string Row(long id, const std::string &columns) const {
        auto rs = demo.erp->OpenRecordset("SELECT " + columns + " FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                                          "IdExtractoLinea = " + std::to_string(id));
        std::string out;
        for (std::size_t i = 0; !rs->Eof() && i < rs->FieldCount(); ++i) {
            out += (i ? "|" : "") + rs->Fields(i).AsText();
        }
        return out;
    }
    std::vector<std::string> Taxes(long id) const {
        std::vector<std::string> out;
        auto rs = demo.erp->OpenRecordset("SELECT Tipo, Base, Valor_Tipo, Importe FROM "
                                          "Compras_PagosCentral_Extractos_Lineas_Impuestos WHERE IdExtractoLinea = " +
                                          std::to_string(id) + " ORDER BY Tipo");
        while (!rs->Eof()) {
            out.push_back(rs->Fields(0).AsText() + "|" + rs->Fields(1).AsText() + "|" + rs->Fields(2).AsText() + "|" +
                          rs->Fields(3).AsText());
            rs->MoveNext();
        }
        return out;
    }
    long LastId() const {
        return std::stol(demo.One("SELECT MAX(IdExtractoLinea) FROM Compras_PagosCentral_Extractos_Lineas"));
    }
    long Lines() const { return demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'O''1'"); }
    int RowOf(long id) const {
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            if (w.vsLineas.Text(r, L::colIdLinea) == std::to_string(id)) {
                return r;
            }
        }
        return 0;
    }

    DemoDb demo;
    host::ScriptedShell shell;
    frmExtractos_Lineas w;
    std::vector<bool> seen;
};

TEST_F(LineEditor, ValidationMessagesComeInOrderWithTheFocusOnTheField) {
    D d(shell);
    d.codAlmacen = 1;
    d.Show();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    auto expect = [&](const std::string &text, const std::string &control) {
        shell.ClearLog();
        d.cmdAceptar_Click();
        ASSERT_EQ(shell.messages.size(), 1u) << text;
        EXPECT_EQ(shell.Last(), "warning|¡ Atención !|" + text);
        EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Datos." + control);
        EXPECT_FALSE(d.aceptado);
        EXPECT_TRUE(d.Loaded());
    };
    expect("Debe especificar un Proveedor válido", "txtProveedor");
    Proveedor(d, 999);
    EXPECT_EQ(d.txtProveedor.descripcion, "");
    expect("Debe especificar un Proveedor válido", "txtProveedor");
    Proveedor(d, 12); // no accounts on its record
    EXPECT_EQ(d.txtProveedor.descripcion, "Embutidos Teror, S.A.");
    EXPECT_EQ(d.txtCtaProveedor.text, "");
    expect("Debe especificar una Cuenta de Proveedor", "txtCtaProveedor");
    d.txtCtaProveedor.text = "4000000012";
    expect("Debe especificar un importe de Pago", "txtImportePago");
    d.txtImportePago.text = "   ";
    expect("Debe especificar un importe de Pago", "txtImportePago");
    d.txtImportePago.text = "12,5";
    expect("Se esperaba un Tipo de Pago", "cboTipoPago");
    d.cboTipoPago.SelectData(1);
    expect("Debe indicar el proveedor de la Central", "txtProveedorCentral");
    d.txtProveedorCentral.text = "0";
    expect("Debe indicar el proveedor de la Central", "txtProveedorCentral");
    d.txtProveedorCentral.text = "50012";
    d.txtCtaProveedorPdte.text = "  ";
    expect("Debe especificar una Cuenta de Proveedor Pdte. Recibir", "txtCtaProveedorPdte");
    d.txtCtaProveedorPdte.text = "4009000012";

    // An amount that is no number is an error of the procedure.
    d.txtImportePago.text = "doce";
    shell.ClearLog();
    d.cmdAceptar_Click();
    EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas_Datos:cmdAceptar_Click");
    EXPECT_FALSE(d.aceptado);

    d.txtImportePago.text = "12,5";
    shell.ClearLog();
    d.cmdAceptar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_TRUE(d.aceptado);
    EXPECT_FALSE(d.Loaded());
    EXPECT_EQ(d.codProveedor, 12);
    EXPECT_EQ(d.importePago, suite::Moneda::FromUnits(125000));
    EXPECT_EQ(d.tipoPago, 1);
    EXPECT_EQ(d.codProveedorCentral, 50012);
    EXPECT_EQ(d.fecha, Hoy());
    EXPECT_EQ(d.emisor, 0);
    EXPECT_EQ(d.tipoFactura, 0);

    // Cancel and Escape close without accepting.
    D c(shell);
    c.codAlmacen = 1;
    c.Show();
    c.cmdCancelar_Click();
    EXPECT_FALSE(c.aceptado);
    EXPECT_FALSE(c.Loaded());
    c.Show();
    c.Form_KeyDown_Escape();
    EXPECT_FALSE(c.aceptado);
}

TEST_F(LineEditor, Type1LoadsTypesAccountsRatesAndTheRegimeOfTheWarehouse) {
    D d(shell);
    d.codAlmacen = 1;
    d.Show();
    ASSERT_EQ(d.cboTipoPago.items.size(), 10u);
    EXPECT_EQ(d.cboTipoPago.Text(), "---");
    EXPECT_EQ(d.cboTipoPago.items[5].text, "Retención IGIC");
    EXPECT_EQ(d.cboTipoPago.items[5].data, 5);
    EXPECT_EQ(d.EmpContable(), 1);
    EXPECT_EQ(d.fraImpuestos.caption, "Igic");
    EXPECT_TRUE(d.fraImpuestos.visible);
    EXPECT_FALSE(d.fraEmisor.visible);
    EXPECT_FALSE(d.fraTipoFactura.visible);
    EXPECT_TRUE(d.txtProveedorCentral.visible && d.chkAcreedor.visible && d.txtCtaProveedorPdte.visible);
    EXPECT_EQ(d.lblCtaProveedorPdte.caption, "Cuenta Proveedor:");
    EXPECT_EQ(d.txtFecha.text, Hoy());
    std::vector<std::string> rates;
    for (const auto &t : d.txtTipo) {
        rates.push_back(t.text);
    }
    EXPECT_EQ(rates, (std::vector<std::string>{"0,00", "0,00", "1,00", "3,00", "7,00", "9,50", "15,00"}));
    for (int i = 0; i < D::kFilas; ++i) {
        EXPECT_FALSE(d.txtBase[static_cast<std::size_t>(i)].locked) << i;
        EXPECT_TRUE(d.txtImporte_Imp[static_cast<std::size_t>(i)].locked) << i;
        EXPECT_EQ(d.txtBase[static_cast<std::size_t>(i)].text, "0,00");
    }
    EXPECT_EQ(d.lblTotal.caption, "0,00");

    // A supplier brings its record's accounts, with their names from the accounting company.
    Proveedor(d, 3);
    EXPECT_EQ(d.txtProveedor.descripcion, "Panadería O'Shanahan, S.L.");
    EXPECT_EQ(d.txtCtaProveedor.text, "4000000003");
    EXPECT_EQ(d.txtCtaProveedor.descripcion, "Panadería O'Shanahan, S.L.");
    EXPECT_EQ(d.txtCtaProveedorPdte.text, "4009000003");
    EXPECT_EQ(d.txtCtaProveedorPdte.descripcion, "Panadería O'Shanahan, S.L. (pdte. recibir)");
    // A typed account is kept.
    d.txtCtaProveedor.text = "4000000009";
    Proveedor(d, 5);
    EXPECT_EQ(d.txtCtaProveedor.text, "4000000009");
    auto found = d.BuscarCuentas("pdte. recibir");
    EXPECT_EQ(found.size(), 20u);
    EXPECT_EQ(d.BuscarProveedores("O'Shan").size(), 1u);

    // The special-regime warehouse shows "Iva" and its own rates.
    D iva(shell);
    iva.codAlmacen = 3;
    iva.Show();
    EXPECT_EQ(iva.fraImpuestos.caption, "Iva");
    EXPECT_TRUE(iva.RegimenEspecial());
    EXPECT_EQ(iva.txtTipo[4].text, "21,00");
    EXPECT_EQ(iva.txtTipo[3].text, "10,00");
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

TEST_F(LineEditor, TaxAmountsAndTotalsFollowTheBasesAndTheDate) {
    D d(shell);
    d.codAlmacen = 1;
    d.Show();
    Base(d, 4, "100");
    EXPECT_EQ(d.txtImporte_Imp[4].text, "7,00");
    Base(d, 0, "50");
    EXPECT_EQ(d.txtImporte_Imp[0].text, "0,00");
    Base(d, 3, "33,33"); // 0,9999
    EXPECT_EQ(d.txtImporte_Imp[3].text, "1,00");
    Base(d, 5, "0,5"); // 0,0475: halves go up
    EXPECT_EQ(d.txtImporte_Imp[5].text, "0,05");
    EXPECT_EQ(d.lblTBase.caption, "183,83");
    EXPECT_EQ(d.lblTImporte.caption, "8,05");
    EXPECT_EQ(d.lblTotal.caption, "191,88");

    // The year before last had other rates: every amount is recomputed.
    d.txtFecha.text = Anterior();
    d.txtFecha_Change();
    EXPECT_EQ(d.txtTipo[4].text, "6,50");
    EXPECT_EQ(d.txtImporte_Imp[4].text, "6,50");
    EXPECT_EQ(d.txtImporte_Imp[3].text, "1,00");
    EXPECT_EQ(d.lblTImporte.caption, "7,55");
    EXPECT_EQ(d.lblTotal.caption, "191,38");
    EXPECT_EQ(host::Contexto::Global().empresaVarnex->FechaTrabajo().Formato("dd/mm/yyyy"), Anterior());

    // Half-typed dates change nothing.
    d.txtFecha.text = "12/0_/____";
    d.txtFecha_Change();
    EXPECT_EQ(d.txtTipo[4].text, "6,50");

    // Before any tax type existed every row but the exempt one is locked.
    d.txtFecha.text = "01/01/2010";
    d.txtFecha_Change();
    for (int i = 1; i < D::kFilas; ++i) {
        EXPECT_TRUE(d.txtBase[static_cast<std::size_t>(i)].locked) << i;
        EXPECT_FALSE(d.TipoExiste(i));
        EXPECT_EQ(d.txtImporte_Imp[static_cast<std::size_t>(i)].text, "0,00");
    }
    EXPECT_FALSE(d.txtBase[0].locked);
    EXPECT_EQ(d.lblTImporte.caption, "0,00");

    // A tax type that does not exist today is locked, the others stay open.
    demo.erp->Execute("DELETE FROM Igic_Tipos WHERE Tipo = 6");
    d.txtFecha.text = Hoy();
    d.txtFecha_Change();
    EXPECT_TRUE(d.txtBase[6].locked);
    EXPECT_FALSE(d.txtBase[5].locked);
    EXPECT_EQ(d.txtImporte_Imp[4].text, "7,00");
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

TEST_F(LineEditor, AddingAType1LineInsertsItAndItsTaxRowsWithQuotedTexts) {
    Editor([](D &d) {
        Proveedor(d, 3);
        d.txtCtaProveedor.text = "40'00000003";
        d.txtCtaProveedorPdte.text = "40'09000003";
        d.txtDocumento.text = "O'Brien 7";
        d.txtDocumentoCentral.text = "FA-O'7";
        d.txtFecha.text = Dia(-4);
        d.txtFecha_Change();
        d.txtImportePago.text = "157";
        d.chkDescuentoProntoPago.value = false;
        d.chkAcreedor.value = true;
        d.cboTipoPago.SelectData(2);
        d.txtProveedorCentral.text = "50003";
        Base(d, 0, "50");
        Base(d, 4, "100");
        d.cmdAceptar_Click();
    });
    w.Show();
    long before = Lines();
    long taxes = demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos");
    w.cmdAgregar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(seen, (std::vector<bool>{true}));
    ASSERT_EQ(Lines(), before + 1);
    long id = LastId();
    EXPECT_EQ(Row(id, "Cod_Empresa, Cod_Almacen, Cod_Extracto, Cod_Proveedor, Documento, DocumentoCentral, Fecha, "
                      "Importe, ProntoPago, TipoPago, Cta_Proveedor, Cta_ProveedorPdte, Cod_ProveedorCentral, Acreedor"),
              "1|1|O'1|3|O'Brien 7|FA-O'7|" + suite::Fecha::Hoy().SumarDias(-4).Iso() +
                  "|157|0|2|40'00000003|40'09000003|50003|1");
    EXPECT_EQ(Row(id, "Nueva_FechaVto, NoPago, Emisor, TipoFactura, Obs1, Obs2, Obs3, Obs4, ImporteVinculado"),
              "1900-01-01|0|0|0|||||0");
    EXPECT_EQ(Taxes(id), (std::vector<std::string>{"0|50|0|0", "4|100|7|7"}));
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos"), taxes + 2);
    int r = RowOf(id);
    ASSERT_GT(r, 0);
    EXPECT_EQ(w.vsLineas.Text(r, L::colBI), "X");
    EXPECT_EQ(w.vsLineas.Text(r, L::colAcre), "X");
    EXPECT_EQ(w.vsLineas.Text(r, L::colCtaProveedor), "40'00000003");

    // All bases 0: no tax rows, and no "B.I." for an amount that is not 0.
    Editor([](D &d) {
        Proveedor(d, 1);
        d.txtImportePago.text = "10";
        d.cboTipoPago.SelectData(1);
        d.txtProveedorCentral.text = "50001";
        d.cmdAceptar_Click();
    });
    w.cmdAgregar_Click();
    long bare = LastId();
    EXPECT_NE(bare, id);
    EXPECT_TRUE(Taxes(bare).empty());
    EXPECT_EQ(w.vsLineas.Text(RowOf(bare), L::colBI), "");
    EXPECT_EQ(Row(bare, "Fecha, Cta_Proveedor, Cta_ProveedorPdte"),
              suite::Fecha::Hoy().Iso() + "|4000000001|4009000001");

    // Cancelled: nothing is written.
    Editor([](D &d) {
        Proveedor(d, 1);
        d.cmdCancelar_Click();
    });
    long n = Lines();
    w.cmdAgregar_Click();
    EXPECT_EQ(Lines(), n);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

TEST_F(LineEditor, ChangingAType1LineUpdatesItAndRewritesItsTaxRows) {
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                      "Cod_Proveedor, Cod_ProveedorCentral, Documento, DocumentoCentral, Fecha, Importe, TipoPago, "
                      "Cta_Proveedor, Cta_ProveedorPdte, ProntoPago) VALUES (1, 1, 'O''1', 2, 50002, 'D''1', 'FA-1', '" +
                      Dia(-6) + "', 107, 1, '4000000002', '4009000002', 1)");
    long id = LastId();
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, "
                      "Importe, Tipo) VALUES (" + std::to_string(id) + ", 100, 7, 7, 4)");
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, "
                      "Importe, Tipo) VALUES (" + std::to_string(id) + ", 3, 0, 0, 0)");
    std::vector<std::string> got;
    Editor([&](D &d) {
        got = {std::to_string(d.idExtractoLinea), d.txtProveedor.text, d.txtProveedor.descripcion, d.txtCtaProveedor.text,
               d.txtCtaProveedorPdte.text, d.txtImportePago.text, d.chkDescuentoProntoPago.value ? "1" : "0",
               d.cboTipoPago.Text(), d.txtDocumento.text, d.txtDocumentoCentral.text, d.txtFecha.text,
               d.txtProveedorCentral.text, d.chkAcreedor.value ? "1" : "0", d.txtBase[4].text,
               d.txtImporte_Imp[4].text, d.txtBase[0].text, d.lblTotal.caption,
               d.cboTipoPago.enabled ? "enabled" : "disabled", d.txtProveedor.locked ? "locked" : "open"};
        d.txtDocumento.text = "D'1 bis";
        d.txtCtaProveedorPdte.text = "4009'2";
        d.chkDescuentoProntoPago.value = false;
        d.cboTipoPago.SelectData(9);
        d.txtFecha.text = Anterior();
        d.txtFecha_Change();
        d.txtImportePago.text = "109,5";
        d.cmdAceptar_Click();
    });
    w.Show();
    int r = RowOf(id);
    w.vsLineas_RowColChange(r);
    w.cmdModificar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(got, (std::vector<std::string>{std::to_string(id), "2", "Lácteos del Atlántico, S.A.", "4000000002",
                                             "4009000002", "107,00", "1", "Factura", "D'1", "FA-1", Dia(-6), "50002",
                                             "0", "100,00", "7,00", "3,00", "110,00", "enabled", "open"}));
    EXPECT_EQ(Row(id, "Cod_Proveedor, Importe, ProntoPago, TipoPago, Documento, DocumentoCentral, Fecha, Cta_Proveedor, "
                      "Cta_ProveedorPdte, Cod_ProveedorCentral, Acreedor, Emisor, TipoFactura"),
              "2|109.5|0|9|D'1 bis|FA-1|" + suite::Fecha::Parse(Anterior())->Iso() +
                  "|4000000002|4009'2|50002|0|0|0");
    EXPECT_EQ(Taxes(id), (std::vector<std::string>{"0|3|0|0", "4|100|6.5|6.5"}));
    EXPECT_EQ(w.vsLineas.row, r);

    // A linked line keeps its payment type and supplier.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 50 WHERE IdExtractoLinea = " +
                      std::to_string(id));
    w.txtFechaI.text = "01/01/2000";
    w.txtFechaF_Enter();
    w.vsLineas_RowColChange(RowOf(id));
    Editor([&](D &d) {
        got = {d.cboTipoPago.enabled ? "enabled" : "disabled", d.txtProveedor.locked ? "locked" : "open"};
        d.cmdCancelar_Click();
    });
    w.cmdModificar_Click();
    EXPECT_EQ(got, (std::vector<std::string>{"disabled", "locked"}));
    EXPECT_EQ(Taxes(id).size(), 2u);
}

TEST_F(LineEditor, Type2LinesCarryIssuerAndInvoiceTypeAndNeverWriteTaxRows) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    Editor([](D &d) {
        EXPECT_FALSE(d.fraImpuestos.visible);
        EXPECT_TRUE(d.fraEmisor.visible && d.fraTipoFactura.visible);
        EXPECT_FALSE(d.txtProveedorCentral.visible || d.chkAcreedor.visible || d.txtCtaProveedorPdte.visible);
        Proveedor(d, 4);
        EXPECT_EQ(d.txtCtaProveedorPdte.text, "");
        d.txtDocumento.text = "N'4";
        d.txtDocumentoCentral.text = "C'4";
        d.txtImportePago.text = "-12,30";
        d.cboTipoPago.SelectData(2);
        d.optEmisor[1].value = true;
        d.optTipoFactura[0].value = true;
        d.cmdAceptar_Click();
    });
    w.Show();
    long taxes = demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos");
    w.cmdAgregar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    long id = LastId();
    EXPECT_EQ(Row(id, "Cod_Proveedor, Documento, DocumentoCentral, Importe, TipoPago, Cta_Proveedor, Cta_ProveedorPdte, "
                      "Cod_ProveedorCentral, Emisor, TipoFactura"),
              "4|N'4|C'4|-12.3|2|4000000004||0|2|1");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos"), taxes);
    int r = RowOf(id);
    ASSERT_GT(r, 0);
    EXPECT_EQ(w.vsLineas.Text(r, L::colEmisor), "Proveedor");
    EXPECT_EQ(w.vsLineas.Text(r, L::colTipoFactura), "Mercancía");

    // A change keeps whatever tax rows the line had.
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Tipo) VALUES (" +
                      std::to_string(id) + ", 5, 1)");
    std::vector<bool> options;
    Editor([&](D &d) {
        options = {d.optEmisor[0].value, d.optEmisor[1].value, d.optTipoFactura[0].value, d.optTipoFactura[1].value};
        d.optEmisor[1].value = false;
        d.optEmisor[0].value = true;
        d.optTipoFactura[0].value = false;
        d.optTipoFactura[1].value = false;
        d.cmdAceptar_Click();
    });
    w.vsLineas_RowColChange(r);
    w.cmdModificar_Click();
    EXPECT_EQ(options, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(Row(id, "Emisor, TipoFactura, Importe"), "1|0|-12.3");
    EXPECT_EQ(Taxes(id), (std::vector<std::string>{"1|5|0|0"}));

    // A line of a relation cannot be changed.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Id_Relacion = 3 WHERE IdExtractoLinea = " +
                      std::to_string(id));
    w.Cargar_Lineas();
    w.vsLineas_RowColChange(RowOf(id));
    shell.modals.clear();
    w.cmdModificar_Click();
    EXPECT_TRUE(shell.modals.empty());
}

TEST_F(LineEditor, AnEmptyOrImpossibleDateIsRefusedWithTheFocusOnTheDate) {
    D d(shell);
    d.codAlmacen = 1;
    d.Show();
    Proveedor(d, 1);
    d.txtImportePago.text = "10";
    d.cboTipoPago.SelectData(1);
    d.txtProveedorCentral.text = "50001";
    for (const char *bad : {"", "  /  /    ", "31/02/2026", "12/0_/____", "01/01/1900", "31/12/1752"}) {
        shell.ClearLog();
        d.txtFecha.text = bad;
        d.cmdAceptar_Click();
        ASSERT_EQ(shell.messages.size(), 1u) << bad;
        EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.") << bad;
        EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Datos.txtFecha") << bad;
        EXPECT_FALSE(d.aceptado) << bad;
        EXPECT_TRUE(d.Loaded()) << bad;
    }
    shell.ClearLog();
    d.txtFecha.text = "29/02/2028";
    d.cmdAceptar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_TRUE(d.aceptado);
    EXPECT_EQ(d.fecha, "29/02/2028");

    // Through the lines window: the line keeps its date instead of going to 01/01/1900.
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                      "Cod_Proveedor, Cod_ProveedorCentral, Documento, Fecha, Importe, TipoPago, Cta_Proveedor, "
                      "Cta_ProveedorPdte) VALUES (1, 1, 'O''1', 2, 50002, 'D1', '" +
                      Dia(-6) + "', 10, 1, '4000000002', '4009000002')");
    long id = LastId();
    Editor([](D &e) {
        e.txtFecha.text = "31/02/2026";
        e.cmdAceptar_Click();
        if (e.Loaded()) {
            e.cmdCancelar_Click();
        }
    });
    w.Show();
    w.vsLineas_RowColChange(RowOf(id));
    shell.ClearLog();
    w.cmdModificar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    EXPECT_EQ(Row(id, "Fecha"), suite::Fecha::Hoy().SumarDias(-6).Iso());
    EXPECT_GT(RowOf(id), 0);
}

// The rows the editor cannot offer for change (a tax type not in force at the date, two rows of one
// type, an exempt row carrying tax, types beyond the seven shown) are shown as stored and stay so.
TEST_F(LineEditor, TaxRowsNotOfferedForChangeStayAsStored) {
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                      "Cod_Proveedor, Cod_ProveedorCentral, Documento, Fecha, Importe, TipoPago, Cta_Proveedor, "
                      "Cta_ProveedorPdte) VALUES (1, 1, 'O''1', 2, 50002, 'D1', '" +
                      Dia(-6) + "', 373.1, 1, '4000000002', '4009000002')");
    long id = LastId();
    std::string k = std::to_string(id);
    for (const char *row : {"100, 7, 7, 4", "200, 15, 30, 6", "10, 0, 0, 0", "20, 5, 1, 0", "5, 2, 0.1, 8"}) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                          "Valor_Tipo, Importe, Tipo) VALUES (" +
                          k + ", " + row + ")");
    }
    demo.erp->Execute("DELETE FROM Igic_Tipos WHERE Tipo = 6");
    std::vector<std::string> shown;
    auto fila = [](D &d, int i) {
        auto k = static_cast<std::size_t>(i);
        return d.txtBase[k].text + "|" + d.txtTipo[k].text + "|" + d.txtImporte_Imp[k].text +
               (d.txtBase[k].locked ? "|locked" : "|open");
    };
    Editor([&](D &d) {
        shown = {fila(d, 0), fila(d, 4), fila(d, 6)};
        d.txtFecha.text = Anterior();
        d.txtFecha_Change();
        shown.push_back(fila(d, 0));
        shown.push_back(fila(d, 4));
        shown.push_back(fila(d, 6));
        shown.push_back(d.lblTotal.caption);
        d.cmdAceptar_Click();
    });
    w.Show();
    w.vsLineas_RowColChange(RowOf(id));
    w.cmdModificar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(shown, (std::vector<std::string>{"30,00|0,00|1,00|locked", "100,00|7,00|7,00|open",
                                               "200,00|15,00|30,00|locked", "30,00|0,00|1,00|locked",
                                               "100,00|6,50|6,50|open", "200,00|15,00|30,00|locked", "367,50"}));
    auto taxes = Taxes(id);
    std::sort(taxes.begin(), taxes.end());
    EXPECT_EQ(taxes, (std::vector<std::string>{"0|10|0|0", "0|20|5|1", "4|100|6.5|6.5", "6|200|15|30", "8|5|2|0.1"}));
}

TEST_F(LineEditor, AChangeFailingAtAnyStatementLeavesTheLineAndItsTaxRowsAsTheyWere) {
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                      "Cod_Proveedor, Cod_ProveedorCentral, Documento, Fecha, Importe, TipoPago, Cta_Proveedor, "
                      "Cta_ProveedorPdte) VALUES (1, 1, 'O''1', 2, 50002, 'D1', '" +
                      Dia(-6) + "', 150, 1, '4000000002', '4009000002')");
    long id = LastId();
    for (const char *row : {"100, 7, 7, 4", "40, 3, 1.2, 3"}) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                          "Valor_Tipo, Importe, Tipo) VALUES (" +
                          std::to_string(id) + ", " + row + ")");
    }
    Editor([](D &d) {
        d.txtDocumento.text = "D1 bis";
        d.txtFecha.text = Anterior();
        d.txtFecha_Change();
        Base(d, 5, "10");
        d.cmdAceptar_Click();
    });
    w.Show();
    const std::vector<std::string> tables = {"Compras_PagosCentral_Extractos_Lineas",
                                             "Compras_PagosCentral_Extractos_Lineas_Impuestos"};
    std::string before = fixtures::Snapshot(demo, tables);
    for (const char *fault : {"BEFORE UPDATE ON Compras_PagosCentral_Extractos_Lineas",
                              "BEFORE DELETE ON Compras_PagosCentral_Extractos_Lineas_Impuestos",
                              "BEFORE INSERT ON Compras_PagosCentral_Extractos_Lineas_Impuestos WHEN NEW.Tipo = 3",
                              "BEFORE INSERT ON Compras_PagosCentral_Extractos_Lineas_Impuestos WHEN NEW.Tipo = 5"}) {
        fixtures::FailOn(demo, fault);
        w.vsLineas_RowColChange(RowOf(id));
        shell.ClearLog();
        w.cmdModificar_Click();
        fixtures::RemoveFault(demo);
        ASSERT_EQ(shell.messages.size(), 1u) << fault;
        EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas:cmdModificar_Click") << fault;
        EXPECT_NE(shell.messages.back().text.find("fallo provocado"), std::string::npos) << shell.Last();
        EXPECT_FALSE(demo.erp->InTransaction()) << fault;
        EXPECT_EQ(fixtures::Snapshot(demo, tables), before) << fault;
    }
    shell.ClearLog();
    w.vsLineas_RowColChange(RowOf(id));
    w.cmdModificar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(Taxes(id), (std::vector<std::string>{"3|40|3|1.2", "4|100|6.5|6.5", "5|10|9.5|0.95"}));
    EXPECT_EQ(Row(id, "Documento"), "D1 bis");
}

TEST_F(LineEditor, AFailedInsertIsReportedWithTheLinesWindowTag) {
    db::RunSqliteScript(demo.dir.File("erp.db"),
                        {"CREATE TRIGGER guard BEFORE INSERT ON Compras_PagosCentral_Extractos_Lineas_Impuestos BEGIN "
                         "SELECT RAISE(ABORT, 'impuestos bloqueados'); END"});
    Editor([](D &d) {
        Proveedor(d, 1);
        d.txtImportePago.text = "10";
        d.cboTipoPago.SelectData(1);
        d.txtProveedorCentral.text = "50001";
        Base(d, 4, "10");
        d.cmdAceptar_Click();
    });
    w.Show();
    long n = Lines();
    w.cmdAgregar_Click();
    ASSERT_FALSE(shell.messages.empty());
    EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas:cmdAgregar_Click");
    EXPECT_NE(shell.messages.back().text.find("impuestos bloqueados"), std::string::npos);
    // The line goes with its tax rows or not at all.
    EXPECT_EQ(Lines(), n);
    EXPECT_FALSE(demo.erp->InTransaction());
    demo.erp->Execute("DROP TRIGGER guard");

    // The same when the line itself is refused, or its second tax row.
    Editor([](D &d) {
        Proveedor(d, 1);
        d.txtImportePago.text = "10";
        d.cboTipoPago.SelectData(1);
        d.txtProveedorCentral.text = "50001";
        Base(d, 0, "2");
        Base(d, 4, "10");
        d.cmdAceptar_Click();
    });
    const std::vector<std::string> tables = {"Compras_PagosCentral_Extractos_Lineas",
                                             "Compras_PagosCentral_Extractos_Lineas_Impuestos"};
    std::string before = fixtures::Snapshot(demo, tables);
    for (const char *fault : {"BEFORE INSERT ON Compras_PagosCentral_Extractos_Lineas",
                              "BEFORE INSERT ON Compras_PagosCentral_Extractos_Lineas_Impuestos WHEN NEW.Tipo = 4"}) {
        fixtures::FailOn(demo, fault);
        shell.ClearLog();
        w.cmdAgregar_Click();
        fixtures::RemoveFault(demo);
        ASSERT_EQ(shell.messages.size(), 1u) << fault;
        EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas:cmdAgregar_Click") << fault;
        EXPECT_FALSE(demo.erp->InTransaction()) << fault;
        EXPECT_EQ(fixtures::Snapshot(demo, tables), before) << fault;
    }
}

} // namespace
