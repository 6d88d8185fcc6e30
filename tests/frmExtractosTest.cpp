#include "fixtures/DemoDb.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "statements/frmExtractos.h"
#include "statements/frmExtractos_ConfirmarEliminar.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using statements::frmExtractos;

// The demo's statements are dated relative to this day; the grid's default window is 90 days.
const char *kToday = "";

std::string Hoy() { return suite::Fecha::Hoy().Formato("dd/mm/yyyy"); }

// The demo's ready statement of a mode, coded by the year of its date.
std::string Ready(int mode) {
    return "M" + std::to_string(mode) + "-" + std::to_string(suite::Fecha::Hoy().SumarDias(-5).Anio());
}

class StatementList : public ::testing::Test {
  protected:
    StatementList() : demo(true, kToday), w(shell, demo.settings) {}

    std::vector<std::string> Column(int col) const {
        std::vector<std::string> out;
        for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
            out.push_back(w.vsExtractos.Text(r, col));
        }
        return out;
    }
    int RowOf(const std::string &code) const {
        for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
            if (w.vsExtractos.Text(r, frmExtractos::colExtracto) == code) {
                return r;
            }
        }
        return 0;
    }
    void ConfirmWith(const std::string &date) {
        shell.handlers["frmExtractos_ConfirmarEliminar"] = [date](host::Window &win) {
            auto &c = static_cast<statements::frmExtractos_ConfirmarEliminar &>(win);
            c.txtFecha.text = date;
            c.cmdAceptar_Click();
        };
    }
    long LinesOf(const std::string &code) const {
        return demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '" + code + "'");
    }

    DemoDb demo;
    host::ScriptedShell shell;
    frmExtractos w;
};

TEST_F(StatementList, LoadShowsOpenStatementsOfTheLast90DaysWithFormattedAmounts) {
    w.Show();
    EXPECT_EQ(w.txtFechaI.text, suite::Fecha::Hoy().SumarDias(-90).Formato("dd/mm/yyyy"));
    EXPECT_EQ(w.txtFechaF.text, Hoy());
    EXPECT_EQ(demo.settings->LeerValor("FechaIExtracto"), w.txtFechaI.text);
    EXPECT_EQ(demo.settings->LeerValor("FechaFExtracto"), Hoy());
    EXPECT_EQ(w.cboEstado.Text(), "ABIERTO");
    EXPECT_FALSE(w.cmdCasacionAut.visible); // mode 1
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    ASSERT_EQ(w.vsExtractos.DataRows(), 10);
    // Warehouse ascending, then the latest due date first (the ready statements fall due last).
    EXPECT_EQ(Column(frmExtractos::colAlmacen),
              (std::vector<std::string>{"1", "1", "2", "2", "2", "2", "3", "3", "3", "3"}));
    EXPECT_EQ(Column(frmExtractos::colExtracto)[2], Ready(1));
    EXPECT_EQ(Column(frmExtractos::colExtracto)[6], Ready(2));
    EXPECT_EQ(Column(frmExtractos::colExtracto)[0], "101032026");
    EXPECT_EQ(Column(frmExtractos::colExtracto)[1], "101022026");
    EXPECT_EQ(w.vsExtractos.Text(1, frmExtractos::colNombreAlmacen), "Supermercado Telde");
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(w.vsExtractos.Text(r, 0), "0");
        EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colEstado), "ABIERTO");
    }
    // The amounts are the database functions' values rounded to the company's two decimals.
    std::string total = demo.One("SELECT SUM(Importe) FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = "
                                 "'101032026'");
    auto importe = suite::Formato::Instancia().Redondear(std::stod(total), 2);
    EXPECT_EQ(w.vsExtractos.Text(1, frmExtractos::colImporte), importe);
    EXPECT_EQ(w.vsExtractos.Text(1, frmExtractos::colFecha),
              suite::Fecha::Hoy().SumarDias(-15).Formato("dd/mm/yyyy"));
    EXPECT_EQ(w.vsExtractos.row, 1);
    EXPECT_EQ(shell.progress, (std::vector<std::string>{"Cargando extractos, espere por favor...", ""}));
}

