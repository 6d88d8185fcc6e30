#include "statements/ErrorFichero.h"

namespace statements {

ErrorFichero::ErrorFichero(std::string ruta, int linea, std::string campo, std::string motivo)
    : std::runtime_error(Mensaje(ruta, linea, campo, motivo)), ruta_(std::move(ruta)), linea_(linea),
      campo_(std::move(campo)), motivo_(std::move(motivo)) {}

std::string ErrorFichero::Mensaje(const std::string &ruta, int linea, const std::string &campo,
                                  const std::string &motivo) {
    return "Error de Importación: " + motivo + "\n" + Ubicacion(ruta, linea, campo);
}

std::string ErrorFichero::Ubicacion(const std::string &ruta, int linea, const std::string &campo) {
    std::string m = "Fichero: " + ruta;
    if (linea > 0) {
        m += "\nLínea: " + std::to_string(linea);
    }
    if (!campo.empty()) {
        m += "\nCampo: " + campo;
    }
    return m;
}

} // namespace statements
