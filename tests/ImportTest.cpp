#include "db/Field.h"
#include "db/Sql.h"
#include "fixtures/Env.h"
#include "fixtures/DemoDb.h"
#include "host/ScriptedShell.h"
#include "statements/FicheroExtractos2.h"
#include "statements/TokenizadorAnchoFijo.h"
#include "statements/TokenizadorDelimitado.h"
#include "statements/frmExtractos.h"
#include "statements/frmImportar.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using statements::frmExtractos;

const std::string kSamples = std::string(PC_SOURCE_DIR) + "/samples/";

using fixtures::Env;

std::string Join(const std::vector<std::string> &lines, const std::string &eol) {
    std::string out;
    for (const auto &l : lines) {
        out += l + eol;
    }
    return out;
}

// Filled with blanks to `width` characters (UTF-8 or single-byte), as fixed-width records are.
std::string Pad(const std::string &s, std::size_t width, bool right = false) {
    std::size_t chars = 0;
    for (unsigned char c : s) {
        chars += (c & 0xC0) != 0x80 ? 1 : 0;
    }
    std::string fill(chars < width ? width - chars : 0, ' ');
    return right ? fill + s : s + fill;
}

// A "LIK" record of the second format.
std::string Lik(const std::string &gln, const std::string &doc, const std::string &date,
                const std::string &amount, const std::string &name, const std::string &rel) {
    return "LIK" + std::string(13, '0') + Pad(gln, 13) + Pad(doc, 17) + date + Pad(amount, 15, true) + " " +
           Pad(name, 33) + Pad(rel, 6, true);
}

// Lines of a file, as the log writer leaves them.
std::vector<std::string> ReadLines(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> out;
    std::string l;
    while (std::getline(in, l)) {
        out.push_back(l);
    }
    return out;
}

class Import : public ::testing::Test {
  protected:
    Import() : profile("USERPROFILE", demo.dir.File("perfil")), w(shell, demo.settings) {
        demo.settings->GuardarValor("FechaIExtracto", "01/01/2000");
        demo.settings->GuardarValor("FechaFExtracto", "31/12/2099");
        // The application folder as the suite writes it on Windows.
        std::string app = demo.dir.File("app");
        std::filesystem::create_directories(app);
        std::string windows = app;
        for (char &c : windows) {
            if (c == '/') {
                c = '\\';
            }
        }
        demo.erp->Execute("UPDATE Empresas SET PathAplicacion = " + db::Quote(windows));
        iniPath = app + "/ConfAlmacenPagosCentralizados.ini";
        w.Show();
        shell.ClearLog();
        shell.handlers["frmImportar"] = [](host::Window &win) {
            auto &f = static_cast<statements::frmImportar &>(win);
            f.cmdExaminar_Click();
            f.cmdImportar_Click();
        };
    }

    std::string Write(const std::string &name, const std::string &bytes) {
        std::string path = demo.dir.File(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    void Importar(const std::string &path) {
        shell.openFiles.push_back(path);
        w.cmdImportar_Click();
    }
    // Every row of the query, cells joined by "|"; amounts as SQL numbers, dates as stored (ISO).
    std::vector<std::string> Rows(const std::string &sql) const {
        std::vector<std::string> out;
        auto rs = demo.erp->OpenRecordset(sql);
        while (!rs->Eof()) {
            std::string row;
            for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
                const auto &f = rs->Fields(i);
                row += i ? "|" : "";
                if (f.Kind() == db::FieldKind::Currency || f.Kind() == db::FieldKind::Real) {
                    row +=
                        suite::Formato::Instancia().NumeroSQL(suite::Moneda::FromUnits(f.AsCurrencyUnits()));
                } else {
                    row += f.AsText();
                }
            }
            out.push_back(row);
            rs->MoveNext();
        }
        return out;
    }
    // Everything an import writes, to compare before and after a refused file.
    std::vector<std::string> Snapshot() const {
        auto a = Rows("SELECT * FROM Compras_PagosCentral_Extractos ORDER BY Cod_Almacen, Cod_Extracto");
        auto b = Rows("SELECT * FROM Compras_PagosCentral_Extractos_Lineas ORDER BY IdExtractoLinea");
        auto c = Rows(
            "SELECT * FROM Compras_PagosCentral_Extractos_Lineas_Impuestos ORDER BY IdExtractoLinea, Tipo");
        auto d = Rows("SELECT Codigo, Nombre FROM Proveedores ORDER BY Codigo");
        a.insert(a.end(), b.begin(), b.end());
        a.insert(a.end(), c.begin(), c.end());
        a.insert(a.end(), d.begin(), d.end());
        return a;
    }
    std::vector<std::string> Headers(const std::string &like) const {
        return Rows(
            "SELECT Cod_Almacen, Cod_Extracto, FechaExtracto, FechaVto FROM Compras_PagosCentral_Extractos "
            "WHERE Cod_Extracto LIKE " +
            db::Quote(like) + " ORDER BY Cod_Almacen, Cod_Extracto");
    }
    std::vector<std::string> Lines(const std::string &like) const {
        return Rows(
            "SELECT Cod_Almacen, Cod_Extracto, Cod_Proveedor, Cod_ProveedorCentral, DocumentoCentral, "
            "Documento, Fecha, Importe, TipoPago, Id_Relacion FROM Compras_PagosCentral_Extractos_Lineas "
            "WHERE Cod_Extracto LIKE " +
            db::Quote(like) + " ORDER BY IdExtractoLinea");
    }
    int GridRow(const std::string &code) const {
        for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
            if (w.vsExtractos.Text(r, frmExtractos::colExtracto) == code) {
                return r;
            }
        }
        return 0;
    }
    std::string LogFile() const { return demo.dir.File("perfil") + "/Orbel/ImportarPagoCentral.log"; }

    DemoDb demo;
    Env profile;
    host::ScriptedShell shell;
    frmExtractos w;
    std::string iniPath;
};

const char *kOk = "information|¡ Atención !|Fichero importado correctamente.";

// A small statement file of the first format: two warehouses, payment types FA, AB and PP.
std::vector<std::string> Fichero1() {
    return {"\"E\";\"101\";\"T-1\";01112026;16112026",
            "\"L\";\"T-1\";50001;1;\"FA-1\";\"D-1\";15102026;1070,00",
            "\"L\";\"T-1\";50004;4;\"AB-2\";\"D-2\";16102026;-53,50",
            "\"E\";\"102\";\"T-2\";02112026;17112026",
            "\"L\";\"T-2\";50011;11;\"PP-3\";\"D-3\";17102026;1.234,56",
            "\"FIN\""};
}

