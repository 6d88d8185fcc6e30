#include "customers/CalendarioPagos.h"
#include "fixtures/Clientes.h"
#include "suite/Formato.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Customer statements accounted: concepts that show their placeholders, entry lines and forecasts
// read back as text.
class ClienteEntry : public ClientesFixture, public ::testing::Test {
  public:
    ClienteEntry() {
        demo.acc->Execute("UPDATE Parametros SET Valor = 'Franq. %NOMBRECLIENTE$10%' WHERE Nombre = "
                          "'Concepto_Franq_Proveedor'");
        demo.acc->Execute("UPDATE Parametros SET Valor = 'Cobro %FECHAVTO$10% fin' WHERE Nombre = "
                          "'Concepto_Franq_Cliente'");
    }
    std::shared_ptr<L> Generar(const std::vector<std::pair<long, std::string>> &marcadas,
                               host::Answer respuesta = host::Answer::Yes) {
        auto w = Lista();
        for (const auto &[cliente, fecha] : marcadas) {
            int r = Fila(*w, cliente, fecha);
            EXPECT_NE(r, 0) << cliente << " " << fecha;
            w->vsExtractos.SetTicked(r, true);
        }
        shell.ClearLog();
        shell.answers = {respuesta};
        w->cmdGenerarAsiento_Click();
        return w;
    }
    std::vector<std::string> Apuntes() const {
        std::vector<std::string> out;
        auto rs = demo.acc->OpenRecordset("SELECT Cuenta, ConceptoTexto, Documento, Debe, Haber FROM Apuntes ORDER BY "
                                          "Cod_Ejercicio, Asiento, Linea");
        const auto &f = suite::Formato::Instancia();
        for (; !rs->Eof(); rs->MoveNext()) {
            out.push_back(rs->Fields(0).AsText() + "|" + rs->Fields(1).AsText() + "|" + rs->Fields(2).AsText() + "|" +
                          f.NumeroSQL(suite::Moneda::FromUnits(rs->Fields(3).AsCurrencyUnits())) + "|" +
                          f.NumeroSQL(suite::Moneda::FromUnits(rs->Fields(4).AsCurrencyUnits())));
        }
        return out;
    }
    ::testing::AssertionResult Cuadran() const {
        auto rs = demo.acc->OpenRecordset(
            "SELECT Asiento, SUM(Debe) AS D, SUM(Haber) AS H FROM Apuntes GROUP BY Cod_Ejercicio, Asiento");
        for (; !rs->Eof(); rs->MoveNext()) {
            if (rs->Fields(1).AsCurrencyUnits() != rs->Fields(2).AsCurrencyUnits()) {
                return ::testing::AssertionFailure() << "entry " << rs->Fields(0).AsText() << " does not balance";
            }
        }
        return ::testing::AssertionSuccess();
    }
    // The forecasts of a document: "due|amount" each, by due date.
    std::vector<std::string> Vencimientos(const std::string &documento) const {
        std::vector<std::string> out;
        auto rs = demo.acc->OpenRecordset("SELECT Fecha_Vto, Importe FROM Previsiones_Pago WHERE Documento = " +
                                          db::Quote(documento) + " ORDER BY Fecha_Vto, Apunte");
        for (; !rs->Eof(); rs->MoveNext()) {
            out.push_back(suite::Fecha::Parse(rs->Fields(0).AsText())->Formato("dd/mm/yyyy") + "|" +
                          suite::Formato::Instancia().NumeroSQL(suite::Moneda::FromUnits(rs->Fields(1).AsCurrencyUnits())));
        }
        return out;
    }
    // A supplier with its own payment terms: a new payment method and payment days.
    void Proveedor(int codigo, int primerVto, int nroVtos, int restoVtos, int dia1, int dia2, bool generar = true) {
        demo.acc->Execute("INSERT INTO Formas_Pago (Codigo, Nombre, TipoDoc, GenerarPrev, PrimerVto, NroVtos, "
                          "RestoVtos) VALUES (" +
                          std::to_string(codigo) + ", 'Forma " + std::to_string(codigo) + "', 3, " +
                          (generar ? "1" : "0") + ", " + std::to_string(primerVto) + ", " + std::to_string(nroVtos) +
                          ", " + std::to_string(restoVtos) + ")");
        demo.erp->Execute("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre, Cta_DeudaCortoPlazo, Cod_FPago, "
                          "CtaBancoPago, DiaPago_1, DiaPago_2) VALUES (1, " +
                          std::to_string(codigo) + ", 'Proveedor " + std::to_string(codigo) + "', '', " +
                          std::to_string(codigo) + ", '', " + std::to_string(dia1) + ", " + std::to_string(dia2) + ")");
    }
};

