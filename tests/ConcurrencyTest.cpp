#include "fixtures/Program.h"
#include "fixtures/Vinculos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
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
    std::string err, out;
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
                   std::string(PC_PROGRAM) + " " + args + " --data " + fixtures::Q(demo.dir.Path()) + " >" +
                   fixtures::Q(err + ".out") + " 2>" + fixtures::Q(err);
        };
        std::string ea = demo.dir.File("a.err"), eb = demo.dir.File("b.err");
        int ra = -1, rb = -1;
        std::string ca = command(a, ea), cb = command(b, eb);
        std::thread ta([&] { ra = std::system(ca.c_str()); });
        std::thread tb([&] { rb = std::system(cb.c_str()); });
        ta.join();
        tb.join();
        auto code = [](int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; };
        return {{code(ra), Read(ea), Read(ea + ".out")}, {code(rb), Read(eb), Read(eb + ".out")}};
    }

    static void Finished(const Outcome &r, const std::string &what, int round) {
        EXPECT_EQ(r.code, 0) << what << ", round " << round << ": " << r.err;
        EXPECT_EQ(r.err.find("locked"), std::string::npos) << what << ", round " << round << ": " << r.err;
    }

    // Exactly one of the two finished and the other was refused (exit 1); neither met a lock error.
    static bool OneOfTwo(const Outcome &a, const Outcome &b, int round) {
        EXPECT_EQ(a.err.find("locked"), std::string::npos) << round << ": " << a.err;
        EXPECT_EQ(b.err.find("locked"), std::string::npos) << round << ": " << b.err;
        EXPECT_EQ((a.code == 0 ? b : a).code, 1) << round;
        EXPECT_TRUE((a.code == 0) != (b.code == 0)) << round << ": " << a.err << "\n" << b.err;
        return (a.code == 0) != (b.code == 0);
    }

    std::string Acc(const std::string &sql) const {
        auto rs = demo.acc->OpenRecordset(sql);
        return rs->Eof() ? std::string("<none>") : rs->Fields(0).AsText();
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

// Which of the two won each round, printed for the record of how the races went.
struct Tally {
    std::string race;
    int first = 0, second = 0, inside = 0;
    void Won(bool byFirst) { ++(byFirst ? first : second); }
    // The loser was stopped inside its own transaction rather than by the list it loaded.
    void Inside(bool recheck) { inside += recheck ? 1 : 0; }
    ~Tally() {
        std::cout << "[ race ] " << race << ": first won " << first << ", second won " << second
                  << "; loser stopped inside its transaction " << inside << "\n";
    }
};

TEST_F(TwoUsers, AccountTheSameStatementAtOnce) {
    Tally tally{"the same statement accounted twice"};
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    for (int round = 0; round < kRounds; ++round) {
        const std::string code = "R'" + std::to_string(round);
        Statement(code, -2, 13, false);
        long line = Line(901, "10", "DOC-" + std::to_string(round), -5, code);
        long forecast = Forecast("4000000901", "P-" + std::to_string(round), "10", 1);
        LinkForecast(line, forecast, "10");
        const std::string args = "entries --yes --contra 5720000001 " + fixtures::Q("1:" + code);
        auto [a, b] = Together(args, args);
        ASSERT_TRUE(OneOfTwo(a, b, round));
        const Outcome &lost = a.code == 0 ? b : a;
        // Refused either by the re-check inside the run or, when its list loaded after the other's
        // commit, by the closed state; the command names the statement it could not close.
        const bool recheck = lost.err.find("El Extracto: " + code + " ya está cerrado: otro usuario ha generado su "
                                           "asiento.") != std::string::npos;
        const bool listed = lost.err.find("Existe algún Extracto señalado que ya se le ha generado el asiento.") !=
                            std::string::npos;
        EXPECT_TRUE(recheck || listed) << round << ": " << lost.err;
        tally.Won(a.code == 0);
        tally.Inside(recheck);
        EXPECT_NE(lost.err.find("Extractos sin cerrar: 1:" + code), std::string::npos) << round << ": " << lost.err;

        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Asientos"), std::to_string(round + 1)) << round;
        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Apuntes WHERE Documento = " + db::Quote(code)), "1") << round;
        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Apuntes WHERE Documento = 'P-" + std::to_string(round) + "'"), "1")
            << round;
        EXPECT_EQ(Acc("SELECT Estado FROM Previsiones_Pago WHERE Apunte = " + std::to_string(forecast)), "1");
        EXPECT_EQ(demo.One("SELECT Cerrado FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = " +
                           db::Quote(code)),
                  "1");
        EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE Contabilizado = 1 AND IdExtractoLinea = " +
                             std::to_string(line)),
                  1);
    }
    EXPECT_EQ(Acc("SELECT MAX(Valor) FROM Contadores WHERE Nombre = 'Asiento'"), std::to_string(kRounds));
}

