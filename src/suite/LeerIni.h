#pragma once

#include <string>
#include <string_view>

namespace suite {

// The profile-file reader: the value of `clave` in `seccion` of the INI file at `ruta`
// ('\' separators accepted); "" when the file, the section or the key is missing.
std::string LeerIni(std::string_view ruta, std::string_view seccion, std::string_view clave);

} // namespace suite
