#include "statements/ImportadorExtractos.h"

#include "db/Sql.h"
#include "host/Contexto.h"
#include "host/Progress.h"
#include "statements/ErrorFichero.h"
#include "statements/FicheroExtractos.h"
#include "statements/FicheroExtractos2.h"
#include "statements/FicheroImpuestos.h"
#include "suite/Almacen.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Formato.h"
#include "suite/LeerIni.h"
#include "suite/Rutas.h"

#include <cctype>
#include <filesystem>
#include <set>
#include <tuple>

namespace statements {

namespace {

host::Contexto &Ctx() {
    return host::Contexto::Global();
}

const char *kProgreso = "Importando extractos, espere por favor...";

// The module's log entries all carry level 0.
constexpr auto kNivel = static_cast<suite::Log::Nivel>(0);

// A profile value as a number, reading its leading digits as the suite does; 0 when there are none.
long Numero(const std::string &texto) {
    std::string_view t = texto;
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) {
        t.remove_prefix(1);
    }
    bool negativo = !t.empty() && t.front() == '-';
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        t.remove_prefix(1);
    }
    long v = 0;
    for (char c : t) {
        if (c < '0' || c > '9' || v > 100000000) {
            break;
        }
        v = v * 10 + (c - '0');
    }
    return negativo ? -v : v;
}

// Statement codes compare as the database compares them: without regard to case.
std::string Clave(const std::string &codigo) {
    std::string k = codigo;
    for (char &c : k) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return k;
}

bool ExisteFichero(const std::string &ruta) {
    std::error_code ec;
    return std::filesystem::exists(ruta, ec);
}

} // namespace

ImportadorExtractos::ImportadorExtractos(host::Window &ventana, suite::Log &log)
    : ventana_(ventana), log_(log), empresa_(std::to_string(Ctx().empresaVarnex->Codigo())) {}

template <class F> bool ImportadorExtractos::Procesar(const char *procedimiento, F &&cuerpo) {
    bool ok = false;
    bool sinError = ventana_.Trap(procedimiento, [&] {
        try {
            ok = cuerpo();
        } catch (const ErrorFichero &e) {
            ventana_.Ui().MsgBox(e.what(), "¡ Atención !", host::Icon::Warning);
            ok = false;
        }
    });
    return sinError && ok;
}

void ImportadorExtractos::Escribir(const char *origen, const std::string &texto) {
    log_.EscribirLog(kNivel, origen, texto);
}

void ImportadorExtractos::Avance(int linea) {
    if (linea < proximoAviso_) {
        return;
    }
    while (proximoAviso_ <= linea) {
        proximoAviso_ += kLineasPorAviso;
    }
    host::MostrarProgreso(ventana_.Ui(), true,
                          std::string(kProgreso) + " (" + std::to_string(linea) + " líneas leídas)");
}

const ImportadorExtractos::Almacen &ImportadorExtractos::AlmacenDe(std::int64_t central, bool conNombre) {
    auto it = almacenes_.find(central);
    if (it != almacenes_.end()) {
        return it->second;
    }
    Almacen a;
    std::string ini = Ctx().empresaVarnex->PathAplicacion() + "\\ConfAlmacenPagosCentralizados.ini";
    a.codigo = Numero(suite::LeerIni(suite::RutaLocal(ini), "Almacenes", std::to_string(central)));
    if (a.codigo == 0) {
        auto rs = Ctx().conexionVarnex->OpenRecordset(
            std::string(conNombre ? "SELECT Codigo, Nombre FROM Almacenes" : "SELECT Codigo FROM Almacenes") +
            " WHERE Cod_Empresa =" + empresa_ + " AND Cod_AlmacenCentral =" + std::to_string(central));
        if (!rs->Eof()) {
            a.codigo = static_cast<long>(rs->Fields("Codigo").AsInt64());
            if (conNombre) {
                a.nombre = rs->Fields("Nombre").AsText();
            }
        }
    }
    return almacenes_.emplace(central, std::move(a)).first->second;
}

