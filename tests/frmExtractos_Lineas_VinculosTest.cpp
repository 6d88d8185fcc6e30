#include "fixtures/Vinculos.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/frmExtractos_Lineas_Vinculos.h"

#include <gtest/gtest.h>

namespace {

using lines::frmExtractos_Lineas_Vinculos;
using V = frmExtractos_Lineas_Vinculos;

// A type-1 line of supplier 901 (invoices) or 902 (receipts) and the purchase documents each test adds.
class DocumentLinking : public ::testing::Test, public VinculosFixture {
  protected:
    DocumentLinking() : w(shell, demo.settings) {
        demo.SetParam("PagoCentral_TipoExtracto", "1");
        line = Line(901, "150", "PAGO-1");
        w.idExtractoLinea = line;
        w.codAlmacen = 1;
        w.extractoCerrado = false;
        w.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
    }
    void Invoice(int almacen, const std::string &doc, int offset, const std::string &importe, int asiento = 0) {
        demo.erp->Execute("INSERT INTO Entradas_Facturas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, "
                          "Documento, Fecha, Importe, ImporteContable, Asiento, Usuario, Hora) VALUES (1, " +
                          std::to_string(Year()) + ", " + std::to_string(almacen) + ", 0, 901, " + db::Quote(doc) +
                          ", '" + Dia(offset) + "', " + importe + ", " + importe + ", " + std::to_string(asiento) +
                          ", 1, '" + Dia(offset) + "')");
    }
    void Receipt(int codigo, const std::string &doc, int offset, const std::string &contable, int usuario = 2) {
        demo.erp->Execute("INSERT INTO Entradas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, "
                          "Fecha, ImporteContable, Usuario, Hora) VALUES (1, " +
                          std::to_string(Year()) + ", 1, " + std::to_string(codigo) + ", 902, " + db::Quote(doc) +
                          ", '" + Dia(offset) + "', " + contable + ", " + std::to_string(usuario) + ", '" +
                          Dia(offset) + " 10:30:00')");
    }
    std::vector<std::string> Column(int col) const {
        std::vector<std::string> out;
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            out.push_back(w.vsLineas.Text(r, col));
        }
        return out;
    }
    int RowOf(const std::string &doc) const {
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            if (w.vsLineas.Text(r, V::colDocumento) == doc) {
                return r;
            }
        }
        return 0;
    }
    void Tick(const std::string &doc) {
        ASSERT_NE(RowOf(doc), 0) << doc;
        w.vsLineas_Click(RowOf(doc), V::colSel);
    }
    long InvoiceLinks(long id) const {
        return demo.Count("Compras_PagosCentral_Entradas_Facturas WHERE IdExtractoLinea = " + std::to_string(id));
    }

    long line = 0;
    frmExtractos_Lineas_Vinculos w;
};

