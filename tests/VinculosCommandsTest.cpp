#include "fixtures/Program.h"
#include "fixtures/TempDir.h"
#include "db/sqlite/SqliteConnection.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using fixtures::Q;
using fixtures::Result;
using fixtures::RunProgram;
using fixtures::Table;

// The demo databases in a folder of their own, in statement mode 2, with one statement whose lines
// and forecasts the commands work on.
class LinkCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0);
        ASSERT_EQ(Run("param PagoCentral_TipoExtracto 2").code, 0);
        Sql("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, "
            "FechaVto, Cerrado) VALUES (1, 1, 'C''1', '01/06/2026', '30/06/2026', 0)");
        for (int i = 1; i <= 3; ++i) {
            std::string n = std::to_string(i);
            Sql("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                "Cod_Proveedor, Documento, DocumentoCentral, Fecha, Importe, ImporteVinculado, TipoPago, Cta_Proveedor) "
                "VALUES (1, 1, 'C''1', 1, 'DOC-000" +
                n + "', 'DOC-000" + n + "', '0" + n + "/06/2026', " + n + "00, 0, 1, '')");
            Sql("INSERT INTO Previsiones_Pago (Cod_Empresa, Cuenta, Documento, Documento2, Fecha_Doc, Fecha_Vto, "
                "Importe, Estado, FormaPago, Asiento, Cod_Ejercicio) VALUES (1, '4000000001', 'P-000" +
                    n + "', '', '01/05/2026', '20/06/2026', " + n + "00, 0, 2, 0, 2026)",
                true);
        }
        line1 = Scalar("SELECT MIN(IdExtractoLinea) FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = "
                       "'C''1'");
        line2 = std::to_string(std::stol(line1) + 1);
        apunte1 = Scalar("SELECT MAX(Apunte) - 2 FROM Previsiones_Pago", true);
    }
    Result Run(const std::string &args) { return RunProgram(args + " --data " + Q(data), dir); }
    void Sql(const std::string &s, bool accounting = false) {
        Result r = Run(std::string("sql ") + (accounting ? "--accounting " : "") + Q(s));
        ASSERT_EQ(r.code, 0) << s << "\n" << r.err;
    }
    std::string Scalar(const std::string &s, bool accounting = false) {
        Result r = Run(std::string("sql ") + (accounting ? "--accounting " : "") + Q(s));
        auto t = Table(r.out);
        return t.size() >= 2 && !t[1].empty() ? t[1][0] : "<none: " + r.err + ">";
    }

    TempDir dir;
    std::string data = dir.File("datos");
    std::string line1, line2, apunte1;
};

TEST_F(LinkCommands, LinkAndUnlinkForecastsOfALine) {
    std::string a = apunte1, b = std::to_string(std::stol(apunte1) + 1);
    Result r = Run("link --line " + line1 + " --forecasts " + a + "," + b);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Scalar("SELECT ImporteVinculado FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                     line1),
              "300.00");
    auto t = Table(r.out);
    ASSERT_GE(t.size(), 3u) << r.out;
    EXPECT_EQ(t[0][1], "Cuenta Contable");

    // A forecast the line's list does not hold.
    r = Run("link --line " + line1 + " --forecasts 999999");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("La previsión de pago 999999 no está en la lista de la línea"), std::string::npos) << r.err;

    // Unlinking without --yes is not confirmed, and says so.
    r = Run("link --line " + line1 + " --forecasts " + a + " --unlink");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "question|¡ Atención !|¿Está seguro que desea desvincular las lineas señaladas?\n"
                     "Desvinculación no confirmada: nada se ha desvinculado (confirme con --yes)\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + line1), "2");
    r = Run("link --line " + line1 + " --forecasts " + a + " --unlink --yes");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Scalar("SELECT ImporteVinculado FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                     line1),
              "200.00");

    EXPECT_EQ(Run("link --line " + line1 + " --documents X").code, 1);
    r = Run("link --line 99999999 --forecasts 1");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("No existe la línea de extracto 99999999"), std::string::npos) << r.err;
}

TEST_F(LinkCommands, MarkLinesNotToBePaidOrWithANewDueDate) {
    std::string b = std::to_string(std::stol(apunte1) + 1);
    ASSERT_EQ(Run("link --line " + line2 + " --forecasts " + b).code, 0);
    Result r = Run("mark --line " + line1 + "," + line2 + " --nopago --obs1 " + Q("Según O'Brien"));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE NoPago = 1 AND Obs1 = "
                     "'Según O''Brien'"),
              "2");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + line2), "0");

    // A line without remarks needs the first one.
    std::string line3 = std::to_string(std::stol(line1) + 2);
    r = Run("mark --line " + line3 + " --nopago");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "warning|¡ Atención !|Debe especificar al menos la primera Observación\n");

    r = Run("mark --line " + line1 + " --due 15/07/2026 --obs1 aplazada");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Scalar("SELECT NoPago FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " + line1), "0");
    EXPECT_EQ(Scalar("SELECT Nueva_FechaVto FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                     line1),
              "15/07/2026");

    r = Run("mark --line " + line2 + " --clear");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Scalar("SELECT NoPago FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " + line2), "0");
    EXPECT_EQ(Run("mark --line " + line1).code, 1);
}

