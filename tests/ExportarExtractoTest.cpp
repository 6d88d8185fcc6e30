#include "fixtures/TextosHostiles.h"
#include "fixtures/DemoDb.h"
#include "fixtures/FaultyConnection.h"
#include "fixtures/Program.h"
#include "db/Sql.h"
#include "host/Progress.h"
#include "host/ScriptedShell.h"
#include "statements/ArchivoZip.h"
#include "statements/frmExtractos.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
using statements::frmExtractos;

const std::string kExpected = std::string(PC_SOURCE_DIR) + "/tests/expected/euromadi/";

std::string Bytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void Write(const std::string &path, const std::string &bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::set<std::string> Files(const std::string &dir) {
    std::set<std::string> out;
    for (const auto &e : fs::directory_iterator(dir)) {
        out.insert(e.path().filename().string());
    }
    return out;
}

// One entry of a zip archive (a workbook is one too), read with libzip.
std::string Entry(const std::string &archive, const std::string &name) {
    int err = 0;
    zip_t *z = zip_open(archive.c_str(), ZIP_RDONLY, &err);
    if (!z) {
        throw std::runtime_error("cannot open " + archive);
    }
    zip_file_t *f = zip_fopen(z, name.c_str(), 0);
    std::string out;
    if (f) {
        char buf[8192];
        zip_int64_t n;
        while ((n = zip_fread(f, buf, sizeof buf)) > 0) {
            out.append(buf, static_cast<std::size_t>(n));
        }
        zip_fclose(f);
    }
    zip_discard(z);
    if (!f) {
        throw std::runtime_error(name + " not in " + archive);
    }
    return out;
}

void OldArchive(const std::string &path) {
    int err = 0;
    zip_t *z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    static const char old[] = "archivo anterior";
    zip_file_add(z, "VIEJO.eur", zip_source_buffer(z, old, sizeof old - 1, 0), 0);
    zip_close(z);
}

std::string Unescape(std::string s) {
    for (auto [from, to] : std::map<std::string, std::string>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}}) {
        for (std::size_t p; (p = s.find(from)) != std::string::npos;) {
            s.replace(p, from.size(), to);
        }
    }
    return s;
}

// A worksheet as Excel and LibreOffice read it: cell values with their type, number format and
// horizontal alignment, resolved through the workbook's styles.
struct Cell {
    bool text;
    std::string value, format, align;
};

