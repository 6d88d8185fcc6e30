// The statement import through the list window's controller against the sqlite3 shell's own
// ".import" of the same file into a bare table. Prints the ratio of the two times and the peak
// memory after a small and after a large file, which should stay flat.
#include "db/sqlite/SqliteConnection.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "schema/Schema.h"
#include "statements/frmExtractos.h"
#include "statements/frmImportar.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char **environ;

#include "Comun.h"

namespace {

using bench::Exec;
using bench::Seconds;

long PeakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// A statement file of the first format with `lines` lines in all: groups of one "E" header and
// up to 999 "L" lines over the demo's three central warehouses, and the end marker.
void Generate(const std::string &path, int lines, const std::string &prefix) {
    std::ofstream out(path, std::ios::binary);
    const char *types[] = {"FA", "AB", "PP"};
    int written = 0;
    int group = 0;
    while (written < lines - 1) {
        std::string code = prefix + std::to_string(++group);
        out << "\"E\";\"" << 101 + group % 3 << "\";\"" << code << "\";01112026;16112026\r\n";
        ++written;
        for (int i = 0; i < 999 && written < lines - 1; ++i, ++written) {
            int s = written % 20 + 1;
            out << "\"L\";\"" << code << "\";" << 50000 + s << ";" << s << ";\"" << types[written % 3] << "-"
                << written << "\";\"F" << s << "/" << written << "\";" << (written % 28 + 1 < 10 ? "0" : "")
                << written % 28 + 1 << "102026;" << written % 5000 << "," << written % 100 << "\r\n";
        }
    }
    out << "\"FIN\"\r\n";
}

// A tax file for the first `rows` lines of the statement file Generate wrote with `lines` lines:
// the same documents, central suppliers and warehouses.
void GenerateTax(const std::string &path, int lines, int rows) {
    std::ofstream out(path, std::ios::binary);
    int written = 0, group = 0, done = 0;
    while (written < lines - 1 && done < rows) {
        int warehouse = 101 + ++group % 3;
        ++written;
        for (int i = 0; i < 999 && written < lines - 1 && done < rows; ++i, ++written, ++done) {
            int s = written % 20 + 1;
            out << "IMP;" << warehouse << ";" << 50000 + s << ";0;F" << s << "/" << written << ";15102026;0;"
                << written % 5000 << "," << written % 100 << ";7;" << (written % 5000) * 7 / 100 << ",00\r\n";
        }
    }
}

double Import(statements::frmExtractos &w, host::ScriptedShell &shell, const std::string &file) {
    shell.ClearLog();
    shell.openFiles.push_back(file);
    auto t0 = std::chrono::steady_clock::now();
    w.cmdImportar_Click();
    double s = Seconds(t0);
    if (!w.Importado()) {
        std::fprintf(stderr, "import failed: %s\n", shell.Last().c_str());
        std::exit(1);
    }
    return s;
}

// The sqlite3 shell reading the same file in CSV mode with ";" between fields. With `indexed`,
// into a table carrying the same three indexes as the statement lines' table, over the fields
// they are built from: what the database itself costs, without the module.
double ShellImport(const std::string &dbFile, const std::string &file, bool indexed = false) {
    if (indexed) {
        db::RunSqliteScript(dbFile, {"DROP TABLE IF EXISTS r", "CREATE TABLE r (c0, c1, c2, c3, c4, c5, c6, c7, c8, c9)",
                                     "CREATE INDEX r1 ON r (c0, c1)",
                                     "CREATE INDEX r2 ON r (c1, c3, c6, substr(rtrim(c5), -4, 4) COLLATE NOCASE)",
                                     "CREATE INDEX r3 ON r (c2, c5)"});
    } else {
        db::RunSqliteScript(dbFile, {"DROP TABLE IF EXISTS r", "CREATE TABLE r (c0, c1, c2, c3, c4, c5, c6, c7, c8, c9)"});
    }
    std::string import = ".import " + file + " r";
    std::vector<std::string> args = {"/usr/bin/sqlite3", dbFile, ".mode csv", ".separator ;", import};
    std::vector<char *> argv;
    for (auto &a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    // Headers and the end marker have fewer fields; the shell warns about each on stderr.
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ) != 0) {
        std::perror("sqlite3");
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    double s = Seconds(t0);
    posix_spawn_file_actions_destroy(&fa);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "sqlite3 .import failed\n");
        std::exit(1);
    }
    return s;
}

} // namespace

int main(int argc, char **argv) {
    int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::string dir = std::filesystem::temp_directory_path() / "pagocentral-bench-import";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    // The import log goes to the bench folder, never to the user's profile.
    setenv("USERPROFILE", dir.c_str(), 1);

    bench::CrearDemo(dir);
    auto acc = db::OpenSqlite(dir + "/contabilidad.db");
    auto erp = db::OpenSqlite(dir + "/erp.db", {{"Contabilidad", dir + "/contabilidad.db"}});
    auto &ctx = host::Contexto::Global();
    ctx.conexionVarnex = erp;
    ctx.conexionLumbra = acc;
    ctx.empresaVarnex = std::make_shared<suite::EmpresaVarnex>(erp, 1);
    ctx.empresaLumbra = std::make_shared<suite::EmpresaLumbra>(acc, 1);

    host::ScriptedShell shell;
    shell.handlers["frmImportar"] = [](host::Window &win) {
        auto &f = static_cast<statements::frmImportar &>(win);
        f.cmdExaminar_Click();
        f.cmdImportar_Click();
    };
    statements::frmExtractos w(shell);
    w.Show();

    std::string small = dir + "/small.txt", large = dir + "/large.txt";
    Generate(small, n / 10, "S");
    Generate(large, n, "B");
    double smallTime = Import(w, shell, small);
    long smallPeak = PeakKiB();
    double layer = Import(w, shell, large);
    long largePeak = PeakKiB();
    double bare = ShellImport(dir + "/bare.db", large);
    double indexed = ShellImport(dir + "/bare.db", large, true);
    // The tax file of the large file's first lines, against all the lines imported so far.
    int taxRows = n / 5;
    std::string tax = dir + "/large_impuestos.csv";
    GenerateTax(tax, n, taxRows);
    double taxTime = Import(w, shell, tax);
    double taxBare = ShellImport(dir + "/bare.db", tax);
    // The list's reload at the end of the import, on its own, for the breakdown.
    auto t0 = std::chrono::steady_clock::now();
    w.Cargar_Extractos();
    double reload = Seconds(t0);

    std::printf("lines: %d (and %d before)\n", n, n / 10);
    std::printf("import: controller %.3f s (%.3f s for %d lines), sqlite3 .import %.3f s, ratio %.2f (aim 3)\n",
                layer, smallTime, n / 10, bare, layer / bare);
    std::printf("        sqlite3 .import into a table with the same three indexes %.3f s, ratio %.2f\n", indexed,
                layer / indexed);
    std::printf("of which the list's reload: %.3f s (%d statements listed)\n", reload,
                w.vsExtractos.DataRows());
    std::printf("tax file: %d rows over %d lines already stored: controller %.3f s, sqlite3 .import %.3f s, "
                "ratio %.2f\n",
                taxRows, n + n / 10, taxTime, taxBare, taxTime / taxBare);
    std::printf("peak memory: %ld KiB after %d lines, %ld KiB after %d lines\n", smallPeak, n / 10, largePeak,
                n);
    return 0;
}
