#include "suite/Rutas.h"

#include <cctype>
#include <filesystem>

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

namespace {

std::string Minusculas(std::string s) {
    for (char &c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

} // namespace

std::string RutaSinMayusculas(std::string_view ruta) {
    namespace fs = std::filesystem;
    std::string local = RutaLocal(ruta);
    std::error_code ec;
    if (local.empty() || fs::exists(local, ec)) {
        return local;
    }
    fs::path dado(local);
    fs::path actual = dado.root_path();
    for (const auto &parte : dado.relative_path()) {
        fs::path siguiente = actual / parte;
        if (!fs::exists(siguiente, ec)) {
            std::string buscado = Minusculas(parte.string());
            fs::path hallado;
            for (const auto &e : fs::directory_iterator(actual.empty() ? fs::path(".") : actual, ec)) {
                if (Minusculas(e.path().filename().string()) == buscado) {
                    hallado = actual / e.path().filename();
                    break;
                }
            }
            if (hallado.empty()) {
                return local;
            }
            siguiente = hallado;
        }
        actual = siguiente;
    }
    return actual.string();
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
