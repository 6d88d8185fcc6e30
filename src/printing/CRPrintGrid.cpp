#include "printing/CRPrintGrid.h"

#include "db/OpenFile.h"
#include "host/Contexto.h"
#include "suite/EmpresaVarnex.h"
#include "db/Sql.h"
#include "printing/Maquetador.h"
#include "printing/Plantilla.h"
#include "printing/frmView.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <functional>

namespace printing {

namespace {

bool EsNumero(host::GridType t) {
    using T = host::GridType;
    return t == T::Short || t == T::Long || t == T::Int64 || t == T::Single || t == T::Double || t == T::Currency;
}

bool EsEntero(host::GridType t) {
    using T = host::GridType;
    return t == T::Short || t == T::Long || t == T::Int64;
}

std::string Definicion(host::GridType t, bool fechasComoTexto) {
    using T = host::GridType;
    switch (t) {
    case T::Short:
        return " SMALLINT NOT NULL DEFAULT(0),";
    case T::Long:
    case T::Int64:
        return " INT NOT NULL DEFAULT(0),";
    case T::Single:
    case T::Double:
    case T::Currency:
        return " MONEY NOT NULL DEFAULT(0),";
    case T::Date:
        return fechasComoTexto ? " VARCHAR(25) NOT NULL DEFAULT('')," : " Datetime NOT NULL DEFAULT(getDate()),";
    case T::Boolean:
        return " BIT NOT NULL DEFAULT(0),";
    default:
        return " VARCHAR(255) NOT NULL DEFAULT(''),";
    }
}

// Seconds since midnight with their hundredths, the decimal mark dropped ("4529612").
std::string MarcaDeTiempo() {
    auto ahora = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(ahora);
    std::tm tm{};
    localtime_r(&t, &tm);
    auto cs = std::chrono::duration_cast<std::chrono::milliseconds>(ahora.time_since_epoch()).count() % 1000 / 10;
    long segundos = tm.tm_hour * 3600L + tm.tm_min * 60L + tm.tm_sec;
    return std::to_string(segundos) + (cs < 10 ? "0" : "") + std::to_string(cs);
}

std::string Minusculas(std::string s) {
    for (char &c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

} // namespace

CRPrintGrid::~CRPrintGrid() { Eliminar(); }

db::Connection &CRPrintGrid::Conexion() {
    if (!conexion_) {
        if (ConnectionString.empty()) {
            throw ErrorImpresion(kErrorConexion, "Debe establecerla la cadena de conexión.");
        }
        conexion_ = db::OpenConnectionString(ConnectionString);
        conexion_->Properties()["Persist Security Info"] = "True";
    }
    return *conexion_;
}

void CRPrintGrid::ReportSource(std::string_view) {
    // Grids and recordsets arrive through their own overloads; nothing else can be a source.
    throw ErrorImpresion(kErrorOrigen, "Origen de datos no admitido.");
}

void CRPrintGrid::ReportSource(db::Recordset &recordset) {
    tipo_ = "RECORDSET";
    recordset_ = &recordset;
    grid_ = nullptr;
}

void CRPrintGrid::SQLSource(const std::string &sql) {
    tipo_ = "SQL STRING";
    sql_ = sql;
    grid_ = nullptr;
    recordset_ = nullptr;
}

void CRPrintGrid::ReportSource(const host::Grid &grid) {
    tipo_ = "VSFLEXGRID";
    grid_ = &grid;
    recordset_ = nullptr;
    if (tabla_.empty()) {
        tabla_ = "##TablaDinamica_" + MarcaDeTiempo();
    }
    columnas_.Clear();
    fuentes_.clear();
    std::string anterior;
    for (int c = 0; c < grid.Cols(); ++c) {
        const auto &gc = grid.columns[c];
        if (gc.hidden || gc.header.empty()) {
            continue;
        }
        if (!fuentes_.empty() && gc.header == anterior) {
            // Code and name under one header print as one column: "code - name".
            fuentes_.back().columnasGrid.push_back(c);
            auto &unida = columnas_.Item(columnas_.Count());
            unida.Ancho += gc.width;
            unida.TextAling = 1; // a text now, whatever the code's alignment was
            continue;
        }
        anterior = gc.header;
        // The header names the table's field: brackets cannot stand in it, and a header seen
        // before (not next to its twin) gets a number.
        std::string nombre = gc.header;
        for (char &ch : nombre) {
            if (ch == '[' || ch == ']') {
                ch = '_';
            }
        }
        for (int n = 2;; ++n) {
            bool usado = false;
            for (auto *col : columnas_.Lista()) {
                usado = usado || Minusculas(col->Nombre) == Minusculas(nombre);
            }
            if (!usado) {
                break;
            }
            nombre = gc.header + " " + std::to_string(n);
        }
        int alin = gc.align == host::GridAlign::Right ? 3 : gc.align == host::GridAlign::Center ? 2 : 1;
        auto &col = columnas_.Add(nombre, gc.header, alin, gc.width, true, "col" + std::to_string(c));
        (void)col;
        fuentes_.push_back({gc.type, {c}});
    }
    if (fuentes_.empty()) {
        throw ErrorImpresion(kErrorOrigen, "La lista no tiene ninguna columna que imprimir.");
    }
    if (grid.anchoExtendido > 0) {
        // The last printed column is as wide as the grid shows it: what the others leave.
        auto cols = columnas_.Lista();
        int otras = 0;
        for (int c = 0; c < grid.Cols(); ++c) {
            if (!grid.columns[c].hidden && c != fuentes_.back().columnasGrid.front()) {
                otras += grid.columns[c].width;
            }
        }
        cols.back()->Ancho = std::max(cols.back()->Ancho, grid.anchoExtendido - otras);
    }
    std::string defs;
    auto cols = columnas_.Lista();
    for (std::size_t i = 0; i < fuentes_.size(); ++i) {
        host::GridType t = fuentes_[i].columnasGrid.size() > 1 ? host::GridType::String : fuentes_[i].tipo;
        defs += "[" + cols[i]->Nombre + "]" + Definicion(t, fechasComoTexto_);
    }
    defs.pop_back();
    if (tablaCreada_) {
        Eliminar();
    }
    Conexion().Execute("CREATE TABLE " + tabla_ + "(" + defs + ")");
    tablaCreada_ = true;
}

void CRPrintGrid::LlenarTabla() {
    const auto &fmt = suite::Formato::Instancia();
    std::string valores;
    for (int r = 1; r <= grid_->DataRows(); ++r) {
        valores.clear();
        for (const auto &f : fuentes_) {
            if (!valores.empty()) {
                valores += ", ";
            }
            if (f.columnasGrid.size() > 1) {
                std::string unido;
                for (std::size_t k = 0; k < f.columnasGrid.size(); ++k) {
                    unido += (k ? " - " : "") + grid_->Text(r, f.columnasGrid[k]);
                }
                valores += db::Quote(unido);
                continue;
            }
            const std::string &celda = grid_->Text(r, f.columnasGrid[0]);
            if (EsEntero(f.tipo)) {
                valores += fmt.NumeroSQL(static_cast<std::int64_t>(std::llround(fmt.ANumero(celda).ToDouble())));
            } else if (EsNumero(f.tipo)) {
                valores += fmt.NumeroSQL(fmt.ANumero(celda));
            } else if (f.tipo == host::GridType::Date) {
                auto d = suite::Fecha::Parse(celda);
                valores += d && !d->EsVacia() ? db::Quote(fmt.FechaTexto(*d)) : "'01/01/1900'";
            } else if (f.tipo == host::GridType::Boolean) {
                valores += celda == "1" || celda == "-1" || Minusculas(celda) == "true" ? "1" : "0";
            } else {
                valores += db::Quote(celda);
            }
        }
        Conexion().Execute("INSERT INTO " + tabla_ + " VALUES (" + valores + ")");
    }
}

void CRPrintGrid::Eliminar() {
    if (tablaCreada_ && conexion_) {
        tablaCreada_ = false;
        try {
            conexion_->Execute("DROP TABLE " + tabla_);
        } catch (...) {
            // It goes with the connection anyway.
        }
    }
}

host::Reporte CRPrintGrid::Maquetar() {
    Plantilla pl;
    std::string fichero = RutaListadoDinamico(Empresa_AppPath);
    try {
        pl = LeerPlantilla(fichero);
    } catch (const std::runtime_error &e) {
        throw ErrorImpresion(kErrorPlantilla, e.what());
    }

    std::unique_ptr<db::Recordset> propio;
    db::Recordset *rs = nullptr;
    if (tipo_ == "VSFLEXGRID") {
        LlenarTabla();
        propio = Conexion().OpenRecordset("SELECT * FROM " + tabla_);
    } else if (tipo_ == "SQL STRING") {
        if (columnas_.Count() == 0) {
            std::string sql = sql_;
            std::string mayus = sql;
            for (char &c : mayus) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            if (mayus.find(" TOP ") == std::string::npos && sql.size() > 7) {
                sql = "SELECT TOP 1 " + sql.substr(7);
            }
            auto uno = Conexion().OpenRecordset(sql);
            for (std::size_t i = 0; i < uno->FieldCount(); ++i) {
                columnas_.Add(uno->Fields(i).Name(), uno->Fields(i).Name(), 0, 1500);
            }
        }
        propio = Conexion().OpenRecordset(sql_);
    } else if (tipo_ == "RECORDSET") {
        rs = recordset_;
        if (columnas_.Count() == 0) {
            for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
                columnas_.Add(rs->Fields(i).Name(), rs->Fields(i).Name(), 0, 1500);
            }
        }
    } else {
        throw ErrorImpresion(kErrorOrigen, "Origen de datos no admitido.");
    }
    if (propio) {
        rs = propio.get();
    }

    // Widths: landscape when the columns do not fit the portrait page, then stretched to fill it.
    std::vector<clsColumna *> visibles;
    std::vector<int> tipoGrid; // index into fuentes_, -1 for other sources
    auto todas = columnas_.Lista();
    for (std::size_t i = 0; i < todas.size(); ++i) {
        if (todas[i]->Visible) {
            visibles.push_back(todas[i]);
            tipoGrid.push_back(tipo_ == "VSFLEXGRID" && i < fuentes_.size() ? static_cast<int>(i) : -1);
        }
    }
    long total = 0;
    for (auto *c : visibles) {
        total += c->Ancho + SeparadorCols;
    }
    bool apaisado = total > pl.AnchoSeccion(false);
    int util = pl.AnchoSeccion(apaisado) - 112;
    if (AjustarColumnas && total > 0) {
        // Scaled so that the widths and their gaps together fill the usable width: scaling by
        // usable / total alone would overflow the page when shrinking, since the gaps do not shrink.
        long anchos = total - static_cast<long>(visibles.size()) * SeparadorCols;
        double factor = anchos > 0 ? static_cast<double>(util - total + anchos) / static_cast<double>(anchos) : 1.0;
        for (auto *c : visibles) {
            c->Ancho = static_cast<int>(std::lround(c->Ancho * factor));
        }
    }
    int x = 0, ancho = 0;
    for (auto *c : visibles) {
        if (c->x == 0) {
            c->x = x + ancho + SeparadorCols;
        }
        x = c->x;
        ancho = c->Ancho;
    }

    // The fields of each printed column, looked up once. The temporary table holds the columns in
    // their order, so a grid's are found by position (drivers differ in how they spell accented names).
    std::vector<int> campo(visibles.size(), -1);
    for (std::size_t c = 0; c < visibles.size(); ++c) {
        if (tipoGrid[c] >= 0 && static_cast<std::size_t>(tipoGrid[c]) < rs->FieldCount()) {
            campo[c] = tipoGrid[c];
            continue;
        }
        for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
            if (Minusculas(rs->Fields(i).Name()) == Minusculas(visibles[c]->Nombre)) {
                campo[c] = static_cast<int>(i);
                break;
            }
        }
        if (campo[c] < 0 && !rs->Eof()) {
            throw ErrorImpresion(kErrorOrigen, "El origen de datos no tiene el campo " + visibles[c]->Nombre);
        }
    }