TEST_F(StatementList, StateListSavedDatesAndFiltersSelectTheRows) {
    demo.settings->GuardarValor("FechaIExtracto", "01/01/2000");
    demo.settings->GuardarValor("FechaFExtracto", "31/12/2099");
    w.Show();
    EXPECT_EQ(w.txtFechaI.text, "01/01/2000");
    EXPECT_EQ(w.vsExtractos.DataRows(), 10);
    w.cboEstado.SelectData(3);
    w.cboEstado_Click();
    EXPECT_EQ(w.vsExtractos.DataRows(), 11);
    w.cboEstado.SelectData(2);
    w.cboEstado_Click();
    ASSERT_EQ(w.vsExtractos.DataRows(), 1);
    EXPECT_EQ(w.vsExtractos.Text(1, frmExtractos::colEstado), "CERRADO");
    EXPECT_FALSE(w.cmdEliminar.enabled);
    EXPECT_FALSE(w.cmdGenerarAsiento.enabled);
    EXPECT_FALSE(w.cmdCasacionAut.enabled);
    // The closed statement is fully linked: no difference.
    EXPECT_EQ(w.vsExtractos.Text(1, frmExtractos::colImporte).empty(), false);

    w.cboEstado.SelectData(3);
    w.txtAlmacen.code = 2;
    w.txtFechaF_Enter();
    EXPECT_EQ(Column(frmExtractos::colAlmacen), (std::vector<std::string>{"2", "2", "2", "2"}));
    EXPECT_TRUE(w.cmdEliminar.enabled);
    w.txtNumExtracto.text = "0220";
    w.txtFechaF_Enter();
    EXPECT_EQ(Column(frmExtractos::colExtracto), (std::vector<std::string>{"102022026"}));
    // Typed text is only ever a value inside the query.
    w.txtNumExtracto.text = "x' OR '1'='1";
    w.txtFechaF_Enter();
    EXPECT_EQ(w.vsExtractos.DataRows(), 0);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();

    // Editing a date box stores it at once.
    w.txtFechaI.text = "02/03/2001";
    w.txtFechaI_Change();
    EXPECT_EQ(demo.settings->LeerValor("FechaIExtracto"), "02/03/2001");
}

TEST_F(StatementList, EmptyDateRefusesTheReloadAndPutsTheFocusInTheBox) {
    w.Show();
    w.txtFechaI.text = "";
    w.txtFechaF_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos.txtFechaI");
    EXPECT_EQ(w.vsExtractos.DataRows(), 0);
    EXPECT_TRUE(shell.ProgressHidden());
    w.txtFechaI.text = "01/01/2000";
    w.txtFechaF.text = "  /  /    ";
    w.txtFechaF_Enter();
    EXPECT_EQ(shell.focus.back(), "frmExtractos.txtFechaF");
}

TEST_F(StatementList, ModeDecidesTheAmountsAndTheMatchingButton) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) SELECT "
                      "TOP 1 IdExtractoLinea, 999, 12.34 FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                      "Cod_Extracto = '103032026'");
    w.Show();
    EXPECT_TRUE(w.cmdCasacionAut.visible);
    int r = RowOf("103032026");
    ASSERT_GT(r, 0);
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colAcumulado), "12,34");
    EXPECT_EQ(w.vsExtractos.Text(RowOf("103022026"), frmExtractos::colAcumulado), "0,00");

    // Not configured: the list stays empty and the reload reports why, with its tag.
    demo.SetParam("PagoCentral_TipoExtracto", "0");
    shell.ClearLog();
    w.cboEstado_Click();
    EXPECT_EQ(w.vsExtractos.DataRows(), 0);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].icon, host::Icon::Critical);
    EXPECT_EQ(shell.messages[0].title, "frmExtractos:Cargar_Extractos");
    EXPECT_TRUE(shell.ProgressHidden());
    EXPECT_TRUE(w.cmdCasacionAut.visible); // left as it was
}

TEST_F(StatementList, TicksByClickSpaceAndHeaderBoxAreClearedByAReload) {
    w.Show();
    w.vsExtractos_Click(2, 0);
    w.vsExtractos_Click(3, 4); // not the tick column
    w.vsExtractos.row = 5;
    w.vsExtractos_KeySpace();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "1", "0", "0", "1", "0", "0", "0", "0", "0"}));
    w.vsExtractos_Click(2, 0);
    EXPECT_EQ(w.vsExtractos.TickedCount(), 1);
    w.chkSelelecion_vsExtractos.value = true;
    w.chkSelelecion_vsExtractos_Click();
    EXPECT_EQ(w.vsExtractos.TickedCount(), 10);
    w.cboEstado_Click();
    EXPECT_EQ(w.vsExtractos.TickedCount(), 0);
    EXPECT_FALSE(w.chkSelelecion_vsExtractos.value);
}

