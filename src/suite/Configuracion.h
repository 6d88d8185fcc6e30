#pragma once

#include <string>
#include <string_view>

namespace suite {

// The per-user settings store: an INI file, one section per window ("General" for the rest).
// The file is read on every call, so windows never see stale values.
class Configuracion {
  public:
    // PAGOCENTRAL_SETTINGS when set, else $XDG_CONFIG_HOME (or $HOME/.config)
    // + "/VRNXComprasPagoCentral/settings.ini".
    Configuracion();
    explicit Configuracion(std::string ruta);

    static std::string RutaPredeterminada();
    const std::string &Ruta() const { return ruta_; }

    // "" when the file, the section or the key is missing.
    std::string LeerValor(std::string_view clave, std::string_view seccion = "General") const;
    // Line breaks in the value are stored as blanks. Throws when the file cannot be written.
    void GuardarValor(std::string_view clave, std::string_view valor, std::string_view seccion = "General");

  private:
    std::string ruta_;
};

} // namespace suite