class Workbook {
  public:
    explicit Workbook(const std::string &path) {
        static const std::regex sheetRe(R"re(<sheet name="([^"]*)")re");
        static const std::regex fmtRe(R"re(<numFmt numFmtId="(\d+)" formatCode="([^"]*)")re");
        static const std::regex xfsRe(R"re(<cellXfs[^>]*>([\s\S]*?)</cellXfs>)re");
        static const std::regex xfRe(R"re(<xf numFmtId="(\d+)"[^>]*?(/>|>([\s\S]*?)</xf>))re");
        static const std::regex alignRe(R"re(horizontal="(\w+)")re");
        static const std::regex cellRe(R"re(<c r="([A-Z]+\d+)"(?: s="(\d+)")?(?: t="(\w+)")?>([\s\S]*?)</c>)re");
        static const std::regex textRe(R"re(<t[^>]*>([\s\S]*?)</t>)re");
        static const std::regex valueRe(R"re(<v>(.*?)</v>)re");
        static const std::regex colRe(R"re(<col min="(\d+)" max="\d+" width="([\d.]+)")re");
        using It = std::sregex_iterator;
        std::smatch m;
        const std::string book = Entry(path, "xl/workbook.xml");
        for (It it(book.begin(), book.end(), sheetRe); it != It(); ++it) {
            sheets.push_back(Unescape((*it)[1]));
        }
        const std::string styles = Entry(path, "xl/styles.xml");
        std::map<std::string, std::string> formats = {{"0", "General"}, {"2", "0.00"}, {"14", "mm-dd-yy"}};
        for (It it(styles.begin(), styles.end(), fmtRe); it != It(); ++it) {
            formats[(*it)[1]] = Unescape((*it)[2]);
        }
        std::regex_search(styles, m, xfsRe);
        const std::string xfs = m[1];
        for (It it(xfs.begin(), xfs.end(), xfRe); it != It(); ++it) {
            std::smatch a;
            const std::string inner = (*it)[3];
            bool aligned = std::regex_search(inner, a, alignRe);
            styles_.push_back({formats[(*it)[1]], aligned ? std::string(a[1]) : "general"});
        }
        const std::string sheet = Entry(path, "xl/worksheets/sheet1.xml");
        for (It it(sheet.begin(), sheet.end(), cellRe); it != It(); ++it) {
            const std::string body = (*it)[4];
            const std::string type = (*it)[3];
            std::regex_search(body, m, type == "inlineStr" ? textRe : valueRe);
            const auto &st = styles_.at((*it)[2].matched ? std::stoul((*it)[2]) : 0);
            cells[(*it)[1]] = {type == "inlineStr" || type == "str", Unescape(m[1]), st.first, st.second};
        }
        for (It it(sheet.begin(), sheet.end(), colRe); it != It(); ++it) {
            widths[std::stoi((*it)[1])] = std::stod((*it)[2]);
        }
    }
    std::string Text(const std::string &ref) const {
        auto it = cells.find(ref);
        return it == cells.end() ? "<none>" : (it->second.text ? "" : "#") + it->second.value;
    }

    std::vector<std::string> sheets;
    std::map<std::string, Cell> cells;
    std::map<int, double> widths;

  private:
    std::vector<std::pair<std::string, std::string>> styles_;
};

class Exportar : public ::testing::Test {
  protected:
    Exportar() : w(shell, demo.settings) {
        demo.SetParam("PagoCentral_TipoExtracto", "2");
        fs::create_directories(out);
        Supplier(901, "Proveedor Uno", "8412345000017");
        demo.erp->Execute("INSERT INTO Proveedores_GLN (Cod_Empresa, Cod_Prov, GLN, Principal) VALUES (1, 901, "
                          "'8400000000000', 0)");
        Supplier(902, "Proveedor Dos", "84.1234.5000.024");
        Supplier(903, "Proveedor Tres", "84.1234.5000.031.99");
        Statement("EXP'1");
        l1 = Line(901, "FAC-0001", "01/12/2026", "1234.5", ", NoPago, Obs1", ", 1, 'Abono pendiente'");
        l2 = Line(901, "DOCUMENTO-MUY-LARGO-123", "02/12/2026", "99.99",
                  ", Nueva_FechaVto, Emisor, TipoFactura, Obs1, Obs2, Obs3, Obs4",
                  ", '15/01/2027', 2, 2, 'Aplazado por acuerdo', 'Señal €', 'Tres', '" + std::string(60, 'X') +
                      "0123456789ABCDE'");
        l3 = Line(902, "F-3", "03/12/2026", "1000000", ", Emisor, TipoFactura, Obs2", ", 1, 1, 'ignorada'");
        l4 = Line(902, "F'4", "04/12/2026", "-50", ", Id_Relacion, NoPago, TipoFactura", ", 123, 1, 5");
        l5 = Line(903, "F-5", "05/12/2026", "10", ", Id_Relacion, NoPago, Emisor", ", 123, 1, 2");
        // Paid as they stand: not reported.
        l6 = Line(901, "F-6", "06/12/2026", "10", ", ImporteVinculado, ProntoPago", ", 10, 1");
        l7 = Line(902, "F-7", "07/12/2026", "20", ", Id_Relacion, ImporteVinculado", ", 55, 20");
    }

    void Supplier(int code, const std::string &name, const std::string &gln) {
        demo.erp->Execute("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre, Cta_Proveedor) VALUES (1, " +
                          std::to_string(code) + ", " + db::Quote(name) + ", '4000000" + std::to_string(code) + "')");
        if (!gln.empty()) {
            demo.erp->Execute("INSERT INTO Proveedores_GLN (Cod_Empresa, Cod_Prov, GLN, Principal) VALUES (1, " +
                              std::to_string(code) + ", " + db::Quote(gln) + ", 1)");
        }
    }
    void Statement(const std::string &code) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "FechaExtracto, FechaVto, Cerrado) VALUES (1, 1, " +
                          db::Quote(code) + ", '10/12/2026', '20/12/2026', 0)");
    }
    long Line(int supplier, const std::string &doc, const std::string &date, const std::string &amount,
              const std::string &cols = "", const std::string &values = "", const std::string &code = "EXP'1") {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "Cod_Proveedor, Documento, DocumentoCentral, Fecha, Importe, TipoPago, Cta_Proveedor" +
                          cols + ") VALUES (1, 1, " + db::Quote(code) + ", " + std::to_string(supplier) + ", " +
                          db::Quote(doc) + ", " + db::Quote("C-" + doc) + ", '" + date + "', " + amount + ", 1, '4000000" +
                          std::to_string(supplier) + "'" + values + ")");
        return std::stol(demo.One("SELECT MAX(IdExtractoLinea) FROM Compras_PagosCentral_Extractos_Lineas"));
    }
    long Forecast(const std::string &doc, const std::string &amount) {
        demo.acc->Execute("INSERT INTO Previsiones_Pago (Cod_Empresa, Cuenta, Documento, Fecha_Vto, Importe) VALUES "
                          "(1, '4000000901', " +
                          db::Quote(doc) + ", '20/12/2026', " + amount + ")");
        auto rs = demo.acc->OpenRecordset("SELECT MAX(Apunte) FROM Previsiones_Pago");
        return static_cast<long>(rs->Fields(0).AsInt64());
    }
    // The list on statement `code`, current.
    void Select(const std::string &code = "EXP'1") {
        if (!w.Loaded()) {
            w.Show();
        }
        w.cboEstado.SelectData(3);
        w.txtFechaI.text = "01/01/2000";
        w.txtFechaF.text = "31/12/2099";
        w.txtNumExtracto.text = code;
        w.Cargar_Extractos();
        ASSERT_EQ(w.vsExtractos.DataRows(), 1) << shell.Last();
    }
    // "Exportar..." with `file` typed in the dialog (empty: cancelled).
    void Press(const std::string &file) {
        shell.ClearLog();
        shell.saveDialogs.clear();
        shell.saveFiles.clear();
        if (!file.empty()) {
            shell.saveFiles.push_back(file);
        }
        w.cmdExportar_Click();
    }
    void Export(const std::string &file, const std::string &code = "EXP'1") {
        Select(code);
        Press(file);
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> m;
        for (const auto &x : shell.messages) {
            m.push_back(host::IconName(x.icon) + "|" + x.title + "|" + x.text);
        }
        return m;
    }

    DemoDb demo;
    host::ScriptedShell shell;
    frmExtractos w;
    std::string out = demo.dir.File("salida");
    std::string eur = out + "/MODI0088.eur", zip = out + "/EM0088.zip";
    long l1, l2, l3, l4, l5, l6, l7;
};

TEST_F(Exportar, EuromadiFileMatchesTheOneWrittenByHandAndIsArchivedAlone) {
    OldArchive(zip);
    Export(eur);
    ASSERT_EQ(Messages(), (std::vector<std::string>{"information|¡ Atención !|Operación terminada con éxito."}));
    ASSERT_EQ(shell.saveDialogs.size(), 1u);
    const auto &d = shell.saveDialogs[0];
    EXPECT_EQ(d.suggestedName, "MODI0088");
    ASSERT_EQ(d.filters.size(), 2u);
    EXPECT_EQ(d.filters[0].description, "Fichero de Microsoft Excel (*.xlsx *.xls)");
    EXPECT_EQ(d.filters[0].pattern, "*.xlsx *.xls");
    EXPECT_EQ(d.filters[1].description, "Fichero de Euromadi (*.eur)");
    EXPECT_EQ(d.filters[1].pattern, "*.eur");
    EXPECT_EQ(shell.progress, (std::vector<std::string>{host::kProgresoPorDefecto, ""}));

    const std::string expected = Bytes(kExpected + "MODI0088.eur");
    EXPECT_EQ(Bytes(eur), expected);
    // The older archive is replaced by one holding the file alone.
    EXPECT_EQ(statements::ArchivoZip(zip).Entradas(), (std::vector<std::string>{"MODI0088.eur"}));
    EXPECT_EQ(Entry(zip, "MODI0088.eur"), expected);
    EXPECT_EQ(w.Exportados, (std::vector<std::string>{eur, out + "/EM0088.zip"}));
    EXPECT_EQ(Files(out), (std::set<std::string>{"MODI0088.eur", "EM0088.zip"}));

    // A principal GLN left blank passes the check, as it always has: the header carries blanks.
    demo.erp->Execute("UPDATE Proveedores_GLN SET GLN = '' WHERE Cod_Prov = 903");
    Export(eur);
    std::string blanco = expected;
    blanco.replace(blanco.rfind("8412345000031"), 13, std::string(13, ' '));
    EXPECT_EQ(Bytes(eur), blanco) << shell.Last();

    // Only the lines the company does not pay as they stand are reported.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET NoPago = 0, Nueva_FechaVto = '', Emisor = 0,"
                      " Id_Relacion = 0"
                      " WHERE IdExtractoLinea <> " + std::to_string(l1));
    Export(eur);
    EXPECT_EQ(Bytes(eur), expected.substr(0, expected.find("LIN", expected.find("TXT"))));
}

