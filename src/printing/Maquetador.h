#pragma once

#include "host/Reporte.h"
#include "printing/Plantilla.h"
#include "printing/clsColumna.h"

#include <string>
#include <vector>

namespace printing {

// Lays a grid report out on its template: the page header sections at the top of every page, one
// detail band per row (taller when a growing field wraps), the report footer after the last row,
// and the page numbers once the pages are counted.
class Maquetador {
  public:
    struct Datos {
        std::vector<const clsColumna *> columnas; // visible, with their final x and widths
        std::vector<std::vector<std::string>> filas; // one text per column
        std::vector<std::string> totales;            // per column; "" when no total
        std::string empresa, titulo, criterio, fecha;
    };

    Maquetador(const Plantilla &plantilla, bool apaisado) : pl_(plantilla), apaisado_(apaisado) {}
    host::Reporte Maquetar(const Datos &d) const;

    // Estimated width in twips of a text in a font, and the lines a text breaks into within a
    // width (at blanks where it can). The painter measures truly; these only size the bands.
    static int AnchoTexto(const std::string &texto, const host::FuenteReporte &f);
    static std::vector<std::string> Partir(const std::string &texto, const host::FuenteReporte &f, int ancho);
    static int AltoLinea(const host::FuenteReporte &f) { return static_cast<int>(f.puntos * 20 * 1.25 + 0.5); }

  private:
    const Plantilla &pl_;
    bool apaisado_;
};

} // namespace printing
