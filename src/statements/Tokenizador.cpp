#include "statements/Tokenizador.h"

#include "statements/ErrorFichero.h"
#include "suite/Windows1252.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace statements {

namespace {

// A line longer than this is not a statement record: the file is taken for binary data.
constexpr std::size_t kLineaMaxima = 1 << 20;

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
    bool trasCR = false;
    while (entrada_->read(buf, sizeof buf) || entrada_->gcount() > 0) {
        std::streamsize n = entrada_->gcount();
        for (std::streamsize i = 0; i < n; ++i) {
            auto b = static_cast<unsigned char>(buf[i]);
            // CR LF, LF and CR alone (old Mac files) each end a line.
            if (b == '\n' || b == '\r') {
                if (!(b == '\n' && trasCR)) {
                    ++linea;
                }
                trasCR = b == '\r';
                largo = 0;
                continue;
            }
            trasCR = false;
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
    entrada_->rdbuf()->pubseekpos(0);
    numeroLinea_ = 0;
    linea_.clear();
}

bool Tokenizador::LeerLinea() {
    crudo_.clear();
    std::streambuf *sb = entrada_->rdbuf();
    int c = sb->sbumpc();
    if (c == std::char_traits<char>::eof()) {
        return false;
    }
    while (c != std::char_traits<char>::eof()) {
        if (c == '\n') {
            break;
        }
        if (c == '\r') {
            if (sb->sgetc() == '\n') {
                sb->sbumpc();
            }
            break;
        }
        crudo_ += static_cast<char>(c);
        c = sb->sbumpc();
    }
    return true;
}

bool Tokenizador::Siguiente() {
    if (!LeerLinea()) {
        if (entrada_->bad()) {
            Error("", "error de lectura del fichero");
        }
        return false;
    }
    ++numeroLinea_;
    std::string_view v = crudo_;
    if (numeroLinea_ == 1 && v.substr(0, 3) == "\xEF\xBB\xBF") {
        v.remove_prefix(3);
    }
    // Each line on its own: one stray byte must not turn the accents of every other line.
    if (utf8_ || EsUtf8(v)) {
        linea_.assign(v);
    } else {
        linea_ = Windows1252AUtf8(v);
    }
    Partir();
    return true;
}

bool Tokenizador::EsUtf8(std::string_view bytes) {
    ValidadorUtf8 v;
    for (char c : bytes) {
        v.Byte(static_cast<unsigned char>(c));
    }
    return v.Valido();
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
    return suite::Windows1252AUtf8(bytes);
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

std::string Tokenizador::Cita(std::string_view texto) {
    // At most 40 characters, cut at a character boundary.
    std::size_t chars = 0, i = 0;
    while (i < texto.size() && chars < 40) {
        ++i;
        while (i < texto.size() && (static_cast<unsigned char>(texto[i]) & 0xC0) == 0x80) {
            ++i;
        }
        ++chars;
    }
    std::string out = "\"" + std::string(texto.substr(0, i));
    return out + (i < texto.size() ? "...\"" : "\"");
}

std::size_t Tokenizador::LargoEnCaracteres(std::string_view texto) {
    std::size_t n = 0;
    for (char c : texto) {
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return n;
}

std::string Tokenizador::Texto(std::string_view texto, const NombreCampo &campo, std::size_t maximo) const {
    std::size_t n = LargoEnCaracteres(texto);
    if (n > maximo) {
        Error(campo, "el texto " + Cita(texto) + " tiene " + std::to_string(n) + " caracteres y el campo admite " +
                         std::to_string(maximo));
    }
    // The ERP keeps texts in Windows-1252 columns: anything else would be stored changed.
    if (std::string caracter; !suite::RepresentableEnWindows1252(texto, &caracter)) {
        Error(campo, "el texto " + Cita(texto) + " lleva el carácter \"" + caracter + "\", que no se puede guardar");
    }
    return std::string(texto);
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
            Error(campo, Cita(t) + " no es un número entero");
        }
        v = v * 10 + (c - '0');
        if (v > kMax) {
            Error(campo, "el número " + Cita(t) + " está fuera de rango");
        }
    }
    if (digitos.empty()) {
        Error(campo, Cita(t) + " no es un número entero");
    }
    return negativo ? -v : v;
}

namespace {

// Largest amount the money columns take (SQL Server's range, to the half unit a double holds).
bool FueraDeRango(const suite::Moneda &m) {
    std::int64_t u = m.Units();
    return u > 9223372036854775000LL || u < -9223372036854775000LL;
}

// Digits of an amount's whole part, without sign and leading zeros: too many overflow the parser.
std::size_t DigitosEnteros(std::string_view t, char decimal) {
    std::size_t n = 0;
    bool inicio = true;
    for (char c : t) {
        if (c == decimal) {
            break;
        }
        if (c >= '0' && c <= '9') {
            if (inicio && c == '0') {
                continue;
            }
            inicio = false;
            ++n;
        }
    }
    return n;
}

} // namespace

suite::Moneda Tokenizador::Importe(std::string_view texto, const NombreCampo &campo) const {
    std::string_view t = Recortar(texto);
    auto m = suite::Moneda::Parse(t);
    if (!m) {
        bool numerico = !t.empty() && std::all_of(t.begin(), t.end(), [](char c) {
            return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == '+';
        });
        if (numerico && DigitosEnteros(t, '.') >= 15) {
            Error(campo, "el importe " + Cita(t) + " está fuera del rango de importes");
        }
        Error(campo, t.empty() ? "el importe está vacío" : "el importe " + Cita(t) + " no es un número");
    }
    if (FueraDeRango(*m)) {
        Error(campo, "el importe " + Cita(t) + " está fuera del rango de importes");
    }
    return *m;
}

suite::Moneda Tokenizador::ImporteComa(std::string_view texto, const NombreCampo &campo) const {
    std::string_view t = Recortar(texto);
    if (t.empty()) {
        Error(campo, "el importe está vacío");
    }
    // Sign, whole part with the thousands grouped by points (or not grouped at all), decimal comma.
    std::string_view cuerpo = t;
    if (cuerpo.front() == '-' || cuerpo.front() == '+') {
        cuerpo.remove_prefix(1);
    }
    std::size_t coma = cuerpo.find(',');
    std::string_view entero = cuerpo.substr(0, coma);
    std::string_view decimales = coma == std::string_view::npos ? std::string_view() : cuerpo.substr(coma + 1);
    auto digitos = [](std::string_view s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    bool valido = !entero.empty() && (coma == std::string_view::npos || digitos(decimales));
    if (valido && entero.find('.') != std::string_view::npos) {
        std::size_t primero = entero.find('.');
        valido = primero >= 1 && primero <= 3 && digitos(entero.substr(0, primero));
        for (std::size_t p = primero; valido && p < entero.size(); p += 4) {
            valido = entero[p] == '.' && p + 4 <= entero.size() && digitos(entero.substr(p + 1, 3)) &&
                     (p + 4 == entero.size() || entero[p + 4] == '.');
        }
    } else if (valido) {
        valido = digitos(entero);
    }
    if (!valido) {
        Error(campo, "el importe " + Cita(t) +
                         " no es un número con coma decimal y punto de miles (por ejemplo 1.090,56)");
    }
    std::string normal;
    normal.reserve(t.size());
    for (char c : t) {
        if (c != '.') {
            normal += c == ',' ? '.' : c;
        }
    }
    if (DigitosEnteros(normal, '.') > 15) {
        Error(campo, "el importe " + Cita(t) + " está fuera del rango de importes");
    }
    auto m = suite::Moneda::Parse(normal);
    if (!m || FueraDeRango(*m)) {
        Error(campo, "el importe " + Cita(t) + " está fuera del rango de importes");
    }
    return *m;
}

suite::Fecha Tokenizador::EnRango(const suite::Fecha &f, std::string_view t, const NombreCampo &campo) const {
    // The dates a SQL Server date and time column holds.
    if (f.Anio() < 1753 || f.Anio() > 9999) {
        Error(campo, "la fecha " + Cita(t) + " está fuera del rango admitido (01/01/1753 a 31/12/9999)");
    }
    return f;
}

suite::Fecha Tokenizador::FechaDDMMAAAA(std::string_view texto, const NombreCampo &campo) const {
    std::string_view t = Recortar(texto);
    auto f = suite::Fecha::DesdeDDMMAAAA(t);
    if (!f) {
        Error(campo, Cita(t) + " no es una fecha válida (ddmmaaaa)");
    }
    return EnRango(*f, t, campo);
}

suite::Fecha Tokenizador::FechaAAAAMMDD(std::string_view texto, const NombreCampo &campo) const {
    std::string_view t = Recortar(texto);
    auto f = suite::Fecha::DesdeAAAAMMDD(t);
    if (!f) {
        Error(campo, Cita(t) + " no es una fecha válida (aaaammdd)");
    }
    return EnRango(*f, t, campo);
}

} // namespace statements
