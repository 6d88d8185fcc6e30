#include "db/Transaction.h"
#include "fixtures/DemoDb.h"
#include "lumbra/ApunteContable.h"
#include "lumbra/AsientoContable.h"
#include "lumbra/PrevisionesContables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Lumbra, PlaceholdersTakeTheWholeValueOrItsFirstCharacters) {
    using lumbra::ApunteContable;
    EXPECT_EQ(ApunteContable::Sustituir("Pago %NROEXTRACTO% y %NROEXTRACTO%", "NROEXTRACTO", "T'1"), "Pago T'1 y T'1");
    EXPECT_EQ(ApunteContable::Sustituir("%NOMBRECLIENTE$5%|%FECHAVTO$10%", "NOMBRECLIENTE", "Ñandú Güímar"),
              "Ñandú|%FECHAVTO$10%");
    EXPECT_EQ(ApunteContable::Sustituir("%NOMBRECLIENTE$x% %NOMBRECLIENTE", "NOMBRECLIENTE", "A"),
              "%NOMBRECLIENTE$x% %NOMBRECLIENTE");
}

TEST(Lumbra, EntryNumbersFollowTheCounterOnlyInsideATransaction) {
    DemoDb demo;
    suite::EmpresaLumbra empresa(demo.acc, 1);
    empresa.Ejercicio(2030);
    lumbra::AsientoContable a(*demo.acc, empresa);
    a.Fecha(*suite::Fecha::Parse("05/03/2030"));
    EXPECT_THROW(a.Crear(), std::logic_error);
    demo.acc->Execute("INSERT INTO Asientos (Cod_Empresa, Cod_Ejercicio, Asiento) VALUES (1, 2030, 7)");
    {
        db::Transaction tx(*demo.acc);
        a.Crear();
        EXPECT_EQ(a.Numero(), 8);
        a.Crear();
        EXPECT_EQ(a.Numero(), 9);
        tx.Commit();
    }
    EXPECT_EQ(demo.acc->OpenRecordset("SELECT Valor FROM Contadores WHERE Cod_Ejercicio = 2030")->Fields(0).AsInt64(),
              9);
}

TEST(Lumbra, ForecastsAreCreatedByTheDuesOfTheirPaymentMethod) {
    DemoDb demo;
    suite::EmpresaLumbra empresa(demo.acc, 1);
    lumbra::PrevisionesContables p(*demo.acc, empresa);
    p.Asiento(12);
    auto fecha = *suite::Fecha::Parse("10/01/2026");
    auto apuntes = p.Crear("4300000001", "FV'1", "", fecha, *suite::Moneda::Parse("100.01"), 3);
    ASSERT_EQ(apuntes.size(), 2u);
    auto rs = demo.acc->OpenRecordset("SELECT Fecha_Vto, Importe, Documento, Asiento FROM Previsiones_Pago WHERE "
                                      "Apunte >= " +
                                      std::to_string(apuntes[0]) + " ORDER BY Apunte");
    std::string out;
    for (; !rs->Eof(); rs->MoveNext()) {
        out += rs->Fields(0).AsText() + " " + std::to_string(rs->Fields(1).AsCurrencyUnits()) + " " +
               rs->Fields(2).AsText() + " " + rs->Fields(3).AsText() + "\n";
    }
    EXPECT_EQ(out, "2026-02-09 500100 FV'1 12\n2026-03-11 500000 FV'1 12\n");
    EXPECT_TRUE(p.Crear("4300000001", "X", "", fecha, suite::Moneda::FromLong(5), 4).empty());
}

} // namespace

#include "fixtures/Asientos.h"

