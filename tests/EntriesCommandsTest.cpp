#include "fixtures/Program.h"
#include "fixtures/TempDir.h"
#include "suite/Fecha.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using fixtures::Q;
using fixtures::Result;
using fixtures::RunProgram;
using fixtures::Table;

// The demo databases in a folder of their own, with their two ready statements (one per mode).
class EntriesCommands : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0); }
    Result Run(const std::string &args) { return RunProgram(args + " --data " + Q(data), dir); }
    std::string Scalar(const std::string &s, bool accounting = false) {
        Result r = Run(std::string("sql ") + (accounting ? "--accounting " : "") + Q(s));
        auto t = Table(r.out);
        return t.size() >= 2 && !t[1].empty() ? t[1][0] : "<none: " + r.err + ">";
    }
    static std::string Ready(int mode) {
        return "M" + std::to_string(mode) + "-" + std::to_string(suite::Fecha::Hoy().SumarDias(-5).Anio());
    }
    // The journal's entry lines, its unbalanced-entry lines and its totals line, apart.
    struct Journal {
        std::vector<std::vector<std::string>> lines;
        std::vector<std::string> unbalanced;
        std::string totals;
    };
    Journal ReadJournal(const std::string &options = {}) {
        Result r = Run("journal" + options);
        EXPECT_EQ(r.code, 0) << r.err;
        Journal j;
        auto t = Table(r.out);
        EXPECT_GE(t.size(), 2u);
        if (t.size() < 2) {
            return j;
        }
        EXPECT_EQ(t[0], (std::vector<std::string>{"Asiento", "Fecha", "Linea", "Cuenta", "NombreCuenta", "Concepto",
                                                  "Documento", "Debe", "Haber"}));
        for (std::size_t i = 1; i + 1 < t.size(); ++i) {
            if (t[i].size() == 9) {
                j.lines.push_back(t[i]);
            } else {
                j.unbalanced.push_back(t[i][0]);
            }
        }
        for (std::size_t c = 0; c < t.back().size(); ++c) {
            j.totals += (c ? "|" : "") + t.back()[c];
        }
        return j;
    }

    TempDir dir;
    std::string data = dir.File("datos");
};

TEST_F(EntriesCommands, AModeOneStatementIsClosedOnlyWhenConfirmedAndTheJournalBalances) {
    const std::string code = Ready(1);
    Result no = Run("entries 2:" + code);
    EXPECT_EQ(no.code, 1);
    EXPECT_EQ(no.err,
              "question|¡ Atención !|¿Está seguro que desea generar el asiento de los extractos señalados?\n"
              "Extractos sin cerrar: 2:" + code + "\n");
    EXPECT_EQ(Scalar("SELECT Cerrado FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = '" + code + "'"), "0");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Apuntes", true), "0");

    Result yes = Run("entries --yes 2:" + code);
    EXPECT_EQ(yes.code, 0) << yes.err;
    EXPECT_EQ(yes.out, "Cerrados: 1\n");
    EXPECT_NE(yes.err.find("information|Varnex|Operación realizada con éxito. Asientos generados: \\n1\\n2\\n3\\n4\\nAsiento del "
                            "Extracto: \\n5\n"),
              std::string::npos)
        << yes.err;
    EXPECT_EQ(Scalar("SELECT Cerrado FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = '" + code + "'"), "1");

    Journal j = ReadJournal();
    ASSERT_FALSE(j.lines.empty());
    EXPECT_TRUE(j.unbalanced.empty());
    // Registration entries of the four line dates, then the payment entry closed by the contra line.
    EXPECT_EQ(j.lines.back()[8], "2154.34");
    EXPECT_EQ(j.totals, "Debe/Haber totals|4297.34|4297.34");
    // Lines in entry and line order, names from the accounts, concepts in their final text.
    for (std::size_t i = 1; i < j.lines.size(); ++i) {
        long prev = std::stol(j.lines[i - 1][0]), cur = std::stol(j.lines[i][0]);
        EXPECT_TRUE(prev < cur || (prev == cur && std::stol(j.lines[i - 1][2]) < std::stol(j.lines[i][2]))) << i;
    }
    const auto &contra = j.lines.back();
    EXPECT_EQ(contra[3], "5720000001");
    EXPECT_EQ(contra[4], "Banco Canario, c/c principal");
    EXPECT_EQ(contra[5], "Contrapartida extracto " + code);
    EXPECT_EQ(contra[6], code);

    Result again = Run("entries --yes 2:" + code);
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.err, "warning|¡ Atención !|Existe algún Extracto señalado que ya se le ha generado el asiento. "
                         "Desmárquelo para continuar.\nExtractos sin cerrar: 2:" + code + "\n");
    Result unknown = Run("entries --yes 2:NOPE");
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("No existe el extracto NOPE del almacén 2"), std::string::npos) << unknown.err;
}