TEST_F(TwoUsers, ImportTheSameFileTwiceAtOnce) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    const std::string almacen = demo.One("SELECT Nombre FROM Almacenes WHERE Codigo = 1");
    Tally tally{"the same file imported twice"};
    for (int round = 0; round < kRounds; ++round) {
        const std::string code = "D'" + std::to_string(round);
        std::string text = "\"E\";\"101\";\"" + code + "\";01112026;16112026\n";
        for (int i = 0; i < 150; ++i) {
            text += "\"L\";\"" + code + "\";50001;1;\"FA-" + std::to_string(i) + "\";\"D-" + code + "-" +
                    std::to_string(i) + "\";15102026;" + std::to_string(10 + i) + ",50\n";
        }
        text += "\"FIN\"\n";
        const std::string file = demo.dir.File("doble.txt");
        std::ofstream(file, std::ios::binary) << text;
        const std::string args = "import " + fixtures::Q(file);
        auto [a, b] = Together(args, args);
        ASSERT_TRUE(OneOfTwo(a, b, round));
        tally.Won(a.code == 0);
        const Outcome &won = a.code == 0 ? a : b, &lost = a.code == 0 ? b : a;
        EXPECT_EQ(won.err, "information|¡ Atención !|Fichero importado correctamente.\n") << round;
        EXPECT_EQ(lost.err, "warning|¡Atención!|Error de Importación: Ya existe el Extracto: " + code +
                                " asociado al almacén: 1 " + almacen + "\\nFichero: " + file +
                                "\\nLínea: 1\\nCampo: Extracto (campo 3)\n")
            << round;
        tally.Inside(true); // the duplicate check runs inside the import's transaction
        EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos WHERE Cod_Extracto = " + db::Quote(code)), 1) << round;
        EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = " + db::Quote(code)), 150)
            << round;
    }
}