TEST_F(Exportar, RefusalsWriteNothing) {
    Write(eur, "ANTERIOR");
    auto untouched = [&](const char *what) {
        EXPECT_EQ(Files(out), std::set<std::string>{"MODI0088.eur"}) << what;
        EXPECT_EQ(Bytes(eur), "ANTERIOR") << what;
        EXPECT_TRUE(w.Exportados.empty()) << what;
    };
    // Only the exact endings count: an upper-case name or another ending does nothing, as does Cancel.
    for (const char *name : {"/EXTRACTO.XLS", "/EXTRACTO.EUR", "/extracto.txt", "/extracto"}) {
        Export(out + name);
        EXPECT_TRUE(shell.messages.empty()) << name << " " << shell.Last();
        untouched(name);
    }
    Export("");
    untouched("cancel");

    // A text the file's character set cannot hold names its line and field.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Obs1 = 'Entrega ✓' WHERE IdExtractoLinea = " +
                      std::to_string(l4));
    Export(eur);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "warning|¡ Exportación abortada !|La línea " + std::to_string(l4) +
                              " (proveedor 902, documento F'4): el campo Obs1 contiene \"✓\", que no existe en "
                              "Windows-1252, el juego de caracteres del fichero. No se ha escrito ningún fichero."}));
    untouched("Windows-1252");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Obs1 = 'dos\r\nlineas' WHERE IdExtractoLinea "
                      "= " + std::to_string(l4));
    Export(eur);
    EXPECT_NE(shell.Last().find("el campo Obs1 contiene un carácter de control"), std::string::npos) << shell.Last();
    untouched("line break");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Obs1 = '' WHERE IdExtractoLinea = " +
                      std::to_string(l4));

    // A line with a relation, not linked and not marked, stops the export before the dialog.
    long pendiente = Line(903, "F-8", "08/12/2026", "5", ", Id_Relacion", ", 9");
    Export(eur);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"warning|¡ Atención !|Imposible continuar, Existen lineas "
                                                    "pendientes de Vincular sin identificar como No Pago ó Nuevo Vto."}));
    EXPECT_TRUE(shell.saveDialogs.empty());
    untouched("pending");
    demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                      std::to_string(pendiente));

    // Twelve suppliers without a principal GLN: the first ten are listed.
    std::string list;
    for (int c = 911; c <= 922; ++c) {
        Supplier(c, "Sin GLN " + std::to_string(c), "");
        Line(c, "G-" + std::to_string(c), "09/12/2026", "1", ", NoPago, Obs1", ", 1, 'x'");
        if (c <= 920) {
            list += "\r\n" + std::to_string(c) + " - Sin GLN " + std::to_string(c);
        }
    }
    Export(eur);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"warning|¡ Exportación abortada !|Existen proveedores sin GLN "
                                                    "Principal:\r\n" + list}));
    EXPECT_TRUE(shell.ProgressHidden());
    untouched("GLN");
    demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Proveedor > 910");

    // Nothing to report: said, and no file.
    Statement("VACIO");
    Line(901, "V-1", "01/12/2026", "3", ", ImporteVinculado", ", 3", "VACIO");
    Export(out + "/vacio.eur", "VACIO");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"warning|¡ Exportación abortada !|El extracto no tiene líneas "
                                                    "marcadas como No Pago, con nuevo vencimiento o reemitidas: no "
                                                    "hay nada que exportar."}));
    untouched("empty");

    // The mode changed after the list loaded.
    demo.SetParam("PagoCentral_TipoExtracto", "0");
    Press(eur);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"warning|¡ Atención !|No se ha configurado el tipo de extracto a "
                                                    "importar/exportar"}));
    untouched("mode 0");
}

