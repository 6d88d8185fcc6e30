#include "fixtures/Program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using fixtures::Q;
using fixtures::RunProgram;

// The program on a demo folder of its own, and its PDFs read back as text.
class PrintCommand : public ::testing::Test {
  protected:
    PrintCommand() : data(dir.File("demo")) {
        EXPECT_EQ(RunProgram("init --demo --data " + Q(data), dir).code, 0);
    }
    fixtures::Result Run(const std::string &args) { return RunProgram(args + " --data " + Q(data), dir); }
    std::string Text(const std::string &pdf) {
        std::string txt = pdf + ".txt";
        std::string cmd = "pdftotext -layout " + Q(pdf) + " " + Q(txt);
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        std::ifstream in(txt);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::string Info(const std::string &pdf) {
        std::string out = pdf + ".info";
        std::string cmd = "pdfinfo " + Q(pdf) + " > " + Q(out);
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        std::ifstream in(out);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    TempDir dir;
    std::string data;
};

TEST_F(PrintCommand, InitInstallsTheTemplateAndCatalogueCommandsWork) {
    EXPECT_TRUE(std::filesystem::exists(data + "/Rpt/Listado Dinamico.rpt"));
    auto r = Run("catalog claim-types add 7 " + Q("O'Neill") + " ON");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("7\tO'Neill\tON"), std::string::npos);
    r = Run("catalog claim-types add 8 Otro ON");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "warning|¡ Operación no permitida !|El elemento especificado ya existe.\n");
    r = Run("catalog claim-types modify 7 Renombrado");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("7\tRenombrado\tON"), std::string::npos);
    r = Run("catalog claim-types delete 7");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("¿Está seguro que desea eliminar el elemento actual?"), std::string::npos);
    r = Run("catalog claim-types delete 7 --yes");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find("Renombrado"), std::string::npos);
    r = Run("catalog payment-types add 0 Cero ZZ");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "warning|¡ Atención !|Se esperaba código\n");
    r = Run("catalog claim-concepts list");
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(fixtures::Table(r.out).size(), 7u);
    EXPECT_NE(Run("catalog colours list").code, 0);
}

TEST_F(PrintCommand, CataloguePdfHoldsTitleCompanyHeadersAndRows) {
    Run("sql " + Q("DELETE FROM Compras_PagosCentral_Reclamacion_Conceptos WHERE Codigo > 3"));
    Run("sql " + Q("UPDATE Compras_PagosCentral_Reclamacion_Conceptos SET Nombre = 'Cobro d''oferta' WHERE Codigo = 3"));
    std::string pdf = dir.File("conceptos.pdf");
    auto r = Run("print claim-concepts --pdf " + Q(pdf));
    ASSERT_EQ(r.code, 0) << r.err;
    std::string t = Text(pdf);
    EXPECT_NE(t.find("Conceptos de Reclamaciones"), std::string::npos) << t;
    EXPECT_NE(t.find("Empresa: 1 - "), std::string::npos);
    EXPECT_NE(t.find("Código"), std::string::npos);
    EXPECT_NE(t.find("Nombre"), std::string::npos);
    EXPECT_NE(t.find("Mercancía en mal estado"), std::string::npos);
    EXPECT_NE(t.find("Precio de tarifa no respetado"), std::string::npos);
    EXPECT_NE(t.find("Cobro d'oferta"), std::string::npos);
    EXPECT_NE(t.find("Página 1 de 1"), std::string::npos);
    EXPECT_NE(Info(pdf).find("Pages:           1\n"), std::string::npos);
    EXPECT_EQ(t.find("…"), std::string::npos) << "a text was cut: " << t;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(Info(pdf).find("A4"), std::string::npos);
}

TEST_F(PrintCommand, StatementListPrintsLandscapeWithItsFilters) {
    std::string pdf = dir.File("extractos.pdf");
    auto r = Run("print statements --state TODOS --pdf " + Q(pdf));
    ASSERT_EQ(r.code, 0) << r.err;
    std::string t = Text(pdf);
    EXPECT_NE(t.find("Extractos de Pagos Centralizados"), std::string::npos) << t;
    EXPECT_NE(t.find("Estado: TODOS"), std::string::npos) << t;
    std::string info = Info(pdf);
    // Wider than it is tall.
    auto p = info.find("Page size:");
    ASSERT_NE(p, std::string::npos);
    double w = 0, h = 0;
    std::sscanf(info.c_str() + p, "Page size: %lf x %lf", &w, &h);
    EXPECT_GT(w, h) << info;
    // A printer that does not exist is reported, and nothing is written.
    r = Run("print claim-types --printer NoExiste");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("No existe la impresora NoExiste"), std::string::npos) << r.err;
}

TEST_F(PrintCommand, AThousandRowsMakeAsManyPagesAsTheLayoutSays) {
    std::string sql;
    for (int i = 100; i < 1100; ++i) {
        sql += (sql.empty() ? "" : ",") + std::string("(") + std::to_string(i) + ",'Concepto " + std::to_string(i) + "')";
    }
    ASSERT_EQ(Run("sql " + Q("INSERT INTO Compras_PagosCentral_Reclamacion_Conceptos (Codigo, Nombre) VALUES " + sql)).code,
              0);
    std::string pdf = dir.File("mil.pdf");
    ASSERT_EQ(Run("print claim-concepts --pdf " + Q(pdf)).code, 0);
    std::string t = Text(pdf);
    std::string info = Info(pdf);
    auto p = info.find("Pages:");
    int pages = std::atoi(info.c_str() + p + 6);
    EXPECT_GT(pages, 10);
    EXPECT_NE(t.find("Página " + std::to_string(pages) + " de " + std::to_string(pages)), std::string::npos);
    EXPECT_NE(t.find("Concepto 1099"), std::string::npos);
}

} // namespace
