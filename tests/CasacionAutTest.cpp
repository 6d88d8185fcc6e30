#include "fixtures/Program.h"
#include "fixtures/Vinculos.h"
#include "lines/frmPedirProveedor.h"
#include "statements/frmExtractos.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace {

using statements::frmExtractos;

const char *kCuenta = "4000000901";
const char *kInstruccion = "<TextBlock Foreground='Blue'>Casación Automática realizada correctamente.</TextBlock>";
const char *kDuplicadas = "<TextBlock TextWrapping='Wrap' FontWeight='Bold' Foreground='Red'>Se han detectado facturas "
                          "duplicadas. Por seguridad, estas no han sido casadas.</TextBlock>";
const char *kSinDuplicadas =
    "<TextBlock TextWrapping='Wrap' FontWeight='Bold'>No se han detectado facturas duplicadas.</TextBlock>";

class Matching : public ::testing::Test, public VinculosFixture {
  protected:
    Matching() : w(shell, demo.settings) {
        demo.SetParam("PagoCentral_TipoExtracto", "2");
        shell.handlers["frmPedirProveedor"] = [this](host::Window &win) {
            auto &p = static_cast<lines::frmPedirProveedor &>(win);
            if (cancelar) {
                p.Form_KeyDown_Escape();
                return;
            }
            p.txtProv.code = proveedor;
            p.txtProv_Change();
            p.cmdAceptar_Click();
        };
    }
    // Runs the list's button on statement `code`.
    void Run(const std::string &code = "T'1") {
        if (!w.Loaded()) {
            w.Show();
        }
        w.cboEstado.SelectData(3);
        w.txtNumExtracto.text = code;
        w.Cargar_Extractos();
        int fila = 0;
        for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
            if (w.vsExtractos.Text(r, frmExtractos::colExtracto) == code) {
                fila = r;
            }
        }
        ASSERT_NE(fila, 0) << code;
        w.vsExtractos_RowColChange(fila);
        ASSERT_TRUE(w.cmdCasacionAut.visible);
        shell.ClearLog();
        w.cmdCasacionAut_Click();
    }

    long proveedor = 0;
    bool cancelar = false;
    frmExtractos w;
};

// A line marked not to be paid or moved to a new due date is kept out of linking, by hand and here.
TEST_F(Matching, LeavesOutLinesMarkedNoPagoOrGivenANewDueDate) {
    long noPago = Line(901, "100", "FAC-0001", -5, "T'1", ", NoPago, Obs1", ", 1, 'no'");
    long nuevoVto = Line(901, "200", "FAC-0002", -5, "T'1", ", Nueva_FechaVto, Obs1", ", '" + Dia(40) + "', 'luego'");
    long normal = Line(901, "300", "FAC-0003");
    Forecast(kCuenta, "FAC-0001", "100", 1);
    Forecast(kCuenta, "FAC-0002", "200", 1);
    long f3 = Forecast(kCuenta, "FAC-0003", "300", 1);
    Run();
    ASSERT_EQ(shell.taskDialogs.size(), 1u) << shell.Last();
    EXPECT_EQ(Links(noPago), "");
    EXPECT_EQ(Links(nuevoVto), "");
    EXPECT_EQ(Links(normal), std::to_string(f3));
    EXPECT_EQ(Linked(noPago), "0");
    EXPECT_EQ(Linked(nuevoVto), "0");
    EXPECT_EQ(Linked(normal), "300");
}

