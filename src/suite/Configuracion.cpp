#include "suite/Configuracion.h"

#include "suite/ArchivoIni.h"

#include <cstdlib>

namespace suite {

namespace {

std::string Env(const char *name) {
    const char *v = std::getenv(name);
    return v != nullptr ? std::string(v) : std::string();
}

} // namespace

Configuracion::Configuracion() : ruta_(RutaPredeterminada()) {}

Configuracion::Configuracion(std::string ruta) : ruta_(std::move(ruta)) {}

std::string Configuracion::RutaPredeterminada() {
    std::string forzada = Env("PAGOCENTRAL_SETTINGS");
    if (!forzada.empty()) {
        return forzada;
    }
    std::string base = Env("XDG_CONFIG_HOME");
    if (base.empty()) {
        base = Env("HOME") + "/.config";
    }
    return base + "/VRNXComprasPagoCentral/settings.ini";
}

std::string Configuracion::LeerValor(std::string_view clave, std::string_view seccion) const {
    return ArchivoIni::Cargar(ruta_).Leer(seccion, clave).value_or(std::string());
}

void Configuracion::GuardarValor(std::string_view clave, std::string_view valor, std::string_view seccion) {
    ArchivoIni ini = ArchivoIni::Cargar(ruta_);
    ini.Escribir(seccion, clave, valor);
    ini.Guardar(ruta_);
}

} // namespace suite