TEST_F(DocumentLinking, InvoicesOfTheSupplierFreeAndLinkedWithLinkAndUnlink) {
    Invoice(1, "FV'100", -10, "100", 77);
    Invoice(2, "FV-200", -20, "80");
    Invoice(1, "FV-300", -200, "10"); // outside the dates
    Invoice(1, "FV-400", -5, "60");
    long other = Line(901, "60", "PAGO-2");
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, Cod_Empresa, Cod_Almacen, "
                      "Proveedor, Documento, Fecha) VALUES (" +
                      std::to_string(other) + ", 1, 1, 901, 'FV-400', '" + Dia(-5) + "')");
    w.codProveedor = 901;
    w.Show();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(shell.progress.front(), "Cargando líneas de vinculos de extractos, espere por favor...");
    EXPECT_EQ(w.txtDesde.text, Dia(-92));
    EXPECT_EQ(w.txtHasta.text, Dia(0));
    EXPECT_EQ(demo.settings->LeerValor("FechaIVinculos"), Dia(-92));
    EXPECT_EQ(w.txtAlmacen.code, 1);
    EXPECT_EQ(w.txtProv.descripcion, "Proveedor O'901");
    ASSERT_EQ(w.vsLineas.Cols(), 15);
    EXPECT_FALSE(w.vsLineas.columns[V::colAsiento].hidden);
    EXPECT_TRUE(w.vsLineas.columns[V::colHora].hidden);
    // Warehouse 1 only; linked to another line never offered.
    EXPECT_EQ(Column(V::colDocumento), (std::vector<std::string>{"FV'100"}));
    EXPECT_EQ(w.vsLineas.Text(1, V::colAsiento), "77");
    EXPECT_EQ(w.vsLineas.Text(1, V::colImporte), "100,00");
    EXPECT_EQ(w.vsLineas.Text(1, V::colCtaProveedor), "4000000901");

    // Every warehouse once the box is cleared.
    w.txtAlmacen.code = 0;
    w.txtAlmacen_Change();
    w.txtAlmacen_Enter();
    EXPECT_EQ(Column(V::colDocumento), (std::vector<std::string>{"FV'100", "FV-200"}));

    w.Form_KeyDown_F9();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos una linea de Factura a vincular.");
    Tick("FV'100");
    Tick("FV-200");
    w.Form_KeyDown_F9();
    EXPECT_EQ(InvoiceLinks(line), 2);
    // More than the line's amount is accepted.
    EXPECT_EQ(Linked(line), "180");
    EXPECT_EQ(Column(V::colVinculado), (std::vector<std::string>{"X", "X"}));
    EXPECT_EQ(w.vsLineas.RowBackColor(1), V::kColorVinculado);

    // Narrowing the dates hides a linked invoice without unlinking it.
    w.txtDesde.text = Dia(-15);
    w.txtDesde_Change();
    w.txtHasta_Enter();
    EXPECT_EQ(Column(V::colDocumento), (std::vector<std::string>{"FV'100"}));
    EXPECT_EQ(InvoiceLinks(line), 2);

    w.Form_KeyDown_F12();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos una linea de Factura a Desvincular.");
    Tick("FV'100");
    shell.answers = {host::Answer::Yes};
    w.Form_KeyDown_F12();
    EXPECT_EQ(InvoiceLinks(line), 1);
    EXPECT_EQ(Linked(line), "80");
    EXPECT_EQ(w.vsLineas.Text(RowOf("FV'100"), V::colVinculado), "");
    EXPECT_EQ(w.vsLineas.RowBackColor(RowOf("FV'100")), -1);
}

TEST_F(DocumentLinking, ReceiptsWithTheirAccountingAmountUserAndKey) {
    Receipt(501, "AL-1", -8, "42.10");
    Receipt(502, "AL-2", -3, "7", 99); // a user that no longer exists
    w.contCompras = true;
    w.codProveedor = 902;
    w.Show();
    EXPECT_FALSE(w.vsLineas.columns[V::colHora].hidden);
    EXPECT_TRUE(w.vsLineas.columns[V::colAsiento].hidden);
    ASSERT_EQ(Column(V::colDocumento), (std::vector<std::string>{"AL-1", "AL-2"}));
    EXPECT_EQ(w.vsLineas.Text(1, V::colImporte), "42,10");
    EXPECT_EQ(w.vsLineas.Text(1, V::colCodigo), "501");
    EXPECT_EQ(w.vsLineas.Text(1, V::colEjercicio), std::to_string(Year()));
    EXPECT_EQ(w.vsLineas.Text(1, V::colHora), Dia(-8) + " 10:30:00");
    EXPECT_EQ(w.vsLineas.Text(1, V::colNombreUsuario), "María Peña");
    EXPECT_EQ(w.vsLineas.Text(2, V::colNombreUsuario), "");

    w.chkSelelecion_vsExtractos.value = true;
    w.chkSelelecion_vsExtractos_Click();
    w.cmdVincular_Click();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas WHERE IdExtractoLinea = " + std::to_string(line) +
                         " AND Cod_Ejercicio = " + std::to_string(Year()) + " AND Codigo IN (501, 502)"),
              2);
    EXPECT_EQ(Linked(line), "49.1");
    Tick("AL-2");
    shell.answers = {host::Answer::No};
    w.cmdDesvincular_Click();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas"), 2 + demo.Count("Compras_PagosCentral_Entradas WHERE "
                                                                          "IdExtractoLinea <> " +
                                                                          std::to_string(line)));
    shell.answers = {host::Answer::Yes};
    w.cmdDesvincular_Click();
    EXPECT_EQ(Linked(line), "42.1");
}