namespace {

// The demo company as it is seeded: its concepts, accounts, contra account and one statement of
// each mode ready to be accounted with the line check on.
class DemoEntries : public ::testing::Test {
  protected:
    DemoEntries() {
        demo.settings->GuardarValor("FechaIExtracto", "01/01/2000");
        demo.settings->GuardarValor("FechaFExtracto", "31/12/2099");
        shell.handlers["frmCuentaContrapartida"] = [](host::Window &win) {
            auto &p = static_cast<accounting::frmCuentaContrapartida &>(win);
            p.txtCtaContrapartida.text = "5720000001";
            p.cmdAceptar_Click();
        };
    }
    std::string Run(const std::string &code) {
        statements::frmExtractos w(shell, demo.settings);
        w.Show();
        w.cboEstado.SelectData(3);
        w.cboEstado_Click();
        bool found = false;
        for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
            if (w.vsExtractos.Text(r, statements::frmExtractos::colExtracto) == code) {
                w.vsExtractos.SetTicked(r, true);
                found = true;
            }
        }
        EXPECT_TRUE(found) << code;
        shell.ClearLog();
        shell.answers = {host::Answer::Yes};
        w.cmdGenerarAsiento_Click();
        return shell.Last();
    }
    std::string Ready(int mode) const {
        return "M" + std::to_string(mode) + "-" + std::to_string(suite::Fecha::Hoy().SumarDias(-5).Anio());
    }
    std::vector<std::string> Lines(const std::string &where) const {
        std::vector<std::string> out;
        auto rs = demo.acc->OpenRecordset("SELECT Cuenta, ConceptoTexto, Documento, Debe, Haber FROM Apuntes " + where +
                                          " ORDER BY Cod_Ejercicio, Asiento, Linea");
        for (; !rs->Eof(); rs->MoveNext()) {
            out.push_back(rs->Fields(0).AsText() + "|" + rs->Fields(1).AsText() + "|" + rs->Fields(2).AsText() + "|" +
                          std::to_string(rs->Fields(3).AsCurrencyUnits() / 100) + "|" +
                          std::to_string(rs->Fields(4).AsCurrencyUnits() / 100));
        }
        return out;
    }
    bool Balanced() const {
        auto rs = demo.acc->OpenRecordset(
            "SELECT COUNT(*) FROM (SELECT Asiento FROM Apuntes GROUP BY Cod_Ejercicio, Asiento HAVING SUM(Debe) <> "
            "SUM(Haber)) x");
        return rs->Fields(0).AsInt64() == 0;
    }
    DemoDb demo;
    host::ScriptedShell shell;
};

TEST_F(DemoEntries, TheHalfLinkedStatementsAreRefusedByTheLineCheck) {
    std::string code = demo.One("SELECT MIN(Cod_Extracto) FROM Compras_PagosCentral_Extractos WHERE Cod_Almacen = 2 "
                                "AND Cerrado = 0 AND Cod_Extracto NOT LIKE 'M%'");
    EXPECT_EQ(Run(code).rfind("warning|¡ Atención !|El Extracto: " + code + " posee líneas sin procesar", 0), 0u);
    EXPECT_EQ(demo.Count("Contabilidad.Asientos"), 0);
}

TEST_F(DemoEntries, TheReadyStatementOfModeOneIsAccountedWithTheCheckOn) {
    const std::string code = Ready(1);
    std::string said = Run(code);
    EXPECT_EQ(said.rfind("information|Varnex|Operación realizada con éxito. Asientos generados: ", 0), 0u) << said;
    EXPECT_EQ(demo.One("SELECT Cerrado FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = " + db::Quote(code)),
              "1");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas_Facturas WHERE Contabilizado = 0 AND IdExtractoLinea IN "
                         "(SELECT IdExtractoLinea FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = " +
                         db::Quote(code) + ")"),
              0);
    // Supplier 2 was paid above its receipt: an adjustment with the supplier's name in its concept.
    auto gasto = Lines("WHERE Cuenta = '6590000000'");
    ASSERT_EQ(gasto.size(), 1u);
    EXPECT_EQ(gasto[0], "6590000000|Gasto Lácteos del Atlántico, S.A. ext. " + code + "|DM1-0002|150|0");
    auto contra = Lines("WHERE Cuenta = '5720000001'");
    ASSERT_EQ(contra.size(), 1u);
    EXPECT_EQ(contra[0], "5720000001|Contrapartida extracto " + code + "|" + code + "|0|215434");
    EXPECT_TRUE(Balanced());
}

TEST_F(DemoEntries, TheReadyStatementOfModeTwoSettlesItsForecastsWithTheCheckOn) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    const std::string code = Ready(2);
    std::string said = Run(code);
    EXPECT_EQ(said, "information|Varnex|Operación realizada con éxito. Asientos generados: \r1");
    EXPECT_EQ(Lines(""), (std::vector<std::string>{
                             "4000000008|Pago centralizado extracto " + code + "|DM2-0001|64200|0",
                             "4000000013|Pago centralizado extracto " + code + "|DM2-0002|32100|0",
                             "4000000015|Pago centralizado extracto " + code + "|DM2-0003|96300|0",
                             "4000000016|Pago centralizado extracto " + code + "|DM2-0004|21400|0",
                             "4000000016|Pago centralizado extracto " + code + "|DM2-0004|0|21400",
                             "6260000000|Gasto Vinos Tacoronte-Acentejo, S.C. ext. " + code + "|DM2-0004|21400|0",
                             "5720000001|Contrapartida extracto " + code + "|" + code + "|0|214000",
                         }));
    EXPECT_TRUE(Balanced());
    EXPECT_EQ(demo.acc->OpenRecordset("SELECT COUNT(*) FROM Previsiones_Pago WHERE Documento LIKE 'DM2-%' AND Estado = 1 "
                                      "AND CuentaContrapartida = '5720000001'")
                  ->Fields(0)
                  .AsInt64(),
              3);
}

} // namespace
