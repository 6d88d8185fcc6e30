#include "suite/Log.h"

#include "suite/Rutas.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace suite {

namespace {

std::string Escape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

const char *Log::TextoNivel(Nivel nivel) {
    switch (nivel) {
    case Nivel::Depuracion:
        return "DEBUG";
    case Nivel::Info:
        return "INFO";
    case Nivel::Aviso:
        return "AVISO";
    case Nivel::Error:
        return "ERROR";
    }
    return "INFO";
}

void Log::AbrirLog(std::string_view ruta) {
    ruta_ = RutaLocal(ruta);
    std::filesystem::path p(ruta_);
    if (p.has_parent_path()) {
        std::filesystem::create_directories(p.parent_path());
    }
}

void Log::EscribirLog(Nivel nivel, std::string_view origen, std::string_view mensaje) {
    EscribirLog(nivel, origen, mensaje, Fecha::Ahora());
}

void Log::EscribirLog(Nivel nivel, std::string_view origen, std::string_view mensaje, const Fecha &momento) {
    if (ruta_.empty()) {
        throw std::logic_error("Log: EscribirLog antes de AbrirLog");
    }
    std::string linea = momento.Formato("yyyy-mm-dd hh:nn:ss") + '\t' + TextoNivel(nivel) + '\t' +
                        Escape(origen) + '\t' + Escape(mensaje) + '\n';
    std::ofstream out(ruta_, std::ios::binary | std::ios::app);
    out << linea;
    out.flush();
    if (!out) {
        throw std::runtime_error("No se puede escribir en el log " + ruta_);
    }
}

void Log::PurgarLog(const Fecha &fecha) {
    if (ruta_.empty()) {
        throw std::logic_error("Log: PurgarLog antes de AbrirLog");
    }
    std::ifstream in(ruta_, std::ios::binary);
    if (!in) {
        return;
    }
    Fecha limite = fecha.SoloFecha();
    std::string kept;
    std::string linea;
    bool dropped = false;
    while (std::getline(in, linea)) {
        auto f = Fecha::Parse(std::string_view(linea).substr(0, 10));
        if (f && *f < limite) {
            dropped = true;
            continue;
        }
        kept += linea;
        kept += '\n';
    }
    in.close();
    if (!dropped) {
        return;
    }
    std::filesystem::path temporal = ruta_ + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporal, std::ios::binary | std::ios::trunc);
        out << kept;
        out.flush();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temporal, ec);
            throw std::runtime_error("No se puede reescribir el log " + ruta_);
        }
    }
    std::filesystem::rename(temporal, ruta_);
}

} // namespace suite