TEST_F(Import, StatementSampleStoresEveryGroupUnderItsWarehouseAndReloadsTheList) {
    w.vsExtractos.row = 4;
    Importar(kSamples + "extractos_formato1.txt");
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(shell.modals, (std::vector<std::string>{"frmImportar"}));
    EXPECT_EQ(Headers("PC2611-%"), (std::vector<std::string>{"1|PC2611-101|2026-11-01|2026-11-16",
                                                             "2|PC2611-102|2026-11-01|2026-11-16",
                                                             "3|PC2611-103|2026-11-02|2026-11-17"}));
    auto lines = Lines("PC2611-%");
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "1|PC2611-101|1|50001|FA-810001|FV26/1001|2026-10-15|1070|1|0");
    // Windows-1252 "º" and "Ñ" arrive as UTF-8; AB and PP find their payment types.
    EXPECT_EQ(lines[2], "1|PC2611-101|4|50004|AB-810003|ABONO Nº 77|2026-10-20|-53.5|2|0");
    EXPECT_EQ(lines[3], "1|PC2611-101|9|50009|FA-810004|FV-9-1212|2026-10-22|1090.56|1|0");
    EXPECT_EQ(lines[5], "2|PC2611-102|11|50011|PP-810006|PP-11-0001|2026-10-14|-21.4|3|0");
    EXPECT_EQ(lines[9], "3|PC2611-103|20|50020|AB-810010|FAÑ-20-ABO|2026-10-21|-121|2|0");
    // The list was reloaded from its first row, with the new statements' totals.
    EXPECT_EQ(w.FilaGuardada(), 0);
    EXPECT_EQ(w.vsExtractos.row, 1);
    int r = GridRow("PC2611-101");
    ASSERT_GT(r, 0);
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colNombreAlmacen), "Supermercado Telde");
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colImporte), "2.642,06");
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colFecha), "01/11/2026");
    EXPECT_EQ(shell.progress.front(), "Importando extractos, espere por favor...");
    EXPECT_TRUE(shell.ProgressHidden());
    EXPECT_TRUE(w.Importado());
}

TEST_F(Import, TaxSampleFindsEachTypeByRateRegimeAndDateAndUpdatesOnASecondRun) {
    Importar(kSamples + "extractos_formato1.txt");
    long before = demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos");
    Importar(kSamples + "extractos_formato1_impuestos.csv");
    EXPECT_EQ(shell.Last(), "information|¡ Atención !|Fichero Impuestos importado correctamente.");
    const std::string q =
        "SELECT lin.Documento, i.Base, i.Valor_Tipo, i.Importe, i.Tipo FROM "
        "Compras_PagosCentral_Extractos_Lineas_Impuestos i INNER JOIN "
        "Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = i.IdExtractoLinea WHERE "
        "lin.Cod_Extracto LIKE 'PC2611-%' ORDER BY i.IdExtractoLinea, i.Tipo";
    auto rows = Rows(q);
    // Warehouses 1 and 2 use the IGIC list (7 % is type 4, 3 % type 3, 9,5 % type 5, 0 % type 1);
    // warehouse 3 is under the special regime (21 % is type 4, 10 % type 3).
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "FV26/1001|1000|7|70|4", "2026-A-0334|500|7|35|4", "ABONO Nº 77|-50|7|-3.5|4",
                        "FV-9-1212|5.68|0|0|1", "FV-9-1212|1000|3|30|3", "FV-9-1212|55.6|9.5|5.28|5",
                        "C-5/0098|2000|7|140|4", "PP-11-0001|-20|7|-1.4|4", "Triana 8812|300|7|21|4",
                        "PM-15-2201|500|21|105|4", "QFG-18-0440|1100|10|110|3", "FAÑ-20-ABO|-100|21|-21|4"}));
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos"), before + 12);

    // The same rows again replace the values of each line's type instead of adding rows.
    std::string changed = Write("impuestos.csv", "IMP;101;50001;0;FV26/1001;15102026;0;990;7;69,30\r\n"
                                                 "IMP;101;50001;0;NO-EXISTE;15102026;0;1;7;0,07\r\n");
    Importar(changed);
    EXPECT_EQ(shell.Last(), "information|¡ Atención !|Fichero Impuestos importado correctamente.");
    EXPECT_EQ(Rows(q)[0], "FV26/1001|990|7|69.3|4");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas_Impuestos"), before + 12);
}

TEST_F(Import, TaxRateOfNoTypeIsStoredWithTypeZeroAndTheWorkingDateFollowsTheDocument) {
    Importar(Write("f.txt", Join(Fichero1(), "\n")));
    // 6,5 % was the general rate until the end of the year before last: only that date finds it.
    int old = suite::Fecha::Hoy().Anio() - 2;
    std::string csv = "x;101;50001;x;D-1;1506" + std::to_string(old) + ";x;100;6,5;6,50\n" +
                      "x;101;50004;x;D-2;01011900;x;100;6,5;6,50\n" +
                      "x;102;50011;x;D-3;01011900;x;100;12;12\n";
    Importar(Write("t.csv", csv));
    EXPECT_EQ(shell.Last(), "information|¡ Atención !|Fichero Impuestos importado correctamente.");
    EXPECT_EQ(
        Rows(
            "SELECT lin.Documento, i.Valor_Tipo, i.Tipo FROM Compras_PagosCentral_Extractos_Lineas_Impuestos "
            "i "
            "INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = i.IdExtractoLinea "
            "WHERE lin.Cod_Extracto LIKE 'T-%' ORDER BY lin.Documento"),
        (std::vector<std::string>{"D-1|6.5|4", "D-2|6.5|0", "D-3|12|0"}));
    EXPECT_EQ(host::Contexto::Global().empresaVarnex->FechaTrabajo(), suite::Fecha::Hoy());
}

TEST_F(Import, Format2SampleFindsSuppliersByGlnWithOrWithoutDotsAndKeepsRelations) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    demo.SetParam("Almacen_PD", "3");
    Importar(kSamples + "extractos_formato2.txt");
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(Headers("PC2%"), (std::vector<std::string>{"3|PC220261215|2026-11-30|2026-12-15",
                                                         "3|PC220261231|2026-12-15|2026-12-31"}));
    auto lines = Lines("PC2%");
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "3|PC220261215|1|0|F1-2026-00871|F1-2026-00871|2026-11-02|1284|1|0");
    // Supplier 3's GLN is stored as "84.3700.000021.3".
    EXPECT_EQ(lines[1], "3|PC220261215|3|0|PAN/26/1190|PAN/26/1190|2026-11-05|312.3|1|0");
    EXPECT_EQ(lines[2], "3|PC220261215|4|0|FVÑ-4411|FVÑ-4411|2026-11-06|842.12|1|41");
    EXPECT_EQ(lines[3], "3|PC220261215|4|0|ABÑ-0090|ABÑ-0090|2026-11-08|-42.12|1|41");
    EXPECT_EQ(lines[7], "3|PC220261231|12|0|ET-26-0301|ET-26-0301|2026-12-03|-10|1|42");
    int r = GridRow("PC220261231");
    ASSERT_GT(r, 0);
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colNombreAlmacen), "Autoservicio La Laguna");
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colFechaVto), "31/12/2026");
}