TEST_F(Exportar, AFailedZipStepDeletesTheArchiveOnlyAndKeepsTheFile) {
    const std::string expected = Bytes(kExpected + "MODI0088.eur");
    for (const char *step : {"borrar", "crear", "añadir", "cerrar", "comprobar"}) {
        OldArchive(zip);
        w.alComprimir = [step](statements::ArchivoZip &z) {
            z.antesDe = [step](const std::string &s) {
                if (s == step) {
                    throw std::runtime_error(std::string("Fallo provocado: ") + step);
                }
            };
        };
        Export(eur);
        EXPECT_EQ(Messages(), (std::vector<std::string>{
                                  std::string("critical|frmExtractos:Generar_Zip|Fallo provocado: ") + step,
                                  "warning|¡ Atención !|Operación no terminada correctamente."}))
            << step;
        EXPECT_EQ(Files(out), std::set<std::string>{"MODI0088.eur"}) << step;
        EXPECT_EQ(Bytes(eur), expected) << step;
        EXPECT_EQ(w.Exportados, std::vector<std::string>{eur}) << step;
    }
    // The file is added to the archive when it is written: its bytes were checked after reopening.
    w.alComprimir = nullptr;
    Export(eur);
    EXPECT_EQ(Entry(zip, "MODI0088.eur"), expected);
}

