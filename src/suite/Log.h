#pragma once

#include "suite/Fecha.h"

#include <string>
#include <string_view>

namespace suite {

// The suite's log writer. One entry per line:
// "yyyy-mm-dd hh:mm:ss<TAB>LEVEL<TAB>origen<TAB>mensaje", with tabs, line breaks and backslashes
// escaped ("\t", "\n", "\r", "\\") so that an entry never spans two lines.
class Log {
  public:
    enum class Nivel { Depuracion, Info, Aviso, Error };

    // Remembers the file ('\' separators accepted) and creates its folders; the file is opened per entry.
    void AbrirLog(std::string_view ruta);
    const std::string &Ruta() const { return ruta_; }
    bool Abierto() const { return !ruta_.empty(); }

    // Throws std::logic_error before AbrirLog, std::runtime_error when the file cannot be written.
    void EscribirLog(Nivel nivel, std::string_view origen, std::string_view mensaje);
    void EscribirLog(Nivel nivel, std::string_view origen, std::string_view mensaje, const Fecha &momento);
    // Drops entries dated before `fecha` (its day, whatever its time); lines that carry no
    // readable date are kept. The file is rewritten through a temporary file.
    void PurgarLog(const Fecha &fecha);

    static const char *TextoNivel(Nivel nivel);

  private:
    std::string ruta_;
};

} // namespace suite
