#include "db/Sql.h"
#include "fixtures/DemoDb.h"
#include "fixtures/Program.h"
#include "fixtures/TempDir.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "lumbra/CuentasContables.h"
#include "suite/Fecha.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using lines::frmExtractos_Lineas;
using L = frmExtractos_Lineas;

const long kOk = 12648384, kDif = 12640511, kEuromadi = 16761024;

std::string Hoy() { return suite::Fecha::Hoy().Formato("dd/mm/yyyy"); }
std::string Dia(int offset) { return suite::Fecha::Hoy().SumarDias(offset).Formato("dd/mm/yyyy"); }

// A statement of our own in warehouse 1, with lines whose amounts, links and suppliers each test
// chooses; the demo's statements stay around it.
class StatementLines : public ::testing::Test {
  protected:
    StatementLines() : w(shell, demo.settings) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "FechaExtracto, FechaVto, Cerrado) VALUES (1, 1, 'O''1', '" +
                          Dia(-2) + "', '" + Dia(13) + "', 0)");
        w.codAlmacen = 1;
        w.codExtracto = "O'1";
        w.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
        w.fechaVto = suite::Fecha::Hoy().SumarDias(13);
    }

    // Adds a line to the test statement and returns its id.
    long Line(int supplier, const std::string &importe, const std::string &vinculado = "0",
              const std::string &extra = "", const std::string &extraValues = "", int offset = -5,
              const std::string &documento = "D") {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "Cod_Proveedor, Cod_ProveedorCentral, Documento, DocumentoCentral, Fecha, Importe, "
                          "ImporteVinculado, TipoPago" +
                          extra + ") VALUES (1, 1, 'O''1', " + std::to_string(supplier) + ", " +
                          std::to_string(50000 + supplier) + ", " + db::Quote(documento) + ", " + db::Quote("FA-" + documento) + ", '" +
                          Dia(offset) + "', " + importe + ", " + vinculado + ", 1" + extraValues + ")");
        return std::stol(demo.One("SELECT MAX(IdExtractoLinea) FROM Compras_PagosCentral_Extractos_Lineas"));
    }
    int RowOf(long id) const {
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            if (w.vsLineas.Text(r, L::colIdLinea) == std::to_string(id)) {
                return r;
            }
        }
        return 0;
    }
    std::string Cell(long id, int col) const {
        int r = RowOf(id);
        return r ? w.vsLineas.Text(r, col) : "<no row>";
    }
    long Color(long id, int col = L::colImporte) const { return w.vsLineas.CellBackColor(RowOf(id), col); }
    std::vector<std::string> Column(int col) const {
        std::vector<std::string> out;
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            out.push_back(w.vsLineas.Text(r, col));
        }
        return out;
    }

    DemoDb demo;
    host::ScriptedShell shell;
    frmExtractos_Lineas w;
};