TEST_F(TwoUsers, AccountAndDeleteTheSameStatementAtOnce) {
    demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    Tally tally{"entries (first) and deletion (second) of one statement"};
    long entries = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string code = "X'" + std::to_string(round), doc = "DOC-" + std::to_string(round);
        Statement(code, -2, 13, false);
        for (int i = 0; i < 20; ++i) {
            long line = Line(901, "10", doc + "-" + std::to_string(i), -5, code);
            long forecast = Forecast("4000000901", "P-" + std::to_string(round) + "-" + std::to_string(i), "10", 1);
            LinkForecast(line, forecast, "10");
        }
        auto [a, b] = Together("entries --yes --contra 5720000001 " + fixtures::Q("1:" + code),
                               "delete --yes " + fixtures::Q("1:" + code));
        ASSERT_TRUE(OneOfTwo(a, b, round));
        tally.Won(a.code == 0);
        const std::string key = " WHERE Cod_Extracto = " + db::Quote(code);
        const long lines = demo.Count("Compras_PagosCentral_Extractos_Lineas" + key);
        const long links = demo.Count("Compras_PagosCentral_PrevPagos pp INNER JOIN Compras_PagosCentral_Extractos_Lineas "
                                      "lin ON lin.IdExtractoLinea = pp.IdExtractoLinea" + key);
        if (a.code == 0) {
            ++entries;
            // Refused by the re-check inside the deletion, or by the closed state its list loaded.
            const bool recheck = b.err.find("El Extracto: " + code + " ya está cerrado: otro usuario ha generado su "
                                            "asiento. No se ha eliminado ningún extracto.") != std::string::npos;
            const bool listed = b.err.find("Existe algún Extracto señalado que está cerrado. Demárquelo para "
                                           "continuar.") != std::string::npos;
            EXPECT_TRUE(recheck || listed) << round << ": " << b.err;
            tally.Inside(recheck);
            EXPECT_EQ(demo.One("SELECT Cerrado FROM Compras_PagosCentral_Extractos" + key), "1") << round;
            EXPECT_EQ(lines, 20) << round;
            EXPECT_EQ(links, 20) << round;
            EXPECT_EQ(Acc("SELECT COUNT(*) FROM Apuntes WHERE Documento LIKE 'P-" + std::to_string(round) + "-%'"),
                      "20")
                << round;
        } else {
            const bool recheck = a.err.find("El Extracto: " + code + " ya no existe: otro usuario lo ha eliminado. No "
                                            "se ha generado ningún asiento.") != std::string::npos;
            const bool listed = a.err.find("No existe el extracto " + code + " del almacén 1") != std::string::npos;
            EXPECT_TRUE(recheck || listed) << round << ": " << a.err;
            tally.Inside(recheck);
            EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos" + key), 0) << round;
            EXPECT_EQ(lines, 0) << round;
            EXPECT_EQ(links, 0) << round;
            EXPECT_EQ(Acc("SELECT COUNT(*) FROM Apuntes WHERE Documento LIKE 'P-" + std::to_string(round) + "-%'"),
                      "0")
                << round;
        }
        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Asientos"), std::to_string(entries)) << round;
        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Previsiones_Pago WHERE Estado = 1 AND Documento LIKE 'P-" +
                      std::to_string(round) + "-%'"),
                  a.code == 0 ? "20" : "0")
            << round;
    }
}

TEST_F(TwoUsers, MatchAndLinkTheSameForecastAtOnce) {
    Tally tally{"matching (first) and manual linking (second) of one forecast"};
    for (int round = 0; round < kRounds; ++round) {
        const std::string n = std::to_string(round), code = "Q" + n;
        Statement(code, -2, 13, false);
        // Lines of other forecasts, so that the matching has some work beside the contested one.
        for (int i = 0; i < 30; ++i) {
            const std::string doc = "Q" + n + "-" + std::to_string(2000 + round * 30 + i);
            Line(901, std::to_string(200 + i), doc, -5, code);
            Forecast("4000000901", doc, std::to_string(200 + i), 1);
        }
        const std::string doc = "Q" + n + "-" + std::to_string(5000 + round);
        long line = Line(901, "77.7", doc, -5, code);
        long forecast = Forecast("4000000901", doc, "77.7", 1);
        auto [a, b] = Together("match 1 " + code, Link(line, forecast));
        Finished(a, "match", round);
        Finished(b, "link", round);
        EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdPrevPago = " + std::to_string(forecast)), 1)
            << round;
        EXPECT_EQ(Links(line), std::to_string(forecast)) << round;
        EXPECT_EQ(Linked(line), "77.7") << round;
        EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '" + code +
                             "' AND ImporteVinculado = Importe"),
                  31)
            << round;
        // The link was refused when the matching took the forecast after the window listed it; it had
        // nothing to do when the window already showed the forecast linked.
        const bool refused =
            b.err.find("information|¡ Atención !|Estas previsiones de pago ya estaban vinculadas a otra línea y no se "
                       "han vinculado:\\n" +
                       doc) != std::string::npos;
        EXPECT_TRUE(refused || b.err.empty()) << round << ": " << b.err;
        tally.Inside(refused);
        tally.Won(refused || a.out.find("Líneas vinculadas: 31") != std::string::npos);
    }
}

