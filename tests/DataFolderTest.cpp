#include "fixtures/Program.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <sys/mount.h>

#include <filesystem>
#include <fstream>

namespace {

using fixtures::Q;
using fixtures::RunProgram;

std::string Lines(const std::string &code, int n) {
    std::string s = "\"E\";\"101\";\"" + code + "\";01112026;16112026\r\n";
    for (int i = 0; i < n; ++i) {
        s += "\"L\";\"" + code + "\";50001;1;\"FA-" + std::to_string(i) + "\";\"DOC-" + std::to_string(i) +
             "-xxxxxxxxxxxxxxxxxxxxxxxx\";15102026;" + std::to_string(i) + ",50\r\n";
    }
    return s + "\"FIN\"\r\n";
}

// A small file system of its own (tmpfs), to make a folder read-only or its disk full; skipped
// where the test may not mount one.
class OwnDisk {
  public:
    OwnDisk(const std::string &at, const std::string &size) : at_(at) {
        std::filesystem::create_directories(at);
        ok_ = mount("tmpfs", at.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    ~OwnDisk() {
        if (ok_) {
            umount2(at_.c_str(), MNT_DETACH);
        }
    }
    bool Ok() const { return ok_; }
    bool ReadOnly() { return mount("tmpfs", at_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

  private:
    std::string at_;
    bool ok_ = false;
};

TEST(DataFolder, AMissingDatabaseIsNamedAndCreatedAloneAndADamagedOneIsSaidSo) {
    TempDir dir;
    std::string data = dir.File("datos");
    ASSERT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0);
    std::filesystem::rename(data + "/contabilidad.db", dir.File("apartada.db"));
    auto r = RunProgram("statements --data " + Q(data), dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Falta la base de datos contable " + data + "/contabilidad.db (la otra sí está). Créela vacía, "
                     "sin tocar la que existe, con: pagocentral init --data " + data + "\n");
    // The demo company is never put in half a folder.
    r = RunProgram("init --demo --data " + Q(data), dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("la base de datos que falta se crea vacía con: pagocentral init --data"), std::string::npos);
    r = RunProgram("init --data " + Q(data), dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Base de datos creada: " + data + "/contabilidad.db\n");
    r = RunProgram("statements --data " + Q(data) + " --state TODOS --from 01/01/2000 --to 31/12/2099", dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_GT(fixtures::Table(r.out).size(), 5u) << "the company's statements are still there";
    EXPECT_EQ(RunProgram("init --data " + Q(data), dir).code, 1) << "both exist: nothing is overwritten";

    std::filesystem::remove(data + "/erp.db-wal");
    std::filesystem::remove(data + "/erp.db-shm");
    std::ofstream(data + "/erp.db", std::ios::binary | std::ios::trunc) << std::string(4096, 'x');
    r = RunProgram("statements --data " + Q(data), dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "No se puede abrir " + data + "/erp.db para leerla: La base de datos está dañada o no es una base "
                     "de datos de este programa (file is not a database).\n");
}

TEST(DataFolder, AReadOnlyFolderShowsItsStatementsAndRefusesChangesPlainly) {
    TempDir dir;
    OwnDisk disk(dir.File("disco"), "16m");
    if (!disk.Ok()) {
        GTEST_SKIP() << "no permission to mount a file system here";
    }
    std::string data = dir.File("disco/datos");
    ASSERT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0);
    ASSERT_TRUE(disk.ReadOnly());
    auto r = RunProgram("statements --data " + Q(data), dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_GT(fixtures::Table(r.out).size(), 2u);
    r = RunProgram("lines --data " + Q(data) + " 1 101032026", dir);
    EXPECT_EQ(r.code, 0) << r.err;
    r = RunProgram("delete --data " + Q(data) + " --yes 1:101032026", dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "critical|frmExtractos:cmdEliminar_Click|La base de datos es de sólo lectura: no se ha guardado "
                     "ningún cambio.\n");
}

TEST(DataFolder, AFullDiskRefusesTheImportPlainlyAndStoresNothing) {
    TempDir dir;
    OwnDisk disk(dir.File("disco"), "3m");
    if (!disk.Ok()) {
        GTEST_SKIP() << "no permission to mount a file system here";
    }
    std::string data = dir.File("disco/datos");
    ASSERT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0);
    ASSERT_EQ(RunProgram("statements --data " + Q(data), dir).code, 0);
    auto space = std::filesystem::space(data);
    {
        std::ofstream filler(dir.File("disco/relleno"), std::ios::binary);
        std::string block(4096, '\0');
        for (std::uintmax_t left = space.available; left > 700 * 1024; left -= block.size()) {
            filler.write(block.data(), static_cast<std::streamsize>(block.size()));
        }
    }
    std::string file = dir.File("grande.txt");
    std::ofstream(file, std::ios::binary) << Lines("GRANDE", 20000);
    auto r = RunProgram("import --data " + Q(data) + " " + Q(file), dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("No queda espacio en el disco de la base de datos: libere espacio y repita la operación; no "
                         "se ha guardado ningún cambio."),
              std::string::npos)
        << r.err;
    std::filesystem::remove(dir.File("disco/relleno"));
    r = RunProgram("sql --data " + Q(data) + " \"SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                   "Cod_Extracto = 'GRANDE'\"",
                   dir);
    EXPECT_EQ(fixtures::Table(r.out).at(1).at(0), "0") << r.err;
}

} // namespace
