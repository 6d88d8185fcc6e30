#include "fixtures/Program.h"
#include "fixtures/Vinculos.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

// Two users (two processes of the program, each with its own connections) changing the same
// database at the same moment, many times over: each must finish, neither may see "database is
// locked", and nothing may be doubled or lost.

namespace {

struct Outcome {
    int code;
    std::string err;
};

std::string Read(const std::string &path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class TwoUsers : public ::testing::Test, public VinculosFixture {
  protected:
    TwoUsers() {
        demo.SetParam("PagoCentral_TipoExtracto", "2");
        demo.settings->GuardarValor("FechaIExtracto", "01/01/2000");
    }

    // Both command lines started together; their exit codes and what they wrote to stderr.
    std::pair<Outcome, Outcome> Together(const std::string &a, const std::string &b) {
        auto command = [&](const std::string &args, const std::string &err) {
            return "USERPROFILE=" + fixtures::Q(demo.dir.File("perfil")) +
                   " PAGOCENTRAL_SETTINGS=" + fixtures::Q(demo.dir.File("settings.ini")) + " " +
                   std::string(PC_PROGRAM) + " " + args + " --data " + fixtures::Q(demo.dir.Path()) +
                   " >/dev/null 2>" + fixtures::Q(err);
        };
        std::string ea = demo.dir.File("a.err"), eb = demo.dir.File("b.err");
        int ra = -1, rb = -1;
        std::string ca = command(a, ea), cb = command(b, eb);
        std::thread ta([&] { ra = std::system(ca.c_str()); });
        std::thread tb([&] { rb = std::system(cb.c_str()); });
        ta.join();
        tb.join();
        auto code = [](int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; };
        return {{code(ra), Read(ea)}, {code(rb), Read(eb)}};
    }

    static void Finished(const Outcome &r, const std::string &what, int round) {
        EXPECT_EQ(r.code, 0) << what << ", round " << round << ": " << r.err;
        EXPECT_EQ(r.err.find("locked"), std::string::npos) << what << ", round " << round << ": " << r.err;
    }

    std::string Link(long line, long apunte) {
        return "link --line " + std::to_string(line) + " --forecasts " + std::to_string(apunte);
    }
};

constexpr int kRounds = 12;

TEST_F(TwoUsers, LinkDifferentForecastsToDifferentLines) {
    const long before = demo.Count("Compras_PagosCentral_PrevPagos"); // the demo's own links
    for (int round = 0; round < kRounds; ++round) {
        std::string n = std::to_string(round);
        long l1 = Line(901, "10", "UNO-" + n), l2 = Line(901, "20", "DOS-" + n);
        long f1 = Forecast("4000000901", "P1-" + n, "10", 1), f2 = Forecast("4000000901", "P2-" + n, "20", 2);
        auto [a, b] = Together(Link(l1, f1), Link(l2, f2));
        Finished(a, "first link", round);
        Finished(b, "second link", round);
        EXPECT_EQ(Links(l1), std::to_string(f1)) << round;
        EXPECT_EQ(Links(l2), std::to_string(f2)) << round;
        EXPECT_EQ(Linked(l1), "10");
        EXPECT_EQ(Linked(l2), "20");
    }
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos"), before + 2 * kRounds);
}

TEST_F(TwoUsers, LinkWhileAnotherMatchesAStatement) {
    for (int round = 0; round < kRounds; ++round) {
        std::string n = std::to_string(round);
        std::string code = "M" + n;
        Statement(code, -2, 13, false);
        for (int i = 0; i < 40; ++i) {
            // Last four characters unique across rounds, so that no line looks like a duplicate of another.
            std::string doc = "M" + n + "-" + std::to_string(1000 + round * 40 + i);
            std::string amount = std::to_string(100 + i) + ".5";
            Line(901, amount, doc, -5, code);
            Forecast("4000000901", doc, amount, 1);
        }
        long mine = Line(902, "7", "SOLO-" + n);
        long f = Forecast("4000000902", "OTRO-" + n, "7", 2);
        auto [a, b] = Together("match 1 " + code, Link(mine, f));
        Finished(a, "match", round);
        Finished(b, "link", round);
        EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos pp INNER JOIN Compras_PagosCentral_Extractos_Lineas lin "
                             "ON lin.IdExtractoLinea = pp.IdExtractoLinea WHERE lin.Cod_Extracto = '" +
                             code + "'"),
                  40)
            << round;
        EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '" + code +
                             "' AND ImporteVinculado = Importe"),
                  40)
            << round;
        EXPECT_EQ(Links(mine), std::to_string(f)) << round;
        EXPECT_EQ(Linked(mine), "7");
    }
}