TEST_F(ClienteEntry, AStatementWhoseClosingWasLostCannotMoveNorGoAndIsClosedWithItsEntry) {
    auto w = Generar({{1, Dia(-5)}});
    ASSERT_TRUE(w->Generado()) << shell.Last();
    const std::string hecho = shell.Last();
    const auto entrada = Apuntes();
    // The ERP side of the run lost, as when the program dies between the two commits.
    demo.erp->Execute("UPDATE Clientes_PagosCentral_Extractos SET Cerrado = 0");
    const std::string aviso = "warning|¡ Atención !|El Extracto del cliente 1 con fecha de cobro " + Dia(-5) +
                              " ya tiene su asiento en la contabilidad, pero no se llegó a cerrar. Genere de nuevo su "
                              "asiento para cerrarlo: no se duplicará.";
    w = Lista();
    w->vsExtractos.SetTicked(Fila(*w, 1, Dia(-5)), true);
    shell.ClearLog();
    w->cmdEliminar_Click();
    EXPECT_EQ(shell.Last(), aviso);
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas WHERE Cod_Cliente = 1"), 2);

    w = Generar({{1, Dia(-5)}});
    EXPECT_EQ(shell.Last(), hecho);
    EXPECT_EQ(Apuntes(), entrada);
    EXPECT_EQ(demo.One("SELECT Cerrado FROM Clientes_PagosCentral_Extractos WHERE Cod_Cliente = 1"), "1");
}

TEST_F(ClienteEntry, TheEntryCreditsEachSupplierDebitsTheCustomerAndWritesTheForecasts) {
    auto w = Generar({{1, Dia(-5)}});
    ASSERT_TRUE(w->Generado()) << shell.Last();
    const std::string fecha = Dia(-5);
    std::string doc = fecha;
    std::erase(doc, '/');
    EXPECT_EQ(Apuntes(), (std::vector<std::string>{
                             "5200000002|Franq. Franquicia|FV-0001|0|107",
                             "5200000005|Franq. Franquicia|FV-0002|0|53.5",
                             "5650000001|Cobro " + fecha + " fin|" + doc + "|160.5|0",
                         }));
    EXPECT_TRUE(Cuadran());
    const std::string numero = demo.acc->OpenRecordset("SELECT MAX(Asiento) FROM Asientos")->Fields(0).AsText();
    EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito. Asientos generados: \r" + numero);
    EXPECT_EQ(demo.One("SELECT Cerrado FROM Clientes_PagosCentral_Extractos WHERE Cod_Cliente = 1"), "1");
    EXPECT_EQ(w->vsExtractos.Text(Fila(*w, 1, fecha), L::colEstado), "CERRADO");
    EXPECT_EQ(demo.acc->OpenRecordset("SELECT Fecha FROM Asientos")->Fields(0).AsText(),
              suite::Fecha::Parse(fecha)->Iso());

    // Supplier 2 pays by transfer at 30 days, into its bank account.
    EXPECT_EQ(Vencimientos("FV-0001"),
              (std::vector<std::string>{suite::Fecha::Hoy().SumarDias(10).Formato("dd/mm/yyyy") + "|107"}));
    auto rs = demo.acc->OpenRecordset("SELECT Cuenta, Documento2, TipoDoc, CuentaBanco, Asiento, FormaPago, Estado FROM "
                                      "Previsiones_Pago WHERE Documento = 'FV-0001'");
    EXPECT_EQ(rs->Fields(0).AsText(), "5200000002");
    EXPECT_EQ(rs->Fields(1).AsText(), doc);
    EXPECT_EQ(rs->Fields(2).AsText(), "2");
    EXPECT_EQ(rs->Fields(4).AsText(), numero);
    EXPECT_EQ(rs->Fields(5).AsText(), "2");
    EXPECT_EQ(rs->Fields(6).AsText(), "0");
}

