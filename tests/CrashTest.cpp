#include "fixtures/Program.h"

#include "suite/Fecha.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

// The program killed (SIGKILL, as a power cut or the task manager would) at random moments of an
// operation, many times over: afterwards both files must pass SQLite's integrity check and the
// operation must be wholly there or wholly absent.

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 16;

class Crash : public ::testing::Test {
  protected:
    void SetUp() override {
        auto r = fixtures::RunProgram("init --demo --data " + fixtures::Q(Data()), dir);
        ASSERT_EQ(r.code, 0) << r.err;
        Param("PagoCentral_TipoExtracto", "1");
        Save();
    }

    std::string Data() const { return dir.File("data"); }
    std::string Pristine() const { return dir.File("pristine"); }

    void Param(const std::string &name, const std::string &value) {
        auto r = fixtures::RunProgram("param --data " + fixtures::Q(Data()) + " " + name + " " + value, dir);
        ASSERT_EQ(r.code, 0) << r.err;
    }

    // The closed files (no log left beside them) and the folders beside them, as the state every
    // round starts from.
    void Save() {
        fs::remove_all(Pristine());
        fs::copy(Data(), Pristine(), fs::copy_options::recursive);
    }
    // The folders beside the files too (the Sage 200 and claims folders), emptied.
    void Restore() {
        fs::remove_all(Data());
        fs::copy(Pristine(), Data(), fs::copy_options::recursive);
    }

    // Runs the program with `args`; kills it after `delay` unless it ended first. True when it
    // was killed.
    bool RunAndKill(const std::vector<std::string> &args, std::chrono::microseconds delay) {
        std::vector<std::string> all = {PC_PROGRAM};
        all.insert(all.end(), args.begin(), args.end());
        all.push_back("--data");
        all.push_back(Data());
        std::vector<char *> argv;
        for (auto &a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::vector<std::string> env = {"USERPROFILE=" + dir.File("perfil"),
                                        "PAGOCENTRAL_SETTINGS=" + dir.File("settings.ini"), "QT_QPA_PLATFORM=offscreen"};
        for (char **e = environ; *e; ++e) {
            std::string v = *e;
            if (v.rfind("USERPROFILE=", 0) != 0 && v.rfind("PAGOCENTRAL_SETTINGS=", 0) != 0) {
                env.push_back(v);
            }
        }
        std::vector<char *> envp;
        for (auto &e : env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&fa);
        int status = 0;
        const auto end = std::chrono::steady_clock::now() + delay;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= end) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                return WIFSIGNALED(status);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return false;
    }

    // Time of one uninterrupted run, to spread the kills over it.
    std::chrono::microseconds Duration(const std::vector<std::string> &args) {
        auto t = std::chrono::steady_clock::now();
        RunAndKill(args, std::chrono::seconds(120));
        auto d = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t);
        Restore();
        return d;
    }

    static std::string IntegrityCheck(const std::string &file) {
        sqlite3 *db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_stmt *st = nullptr;
        std::string out;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                out += reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
            }
        } else {
            out = sqlite3_errmsg(db);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }

    long Count(const std::string &file, const std::string &sql) const {
        sqlite3 *db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_stmt *st = nullptr;
        long n = -1;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
            n = sqlite3_column_int64(st, 0);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return n;
    }
    long Erp(const std::string &sql) const { return Count(Data() + "/erp.db", sql); }
    long Accounting(const std::string &sql) const { return Count(Data() + "/contabilidad.db", sql); }

    // Prepares the closed files directly, as an administrator with the sqlite3 shell would.
    static void Exec(const std::string &file, const std::string &sql) {
        sqlite3 *db = nullptr;
        sqlite3_open(file.c_str(), &db);
        char *error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "") << sql;
        sqlite3_free(error);
        sqlite3_close(db);
    }

    // The files of a folder by name, with their bytes.
    static std::map<std::string, std::string> Files(const std::string &folder) {
        std::map<std::string, std::string> out;
        for (const auto &e : fs::directory_iterator(folder)) {
            std::ifstream in(e.path(), std::ios::binary);
            std::stringstream bytes;
            bytes << in.rdbuf();
            out[e.path().filename().string()] = bytes.str();
        }
        return out;
    }

    void ExpectIntact(int round) {
        EXPECT_EQ(IntegrityCheck(Data() + "/erp.db"), "ok") << "round " << round;
        EXPECT_EQ(IntegrityCheck(Data() + "/contabilidad.db"), "ok") << "round " << round;
    }

    // A loaded machine can make the run end before most kills: rounds are added, all inside the
    // run, until more than half of them have hit it.
    static bool Another(int round, int killed) {
        return round < kRounds || (killed <= kRounds / 2 && round < 3 * kRounds);
    }

    // `tail` tenths of the run: past 10, some rounds let the run end, so that both outcomes are seen.
    std::chrono::microseconds Delay(std::chrono::microseconds span, int round, int tail = 11) {
        if (round >= kRounds) {
            tail = 8;
        }
        // Spread over the run, with a few before the program has even opened the files.
        std::mt19937 rng(static_cast<unsigned>(round * 7919 + 17));
        std::uniform_int_distribution<long> d(0, static_cast<long>(span.count() * tail / 10));
        return std::chrono::microseconds(d(rng));
    }

    TempDir dir;
};