TEST_F(Import, UnknownGlnGoesToTheClipboardAndStoresNothing) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    auto before = Snapshot();
    std::string bgm = "BGMPC220261215         20261130";
    std::string ok = Lik("8437000000007", "F1-2026-00871", "20261102", "1284.00", "Distribuciones Pérez", "");
    std::string bad = Lik("8437999999999", "F1-2026-00872", "20261102", "12.00", "Almacenes Núñez", "7");
    Importar(Write("f2.txt", Join({bgm, ok, bad}, "\r\n")));
    EXPECT_EQ(shell.Last(),
              "warning|¡ Atención !|No se ha logrado enlazar el proveedor: \n\n"
              "  GLN    : 8437999999999\n  Nombre : Almacenes Núñez\n\n(GLN copiado al portapapeles)\n\n"
              "Fichero: " + demo.dir.File("f2.txt") + "\nLínea: 3\nCampo: GLN (posiciones 17-29)");
    EXPECT_EQ(shell.clipboard, "8437999999999");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(w.Importado());
}

TEST_F(Import, EdgeCasesOfTheStatementFile) {
    auto before = Snapshot();
    // Without the end marker nothing is read, however valid the records.
    auto sinFin = Fichero1();
    sinFin.pop_back();
    Importar(Write("sinfin.txt", Join(sinFin, "\r\n")));
    EXPECT_EQ(shell.Last(), "warning|¡Atención!|Error de Importación: No existe la línea fin de fichero.\nFichero: " +
                                demo.dir.File("sinfin.txt"));
    EXPECT_EQ(Snapshot(), before);

    // A character the ERP's Windows-1252 columns cannot hold is refused where it stands.
    auto emoji = Fichero1();
    emoji[1] = "\"L\";\"T-1\";50001;1;\"FA-1\";\"D \xF0\x9F\x98\x80\";15102026;1070,00";
    Importar(Write("emoji.txt", Join(emoji, "\n")));
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Error de Importación: el texto \"D \xF0\x9F\x98\x80\" lleva el carácter "
                            "\"\xF0\x9F\x98\x80\", que no se puede guardar\nFichero: " +
                                demo.dir.File("emoji.txt") + "\nLínea: 2\nCampo: Documento (campo 6)");
    EXPECT_EQ(Snapshot(), before);

    // Only a lower-case "csv" ending picks the tax parser.
    Importar(Write("EXTRACTO.CSV", Join(Fichero1(), "\r\n")));
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(Headers("T-%"),
              (std::vector<std::string>{"1|T-1|2026-11-01|2026-11-16", "2|T-2|2026-11-02|2026-11-17"}));
    auto once = Snapshot();

    // The same file again stops at its first header.
    Importar(demo.dir.File("EXTRACTO.CSV"));
    EXPECT_EQ(shell.Last(),
              "warning|¡Atención!|Error de Importación: Ya existe el Extracto: T-1 asociado al almacén: "
              "1 Supermercado Telde\nFichero: " + demo.dir.File("EXTRACTO.CSV") + "\nLínea: 1\nCampo: Extracto (campo 3)");
    EXPECT_EQ(Snapshot(), once);

    // A new statement before an existing one is rolled back with it.
    Importar(Write("mixto.txt", Join({"\"E\";\"103\";\"T-3\";01112026;16112026",
                                      "\"L\";\"T-3\";50001;1;\"FA-9\";\"D-9\";15102026;1",
                                      "\"E\";\"102\";\"T-2\";02112026;17112026", "\"FIN\""},
                                     "\n")));
    EXPECT_EQ(shell.Last(),
              "warning|¡Atención!|Error de Importación: Ya existe el Extracto: T-2 asociado al almacén: "
              "2 Supermercado Las Palmas - Mesa y López\nFichero: " + demo.dir.File("mixto.txt") +
                  "\nLínea: 3\nCampo: Extracto (campo 3)");
    EXPECT_EQ(Snapshot(), once);

    // A central warehouse known nowhere gives warehouse 0; an unknown payment type gives 0; the
    // company's own supplier code may be blank.
    Importar(Write("cero.txt", Join({"\"E\";\"999\";\"T-0\";01112026;16112026",
                                     "\"L\";\"T-0\";50001;;\"ZZ-1\";\"D-0\";15102026;5", "\"FIN\""},
                                    "\n")));
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(Headers("T-0"), (std::vector<std::string>{"0|T-0|2026-11-01|2026-11-16"}));
    EXPECT_EQ(Lines("T-0"), (std::vector<std::string>{"0|T-0|0|50001|ZZ-1|D-0|2026-10-15|5|0|0"}));
    int r = GridRow("T-0");
    ASSERT_GT(r, 0);
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colAlmacen), "0");
    EXPECT_EQ(w.vsExtractos.Text(r, frmExtractos::colNombreAlmacen), "");
}

TEST_F(Import, MappingFileComesFirstAndAlmacenesIsTheFallback) {
    std::ofstream(iniPath) << "[Otros]\r\n101=2\r\n[Almacenes]\r\n101=3\r\n555 = 2\r\n102=0\r\n103=abc\r\n";
    Importar(Write(
        "map.txt",
        Join({"\"E\";\"101\";\"M-1\";01112026;16112026", "\"E\";\"555\";\"M-2\";01112026;16112026",
              "\"L\";\"M-2\";50001;1;\"FA-1\";\"D\";15102026;10,7", "\"E\";\"102\";\"M-3\";01112026;16112026",
              "\"E\";\"103\";\"M-4\";01112026;16112026", "\"FIN\""},
             "\r\n")));
    EXPECT_EQ(shell.Last(), kOk);
    // 101 and 555 by the file; 102 (0) and 103 (not a number) by Cod_AlmacenCentral.
    EXPECT_EQ(Rows("SELECT Cod_Extracto, Cod_Almacen FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto "
                   "LIKE 'M-%' "
                   "ORDER BY Cod_Extracto"),
              (std::vector<std::string>{"M-1|3", "M-2|2", "M-3|2", "M-4|3"}));
    // The tax file maps the same way: central 555 is warehouse 2.
    Importar(Write("map.csv", "x;555;50001;x;D;15102026;x;10;7;0,7\n"));
    EXPECT_EQ(shell.Last(), "information|¡ Atención !|Fichero Impuestos importado correctamente.");
    EXPECT_EQ(
        Rows("SELECT i.Base, i.Tipo FROM Compras_PagosCentral_Extractos_Lineas_Impuestos i INNER JOIN "
             "Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = i.IdExtractoLinea WHERE "
             "lin.Cod_Extracto = 'M-2'"),
        (std::vector<std::string>{"10|4"}));

    // A duplicate mapped by the file names the warehouse by its code only.
    Importar(demo.dir.File("map.txt"));
    EXPECT_EQ(shell.Last(),
              "warning|¡Atención!|Error de Importación: Ya existe el Extracto: M-1 asociado al almacén: 3 \nFichero: " +
                  demo.dir.File("map.txt") + "\nLínea: 1\nCampo: Extracto (campo 3)");
}

