#pragma once

#include "db/Connection.h"
#include "host/Grid.h"
#include "host/Reporte.h"
#include "host/Shell.h"
#include "printing/colColumnas.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace printing {

// An error of the print engine with its number, as the user sees it ("[number] description").
class ErrorImpresion : public std::runtime_error {
  public:
    ErrorImpresion(long numero, const std::string &texto) : std::runtime_error(texto), numero(numero) {}
    long numero;
};

// 0x80040001 as the platform shows it: a signed 32-bit number.
constexpr long kErrorOrigen = -2147221503;
constexpr long kErrorConexion = -2147221502;
constexpr long kErrorPlantilla = -2147221501;

// Prints a list without a report of its own: the data of a grid (copied into a temporary table on
// the engine's own connection), an SQL statement or a recordset, laid out on the "Listado Dinamico"
// template with one column per printed column, optional totals, the company line, title, date and
// page numbers. One engine serves one print.
class CRPrintGrid {
  public:
    explicit CRPrintGrid(host::Shell &shell) : shell_(shell) {}
    ~CRPrintGrid();
    CRPrintGrid(const CRPrintGrid &) = delete;
    CRPrintGrid &operator=(const CRPrintGrid &) = delete;

    colColumnas &Columnas() { return columnas_; }
    std::string ConnectionString;
    bool AjustarColumnas = false;
    std::string Titulo;
    std::string Criterio;
    std::string Empresa_AppPath;
    short Empresa_Codigo = 0;
    std::string Empresa_Nombre;
    int SeparadorCols = 200;

    // The data source. A grid is copied at once into the temporary table's definition.
    void ReportSource(const host::Grid &grid);
    void ReportSource(db::Recordset &recordset);
    // Any other kind of object, by its type name: refused with "Origen de datos no admitido.".
    void ReportSource(std::string_view tipoObjeto);
    void SQLSource(const std::string &sql);
    const std::string &SQLSource() const { return sql_; }
    // "VSFLEXGRID", "RECORDSET", "SQL STRING" or "" before a source is set.
    const std::string &TipoOrigen() const { return tipo_; }
    const std::string &TablaTemporal() const { return tabla_; }

    // Destino 0 shows the report in the viewer (modal); any other value prints it on `impresora`
    // (the default printer when empty). Errors are reported to the user; false then.
    bool Imprimir(int destino = 0, const std::string &impresora = {});
    // The laid-out report Imprimir would show, for those who draw it themselves (tests, benchmarks).
    // Throws on error; the temporary table is dropped afterwards as Imprimir does.
    host::Reporte Componer();

    // The engine's own connection, opened on first need from ConnectionString.
    db::Connection &Conexion();

  private:
    struct Fuente {
        host::GridType tipo = host::GridType::String;
        std::vector<int> columnasGrid; // grid columns joined into this one (merged headers)
    };
    void LlenarTabla();
    host::Reporte Maquetar();
    void Eliminar();

    host::Shell &shell_;
    colColumnas columnas_;
    std::string tipo_;
    const host::Grid *grid_ = nullptr;
    db::Recordset *recordset_ = nullptr;
    std::string sql_;
    std::vector<Fuente> fuentes_; // per printed column of a grid source
    std::string tabla_;
    bool tablaCreada_ = false;
    db::ConnectionPtr conexion_;
    bool fechasComoTexto_ = true;
};

// What every list window's print button does: the grid through the engine, with the company of
// the shared context and its connection string, shown in the viewer.
void ImprimirRejilla(host::Shell &shell, const host::Grid &grid, const std::string &titulo, bool ajustarColumnas,
                     const std::string &criterio = {});

} // namespace printing
