#include "statements/Tokenizador.h"

#include "statements/ErrorFichero.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace statements {

namespace {

// A line longer than this is not a statement record: the file is taken for binary data.
constexpr std::size_t kLineaMaxima = 1 << 20;

// Windows-1252 code points of bytes 0x80..0x9F; the five unassigned bytes keep their C1 value.
const char32_t k1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AnadirUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Streaming UTF-8 check, fed byte by byte across read buffers.
class ValidadorUtf8 {
  public:
    void Byte(unsigned char b) {
        if (!valido_) {
            return;
        }
        if (faltan_ == 0) {
            if (b < 0x80) {
                return;
            }
            if (b >= 0xC2 && b <= 0xDF) {
                faltan_ = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                faltan_ = 2;
            } else if (b >= 0xF0 && b <= 0xF4) {
                faltan_ = 3;
            } else {
                valido_ = false;
                return;
            }
            // Second-byte limits refuse overlong forms, surrogates and code points above U+10FFFF.
            min_ = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
            max_ = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
            return;
        }
        if (b < min_ || b > max_) {
            valido_ = false;
            return;
        }
        min_ = 0x80;
        max_ = 0xBF;
        --faltan_;
    }
    bool Valido() const { return valido_ && faltan_ == 0; }

  private:
    bool valido_ = true;
    int faltan_ = 0;
    unsigned char min_ = 0x80, max_ = 0xBF;
};

bool EsControl(unsigned char b) {
    // Tab, line feed, form feed, carriage return and the DOS end-of-file mark occur in text files.
    return b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r' && b != 0x1A;
}

std::string Hex(unsigned char b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", b);
    return buf;
}

} // namespace

Tokenizador::Tokenizador(std::string nombre, std::unique_ptr<std::istream> entrada)
    : nombre_(std::move(nombre)), entrada_(std::move(entrada)) {
    Inspeccionar();
}

std::unique_ptr<std::istream> Tokenizador::AbrirFichero(const std::string &ruta) {
    std::error_code ec;
    if (std::filesystem::is_directory(ruta, ec)) {
        throw ErrorFichero(ruta, 0, "", "la ruta es una carpeta, no un fichero");
    }
    auto f = std::make_unique<std::ifstream>(ruta, std::ios::binary);
    if (!f->is_open()) {
        throw ErrorFichero(ruta, 0, "", "no se puede leer el fichero");
    }
    return f;
}

std::unique_ptr<std::istream> Tokenizador::DeTexto(std::string bytes) {
    return std::make_unique<std::istringstream>(std::move(bytes));
}

void Tokenizador::Inspeccionar() {
    ValidadorUtf8 utf8;
    char buf[1 << 16];
    int linea = 1;
    std::size_t largo = 0;
    while (entrada_->read(buf, sizeof buf) || entrada_->gcount() > 0) {
        std::streamsize n = entrada_->gcount();
        for (std::streamsize i = 0; i < n; ++i) {
            auto b = static_cast<unsigned char>(buf[i]);
            if (b == '\n') {
                ++linea;
                largo = 0;
                continue;
            }
            if (EsControl(b)) {
                throw ErrorFichero(nombre_, linea, "",
                                   "el fichero no es de texto (contiene el byte " + Hex(b) + ")");
            }
            if (++largo > kLineaMaxima) {
                throw ErrorFichero(nombre_, linea, "",
                                   "el fichero no es de texto (línea de más de " +
                                       std::to_string(kLineaMaxima) + " caracteres)");
            }
            utf8.Byte(b);
        }
        if (entrada_->eof()) {
            break;
        }
    }
    if (entrada_->bad()) {
        throw ErrorFichero(nombre_, linea, "", "error de lectura del fichero");
    }
    utf8_ = utf8.Valido();
    Rebobinar();
}

void Tokenizador::Rebobinar() {
    entrada_->clear();
    entrada_->seekg(0);
    numeroLinea_ = 0;
    linea_.clear();
}