bool ImportadorExtractos::Existe(long almacen, const std::string &extracto) {
    auto rs = Ctx().conexionVarnex->OpenRecordset(
        "SELECT COUNT(*) AS Existe FROM Compras_PagosCentral_Extractos" +
        std::string(" WHERE Cod_Empresa =") + empresa_ + " AND Cod_Almacen =" + std::to_string(almacen) +
        " AND Cod_Extracto ='" + db::Escape(extracto) + "'");
    return !rs->Eof() && rs->Fields("Existe").AsInt64() > 0;
}

long ImportadorExtractos::TipoPago(const std::string &tipo) {
    // The catalogue does not change during one import; a type not in it is written as 0.
    auto it = tiposPago_.find(tipo);
    if (it != tiposPago_.end()) {
        return it->second;
    }
    auto rs =
        Ctx().conexionVarnex->OpenRecordset("SELECT Codigo FROM Compras_PagosCentral_Extractos_TiposPago" +
                                            std::string(" WHERE Tipo ='") + db::Escape(tipo) + "'");
    long codigo = rs->Eof() ? 0 : static_cast<long>(rs->Fields("Codigo").AsInt64());
    return tiposPago_.emplace(tipo, codigo).first->second;
}

bool ImportadorExtractos::ProcesarFichero_1s(const std::string &ruta) {
    return Procesar("ProcesarFichero_1s", [&] {
        if (!ExisteFichero(ruta)) {
            return false;
        }
        auto &ui = ventana_.Ui();
        auto &conn = *Ctx().conexionVarnex;
        auto &fmt = suite::Formato::Instancia();
        FicheroExtractos fichero(ruta);
        if (!fichero.TieneFin()) {
            // Named like any other refusal, so that the user knows which file to look at.
            ui.MsgBox(ErrorFichero::Mensaje(ruta, 0, "", "No existe la línea fin de fichero."), "¡Atención!",
                      host::Icon::Warning);
            return false;
        }
        Escribir("ProcesarFichero_1", "Inicio Lectura Fichero: " + ruta);
        long almacen = 0;
        // A file adds lines only to the statements it creates itself (never to one already
        // stored, which may be closed and accounted).
        std::set<std::pair<long, std::string>> creados;
        for (auto r = fichero.Siguiente(); r != FicheroExtractos::Registro::Fin; r = fichero.Siguiente()) {
            Avance(fichero.NumeroLinea());
            if (r == FicheroExtractos::Registro::Cabecera) {
                const auto &c = fichero.UltimaCabecera();
                const Almacen &a = AlmacenDe(c.almacenCentral, true);
                almacen = a.codigo;
                if (Existe(almacen, c.extracto)) {
                    ui.MsgBox(ErrorFichero::Mensaje(ruta, fichero.NumeroLinea(), "Extracto (campo 3)",
                                                    "Ya existe el Extracto: " + c.extracto + " asociado al almacén: " +
                                                        std::to_string(almacen) + " " + a.nombre),
                              "¡Atención!", host::Icon::Warning);
                    return false;
                }
                conn.Execute(
                    "INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                    "FechaExtracto, FechaVto) VALUES (" +
                    empresa_ + "," + std::to_string(almacen) + ",'" + db::Escape(c.extracto) + "'" + ",'" +
                    c.fecha.Formato("dd/mm/yyyy") + "'" + ",'" + c.fechaVto.Formato("dd/mm/yyyy") + "'" +
                    ")");
                creados.emplace(almacen, Clave(c.extracto));
                continue;
            }
            const auto &l = fichero.UltimaLinea();
            if (creados.count({almacen, Clave(l.extracto)}) == 0) {
                throw ErrorFichero(ruta, fichero.NumeroLinea(), "Extracto (campo 2)",
                                   "la línea es del extracto " + Tokenizador::Cita(l.extracto) +
                                       ", que no crea este fichero en el almacén " + std::to_string(almacen) +
                                       "; un fichero sólo añade líneas a los extractos que trae");
            }
            long tipo = TipoPago(l.tipoPago);
            conn.Execute(
                "INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                "Cod_Proveedor, Cod_ProveedorCentral," +
                std::string("DocumentoCentral, Documento, Fecha, Importe, TipoPago) VALUES (") + empresa_ +
                "," + std::to_string(almacen) + ",'" + db::Escape(l.extracto) + "'," +
                std::to_string(l.proveedor) + "," + std::to_string(l.proveedorCentral) + ",'" +
                db::Escape(l.documentoCentral) + "'" + ",'" + db::Escape(l.documento) + "'" + ",'" +
                l.fecha.Formato("dd/mm/yyyy") + "'," + fmt.NumeroSQL(l.importe) + "," + std::to_string(tipo) +
                ")");
        }
        Escribir("ProcesarFichero_1", "Fin Lectura Fichero: " + ruta);
        ui.MsgBox("Fichero importado correctamente.", "¡ Atención !", host::Icon::Information);
        return true;
    });
}

