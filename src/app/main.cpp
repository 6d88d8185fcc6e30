#include "app/Args.h"
#include "app/ComandoGui.h"
#include "app/ComandoImport.h"
#include "app/ComandoLines.h"
#include "app/Celda.h"
#include "app/ComandoSqlServer.h"
#include "app/ComandosCatalogo.h"
#include "app/ComandosAsientos.h"
#include "app/ComandosClientes.h"
#include "app/ComandosExtractos.h"
#include "app/ComandosReclamaciones.h"
#include "app/ComandosVinculos.h"
#include "app/DataFolder.h"
#include "db/DbError.h"
#include "db/Sql.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

const char *kUsage = R"(Uso: pagocentral [orden] [--data CARPETA] [--company N]
  init [--demo]                      crea las dos bases de datos en la carpeta
  sql [--accounting] "T-SQL"         ejecuta una instrucción en la base ERP (o la contable)
  param [--accounting] NOMBRE [VALOR] muestra o establece un parámetro de la empresa
  statements [--state ABIERTO|CERRADO|TODOS] [--from D] [--to D] [--warehouse N] [--code TEXTO]
                                     lista los extractos como la ventana de extractos
  delete [--yes] ALMACEN:EXTRACTO... elimina extractos (--yes confirma con la fecha de hoy)
  import FICHERO                     importa un fichero de extractos (modo 1: .csv = impuestos)
  lines ALMACEN EXTRACTO [--from D] [--to D] [--supplier N] [--document TEXTO] [--central TEXTO]
                                     lista las líneas de un extracto y el color de cada fila
  link --line ID (--forecasts A,B | --documents K,L) [--unlink] [--yes]
                                     vincula (o desvincula) una línea a previsiones o documentos
  mark --line ID[,ID...] (--nopago | --clear | --due D) --obs1 TEXTO [--obs2 ..] [--obs3 ..] [--obs4 ..]
                                     marca líneas como No Pago o con nueva fecha de vencimiento
  match ALMACEN EXTRACTO [--supplier N]
                                     casación automática del extracto con las previsiones de pago
  export ALMACEN EXTRACTO FICHERO    exporta el extracto: .xlsx/.xls libro de Excel, .eur fichero de Euromadi
                                     (modo 2) con su archivo EM0088.zip; escribe las rutas creadas
  entries [--yes] [--contra CUENTA] ALMACEN:EXTRACTO...
                                     genera el asiento de los extractos y los cierra (--yes confirma;
                                     --contra responde a la cuenta de contrapartida del modo 2)
  journal [--from D] [--to D] [--entry N] [--accounting-company N]
                                     lista los apuntes de la contabilidad, los asientos que no cuadran
                                     y los totales del Debe y del Haber
  claim list --line ID               reclamaciones de una línea y lo que queda por reclamar
  claim add|modify --line ID [--id N] --type N --concept N ... --base1 X --igic1 TIPO ...
                                     añade o modifica una reclamación de la línea
  claim delete --line ID --id N[,N...] [--yes]
  claim viewer [--from D] [--to D] [--exported] [--supplier N] [--type N] [--warehouse N]
  claim export [filtros del visor] (--ids A,B | --all)
                                     exporta las reclamaciones al fichero de la central
  claim mark --id N [--yes]          marca una reclamación como exportada
  customer list [--state ABIERTO|CERRADO|TODOS] [--customer N] [--from D] [--to D]
  customer add CLIENTE FECHA_COBRO FECHA_CONTABILIZAR
  customer modify CLIENTE FECHA_COBRO [--customer-to N] [--date-to D] [--accounting-to D]
  customer delete [--yes] CLIENTE:FECHA...
  customer lines CLIENTE FECHA_COBRO [--from D] [--to D] [--supplier N] [--document TEXTO]
  customer line add CLIENTE FECHA_COBRO --supplier N --document TEXTO --date D
                    [--atipico 0|1|2 --percent P] [--obs TEXTO] [--taxes TIPO:BASE[,TIPO:BASE...]]
  customer line delete --line ID [--yes]
  customer entries [--yes] CLIENTE:FECHA...
  customer listing --model Detallado|Resumido --from D --to D --customer-from N --customer-to N
                   [--state ABIERTO|CERRADO|TODOS] (--pdf FICHERO | --printer NOMBRE)
                                     extractos de cobro de clientes: lista, alta, cambio, baja,
                                     líneas con impuestos y asiento con sus previsiones de pago
  catalog (payment-types|claim-types|claim-concepts) list | add CODIGO NOMBRE [TIPO]
        | modify CODIGO NOMBRE [TIPO] | delete CODIGO [--yes]
                                     lista y mantiene los tipos de pago y los tipos y conceptos de reclamación
  print (payment-types|claim-types|claim-concepts|statements) [--pdf FICHERO] [--printer NOMBRE]
                                     imprime la lista (statements con los filtros de statements)
                                     en la impresora predeterminada, en otra o en un PDF
  gui [--window claims|customers]    abre la ventana de extractos (también sin orden), el visor de
                                     reclamaciones o la de clientes (--customers es lo mismo)
  sqlserver-scripts CARPETA [--demo] escribe los scripts de SQL Server (sqlcmd) en la carpeta
)";

using app::Celda;

int RunSql(const app::Args &args, db::Connection &conn) {
    if (args.Positional().size() != 1) {
        std::cerr << "sql espera una instrucción entre comillas\n";
        return 2;
    }
    const std::string &sql = args.Positional()[0];
    if (!db::ReturnsRows(sql)) {
        std::cout << conn.Execute(sql) << "\n";
        return 0;
    }
    auto rs = conn.OpenRecordset(sql);
    for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
        std::cout << (i ? "\t" : "") << rs->Fields(i).Name();
    }
    std::cout << "\n";
    std::string line;
    while (!rs->Eof()) {
        line.clear();
        for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
            if (i) {
                line += '\t';
            }
            line += Celda(rs->Fields(i));
        }
        std::cout << line << "\n";
        rs->MoveNext();
    }
    return 0;
}