TEST_F(TwoUsers, ImportTwoStatementFilesAtOnce) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    for (int round = 0; round < kRounds; ++round) {
        std::string files[2];
        for (int u = 0; u < 2; ++u) {
            std::string code = "R" + std::to_string(round) + "-" + std::to_string(u);
            std::string text = "\"E\";\"101\";\"" + code + "\";01112026;16112026\n";
            for (int i = 0; i < 150; ++i) {
                text += "\"L\";\"" + code + "\";50001;1;\"FA-" + std::to_string(i) + "\";\"D-" + code + "-" +
                        std::to_string(i) + "\";15102026;" + std::to_string(10 + i) + ",50\n";
            }
            text += "\"FIN\"\n";
            files[u] = demo.dir.File("f" + std::to_string(u) + ".txt");
            std::ofstream(files[u], std::ios::binary) << text;
        }
        auto [a, b] = Together("import " + fixtures::Q(files[0]), "import " + fixtures::Q(files[1]));
        Finished(a, "first import", round);
        Finished(b, "second import", round);
        for (int u = 0; u < 2; ++u) {
            std::string code = "R" + std::to_string(round) + "-" + std::to_string(u);
            EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos WHERE Cod_Extracto = '" + code + "'"), 1) << code;
            EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '" + code + "'"), 150)
                << code;
        }
    }
}

TEST_F(TwoUsers, DeleteTwoStatementsAtOnce) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    for (int round = 0; round < kRounds; ++round) {
        std::string codes[3];
        for (int u = 0; u < 3; ++u) {
            codes[u] = "B" + std::to_string(round) + "-" + std::to_string(u);
            Statement(codes[u], -2, 13, false);
            for (int i = 0; i < 60; ++i) {
                long id = Line(901, "5", codes[u] + "-" + std::to_string(i), -5, codes[u]);
                demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                                  "Valor_Tipo, Importe, Tipo) VALUES (" +
                                  std::to_string(id) + ", 5, 7, 0.35, 4)");
            }
        }
        auto [a, b] = Together("delete --yes 1:" + codes[0], "delete --yes 1:" + codes[1]);
        Finished(a, "first delete", round);
        Finished(b, "second delete", round);
        for (int u = 0; u < 3; ++u) {
            long expected = u < 2 ? 0 : 1;
            EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos WHERE Cod_Extracto = '" + codes[u] + "'"), expected);
            EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '" + codes[u] + "'"),
                      60 * expected);
        }
        EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos i WHERE NOT EXISTS (SELECT 1 FROM "
                             "Compras_PagosCentral_Extractos_Lineas l WHERE l.IdExtractoLinea = i.IdExtractoLinea)"),
                  0);
    }
}

TEST_F(TwoUsers, AccountTheSameStatementAtOnce) {
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    auto acc = [&](const std::string &sql) {
        auto rs = demo.acc->OpenRecordset(sql);
        return rs->Eof() ? std::string("<none>") : rs->Fields(0).AsText();
    };
    for (int round = 0; round < kRounds; ++round) {
        const std::string code = "R'" + std::to_string(round);
        Statement(code, -2, 13, false);
        long line = Line(901, "10", "DOC-" + std::to_string(round), -5, code);
        long forecast = Forecast("4000000901", "P-" + std::to_string(round), "10", 1);
        LinkForecast(line, forecast, "10");
        const std::string args = "entries --yes --contra 5720000001 " + fixtures::Q("1:" + code);
        auto [a, b] = Together(args, args);
        EXPECT_EQ(a.err.find("locked"), std::string::npos) << round << ": " << a.err;
        EXPECT_EQ(b.err.find("locked"), std::string::npos) << round << ": " << b.err;
        ASSERT_TRUE((a.code == 0) != (b.code == 0)) << round << ": " << a.err << "\n" << b.err;
        const Outcome &lost = a.code == 0 ? b : a;
        EXPECT_EQ(lost.code, 1) << round;
        // Refused either by the re-check inside the run or, when its list loaded after the other's
        // commit, by the closed state; the command names the statement it could not close.
        const bool recheck = lost.err.find("El Extracto: " + code + " ya está cerrado: otro usuario ha generado su "
                                           "asiento.") != std::string::npos;
        const bool listed = lost.err.find("Existe algún Extracto señalado que ya se le ha generado el asiento.") !=
                            std::string::npos;
        EXPECT_TRUE(recheck || listed) << round << ": " << lost.err;
        EXPECT_NE(lost.err.find("Extractos sin cerrar: 1:" + code), std::string::npos) << round << ": " << lost.err;

        EXPECT_EQ(acc("SELECT COUNT(*) FROM Asientos"), std::to_string(round + 1)) << round;
        EXPECT_EQ(acc("SELECT COUNT(*) FROM Apuntes WHERE Documento = " + db::Quote(code)), "1") << round;
        EXPECT_EQ(acc("SELECT COUNT(*) FROM Apuntes WHERE Documento = 'P-" + std::to_string(round) + "'"), "1")
            << round;
        EXPECT_EQ(acc("SELECT Estado FROM Previsiones_Pago WHERE Apunte = " + std::to_string(forecast)), "1");
        EXPECT_EQ(demo.One("SELECT Cerrado FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = " +
                           db::Quote(code)),
                  "1");
        EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE Contabilizado = 1 AND IdExtractoLinea = " +
                             std::to_string(line)),
                  1);
    }
    EXPECT_EQ(acc("SELECT MAX(Valor) FROM Contadores WHERE Nombre = 'Asiento'"), std::to_string(kRounds));
}

} // namespace
