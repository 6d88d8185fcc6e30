#include "db/sqlite/SqliteMessages.h"

#include <sqlite3.h>

namespace db {

std::string SqliteMessage(int code, const std::string &sqliteText) {
    switch (code & 0xFF) {
    case SQLITE_READONLY:
        return "La base de datos es de sólo lectura: no se ha guardado ningún cambio.";
    case SQLITE_FULL:
        return "No queda espacio en el disco de la base de datos: libere espacio y repita la operación; no se "
               "ha guardado ningún cambio.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "La base de datos está dañada o no es una base de datos de este programa (" + sqliteText + ").";
    case SQLITE_CANTOPEN:
        return "No se puede abrir el fichero de la base de datos (" + sqliteText + ").";
    case SQLITE_IOERR:
        return "Error de lectura o escritura en el disco de la base de datos (" + sqliteText +
               "); compruebe que queda espacio y que el disco está disponible.";
    default:
        return sqliteText;
    }
}

} // namespace db
