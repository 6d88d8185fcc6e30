#pragma once

#include "host/Reporte.h"

#include <string>

namespace printing {

// One column of a grid report.
struct clsColumna {
    int Ancho = 1500; // twips
    std::string Nombre; // field of the data source
    std::string Titulo; // header
    bool Visible = true;
    // 1 left, 2 centre, 3 right; 0 the engine's default (left).
    int TextAling = 0;
    host::FuenteReporte font{"Arial", 7, true};
    bool Resumen = false; // a total in the report footer
    int x = 0, Y = 0;     // twips; filled while laying out, kept when set
    bool PuedeCrecer = false;
    int Index = 0;
};

} // namespace printing