bool ImportadorExtractos::ProcesarFichero_Impuestos_1(const std::string &ruta) {
    return Procesar("ProcesarFichero_Impuestos_1", [&] {
        if (!ExisteFichero(ruta)) {
            return false;
        }
        Escribir("ProcesarFichero_Impuestos_1", "Inicio Lectura Fichero: " + ruta);
        auto &conn = *Ctx().conexionVarnex;
        auto &emp = *Ctx().empresaVarnex;
        auto &fmt = suite::Formato::Instancia();
        suite::Almacen objetoAlmacen(Ctx().conexionVarnex, emp.Codigo());
        std::map<long, bool> regimen;
        // Rows of no known type written by this file: a second one for the same document is a row
        // of its own, not an update of the first.
        std::set<std::tuple<long, std::int64_t, std::string, std::int64_t>> sinTipo;
        FicheroImpuestos fichero(ruta);
        while (fichero.Siguiente()) {
            Avance(fichero.NumeroLinea());
            const auto &l = fichero.UltimaLinea();
            long almacen = AlmacenDe(l.almacenCentral, false).codigo;
            auto reg = regimen.find(almacen);
            if (reg == regimen.end()) {
                objetoAlmacen.CargarAlmacen(static_cast<int>(almacen));
                reg = regimen.emplace(almacen, objetoAlmacen.RegimenEspecial()).first;
            }
            suite::Fecha trabajo = l.fecha.EsVacia() ? suite::Fecha::Hoy() : l.fecha;
            emp.FechaTrabajo(trabajo);
            // The rates in force on one date do not change during the file: asked once per date and regime.
            auto &tasas = tasas_[{reg->second, trabajo.Formato("yyyymmdd")}];
            // A rate that matches none of the six types is stored with type 0.
            int tipo = 0;
            for (int i = 1; i <= 6 && tipo == 0; ++i) {
                auto &tasa = tasas[static_cast<std::size_t>(i - 1)];
                if (!tasa) {
                    tasa = reg->second ? emp.TipoImpuestoRegimen(i) : emp.TipoImpuesto(i);
                }
                if (*tasa == l.valorTipo) {
                    tipo = i;
                }
            }
            std::string base = fmt.NumeroSQL(l.base), valor = fmt.NumeroSQL(l.valorTipo),
                        importe = fmt.NumeroSQL(l.importe), t = std::to_string(tipo);
            std::string donde = " WHERE lin.Cod_Empresa =" + empresa_ +
                                " AND lin.Cod_Almacen =" + std::to_string(almacen) +
                                " AND lin.Cod_ProveedorCentral =" + std::to_string(l.proveedorCentral) +
                                " AND lin.Documento ='" + db::Escape(l.documento) + "'";
            long n = 0;
            bool repetida = false;
            if (tipo == 0) {
                repetida = !sinTipo.emplace(almacen, l.proveedorCentral, Clave(l.documento), l.valorTipo.Units()).second;
            }
            if (!repetida) {
                // A row of no known type is the same row again only at the same rate.
                n = conn.Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Impuestos" + std::string(" SET Base =") +
                                 base + ", Valor_Tipo =" + valor + ", Importe =" + importe +
                                 " WHERE IdExtractoLinea IN (SELECT lin.IdExtractoLinea FROM "
                                 "Compras_PagosCentral_Extractos_Lineas lin" +
                                 donde + ")" + " AND Tipo =" + t + (tipo == 0 ? " AND Valor_Tipo =" + valor : ""));
            }
            if (n == 0) {
                conn.Execute(
                    "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                    "Valor_Tipo, Importe, Tipo)" +
                    std::string(" SELECT lin.IdExtractoLinea,") + base + "," + valor + "," + importe + "," +
                    t + " FROM Compras_PagosCentral_Extractos_Lineas lin" + donde);
            }
        }
        Escribir("ProcesarFichero_Impuestos_1", "Fin Lectura Fichero: " + ruta);
        ventana_.Ui().MsgBox("Fichero Impuestos importado correctamente.", "¡ Atención !",
                             host::Icon::Information);
        return true;
    });
}