TEST_F(TwoUsers, ExportTheSameClaimsAtOnce) {
    Tally tally{"the same claims exported twice"};
    for (int round = 0; round < kRounds; ++round) {
        const std::string n = std::to_string(round), code = "C'" + n;
        const std::string folder = demo.dir.File("reclamaciones-" + n);
        std::filesystem::create_directories(folder);
        demo.SetParam("PagoCentralPathReclamaciones", folder);
        Statement(code, -2, 13, true);
        long line = Line(901, "100", "REC-" + n, -5, code);
        std::string ids;
        for (int i = 0; i < 3; ++i) {
            demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, "
                              "Cod_TipoRecl, FacturaCodigo, Base1, TotalReclamacion, Hora_Alta) VALUES (" +
                              std::to_string(line) + ", 2, " + db::Quote("FV'" + n + "-" + std::to_string(i)) +
                              ", 10, 10, '" + Dia(-1) + " 10:00:00')");
            ids += (ids.empty() ? "" : ",") +
                   demo.One("SELECT MAX(IdReclamacion) FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion");
        }
        const std::string args = "claim export --from 01/01/2000 --ids " + ids;
        auto [a, b] = Together(args, args);
        ASSERT_TRUE(OneOfTwo(a, b, round));
        tally.Won(a.code == 0);
        const Outcome &won = a.code == 0 ? a : b, &lost = a.code == 0 ? b : a;
        // Refused inside the export's transaction, or not listed any more as pending.
        const std::string first = ids.substr(0, ids.find(','));
        const bool recheck = lost.err == "warning|¡ Exportación abortada !|La reclamación " + first +
                                             " ya ha sido exportada por otro usuario. No se ha exportado ninguna "
                                             "reclamación.\n";
        const bool listed = lost.err == "La reclamación " + first + " no está en la lista del visor\n";
        EXPECT_TRUE(recheck || listed) << round << ": " << lost.err;
        tally.Inside(recheck);

        // One file, written by the winner, each claim on one CRLF line.
        std::vector<std::string> files;
        for (const auto &e : std::filesystem::directory_iterator(folder)) {
            files.push_back(e.path().string());
        }
        ASSERT_EQ(files.size(), 1u) << round;
        EXPECT_EQ(won.out, files[0] + "\n") << round;
        const std::string bytes = Read(files[0]);
        for (int i = 0; i < 3; ++i) {
            const std::string field = ";\"FV'" + n + "-" + std::to_string(i) + "\";";
            EXPECT_EQ(bytes.find(field), bytes.rfind(field)) << round << ": " << bytes;
            EXPECT_NE(bytes.find(field), std::string::npos) << round << ": " << bytes;
        }
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3) << round;
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 3) << round;
        EXPECT_TRUE(bytes.ends_with("\r\n")) << round;
        EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Reclamacion WHERE Exportado = 1 AND IdExtractoLinea "
                             "= " +
                             std::to_string(line)),
                  3)
            << round;
    }
}

TEST_F(TwoUsers, AccountTheSameCustomerStatementAtOnce) {
    Tally tally{"the same customer statement accounted twice"};
    const long before = std::stol(Acc("SELECT COUNT(*) FROM Asientos"));
    for (int round = 0; round < kRounds; ++round) {
        const std::string fecha = Dia(-3 - round), doc = "FC'" + std::to_string(round);
        demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos (Cod_Empresa, Cod_Cliente, FechaCobro, "
                          "FechaContabilizar, Hora, Cerrado) VALUES (1, 2, '" +
                          fecha + "', '" + fecha + "', '" + fecha + "', 0)");
        demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Cliente, FechaCobro, "
                          "Cod_Proveedor, Documento, FechaFactura, Importe, Observaciones, Cod_Atipico, "
                          "AtipicosPorcentaje) VALUES (1, 2, '" +
                          fecha + "', 4, " + db::Quote(doc) + ", '" + Dia(-9 - round) + "', 64.2, '', 0, 0)");
        const std::string args = "customer entries --yes 2:" + fecha;
        auto [a, b] = Together(args, args);
        ASSERT_TRUE(OneOfTwo(a, b, round));
        tally.Won(a.code == 0);
        const Outcome &won = a.code == 0 ? a : b, &lost = a.code == 0 ? b : a;
        EXPECT_EQ(won.out, "Cerrados: 1\n") << round;
        const bool recheck = lost.err.find("El Extracto del cliente 2 con fecha de cobro " + fecha +
                                           " ya está cerrado o no existe. No se ha generado ningún asiento.") !=
                             std::string::npos;
        const bool listed = lost.err.find("Existe algún Extracto señalado que ya se le ha generado el asiento.") !=
                            std::string::npos;
        EXPECT_TRUE(recheck || listed) << round << ": " << lost.err;
        tally.Inside(recheck);

        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Asientos"), std::to_string(before + round + 1)) << round;
        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Apuntes WHERE Documento = " + db::Quote(doc)), "1") << round;
        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Previsiones_Pago WHERE Documento = " + db::Quote(doc)), "2")
            << round;
        EXPECT_EQ(demo.One("SELECT Cerrado FROM Clientes_PagosCentral_Extractos WHERE Cod_Cliente = 2 AND FechaCobro = '" +
                           fecha + "'"),
                  "1");
    }
}

