#include "db/sqlite/SqliteCatalog.h"

#include "db/dialect/Tokenizer.h"

#include <sqlite3.h>

namespace db {

using dialect::ColType;

namespace {

std::string Lower(std::string s) {
    for (char &c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

std::string QuoteIdent(const std::string &s) {
    std::string out = "\"";
    for (char c : s) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

} // namespace

SqliteCatalog::SqliteCatalog(sqlite3 *db, std::vector<std::pair<std::string, std::string>> attachments)
    : db_(db), attachments_(std::move(attachments)) {}

void SqliteCatalog::Invalidate() { tables_.clear(); }

const SqliteCatalog::TableInfo &SqliteCatalog::Info(const std::string &schema, const std::string &table) {
    std::string key = Lower(schema) + "\x1f" + Lower(table);
    auto it = tables_.find(key);
    if (it != tables_.end()) {
        return it->second;
    }
    TableInfo info;
    std::string sql = "PRAGMA " + (schema.empty() ? std::string() : QuoteIdent(schema) + ".") + "table_info(" +
                      QuoteIdent(table) + ")";
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        int keys = 0;
        bool integerKey = false;
        while (sqlite3_step(st) == SQLITE_ROW) {
            const char *name = reinterpret_cast<const char *>(sqlite3_column_text(st, 1));
            const char *type = reinterpret_cast<const char *>(sqlite3_column_text(st, 2));
            info.names.push_back(name ? name : "");
            info.types.push_back(dialect::ColTypeFromDecl(type ? type : ""));
            if (sqlite3_column_int(st, 5) > 0) {
                ++keys;
                integerKey = dialect::Upper(type ? type : "") == "INTEGER";
            }
        }
        // Only an INTEGER PRIMARY KEY is numbered by the database.
        info.identity = keys == 1 && integerKey;
    }
    sqlite3_finalize(st);
    return tables_[key] = std::move(info);
}

ColType SqliteCatalog::TypeOf(const std::string &schema, const std::string &table, const std::string &column) {
    const TableInfo &info = Info(schema, table);
    for (std::size_t i = 0; i < info.names.size(); ++i) {
        if (dialect::EqualsNoCase(info.names[i], column)) {
            return info.types[i];
        }
    }
    return ColType::Unknown;
}

bool SqliteCatalog::HasIdentity(const std::string &schema, const std::string &table) {
    const TableInfo &info = Info(schema, table);
    return info.names.empty() || info.identity;
}

std::vector<std::string> SqliteCatalog::Columns(const std::string &schema, const std::string &table) {
    return Info(schema, table).names;
}

void SqliteCatalog::LoadFunctions() {
    functionsLoaded_ = true;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db_, "SELECT Nombre, Cuerpo FROM main.PagosCentral_Funciones", -1, &st, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(st);
        return;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        const char *n = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
        const char *b = reinterpret_cast<const char *>(sqlite3_column_text(st, 1));
        if (n && b) {
            functions_[Lower(n)] = b;
        }
    }
    sqlite3_finalize(st);
}

const std::string *SqliteCatalog::FunctionBody(const std::string &name) {
    if (!functionsLoaded_) {
        LoadFunctions();
    }
    auto it = functions_.find(Lower(name));
    return it == functions_.end() ? nullptr : &it->second;
}

std::string SqliteCatalog::SchemaFor(const std::string &database) {
    for (const auto &[name, path] : attachments_) {
        if (dialect::EqualsNoCase(name, database)) {
            return name;
        }
    }
    // A connection with nothing attached is the database the name speaks of.
    return attachments_.empty() ? std::string() : database;
}

} // namespace db