TEST_F(StatementLines, LoadBuildsTheGridOfAType1StatementWithItsDatesAndCaption) {
    long a = Line(1, "107", "107", ", ProntoPago", ", 1", -10, "A-1");
    long b = Line(12, "53.5", "0", ", Acreedor", ", 1", -3, "B-1");
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, "
                      "Importe, Tipo) VALUES (" + std::to_string(a) + ", 100, 7, 7, 4)");
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea) VALUES (" +
                      std::to_string(b) + ")");
    w.Show();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(w.caption, "Pagos Centralizados - Extracto: O'1");
    EXPECT_EQ(w.txtFechaI.text, suite::Fecha::Hoy().SumarDias(-92).Formato("dd/mm/yyyy"));
    EXPECT_EQ(w.txtFechaF.text, Hoy());
    EXPECT_EQ(demo.settings->LeerValor("FechaILineas"), w.txtFechaI.text);
    EXPECT_EQ(demo.settings->LeerValor("FechaFLineas"), Hoy());
    EXPECT_EQ(w.txtAlmacen.code, 1);
    EXPECT_EQ(w.txtAlmacen.descripcion, "Supermercado Telde");
    EXPECT_EQ(shell.progress, (std::vector<std::string>{"Cargando líneas de extractos, espere por favor...", ""}));

    ASSERT_EQ(w.vsLineas.Cols(), 33);
    ASSERT_EQ(w.vsLineas.DataRows(), 2);
    for (int c : {L::colProvCentral, L::colCtaProveedor, L::colCtaProveedorPdte, L::colBI, L::colRec, L::colAcre}) {
        EXPECT_FALSE(w.vsLineas.columns[c].hidden) << c;
    }
    for (int c : {L::colEmisor, L::colTipoFactura, L::colNP, L::colNuevaFechaVto, L::colTipoPagoCodigo, L::colIdLinea,
                  L::colContCompras, L::colIdRelacion, L::colObs1, L::colObs4, L::colTipoPagoIniciales}) {
        EXPECT_TRUE(w.vsLineas.columns[c].hidden) << c;
    }
    EXPECT_EQ(w.vsLineas.columns[L::colTipoPago].header, "Tipo Pago");
    EXPECT_EQ(w.vsLineas.columns[L::colDiferencia].width, 1300);
    EXPECT_FALSE(w.cmdAgregarFactura.visible);
    EXPECT_TRUE(w.Popup.empty());

    // Supplier order; every derived cell.
    EXPECT_EQ(Column(L::colProveedor), (std::vector<std::string>{"1", "12"}));
    EXPECT_EQ(Cell(a, L::colSel), "0");
    EXPECT_EQ(Cell(a, L::colProvCentral), "50001");
    EXPECT_EQ(Cell(a, L::colNombreProveedor), "Distribuciones Pérez Hernández, S.L.");
    EXPECT_EQ(Cell(a, L::colBI), "X");
    EXPECT_EQ(Cell(a, L::colTipoPagoCodigo), "1");
    EXPECT_EQ(Cell(a, L::colTipoPago), "Factura");
    EXPECT_EQ(Cell(a, L::colTipoPagoIniciales), "FA");
    EXPECT_EQ(Cell(a, L::colDocumento), "A-1");
    EXPECT_EQ(Cell(a, L::colDocCentral), "FA-A-1");
    EXPECT_EQ(Cell(a, L::colFecha), Dia(-10));
    EXPECT_EQ(Cell(a, L::colImporte), "107,00");
    EXPECT_EQ(Cell(a, L::colVinculado), "107,00");
    EXPECT_EQ(Cell(a, L::colDiferencia), "0,00");
    EXPECT_EQ(Cell(a, L::colPP), "X");
    EXPECT_EQ(Cell(a, L::colVinc), "X");
    EXPECT_EQ(Cell(a, L::colRec), "");
    EXPECT_EQ(Cell(a, L::colAcre), "");
    EXPECT_EQ(Cell(a, L::colNuevaFechaVto), "");
    EXPECT_EQ(Cell(b, L::colBI), "");
    EXPECT_EQ(Cell(b, L::colVinc), "");
    EXPECT_EQ(Cell(b, L::colRec), "X");
    EXPECT_EQ(Cell(b, L::colAcre), "X");
    EXPECT_EQ(Cell(b, L::colDiferencia), "53,50");
    EXPECT_EQ(Cell(b, L::colContCompras), "0");
    EXPECT_EQ(w.vsLineas.row, 1);
    // The temporary tables are gone once the grid is filled.
    EXPECT_THROW(demo.erp->OpenRecordset("SELECT * FROM #Impuestos"), std::exception);
    EXPECT_THROW(demo.erp->OpenRecordset("SELECT * FROM #PagoCentralRec"), std::exception);
    w.Cargar_Lineas();
    EXPECT_EQ(w.vsLineas.DataRows(), 2);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

TEST_F(StatementLines, AccountsComeFromTheLineTheSupplierRecordOrTheComposedRoot) {
    long own = Line(1, "10", "0", ", Cta_Proveedor, Cta_ProveedorPdte", ", '4000009999', '4009009999'");
    long record = Line(2, "10");
    long composed = Line(12, "10");
    w.Show();
    EXPECT_EQ(Cell(own, L::colCtaProveedor), "4000009999");
    EXPECT_EQ(Cell(own, L::colCtaProveedorPdte), "4009009999");
    EXPECT_EQ(Cell(record, L::colCtaProveedor), "4000000002");
    EXPECT_EQ(Cell(record, L::colCtaProveedorPdte), "4009000002");
    // Supplier 12 has no accounts: root 400 (company) and "Raiz_ProveedoresPendRecibir" 4009, length 10.
    EXPECT_EQ(Cell(composed, L::colCtaProveedor), "4000000012");
    EXPECT_EQ(Cell(composed, L::colCtaProveedorPdte), "4009000012");

    demo.acc->Execute("UPDATE Empresas SET LongitudCuenta = 8 WHERE Codigo = 1");
    demo.SetParam("Raiz_ProveedoresPendRecibir", "41");
    w.Cargar_Lineas();
    EXPECT_EQ(Cell(composed, L::colCtaProveedor), "40000012");
    EXPECT_EQ(Cell(composed, L::colCtaProveedorPdte), "41000012");
    EXPECT_EQ(Cell(record, L::colCtaProveedor), "4000000002");
}