TEST_F(DocumentLinking, ClosedStatementListsOnlyAccountedLinksAndPrintsTheDocument) {
    Invoice(1, "FV-A", -10, "100", 12);
    Invoice(1, "FV-B", -9, "50");
    Invoice(1, "FV-C", -8, "20");
    auto link = [&](const char *doc, int offset, int booked) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, Cod_Empresa, "
                          "Cod_Almacen, Proveedor, Documento, Fecha, Contabilizado) VALUES (" +
                          std::to_string(line) + ", 1, 1, 901, '" + doc + "', '" + Dia(offset) + "', " +
                          std::to_string(booked) + ")");
    };
    link("FV-A", -10, 1);
    link("FV-B", -9, 0);
    w.codProveedor = 901;
    w.extractoCerrado = true;
    w.Show();
    EXPECT_FALSE(w.cmdVincular.enabled);
    EXPECT_FALSE(w.cmdDesvincular.enabled);
    EXPECT_EQ(Column(V::colDocumento), (std::vector<std::string>{"FV-A"}));
    Tick("FV-A");
    shell.answers = {host::Answer::Yes};
    w.Form_KeyDown_F12();
    EXPECT_EQ(InvoiceLinks(line), 2);

    // A double-click prints the purchase document of the row.
    w.vsLineas.row = 1;
    w.vsLineas_DblClick();
    ASSERT_EQ(shell.informes.size(), 1u) << shell.Last();
    const auto &inf = shell.informes[0];
    EXPECT_EQ(inf.titulo, "Factura de proveedor");
    EXPECT_EQ(inf.subtitulo, "Supermercados Demo Canarias, S.L.");
    auto dato = [&](const std::string &k) {
        for (const auto &[a, b] : inf.datos) {
            if (a == k) {
                return b;
            }
        }
        return std::string("<none>");
    };
    EXPECT_EQ(dato("Proveedor"), "901 - Proveedor O'901");
    EXPECT_EQ(dato("Documento"), "FV-A");
    EXPECT_EQ(dato("Importe"), "100,00");
    EXPECT_EQ(dato("Asiento"), "12");
    ASSERT_EQ(inf.filas.size(), 1u);
    EXPECT_EQ(inf.filas[0], (std::vector<std::string>{"T'1", "PAGO-1", Dia(-5), "150,00", "Sí"}));

    // A document deleted meanwhile is reported, not printed.
    demo.erp->Execute("DELETE FROM Entradas_Facturas WHERE Documento = 'FV-A'");
    w.cmdImprimir_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|No se encuentra el documento de compra FV-A.");
    EXPECT_EQ(shell.informes.size(), 1u);
}

TEST_F(DocumentLinking, AnInvoiceLinkedByAnotherUserMeanwhileStaysWithThem) {
    Invoice(1, "FV-X", -10, "100");
    w.codProveedor = 901;
    w.Show();
    Tick("FV-X");
    long other = Line(901, "100", "PAGO-9");
    demo.OpenErp()->Execute("INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, Cod_Empresa, "
                            "Cod_Almacen, Proveedor, Documento, Fecha) VALUES (" +
                            std::to_string(other) + ", 1, 1, 901, 'FV-X', '" + Dia(-10) + "')");
    w.cmdVincular_Click();
    EXPECT_EQ(shell.Last(), "information|¡ Atención !|Estos documentos ya estaban vinculados a otra línea y no se han "
                            "vinculado:\nFV-X");
    EXPECT_EQ(InvoiceLinks(line), 0);
    EXPECT_EQ(InvoiceLinks(other), 1);
}

TEST_F(DocumentLinking, LinesWindowOpensItWithTheLinesInputs) {
    lines::frmExtractos_Lineas lw(shell, demo.settings);
    lw.codAlmacen = 1;
    lw.codExtracto = "T'1";
    lw.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
    lw.fechaVto = suite::Fecha::Hoy().SumarDias(13);
    bool seen = false;
    shell.handlers["frmExtractos_Lineas_Vinculos"] = [&](host::Window &win) {
        auto &v = static_cast<V &>(win);
        seen = true;
        EXPECT_EQ(v.idExtractoLinea, line);
        EXPECT_EQ(v.codProveedor, 901);
        EXPECT_FALSE(v.contCompras);
        EXPECT_EQ(v.codAlmacen, 1);
        EXPECT_EQ(v.fechaExtracto, lw.fechaExtracto);
        v.cmdSalir_Click();
    };
    lw.Show();
    lw.vsLineas_RowColChange(1);
    lw.vsLineas_DblClick();
    EXPECT_TRUE(seen);
}

} // namespace
