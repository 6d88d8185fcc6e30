#include "suite/LeerIni.h"

#include "suite/ArchivoIni.h"
#include "suite/Rutas.h"

namespace suite {

std::string LeerIni(std::string_view ruta, std::string_view seccion, std::string_view clave) {
    return ArchivoIni::Cargar(RutaSinMayusculas(ruta)).Leer(seccion, clave).value_or(std::string());
}

} // namespace suite