TEST(CuentasContables, PadsBetweenRootAndCodeToTheAccountLength) {
    lumbra::CuentasContables c;
    EXPECT_EQ(c.ComponerCuenta("400", 123, 10), "4000000123");
    EXPECT_EQ(c.ComponerCuenta(" 4009 ", 7, 10), "4009000007");
    EXPECT_EQ(c.ComponerCuenta("400", 1234567, 10), "4001234567");
    // Never cuts a digit when root and code do not fit.
    EXPECT_EQ(c.ComponerCuenta("4000", 1234567, 10), "40001234567");
    EXPECT_EQ(c.ComponerCuenta("", 12, 5), "00012");
}

TEST_F(StatementLines, ColoursFollowTheSupplierTolerancesAndTheColourParameters) {
    // Supplier 1: no tolerance.
    long exact = Line(1, "100", "100");
    long shortLinked = Line(1, "100", "90");
    long nothing = Line(1, "100", "0");
    long prompt = Line(1, "100", "0", ", ProntoPago", ", 1");
    long creditor = Line(1, "50", "10", ", Acreedor", ", 1");
    // Supplier 2: 1.00 of tolerance.
    long withinAmount = Line(2, "100", "99");
    long beyondAmount = Line(2, "100", "98.99");
    long smallUnlinked = Line(2, "0.5", "0");
    long bigUnlinked = Line(2, "100", "0");
    // Supplier 3: 2 % of tolerance.
    long at98 = Line(3, "100", "98");
    long at9799 = Line(3, "100", "97.99");
    long credit = Line(3, "-10", "-9.80");
    w.Show();
    EXPECT_EQ(Color(exact), kOk);
    EXPECT_EQ(Color(shortLinked), kDif);
    EXPECT_EQ(Color(nothing), -1);
    EXPECT_EQ(Color(prompt), kOk);
    EXPECT_EQ(Color(creditor), kOk);
    EXPECT_EQ(Color(withinAmount), kOk);
    EXPECT_EQ(Color(beyondAmount), kDif);
    EXPECT_EQ(Color(smallUnlinked), kOk);
    EXPECT_EQ(Color(bigUnlinked), -1);
    EXPECT_EQ(Color(at98), kOk);
    EXPECT_EQ(Color(at9799), kDif);
    EXPECT_EQ(Color(credit), kOk);
    // Columns 1 to 20 only; the tick column keeps the default.
    for (int c = 1; c <= 20; ++c) {
        EXPECT_EQ(Color(exact, c), kOk) << c;
    }
    EXPECT_EQ(Color(exact, L::colSel), -1);
    EXPECT_EQ(Color(exact, L::colEmisor), -1);

    // The colours are the company's parameters, read at every load; a bad one is the default colour.
    demo.SetParam("ColorPagoCentralizadoVinculacionOk", "255");
    demo.SetParam("ColorPagoCentralizadoVinculacionDif", "rojo");
    w.Cargar_Lineas();
    EXPECT_EQ(Color(exact), 255);
    EXPECT_EQ(Color(shortLinked), -1);
}

