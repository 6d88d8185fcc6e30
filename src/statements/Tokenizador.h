#pragma once

#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace statements {

// Reads an import file line by line, as it arrives from Windows systems: each line as UTF-8 when it
// is valid UTF-8, else as Windows-1252 (converted to UTF-8); CRLF, LF or CR; a UTF-8 byte-order
// mark is dropped. A file holding control bytes is refused as not a text file. Subclasses split each line
// into fields. Nothing but the current line is kept in memory.
class Tokenizador {
  public:
    // `nombre` names the source in messages (the file's path).
    Tokenizador(std::string nombre, std::unique_ptr<std::istream> entrada);
    virtual ~Tokenizador() = default;
    Tokenizador(const Tokenizador &) = delete;
    Tokenizador &operator=(const Tokenizador &) = delete;

    // The file opened for reading; ErrorFichero when it is a folder or cannot be read.
    static std::unique_ptr<std::istream> AbrirFichero(const std::string &ruta);
    // In-memory text, for tests and generated data.
    static std::unique_ptr<std::istream> DeTexto(std::string bytes);

    const std::string &Nombre() const { return nombre_; }
    bool Utf8() const { return utf8_; }

    // Moves to the next line; false at the end. The line is UTF-8, without its line end.
    bool Siguiente();
    // Back to the first line, for a second pass.
    void Rebobinar();
    int NumeroLinea() const { return numeroLinea_; }
    const std::string &Linea() const { return linea_; }
    // Nothing but blanks (or a DOS end-of-file mark).
    bool LineaEnBlanco() const;

    // How a message names a field; its text is only built when there is an error to report.
    struct NombreCampo {
        const char *nombre;
        int desde;        // the field's number from 1, or its first position
        int longitud = 0; // 0 for a delimited field
        // "Importe (campo 8)" or "Importe (posiciones 55-69)".
        std::string Texto() const;
    };

    // Field conversions; each refuses bad text with an ErrorFichero naming `campo` and the line.
    std::int64_t Entero(std::string_view texto, const NombreCampo &campo, bool vacioEsCero = false) const;
    suite::Moneda Importe(std::string_view texto, const NombreCampo &campo) const;
    // An amount in the system's number format: decimal comma, thousands point ("1.090,56").
    suite::Moneda ImporteComa(std::string_view texto, const NombreCampo &campo) const;
    // A text that must fit a column of `maximo` characters.
    std::string Texto(std::string_view texto, const NombreCampo &campo, std::size_t maximo) const;
    suite::Fecha FechaDDMMAAAA(std::string_view texto, const NombreCampo &campo) const;
    suite::Fecha FechaAAAAMMDD(std::string_view texto, const NombreCampo &campo) const;
    [[noreturn]] void Error(const NombreCampo &campo, const std::string &motivo) const;
    [[noreturn]] void Error(const std::string &campo, const std::string &motivo) const;

    static std::string_view Recortar(std::string_view s);
    // A value as messages quote it: between quotes, at most its first 40 characters.
    static std::string Cita(std::string_view texto);
    static std::size_t LargoEnCaracteres(std::string_view texto);
    static bool EsUtf8(std::string_view bytes);
    static std::string Windows1252AUtf8(std::string_view bytes);

  protected:
    // Splits Linea() into the subclass's fields.
    virtual void Partir() = 0;

  private:
    void Inspeccionar();
    bool LeerLinea();
    suite::Fecha EnRango(const suite::Fecha &f, std::string_view t, const NombreCampo &campo) const;

    std::string nombre_;
    std::unique_ptr<std::istream> entrada_;
    bool utf8_ = true;
    int numeroLinea_ = 0;
    std::string crudo_;
    std::string linea_;
};

} // namespace statements