TEST_F(TwoUsers, AccountAndDeleteTheSameCustomerStatementAtOnce) {
    Tally tally{"customer entries (first) and deletion (second) of one statement"};
    long entries = std::stol(Acc("SELECT COUNT(*) FROM Asientos"));
    for (int round = 0; round < kRounds; ++round) {
        const std::string fecha = Dia(-3 - round), doc = "FD'" + std::to_string(round);
        const std::string key = " WHERE Cod_Cliente = 2 AND FechaCobro = '" + fecha + "'";
        demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos (Cod_Empresa, Cod_Cliente, FechaCobro, "
                          "FechaContabilizar, Hora, Cerrado) VALUES (1, 2, '" +
                          fecha + "', '" + fecha + "', '" + fecha + "', 0)");
        demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Cliente, FechaCobro, "
                          "Cod_Proveedor, Documento, FechaFactura, Importe, Observaciones, Cod_Atipico, "
                          "AtipicosPorcentaje) VALUES (1, 2, '" +
                          fecha + "', 4, " + db::Quote(doc) + ", '" + Dia(-9 - round) + "', 64.2, '', 0, 0)");
        auto [a, b] = Together("customer entries --yes 2:" + fecha, "customer delete --yes 2:" + fecha);
        ASSERT_TRUE(OneOfTwo(a, b, round));
        tally.Won(a.code == 0);
        const long lines = demo.Count("Clientes_PagosCentral_Extractos_Lineas" + key);
        if (a.code == 0) {
            ++entries;
            const bool recheck = b.err.find("El Extracto del cliente 2 con fecha de cobro " + fecha +
                                            " ya está cerrado: otro usuario ha generado su asiento. No se ha "
                                            "eliminado ningún extracto.") != std::string::npos;
            const bool listed = b.err.find("Existe algún Extracto señalado que está cerrado. Demárquelo para "
                                           "continuar.") != std::string::npos;
            EXPECT_TRUE(recheck || listed) << round << ": " << b.err;
            tally.Inside(recheck);
            EXPECT_EQ(demo.One("SELECT Cerrado FROM Clientes_PagosCentral_Extractos" + key), "1") << round;
            EXPECT_EQ(lines, 1) << round;
            EXPECT_EQ(Acc("SELECT COUNT(*) FROM Apuntes WHERE Documento = " + db::Quote(doc)), "1") << round;
        } else {
            const bool recheck = a.err.find("El Extracto del cliente 2 con fecha de cobro " + fecha +
                                            " ya está cerrado o no existe. No se ha generado ningún asiento.") !=
                                 std::string::npos;
            tally.Inside(recheck);
            EXPECT_NE(a.code, 0) << round;
            EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos" + key), 0) << round;
            EXPECT_EQ(lines, 0) << round;
            EXPECT_EQ(Acc("SELECT COUNT(*) FROM Apuntes WHERE Documento = " + db::Quote(doc)), "0") << round;
        }
        EXPECT_EQ(Acc("SELECT COUNT(*) FROM Asientos"), std::to_string(entries)) << round;
    }
}

} // namespace