TEST_F(StatementLines, ButtonsFollowTheCurrentLineAndTheClosedFlag) {
    long normal = Line(1, "10");
    long prompt = Line(1, "20", "0", ", ProntoPago", ", 1");
    long creditor = Line(1, "30", "0", ", Acreedor", ", 1");
    long retention = Line(1, "40");
    long retentionCredit = Line(1, "50");
    long untyped = Line(1, "60");
    auto tipo = [&](long id, int t) {
        demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET TipoPago = " + std::to_string(t) +
                          " WHERE IdExtractoLinea = " + std::to_string(id));
    };
    tipo(retention, 5);       // "RI"
    tipo(retentionCredit, 8); // "XIA"
    tipo(untyped, 0);         // no payment type at all
    w.Show();
    EXPECT_TRUE(w.cmdReclamar.enabled);
    w.vsLineas_RowColChange(RowOf(normal));
    EXPECT_TRUE(w.LineaVinculable());
    EXPECT_TRUE(w.cmdVincular.enabled);
    EXPECT_TRUE(w.cmdAgregar.enabled && w.cmdModificar.enabled && w.cmdEliminar.enabled);
    w.vsLineas_RowColChange(RowOf(prompt));
    EXPECT_FALSE(w.cmdVincular.enabled);
    EXPECT_FALSE(w.cmdReclamar.enabled);
    w.vsLineas_RowColChange(RowOf(creditor));
    EXPECT_FALSE(w.cmdVincular.enabled);
    EXPECT_TRUE(w.cmdReclamar.enabled);
    w.vsLineas_RowColChange(RowOf(retention));
    EXPECT_FALSE(w.cmdVincular.enabled);
    w.vsLineas_RowColChange(RowOf(retentionCredit));
    EXPECT_FALSE(w.cmdVincular.enabled);
    w.vsLineas_RowColChange(RowOf(untyped));
    EXPECT_TRUE(w.cmdVincular.enabled);

    // F9 and double-click on a linkable line reach the linking hook, which changes nothing yet.
    w.vsLineas_RowColChange(RowOf(normal));
    w.Form_KeyDown_F9();
    w.vsLineas_DblClick();
    w.cmdReclamar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();

    frmExtractos_Lineas closed(shell, demo.settings);
    closed.extractoCerrado = true;
    closed.codAlmacen = 1;
    closed.codExtracto = "O'1";
    closed.fechaExtracto = w.fechaExtracto;
    closed.Show();
    EXPECT_FALSE(closed.cmdAgregar.enabled);
    EXPECT_FALSE(closed.cmdModificar.enabled);
    EXPECT_FALSE(closed.cmdEliminar.enabled);
    EXPECT_FALSE(closed.cmdAgregarFactura.enabled);
    EXPECT_TRUE(closed.cmdVincular.enabled); // links of a closed statement can still be looked at
    closed.cmdEliminar_Click();
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'O''1'"), 6);
}

TEST_F(StatementLines, FiltersDatesSupplierAndDocumentsWithQuotedText) {
    Line(1, "10", "0", "", "", -5, "O'Brien-1");
    Line(2, "20", "0", "", "", -6, "X-2");
    Line(2, "30", "0", "", "", -200, "X-3");
    w.Show();
    EXPECT_EQ(w.vsLineas.DataRows(), 2); // the old one is outside the default dates
    w.txtFechaI.text = "01/01/2000";
    w.txtFechaI_Change();
    EXPECT_EQ(demo.settings->LeerValor("FechaILineas"), "01/01/2000");
    w.txtFechaF_Enter();
    EXPECT_EQ(w.vsLineas.DataRows(), 3);
    w.txtProv.code = 2;
    w.txtProv_Change();
    EXPECT_EQ(w.txtProv.descripcion, "Lácteos del Atlántico, S.A.");
    w.txtFechaF_Enter();
    EXPECT_EQ(Column(L::colDocumento), (std::vector<std::string>{"X-3", "X-2"}));
    w.txtProv.code = 0;
    w.txtDocumento.text = "'Brien";
    w.txtFechaF_Enter();
    EXPECT_EQ(Column(L::colDocumento), (std::vector<std::string>{"O'Brien-1"}));
    w.txtDocumento.text = "";
    w.txtDocumentoCentral.text = "FA-X";
    w.txtFechaF_Enter();
    EXPECT_EQ(w.vsLineas.DataRows(), 2);
    w.txtDocumentoCentral.text = "' OR '1'='1";
    w.txtFechaF_Enter();
    EXPECT_EQ(w.vsLineas.DataRows(), 0);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();

    // Enter in the supplier box without a supplier moves on.
    w.txtProv_Enter();
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas.txtDocumento");

    // An empty date stops the reload with the grid empty.
    w.txtDocumentoCentral.text = "";
    w.txtFechaF.text = "";
    w.txtFechaF_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas.txtFechaF");
    EXPECT_EQ(w.vsLineas.DataRows(), 0);
    EXPECT_TRUE(shell.ProgressHidden());
    w.txtFechaF.text = Hoy();
    w.txtFechaI.text = "  /  /    ";
    w.txtFechaF_Enter();
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas.txtFechaI");
}