TEST_F(Import, ModeWindowAndMissingFile) {
    demo.SetParam("PagoCentral_TipoExtracto", "0");
    w.cmdImportar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|No se ha configurado el tipo de extracto a importar");
    EXPECT_TRUE(shell.modals.empty());
    demo.SetParam("PagoCentral_TipoExtracto", "1");

    // Leaving the window imports nothing and writes no log.
    shell.handlers["frmImportar"] = [](host::Window &win) {
        auto &f = static_cast<statements::frmImportar &>(win);
        f.txtRuta.text = "/algo.txt";
        f.Form_KeyDown_Escape();
    };
    shell.ClearLog();
    w.cmdImportar_Click();
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(LogFile()));

    // "&Importar" with no file chosen stays; a cancelled dialog keeps the text.
    statements::frmImportar dlg(shell);
    dlg.Show();
    dlg.cmdExaminar_Click();
    EXPECT_EQ(dlg.txtRuta.text, "");
    dlg.cmdImportar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe elegir un documento a importar");
    EXPECT_TRUE(dlg.Loaded());
    EXPECT_EQ(dlg.ruta, "");

    // A file that does not exist fails silently, after the log entries.
    shell.handlers["frmImportar"] = [](host::Window &win) {
        auto &f = static_cast<statements::frmImportar &>(win);
        f.txtRuta.text = "/no/existe.txt";
        f.cmdImportar_Click();
    };
    shell.ClearLog();
    w.cmdImportar_Click();
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_FALSE(w.Importado());
    EXPECT_TRUE(std::filesystem::exists(LogFile()));
}