TEST_F(LinkCommands, MatchRunsTheAutomaticMatchingOfAStatement) {
    Result r = Run("match 1 " + Q("C'1"));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Líneas vinculadas: 3 (previsiones de pago vinculadas: 3)\n");
    EXPECT_EQ(r.err, "information|¡ Atención !|Casación Automática realizada correctamente.\\nNo se han detectado "
                     "facturas duplicadas.\n");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos pp INNER JOIN "
                     "Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = pp.IdExtractoLinea WHERE "
                     "lin.Cod_Extracto = 'C''1'"),
              "3");
    r = Run("match 1 " + Q("C'1") + " --supplier 2");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Líneas vinculadas: 0 (previsiones de pago vinculadas: 0)\n");
    EXPECT_EQ(Run("match 1 NOEXISTE").code, 1);
    ASSERT_EQ(Run("param PagoCentral_TipoExtracto 1").code, 0);
    r = Run("match 1 " + Q("C'1"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("PagoCentral_TipoExtracto = 2"), std::string::npos) << r.err;
}

// The ids that link and mark ask for, the row's colour and the "Tipo Pago" cell's own.
TEST_F(LinkCommands, LinesPrintsEachLinesIdAndBothColours) {
    Sql("UPDATE Compras_PagosCentral_Extractos_Lineas SET Id_Relacion = 4 WHERE IdExtractoLinea = " + line2);
    ASSERT_EQ(Run("link --line " + line1 + " --forecasts " + apunte1).code, 0);
    Result r = Run("lines 1 " + Q("C'1"));
    ASSERT_EQ(r.code, 0) << r.err;
    auto t = Table(r.out);
    ASSERT_EQ(t.size(), 4u) << r.out;
    EXPECT_EQ(t[0][0], "IdExtractoLinea");
    EXPECT_EQ(t[0][t[0].size() - 2], "Color");
    EXPECT_EQ(t[0].back(), "Color Tipo Pago");
    std::set<std::string> ids;
    for (std::size_t i = 1; i < t.size(); ++i) {
        ASSERT_EQ(t[i].size(), t[0].size()) << i;
        ids.insert(t[i][0]);
        // A line of a relation has the Euromadi colour there; the others the row's.
        EXPECT_EQ(t[i].back(), t[i][0] == line2 ? "16761024" : t[i][t[i].size() - 2]) << t[i][0];
        // Line 1 is linked in full: the "Ok" colour of the demo.
        if (t[i][0] == line1) {
            EXPECT_NE(t[i][t[i].size() - 2], "") << r.out;
        } else {
            EXPECT_EQ(t[i][t[i].size() - 2], "") << r.out;
        }
    }
    EXPECT_EQ(ids, (std::set<std::string>{line1, line2, std::to_string(std::stol(line1) + 2)}));
}

TEST_F(LinkCommands, LinkInvoicesOfATypeOneLine) {
    ASSERT_EQ(Run("param PagoCentral_TipoExtracto 1").code, 0);
    Sql("INSERT INTO Entradas_Facturas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, Fecha, "
        "Importe, ImporteContable, Asiento, Usuario, Hora) VALUES (1, 2026, 1, 0, 1, 'FV''77', '15/05/2026', 120.5, "
        "120.5, 0, 1, '15/05/2026')");
    Result r = Run("link --line " + line1 + " --documents " + Q("FV'77"));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Compras_PagosCentral_Entradas_Facturas WHERE IdExtractoLinea = " + line1 +
                     " AND Documento = 'FV''77'"),
              "1");
    EXPECT_EQ(Scalar("SELECT ImporteVinculado FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                     line1),
              "120.50");
    r = Run("link --line " + line1 + " --forecasts 1");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("use --documents"), std::string::npos) << r.err;
}

// A folder made before the duplicate search had its index gets it the next time it is opened.
TEST_F(LinkCommands, AnOlderDataFolderGetsTheMissingIndexesOnOpen) {
    std::string erp = data + "/erp.db";
    // As the indexes were before: by supplier only; another one missing; one no longer defined.
    db::RunSqliteScript(erp, {"DROP INDEX IX_Compras_PagosCentral_Extractos_Lineas_2",
                              "CREATE INDEX IX_Compras_PagosCentral_Extractos_Lineas_2 ON "
                              "Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Proveedor)",
                              "DROP INDEX IX_Compras_PagosCentral_Extractos_Lineas_3",
                              "CREATE INDEX IX_Compras_PagosCentral_Extractos_Lineas_9 ON "
                              "Compras_PagosCentral_Extractos_Lineas (Importe)",
                              "CREATE TRIGGER TR_Compras_PagosCentral_Extractos_Lineas_Importes_U BEFORE UPDATE OF "
                              "Importe ON Compras_PagosCentral_Extractos_Lineas WHEN abs(NEW.Importe) > 1 BEGIN "
                              "SELECT RAISE(ABORT, 'x'); END"});
    // The query itself opens the folder, so it already sees the indexes as they are now.
    EXPECT_EQ(Scalar("SELECT sql FROM sqlite_master WHERE name = 'IX_Compras_PagosCentral_Extractos_Lineas_2'"),
              "CREATE INDEX IX_Compras_PagosCentral_Extractos_Lineas_2 ON Compras_PagosCentral_Extractos_Lineas "
              "(Cod_Empresa, Cod_Extracto, Cod_Proveedor, Fecha, substr(rtrim(Documento), -(4), (4)) COLLATE "
              "NOCASE)");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM sqlite_master WHERE name = 'IX_Compras_PagosCentral_Extractos_Lineas_3'"),
              "1");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM sqlite_master WHERE name = 'IX_Compras_PagosCentral_Extractos_Lineas_9'"),
              "0");
    // No trigger of ours remains from an earlier version (amounts are checked where they are bound).
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM sqlite_master WHERE type = 'trigger'"), "0");
    EXPECT_EQ(Run("match 1 " + Q("C'1")).code, 0);
}

} // namespace