TEST_F(StatementLines, SavedDatesAreUsedAndTicksComeFromClickSpaceAndTheHeaderBox) {
    demo.settings->GuardarValor("FechaILineas", "01/01/2000");
    demo.settings->GuardarValor("FechaFLineas", "31/12/2099");
    for (int i = 0; i < 4; ++i) {
        Line(1, std::to_string(10 + i), "0", "", "", -300);
    }
    w.Show();
    EXPECT_EQ(w.txtFechaI.text, "01/01/2000");
    ASSERT_EQ(w.vsLineas.DataRows(), 4);
    w.vsLineas_Click(2, 0);
    w.vsLineas_Click(3, 5);
    w.vsLineas.row = 4;
    w.vsLineas_KeySpace();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "1", "0", "1"}));
    w.chkSelelecion_vsLineas.value = true;
    w.chkSelelecion_vsLineas_Click();
    EXPECT_EQ(w.vsLineas.TickedCount(), 4);
    w.Cargar_Lineas();
    EXPECT_EQ(w.vsLineas.TickedCount(), 0);
    EXPECT_FALSE(w.chkSelelecion_vsLineas.value);
}

TEST_F(StatementLines, AmountSearchStepsThroughEveryMatchAndStartsAgain) {
    Line(1, "100", "0", "", "", -9);
    Line(1, "1234.5", "0", "", "", -8);
    Line(2, "100", "0", "", "", -7);
    Line(3, "100", "0", "", "", -6);
    w.Show();
    ASSERT_EQ(Column(L::colImporte), (std::vector<std::string>{"100,00", "1.234,50", "100,00", "100,00"}));
    w.txtImporte.text = "100";
    std::vector<int> hits;
    for (int i = 0; i < 5; ++i) {
        w.txtImporte_Enter();
        hits.push_back(w.vsLineas.row);
    }
    EXPECT_EQ(hits, (std::vector<int>{1, 3, 4, 4, 1})); // no hit after the last: the next starts at the top
    EXPECT_EQ(w.vsLineas.topRow, 1);
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas.txtImporte");
    w.txtImporte.text = "1.234,50";
    w.txtImporte_Enter();
    EXPECT_EQ(w.vsLineas.row, 2);
    EXPECT_EQ(w.vsLineas.topRow, 2);
    w.txtImporte.text = "7";
    w.txtImporte_Enter();
    EXPECT_EQ(w.vsLineas.row, 2);
    EXPECT_EQ(w.FilaBusqueda(), 1);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

TEST_F(StatementLines, DeleteAsksAndRemovesTheLineWithEverythingAttachedInOneTransaction) {
    long keep = Line(1, "10");
    long gone = Line(2, "20", "20");
    std::string id = std::to_string(gone);
    for (const std::string &sql :
         {"INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo) "
          "VALUES (" + id + ", 1, 2026, 1, 1)",
          "INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, Cod_Empresa, Cod_Almacen, Proveedor, "
          "Documento) VALUES (" + id + ", 1, 1, 2, 'F')",
          "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea) VALUES (" + id + ")",
          "INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Importe) VALUES (" + id + ", 1, 20)",
          "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Tipo) VALUES (" + id +
              ", 20, 0)"}) {
        demo.erp->Execute(sql);
    }
    const char *tables[] = {"Compras_PagosCentral_Entradas", "Compras_PagosCentral_Entradas_Facturas",
                            "Compras_PagosCentral_Extractos_Lineas_Reclamacion", "Compras_PagosCentral_PrevPagos",
                            "Compras_PagosCentral_Extractos_Lineas_Impuestos", "Compras_PagosCentral_Extractos_Lineas"};
    std::vector<long> before;
    for (const char *t : tables) {
        before.push_back(demo.Count(t));
    }
    w.Show();
    w.vsLineas_RowColChange(RowOf(gone));
    shell.answers.push_back(host::Answer::No);
    w.cmdEliminar_Click();
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.Last(), "question|¡ Atención !|¿Está seguro que desea eliminar la linea de Extracto y sus facturas "
                            "asociadas?");
    EXPECT_EQ(shell.messages[0].buttons, host::Buttons::YesNo);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " + id), 1);

    // A failure half-way keeps everything.
    db::RunSqliteScript(demo.dir.File("erp.db"),
                        {"CREATE TRIGGER guard BEFORE DELETE ON Compras_PagosCentral_Extractos_Lineas BEGIN SELECT "
                         "RAISE(ABORT, 'línea protegida'); END"});
    shell.answers.push_back(host::Answer::Yes);
    w.cmdEliminar_Click();
    EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas:cmdEliminar_Click");
    EXPECT_NE(shell.messages.back().text.find("línea protegida"), std::string::npos) << shell.messages.back().text;
    for (std::size_t i = 0; i < std::size(tables); ++i) {
        EXPECT_EQ(demo.Count(tables[i]), before[i]) << tables[i];
    }
    EXPECT_FALSE(demo.erp->InTransaction());
    demo.erp->Execute("DROP TRIGGER guard");

    shell.answers.push_back(host::Answer::Yes);
    w.cmdEliminar_Click();
    for (std::size_t i = 0; i < std::size(tables); ++i) {
        EXPECT_EQ(demo.Count(tables[i]), before[i] - 1) << tables[i];
    }
    ASSERT_EQ(w.vsLineas.DataRows(), 1);
    EXPECT_EQ(Cell(keep, L::colImporte), "10,00");

    // Deleting the last line leaves the header only.
    shell.answers.push_back(host::Answer::Yes);
    w.cmdEliminar_Click();
    EXPECT_EQ(w.vsLineas.DataRows(), 0);
    EXPECT_EQ(w.vsLineas.row, 0);
    EXPECT_FALSE(w.cmdVincular.enabled);
    // Nothing to delete now: no question.
    std::size_t n = shell.messages.size();
    w.cmdEliminar_Click();
    EXPECT_EQ(shell.messages.size(), n);
}