TEST_F(Import, BadInputIsRefusedNamingFileLineAndFieldAndStoresNothing) {
    struct Case {
        const char *name;
        std::string bytes;
        std::string expected; // the message after "Error de Importación: ", with the file's path as {}
        int line;
        std::string field;
        std::string mode = "1";
        const char *icon = "warning|¡ Atención !|";
    };
    auto good = Fichero1();
    auto with = [&](int index, const std::string &line) {
        auto l = good;
        l[static_cast<std::size_t>(index)] = line;
        return Join(l, "\r\n");
    };
    std::string bgm = "BGMPC220261215         20261130\n";
    std::string lik = Lik("8437000000007", "F1-2026-00871", "20261102", "1284.00", "", "").substr(0, 70);
    // A demo line of warehouse 1 with its tax row at 7 %: the first tax line below updates it.
    std::string doc =
        demo.One("SELECT TOP 1 Documento FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Almacen = 1 "
                 "ORDER BY IdExtractoLinea");
    std::string sup =
        demo.One("SELECT TOP 1 Cod_ProveedorCentral FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                 "Cod_Almacen = 1 ORDER BY IdExtractoLinea");
    std::string tax1 = "x;101;" + sup + ";x;" + doc + ";15102026;x;100;7;7\n";
    std::vector<Case> cases = {
        {"few.txt", with(4, "\"L\";\"T-2\";50011;11;\"PP-3\";\"D-3\";17102026"),
         "el registro \"L\" tiene 7 campos y necesita 8", 5, "Importe (campo 8)"},
        {"fewE.txt", with(3, "\"E\";\"102\";\"T-2\""), "el registro \"E\" tiene 3 campos y necesita 5", 4,
         "Fecha del extracto (campo 4)"},
        {"date.txt", with(4, "\"L\";\"T-2\";50011;11;\"PP-3\";\"D-3\";31022026;1"),
         "\"31022026\" no es una fecha válida (ddmmaaaa)", 5, "Fecha (campo 7)"},
        {"dateE.txt", with(3, "\"E\";\"102\";\"T-2\";02132026;17112026"),
         "\"02132026\" no es una fecha válida (ddmmaaaa)", 4, "Fecha del extracto (campo 4)"},
        {"amount.txt", with(4, "\"L\";\"T-2\";50011;11;\"PP-3\";\"D-3\";17102026;12,3x"),
         "el importe \"12,3x\" no es un número con coma decimal y punto de miles (por ejemplo 1.090,56)", 5,
         "Importe (campo 8)"},
        {"code.txt", with(4, "\"L\";\"T-2\";5001A;11;\"PP-3\";\"D-3\";17102026;1"),
         "\"5001A\" no es un número entero", 5, "Proveedor central (campo 3)"},
        {"bare.txt", with(4, "\"L\";\"T-2\";50011;11;PP-3;\"D-3\";17102026;1"),
         "el valor \"PP-3\" debe ir entre delimitadores (\"...\")", 5, "Documento central (campo 5)"},
        {"orphan.txt", Join({"\"L\";\"T-2\";50011;11;\"PP-3\";\"D-3\";17102026;1", "\"FIN\""}, "\n"),
         "hay una línea \"L\" antes de la primera cabecera \"E\"", 1, "Tipo de registro (campo 1)"},
        {"dash.txt", with(4, "\"L\";\"T-2\";50011;11;\"PP3\";\"D-3\";17102026;1"),
         "el documento central \"PP3\" no lleva \"-\" tras el tipo de pago", 5, "Documento central (campo 5)",
         "1", "critical|frmExtractos:ProcesarFichero_1s|"},
        {"binary.txt", Join(good, "\n") + std::string("\x01\x02\x00\x03", 4),
         "el fichero no es de texto (contiene el byte 0x01)", 7, ""},
        {"tax.csv", tax1 + "x;101;50001;x;D-1;15102026;x;100;siete;7\n",
         "el importe \"siete\" no es un número con coma decimal y punto de miles (por ejemplo 1.090,56)", 2,
         "Tipo (campo 9)"},
        {"taxfew.csv", tax1 + "x;101;50001;x;D-1;15102026;x;100;7\n",
         "el registro de impuestos tiene 9 campos y necesita 10", 2, "Cuota (campo 10)"},
        {"taxdate.csv", tax1 + "x;101;50001;x;D-1;00002026;x;100;7;7\n",
         "\"00002026\" no es una fecha válida (ddmmaaaa)", 2, "Fecha (campo 6)"},
        {"short2.txt", bgm + lik.substr(0, 60) + "\n",
         "la línea del registro \"LIK\" tiene 60 caracteres y necesita 69", 2, "Importe (posiciones 55-69)",
         "2"},
        {"shortbgm.txt", "BGMPC220261215\n",
         "la línea del registro \"BGM\" tiene 14 caracteres y necesita 31", 1,
         "Fecha del extracto (posiciones 24-31)", "2"},
        {"amount2.txt", bgm + Lik("8437000000007", "F1-2026-00871", "20261102", "1284,00 €", "", "1") + "\n",
         "el importe \"1284,00 €\" no es un número", 2, "Importe (posiciones 55-69)", "2"},
        {"date2.txt", "BGMPC220261315         20261130\n", "\"20261315\" no es una fecha válida (aaaammdd)",
         1, "Fecha de vencimiento (posiciones 7-14)", "2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        demo.SetParam("PagoCentral_TipoExtracto", c.mode);
        // Statements of the same file that were stored before the bad line must go too.
        auto before = Snapshot();
        std::string path = Write(c.name, c.bytes);
        shell.ClearLog();
        Importar(path);
        std::string text = std::string(c.icon) + "Error de Importación: " + c.expected +
                           "\nFichero: " + path + "\nLínea: " + std::to_string(c.line) +
                           (c.field.empty() ? "" : "\nCampo: " + c.field);
        EXPECT_EQ(shell.Last(), text);
        EXPECT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_FALSE(w.Importado());
        EXPECT_TRUE(shell.ProgressHidden());
    }

    // A folder is not a file.
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    std::filesystem::create_directories(demo.dir.File("carpeta.txt"));
    Importar(demo.dir.File("carpeta.txt"));
    EXPECT_EQ(shell.Last(),
              "warning|¡ Atención !|Error de Importación: la ruta es una carpeta, no un fichero\nFichero: " +
                  demo.dir.File("carpeta.txt"));
}

TEST_F(Import, FileTextIsStoredAsItStandsNeverRunAsSql) {
    std::string evil = "'); DELETE FROM Proveedores; --";
    Importar(Write("evil.txt",
                   Join({"\"E\";\"101\";\"O'Neil-1\";01112026;16112026",
                         "\"L\";\"O'Neil-1\";50001;1;\"FA-'1\";\"" + evil + "\";15102026;1", "\"FIN\""},
                        "\n")));
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(Lines("O'%"),
              (std::vector<std::string>{"1|O'Neil-1|1|50001|FA-'1|" + evil + "|2026-10-15|1|1|0"}));
    EXPECT_EQ(demo.Count("Proveedores"), 20);
    // A quote in a GLN or a document of the second format is just as inert.
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    Importar(Write("evil2.txt", "BGMO'B20261215         20261130\n" +
                                    Lik("' OR '1'='1", "F1-2026-00871", "20261102", "1284.00", "", "") +
                                    "\n"));
    EXPECT_EQ(shell.Last(),
              "warning|¡ Atención !|No se ha logrado enlazar el proveedor: \n\n  GLN    : ' OR '1'='1\n"
              "  Nombre : \n\n(GLN copiado al portapapeles)\n\nFichero: " + demo.dir.File("evil2.txt") +
                  "\nLínea: 2\nCampo: GLN (posiciones 17-29)");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos WHERE Cod_Extracto = 'O''B20261215'"), 0);
}

TEST_F(Import, WindowsAndUnixFilesOfEitherEncodingStoreTheSameRows) {
    // One statement written five ways: UTF-8 with LF, Windows-1252 with CRLF, a UTF-8 byte-order
    // mark, blanks around every field and a trailing empty line, a decimal point.
    std::string utf8 = Join({"\"E\";\"101\";\"ENC\";01112026;16112026",
                             "\"L\";\"ENC\";50004;4;\"FA-Ñ1\";\"Nº 12 Peña €\";15102026;1234,5", "\"FIN\""},
                            "\n");
    std::string cp1252 = Join({"\"E\";\"101\";\"ENC\";01112026;16112026",
                               "\"L\";\"ENC\";50004;4;\"FA-\xD1"
                               "1\";\"N\xBA 12 Pe\xF1"
                               "a \x80\";15102026;1234,5",
                               "\"FIN\""},
                              "\r\n");
    std::string bom = "\xEF\xBB\xBF" + utf8;
    std::string blanks =
        Join({"  \"E\" ; \"101\" ;\t\"ENC\" ; 01112026 ; 16112026  ",
              " \"L\" ; \"ENC\" ; 50004 ; 4 ; \"FA-Ñ1\" ; \"Nº 12 Peña €\" ; 15102026 ; 1234,5 ", " \"FIN\" ",
              "", "   "},
             "\r\n");
    std::string point = Join({"\"E\";\"101\";\"ENC\";01112026;16112026",
                              "\"L\";\"ENC\";50004;4;\"FA-Ñ1\";\"Nº 12 Peña €\";15102026;1234,50", "\"FIN\""},
                             "\n") +
                        "\n";
    std::vector<std::string> expected = {"1|ENC|4|50004|FA-Ñ1|Nº 12 Peña €|2026-10-15|1234.5|1|0"};
    for (const auto &[name, bytes] : std::vector<std::pair<std::string, std::string>>{{"utf8.txt", utf8},
                                                                                      {"cp1252.txt", cp1252},
                                                                                      {"bom.txt", bom},
                                                                                      {"blanks.txt", blanks},
                                                                                      {"point.txt", point}}) {
        SCOPED_TRACE(name);
        Importar(Write(name, bytes));
        EXPECT_EQ(shell.Last(), kOk);
        EXPECT_EQ(Lines("ENC"), expected);
        demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'ENC'");
        demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = 'ENC'");
    }

    // Fixed positions count characters: a Windows-1252 "ñ" before the relation shifts nothing.
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    Importar(Write("f2.txt", "BGMPC220261215         20261130\r\n" +
                                 Lik("8437000000028", "FV\xD1-4411", "20261106", "842.12",
                                     "Frutas y Verduras \xD1"
                                     "ameras",
                                     "41") +
                                 "\r\n"));
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(Lines("PC220261215"),
              (std::vector<std::string>{"1|PC220261215|4|0|FVÑ-4411|FVÑ-4411|2026-11-06|842.12|1|41"}));
}

TEST_F(Import, LogRecordsEachStepAndForgetsEntriesOlderThanThirtyDays) {
    std::filesystem::create_directories(demo.dir.File("perfil") + "/Orbel");
    auto stamp = [](int days) {
        return suite::Fecha::Hoy().SumarDias(days).Formato("yyyy-mm-dd") + " 10:00:00";
    };
    std::ofstream(LogFile()) << stamp(-40) << "\tDEBUG\tImportar\tviejo\n"
                             << stamp(-10) << "\tDEBUG\tImportar\treciente\n";
    std::string path = Write("log.txt", Join(Fichero1(), "\n"));
    Importar(path);
    ASSERT_EQ(shell.Last(), kOk);
    auto lines = ReadLines(LogFile());
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], stamp(-10) + "\tDEBUG\tImportar\treciente");
    std::vector<std::string> tails = {"Importar\tInicio Importación", "Importar\tRuta Fichero: " + path,
                                      "ProcesarFichero_1\tInicio Lectura Fichero: " + path,
                                      "ProcesarFichero_1\tFin Lectura Fichero: " + path,
                                      "Importar\tFin Importación"};
    for (std::size_t i = 0; i < tails.size(); ++i) {
        EXPECT_EQ(lines[i + 1].substr(0, 10), suite::Fecha::Hoy().Formato("yyyy-mm-dd"));
        EXPECT_EQ(lines[i + 1].substr(20), "DEBUG\t" + tails[i]);
    }

    // A refused file logs its start but not its end; the tax and second-format parsers log under their names.
    Importar(Write("log.csv", "x;101;50001;x;D-1;15102026;x;100;7\n"));
    lines = ReadLines(LogFile());
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[8].substr(20),
              "DEBUG\tProcesarFichero_Impuestos_1\tInicio Lectura Fichero: " + demo.dir.File("log.csv"));
    EXPECT_EQ(lines[9].substr(20), "DEBUG\tImportar\tFin Importación");
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    Importar(kSamples + "extractos_formato2.txt");
    lines = ReadLines(LogFile());
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[13].substr(20),
              "DEBUG\tProcesarFichero_2\tFin Lectura Fichero: " + kSamples + "extractos_formato2.txt");
}