TEST_F(Matching, LinksEveryFittingPairAndReportsNoDuplicates) {
    long byEnd = Line(901, "100", "FAC-0001");       // last four characters
    long inside = Line(901, "55.5", "XX/F-77/2026"); // forecast document inside the line's
    long two = Line(902, "70", "AB-9999");           // fits two forecasts
    long none = Line(901, "12", "NADA");
    long f1 = Forecast(kCuenta, "OTRA-0001", "100", 1);
    long f2 = Forecast(kCuenta, "F-77", "55.5", 13); // due on the statement's due date
    long f3 = Forecast("4000000902", "Z9999", "70", -5);
    long f4 = Forecast("4000000903", "9999", "70", 0); // another supplier's account: still linked
    long late = Forecast(kCuenta, "NADA", "12", 14);   // due after the statement
    long settled = Forecast(kCuenta, "NADA", "12", 1, 1);
    long wrongAmount = Forecast(kCuenta, "FAC-0001", "100.01", 1);
    Run();
    ASSERT_EQ(shell.taskDialogs.size(), 1u) << shell.Last();
    const auto &d = shell.taskDialogs[0];
    EXPECT_EQ(d.title, "¡ Atención !");
    EXPECT_EQ(d.buttons, (std::vector<std::string>{"Aceptar"}));
    EXPECT_EQ(d.instruction, kInstruccion);
    EXPECT_EQ(d.content, kSinDuplicadas);
    EXPECT_EQ(d.icon, host::Icon::Information);
    EXPECT_EQ(shell.modals, (std::vector<std::string>{"frmPedirProveedor"}));

    EXPECT_EQ(Links(byEnd), std::to_string(f1));
    EXPECT_EQ(Links(inside), std::to_string(f2));
    EXPECT_EQ(Links(two), std::to_string(f3) + "," + std::to_string(f4));
    EXPECT_EQ(Links(none), "");
    EXPECT_EQ(Linked(byEnd), "100");
    EXPECT_EQ(Linked(two), "140");
    EXPECT_EQ(Linked(none), "0");
    for (long f : {late, settled, wrongAmount}) {
        EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdPrevPago = " + std::to_string(f)), 0) << f;
    }
    EXPECT_EQ(demo.One("SELECT Contabilizado FROM Compras_PagosCentral_PrevPagos WHERE IdPrevPago = " +
                       std::to_string(f1)),
              "0");
    EXPECT_EQ(demo.One("SELECT Importe FROM Compras_PagosCentral_PrevPagos WHERE IdPrevPago = " + std::to_string(f2)),
              "55.5");
    // The list shows the new linked total.
    int r = w.vsExtractos.row;
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colExtracto), "T'1");
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colAcumulado), "295,50");

    // A second run adds nothing.
    long links = demo.Count("Compras_PagosCentral_PrevPagos");
    Run();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos"), links);
    EXPECT_EQ(Linked(two), "140");
}

TEST_F(Matching, AForecastThatFitsTwoLinesIsLinkedToBothButNotToALaterStatement) {
    long a = Line(901, "80", "K-1234", -5);
    long b = Line(902, "80", "K-1234", -4);
    long f = Forecast(kCuenta, "1234", "80", 1);
    Run();
    EXPECT_EQ(Links(a), std::to_string(f));
    EXPECT_EQ(Links(b), std::to_string(f));
    EXPECT_EQ(shell.taskDialogs.at(0).content, kSinDuplicadas);

    // Now that it is linked, another statement never gets it.
    Statement("T'2", -1, 13, false);
    long c = Line(901, "80", "K-1234", -3, "T'2");
    Run("T'2");
    EXPECT_EQ(Links(c), "");
}

TEST_F(Matching, SuspectedDuplicatesAreLeftOutWithTheRedWarning) {
    long d1 = Line(901, "40", "A-5678", -5);
    long d2 = Line(901, "40", "B-5678  ", -5); // same supplier, date and last four
    long sameEndOtherDay = Line(901, "40", "C-5678", -6);
    long ok = Line(902, "30", "OK-1111");
    Forecast(kCuenta, "A-5678", "40", 1);
    Forecast(kCuenta, "B-5678", "40", 1);
    long f = Forecast(kCuenta, "C-5678", "40", 1);
    long fok = Forecast("4000000902", "1111", "30", 1);
    Run();
    ASSERT_EQ(shell.taskDialogs.size(), 1u);
    EXPECT_EQ(shell.taskDialogs[0].content, kDuplicadas);
    EXPECT_EQ(shell.taskDialogs[0].icon, host::Icon::Warning);
    EXPECT_EQ(Links(d1), "");
    EXPECT_EQ(Links(d2), "");
    // The line of the other day ends in the same four characters as every forecast.
    EXPECT_NE(Links(sameEndOtherDay).find(std::to_string(f)), std::string::npos);
    EXPECT_EQ(Links(ok), std::to_string(fok));
}

