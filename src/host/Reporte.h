#pragma once

#include <string>
#include <vector>

namespace host {

// A laid-out report: pages of texts, lines and boxes placed in twips from the page's top-left
// corner. Any painter (screen, printer, PDF) draws it as it stands.
struct FuenteReporte {
    std::string nombre = "Arial";
    double puntos = 8;
    bool negrita = false;
};

enum class AlineacionReporte { Izquierda, Centro, Derecha };

struct ObjetoReporte {
    enum class Tipo { Texto, Linea, Caja };
    Tipo tipo = Tipo::Texto;
    int x = 0, y = 0, ancho = 0, alto = 0;
    std::string texto; // one line each; a grown field gives one object per line
    FuenteReporte fuente;
    AlineacionReporte alineacion = AlineacionReporte::Izquierda;
};

struct PaginaReporte {
    std::vector<ObjetoReporte> objetos;
};

struct Reporte {
    std::string titulo;
    int anchoPapel = 11906; // twips, as printed (landscape already swapped)
    int altoPapel = 16838;
    bool apaisado = false;
    // Device name of the printer chosen for it; empty for the system's default.
    std::string impresora;
    std::vector<PaginaReporte> paginas;
};

} // namespace host