TEST_F(Import, LargeFileReportsProgressEveryFiveThousandLines) {
    std::ostringstream f;
    f << "\"E\";\"101\";\"BIG\";01112026;16112026\r\n";
    for (int i = 0; i < 12000; ++i) {
        f << "\"L\";\"BIG\";50001;1;\"FA-" << i << "\";\"D-" << i << "\";15102026;" << i << ",25\r\n";
    }
    f << "\"FIN\"\r\n";
    Importar(Write("big.txt", f.str()));
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'BIG'"), 12000);
    EXPECT_EQ(
        demo.One("SELECT SUM(Importe) FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'BIG'"),
        "71997000");
    std::vector<std::string> importing(shell.progress.begin(), shell.progress.begin() + 4);
    EXPECT_EQ(importing, (std::vector<std::string>{
                             "Importando extractos, espere por favor...",
                             "Importando extractos, espere por favor... (5000 líneas leídas)",
                             "Importando extractos, espere por favor... (10000 líneas leídas)", ""}));
}

// The readers from in-memory text.
TEST(ImportReaders, DelimitedFieldsAreTrimmedAndEachLineDecidesItsEncoding) {
    struct Case {
        std::string bytes;
        std::vector<std::vector<std::string>> lines;
        bool utf8;
    };
    std::vector<Case> cases = {
        {"a; b ;c\r\n;;\r\n\r\nd", {{"a", "b", "c"}, {"", "", ""}, {}, {"d"}}, true},
        {"\xEF\xBB\xBFPe\xC3\xB1"
         "a;x\n",
         {{"Peña", "x"}},
         true},
        {"Pe\xF1"
         "a;\x80\n",
         {{"Peña", "€"}},
         false},
        // Each line is decoded on its own: one stray byte does not garble the other lines.
        {"\xC3\xB1\nPe\xF1"
         "a\n",
         {{"ñ"}, {"Peña"}},
         false},
        {"\t\x1A\n", {{}}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes);
        statements::TokenizadorDelimitado t("mem", statements::Tokenizador::DeTexto(c.bytes), ';');
        EXPECT_EQ(t.Utf8(), c.utf8);
        std::vector<std::vector<std::string>> got;
        while (t.Siguiente()) {
            std::vector<std::string> fields;
            for (std::size_t i = 0; i < t.Campos(); ++i) {
                fields.emplace_back(t.Campo(i));
            }
            got.push_back(fields);
        }
        EXPECT_EQ(got, c.lines);
    }
}

TEST(ImportReaders, LinesEndInCrLfLfOrCrAlone) {
    statements::TokenizadorDelimitado t("mem", statements::Tokenizador::DeTexto("a;1\rb;2\r\nc;3\n\rd;4\r"), ';');
    std::vector<std::string> got;
    while (t.Siguiente()) {
        got.push_back(std::to_string(t.NumeroLinea()) + ":" + t.Linea());
    }
    EXPECT_EQ(got, (std::vector<std::string>{"1:a;1", "2:b;2", "3:c;3", "4:", "5:d;4"}));
}

TEST(ImportReaders, AnEnclosedFieldKeepsTheSeparatorsItHolds) {
    statements::TokenizadorDelimitado t(
        "mem", statements::Tokenizador::DeTexto("\"a;b\" ;\"c\"d\";e\n\"x;y\n\"x\"y;z\";w \n"), ';', '"');
    std::vector<std::vector<std::string>> got;
    while (t.Siguiente()) {
        std::vector<std::string> fields;
        for (std::size_t i = 0; i < t.Campos(); ++i) {
            fields.emplace_back(t.Campo(i));
        }
        got.push_back(fields);
    }
    // A delimiter that is never closed leaves the plain split.
    EXPECT_EQ(got, (std::vector<std::vector<std::string>>{
                       {"\"a;b\"", "\"c\"d\"", "e"}, {"\"x", "y"}, {"\"x\"y;z\"", "w"}}));
}