bool ImportadorExtractos::ProcesarFichero_2(const std::string &ruta) {
    return Procesar("ProcesarFichero_2", [&] {
        if (!ExisteFichero(ruta)) {
            return false;
        }
        Escribir("ProcesarFichero_2", "Inicio Lectura Fichero: " + ruta);
        auto &ui = ventana_.Ui();
        auto &conn = *Ctx().conexionVarnex;
        auto &fmt = suite::Formato::Instancia();
        long codAlmacen = static_cast<long>(Ctx().empresaVarnex->Parametro("Almacen_PD").ToLong());
        std::string almacen = std::to_string(codAlmacen);
        std::string extracto;
        FicheroExtractos2 fichero(ruta);
        for (auto r = fichero.Siguiente(); r != FicheroExtractos2::Registro::Fin; r = fichero.Siguiente()) {
            Avance(fichero.NumeroLinea());
            if (r == FicheroExtractos2::Registro::Cabecera) {
                const auto &c = fichero.UltimaCabecera();
                extracto = c.extracto;
                if (Existe(codAlmacen, c.extracto)) {
                    ui.MsgBox(ErrorFichero::Mensaje(ruta, fichero.NumeroLinea(), "Extracto (posiciones 4-14)",
                                                    "Ya existe el Extracto: " + c.extracto),
                              "¡ Atención !", host::Icon::Warning);
                    return false;
                }
                conn.Execute(
                    "INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                    "FechaExtracto, FechaVto) VALUES (" +
                    empresa_ + "," + almacen + ",'" + db::Escape(c.extracto) + "'" + ",'" +
                    fmt.FechaTexto(c.fecha) + "'" + ",'" + fmt.FechaTexto(c.fechaVto) + "'" + ")");
                continue;
            }
            const auto &l = fichero.UltimaLinea();
            long proveedor = DevProveedor(l.gln);
            if (proveedor == 0) {
                ui.SetClipboard("");
                ui.SetClipboard(l.gln);
                ui.MsgBox("No se ha logrado enlazar el proveedor: \n\n  GLN    : " + l.gln +
                              "\n  Nombre : " + l.nombre + "\n\n(GLN copiado al portapapeles)\n\n" +
                              ErrorFichero::Ubicacion(ruta, fichero.NumeroLinea(), "GLN (posiciones 17-29)"),
                          "¡ Atención !", host::Icon::Warning);
                return false;
            }
            conn.Execute(
                "INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                "Cod_Proveedor" +
                std::string(
                    ", DocumentoCentral, Documento, Fecha, Importe, TipoPago, Id_Relacion) VALUES (") +
                empresa_ + "," + almacen + ",'" + db::Escape(extracto) + "'," + std::to_string(proveedor) +
                ",'" + db::Escape(l.documento) + "'" + ",'" + db::Escape(l.documento) + "'" + ",'" +
                fmt.FechaTexto(l.fecha) + "'," + fmt.NumeroSQL(l.importe) + "," + "1" + "," +
                std::to_string(l.relacion) + ")");
        }
        Escribir("ProcesarFichero_2", "Fin Lectura Fichero: " + ruta);
        ui.MsgBox("Fichero importado correctamente.", "¡ Atención !", host::Icon::Information);
        return true;
    });
}

long ImportadorExtractos::DevProveedor(const std::string &gln) {
    std::string digitos;
    for (char c : gln) {
        if (c != '.') {
            digitos += c;
        }
    }
    auto rs = Ctx().conexionVarnex->OpenRecordset(
        "SELECT TOP 1 a.Cod_Prov, b.Cta_Proveedor" + std::string(" FROM Proveedores_GLN a") +
        " INNER JOIN Proveedores b" + " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Prov = b.Codigo" +
        " WHERE a.Cod_Empresa =" + empresa_ + " AND REPLACE(a.GLN, '.', '') = '" + db::Escape(digitos) + "'");
    return rs->Eof() ? 0 : static_cast<long>(rs->Fields("Cod_Prov").AsInt64());
}

} // namespace statements