TEST_F(StatementList, DeleteRefusesWithoutTicksOrWithAClosedOne) {
    w.cboEstado.SelectData(3);
    w.Show();
    w.cboEstado.SelectData(3);
    w.cboEstado_Click();
    w.cmdEliminar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos un Extracto a eliminar.");
    w.vsExtractos.SetTicked(RowOf("101012026"), true);
    w.vsExtractos.SetTicked(RowOf("101022026"), true);
    w.cmdEliminar_Click();
    EXPECT_EQ(shell.Last(),
              "warning|¡ Atención !|Existe algún Extracto señalado que está cerrado. Demárquelo para continuar.");
    EXPECT_TRUE(shell.modals.empty());
    EXPECT_GT(LinesOf("101022026"), 0);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos"), 11);
}

TEST_F(StatementList, ConfirmedDeleteRemovesTheStatementsWithEverythingHangingOnThem) {
    w.Show();
    const std::string a = "102022026", b = "103012026";
    long linksBefore = demo.Count("Compras_PagosCentral_Entradas") + demo.Count("Compras_PagosCentral_Entradas_Facturas");
    long linesA = LinesOf(a), linesB = LinesOf(b);
    ASSERT_GT(linesA, 0);
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Observaciones) "
                      "SELECT TOP 1 IdExtractoLinea, 'reclamada' FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                      "Cod_Extracto = '" + a + "'");
    long taxesOfOthers = demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos i WHERE NOT EXISTS (SELECT 1 "
                                    "FROM Compras_PagosCentral_Extractos_Lineas l WHERE l.IdExtractoLinea = "
                                    "i.IdExtractoLinea AND l.Cod_Extracto IN ('" + a + "', '" + b + "'))");
    w.vsExtractos.SetTicked(RowOf(a), true);
    w.vsExtractos.SetTicked(RowOf(b), true);
    w.vsExtractos.row = 6;

    // Cancelled or refused confirmation: nothing happens.
    w.cmdEliminar_Click();
    EXPECT_EQ(shell.modals, (std::vector<std::string>{"frmExtractos_ConfirmarEliminar"}));
    EXPECT_EQ(LinesOf(a), linesA);
    ConfirmWith("01/01/2001");
    w.cmdEliminar_Click();
    EXPECT_EQ(shell.Last(), "critical|¡ Atención !|Debe introducir la fecha actual en el formato DD/MM/AAAA");
    EXPECT_EQ(LinesOf(a), linesA);

    ConfirmWith(Hoy());
    shell.ClearLog();
    w.cmdEliminar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(LinesOf(a) + LinesOf(b), 0);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos WHERE Cod_Extracto IN ('" + a + "', '" + b + "')"), 0);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Reclamacion"), 0);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos"), taxesOfOthers);
    long linksAfter = demo.Count("Compras_PagosCentral_Entradas") + demo.Count("Compras_PagosCentral_Entradas_Facturas");
    EXPECT_LT(linksAfter, linksBefore);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas e WHERE NOT EXISTS (SELECT 1 FROM "
                         "Compras_PagosCentral_Extractos_Lineas l WHERE l.IdExtractoLinea = e.IdExtractoLinea)"),
              0);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos"), 9);
    EXPECT_EQ(w.vsExtractos.DataRows(), 8);
    EXPECT_EQ(w.vsExtractos.row, 6); // the saved row, still within the list
    (void)linesB;
}