bool Tokenizador::Siguiente() {
    if (!std::getline(*entrada_, crudo_)) {
        if (entrada_->bad()) {
            Error("", "error de lectura del fichero");
        }
        return false;
    }
    ++numeroLinea_;
    std::string_view v = crudo_;
    if (!v.empty() && v.back() == '\r') {
        v.remove_suffix(1);
    }
    if (numeroLinea_ == 1 && v.substr(0, 3) == "\xEF\xBB\xBF") {
        v.remove_prefix(3);
    }
    if (utf8_) {
        linea_.assign(v);
    } else {
        linea_ = Windows1252AUtf8(v);
    }
    Partir();
    return true;
}

bool Tokenizador::LineaEnBlanco() const {
    for (char c : linea_) {
        if (c != ' ' && c != '\t' && c != '\f' && c != '\r' && c != '\x1A') {
            return false;
        }
    }
    return true;
}

std::string_view Tokenizador::Recortar(std::string_view s) {
    auto blanco = [](char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\r' || c == '\x1A'; };
    while (!s.empty() && blanco(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blanco(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string Tokenizador::Windows1252AUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            AnadirUtf8(out, k1252[b - 0x80]);
        } else {
            AnadirUtf8(out, b);
        }
    }
    return out;
}

std::string Tokenizador::NombreCampo::Texto() const {
    if (longitud == 0) {
        return std::string(nombre) + " (campo " + std::to_string(desde) + ")";
    }
    return std::string(nombre) + " (posiciones " + std::to_string(desde) + "-" +
           std::to_string(desde + longitud - 1) + ")";
}

void Tokenizador::Error(const std::string &campo, const std::string &motivo) const {
    throw ErrorFichero(nombre_, numeroLinea_, campo, motivo);
}

void Tokenizador::Error(const NombreCampo &campo, const std::string &motivo) const {
    Error(campo.Texto(), motivo);
}

std::int64_t Tokenizador::Entero(std::string_view texto, const NombreCampo &campo, bool vacioEsCero) const {
    std::string_view t = Recortar(texto);
    if (t.empty()) {
        if (vacioEsCero) {
            return 0;
        }
        Error(campo, "el campo está vacío y debe ser un número");
    }
    std::string_view digitos = t;
    bool negativo = false;
    if (digitos.front() == '-' || digitos.front() == '+') {
        negativo = digitos.front() == '-';
        digitos.remove_prefix(1);
    }
    std::int64_t v = 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    for (char c : digitos) {
        if (c < '0' || c > '9') {
            Error(campo, "\"" + std::string(t) + "\" no es un número entero");
        }
        v = v * 10 + (c - '0');
        if (v > kMax) {
            Error(campo, "el número \"" + std::string(t) + "\" está fuera de rango");
        }
    }
    if (digitos.empty()) {
        Error(campo, "\"" + std::string(t) + "\" no es un número entero");
    }
    return negativo ? -v : v;
}

suite::Moneda Tokenizador::Importe(std::string_view texto, const NombreCampo &campo) const {
    std::string_view t = Recortar(texto);
    auto m = suite::Moneda::Parse(t);
    if (!m) {
        Error(campo,
              t.empty() ? "el importe está vacío" : "el importe \"" + std::string(t) + "\" no es un número");
    }
    return *m;
}

suite::Fecha Tokenizador::FechaDDMMAAAA(std::string_view texto, const NombreCampo &campo) const {
    std::string_view t = Recortar(texto);
    auto f = suite::Fecha::DesdeDDMMAAAA(t);
    if (!f) {
        Error(campo, "\"" + std::string(t) + "\" no es una fecha válida (ddmmaaaa)");
    }
    return *f;
}

suite::Fecha Tokenizador::FechaAAAAMMDD(std::string_view texto, const NombreCampo &campo) const {
    std::string_view t = Recortar(texto);
    auto f = suite::Fecha::DesdeAAAAMMDD(t);
    if (!f) {
        Error(campo, "\"" + std::string(t) + "\" no es una fecha válida (aaaammdd)");
    }
    return *f;
}

} // namespace statements
