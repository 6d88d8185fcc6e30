#include "suite/ArchivoIni.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace suite {

namespace {

std::string_view Trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

// Values are one line; a line break would make the rest read as another key.
std::string OneLine(std::string_view v) {
    std::string out(v);
    for (char &c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

} // namespace

ArchivoIni ArchivoIni::DesdeTexto(std::string_view texto) {
    ArchivoIni ini;
    if (texto.substr(0, 3) == "\xEF\xBB\xBF") {
        texto.remove_prefix(3);
    }
    std::string seccion;
    std::size_t start = 0;
    while (start < texto.size()) {
        std::size_t end = texto.find('\n', start);
        std::string_view raw =
            texto.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? texto.size() : end + 1;
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        Linea linea{std::string(raw), {}, {}, {}};
        std::string_view t = Trim(raw);
        if (!t.empty() && t.front() == '[') {
            std::size_t close = t.find(']');
            linea.seccion =
                std::string(Trim(t.substr(1, close == std::string_view::npos ? t.size() - 1 : close - 1)));
            if (linea.seccion.empty()) {
                linea.seccion = " ";
            }
        } else if (!t.empty() && t.front() != ';') {
            std::size_t eq = t.find('=');
            if (eq != std::string_view::npos && !Trim(t.substr(0, eq)).empty()) {
                linea.clave = std::string(Trim(t.substr(0, eq)));
                linea.valor = std::string(Trim(t.substr(eq + 1)));
            }
        }
        ini.lineas_.push_back(std::move(linea));
    }
    return ini;
}

ArchivoIni ArchivoIni::Cargar(const std::string &ruta) {
    std::ifstream in(ruta, std::ios::binary);
    if (!in) {
        return ArchivoIni();
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    return DesdeTexto(buf.str());
}

std::optional<std::string> ArchivoIni::Leer(std::string_view seccion, std::string_view clave) const {
    seccion = Trim(seccion);
    clave = Trim(clave);
    bool dentro = false;
    bool vista = false;
    for (const Linea &l : lineas_) {
        if (!l.seccion.empty()) {
            if (dentro) {
                // Windows reads only the first section of a name.
                break;
            }
            dentro = !vista && SameName(l.seccion, seccion);
            vista = vista || dentro;
        } else if (dentro && !l.clave.empty() && SameName(l.clave, clave)) {
            const std::string &v = l.valor;
            if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
                return v.substr(1, v.size() - 2);
            }
            return v;
        }
    }
    return std::nullopt;
}

void ArchivoIni::Escribir(std::string_view seccion, std::string_view clave, std::string_view valor) {
    seccion = Trim(seccion);
    clave = Trim(clave);
    std::string v = OneLine(Trim(valor));
    bool dentro = false;
    std::size_t insertAt = lineas_.size();
    bool found = false;
    for (std::size_t i = 0; i < lineas_.size(); ++i) {
        Linea &l = lineas_[i];
        if (!l.seccion.empty()) {
            if (dentro) {
                break;
            }
            dentro = SameName(l.seccion, seccion);
            if (dentro) {
                found = true;
                insertAt = i + 1;
            }
        } else if (dentro) {
            if (!l.clave.empty() && SameName(l.clave, clave)) {
                l.valor = v;
                l.texto = l.clave + "=" + v;
                return;
            }
            if (!Trim(l.texto).empty()) {
                insertAt = i + 1;
            }
        }
    }
    Linea nueva{std::string(clave) + "=" + v, {}, std::string(clave), v};
    if (!found) {
        if (!lineas_.empty() && !Trim(lineas_.back().texto).empty()) {
            lineas_.push_back(Linea{});
        }
        lineas_.push_back(Linea{"[" + std::string(seccion) + "]", std::string(seccion), {}, {}});
        lineas_.push_back(std::move(nueva));
        return;
    }
    lineas_.insert(lineas_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(nueva));
}

std::string ArchivoIni::Texto() const {
    std::string out;
    for (const Linea &l : lineas_) {
        out += l.texto;
        out += '\n';
    }
    return out;
}

void ArchivoIni::Guardar(const std::string &ruta) const {
    namespace fs = std::filesystem;
    fs::path destino(ruta);
    if (destino.has_parent_path()) {
        fs::create_directories(destino.parent_path());
    }
    fs::path temporal = destino;
    temporal += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporal, std::ios::binary | std::ios::trunc);
        out << Texto();
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(temporal, ec);
            throw std::runtime_error("No se puede escribir " + temporal.string());
        }
    }
    fs::rename(temporal, destino);
}

} // namespace suite
