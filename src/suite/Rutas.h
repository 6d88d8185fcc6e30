#pragma once

#include <string>
#include <string_view>

namespace suite {

// The module writes Windows paths ("\Orbel\x.log"); on this platform they use '/'.
std::string RutaLocal(std::string_view ruta);
// A file named as Windows names it, where letter case does not count: the local path of the file
// on disk whose name differs only in case, or the path as given when there is none.
std::string RutaSinMayusculas(std::string_view ruta);
// The user's profile folder: USERPROFILE when set, else HOME.
std::string CarpetaPerfil();
// Folder of the module's log files: the profile folder followed by "/Orbel/".
std::string CarpetaLog();

} // namespace suite
