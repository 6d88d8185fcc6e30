#pragma once

#include "host/Reporte.h"
#include "printing/Plantilla.h"

#include <map>
#include <string>
#include <vector>

namespace printing {

// One item of a grouped report: its level (the sections' "Grupo"), the values its sections' texts
// name as "{Name}", and the items below it. A text finds a name in its item or, failing that, in
// the items above.
struct NodoInforme {
    std::string grupo;
    std::map<std::string, std::string> valores;
    std::vector<NodoInforme> hijos;
};

// Lays out a grouped report on its template: the page header sections on every page (with the
// root's values), each item's sections in the template's order around its children, and the report
// footer after the last item. "Fecha" and "Pagina" formulas as in the grid reports.
host::Reporte MaquetarAgrupado(const Plantilla &plantilla, const NodoInforme &raiz, const std::string &titulo,
                               const std::string &fecha);

// "{Name}" replaced by the values found along `cadena` (innermost last); unknown names stay empty.
std::string Sustituir(const std::string &texto, const std::vector<const NodoInforme *> &cadena);

} // namespace printing
