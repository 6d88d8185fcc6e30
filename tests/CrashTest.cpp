#include "fixtures/Program.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <signal.h>
#include <spawn.h>
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

    // The closed files (no log left beside them) as the state every round starts from.
    void Save() {
        fs::remove_all(Pristine());
        fs::copy(Data(), Pristine());
    }
    void Restore() {
        fs::remove_all(Data());
        fs::copy(Pristine(), Data());
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

    void ExpectIntact(int round) {
        EXPECT_EQ(IntegrityCheck(Data() + "/erp.db"), "ok") << "round " << round;
        EXPECT_EQ(IntegrityCheck(Data() + "/contabilidad.db"), "ok") << "round " << round;
    }

    std::chrono::microseconds Delay(std::chrono::microseconds span, int round) {
        // Spread over the run, with a few before the program has even opened the files.
        std::mt19937 rng(static_cast<unsigned>(round * 7919 + 17));
        std::uniform_int_distribution<long> d(0, static_cast<long>(span.count() * 11 / 10));
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
    for (int round = 0; round < kRounds; ++round) {
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
    RecordProperty("killed", killed);
    RecordProperty("whole", whole);
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
    int killed = 0;
    for (int round = 0; round < kRounds; ++round) {
        killed += RunAndKill(args, Delay(span, round));
        ExpectIntact(round);
        long now = Erp(links), nowLinked = Erp(linked);
        EXPECT_TRUE((now == before && nowLinked == beforeLinked) || (now == all && nowLinked == allLinked))
            << "round " << round << ": " << now << " links, " << nowLinked << " lines with a linked amount";
        Restore();
    }
    EXPECT_GT(killed, kRounds / 2);
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
    int killed = 0, between = 0;
    for (int round = 0; round < kRounds; ++round) {
        killed += RunAndKill(args, Delay(span, round));
        ExpectIntact(round);
        const long afterKill = Count(accounting, "SELECT COUNT(*) FROM Apuntes");
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
    RecordProperty("between the commits", between);
}

} // namespace
