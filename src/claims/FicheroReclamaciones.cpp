#include "claims/FicheroReclamaciones.h"

#include "claims/Comun.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Visor.h"
#include "suite/Rutas.h"
#include "suite/Windows1252.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace claims {

namespace {

using V = frmExtractos_Lineas_Reclamacion_Visor;

// A line break inside a field would split the claim in two lines of the file.
std::string SinSaltos(std::string s) {
    std::string out;
    for (char c : s) {
        if (c != '\r' && c != '\n') {
            out += c;
        }
    }
    return out;
}

std::string SinComillas(const std::string &s) {
    std::string out;
    for (char c : s) {
        if (c != '"') {
            out += c;
        }
    }
    return out;
}

std::string Entrecomillado(const std::string &s) { return "\"" + SinComillas(s) + "\""; }

std::string SiNoVacio(const std::string &s) {
    std::string v = SinComillas(s);
    return v.empty() ? std::string() : "\"" + v + "\"";
}

} // namespace

std::vector<std::pair<std::string, std::string>> FicheroReclamaciones::Campos(const host::Grid &g, int r) {
    auto celda = [&](int col) { return SinSaltos(g.Text(r, col)); };
    auto recortado = [&](int col) { return comun::Recortar(celda(col)); };
    std::vector<std::pair<std::string, std::string>> c = {
        {"Tipo de reclamación", recortado(V::colTipoExterno)},
        {"Número de factura", Entrecomillado(recortado(V::colFactura))},
        {"Fecha de factura", celda(V::colFechaFactura)},
        {"Código de sociedad", celda(V::colSociedad)},
        {"Almacén central", recortado(V::colAlmacenCentral)},
        {"Proveedor central", recortado(V::colProveedorCentral)},
        {"Códigos de artículos", "\"" + comun::Recortar(SinComillas(celda(V::colArticulosCodigo))) + "\""},
        {"Descripción de artículos", "\"" + comun::Recortar(SinComillas(celda(V::colArticulosDescripcion))) + "\""},
        {"Observaciones", "\"" + comun::Recortar(SinComillas(celda(V::colObservaciones))) + "\""},
    };
    for (int i = 0; i < 5; ++i) {
        std::string n = std::to_string(i + 1);
        c.push_back({"IGIC " + n, celda(V::colIgic1 + 2 * i)});
        c.push_back({"Base imponible " + n, recortado(V::colBase1 + 2 * i)});
    }
    c.push_back({"Total reclamado", recortado(V::colTotal)});
    c.push_back({"Unidades reclamadas", recortado(V::colCantidad)});
    c.push_back({"Periodo de vigencia", SiNoVacio(celda(V::colPeriodo))});
    c.push_back({"Número de albarán", SiNoVacio(celda(V::colAlbaran))});
    c.push_back({"Fecha de albarán", celda(V::colFechaAlbaran)});
    c.push_back({"Número de factura duplicada", SiNoVacio(celda(V::colFacturaDup))});
    c.push_back({"Fecha de vencimiento duplicado", celda(V::colFechaVtoDup)});
    return c;
}

std::string FicheroReclamaciones::Linea(const host::Grid &g, int r) {
    std::string linea;
    bool primero = true;
    for (const auto &campo : Campos(g, r)) {
        linea += (primero ? "" : ";") + campo.second;
        primero = false;
    }
    return linea;
}

std::string FicheroReclamaciones::NoRepresentable(const host::Grid &g, const std::vector<int> &rows) {
    for (int r : rows) {
        for (const auto &[nombre, valor] : Campos(g, r)) {
            // Only the quoted fields may carry the separator; elsewhere it would shift every field after it.
            if (!valor.starts_with('"') && valor.find(';') != std::string::npos) {
                return "La reclamación " + g.Text(r, V::colIdReclamacion) + " tiene en el campo \"" + nombre +
                       "\" el separador \";\", que partiría su línea del fichero de reclamaciones. Corríjalo antes "
                       "de exportar.";
            }
            std::string caracter;
            if (!suite::RepresentableEnWindows1252(valor, &caracter)) {
                return "La reclamación " + g.Text(r, V::colIdReclamacion) + " tiene en el campo \"" + nombre +
                       "\" el carácter \"" + caracter +
                       "\", que el fichero de reclamaciones (Windows-1252) no admite. Corríjalo antes de exportar.";
            }
        }
    }
    return {};
}

std::string FicheroReclamaciones::ErrorCarpeta(const std::string &carpeta) {
    namespace fs = std::filesystem;
    if (comun::Recortar(carpeta).empty()) {
        return "No se ha indicado la carpeta de los ficheros de reclamaciones (parámetro "
               "PagoCentralPathReclamaciones).";
    }
    std::string local = suite::RutaLocal(carpeta);
    std::error_code ec;
    if (!fs::exists(local, ec)) {
        return "La carpeta de los ficheros de reclamaciones no existe: " + carpeta;
    }
    if (!fs::is_directory(local, ec)) {
        return "La ruta de los ficheros de reclamaciones no es una carpeta: " + carpeta;
    }
    if (::access(local.c_str(), W_OK | X_OK) != 0) {
        return "No se puede escribir en la carpeta de los ficheros de reclamaciones: " + carpeta;
    }
    return {};
}

std::string FicheroReclamaciones::Ruta(const std::string &carpeta, const suite::Fecha &momento) {
    std::filesystem::path p(suite::RutaLocal(carpeta));
    p /= "RECLAMACIONES_" + momento.Formato("ddmmyyyy_hhnnss") + ".txt";
    return p.string();
}

FicheroReclamaciones::FicheroReclamaciones(std::string ruta)
    : ruta_(std::move(ruta)), out_(ruta_, std::ios::binary | std::ios::trunc) {
    if (!out_) {
        throw std::runtime_error("No se puede crear el fichero " + ruta_ + ": " + std::strerror(errno));
    }
}

void FicheroReclamaciones::Escribir(const std::string &lineaUtf8) {
    std::string bytes;
    std::string caracter;
    if (!suite::Utf8AWindows1252(lineaUtf8, bytes, &caracter)) {
        throw std::runtime_error("El carácter \"" + caracter + "\" no cabe en el fichero de reclamaciones (Windows-1252)");
    }
    out_ << bytes << "\r\n";
}

void FicheroReclamaciones::Cerrar() {
    out_.close();
    if (!out_) {
        throw std::runtime_error("No se ha podido escribir el fichero " + ruta_);
    }
}

} // namespace claims