TEST_F(Exportar, WorkbookOfTheSecondModeHasOneRowPerLinkedForecast) {
    long f1 = Forecast("PF-1", "6"), f2 = Forecast("PF-2", "4.5"), f3 = Forecast("PF-3", "20");
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Importe) VALUES (" +
                      std::to_string(l6) + ", " + std::to_string(f2) + ", 4), (" + std::to_string(l6) + ", " +
                      std::to_string(f1) + ", 6), (" + std::to_string(l7) + ", " + std::to_string(f3) + ", 20)");
    const std::string file = out + "/Extracto.xlsx";
    Export(file);
    ASSERT_EQ(Messages(), (std::vector<std::string>{"information|¡ Atención !|Operación terminada con éxito"}));
    EXPECT_EQ(shell.progress, (std::vector<std::string>{host::kProgresoPorDefecto, ""}));
    EXPECT_EQ(Files(out), std::set<std::string>{"Extracto.xlsx"});
    Workbook b(file);
    EXPECT_EQ(b.sheets, std::vector<std::string>{"Extracto"});
    const char *headings[] = {"Cuenta Contable", "Proveedor",  "Proveedor",   "Tipo Pago",     "Tipo Pago",
                              "Documento",       "Documento Central", "Fecha", "Importe",       "Vinculado",
                              "Diferencia",      "Pronto Pago", "Observaciones", "Cuenta Vinc.", "Documento Vinc.",
                              "Importe Vinc."};
    for (int c = 0; c < 16; ++c) {
        EXPECT_EQ(b.Text(std::string(1, static_cast<char>('A' + c)) + "1"), headings[c]) << c;
    }
    EXPECT_EQ(b.Text("Q1"), "<none>");
    // By supplier, date and amount: l1, l2, l6 (two forecasts), l3, l4, l7, l5.
    EXPECT_EQ(b.Text("F2"), "FAC-0001");
    EXPECT_EQ(b.Text("F3"), "DOCUMENTO-MUY-LARGO-123");
    EXPECT_EQ(b.Text("M3"), "Aplazado por acuerdo Señal € Tres " + std::string(60, 'X') + "0123456789ABCDE");
    EXPECT_EQ(b.Text("F4"), "F-6");
    EXPECT_EQ(b.Text("F6"), "F-3");
    EXPECT_EQ(b.Text("F7"), "F'4");
    EXPECT_EQ(b.Text("F8"), "F-7");
    EXPECT_EQ(b.Text("F9"), "F-5");
    EXPECT_EQ(b.Text("A10"), "<none>");

    // The line's own columns once, the forecast's on every row.
    EXPECT_EQ(b.Text("A4"), "4000000901");
    EXPECT_EQ(b.Text("B4"), "#901");
    EXPECT_EQ(b.Text("C4"), "Proveedor Uno");
    EXPECT_EQ(b.Text("G4"), "C-F-6");
    EXPECT_EQ(b.Text("H4"), "#46362");
    EXPECT_EQ(b.Text("I4"), "#10");
    EXPECT_EQ(b.Text("J4"), "#10");
    EXPECT_EQ(b.Text("K4"), "#0");
    EXPECT_EQ(b.Text("L4"), "X");
    EXPECT_EQ(b.Text("N4"), "4000000901");
    EXPECT_EQ(b.Text("O4"), "PF-1");
    EXPECT_EQ(b.Text("P4"), "#6");
    for (char c = 'A'; c <= 'M'; ++c) {
        EXPECT_EQ(b.Text(std::string(1, c) + "5"), "<none>") << c;
    }
    EXPECT_EQ(b.Text("O5"), "PF-2");
    EXPECT_EQ(b.Text("P5"), "#4.5");
    EXPECT_EQ(b.Text("I2"), "#1234.5");
    EXPECT_EQ(b.Text("K6"), "#1000000");
    EXPECT_EQ(b.Text("I7"), "#-50");
    EXPECT_EQ(b.Text("N2"), "<none>");

    // Formats and alignment: amounts "0.00" on the right, texts on the left, dates as dates.
    EXPECT_EQ(b.cells["I4"].format, "0.00");
    EXPECT_EQ(b.cells["J4"].format, "0.00");
    EXPECT_EQ(b.cells["I4"].align, "right");
    EXPECT_EQ(b.cells["H4"].format, "dd/mm/yyyy");
    EXPECT_EQ(b.cells["C4"].align, "left");
    EXPECT_EQ(b.cells["B4"].align, "right");
    EXPECT_EQ(b.cells["I1"].align, "right");
    // Widths follow what the columns hold.
    ASSERT_EQ(b.widths.size(), 16u);
    EXPECT_GT(b.widths[13], b.widths[12]); // the four remarks against "Pronto Pago"
    EXPECT_GT(b.widths[6], b.widths[4]);   // the long document against the payment type code
}

