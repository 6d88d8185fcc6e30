#pragma once

#include "host/Reporte.h"

#include <map>
#include <string>
#include <vector>

namespace printing {

// A report template of ours ("Rpt/Listado Dinamico.rpt"): paper, margins, named sections with
// their heights and fonts, and named objects placed in them. Measures in twips.
struct ObjetoPlantilla {
    std::string nombre;
    std::string seccion;
    enum class Tipo { Texto, Formula, Linea, Caja } tipo = Tipo::Texto;
    int x = 0, y = 0, ancho = 0, alto = 0;
    bool hastaElBorde = false; // "Ancho = *": reaches the section's right edge
    std::string texto;
    host::FuenteReporte fuente;
    host::AlineacionReporte alineacion = host::AlineacionReporte::Izquierda;
};

struct SeccionPlantilla {
    std::string nombre;
    int alto = 0;
    host::FuenteReporte fuente;
    // "Grupo = NAME": the section prints once per item of that level of a grouped report, before
    // the item's children, or after them when its name starts with "GroupFooter".
    std::string grupo;
};

struct Plantilla {
    std::string fichero;
    std::string papel = "A4";
    int anchoPapel = 11906, altoPapel = 16838;
    int margenIzquierdo = 567, margenDerecho = 567, margenSuperior = 567, margenInferior = 567;
    std::vector<SeccionPlantilla> secciones; // in the order they print down a page
    std::vector<ObjetoPlantilla> objetos;

    const SeccionPlantilla &Seccion(const std::string &nombre) const;
    ObjetoPlantilla &Objeto(const std::string &nombre);
    const ObjetoPlantilla *BuscarObjeto(const std::string &nombre) const;
    // Width of a section on the paper as it is now turned (sections span the printable width).
    int AnchoSeccion(bool apaisado) const;
    int AltoUtil(bool apaisado) const;
};

// Reads a template; a missing file or any malformed line throws std::runtime_error naming the
// file, the line and the field.
// A template object placed on a page: position, size, font, alignment and, for lines and boxes,
// its kind; the caller fills in the text.
host::ObjetoReporte Colocar(const ObjetoPlantilla &o, int izquierda, int arriba, int anchoUtil);

Plantilla LeerPlantilla(const std::string &fichero);
Plantilla LeerPlantillaTexto(const std::string &texto, const std::string &fichero);

// The template shipped with the program.
const char *TextoListadoDinamico();
// "<carpeta>/Rpt/Listado Dinamico.rpt".
std::string RutaListadoDinamico(const std::string &carpetaAplicacion);
// The customer statement listings shipped with the program, by model ("Detallado", "Resumido").
const char *TextoExtractosClientes(bool resumido);
// "<carpeta>/Rpt/Extractos Clientes Facturas Pendientes Cobro[ Resumido].rpt".
std::string RutaExtractosClientes(const std::string &carpetaAplicacion, bool resumido);
// Writes the shipped templates into the application folder where they are missing; a template
// already there (perhaps edited by the user) is left as it is. Returns false when it could not write.
bool InstalarPlantillas(const std::string &carpetaAplicacion);

} // namespace printing