TEST_F(EntriesCommands, AModeTwoStatementNeedsTheContraAccountOption) {
    ASSERT_EQ(Run("param PagoCentral_TipoExtracto 2").code, 0);
    const std::string code = Ready(2);
    Result cancelled = Run("entries --yes 3:" + code);
    EXPECT_EQ(cancelled.code, 1);
    EXPECT_EQ(cancelled.err,
              "question|¡ Atención !|¿Está seguro que desea generar el asiento de los extractos señalados?\n"
              "information|Varnex|Ha ocurrido un error al generar el asiento\n"
              "Extractos sin cerrar: 3:" + code + "\n");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Asientos", true), "0");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos WHERE Contabilizado = 1"), "0");

    Result done = Run("entries --yes --contra 5720000001 3:" + code);
    EXPECT_EQ(done.code, 0) << done.err;
    EXPECT_EQ(done.err.substr(done.err.find('\n') + 1),
              "information|Varnex|Operación realizada con éxito. Asientos generados: \\n1\n");
    Journal j = ReadJournal(" --entry 1");
    ASSERT_EQ(j.lines.size(), 7u);
    EXPECT_EQ(j.lines[0][3], "4000000008");
    EXPECT_EQ(j.lines[0][5], "Pago centralizado extracto " + code);
    EXPECT_EQ(j.lines[0][6], "DM2-0001");
    EXPECT_EQ(j.lines[0][7], "642.00");
    EXPECT_EQ(j.lines[6][8], "2140.00");
    EXPECT_TRUE(j.unbalanced.empty());
    EXPECT_EQ(j.totals, "Debe/Haber totals|2354.00|2354.00");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Previsiones_Pago WHERE Estado = 1 AND CuentaContrapartida = '5720000001' "
                     "AND Documento LIKE 'DM2-%'",
                     true),
              "3");
}

TEST_F(EntriesCommands, ASage200RunPrintsTheFilesItWroteAndAFailedOneNamesThoseLeftBehind) {
    const std::string folder = dir.File("sage200");
    std::filesystem::create_directories(folder);
    ASSERT_EQ(Run("param Tipo_Contabilidad 6").code, 0);
    ASSERT_EQ(Run("sql " + Q("UPDATE Arqueos_ParamContabilidad SET PathFicheros = '" + folder + "'")).code, 0);
    // A second statement, listed after the ready one, whose claimed line falls in a closed year.
    const std::string old = std::to_string(suite::Fecha::Hoy().SumarDias(-5).Anio() - 2);
    ASSERT_EQ(Run("sql " + Q("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                             "FechaExtracto, FechaVto) VALUES (1, 2, 'VIEJO', '15/06/" +
                             old + "', '30/06/" + old + "')"))
                  .code,
              0);
    ASSERT_EQ(Run("sql " + Q("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, "
                             "Cod_Extracto, Cod_Proveedor, Documento, Fecha, Importe, TipoPago) VALUES (1, 2, 'VIEJO', "
                             "1, 'V-1', '15/06/" +
                             old + "', 10, 1)"))
                  .code,
              0);
    ASSERT_EQ(Run("sql " + Q("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, "
                             "TotalReclamacion) SELECT IdExtractoLinea, 10 FROM Compras_PagosCentral_Extractos_Lineas "
                             "WHERE Cod_Extracto = 'VIEJO'"))
                  .code,
              0);
    ASSERT_EQ(Run("param PagoCentral_AsientoCheckLineasNoVinc 0").code, 0);
    const std::string code = Ready(1);
    Result failed = Run("entries --yes 2:" + code + " 2:VIEJO");
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_NE(failed.err.find("critical|frmExtractos:GenerarAsiento|El ejercicio " + old + " está cerrado\n"),
              std::string::npos)
        << failed.err;
    std::vector<std::string> left;
    for (const auto &e : std::filesystem::directory_iterator(folder)) {
        left.push_back(e.path().string());
    }
    std::sort(left.begin(), left.end());
    ASSERT_EQ(left.size(), 2u);
    EXPECT_NE(failed.err.find("Fichero escrito por una ejecución deshecha: " + left[1] + "\n"), std::string::npos)
        << failed.err;
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Contador_SAGE200 WHERE Serie = 'IMP'"), "0");

    Result done = Run("entries --yes 2:" + code);
    ASSERT_EQ(done.code, 0) << done.err;
    auto out = Table(done.out);
    ASSERT_EQ(out.size(), 3u) << done.out;
    EXPECT_EQ(out[2][0], "Cerrados: 1");
    EXPECT_EQ(out[0][0].rfind(folder + "/PagCenSAGE200_" + code + "_", 0), 0u) << out[0][0];
    EXPECT_EQ(out[1][0].rfind(folder + "/PagCenSAGE200_" + code + "_PAGO_", 0), 0u) << out[1][0];
    std::ifstream pago(out[1][0], std::ios::binary);
    std::string first;
    std::getline(pago, first);
    EXPECT_EQ(first.substr(0, 24), "D;4000000001;;1;TRANSF. ");
    EXPECT_EQ(first.back(), '\r');
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Apuntes", true), "0");
    EXPECT_EQ(Scalar("SELECT Codigo FROM Contador_SAGE200 WHERE Serie = 'IMP'"), "3");
}