TEST_F(StatementLines, EscapeAndVolverClose) {
    w.Show();
    EXPECT_TRUE(w.Loaded());
    w.Form_KeyDown_Escape();
    EXPECT_FALSE(w.Loaded());
    w.Show();
    w.cmdVolver_Click();
    EXPECT_FALSE(w.Loaded());
}

// Statement type 2: lines linked to payment forecasts of the accounting database.
class StatementLinesType2 : public StatementLines {
  protected:
    StatementLinesType2() { demo.SetParam("PagoCentral_TipoExtracto", "2"); }
    void Link(long line, long apunte, const std::string &importe) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(" +
                          std::to_string(line) + ", " + std::to_string(apunte) + ", " + importe + ")");
    }
};

TEST_F(StatementLinesType2, LoadShowsTheType2ColumnsMenuAndEuromadiColour) {
    long relation = Line(3, "10", "0", ", Id_Relacion, Emisor, TipoFactura", ", 7, 1, 2");
    long marked = Line(1, "20", "0", ", NoPago, Emisor, TipoFactura, Obs1", ", 1, 2, 1, 'nota'");
    long moved = Line(2, "30", "0", ", Nueva_FechaVto", ", '" + Dia(40) + "'");
    w.Show();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    for (int c : {L::colProvCentral, L::colCtaProveedor, L::colCtaProveedorPdte, L::colBI, L::colRec, L::colAcre}) {
        EXPECT_TRUE(w.vsLineas.columns[c].hidden) << c;
    }
    for (int c : {L::colEmisor, L::colTipoFactura, L::colNP, L::colNuevaFechaVto}) {
        EXPECT_FALSE(w.vsLineas.columns[c].hidden) << c;
    }
    EXPECT_TRUE(w.cmdAgregarFactura.visible);
    EXPECT_FALSE(w.cmdReclamar.enabled);
    ASSERT_EQ(w.Popup.size(), 2u);
    EXPECT_EQ(w.Popup[0].caption, "No Pago...");
    EXPECT_EQ(w.Popup[1].caption, "Nueva Fecha Vencimiento...");

    // Ordered by supplier name.
    EXPECT_EQ(Column(L::colProveedor), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Cell(relation, L::colEmisor), "Socio");
    EXPECT_EQ(Cell(relation, L::colTipoFactura), "Servicio");
    EXPECT_EQ(Cell(marked, L::colEmisor), "Proveedor");
    EXPECT_EQ(Cell(marked, L::colTipoFactura), "Mercancía");
    EXPECT_EQ(Cell(marked, L::colNP), "X");
    EXPECT_EQ(Cell(marked, L::colObs1), "nota");
    EXPECT_EQ(Cell(moved, L::colNuevaFechaVto), Dia(40));
    EXPECT_EQ(Cell(relation, L::colNuevaFechaVto), "");
    EXPECT_EQ(Cell(relation, L::colIdRelacion), "7");
    EXPECT_EQ(Cell(relation, L::colCtaProveedor), "4000000003");
    EXPECT_EQ(Cell(relation, L::colCtaProveedorPdte), "");
    EXPECT_EQ(Cell(relation, L::colBI), "");
    EXPECT_EQ(Cell(relation, L::colContCompras), "0");

    // The relation's payment type cell wears the Euromadi colour; the rest of the row keeps its own.
    EXPECT_EQ(Color(relation, L::colTipoPago), kEuromadi);
    EXPECT_EQ(Color(relation, L::colImporte), -1);
    EXPECT_EQ(Color(marked, L::colTipoPago), -1);

    // A relation line cannot be changed or deleted; its menu entries are off.
    w.vsLineas_RowColChange(RowOf(relation));
    EXPECT_FALSE(w.cmdEliminar.enabled);
    EXPECT_FALSE(w.cmdModificar.enabled);
    EXPECT_TRUE(w.cmdVincular.enabled);
    ASSERT_TRUE(w.vsLineas_MouseDownRight());
    EXPECT_FALSE(w.Popup[0].enabled || w.Popup[1].enabled);
    w.cmdEliminar_Click();
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " + std::to_string(relation)), 1);
    w.vsLineas_RowColChange(RowOf(moved));
    EXPECT_TRUE(w.cmdEliminar.enabled);
    EXPECT_FALSE(w.cmdVincular.enabled); // a new due date
    ASSERT_TRUE(w.vsLineas_MouseDownRight());
    EXPECT_TRUE(w.Popup[0].enabled && w.Popup[1].enabled);
    w.CommandBars_Execute(L::menuNoPago);
    w.vsLineas_RowColChange(RowOf(marked));
    EXPECT_FALSE(w.cmdVincular.enabled); // not to be paid
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

TEST_F(StatementLinesType2, LoadDropsLinksToVanishedForecastsOfThisStatementOnly) {
    long a = Line(1, "100", "150");
    long b = Line(2, "40", "40");
    Link(a, 1, "60");
    Link(a, 99999, "90"); // no such forecast
    Link(b, 2, "40");
    long other = std::stol(demo.One("SELECT MIN(IdExtractoLinea) FROM Compras_PagosCentral_Extractos_Lineas"));
    Link(other, 88888, "5"); // another statement's link is not this load's business
    w.Show();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdPrevPago = 99999"), 0);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdPrevPago = 88888"), 1);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + std::to_string(a)), 1);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + std::to_string(b)), 1);
    EXPECT_FALSE(demo.erp->InTransaction());

    // Nothing deleted: the linked amounts stay as stored, even when they disagree with the links.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 1 WHERE IdExtractoLinea = " +
                      std::to_string(b));
    w.Cargar_Lineas();
    EXPECT_EQ(Cell(b, L::colVinculado), "1,00");
}

