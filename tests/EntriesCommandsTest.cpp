#include "fixtures/Program.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using fixtures::Q;
using fixtures::Result;
using fixtures::RunProgram;
using fixtures::Table;

// The demo databases in a folder of their own.
class EntriesCommands : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0); }
    Result Run(const std::string &args) { return RunProgram(args + " --data " + Q(data), dir); }
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
