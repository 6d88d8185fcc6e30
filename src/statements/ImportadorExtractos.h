#pragma once

#include "host/Window.h"
#include "suite/Log.h"

#include "suite/Moneda.h"

#include <array>
#include <cstdint>
#include <optional>
#include <map>
#include <string>

namespace statements {

// The parsers behind the statement list's "&Importar": each reads one file and writes its
// statements, lines or tax rows on the ERP connection, inside the caller's transaction, reporting
// as procedures of the list window. Each returns true only when the whole file was stored.
class ImportadorExtractos {
  public:
    ImportadorExtractos(host::Window &ventana, suite::Log &log);

    bool ProcesarFichero_1s(const std::string &ruta);
    bool ProcesarFichero_Impuestos_1(const std::string &ruta);
    bool ProcesarFichero_2(const std::string &ruta);
    // The company's supplier with that GLN (dots ignored on both sides); 0 when none.
    long DevProveedor(const std::string &gln);

    static constexpr int kLineasPorAviso = 5000;

  private:
    struct Almacen {
        long codigo = 0;
        std::string nombre;
    };
    // The company warehouse of a central warehouse code: the mapping file, then Almacenes.
    const Almacen &AlmacenDe(std::int64_t central, bool conNombre);
    bool Existe(long almacen, const std::string &extracto);
    long TipoPago(const std::string &tipo);
    void Escribir(const char *origen, const std::string &texto);
    void Avance(int linea);
    // Runs a parser under the window's error trap; a file error becomes a warning and a failure.
    template <class F> bool Procesar(const char *procedimiento, F &&cuerpo);

    host::Window &ventana_;
    suite::Log &log_;
    std::string empresa_;
    std::map<std::int64_t, Almacen> almacenes_;
    std::map<std::string, long> tiposPago_;
    std::map<std::pair<bool, std::string>, std::array<std::optional<suite::Moneda>, 6>> tasas_;
    int proximoAviso_ = kLineasPorAviso;
};

} // namespace statements