TEST_F(EntriesCommands, TheJournalFiltersByDateEntryAndCompanyAndNamesEntriesThatDoNotBalance) {
    auto apunte = [&](int company, int asiento, int linea, const std::string &fecha, const std::string &concepto,
                      const std::string &debe, const std::string &haber) {
        Result r = Run("sql --accounting " +
                       Q("INSERT INTO Apuntes (Cod_Empresa, Cod_Ejercicio, Asiento, Linea, Fecha, Cuenta, ConceptoTexto, "
                         "Documento, Debe, Haber) VALUES (" +
                         std::to_string(company) + ", 2026, " + std::to_string(asiento) + ", " + std::to_string(linea) +
                         ", '" + fecha + "', '5720000001', '" + concepto + "', 'D''1', " + debe + ", " + haber + ")"));
        ASSERT_EQ(r.code, 0) << r.err;
    };
    apunte(1, 7, 2, "10/03/2026", "O''Hara \"x\" ''); --", "0", "10.5");
    apunte(1, 7, 1, "10/03/2026", "uno", "10.5", "0");
    apunte(1, 8, 1, "20/03/2026", "descuadre", "3", "0");
    apunte(2, 7, 1, "10/03/2026", "otra empresa", "99", "0");

    Journal all = ReadJournal();
    ASSERT_EQ(all.lines.size(), 3u);
    EXPECT_EQ(all.lines[0], (std::vector<std::string>{"7", "10/03/2026", "1", "5720000001",
                                                      "Banco Canario, c/c principal", "uno", "D'1", "10.50", "0.00"}));
    EXPECT_EQ(all.lines[1][5], "O'Hara \"x\" '); --");
    EXPECT_EQ(all.unbalanced, (std::vector<std::string>{"Asiento 8 (ejercicio 2026) no cuadra: Debe 3.00 Haber 0.00"}));
    EXPECT_EQ(all.totals, "Debe/Haber totals|13.50|10.50");

    EXPECT_EQ(ReadJournal(" --from 11/03/2026").lines.size(), 1u);
    EXPECT_EQ(ReadJournal(" --to 10/03/2026").totals, "Debe/Haber totals|10.50|10.50");
    EXPECT_EQ(ReadJournal(" --entry 8").lines.size(), 1u);
    Journal other = ReadJournal(" --accounting-company 2");
    ASSERT_EQ(other.lines.size(), 1u);
    EXPECT_EQ(other.lines[0][4], "");
    EXPECT_EQ(Run("journal --from 31/02/2026").code, 1);
}

} // namespace