    const auto &fmt = suite::Formato::Instancia();
    Maquetador::Datos d;
    std::vector<std::int64_t> sumas(visibles.size(), 0);
    std::vector<bool> decimales(visibles.size(), false), numerico(visibles.size(), false);
    long filas = 0;
    for (; !rs->Eof(); rs->MoveNext(), ++filas) {
        std::vector<std::string> fila(visibles.size());
        for (std::size_t c = 0; c < visibles.size(); ++c) {
            if (campo[c] < 0) {
                continue;
            }
            const auto &f = rs->Fields(static_cast<std::size_t>(campo[c]));
            host::GridType t = tipoGrid[c] >= 0 && fuentes_[tipoGrid[c]].columnasGrid.size() == 1
                                   ? fuentes_[tipoGrid[c]].tipo
                                   : host::GridType::String;
            if (f.IsNull()) {
                continue;
            }
            if (t == host::GridType::Boolean) {
                fila[c] = f.AsInt64() != 0 ? "Sí" : "No";
            } else if (EsEntero(t) || (tipoGrid[c] < 0 && f.Kind() == db::FieldKind::Integer)) {
                fila[c] = std::to_string(f.AsInt64());
                sumas[c] += f.AsInt64() * suite::Moneda::kEscala;
                numerico[c] = true;
            } else if (EsNumero(t) || (tipoGrid[c] < 0 && (f.Kind() == db::FieldKind::Real ||
                                                          f.Kind() == db::FieldKind::Currency))) {
                auto m = suite::Moneda::FromUnits(f.AsCurrencyUnits());
                fila[c] = fmt.Redondear(m, 2);
                sumas[c] += f.AsCurrencyUnits();
                numerico[c] = decimales[c] = true;
            } else if (f.Kind() == db::FieldKind::Date) {
                fila[c] = fmt.FechaTexto(f.AsText());
            } else {
                fila[c] = f.AsText();
            }
        }
        d.filas.push_back(std::move(fila));
    }
    d.totales.resize(visibles.size());
    for (std::size_t c = 0; c < visibles.size(); ++c) {
        if (!visibles[c]->Resumen) {
            continue;
        }
        // A total of amounts; of anything else, how many rows there are.
        if (numerico[c]) {
            auto m = suite::Moneda::FromUnits(sumas[c]);
            d.totales[c] = decimales[c] ? fmt.Redondear(m, 2) : fmt.Redondear(m, 0);
        } else {
            d.totales[c] = std::to_string(filas);
        }
    }