TEST_F(Crash, ImportIsWhollyThereOrAbsent) {
    const int lines = 4000;
    std::string text = "\"E\";\"101\";\"KILL-1\";01112026;16112026\r\n";
    for (int i = 0; i < lines; ++i) {
        text += "\"L\";\"KILL-1\";50001;1;\"FA-" + std::to_string(i) + "\";\"K-" + std::to_string(i) +
                "\";15102026;" + std::to_string(10 + i % 90) + ",50\r\n";
    }
    text += "\"FIN\"\r\n";
    std::string file = dir.File("kill.txt");
    std::ofstream(file, std::ios::binary) << text;
    const std::vector<std::string> args = {"import", file};
    auto span = Duration(args);
    int killed = 0, whole = 0;
    int round = 0;
    for (; Another(round, killed); ++round) {
        killed += RunAndKill(args, Delay(span, round));
        ExpectIntact(round);
        long headers = Erp("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = 'KILL-1'");
        long stored = Erp("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'KILL-1'");
        ASSERT_TRUE(headers == 0 || headers == 1) << "round " << round;
        EXPECT_EQ(stored, headers * lines) << "round " << round;
        whole += headers == 1;
        Restore();
    }
    // The kills must have hit the run, not only its end.
    EXPECT_GT(killed, kRounds / 2);
    std::printf("[ crash    ] import: %d runs, %d killed, %d whole, %d absent\n", round, killed, whole,
                round - whole);
}

TEST_F(Crash, MatchingLinksAllOrNothing) {
    Param("PagoCentral_TipoExtracto", "2");
    Save();
    // The demo's warehouse-1 statement the matching links nine lines of.
    sqlite3 *db = nullptr;
    sqlite3_open((Data() + "/erp.db").c_str(), &db);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT Cod_Extracto FROM Compras_PagosCentral_Extractos WHERE Cod_Almacen = 1 AND Cerrado = 0 "
                       "ORDER BY FechaExtracto DESC LIMIT 1",
                       -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    const std::string statement = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_close(db);
    const std::string links = "SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea IN (SELECT "
                              "IdExtractoLinea FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Almacen = 1 AND "
                              "Cod_Extracto = '" + statement + "')";
    const std::string linked = "SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Almacen = 1 AND "
                               "Cod_Extracto = '" + statement + "' AND ImporteVinculado <> 0";
    const std::vector<std::string> args = {"match", "1", statement};
    auto span = Duration(args);
    RunAndKill(args, std::chrono::seconds(120));
    const long all = Erp(links), allLinked = Erp(linked);
    ASSERT_GT(all, 0);
    Restore();
    const long before = Erp(links), beforeLinked = Erp(linked);
    int killed = 0, whole = 0;
    int round = 0;
    for (; Another(round, killed); ++round) {
        killed += RunAndKill(args, Delay(span, round));
        ExpectIntact(round);
        long now = Erp(links), nowLinked = Erp(linked);
        whole += now == all;
        EXPECT_TRUE((now == before && nowLinked == beforeLinked) || (now == all && nowLinked == allLinked))
            << "round " << round << ": " << now << " links, " << nowLinked << " lines with a linked amount";
        Restore();
    }
    EXPECT_GT(killed, kRounds / 2);
    std::printf("[ crash    ] automatic matching: %d runs, %d killed, %d whole, %d absent\n", round, killed, whole,
                round - whole);
}