TEST_F(StatementList, ADeleteThatFailsHalfwayKeepsEveryStatement) {
    w.Show();
    db::RunSqliteScript(demo.dir.File("erp.db"),
                        {"CREATE TRIGGER guard BEFORE DELETE ON Compras_PagosCentral_Extractos WHEN old.Cod_Extracto = "
                         "'103022026' BEGIN SELECT RAISE(ABORT, 'extracto protegido'); END"});
    long lines = demo.Count("Compras_PagosCentral_Extractos_Lineas");
    long taxes = demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos");
    long links = demo.Count("Compras_PagosCentral_Entradas_Facturas");
    w.vsExtractos.SetTicked(RowOf("102032026"), true);
    w.vsExtractos.SetTicked(RowOf("103022026"), true);
    ConfirmWith(Hoy());
    w.cmdEliminar_Click();
    ASSERT_FALSE(shell.messages.empty());
    EXPECT_EQ(shell.messages.back().title, "frmExtractos:cmdEliminar_Click");
    EXPECT_NE(shell.messages.back().text.find("extracto protegido"), std::string::npos);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos"), 11);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas"), lines);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos"), taxes);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas_Facturas"), links);
    EXPECT_FALSE(demo.erp->InTransaction());
}

TEST_F(StatementList, ConfirmationWantsTodaysDate) {
    statements::frmExtractos_ConfirmarEliminar c(shell);
    c.Show();
    c.cmdAceptar_Click();
    EXPECT_EQ(shell.Last(), "critical|¡ Atención !|Debe especificar la fecha actual");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_ConfirmarEliminar.txtFecha");
    EXPECT_TRUE(c.Loaded());
    c.txtFecha.text = suite::Fecha::Hoy().SumarDias(1).Formato("dd/mm/yyyy");
    c.cmdAceptar_Click();
    EXPECT_EQ(shell.Last(), "critical|¡ Atención !|Debe introducir la fecha actual en el formato DD/MM/AAAA");
    c.txtFecha.text = "31/02/2026";
    c.cmdAceptar_Click();
    EXPECT_EQ(shell.messages.size(), 3u);
    EXPECT_FALSE(c.confirmado);
    c.txtFecha.text = Hoy();
    c.cmdAceptar_Click();
    EXPECT_TRUE(c.confirmado);
    EXPECT_FALSE(c.Loaded());
    c.Show();
    EXPECT_FALSE(c.confirmado);
    c.Form_KeyDown_Escape();
    EXPECT_FALSE(c.confirmado);
    EXPECT_FALSE(c.Loaded());
}

TEST_F(StatementList, PagosOpensTheStatementAndComesBackToTheSameRow) {
    demo.settings->GuardarValor("FechaIExtracto", "01/01/2000");
    demo.settings->GuardarValor("FechaFExtracto", "31/12/2099");
    w.Show();
    w.cboEstado.SelectData(3);
    w.cboEstado_Click();
    int r = RowOf("101012026");
    w.vsExtractos_RowColChange(r);
    w.vsExtractos.topRow = 2;
    lines::frmExtractos_Lineas *seen = nullptr;
    bool cerrado = false;
    int almacen = 0;
    std::string codigo, fecha, vto;
    shell.handlers["frmExtractos_Lineas"] = [&](host::Window &win) {
        auto &l = static_cast<lines::frmExtractos_Lineas &>(win);
        seen = &l;
        cerrado = l.extractoCerrado;
        almacen = l.codAlmacen;
        codigo = l.codExtracto;
        fecha = l.fechaExtracto.Formato("dd/mm/yyyy");
        vto = l.fechaVto.Formato("dd/mm/yyyy");
    };
    w.vsExtractos_DblClick();
    ASSERT_NE(seen, nullptr);
    EXPECT_TRUE(cerrado);
    EXPECT_EQ(almacen, 1);
    EXPECT_EQ(codigo, "101012026");
    EXPECT_EQ(fecha, w.vsExtractos.Text(r, frmExtractos::colFecha));
    EXPECT_EQ(vto, w.vsExtractos.Text(r, frmExtractos::colFechaVto));
    EXPECT_EQ(w.vsExtractos.row, r);
    EXPECT_EQ(w.vsExtractos.topRow, 2);

    // The statement vanished while it was open: back to the first row.
    w.vsExtractos_RowColChange(RowOf("103022026"));
    shell.handlers["frmExtractos_Lineas"] = [&](host::Window &) {
        demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos WHERE Cod_Almacen = 3");
    };
    w.cmdPagos_Click();
    EXPECT_EQ(w.vsExtractos.DataRows(), 7);
    EXPECT_EQ(w.vsExtractos.row, 1);
}

} // namespace
