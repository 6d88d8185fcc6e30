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

// The demo company as it is seeded: its concepts, accounts and contra account.
class DemoEntries : public ::testing::Test {
  protected:
    DemoEntries() {
        demo.settings->GuardarValor("FechaIExtracto", "01/01/2000");
        demo.settings->GuardarValor("FechaFExtracto", "31/12/2099");
    }
    std::string Run(int row) {
        statements::frmExtractos w(shell, demo.settings);
        w.Show();
        w.vsExtractos.SetTicked(row, true);
        code = w.vsExtractos.Text(row, statements::frmExtractos::colExtracto);
        shell.ClearLog();
        shell.answers = {host::Answer::Yes};
        w.cmdGenerarAsiento_Click();
        return shell.Last();
    }
    DemoDb demo;
    host::ScriptedShell shell;
    std::string code;
};

TEST_F(DemoEntries, AStatementOfEachModeIsAccountedWithItsPlaceholdersFilledIn) {
    // The demo's open statements are only half linked: the line check refuses them.
    EXPECT_EQ(Run(1).rfind("warning|¡ Atención !|El Extracto: ", 0), 0u);
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    std::string said = Run(1);
    EXPECT_EQ(said.rfind("information|Varnex|Operación realizada con éxito. Asientos generados: ", 0), 0u) << said;
    auto rs = demo.acc->OpenRecordset("SELECT ConceptoTexto FROM Apuntes WHERE ConceptoTexto LIKE 'Contrapartida%'");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields(0).AsText(), "Contrapartida extracto " + code);

    demo.SetParam("PagoCentral_TipoExtracto", "2");
    shell.handlers["frmCuentaContrapartida"] = [](host::Window &win) {
        auto &p = static_cast<accounting::frmCuentaContrapartida &>(win);
        p.txtCtaContrapartida.text = "5720000001";
        p.cmdAceptar_Click();
    };
    said = Run(1);
    EXPECT_EQ(said.rfind("information|Varnex|Operación realizada con éxito. Asientos generados: ", 0), 0u) << said;
}

} // namespace
