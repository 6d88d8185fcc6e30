#include "db/OpenFile.h"

#include "db/odbc/OdbcConnection.h"
#include "db/sqlite/SqliteConnection.h"

#include <cstdlib>

namespace db {

std::string EmbeddedBackend() {
    const char *b = std::getenv("PAGOCENTRAL_BACKEND");
    return b && std::string(b) == "odbc" ? "odbc" : "sqlite";
}

ConnectionPtr OpenDatabaseFile(const std::string &path,
                               const std::vector<std::pair<std::string, std::string>> &attachments) {
    if (EmbeddedBackend() == "odbc") {
        return OpenOdbc(SqliteOdbcConnectionString(path), OdbcDialect::Sqlite, attachments);
    }
    return OpenSqlite(path, attachments);
}

} // namespace db