// The recomputation passes the bare column "IdExtractoLinea" to the function: it must be each line's own.
TEST_F(StatementLinesType2, LoadRecomputesTheLinkedAmountsAfterTheCleanup) {
    long a = Line(1, "100", "150");
    long b = Line(2, "40", "40");
    Link(a, 1, "60");
    Link(a, 99999, "90");
    Link(b, 2, "40");
    w.Show();
    EXPECT_EQ(demo.One("SELECT ImporteVinculado FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                       std::to_string(a)),
              "60");
    EXPECT_EQ(Cell(a, L::colVinculado), "60,00");
    EXPECT_EQ(Cell(a, L::colDiferencia), "40,00");
    EXPECT_EQ(Color(a), kDif);
    EXPECT_EQ(Cell(b, L::colVinculado), "40,00");
    EXPECT_EQ(Color(b), kOk);
}

TEST_F(StatementLinesType2, AClosedStatementKeepsItsLinksAndAFailedCleanupIsRolledBack) {
    long a = Line(1, "100", "100");
    Link(a, 99999, "100");
    w.extractoCerrado = true;
    w.Show();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdPrevPago = 99999"), 1);
    EXPECT_EQ(Cell(a, L::colVinculado), "100,00");

    w.extractoCerrado = false;
    db::RunSqliteScript(demo.dir.File("erp.db"),
                        {"CREATE TRIGGER guard BEFORE UPDATE ON Compras_PagosCentral_Extractos_Lineas BEGIN SELECT "
                         "RAISE(ABORT, 'sin permiso'); END"});
    w.Cargar_Lineas();
    EXPECT_EQ(shell.messages.back().title, "frmExtractos_Lineas:Cargar_Lineas");
    EXPECT_TRUE(shell.ProgressHidden());
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdPrevPago = 99999"), 1);
    EXPECT_FALSE(demo.erp->InTransaction());
    EXPECT_EQ(w.vsLineas.DataRows(), 0);
}

TEST_F(StatementLines, AnUnconfiguredModeLeavesTheGridEmptyAndReportsIt) {
    Line(1, "10");
    demo.SetParam("PagoCentral_TipoExtracto", "0");
    w.Show();
    EXPECT_EQ(w.vsLineas.DataRows(), 0);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].title, "frmExtractos_Lineas:Cargar_Lineas");
    EXPECT_EQ(shell.messages[0].icon, host::Icon::Critical);
    EXPECT_TRUE(shell.ProgressHidden());
}

