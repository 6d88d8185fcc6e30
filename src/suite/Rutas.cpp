#include "suite/Rutas.h"

#include <cstdlib>

namespace suite {

std::string RutaLocal(std::string_view ruta) {
    std::string out(ruta);
    for (char &c : out) {
        if (c == '\\') {
            c = '/';
        }
    }
    return out;
}

std::string CarpetaPerfil() {
    const char *perfil = std::getenv("USERPROFILE");
    if (perfil != nullptr && *perfil != '\0') {
        return RutaLocal(perfil);
    }
    const char *home = std::getenv("HOME");
    return home != nullptr ? std::string(home) : std::string();
}

std::string CarpetaLog() {
    std::string carpeta = CarpetaPerfil();
    while (!carpeta.empty() && carpeta.back() == '/') {
        carpeta.pop_back();
    }
    return carpeta + "/Orbel/";
}

} // namespace suite
