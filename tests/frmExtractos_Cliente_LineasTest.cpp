#include "fixtures/Clientes.h"

#include <gtest/gtest.h>

namespace {

class ClienteLines : public ClientesFixture, public ::testing::Test {
  public:
    // The demo statement's first invoice: supplier 2, "FV-0001".
    static int AnioDemo() { return suite::Fecha::Hoy().SumarDias(-20).Anio(); }
    static void Entrada(LL &w, long proveedor, const std::string &doc, const std::string &fecha) {
        w.txtProveedor_Insert.code = proveedor;
        w.txtDocumento_Insert.text = doc;
        w.txtFechaFactura.text = fecha;
        w.txtFechaFactura_Enter();
    }
    long Importe(long id) {
        return std::lround(std::stod(demo.One("SELECT Importe * 100 FROM Clientes_PagosCentral_Extractos_Lineas WHERE "
                                              "IdExtractoLinea = " +
                                              std::to_string(id))));
    }
    std::string Impuestos(long id) {
        auto rs = demo.erp->OpenRecordset("SELECT Base, Valor_Tipo, Importe FROM "
                                          "Clientes_PagosCentral_Extractos_Lineas_Impuestos WHERE IdExtractoLinea = " +
                                          std::to_string(id) + " ORDER BY Valor_Tipo");
        std::string out;
        while (!rs->Eof()) {
            out += rs->Fields(0).AsText() + "@" + rs->Fields(1).AsText() + "=" + rs->Fields(2).AsText() + ";";
            rs->MoveNext();
        }
        return out;
    }
};

TEST_F(ClienteLines, TheSameSupplierDocumentInTheSameYearIsRefusedAcrossCustomersAndAcceptedInAnotherYear) {
    Extracto(2, Dia(1));
    auto w = Lineas(2, Dia(1));
    EXPECT_EQ(w->vsLineas.DataRows(), 0);
    const long antes = demo.Count("Clientes_PagosCentral_Extractos_Lineas");
    Entrada(*w, 2, "FV-0001", "28/02/" + std::to_string(AnioDemo()));
    w->txtObservaciones_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|La factura que intenta insertar ya existe.\rCliente: 1 - "
                            "Franquicia Vecindario\rFecha Cobro: " +
                                Dia(-5));
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas"), antes);