TEST_F(StatementLines, ADemoStatementLoadsWithItsLinksAndTaxes) {
    std::string code = demo.One("SELECT Cod_Extracto FROM Compras_PagosCentral_Extractos WHERE Cod_Almacen = 2 AND "
                                "Cerrado = 0 ORDER BY FechaExtracto DESC");
    frmExtractos_Lineas d(shell, demo.settings);
    d.codAlmacen = 2;
    d.codExtracto = code;
    d.fechaExtracto = suite::Fecha::Hoy().SumarDias(-15);
    d.Show();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(d.vsLineas.DataRows(),
              demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Almacen = 2 AND Cod_Extracto = '" + code + "'"));
    int bi = 0, colored = 0;
    for (int r = 1; r <= d.vsLineas.DataRows(); ++r) {
        bi += d.vsLineas.Text(r, L::colBI) == "X";
        colored += d.vsLineas.CellBackColor(r, L::colImporte) != -1;
    }
    EXPECT_EQ(bi, d.vsLineas.DataRows()); // the demo's taxes add up to every amount
    EXPECT_GT(colored, 0);
}

// The batch command prints what the window shows. It runs the real program, so it waits until the
// program's dispatch knows the command.
class LinesCommand : public ::testing::Test {
  protected:
    using Result = fixtures::Result;
    Result Run(const std::string &args) {
        return fixtures::RunProgram(args + " --data " + fixtures::Q(dir.File("demo")), dir);
    }
    static std::vector<std::vector<std::string>> Table(const std::string &out) { return fixtures::Table(out); }
    TempDir dir;
};

TEST_F(LinesCommand, PrintsTheVisibleColumnsAndEachRowsColour) {
    ASSERT_EQ(Run("init --demo").code, 0);
    Result q = Run("sql 'SELECT Cod_Extracto FROM Compras_PagosCentral_Extractos WHERE Cod_Almacen = 1 AND Cerrado = 0 "
                   "ORDER BY FechaExtracto DESC'");
    ASSERT_EQ(q.code, 0) << q.err;
    std::string code = Table(q.out).at(1).at(0);
    Result r = Run("lines 1 " + code);
    ASSERT_EQ(r.code, 0) << r.err;
    auto t = Table(r.out);
    ASSERT_GT(t.size(), 2u);
    EXPECT_EQ(t[0].size(), 21u); // the id, the 18 visible columns of type 1 and both colours
    EXPECT_EQ(t[0][0], "IdExtractoLinea");
    EXPECT_EQ(t[0][2], "Prov.Cen.");
    EXPECT_EQ(t[0][19], "Color");
    int ok = 0, plain = 0;
    for (std::size_t i = 1; i < t.size(); ++i) {
        ASSERT_EQ(t[i].size(), t[0].size()) << i;
        ok += t[i][19] == std::to_string(kOk);
        plain += t[i][19].empty();
        EXPECT_EQ(t[i].back(), t[i][19]) << i; // type 1 gives "Tipo Pago" no colour of its own
    }
    EXPECT_GT(ok, 0);
    EXPECT_GT(plain, 0);

    Result f = Run("lines 1 " + code + " --supplier 2 --from 01/01/2000 --to 31/12/2099");
    ASSERT_EQ(f.code, 0) << f.err;
    auto filtered = Table(f.out);
    ASSERT_GT(filtered.size(), 1u);
    for (std::size_t i = 1; i < filtered.size(); ++i) {
        EXPECT_EQ(filtered[i][5], "2");
    }
    Result missing = Run("lines 1 no-existe");
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("No existe el extracto no-existe del almacén 1"), std::string::npos) << missing.err;
}

} // namespace
