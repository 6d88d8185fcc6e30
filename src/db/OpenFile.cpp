#include "db/OpenFile.h"

#include "db/ConnectionString.h"
#include "db/DbError.h"
#include "db/odbc/OdbcConnection.h"
#include "db/sqlite/SqliteConnection.h"

#include <cstdlib>
#include <strings.h>

namespace db {

std::string EmbeddedBackend() {
    const char *b = std::getenv("PAGOCENTRAL_BACKEND");
    return b && std::string(b) == "odbc" ? "odbc" : "sqlite";
}

ConnectionPtr OpenDatabaseFile(const std::string &path,
                               const std::vector<std::pair<std::string, std::string>> &attachments, bool readOnly) {
    if (EmbeddedBackend() == "odbc" && !readOnly) {
        return OpenOdbc(SqliteOdbcConnectionString(path), OdbcDialect::Sqlite, attachments);
    }
    return OpenSqlite(path, attachments, readOnly);
}

ConnectionPtr OpenConnectionString(const std::string &connectionString) {
    auto keys = ParseConnectionString(connectionString);
    std::string provider, source, odbc;
    std::vector<std::pair<std::string, std::string>> attachments;
    for (const auto &[key, value] : keys) {
        if (strcasecmp(key.c_str(), "Provider") == 0) {
            provider = value;
        } else if (strncasecmp(key.c_str(), "Attach:", 7) == 0) {
            attachments.emplace_back(key.substr(7), value);
        } else {
            if (strcasecmp(key.c_str(), "Data Source") == 0) {
                source = value;
            }
            odbc += (odbc.empty() ? "" : ";") + key + "=" + ConnectionStringValue(value);
        }
    }
    if (strcasecmp(provider.c_str(), "SQLite") == 0) {
        if (source.empty()) {
            throw DbError("La cadena de conexión no indica la base de datos (Data Source)");
        }
        return OpenSqlite(source, attachments);
    }
    if (strcasecmp(provider.c_str(), "SQLite ODBC") == 0) {
        return OpenOdbc(odbc, OdbcDialect::Sqlite, attachments);
    }
    return OpenOdbc(connectionString, OdbcDialect::SqlServer);
}

} // namespace db