    Entrada(*w, 2, "FV-0001", "28/02/" + std::to_string(AnioDemo() - 1));
    w->txtObservaciones.text = "Año anterior, O'Neill";
    w->txtObservaciones_Enter();
    EXPECT_TRUE(w->Guardado());
    ASSERT_EQ(w->vsLineas.DataRows(), 1);
    EXPECT_EQ(w->vsLineas.Text(1, LL::colNombre), "Lácteos del Atlántico, S.A.");
    EXPECT_EQ(w->vsLineas.Text(1, LL::colImporte), "0,00");
    EXPECT_EQ(w->vsLineas.Text(1, LL::colAtipicos), "3,00 % I.F.");
    EXPECT_EQ(w->vsLineas.Text(1, LL::colObservaciones), "Año anterior, O'Neill");
    EXPECT_EQ(w->IdActual(), std::stol(demo.One("SELECT MAX(IdExtractoLinea) FROM Clientes_PagosCentral_Extractos_Lineas")));
    EXPECT_EQ(demo.One("SELECT Cod_Cliente FROM Clientes_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                       std::to_string(w->IdActual())),
              "2");

    // Modifying the line itself is no duplicate of itself.
    w->cmdModificar_Click();
    ASSERT_TRUE(w->Editando());
    EXPECT_EQ(w->txtDocumento_Insert.text, "FV-0001");
    w->txtObservaciones.text = "otra";
    w->txtObservaciones_Enter();
    EXPECT_TRUE(w->Guardado());
    EXPECT_EQ(w->vsLineas.Text(1, LL::colObservaciones), "otra");
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas"), antes + 1);
}

TEST_F(ClienteLines, EachRequiredBoxIsCheckedAndTheAtypicalAgreementIsPresetByTheInvoiceDate) {
    demo.erp->Execute("INSERT INTO Proveedores_Atipicos (Cod_Empresa, Cod_Proveedor, FechaI, FechaF, TipoAplicacion, "
                      "Porcentaje) VALUES (1, 7, '01/01/2024', '31/12/2024', 2, 4.25)");
    auto w = Lineas(1, Dia(-5));
    w->txtObservaciones_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar el proveedor de la factura.");
    w->txtProveedor_Insert.code = 7;
    w->txtObservaciones_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar el documento de la factura.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Cliente_Lineas.txtDocumento_Insert");
    w->txtDocumento_Insert.text = "C-1";
    w->txtObservaciones_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar la fecha de la factura.");

    Entrada(*w, 7, "C-1", "15/06/2025");
    EXPECT_EQ(w->cboAtipicos.ItemData(), 0);
    Entrada(*w, 7, "C-1", "31/12/2024");
    EXPECT_EQ(w->cboAtipicos.Text(), "% Base Imponible");
    EXPECT_EQ(w->txtPorcAtipicos.text, "4,25");
    w->txtPorcAtipicos.text = "4,x";
    w->txtObservaciones_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Porcentaje de atípicos incorrecto");
    w->txtPorcAtipicos.text = "4,25";
    w->txtObservaciones_Enter();
    ASSERT_TRUE(w->Guardado());
    EXPECT_EQ(w->vsLineas.Text(w->vsLineas.row, LL::colAtipicos), "4,25 % B.I.");
    EXPECT_EQ(demo.One("SELECT Cod_Atipico || '|' || AtipicosPorcentaje FROM Clientes_PagosCentral_Extractos_Lineas "
                       "WHERE Documento = 'C-1'"),
              "2|4.25");
}

TEST_F(ClienteLines, TaxRowsComputeAmountsAndTotalsAndConfirmingStoresThemWithTheLineAmount) {
    auto w = Lineas(1, Dia(-5));
    ASSERT_EQ(w->vsLineas.DataRows(), 2);
    // The company's rates in the order of its list, after the exempt row.
    std::vector<std::string> tipos;
    for (const auto &t : w->txtTipo) {
        tipos.push_back(t.text);
    }
    EXPECT_EQ(tipos, (std::vector<std::string>{"0,00", "0,00", "1,00", "3,00", "7,00", "9,50", "15,00"}));
    const long id = w->IdActual();
    EXPECT_EQ(w->vsLineas.Text(1, LL::colImporte), "107,00");
    ASSERT_EQ(w->vsImpuestos.DataRows(), 1);
    EXPECT_EQ(w->vsImpuestos.Text(1, LL::colBase), "100,00");
    EXPECT_EQ(w->txtBase[4].text, "100,00");
    EXPECT_EQ(w->lblTotal.caption, "107,00");

    w->txtBase[6].text = "20,33";
    w->txtBase_Change(6);
    EXPECT_EQ(w->txtImporte_Imp[6].text, "3,05");
    EXPECT_EQ(w->lblTBase.caption, "120,33");
    EXPECT_EQ(w->lblTImporte.caption, "10,05");
    EXPECT_EQ(w->lblTotal.caption, "130,38");
    w->txtBase[6].text = "";
    w->txtBase_Change(6);
    EXPECT_EQ(w->txtImporte_Imp[6].text, "0,00");
    w->txtBase[6].text = "20,33";
    w->txtBase_Change(6);

    w->txtBase[3].text = "x";
    w->txtBase_Enter(3);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Valor de Base incorrecto");
    EXPECT_EQ(Impuestos(id), "100@7=7;");
    w->txtBase[3].text = "";
    w->txtBase_Enter(6);
    EXPECT_TRUE(w->Guardado());
    EXPECT_EQ(Impuestos(id), "100@7=7;20.33@15=3.05;");
    EXPECT_EQ(Importe(id), 13038);
    EXPECT_EQ(w->vsLineas.Text(1, LL::colImporte), "130,38");
    EXPECT_EQ(w->vsImpuestos.DataRows(), 2);

    // Deleting the 15 % row, after the question; No keeps it.
    w->vsImpuestos.row = 2;
    shell.answers = {host::Answer::No};
    w->cmdEliminarImp_Click();
    EXPECT_EQ(shell.messages.back().text, "¿Está seguro que desea eliminar la linea de Impuesto?");
    EXPECT_EQ(Impuestos(id), "100@7=7;20.33@15=3.05;");
    w->vsImpuestos.row = 2;
    shell.answers = {host::Answer::Yes};
    w->cmdEliminarImp_Click();
    EXPECT_EQ(Impuestos(id), "100@7=7;");
    EXPECT_EQ(Importe(id), 10700);

    // "Modificar" of the taxes refills the rows by rate and goes to the first base.
    w->txtBase[4].text = "1";
    w->cmdModificarImp_Click();
    EXPECT_EQ(w->txtBase[4].text, "100,00");
    EXPECT_EQ(w->txtBase[6].text, "");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Cliente_Lineas.txtBase(0)");
}

TEST_F(ClienteLines, TheAmountCellAndTheLineDeletionAskAndCheck) {
    auto w = Lineas(1, Dia(-5));
    w->vsLineas_RowColChange(2);
    const long id = w->IdActual();
    w->vsLineas.SetText(2, LL::colImporte, "12,x");
    w->vsLineas_AfterEdit(2, LL::colImporte);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Valor de Importe incorrecto");
    EXPECT_EQ(Importe(id), 5350);
    EXPECT_EQ(w->vsLineas.Text(2, LL::colImporte), "53,50");
    w->vsLineas.SetText(2, LL::colImporte, "1.234,5");
    w->vsLineas_AfterEdit(2, LL::colImporte);
    EXPECT_EQ(Importe(id), 123450);

    shell.answers = {host::Answer::No};
    w->cmdEliminar_Click();
    EXPECT_EQ(shell.messages.back().text, "¿Está seguro que desea eliminar la linea de Factura?");
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas"), 2);
    shell.answers = {host::Answer::Yes};
    w->cmdEliminar_Click();
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas"), 1);
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas_Impuestos WHERE IdExtractoLinea = " +
                         std::to_string(id)),
              0);
    EXPECT_EQ(w->vsLineas.DataRows(), 1);
}

TEST_F(ClienteLines, AClosedStatementOpensReadOnly) {
    auto w = Lineas(1, Dia(-5), true);
    EXPECT_FALSE(w->txtObservaciones.enabled);
    EXPECT_FALSE(w->cmdEliminar.enabled);
    Entrada(*w, 9, "NUEVA", Dia(-3));
    w->txtObservaciones_Enter();
    w->txtBase[0].text = "5";
    w->txtBase_Enter(0);
    shell.answers = {host::Answer::Yes, host::Answer::Yes};
    w->cmdEliminar_Click();
    w->vsLineas.SetText(1, LL::colImporte, "1");
    w->vsLineas_AfterEdit(1, LL::colImporte);
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas"), 2);
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas_Impuestos"), 2);
    EXPECT_EQ(Importe(1), 10700);
    EXPECT_TRUE(shell.answers.size() == 2);
}

} // namespace