TEST(ImportReaders, FixedWidthFieldsCountCharactersAndSkipOtherRecords) {
    statements::TokenizadorAnchoFijo t("mem", statements::Tokenizador::DeTexto("ñaño  b\nab"));
    ASSERT_TRUE(t.Siguiente());
    EXPECT_EQ(t.Caracteres(), 7);
    EXPECT_EQ(t.Campo(1, 4), "ñaño");
    EXPECT_EQ(t.Campo(5, 3), "b");
    EXPECT_EQ(t.Campo(7, 10), "b");
    ASSERT_TRUE(t.Siguiente());
    EXPECT_EQ(t.Campo(3, 2), "");

    std::string lik = Lik("8437000000007", "F1", "20261102", "-5,5", std::string(33, 'n'), "123");
    statements::FicheroExtractos2 f("mem",
                                    statements::Tokenizador::DeTexto("UNB cabecera\nBGMAAA20261215 x       "
                                                                     "20261130\nFTX nota\n" +
                                                                     lik + "\nUNZ\n"));
    ASSERT_EQ(f.Siguiente(), statements::FicheroExtractos2::Registro::Cabecera);
    EXPECT_EQ(f.UltimaCabecera().extracto, "AAA20261215");
    EXPECT_EQ(f.UltimaCabecera().fechaVto, *suite::Fecha::Desde(2026, 12, 15));
    ASSERT_EQ(f.Siguiente(), statements::FicheroExtractos2::Registro::Linea);
    EXPECT_EQ(f.NumeroLinea(), 4);
    EXPECT_EQ(f.UltimaLinea().gln, "8437000000007");
    EXPECT_EQ(f.UltimaLinea().importe, suite::Moneda::FromUnits(-55000));
    EXPECT_EQ(f.UltimaLinea().relacion, 123);
    EXPECT_EQ(f.Siguiente(), statements::FicheroExtractos2::Registro::Fin);
}

// The batch command, once the program dispatches it.
TEST(ImportCommand, ImportsTheSamplesAndExitsNonZeroOnARefusal) {
    TempDir dir;
    auto run = [&](const std::string &args, std::string &out, std::string &err) {
        std::string cmd = "USERPROFILE='" + dir.File("perfil") + "' PAGOCENTRAL_SETTINGS='" +
                          dir.File("s.ini") + "' " + PC_PROGRAM + " " + args + " >'" + dir.File("out") +
                          "' 2>'" + dir.File("err") + "'";
        int status = std::system(cmd.c_str());
        std::stringstream o, e;
        o << std::ifstream(dir.File("out")).rdbuf();
        e << std::ifstream(dir.File("err")).rdbuf();
        out = o.str();
        err = e.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out, err, data = " --data '" + dir.File("demo") + "'";
    ASSERT_EQ(run("init --demo" + data, out, err), 0) << err;
    int code = run("import" + data + " '" + kSamples + "extractos_formato1.txt'", out, err);
    EXPECT_EQ(code, 0) << err;
    EXPECT_EQ(out, "Importado: " + kSamples + "extractos_formato1.txt\n");
    EXPECT_EQ(err, "information|¡ Atención !|Fichero importado correctamente.\n");
    EXPECT_EQ(run("import" + data + " '" + kSamples + "extractos_formato1_impuestos.csv'", out, err), 0)
        << err;
    EXPECT_EQ(err, "information|¡ Atención !|Fichero Impuestos importado correctamente.\n");
    EXPECT_EQ(run("import" + data + " '" + kSamples + "extractos_formato1.txt'", out, err), 1);
    EXPECT_EQ(
        err,
        "warning|¡Atención!|Error de Importación: Ya existe el Extracto: PC2611-101 asociado al almacén: 1 "
        "Supermercado Telde\\nFichero: " + kSamples + "extractos_formato1.txt\\nLínea: 1\\nCampo: Extracto (campo 3)\n");
    EXPECT_EQ(run("import" + data + " '" + dir.File("no.txt") + "'", out, err), 1);
    EXPECT_EQ(err, "No se ha importado nada: no existe el fichero " + dir.File("no.txt") + "\n");
    EXPECT_EQ(run("param" + data + " PagoCentral_TipoExtracto 2", out, err), 0) << err;
    EXPECT_EQ(run("import" + data + " '" + kSamples + "extractos_formato2.txt'", out, err), 0) << err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("perfil") + "/Orbel/ImportarPagoCentral.log"));
}

} // namespace

namespace {

// Amounts of the first format are read in the system's number format; what does not fit is refused.
TEST_F(Import, AmountsUseTheDecimalCommaAndThousandsPoint) {
    auto file = [](const std::string &amount) {
        return Join({"\"E\";\"101\";\"N-1\";01112026;16112026",
                     "\"L\";\"N-1\";50001;1;\"FA-1\";\"D-1\";15102026;" + amount, "\"FIN\""},
                    "\r\n");
    };
    const std::pair<const char *, const char *> good[] = {
        {"1.090", "1090"}, {"1.090,56", "1090.56"}, {"-53,50", "-53.5"}, {"1090,5", "1090.5"}, {"12.345.678,9", "12345678.9"}};
    for (const auto &[text, stored] : good) {
        SCOPED_TRACE(text);
        Importar(Write("n.txt", file(text)));
        EXPECT_EQ(shell.Last(), kOk);
        EXPECT_EQ(Rows("SELECT Importe FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'N-1'"),
                  std::vector<std::string>{stored});
        demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'N-1'");
        demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto = 'N-1'");
    }
    for (const char *bad : {"1,2,3", "1.09", "1.0900", "12a", ",5", "1.090.", "1..090"}) {
        SCOPED_TRACE(bad);
        auto before = Snapshot();
        std::string path = Write("n.txt", file(bad));
        Importar(path);
        EXPECT_EQ(shell.Last(), std::string("warning|¡ Atención !|Error de Importación: el importe \"") + bad +
                                    "\" no es un número con coma decimal y punto de miles (por ejemplo 1.090,56)"
                                    "\nFichero: " + path + "\nLínea: 2\nCampo: Importe (campo 8)");
        EXPECT_EQ(Snapshot(), before);
    }
}

// Texts longer than their columns, amounts and dates beyond what the database holds: refused with
// file, line and field, quoting at most 40 characters.
TEST_F(Import, OversizedFieldsAndOutOfRangeValuesAreRefused) {
    std::string code(300, 'C');
    std::string document(200000, 'd');
    struct Case {
        std::string line, expected, field;
    };
    std::vector<Case> cases = {
        {"\"L\";\"T-1\";50001;1;\"FA-1\";\"" + document + "\";15102026;1,00",
         "el texto \"" + std::string(40, 'd') + "...\" tiene 200000 caracteres y el campo admite 50",
         "Documento (campo 6)"},
        {"\"L\";\"T-1\";50001;1;\"FA-1\";\"D\";15102026;1.000.000.000.000.000,00",
         "el importe \"1.000.000.000.000.000,00\" está fuera del rango de importes", "Importe (campo 8)"},
        {"\"L\";\"T-1\";50001;1;\"FA-1\";\"D\";15101700;1,00",
         "la fecha \"15101700\" está fuera del rango admitido (01/01/1753 a 31/12/9999)", "Fecha (campo 7)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.field);
        auto before = Snapshot();
        std::string path =
            Write("big.txt", Join({"\"E\";\"101\";\"T-1\";01112026;16112026", c.line, "\"FIN\""}, "\r\n"));
        Importar(path);
        EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Error de Importación: " + c.expected + "\nFichero: " + path +
                                    "\nLínea: 2\nCampo: " + c.field);
        EXPECT_EQ(Snapshot(), before);
    }
    auto before = Snapshot();
    std::string path = Write("code.txt", Join({"\"E\";\"101\";\"" + code + "\";01112026;16112026", "\"FIN\""}, "\n"));
    Importar(path);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Error de Importación: el texto \"" + std::string(40, 'C') +
                                "...\" tiene 300 caracteres y el campo admite 30\nFichero: " + path +
                                "\nLínea: 1\nCampo: Extracto (campo 3)");
    EXPECT_EQ(Snapshot(), before);
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    path = Write("big2.txt", "BGMPC220261215         20261130\n" +
                                 Lik("8437000000007", "F1", "20261102", "999999999999999", "", "") + "\n");
    Importar(path);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Error de Importación: el importe \"999999999999999\" está fuera del "
                            "rango de importes\nFichero: " +
                                path + "\nLínea: 2\nCampo: Importe (posiciones 55-69)");
    EXPECT_EQ(Snapshot(), before);
}

