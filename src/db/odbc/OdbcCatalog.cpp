#include "db/odbc/OdbcCatalog.h"

#include "db/DbError.h"
#include "db/dialect/Tokenizer.h"
#include "db/odbc/OdbcRecordset.h"
#include "db/odbc/OdbcStatement.h"

#include <cctype>

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

OdbcCatalog::OdbcCatalog(std::shared_ptr<OdbcDbc> dbc,
                         std::vector<std::pair<std::string, std::string>> attachments)
    : dbc_(std::move(dbc)), attachments_(std::move(attachments)) {}

void OdbcCatalog::Invalidate() {
    tables_.clear();
}

const OdbcCatalog::TableInfo &OdbcCatalog::Info(const std::string &schema, const std::string &table) {
    std::string key = Lower(schema) + "\x1f" + Lower(table);
    auto it = tables_.find(key);
    if (it != tables_.end()) {
        return it->second;
    }
    TableInfo info;
    std::string sql = "PRAGMA " + (schema.empty() ? std::string() : QuoteIdent(schema) + ".") +
                      "table_info(" + QuoteIdent(table) + ")";
    // A table that is not there (yet) has no columns to tell, as with the SQLite backend.
    try {
        OdbcRecordset rs(std::make_unique<OdbcStatement>(dbc_, sql, sql, sql, OdbcEncoding::Utf8), true);
        int keys = 0;
        bool integerKey = false;
        while (!rs.Eof()) {
            info.names.push_back(rs.Fields(1).AsText());
            info.types.push_back(dialect::ColTypeFromDecl(rs.Fields(2).AsText()));
            if (rs.Fields(5).AsInt64() > 0) {
                ++keys;
                integerKey = dialect::Upper(rs.Fields(2).AsText()) == "INTEGER";
            }
            rs.MoveNext();
        }
        info.identity = keys == 1 && integerKey;
    } catch (const DbError &) {
        info = TableInfo{};
    }
    return tables_[key] = std::move(info);
}

bool OdbcCatalog::HasIdentity(const std::string &schema, const std::string &table) {
    const TableInfo &info = Info(schema, table);
    return info.names.empty() || info.identity;
}

ColType OdbcCatalog::TypeOf(const std::string &schema, const std::string &table, const std::string &column) {
    const TableInfo &info = Info(schema, table);
    for (std::size_t i = 0; i < info.names.size(); ++i) {
        if (dialect::EqualsNoCase(info.names[i], column)) {
            return info.types[i];
        }
    }
    return ColType::Unknown;
}

std::vector<std::string> OdbcCatalog::Columns(const std::string &schema, const std::string &table) {
    return Info(schema, table).names;
}

void OdbcCatalog::LoadFunctions() {
    functionsLoaded_ = true;
    const std::string sql = "SELECT Nombre, Cuerpo FROM main.PagosCentral_Funciones";
    try {
        OdbcRecordset rs(std::make_unique<OdbcStatement>(dbc_, sql, sql, sql, OdbcEncoding::Utf8), true);
        while (!rs.Eof()) {
            if (!rs.Fields(0).IsNull() && !rs.Fields(1).IsNull()) {
                functions_[Lower(rs.Fields(0).AsText())] = rs.Fields(1).AsText();
            }
            rs.MoveNext();
        }
    } catch (const DbError &) {
        // A database without the table has no functions of its own.
        functions_.clear();
    }
}

const std::string *OdbcCatalog::FunctionBody(const std::string &name) {
    if (!functionsLoaded_) {
        LoadFunctions();
    }
    auto it = functions_.find(Lower(name));
    return it == functions_.end() ? nullptr : &it->second;
}

std::string OdbcCatalog::SchemaFor(const std::string &database) {
    for (const auto &[name, path] : attachments_) {
        if (dialect::EqualsNoCase(name, database)) {
            return name;
        }
    }
    // A connection with nothing attached is the database the name speaks of.
    return attachments_.empty() ? std::string() : database;
}

} // namespace db