TEST_F(ClienteEntry, ChecksRefuseBeforeAnyTransactionAndAStatementOfAmountZeroCannotBeGenerated) {
    Extracto(2, Dia(1), true);
    Extracto(3, Dia(2));
    Linea(3, Dia(2), 5, "CERO", Dia(-10), "0");
    auto w = Lista();
    EXPECT_EQ(w->vsExtractos.Text(Fila(*w, 3, Dia(2)), L::colImporte), "0,00");
    w->cmdGenerarAsiento_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos una linea de Extracto para generar asiento.");
    w->vsExtractos.SetTicked(Fila(*w, 2, Dia(1)), true);
    w->cmdGenerarAsiento_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Existe algún Extracto señalado que ya se le ha generado el asiento. "
                            "Desmárquelo para continuar.");
    w->vsExtractos.SetTicked(Fila(*w, 2, Dia(1)), false);
    w->vsExtractos.SetTicked(Fila(*w, 3, Dia(2)), true);
    w->cmdGenerarAsiento_Click();
    EXPECT_EQ(shell.Last(),
              "warning|¡ Atención !|Existe algún Extracto señalado que su Importe es 0. Desmárquelo para continuar.");
    EXPECT_TRUE(shell.progress.empty() || shell.ProgressHidden());

    w = Generar({{1, Dia(-5)}}, host::Answer::No);
    EXPECT_EQ(shell.messages.back().text, "¿Está seguro que desea generar el asiento de los extractos señalados?");
    EXPECT_EQ(shell.messages.back().buttons, host::Buttons::YesNo);
    EXPECT_FALSE(w->Generado());
    EXPECT_EQ(demo.acc->OpenRecordset("SELECT COUNT(*) FROM Apuntes")->Fields(0).AsText(), "0");
    EXPECT_EQ(demo.One("SELECT Cerrado FROM Clientes_PagosCentral_Extractos WHERE Cod_Cliente = 1"), "0");
}

TEST_F(ClienteEntry, AccountsAreComposedFromTheRootsWhenTheRecordsHaveNoneAndTwoStatementsGiveTwoEntries) {
    demo.erp->Execute("UPDATE Clientes SET Cta_DepositoCortoPlazo = NULL WHERE Codigo = 2");
    Proveedor(950, 0, 1, 0, 0, 0, false);
    Extracto(2, Dia(1), false, Dia(3));
    Linea(2, Dia(1), 950, "SIN'CTA", Dia(-3), "80.25");
    Linea(2, Dia(1), 950, "NULA", Dia(-3), "0");
    auto w = Generar({{1, Dia(-5)}, {2, Dia(1)}});
    ASSERT_TRUE(w->Generado()) << shell.Last();
    auto apuntes = Apuntes();
    ASSERT_EQ(apuntes.size(), 5u);
    std::string doc = Dia(1);
    std::erase(doc, '/');
    // In list order: the latest collection date first.
    EXPECT_EQ(apuntes[0], "5200000950|Franq. Franquicia|SIN'CTA|0|80.25");
    EXPECT_EQ(apuntes[1], "5650000002|Cobro " + Dia(1) + " fin|" + doc + "|80.25|0");
    EXPECT_TRUE(Cuadran());
    EXPECT_EQ(demo.acc->OpenRecordset("SELECT COUNT(*) FROM Asientos")->Fields(0).AsText(), "2");
    EXPECT_EQ(Vencimientos("SIN'CTA"), std::vector<std::string>{});
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos WHERE Cerrado = 1"), 2);
}

