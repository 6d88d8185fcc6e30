#include "accounting/EscritorSage200.h"
#include "accounting/RelojFicheros.h"
#include "fixtures/TextosHostiles.h"
#include "fixtures/Asientos.h"
#include "fixtures/TriggerFault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string Leer(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string Esperado(const std::string &name) {
    return Leer(std::string(PC_SOURCE_DIR) + "/tests/expected/sage200/" + name);
}

// Statements of 2030 accounted into Sage 200 files of a folder of the test, named by a clock that
// only moves when the writer waits.
class Sage200 : public AsientosFixture, public ::testing::Test {
  public:
    Sage200() {
        demo.SetParam("PagoCentral_TipoExtracto", "1");
        demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
        demo.SetParam("Tipo_Contabilidad", "6");
        fs::create_directories(carpeta);
        Carpeta(carpeta);
        reloj->ahora = [this] { return *suite::Fecha::Desde(2030, 3, 21, 9, 30, segundo); };
        reloj->esperar = [this] {
            ++segundo;
            ++esperas;
        };
    }
    void Carpeta(const std::string &path) {
        demo.erp->Execute("UPDATE Arqueos_ParamContabilidad SET PathFicheros = " + db::Quote(path));
    }
    void Extracto(const std::string &code, const std::string &fecha) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "FechaExtracto, FechaVto) VALUES (1, 1, " +
                          db::Quote(code) + ", '" + fecha + "', '05/04/2030')");
    }
    long Linea(int supplier, const std::string &importe, const std::string &doc, const std::string &fecha,
               const std::string &code = "SAGE'1") {
        long id = Line(supplier, importe, doc, -5, code);
        Set(id, "Fecha = '" + fecha + "'");
        return id;
    }
    void Set(long id, const std::string &what) {
        demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET " + what + " WHERE IdExtractoLinea = " +
                          std::to_string(id));
    }
    void Tax(long line, const std::string &base, const std::string &rate, const std::string &amount, int type) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                          "Valor_Tipo, Importe, Tipo) VALUES (" +
                          std::to_string(line) + ", " + base + ", " + rate + ", " + amount + ", " +
                          std::to_string(type) + ")");
    }
    // Over two line dates: an adjustment, a prompt payment, a claim, two tax rows (one of type 0),
    // a name with an accent and an apostrophe, a negative amount.
    void Completo() {
        Extracto("SAGE'1", "20/03/2030");
        long l1 = Linea(3, "150", "F-001", "10/03/2030");
        Receipt(l1, 901, "ALB-1", "148.50");
        Tax(l1, "100", "7", "7", 4);
        Tax(l1, "43", "0", "0", 0);
        long l2 = Linea(901, "80", "PP-002", "10/03/2030");
        Set(l2, "ProntoPago = 1");
        long l3 = Linea(902, "60", "REC-003", "12/03/2030");
        Claim(l3, "60");
        Tax(l3, "56.07", "7", "3.93", 4);
        long l4 = Linea(10, "-12", "AB-004", "12/03/2030");
        Receipt(l4, 904, "ALB-4", "-12");
        Tax(l4, "-11.65", "3", "-0.35", 3);
    }
    std::shared_ptr<statements::frmExtractos> Contabilizar(const std::vector<std::string> &ticked = {"SAGE'1"}) {
        auto w = Lista(ticked);
        w->relojFicheros = reloj;
        shell.ClearLog();
        shell.answers = {host::Answer::Yes};
        w->cmdGenerarAsiento_Click();
        return w;
    }
    Lines Ficheros() const {
        Lines out;
        for (const auto &e : fs::directory_iterator(carpeta)) {
            out.push_back(e.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    std::string Contador(int anio = 2030) const {
        return demo.One("SELECT Codigo FROM Contador_SAGE200 WHERE Cod_Empresa = 1 AND Serie = 'IMP' AND "
                        "Cod_Ejercicio = " +
                        std::to_string(anio));
    }
    // The numbers (field 11) of the registration file's invoice records.
    static Lines Numeros(const std::string &bytes) {
        Lines out;
        std::istringstream in(bytes);
        std::string record;
        while (std::getline(in, record)) {
            std::vector<std::string> f;
            std::size_t start = 0, sep;
            while ((sep = record.find(';', start)) != std::string::npos) {
                f.push_back(record.substr(start, sep - start));
                start = sep + 1;
            }
            if (f.size() > 10 && f[9] == "IMP") {
                out.push_back(f[10]);
            }
        }
        return out;
    }

    std::string carpeta = demo.dir.File("sage");
    std::shared_ptr<accounting::RelojFicheros> reloj = std::make_shared<accounting::RelojFicheros>();
    int segundo = 0;
    int esperas = 0;
};

TEST_F(Sage200, AStatementGivesTheRegistrationAndPaymentFilesByteForByte) {
    Completo();
    auto w = Contabilizar();
    ASSERT_EQ(Cerrado("SAGE'1"), "1") << shell.Last();
    EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito.");
    const std::string reg = carpeta + "/PagCenSAGE200_SAGE'1_21032030_093000.csv";
    const std::string pago = carpeta + "/PagCenSAGE200_SAGE'1_PAGO_21032030_093000.csv";
    EXPECT_EQ(w->FicherosGenerados, (Lines{reg, pago}));
    EXPECT_EQ(Leer(reg), Esperado("registro.csv"));
    EXPECT_EQ(Leer(pago), Esperado("pago.csv"));
    // Nothing went to the accounting database; the links are marked as accounted.
    EXPECT_EQ(Asientos().size(), 0u);
    EXPECT_EQ(Apuntes().size(), 0u);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Entradas WHERE Contabilizado = 1"), 2);
    EXPECT_EQ(Contador(), "3");
    EXPECT_EQ(esperas, 0);
}

TEST_F(Sage200, OnlyRIAndCreditorLinesGiveNoRegistrationFileAndUtf8IsAChoiceOfTheCompany) {
    Extracto("SAGE'1", "20/03/2030");
    Set(Linea(3, "25", "RI-1", "10/03/2030"), "TipoPago = 5");
    Contabilizar();
    ASSERT_EQ(Cerrado("SAGE'1"), "1") << shell.Last();
    EXPECT_EQ(Ficheros(), (Lines{"PagCenSAGE200_SAGE'1_PAGO_21032030_093000.csv"}));
    EXPECT_EQ(Leer(carpeta + "/" + Ficheros()[0]),
              "D;4000000003;;1;TRANSF. Panader\xED" "a O'Shanahan, S.L.;20/03/2030;25.00;;;;;;;I;;;;;;;;;;;;;;;;;;;;;;;\r\n"
              "H;5720000001;;1;Contra SAGE'1;20/03/2030;25.00;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;\r\n");
    EXPECT_EQ(Contador(), "<none>");

    // A creditor line without claim is skipped, but the query had rows: an empty registration file.
    Extracto("SAGE'2", "20/03/2030");
    Set(Linea(3, "30", "ACR", "10/03/2030", "SAGE'2"), "Acreedor = 1");
    demo.SetParam("PagoCentral_FicherosUTF8", "1");
    auto w = Contabilizar({"SAGE'2"});
    ASSERT_EQ(w->FicherosGenerados.size(), 2u) << shell.Last();
    EXPECT_EQ(Leer(w->FicherosGenerados[0]), "");
    EXPECT_EQ(Leer(w->FicherosGenerados[1]).substr(0, 40), "D;4000000003;;1;TRANSF. Panadería O'Sha");
}

TEST_F(Sage200, TheCounterRunsOnAcrossRunsAndARolledBackRunGivesItsNumbersBack) {
    Completo();
    Contabilizar();
    ASSERT_EQ(Cerrado("SAGE'1"), "1") << shell.Last();
    EXPECT_EQ(Contador(), "3");

    // A second statement of 2030 and a third one whose lines fall in a closed year.
    Extracto("SAGE'2", "20/03/2030");
    long a = Linea(901, "40", "F-201", "11/03/2030", "SAGE'2");
    Claim(a, "40");
    Extracto("SAGE'3", "20/03/2030");
    long b = Linea(901, "15", "F-301", "11/03/2031", "SAGE'3");
    Claim(b, "15");
    demo.erp->Execute("INSERT INTO Ejercicios (Cod_Empresa, Codigo, FechaI, FechaF, Cerrado) VALUES (1, 2031, "
                      "'01/01/2031', '31/12/2031', 1)");
    const std::vector<std::string> tables = {"Compras_PagosCentral_Extractos", "Contador_SAGE200",
                                             "Compras_PagosCentral_Entradas", "acc:Asientos", "acc:Apuntes"};
    const std::string before = fixtures::Snapshot(demo, tables);
    segundo = 10;
    auto w = Contabilizar({"SAGE'2", "SAGE'3"});
    EXPECT_EQ(fixtures::Snapshot(demo, tables), before);
    EXPECT_EQ(Contador(), "3");
    ASSERT_GE(shell.messages.size(), 3u);
    const auto &error = shell.messages[shell.messages.size() - 2];
    EXPECT_EQ(host::IconName(error.icon) + "|" + error.title + "|" + error.text,
              "critical|frmExtractos:GenerarAsiento|El ejercicio 2031 está cerrado");
    EXPECT_EQ(shell.Last(), "information|Varnex|Ha ocurrido un error al generar el asiento");
    EXPECT_FALSE(w->Generado());
    EXPECT_FALSE(demo.erp->InTransaction());
    // The files of the statement built before the failure stay, with the number 4 they were given.
    const std::string reg2 = carpeta + "/PagCenSAGE200_SAGE'2_21032030_093010.csv";
    EXPECT_EQ(w->FicherosGenerados, (Lines{reg2, carpeta + "/PagCenSAGE200_SAGE'2_PAGO_21032030_093010.csv"}));
    EXPECT_EQ(Numeros(Leer(reg2)), (Lines{"4"}));
    EXPECT_EQ(Ficheros().size(), 4u);

    // Once the year is open again the run takes the numbers the failed one gave back.
    demo.erp->Execute("UPDATE Ejercicios SET Cerrado = 0 WHERE Codigo = 2031");
    segundo = 20;
    w = Contabilizar({"SAGE'2", "SAGE'3"});
    ASSERT_TRUE(w->Generado()) << shell.Last();
    ASSERT_EQ(w->FicherosGenerados.size(), 4u);
    EXPECT_EQ(Numeros(Leer(w->FicherosGenerados[0])), (Lines{"4"}));
    EXPECT_EQ(Numeros(Leer(w->FicherosGenerados[2])), (Lines{"1"}));
    EXPECT_EQ(Contador(), "4");
    EXPECT_EQ(Contador(2031), "1");
}

TEST_F(Sage200, ATakenNameIsNeverOverwrittenAndTheClockIsAskedAgainAfterAPause) {
    Completo();
    const std::string taken = carpeta + "/PagCenSAGE200_SAGE'1_21032030_093000.csv";
    { std::ofstream(taken, std::ios::binary) << "de otro"; }
    auto w = Contabilizar();
    ASSERT_TRUE(w->Generado()) << shell.Last();
    EXPECT_EQ(Leer(taken), "de otro");
    EXPECT_EQ(esperas, 1);
    EXPECT_EQ(w->FicherosGenerados, (Lines{carpeta + "/PagCenSAGE200_SAGE'1_21032030_093001.csv",
                                           carpeta + "/PagCenSAGE200_SAGE'1_PAGO_21032030_093001.csv"}));
    EXPECT_EQ(Leer(w->FicherosGenerados[0]), Esperado("registro.csv"));
}

TEST_F(Sage200, AnUnwritableFolderOrAnUnrepresentableTextRollsBackBeforeAnyFileIsWritten) {
    Completo();
    const std::vector<std::string> tables = {"Compras_PagosCentral_Extractos", "Contador_SAGE200",
                                             "Compras_PagosCentral_Entradas"};
    const std::string before = fixtures::Snapshot(demo, tables);
    auto failed = [&](const std::string &text) {
        EXPECT_EQ(fixtures::Snapshot(demo, tables), before);
        ASSERT_GE(shell.messages.size(), 2u);
        const auto &error = shell.messages[shell.messages.size() - 2];
        EXPECT_EQ(error.icon, host::Icon::Critical);
        EXPECT_EQ(error.title, "frmExtractos:GenerarAsiento");
        EXPECT_EQ(error.text, text);
        EXPECT_EQ(shell.Last(), "information|Varnex|Ha ocurrido un error al generar el asiento");
        EXPECT_TRUE(shell.ProgressHidden());
        EXPECT_FALSE(demo.erp->InTransaction());
    };
    // A folder below a plain file cannot be written, not even by root.
    const std::string file = demo.dir.File("no-es-carpeta");
    { std::ofstream(file) << "x"; }
    Carpeta(file + "/sage");
    Contabilizar();
    failed("No se puede crear el fichero " + file + "/sage/PagCenSAGE200_SAGE'1_21032030_093000.csv: Not a directory");

    Carpeta(carpeta);
    demo.erp->Execute("UPDATE Proveedores SET Nombre = 'Łódź Foods' WHERE Codigo = 10");
    auto w = Contabilizar();
    failed("Línea 8, campo 5 del fichero de registro de Sage 200: «Łódź Foods / ALB-4» lleva el carácter «Ł», que "
           "Windows-1252 no tiene");
    EXPECT_TRUE(Ficheros().empty());
    EXPECT_TRUE(w->FicherosGenerados.empty());

    demo.erp->Execute("UPDATE Proveedores SET Nombre = 'Conservas\r\nAçores' WHERE Codigo = 10");
    Contabilizar();
    failed("Línea 8, campo 5 del fichero de registro de Sage 200: «Conservas\r\nAçores / ALB-4» lleva un salto de "
           "línea");
    EXPECT_TRUE(Ficheros().empty());

    // The statement code is part of the file names, which Windows machines open too.
    demo.erp->Execute("UPDATE Proveedores SET Nombre = 'Conservas Açores Lda.' WHERE Codigo = 10");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET Cod_Extracto = '../SAGE' WHERE Cod_Extracto = "
                      "'SAGE''1'");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Cod_Extracto = '../SAGE'");
    const std::string renamed = fixtures::Snapshot(demo, tables);
    Contabilizar({"../SAGE"});
    EXPECT_EQ(fixtures::Snapshot(demo, tables), renamed);
    EXPECT_EQ(shell.messages[shell.messages.size() - 2].text,
              "El código de extracto «../SAGE» no puede formar parte del nombre de un fichero de Sage 200");
    EXPECT_TRUE(Ficheros().empty());
    for (const auto &e : fs::directory_iterator(demo.dir.Path())) {
        EXPECT_EQ(e.path().filename().string().find("PagCen"), std::string::npos) << e.path();
    }
}

TEST(Sage200Formats, AmountsDepartmentCodesAndTheFirstNumberOfAYear) {
    using E = accounting::EscritorSage200;
    EXPECT_EQ(E::Importe(suite::Moneda::FromUnits(12345000)), "1234.50");
    EXPECT_EQ(E::Importe(suite::Moneda::FromLong(-12)), "-12.00");
    EXPECT_EQ(E::Importe(suite::Moneda::FromUnits(50)), "0.01");
    EXPECT_EQ(E::Importe(suite::Moneda::FromUnits(-49)), "0.00");
    EXPECT_EQ(E::Importe(suite::Moneda::FromUnits(-1050)), "-0.11");
    Lines codes;
    for (short w : {1, 2, 3, 295, 335, 4, 0}) {
        codes.push_back(E::Dev_CodigoAlmacen(w));
    }
    EXPECT_EQ(codes, (Lines{"3", "1", "2", "4", "5", "", ""}));

    DemoDb demo;
    host::ScriptedShell shell;
    std::vector<std::string> escritos;
    E sage(shell, demo.dir.Path(), "X", 1, {}, escritos);
    const auto dia = *suite::Fecha::Desde(2030, 6, 1);
    EXPECT_EQ(sage.Dev_Codigo(false, "", dia), 1);
    EXPECT_EQ(demo.Count("Contador_SAGE200 WHERE Cod_Ejercicio = 2030"), 0);
    EXPECT_EQ(sage.Dev_Codigo(true, "", dia), 1);
    EXPECT_EQ(sage.Dev_Codigo(true, "IMP", dia), 2);
    EXPECT_EQ(sage.Dev_Codigo(true, "B'2", dia), 1);
    EXPECT_EQ(sage.Dev_Codigo(false, "", dia), 3);
    EXPECT_EQ(demo.One("SELECT Codigo FROM Contador_SAGE200 WHERE Serie = 'IMP'"), "2");
}

TEST_F(Sage200, HostileDocumentsAreWrittenAsTheyStandOrRefusedBeforeAnyFile) {
    // A prompt-payment line alone gives two records whose description ends in the document; ";" goes
    // in unchanged, as Sage's files have it.
    const std::string mano = Esperado("registro.csv");
    const std::size_t desde = mano.find("D;6260000000;");
    const std::string plantilla = mano.substr(desde, mano.find("D;4009000010;") - desde);
    const std::vector<std::string> esperado = {
        "O'Brien", "'); DROP TABLE x; --", "Di \"hola\" \"\"x\"\"", "C:\\dir\\n\\'x\\", Repetido("a\xD1", 150),
        "» lleva un salto de línea", "» lleva el carácter «\xF0\x9F\x98\x80», que Windows-1252 no tiene",
        "\xD1o\xF1o \xC1\xC9\xCD\xD3\xDA\xDC"};
    for (std::size_t i = 0; i < Hostiles().size(); ++i) {
        const std::string &t = Hostiles()[i].texto;
        SCOPED_TRACE(Hostiles()[i].nombre);
        const std::string codigo = "H" + std::to_string(i);
        Extracto(codigo, "20/03/2030");
        Set(Linea(901, "80", t, "10/03/2030", codigo), "ProntoPago = 1");
        const Lines antes = Ficheros();
        Contabilizar({codigo});
        if (esperado[i].rfind("» ", 0) == 0) {
            ASSERT_GE(shell.messages.size(), 2u);
            EXPECT_EQ(shell.messages[shell.messages.size() - 2].text,
                      "Línea 1, campo 5 del fichero de registro de Sage 200: «Proveedor O'901 / " + t + esperado[i]);
            EXPECT_EQ(Cerrado(codigo), "0");
            EXPECT_EQ(Ficheros(), antes);
            continue;
        }
        EXPECT_EQ(shell.Last(), "information|Varnex|Operación realizada con éxito.");
        std::string bytes = plantilla;
        for (std::size_t p; (p = bytes.find("PP-002")) != std::string::npos;) {
            bytes.replace(p, 6, esperado[i]);
        }
        const std::string reg = carpeta + "/PagCenSAGE200_" + codigo + "_21032030_0930" +
                                (segundo < 10 ? "0" : "") + std::to_string(segundo) + ".csv";
        EXPECT_EQ(Leer(reg), bytes);
    }
}

} // namespace