TEST_F(Crash, EntriesAreNeverLostNorDoubledWhenRunAgain) {
    sqlite3 *db = nullptr;
    sqlite3_open((Data() + "/erp.db").c_str(), &db);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "SELECT Cod_Extracto FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto LIKE 'M1-%'", -1,
                       &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    const std::string statement = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_close(db);
    const std::vector<std::string> args = {"entries", "--yes", "2:" + statement};
    const std::string accounting = Data() + "/contabilidad.db";
    const std::string closed = "SELECT Cerrado FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = '" + statement + "'";
    auto span = Duration(args);
    RunAndKill(args, std::chrono::seconds(120));
    const long entries = Count(accounting, "SELECT COUNT(*) FROM Asientos");
    const long lines = Count(accounting, "SELECT COUNT(*) FROM Apuntes");
    ASSERT_GT(lines, 0);
    ASSERT_EQ(Erp(closed), 1);
    Restore();
    int killed = 0, between = 0, whole = 0;
    int round = 0;
    for (; Another(round, killed); ++round) {
        killed += RunAndKill(args, Delay(span, round));
        ExpectIntact(round);
        const long afterKill = Count(accounting, "SELECT COUNT(*) FROM Apuntes");
        whole += afterKill == lines && Erp(closed) == 1;
        EXPECT_TRUE(afterKill == 0 || afterKill == lines) << "round " << round;
        between += afterKill == lines && Erp(closed) == 0;
        // Whatever the kill left, running it again ends with the statement closed and its entries once.
        if (Erp(closed) == 0) {
            RunAndKill(args, std::chrono::seconds(120));
        }
        EXPECT_EQ(Erp(closed), 1) << "round " << round;
        EXPECT_EQ(Count(accounting, "SELECT COUNT(*) FROM Asientos"), entries) << "round " << round;
        EXPECT_EQ(Count(accounting, "SELECT COUNT(*) FROM Apuntes"), lines) << "round " << round;
        Restore();
    }
    EXPECT_GT(killed, kRounds / 2);
    std::printf("[ crash    ] entries: %d runs, %d killed, %d whole, %d absent, %d between the two commits (closed "
                "by the next run)\n",
                round, killed, whole, round - whole - between, between);
}

// Sage 200: the registration counter and the closing are committed together after both files are
// closed; files written by a run that was killed before its commit stay in the folder.
TEST_F(Crash, SageEntriesAreClosedWithCompleteFilesOrLeftOpen) {
    const std::string folder = Data() + "/sage";
    fs::create_directories(folder);
    Param("Tipo_Contabilidad", "6");
    Exec(Data() + "/erp.db", "UPDATE Arqueos_ParamContabilidad SET PathFicheros = '" + folder + "'");
    Save();
    const std::string statement = "M1-" + std::to_string(suite::Fecha::Hoy().SumarDias(-5).Anio());
    const std::vector<std::string> args = {"entries", "--yes", "2:" + statement};
    const std::string closed = "SELECT Cerrado FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = '" + statement + "'";
    const std::string counter = "SELECT IFNULL(SUM(Codigo), 0) FROM Contador_SAGE200 WHERE Serie = 'IMP'";
    const std::string accounted = "SELECT COUNT(*) FROM Compras_PagosCentral_Entradas WHERE Contabilizado = 1";
    const long lines = Accounting("SELECT COUNT(*) FROM Apuntes");
    auto span = Duration(args);
    RunAndKill(args, std::chrono::seconds(120));
    ASSERT_EQ(Erp(closed), 1);
    const long counted = Erp(counter), marked = Erp(accounted);
    // The registration file and the payment file of a whole run, told apart by name.
    auto Kinds = [](const std::map<std::string, std::string> &files) {
        std::map<std::string, std::string> out;
        for (const auto &[name, bytes] : files) {
            out[name.find("_PAGO_") != std::string::npos ? "pago" : "registro"] = bytes;
        }
        return out;
    };
    const auto whole = Kinds(Files(folder));
    ASSERT_EQ(whole.size(), 2u);
    Restore();
    const long before = Erp(counter), markedBefore = Erp(accounted);
    ASSERT_LT(before, counted);
    int killed = 0, done = 0, absent = 0, leftFiles = 0;
    int round = 0;
    for (; Another(round, killed); ++round) {
        killed += RunAndKill(args, Delay(span, round, 14));
        ExpectIntact(round);
        EXPECT_EQ(Accounting("SELECT COUNT(*) FROM Apuntes"), lines) << "round " << round;
        const auto files = Files(folder);
        if (Erp(closed) == 1) {
            ++done;
            EXPECT_EQ(Erp(counter), counted) << "round " << round;
            EXPECT_EQ(Erp(accounted), marked) << "round " << round;
            EXPECT_EQ(files.size(), 2u) << "round " << round;
            EXPECT_TRUE(Kinds(files) == whole) << "round " << round << ": the files of a closed run are not whole";
        } else {
            ++absent;
            leftFiles += !files.empty();
            EXPECT_EQ(Erp(counter), before) << "round " << round;
            EXPECT_EQ(Erp(accounted), markedBefore) << "round " << round;
            EXPECT_LE(files.size(), 2u) << "round " << round;
            // Running it again closes it, numbering from where the counter stood.
            RunAndKill(args, std::chrono::seconds(120));
            EXPECT_EQ(Erp(closed), 1) << "round " << round;
            EXPECT_EQ(Erp(counter), counted) << "round " << round;
        }
        Restore();
    }
    EXPECT_GT(killed, kRounds / 2);
    std::printf("[ crash    ] Sage 200 entries: %d runs, %d killed, %d whole, %d absent (%d leaving files)\n", round,
                killed, done, absent, leftFiles);
    RecordProperty("whole", done);
    RecordProperty("absent", absent);
}

