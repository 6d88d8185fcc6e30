#include "fixtures/Program.h"
#include "fixtures/TempDir.h"
#include "suite/Fecha.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using fixtures::Q;
using fixtures::Result;
using fixtures::RunProgram;
using fixtures::Table;

class CustomerCommands : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0); }
    Result Run(const std::string &args) { return RunProgram(args + " --data " + Q(data), dir); }
    static std::string Dia(int d) { return suite::Fecha::Hoy().SumarDias(d).Formato("dd/mm/yyyy"); }
    TempDir dir;
    std::string data = dir.File("datos");
};

TEST_F(CustomerCommands, FromANewStatementToItsEntryAndForecasts) {
    Result r = Run("customer add 2 " + Dia(10) + " " + Dia(12));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Extracto creado: 2:" + Dia(10) + "\n");
    r = Run("customer add 2 " + Dia(10) + " " + Dia(12));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "warning|¡ Atención !|Ya existe el Franquiciado: 2 con la misma fecha de cobro.\n");

    // A line of supplier 4 (payment days 10 and 25, bills at 30 and 60 days) with two tax rows.
    r = Run("customer line add 2 " + Dia(10) + " --supplier 4 --document \"FV-0'415\" --date " + Dia(-12) +
            " --taxes 7:300,3:10 --obs \"Entrega O'Neill\"");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\tImporte: 331,30"), std::string::npos) << r.out;
    r = Run("customer line add 2 " + Dia(10) + " --supplier 4 --document X --date " + Dia(-12) + " --taxes 8:1");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("--taxes: la empresa no tiene el tipo 8"), std::string::npos) << r.err;

    r = Run("customer lines 2 " + Dia(10));
    ASSERT_EQ(r.code, 0) << r.err;
    auto t = Table(r.out);
    ASSERT_EQ(t.size(), 2u) << r.out;
    EXPECT_EQ(t[0], (std::vector<std::string>{"Proveedor", "Proveedor", "Documento", "F.Factura", "Importe", "Atípicos",
                                              "Observaciones", "IdExtractoLinea"}));
    EXPECT_EQ(t[1][2], "FV-0'415");
    EXPECT_EQ(t[1][4], "331,30");
    EXPECT_EQ(t[1][6], "Entrega O'Neill");

    r = Run("customer list --state TODOS --customer 2 --from 01/01/2000 --to 31/12/2099");
    ASSERT_EQ(r.code, 0) << r.err;
    t = Table(r.out);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1], (std::vector<std::string>{"0", "2", "Franquicia Puerto del Rosario", Dia(10), Dia(12), "331,30",
                                              "ABIERTO"}));

    r = Run("customer entries 2:" + Dia(10));
    EXPECT_EQ(r.code, 1);
    r = Run("customer entries --yes 2:" + Dia(10));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Cerrados: 1\n");
    EXPECT_NE(r.err.find("information|Varnex|Operación realizada con éxito. Asientos generados: \\n1"),
              std::string::npos)
        << r.err;
    r = Run("journal");
    t = Table(r.out);
    ASSERT_EQ(t.size(), 4u) << r.out;
    EXPECT_EQ(t[1][3], "5200000004");
    EXPECT_EQ(t[1][5], "Franquicia Franquicia Puerto del Rosario");
    EXPECT_EQ(t[1][8], "331.30");
    std::string doc = Dia(10);
    std::erase(doc, '/');
    EXPECT_EQ(t[2][3], "5650000002");
    EXPECT_EQ(t[2][5], "Cobro franquicia " + Dia(10));
    EXPECT_EQ(t[2][6], doc);
    EXPECT_EQ(t[3], (std::vector<std::string>{"Debe/Haber totals", "331.30", "331.30"}));
    r = Run("sql --accounting \"SELECT SUM(Importe), COUNT(*) FROM Previsiones_Pago WHERE Documento = 'FV-0''415'\"");
    EXPECT_EQ(Table(r.out)[1], (std::vector<std::string>{"331.30", "2"}));

    // Closed now: neither modified nor given lines.
    r = Run("customer modify 2 " + Dia(10) + " --date-to " + Dia(11));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "El extracto está cerrado: no se puede modificar\n");
}

TEST_F(CustomerCommands, ModifyDeleteAndRefusals) {
    Result r = Run("customer modify 1 " + Dia(-5) + " --customer-to 3 --date-to " + Dia(-4));
    ASSERT_EQ(r.code, 0) << r.err;
    r = Run("customer lines 3 " + Dia(-4));
    EXPECT_EQ(Table(r.out).size(), 3u) << r.out;
    r = Run("customer lines 3 " + Dia(-4) + " --document 0002");
    auto t = Table(r.out);
    ASSERT_EQ(t.size(), 2u) << r.out;
    const std::string id = t[1][7];
    r = Run("customer line delete --line " + id);
    EXPECT_EQ(r.code, 1);
    r = Run("customer line delete --line " + id + " --yes");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Línea eliminada: " + id + "\n");

    r = Run("customer delete 3:" + Dia(-4));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Eliminación no confirmada: nada se ha eliminado (confirme con --yes)\n");
    r = Run("customer delete --yes 3:" + Dia(-4));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Eliminados: 1\n");
    r = Run("customer list --state TODOS --from 01/01/2000 --to 31/12/2099");
    EXPECT_EQ(Table(r.out).size(), 1u) << r.out;

    r = Run("customer delete 3:31/02/2026");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("fecha no válida '31/02/2026'"), std::string::npos) << r.err;
    r = Run("customer frobnicate");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Uso: pagocentral customer"), std::string::npos);
    r = Run("customer add 9 " + Dia(1) + " " + Dia(1));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "warning|¡ Atención !|El cliente no existe.\n");
}

} // namespace