int RunParam(const app::Args &args, db::Connection &conn, int company) {
    const auto &pos = args.Positional();
    if (pos.empty() || pos.size() > 2) {
        std::cerr << "param espera NOMBRE [VALOR]\n";
        return 2;
    }
    bool accounting = args.Has("accounting");
    std::string table = accounting ? "Parametros" : "Empresas_Parametros";
    std::string where = " WHERE Cod_Empresa = " + std::to_string(company) + " AND Nombre = " + db::Quote(pos[0]);
    if (pos.size() == 1) {
        auto rs = conn.OpenRecordset("SELECT Valor FROM " + table + where);
        std::cout << (rs->Eof() ? "" : rs->Fields(0).AsText()) << "\n";
        return 0;
    }
    conn.BeginTrans();
    try {
        if (conn.Execute("UPDATE " + table + " SET Valor = " + db::Quote(pos[1]) + where) == 0) {
            conn.Execute("INSERT INTO " + table + " (Cod_Empresa, Nombre, Valor) VALUES (" + std::to_string(company) +
                         ", " + db::Quote(pos[0]) + ", " + db::Quote(pos[1]) + ")");
        }
        conn.CommitTrans();
    } catch (...) {
        conn.RollbackTrans();
        throw;
    }
    // Read back, so that the user sees what the database holds now.
    auto rs = conn.OpenRecordset("SELECT Valor FROM " + table + where);
    std::cout << "Parámetro " << (accounting ? "contable " : "") << pos[0] << " = " << (rs->Eof() ? "" : rs->Fields(0).AsText())
              << "\n";
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    try {
        app::Args args(argc, argv, {"demo", "accounting", "yes", "help", "unlink", "nopago", "clear", "exported", "all",
                                    "customers"});
        if (args.Command() == "sqlserver-scripts") {
            return app::ComandoSqlServer(args);
        }
        if (args.Has("help") || args.Command() == "help") {
            std::cout << kUsage;
            return 0;
        }
        app::DataFolder folder(args.Get("data", app::DataFolder::DefaultPath()));
        int company = args.GetInt("company", 1);
        const std::string &cmd = args.Command();
        if (cmd == "init") {
            std::string creada = folder.Create(args.Has("demo"));
            std::cout << (creada.empty() ? "Bases de datos creadas en " + folder.Path() : "Base de datos creada: " + creada)
                      << "\n";
            return 0;
        }
        if (cmd == "sql" || cmd == "param") {
            db::ConnectionPtr erp, acc;
            folder.Open(company, erp, acc);
            db::Connection &conn = args.Has("accounting") ? *acc : *erp;
            return cmd == "sql" ? RunSql(args, conn) : RunParam(args, conn, company);
        }
        if (cmd == "statements") {
            return app::ComandoStatements(args);
        }
        if (cmd == "import") {
            return app::ComandoImport(args);
        }
        if (cmd == "lines") {
            return app::ComandoLines(args);
        }
        if (cmd == "link") {
            return app::ComandoLink(args);
        }
        if (cmd == "mark") {
            return app::ComandoMark(args);
        }
        if (cmd == "match") {
            return app::ComandoMatch(args);
        }
        if (cmd == "export") {
            return app::ComandoExport(args);
        }
        if (cmd == "entries") {
            return app::ComandoEntries(args);
        }
        if (cmd == "journal") {
            return app::ComandoJournal(args);
        }
        if (cmd == "customer" && !args.Positional().empty() && args.Positional()[0] == "listing") {
            return app::ComandoCustomerListing(args, argc, argv);
        }
        if (cmd == "customer") {
            return app::ComandoCustomer(args);
        }
        if (cmd == "delete") {
            return app::ComandoDelete(args);
        }
        if (cmd == "claim") {
            return app::ComandoClaim(args);
        }
        if (cmd == "catalog") {
            return app::ComandoCatalog(args);
        }
        if (cmd == "print") {
            return app::ComandoPrint(args, argc, argv);
        }
        if (cmd.empty() || cmd == "gui") {
            // As a host application would: the demo databases are created on first run.
            if (!folder.Exists()) {
                folder.Create(true);
                std::cerr << "Bases de datos de demostración creadas en " << folder.Path() << "\n";
            }
            const char *display = std::getenv("DISPLAY");
            const char *wayland = std::getenv("WAYLAND_DISPLAY");
            const char *platform = std::getenv("QT_QPA_PLATFORM");
            if (!(display && *display) && !(wayland && *wayland) && !(platform && *platform)) {
                if (args.Get("window") == "claims") {
                    std::cerr << "No hay pantalla (DISPLAY sin definir): se muestra el visor de reclamaciones de la "
                                 "empresa "
                              << company << " en " << folder.Path() << "\n";
                    return app::ComandoVisorReclamaciones(args);
                }
                std::cerr << "No hay pantalla (DISPLAY sin definir): se muestra la lista de extractos de la empresa "
                          << company << " en " << folder.Path() << "\n";
                return app::ComandoStatements(args);
            }
            return app::ComandoGui(args, argc, argv);
        }
        std::cerr << "Orden desconocida: " << cmd << "\n" << kUsage;
        return 2;
    } catch (const db::DbError &e) {
        std::cerr << e.Detail() << "\n";
        return 1;
    } catch (const std::exception &e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