// Old Mac files end their lines in CR alone; a fixed-width line may have lost its trailing blanks.
TEST_F(Import, CrOnlyFilesAndStrippedFixedWidthLinesAreReadInFull) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    std::string text = "BGMPC220261215         20261130\r" +
                       Lik("8437000000007", "F1-2026-00871", "20261102", "1284.00", "Pérez", "12") + "\r" +
                       "BGMPC220261216         20261201\r" +
                       Lik("8437000000007", "F1-2026-00872", "20261103", "10.50", "", "").substr(0, 69) + "\r";
    Importar(Write("mac.txt", text));
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(Lines("PC22026121%"), (std::vector<std::string>{
                                         "1|PC220261215|1|0|F1-2026-00871|F1-2026-00871|2026-11-02|1284|1|12",
                                         "1|PC220261216|1|0|F1-2026-00872|F1-2026-00872|2026-11-03|10.5|1|0"}));
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    Importar(Write("mac1.txt", Join(Fichero1(), "\r")));
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(Lines("T-_").size(), 3u);
}

// A file adds lines only to the statements it brings: never to one already stored, open or closed.
TEST_F(Import, ALineOfAStatementTheFileDoesNotCreateIsRefused) {
    Importar(Write("f.txt", Join(Fichero1(), "\n")));
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET Cerrado = 1 WHERE Cod_Extracto = 'T-1'");
    auto before = Snapshot();
    std::string path = Write("g.txt", Join({"\"E\";\"101\";\"T-9\";01112026;16112026",
                                            "\"L\";\"T-9\";50001;1;\"FA-1\";\"D-1\";15102026;1,00",
                                            "\"L\";\"t-1\";50001;1;\"FA-1\";\"D-9\";15102026;500,00", "\"FIN\""},
                                           "\n"));
    Importar(path);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Error de Importación: la línea es del extracto \"t-1\", que no "
                            "crea este fichero en el almacén 1; un fichero sólo añade líneas a los extractos que "
                            "trae\nFichero: " +
                                path + "\nLínea: 3\nCampo: Extracto (campo 2)");
    EXPECT_EQ(Snapshot(), before);
    // The same code in another warehouse of the same file is another statement, also refused.
    path = Write("h.txt", Join({"\"E\";\"101\";\"T-8\";01112026;16112026", "\"E\";\"102\";\"T-7\";01112026;16112026",
                                "\"L\";\"T-8\";50001;1;\"FA-1\";\"D-1\";15102026;1,00", "\"FIN\""},
                               "\n"));
    Importar(path);
    EXPECT_NE(shell.Last().find("que no crea este fichero en el almacén 2"), std::string::npos) << shell.Last();
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Import, QuotedBlanksStayAndTheMappingFileIsFoundWhateverItsCase) {
    std::filesystem::remove(iniPath);
    std::ofstream(std::filesystem::path(iniPath).parent_path() / "CONFALMACENPAGOSCENTRALIZADOS.INI")
        << "[Almacenes]\r\n777=3\r\n";
    Importar(Write("q.txt", Join({"\"E\";\"777\";\"Q-1\";01112026;16112026",
                                  "\"L\";\"Q-1\";50001;1;\"FA- 1 \";\" D 1 \";15102026;1,00", "\"FIN\""},
                                 "\n")));
    EXPECT_EQ(shell.Last(), kOk);
    EXPECT_EQ(Rows("SELECT Cod_Almacen, DocumentoCentral, Documento FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                   "Cod_Extracto = 'Q-1'"),
              std::vector<std::string>{"3|FA- 1 | D 1 "});
}

// Two tax rows of a document whose rates match no tax type are two rows, not one overwritten.
TEST_F(Import, TaxRowsOfNoTypeKeepEachRow) {
    Importar(Write("f.txt", Join(Fichero1(), "\n")));
    std::string csv = "x;101;50001;x;D-1;15102026;x;100;3,3;3,30\n"
                      "x;101;50001;x;D-1;15102026;x;50;1,1;0,55\n"
                      "x;101;50001;x;D-1;15102026;x;20;1,1;0,22\n";
    Importar(Write("t.csv", csv));
    std::string q = "SELECT i.Base, i.Valor_Tipo, i.Tipo FROM Compras_PagosCentral_Extractos_Lineas_Impuestos i "
                    "INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = i.IdExtractoLinea "
                    "WHERE lin.Documento = 'D-1' ORDER BY i.Base";
    EXPECT_EQ(Rows(q), (std::vector<std::string>{"20|1.1|0", "50|1.1|0", "100|3.3|0"}));
    // The same file again updates those rows (one per rate) instead of doubling them.
    Importar(Write("t.csv", "x;101;50001;x;D-1;15102026;x;110;3,3;3,63\n"));
    EXPECT_EQ(Rows(q), (std::vector<std::string>{"20|1.1|0", "50|1.1|0", "110|3.3|0"}));
}

} // namespace
