#include "fixtures/Env.h"
#include "fixtures/Program.h"
#include "fixtures/TempDir.h"
#include "suite/Fecha.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using fixtures::Q;
using fixtures::Result;
using fixtures::RunProgram;
using fixtures::Table;

class ClaimsCommands : public ::testing::Test {
  protected:
    ClaimsCommands() : perfil("USERPROFILE", dir.File("perfil")) {}
    void SetUp() override { ASSERT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0); }
    Result Run(const std::string &args) { return RunProgram(args + " --data " + Q(data), dir); }
    std::string Scalar(const std::string &s) {
        auto t = Table(Run("sql " + Q(s)).out);
        return t.size() >= 2 && !t[1].empty() ? t[1][0] : "<none>";
    }
    static std::string M1() { return "M1-" + std::to_string(suite::Fecha::Hoy().SumarDias(-5).Anio()); }

    TempDir dir;
    std::string data = dir.File("demo");
    fixtures::Env perfil;
};

TEST_F(ClaimsCommands, AddModifyDeleteThenCloseExportAndMark) {
    // The mode-1 ready statement's line paid 1,50 above its receipt.
    std::string line = Scalar("SELECT IdExtractoLinea FROM Compras_PagosCentral_Extractos_Lineas WHERE Documento = "
                              "'DM1-0002'");
    Result r = Run("claim list --line " + line);
    ASSERT_EQ(r.code, 0) << r.err;
    auto t = Table(r.out);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0], (std::vector<std::string>{"IdReclamacion", "", "Tipo Reclamación", "Núm. Factura", "Fecha Factura",
                                              "Almacén", "Almacén", "Proveedor", "Proveedor", "Total"}));
    EXPECT_EQ(t[1][0], "Cantidad Máxima a Reclamar: 1,50");

    // Above the maximum: refused, nothing stored.
    std::string campos = " --type 2 --concept 2 --articles " + Q("ART-1\nART-2") + " --descriptions " +
                         Q("Café \"molido\"") + " --reason " + Q("Precio 'pactado'; no aplicado") + " --units 3";
    r = Run("claim add --line " + line + campos + " --base1 1.41 --igic1 7");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("warning|¡ Atención !|La cantidad total de la reclamación no puede superar la cantidad máxima "
                         "a reclamar"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"), "0");
    r = Run("claim add --line " + line + campos + " --igic1 6.5");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("--igic1: no hay un tipo de IGIC del 6.5 %"), std::string::npos) << r.err;

    // The first base proposed from the maximum at 7 %.
    r = Run("claim add --line " + line + campos + " --igic1 7");
    ASSERT_EQ(r.code, 0) << r.err;
    t = Table(r.out);
    ASSERT_EQ(t.size(), 3u);
    std::string id = t[1][0];
    EXPECT_EQ(t[1][2], "Diferencia de precio");
    EXPECT_EQ(t[1][3], "DM1-0002");
    EXPECT_EQ(t[1].back(), "1,50");
    EXPECT_EQ(t[2][0], "Cantidad Máxima a Reclamar: 0,00");
    EXPECT_EQ(Scalar("SELECT Base1 FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"), "1.4019");
    EXPECT_EQ(Scalar("SELECT Observaciones FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"),
              "Precio 'pactado'; no aplicado");

    // Modify changes only what is given; delete needs --yes.
    r = Run("claim modify --line " + line + " --id " + id + " --invoice " + Q("FV 'nueva'") + " --base1 1.4 --igic1 7");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Scalar("SELECT FacturaCodigo + '|' + ArticulosDescripcion FROM "
                     "Compras_PagosCentral_Extractos_Lineas_Reclamacion"),
              "FV 'nueva'|Café \"molido\"");
    r = Run("claim delete --line " + line + " --id " + id);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"), "1");
    r = Run("claim delete --line " + line + " --id 999 --yes");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("La reclamación 999 no es de la línea"), std::string::npos) << r.err;

    // Closed, the claim is only looked at; the viewer lists it and exports it.
    ASSERT_EQ(Run("entries --yes 2:" + M1()).code, 0);
    r = Run("claim modify --line " + line + " --id " + id + " --units 4");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("está cerrado: sus reclamaciones solo se consultan"), std::string::npos) << r.err;
    r = Run("claim viewer --supplier 2");
    ASSERT_EQ(r.code, 0) << r.err;
    t = Table(r.out);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1][0], id);
    EXPECT_EQ(t[1][9], "50002");
    EXPECT_EQ(Table(Run("claim viewer --supplier 3").out).size(), 1u);

    r = Run("claim export --all");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("parámetro PagoCentralPathReclamaciones"), std::string::npos) << r.err;
    std::filesystem::create_directories(dir.File("salida"));
    ASSERT_EQ(Run("param PagoCentralPathReclamaciones " + Q(dir.File("salida"))).code, 0);
    r = Run("claim export --ids " + id);
    ASSERT_EQ(r.code, 0) << r.err;
    std::string fichero = r.out.substr(0, r.out.find('\n'));
    EXPECT_EQ(std::filesystem::path(fichero).parent_path().string(), dir.File("salida"));
    std::ifstream in(fichero, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), "PR;\"FV 'nueva'\";" + Scalar("SELECT FacturaFecha FROM "
                                                          "Compras_PagosCentral_Extractos_Lineas_Reclamacion") +
                               ";0450;102;50002;\"ART-1ART-2\";\"Caf\xE9 molido\";\"Precio 'pactado'; no "
                               "aplicado\";IG4;1,4000;;;;;;;;;1,50;3;;;;;\r\n");
    EXPECT_EQ(Scalar("SELECT Exportado FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"), "1");
    EXPECT_EQ(Table(Run("claim viewer").out).size(), 1u);
    EXPECT_EQ(Table(Run("claim viewer --exported").out).size(), 2u);

    // Marking needs a pending claim and --yes.
    ASSERT_EQ(Run("sql " + Q("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion SET Exportado = 0")).code, 0);
    EXPECT_EQ(Run("claim mark --id " + id).code, 1);
    EXPECT_EQ(Scalar("SELECT Exportado FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"), "0");
    r = Run("claim mark --id " + id + " --yes");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Scalar("SELECT Exportado FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"), "1");
}

} // namespace