TEST_F(Exportar, WorkbookOfTheFirstModeTakesBothEndingsAndRoundsToTheCompanysDecimals) {
    demo.SetParam("PagoCentral_TipoExtracto", "1");
    demo.erp->Execute("UPDATE Empresas SET DecimalesImporte = 1 WHERE Codigo = 1");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Importe = 10.26 WHERE IdExtractoLinea = " +
                      std::to_string(l6));
    // Two claims on one line still make one row.
    for (int i = 0; i < 2; ++i) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea) VALUES (" +
                          std::to_string(l6) + ")");
    }
    for (const char *name : {"/Extracto.xls", "/Extracto.xlsx"}) {
        Export(out + name);
        ASSERT_EQ(shell.Last(), "information|¡ Atención !|Operación terminada con éxito") << name;
        ASSERT_TRUE(shell.saveDialogs.at(0).suggestedName.empty());
        ASSERT_EQ(shell.saveDialogs[0].filters.size(), 1u);
        Workbook b(out + name);
        EXPECT_EQ(b.Text("L1"), "Pronto Pago");
        EXPECT_EQ(b.Text("M1"), "<none>");
        EXPECT_EQ(b.Text("F4"), "F-6");
        EXPECT_EQ(b.Text("I4"), "#10.3");
        EXPECT_EQ(b.Text("J4"), "#0");
        EXPECT_EQ(b.Text("K4"), "#10.3");
        EXPECT_EQ(b.cells["K4"].format, "0.0");
        EXPECT_EQ(b.cells["I4"].format, "0.00");
        EXPECT_EQ(b.Text("F5"), "F-3");
        EXPECT_EQ(b.Text("A9"), "<none>");
    }
    EXPECT_EQ(Files(out), (std::set<std::string>{"Extracto.xls", "Extracto.xlsx"}));
}

// Every statement of both exports failing in turn: the error box, and an earlier file of the same
// name kept as it was, with no archive and nothing half-written beside it.
TEST_F(Exportar, AFailureAtEachStatementLeavesTheEarlierFileAsItWas) {
    auto plan = std::make_shared<FaultPlan>();
    auto &ctx = host::Contexto::Global();
    ctx.conexionVarnex = std::make_shared<FaultyConnection>(demo.erp, plan);
    ctx.empresaVarnex = std::make_shared<suite::EmpresaVarnex>(ctx.conexionVarnex, 1);
    for (const std::string &file : {eur, out + "/Extracto.xlsx"}) {
        Select();
        plan->Reset();
        Press(file);
        ASSERT_EQ(shell.Last().rfind("information|", 0), 0u) << shell.Last();
        const int statements = plan->statements;
        ASSERT_GE(statements, 3);
        for (int n = 1; n <= statements; ++n) {
            Write(file, "ANTERIOR");
            fs::remove(zip);
            Select();
            plan->Reset();
            plan->failAt = n;
            Press(file);
            ASSERT_FALSE(shell.messages.empty()) << n;
            EXPECT_EQ(shell.messages[0].icon, host::Icon::Critical) << n << " " << shell.Last();
            EXPECT_EQ(shell.messages[0].text.rfind("Fallo provocado en la instrucción", 0), 0u) << n;
            EXPECT_EQ(shell.messages[0].title.rfind("frmExtractos:", 0), 0u) << n;
            EXPECT_EQ(Bytes(file), "ANTERIOR") << n;
            EXPECT_EQ(Files(out), std::set<std::string>{fs::path(file).filename().string()}) << n;
            EXPECT_TRUE(shell.ProgressHidden()) << n;
            EXPECT_TRUE(w.Exportados.empty()) << n;
        }
        fs::remove(file);
    }
}