TEST_F(ClienteEntry, TheForecastScheduleFollowsTheTermsAndThePaymentDays) {
    // Supplier, terms (first due, dues, days apart, payment days), invoice date and amount.
    Proveedor(901, 30, 1, 0, 10, 0);  // one day: moved within its own month, even backwards
    Proveedor(902, 30, 3, 17, 10, 25); // two days: before, between, after
    Proveedor(903, 10, 1, 0, 10, 25);  // December into January
    Proveedor(904, 0, 2, 365, 15, 31); // beyond the month's end, not leap then leap
    Proveedor(905, 5, 1, 0, 31, 0);    // single day 31 in February
    Proveedor(906, 30, 1, 0, 0, 0, false);
    Proveedor(907, 30, 3, 30, 0, 0);   // three dues of one amount
    demo.erp->Execute("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre, Cod_FPago, DiaPago_1, DiaPago_2) VALUES "
                      "(1, 908, 'Sin condiciones', 0, 1, 2)");
    Extracto(3, Dia(30), false, "15/06/2025");
    for (const auto &[prov, doc, fecha, importe] : std::vector<std::tuple<int, std::string, std::string, std::string>>{
             {901, "A", "20/01/2025", "10"},
             {902, "B", "03/01/2025", "100"},
             {903, "C", "18/12/2025", "10"},
             {904, "D", "20/02/2023", "11"},
             {905, "E", "01/02/2023", "10"},
             {906, "F", "01/02/2025", "10"},
             {907, "G", "01/03/2025", "100"},
             {907, "H", "01/03/2025", "300"},
             {908, "I", "14/05/2025", "10"}}) {
        Linea(3, Dia(30), prov, doc, fecha, importe);
    }
    auto w = Generar({{3, Dia(30)}});
    ASSERT_TRUE(w->Generado()) << shell.Last();
    EXPECT_TRUE(Cuadran());
    // 20/01 + 30 = 19/02, moved to the 10th of February.
    EXPECT_EQ(Vencimientos("A"), (std::vector<std::string>{"10/02/2025|10"}));
    // 02/02 -> 10/02; 19/02 -> 25/02; 08/03 -> 10/03.
    EXPECT_EQ(Vencimientos("B"), (std::vector<std::string>{"10/02/2025|33.33", "25/02/2025|33.33",
                                                            "10/03/2025|33.34"}));
    EXPECT_EQ(Vencimientos("C"), (std::vector<std::string>{"10/01/2026|10"}));
    // 20/02/2023 -> 31 -> 28/02/2023; 20/02/2024 -> 29/02/2024.
    EXPECT_EQ(Vencimientos("D"), (std::vector<std::string>{"28/02/2023|5.5", "29/02/2024|5.5"}));
    EXPECT_EQ(Vencimientos("E"), (std::vector<std::string>{"28/02/2023|10"}));
    EXPECT_EQ(Vencimientos("F"), std::vector<std::string>{});
    EXPECT_EQ(Vencimientos("G"), (std::vector<std::string>{"31/03/2025|33.33", "30/04/2025|33.33",
                                                            "30/05/2025|33.34"}));
    EXPECT_EQ(Vencimientos("H"), (std::vector<std::string>{"31/03/2025|100", "30/04/2025|100", "30/05/2025|100"}));
    // No terms of its own: the company's transfer at 30 days and its payment days 5 and 20
    // (13/06 is between them).
    EXPECT_EQ(Vencimientos("I"), (std::vector<std::string>{"20/06/2025|10"}));
    auto rs = demo.acc->OpenRecordset("SELECT TipoDoc, CuentaBanco, FormaPago FROM Previsiones_Pago WHERE Documento = 'I'");
    EXPECT_EQ(rs->Fields(0).AsText(), "2");
    EXPECT_EQ(rs->Fields(2).AsText(), "2");
    EXPECT_EQ(demo.acc->OpenRecordset("SELECT TipoDoc FROM Previsiones_Pago WHERE Documento = 'A'")->Fields(0).AsText(),
              "3");
}

TEST(CalendarioPagos, PaymentDaysMoveEachDueAsTheTermsSay) {
    using C = customers::CalendarioPagos;
    auto d = [](const char *t) { return *suite::Fecha::Parse(t); };
    auto s = [](const suite::Fecha &f) { return f.Formato("dd/mm/yyyy"); };
    EXPECT_EQ(s(C::DiaDePago(d("17/05/2025"), 0, 0)), "17/05/2025");
    EXPECT_EQ(s(C::DiaDePago(d("17/05/2025"), 5, 0)), "05/05/2025");
    EXPECT_EQ(s(C::DiaDePago(d("04/05/2025"), 5, 20)), "05/05/2025");
    EXPECT_EQ(s(C::DiaDePago(d("05/05/2025"), 5, 20)), "20/05/2025");
    EXPECT_EQ(s(C::DiaDePago(d("20/05/2025"), 5, 20)), "20/05/2025");
    EXPECT_EQ(s(C::DiaDePago(d("21/12/2025"), 5, 20)), "05/01/2026");
    EXPECT_EQ(s(C::DiaDePago(d("10/04/2025"), 5, 31)), "30/04/2025");
    customers::CondicionesPago c;
    c.generarPrev = true;
    c.nroVtos = 3;
    c.restoVtos = 1;
    suite::Moneda total;
    for (const auto &v : C::Calcular(c, d("01/01/2025"), suite::Moneda::FromLong(100))) {
        total += v.importe;
    }
    EXPECT_EQ(total, suite::Moneda::FromLong(100));
    c.nroVtos = 0;
    EXPECT_TRUE(C::Calcular(c, d("01/01/2025"), suite::Moneda::FromLong(100)).empty());
}

} // namespace
