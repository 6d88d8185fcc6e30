// libFuzzer target: each input is a statement (or tax) file given to the statement list's
// "&Importar" on the demo company, as a user would pick it. The only outcomes allowed are the file
// stored with the success message, or the file refused with a message naming the file (and, for a
// bad record, its line and field) with the database exactly as before. Anything else aborts, so
// the fuzzer keeps the input. Built three times, once per format (PC_FORMATO_*).
#include "fixtures/DemoDb.h"
#include "fixtures/Env.h"
#include "db/Sql.h"
#include "host/ScriptedShell.h"
#include "statements/frmExtractos.h"
#include "statements/frmImportar.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

#if defined(PC_FORMATO_formato2)
constexpr const char *kModo = "2";
constexpr const char *kNombre = "extracto.txt";
#elif defined(PC_FORMATO_impuestos)
constexpr const char *kModo = "1";
constexpr const char *kNombre = "impuestos.csv"; // in mode 1 a ".csv" name is a tax file
#else
constexpr const char *kModo = "1";
constexpr const char *kNombre = "extracto.txt";
#endif

// The tables an import writes; a refused file must leave them row for row as they were, and a
// stored one is undone from the copies kept at start so that every input meets the same data.
const std::vector<std::string> kTablas = {"Compras_PagosCentral_Extractos", "Compras_PagosCentral_Extractos_Lineas",
                                          "Compras_PagosCentral_Extractos_Lineas_Impuestos", "Proveedores"};

[[noreturn]] void Fallo(const std::string &que, const std::string &detalle) {
    std::fprintf(stderr, "\n*** %s\n%s\n", que.c_str(), detalle.c_str());
    std::abort();
}

bool Contiene(const std::string &texto, const std::string &parte) {
    return texto.find(parte) != std::string::npos;
}

class Banco {
  public:
    Banco() : perfil_("USERPROFILE", demo_.dir.File("perfil")), w_(shell_, demo_.settings) {
        demo_.settings->GuardarValor("FechaIExtracto", "01/01/1900");
        demo_.settings->GuardarValor("FechaFExtracto", "31/12/2099");
        demo_.SetParam("PagoCentral_TipoExtracto", kModo);
        shell_.handlers["frmImportar"] = [](host::Window &win) {
            auto &f = static_cast<statements::frmImportar &>(win);
            f.cmdExaminar_Click();
            f.cmdImportar_Click();
        };
        w_.Show();
        // The tax file updates lines of statements imported before: give it the sample's.
        if (std::string(kModo) == "1" && !Importar(PC_SOURCE_DIR "/samples/extractos_formato1.txt")) {
            Fallo("the sample statement file was not imported", shell_.Last());
        }
        if (sqlite3_open(demo_.dir.File("erp.db").c_str(), &copia_) != SQLITE_OK) {
            Fallo("cannot open the demo file", demo_.dir.File("erp.db"));
        }
        for (const auto &t : kTablas) {
            Sql("CREATE TABLE Fuzz_" + t + " AS SELECT * FROM " + t);
        }
        ruta_ = demo_.dir.File(kNombre);
        antes_ = Instantanea();
    }

    void Probar(const uint8_t *datos, size_t n) {
        std::ofstream(ruta_, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(datos), n);
        shell_.ClearLog();
        bool guardado = Importar(ruta_);
        if (shell_.messages.empty()) {
            Fallo("the import ended without a word", "");
        }
        const auto &ultimo = shell_.messages.back();
        const std::string &mensaje = ultimo.text;
        // The window's error trap (a database error, an unexpected exception) shows a critical box.
        // The one expected there is a central document without its payment type, which the import
        // reports as a run-time error; it must still say where, and roll back like any refusal.
        const bool sinTipoPago = Contiene(mensaje, "no lleva \"-\" tras el tipo de pago");
        if (ultimo.icon == host::Icon::Critical && !sinTipoPago) {
            Fallo("an error reached the window's trap", ultimo.title + ": " + mensaje);
        }
        if (!shell_.ProgressHidden()) {
            Fallo("the progress window was left open", mensaje);
        }
        if (guardado) {
            if (!Contiene(mensaje, "importado correctamente.")) {
                Fallo("stored without the success message", mensaje);
            }
            Restaurar();
            return;
        }
        if (!Contiene(mensaje, ruta_) && !Contiene(mensaje, kNombre)) {
            Fallo("refused without naming the file", mensaje);
        }
        // A record refused names its line and field; a line that is not text has no field, and only
        // a file without its end marker is refused as a whole.
        const bool entero = Contiene(mensaje, "No existe la línea fin de fichero.");
        const bool noTexto = Contiene(mensaje, "el fichero no es de texto");
        if (!entero && (!Contiene(mensaje, "\nLínea: ") || (!noTexto && !Contiene(mensaje, "\nCampo: ")))) {
            Fallo("a refused record without its line and field", mensaje);
        }
        if (Instantanea() != antes_) {
            Fallo("a refused file changed the database", mensaje);
        }
    }

  private:
    bool Importar(const std::string &ruta) {
        shell_.openFiles.push_back(ruta);
        w_.cmdImportar_Click();
        return w_.Importado();
    }
    std::string Instantanea() const {
        std::string s;
        for (const auto &t : kTablas) {
            auto rs = demo_.erp->OpenRecordset("SELECT * FROM " + t);
            while (!rs->Eof()) {
                for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
                    s += rs->Fields(i).AsText();
                    s += '\x1f';
                }
                s += '\n';
                rs->MoveNext();
            }
        }
        return s;
    }
    // Straight on the file, beside the program's own connection: the copies are the fuzzer's.
    void Sql(const std::string &sql) {
        char *error = nullptr;
        if (sqlite3_exec(copia_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            Fallo("fuzzer's own SQL failed", sql + ": " + (error ? error : "?"));
        }
    }
    void Restaurar() {
        std::string sql = "BEGIN;";
        for (const auto &t : kTablas) {
            sql += "DELETE FROM " + t + "; INSERT INTO " + t + " SELECT * FROM Fuzz_" + t + ";";
        }
        Sql(sql + "COMMIT;");
    }

    DemoDb demo_;
    fixtures::Env perfil_;
    host::ScriptedShell shell_;
    statements::frmExtractos w_;
    sqlite3 *copia_ = nullptr;
    std::string ruta_;
    std::string antes_;
};

Banco *banco = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // The demo files on tmpfs: each import commits, and nothing here needs to survive.
    if (!std::getenv("TMPDIR")) {
        setenv("TMPDIR", "/dev/shm", 1);
    }
    banco = new Banco();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t n) {
    banco->Probar(datos, n);
    return 0;
}