// Claims export: the marks are committed after the file is closed; a killed export marks nothing
// and may leave the lines it had written.
TEST_F(Crash, ClaimsExportMarksEveryClaimWithTheWholeFileOrNone) {
    const std::string folder = Data() + "/salida";
    fs::create_directories(folder);
    const int claims = 1500;
    Exec(Data() + "/erp.db",
         "UPDATE Empresas_Parametros SET Valor = '" + folder + "' WHERE Nombre = 'PagoCentralPathReclamaciones';"
         "INSERT INTO Empresas_Parametros (Cod_Empresa, Nombre, Valor) SELECT 1, 'PagoCentralPathReclamaciones', '" +
             folder +
             "' WHERE NOT EXISTS (SELECT 1 FROM Empresas_Parametros WHERE Nombre = 'PagoCentralPathReclamaciones');"
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
             std::to_string(claims) +
             ") INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Cod_TipoRecl, "
             "Cod_Concepto, FacturaCodigo, FacturaFecha, ArticulosCodigo, ArticulosDescripcion, Observaciones, "
             "Base1, Igic1, TotalReclamacion, Exportado, Hora_Alta) SELECT (SELECT MIN(IdExtractoLinea) FROM "
             "Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '101012026'), 2, 1, 'FV-' || i, "
             "'2026-09-01', 'ART-' || i, 'Descripción ' || i, 'Obs. ' || i, i, 0, i, 0, '2026-09-30 10:00:00' FROM n");
    Save();
    const std::vector<std::string> args = {"claim", "export", "--all", "--from", "01/01/2000", "--to", "31/12/2099"};
    const std::string exported = "SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion WHERE Exportado = 1";
    auto span = Duration(args);
    RunAndKill(args, std::chrono::seconds(120));
    ASSERT_EQ(Erp(exported), claims);
    const auto files = Files(folder);
    ASSERT_EQ(files.size(), 1u);
    const std::string whole = files.begin()->second;
    Restore();
    int killed = 0, done = 0, absent = 0, partial = 0;
    int round = 0;
    for (; Another(round, killed); ++round) {
        killed += RunAndKill(args, Delay(span, round, 14));
        ExpectIntact(round);
        const long marked = Erp(exported);
        const auto left = Files(folder);
        EXPECT_LE(left.size(), 1u) << "round " << round;
        const std::string bytes = left.empty() ? "" : left.begin()->second;
        if (marked == claims) {
            ++done;
            EXPECT_EQ(bytes.size(), whole.size()) << "round " << round;
            EXPECT_TRUE(bytes == whole) << "round " << round << ": the file of a committed export is not whole";
        } else {
            ++absent;
            EXPECT_EQ(marked, 0) << "round " << round;
            // What stays is the beginning of the file, never anything else.
            EXPECT_EQ(whole.compare(0, bytes.size(), bytes), 0) << "round " << round;
            partial += !left.empty();
        }
        Restore();
    }
    EXPECT_GT(killed, kRounds / 2);
    std::printf("[ crash    ] claims export: %d runs, %d killed, %d whole, %d absent (%d leaving a file)\n", round,
                killed, done, absent, partial);
    RecordProperty("whole", done);
    RecordProperty("absent", absent);
}

} // namespace