// Letter case never matters, as on SQL Server: two lines that differ only in case are the same
// invoice, and a forecast's document in capitals matches a line's in small letters.
TEST_F(Matching, LetterCaseNeitherHidesDuplicatesNorMissesAMatch) {
    long d1 = Line(901, "40", "F-001a", -5);
    long d2 = Line(901, "40", "G-001A", -5);
    long lower = Line(902, "25", "xx-101b");
    long inside = Line(902, "26", "pedido/ab-12/x");
    Forecast(kCuenta, "F-001A", "40", 1);
    long f = Forecast("4000000902", "YY-101B", "25", 1);
    long g = Forecast("4000000902", "AB-12", "26", 1);
    Run();
    ASSERT_EQ(shell.taskDialogs.size(), 1u) << shell.Last();
    EXPECT_EQ(shell.taskDialogs[0].content, kDuplicadas);
    EXPECT_EQ(Links(d1), "");
    EXPECT_EQ(Links(d2), "");
    EXPECT_EQ(Links(lower), std::to_string(f));
    EXPECT_EQ(Links(inside), std::to_string(g));
    EXPECT_EQ(Linked(lower), "25");
}

TEST_F(Matching, SupplierPromptFiltersOrCancelsAndStaleAmountsAreCleared) {
    long a = Line(901, "10", "S-0001");
    long b = Line(902, "20", "S-0002");
    long stale = Line(902, "5", "S-0003");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 5 WHERE IdExtractoLinea = " +
                      std::to_string(stale));
    long fa = Forecast(kCuenta, "0001", "10", 1);
    long fb = Forecast("4000000902", "0002", "20", 1);
    const long before = demo.Count("Compras_PagosCentral_PrevPagos"); // the demo's own links

    cancelar = true;
    Run();
    EXPECT_TRUE(shell.taskDialogs.empty());
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos"), before);
    EXPECT_EQ(Linked(stale), "5");

    cancelar = false;
    proveedor = 902;
    Run();
    EXPECT_EQ(Links(a), "");
    EXPECT_EQ(Links(b), std::to_string(fb));
    EXPECT_EQ(Linked(stale), "0");

    proveedor = 0; // blank supplier: every line
    Run();
    EXPECT_EQ(Links(a), std::to_string(fa));
}

TEST_F(Matching, UnknownSupplierIsRefusedInThePromptAndFailuresAreReported) {
    Line(901, "10", "S-0001");
    Forecast(kCuenta, "0001", "10", 1);
    const long before = demo.Count("Compras_PagosCentral_PrevPagos"); // the demo's own links
    proveedor = 123456;
    Run();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|El proveedor 123456 no existe.");
    EXPECT_TRUE(shell.taskDialogs.empty());
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos"), before);

    proveedor = 0;
    host::Contexto::Global().empresaLumbra->EstablecerParametro("ODBCBaseDatos", suite::Valor("Nadie"));
    Run();
    ASSERT_FALSE(shell.messages.empty());
    EXPECT_EQ(shell.messages.back().title, "frmExtractos:cmdCasacionAut_Click");
    EXPECT_EQ(shell.messages.back().icon, host::Icon::Critical);
    // The working table went with the failure: the next run works.
    host::Contexto::Global().empresaLumbra->EstablecerParametro("ODBCBaseDatos", suite::Valor("Contabilidad"));
    Run();
    EXPECT_EQ(shell.taskDialogs.size(), 1u) << shell.Last();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos"), before + 1);
}

