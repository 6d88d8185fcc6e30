#pragma once

#include "db/Recordset.h"

#include <stdexcept>
#include <string>
#include <strings.h>

namespace statements {

// A column's position in a result set, looked up once so that long exports read every line by
// position rather than by name.
inline std::size_t Columna(const db::Recordset &rs, const char *nombre) {
    for (std::size_t i = 0; i < rs.FieldCount(); ++i) {
        if (strcasecmp(rs.Fields(i).Name().c_str(), nombre) == 0) {
            return i;
        }
    }
    throw std::runtime_error(std::string("La consulta no devuelve la columna ") + nombre);
}

} // namespace statements