    for (auto *c : visibles) {
        d.columnas.push_back(c);
    }
    d.empresa = "Empresa: " + std::to_string(Empresa_Codigo) + " - " + Empresa_Nombre;
    d.titulo = Titulo;
    d.criterio = Criterio;
    d.fecha = fmt.FechaTexto(suite::Fecha::Hoy());

    // The date and page number meet the right edge of their section; the box reaches it.
    int anchoSeccion = pl.AnchoSeccion(apaisado);
    for (const char *n : {"forFecha", "forPagina"}) {
        auto &o = pl.Objeto(n);
        o.x = std::max(0, anchoSeccion - o.ancho);
    }
    auto &caja = pl.Objeto("Box1");
    caja.ancho = anchoSeccion - caja.x;
    caja.hastaElBorde = false;
    return Maquetador(pl, apaisado).Maquetar(d);
}

namespace {

// The temporary table goes when the print ends, whichever way it ends.
struct BorrarAlSalir {
    std::function<void()> borrar;
    ~BorrarAlSalir() { borrar(); }
};

} // namespace

host::Reporte CRPrintGrid::Componer() {
    BorrarAlSalir alSalir{[this] { Eliminar(); }};
    return Maquetar();
}

bool CRPrintGrid::Imprimir(int destino, const std::string &impresora) {
    try {
        auto r = std::make_shared<host::Reporte>();
        {
            BorrarAlSalir alSalir{[this] { Eliminar(); }};
            *r = Maquetar();
            r->impresora = impresora;
            if (destino == 0) {
                clsView visor(shell_);
                visor.Report(r);
                visor.Cargar(true, 120);
            } else {
                shell_.ImprimirReporte(*r);
            }
        }
        return true;
    } catch (const ErrorImpresion &e) {
        shell_.MsgBox("[" + std::to_string(e.numero) + "] " + e.what(), "CRPrintGrid Imprimir - " + Titulo,
                      host::Icon::Critical);
    } catch (const std::exception &e) {
        // Errors of the database and of the printer, under ADO's generic number.
        shell_.MsgBox("[-2147467259] " + std::string(e.what()), "CRPrintGrid Imprimir - " + Titulo,
                      host::Icon::Critical);
    }
    return false;
}

void ImprimirRejilla(host::Shell &shell, const host::Grid &grid, const std::string &titulo, bool ajustarColumnas,
                     const std::string &criterio) {
    auto &c = host::Contexto::Global();
    CRPrintGrid g(shell);
    g.Empresa_Codigo = static_cast<short>(c.empresaVarnex->Codigo());
    g.Empresa_AppPath = c.empresaVarnex->PathAplicacion();
    g.Empresa_Nombre = c.empresaVarnex->Nombre();
    g.ConnectionString = c.conexionVarnex->Properties()["Extended Properties"];
    g.ReportSource(grid);
    g.Titulo = titulo;
    g.Criterio = criterio;
    g.AjustarColumnas = ajustarColumnas;
    g.Imprimir();
}

} // namespace printing