// Two users run the matching on two statements of the same databases at the same moment.
TEST(MatchingCommand, TwoProcessesMatchingAtOnceBothFinish) {
    TempDir dir;
    std::string data = dir.File("datos");
    ASSERT_EQ(fixtures::RunProgram("init --demo --data " + fixtures::Q(data), dir).code, 0);
    ASSERT_EQ(fixtures::RunProgram("param --data " + fixtures::Q(data) + " PagoCentral_TipoExtracto 2", dir).code, 0);
    auto sql = [&](const std::string &s, bool accounting = false) {
        auto r = fixtures::RunProgram("sql --data " + fixtures::Q(data) + (accounting ? " --accounting " : " ") +
                                          fixtures::Q(s),
                                      dir);
        ASSERT_EQ(r.code, 0) << s << r.err;
    };
    // Two statements of 400 lines each, every line with its own forecast.
    std::string lines = "INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                        "Cod_Proveedor, Documento, DocumentoCentral, Fecha, Importe, ImporteVinculado, TipoPago) ";
    std::string forecasts = "INSERT INTO Previsiones_Pago (Cod_Empresa, Cuenta, Documento, Documento2, Fecha_Doc, "
                            "Fecha_Vto, Importe, Estado, FormaPago, Asiento, Cod_Ejercicio) ";
    for (int s = 1; s <= 2; ++s) {
        std::string code = "P" + std::to_string(s);
        sql("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, "
            "FechaVto, Cerrado) VALUES (1, 1, '" +
            code + "', '01/06/2026', '30/06/2026', 0)");
        std::string l = lines, f = forecasts;
        for (int i = 0; i < 400; ++i) {
            std::string doc = "M" + std::to_string(s) + "-" + std::to_string(10000 + i);
            std::string amount = std::to_string(s * 1000 + i) + ".25";
            l += std::string(i ? " UNION ALL " : "") + "SELECT 1, 1, '" + code + "', " + std::to_string(1 + i % 20) +
                 ", '" + doc + "', '" + doc + "', '" + std::to_string(1 + i % 28) + "/05/2026', " + amount + ", 0, 1";
            f += std::string(i ? " UNION ALL " : "") + "SELECT 1, '4000000001', '" + doc + "', '', '01/05/2026', "
                 "'15/06/2026', " + amount + ", 0, 2, 0, 2026";
        }
        sql(l);
        sql(f, true);
    }
    std::string cmd = std::string(PC_PROGRAM) + " match --data " + fixtures::Q(data) + " 1 ";
    std::string settings = "PAGOCENTRAL_SETTINGS=" + fixtures::Q(dir.File("settings.ini")) + " ";
    int rc[2] = {-1, -1};
    std::thread t1([&] { rc[0] = std::system((settings + cmd + "P1 >/dev/null 2>" + dir.File("e1")).c_str()); });
    std::thread t2([&] { rc[1] = std::system((settings + cmd + "P2 >/dev/null 2>" + dir.File("e2")).c_str()); });
    t1.join();
    t2.join();
    EXPECT_EQ(rc[0], 0) << fixtures::RunProgram("sql --data " + fixtures::Q(data) + " 'SELECT 1'", dir).err;
    EXPECT_EQ(rc[1], 0);
    for (int s = 1; s <= 2; ++s) {
        auto r = fixtures::RunProgram(
            "sql --data " + fixtures::Q(data) +
                " \"SELECT COUNT(*), SUM(pp.Importe), SUM(lin.ImporteVinculado) FROM Compras_PagosCentral_PrevPagos pp "
                "INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = pp.IdExtractoLinea "
                "WHERE lin.Cod_Extracto = 'P" +
                std::to_string(s) + "'\"",
            dir);
        double sum = 0;
        for (int i = 0; i < 400; ++i) {
            sum += s * 1000 + i + 0.25;
        }
        auto t = fixtures::Table(r.out);
        ASSERT_GE(t.size(), 2u) << r.out << r.err;
        EXPECT_EQ(t[1][0], "400");
        EXPECT_DOUBLE_EQ(std::stod(t[1][1]), sum);
        EXPECT_DOUBLE_EQ(std::stod(t[1][2]), sum);
    }
}

} // namespace