TEST_F(Exportar, BatchCommandPrintsThePathsItWrote) {
    const std::string data = fixtures::Q(demo.dir.Path());
    auto r = fixtures::RunProgram("export --data " + data + " 1 " + fixtures::Q("EXP'1") + " " + fixtures::Q(eur),
                                  demo.dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, eur + "\n" + zip + "\n");
    EXPECT_EQ(r.err, "information|¡ Atención !|Operación terminada con éxito.\n");
    EXPECT_EQ(Bytes(eur), Bytes(kExpected + "MODI0088.eur"));

    r = fixtures::RunProgram("export --data " + data + " 1 " + fixtures::Q("EXP'1") + " " +
                                 fixtures::Q(out + "/Extracto.XLS"),
                             demo.dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("No se ha exportado nada"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out + "/Extracto.XLS"));

    r = fixtures::RunProgram("export --data " + data + " 1 NOEXISTE " + fixtures::Q(eur), demo.dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("No existe el extracto NOEXISTE del almacén 1"), std::string::npos) << r.err;
}

TEST_F(Exportar, HostileTextsGoOutInWindows1252AtTheirWidthsOrStopTheExportByName) {
    // Per text: the document at its 17 positions and the remark as "TXT" writes it, in Windows-1252
    // as written by hand; or why the line cannot be written.
    const std::vector<std::vector<std::string>> esperado = {
        {"O'Brien          ", "O'Brien"},
        {"'); DROP TABLE x;", "'); DROP TABLE x; --"},
        {"Di \"hola\" \"\"x\"\"  ", "Di \"hola\" \"\"x\"\""},
        {"C:\\dir\\n\\'x\\     ", "C:\\dir\\n\\'x\\"},
        {Repetido("a\xD1", 8) + "a", Repetido("a\xD1", 35)},
        {"contiene un carácter de control (un salto de línea o un tabulador) que rompería el registro."},
        {"contiene \"\xF0\x9F\x98\x80\", que no existe en Windows-1252, el juego de caracteres del fichero."},
        {"\xD1o\xF1o \xC1\xC9\xCD\xD3\xDA\xDC      ", "\xD1o\xF1o \xC1\xC9\xCD\xD3\xDA\xDC"},
    };
    const std::string mano = Bytes(kExpected + "MODI0088.eur");
    for (std::size_t i = 0; i < Hostiles().size(); ++i) {
        const std::string &t = Hostiles()[i].texto;
        SCOPED_TRACE(Hostiles()[i].nombre);
        Write(eur, "ANTERIOR");
        demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Documento = " + db::Quote(t) +
                          ", Obs1 = " + db::Quote(t) + " WHERE IdExtractoLinea = " + std::to_string(l1));
        Export(eur);
        if (esperado[i].size() == 1) {
            EXPECT_EQ(Messages(), (std::vector<std::string>{"warning|¡ Exportación abortada !|La línea " +
                                                            std::to_string(l1) + " (proveedor 901, documento " + t +
                                                            "): el campo Documento " + esperado[i][0] +
                                                            " No se ha escrito ningún fichero."}));
            EXPECT_EQ(Bytes(eur), "ANTERIOR");
            continue;
        }
        std::string bytes = mano;
        bytes.replace(bytes.find("LINFAC-0001      "), 20, "LIN" + esperado[i][0]);
        bytes.replace(bytes.find("TXTAbono pendiente"), 18, "TXT" + esperado[i][1]);
        EXPECT_EQ(Messages(), (std::vector<std::string>{"information|¡ Atención !|Operación terminada con éxito."}));
        EXPECT_EQ(Bytes(eur), bytes);
    }
}

} // namespace
