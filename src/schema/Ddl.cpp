#include "schema/Functions.h"
#include "schema/Schema.h"
#include "schema/Tables.h"

#include <sstream>
#include <stdexcept>

namespace schema {

namespace {

std::string Trim(const std::string &s) {
    auto b = s.find_first_not_of(' ');
    auto e = s.find_last_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::vector<std::string> Split(const std::string &s) {
    std::vector<std::string> out;
    std::stringstream ss(s);
    std::string part;
    while (std::getline(ss, part, ',')) {
        if (!Trim(part).empty()) {
            out.push_back(Trim(part));
        }
    }
    return out;
}

bool InKey(const std::string &column, const std::string &key) {
    for (const auto &k : Split(key)) {
        if (k == column) {
            return true;
        }
    }
    return false;
}

std::string ColumnSql(Dialect d, const std::string &name, const std::string &kind, bool key) {
    const bool lite = d == Dialect::Sqlite;
    std::string null = key ? " NOT NULL" : " NULL";
    switch (kind[0]) {
    case 'K':
        return name + (lite ? " INTEGER PRIMARY KEY AUTOINCREMENT" : " INT IDENTITY(1,1) NOT NULL PRIMARY KEY");
    case 'I':
        return name + (lite ? " INTEGER" : " INT") + null + " DEFAULT 0";
    case 'F':
        return name + " SMALLINT" + null + " DEFAULT 0";
    case 'M':
        return name + " MONEY" + null + " DEFAULT 0";
    case 'N':
        return name + " DECIMAL(18,4)" + null + " DEFAULT 0";
    case 'D':
        return name + " DATETIME" + null + (lite ? " DEFAULT '1900-01-01'" : " DEFAULT '19000101'");
    case 'H':
        return name + " DATETIME" + null +
               (lite ? " DEFAULT (strftime('%Y-%m-%d %H:%M:%S','now','localtime'))" : " DEFAULT GETDATE()");
    case 'S':
        return name + " VARCHAR(" + kind.substr(1) + ")" + (lite ? " COLLATE NOCASE" : "") + null + " DEFAULT ''";
    case 'T':
        return name + " VARCHAR(4000)" + (lite ? " COLLATE NOCASE" : "") + null + " DEFAULT ''";
    }
    throw std::logic_error("Tipo de columna desconocido: " + name + ":" + kind);
}

void AppendTables(Dialect d, const std::vector<Table> &tables, std::vector<std::string> &out) {
    for (const auto &t : tables) {
        std::string sql = "CREATE TABLE " + t.name + " (";
        bool first = true;
        for (const auto &col : Split(t.columns)) {
            auto colon = col.find(':');
            std::string name = col.substr(0, colon);
            sql += (first ? "" : ", ") + ColumnSql(d, name, col.substr(colon + 1), InKey(name, t.primaryKey));
            first = false;
        }
        if (!t.primaryKey.empty()) {
            sql += d == Dialect::Sqlite ? ", PRIMARY KEY (" + t.primaryKey + ")"
                                        : ", CONSTRAINT PK_" + t.name + " PRIMARY KEY (" + t.primaryKey + ")";
        }
        out.push_back(sql + ")");
        int n = 0;
        for (std::string ix : t.indexes) {
            // The document's last four characters, as the translated RIGHT(RTRIM(Documento),4) reads
            // them, so that the duplicate search finds its lines through the index.
            const std::string ultimos = "@Ultimos4";
            if (auto p = ix.find(ultimos); p != std::string::npos) {
                ix.replace(p, ultimos.size(),
                           d == Dialect::Sqlite ? "substr(rtrim(Documento), -(4), (4)) COLLATE NOCASE" : "");
                while (!ix.empty() && (ix.back() == ' ' || ix.back() == ',')) {
                    ix.pop_back();
                }
            }
            out.push_back("CREATE INDEX IX_" + t.name + "_" + std::to_string(++n) + " ON " + t.name + " (" + ix + ")");
        }
    }
}

} // namespace

std::vector<std::string> ErpDdl(Dialect dialect) {
    std::vector<std::string> out;
    AppendTables(dialect, ErpTables(), out);
    if (dialect == Dialect::Sqlite) {
        // The translator inlines these bodies where the module calls dbo.fn_...
        out.push_back("CREATE TABLE PagosCentral_Funciones (Nombre VARCHAR(128) COLLATE NOCASE NOT NULL PRIMARY KEY, "
                      "Cuerpo TEXT NOT NULL)");
        for (const auto &f : ScalarFunctions()) {
            std::string body;
            for (char c : f.sqliteBody) {
                body += c;
                if (c == '\'') {
                    body += '\'';
                }
            }
            out.push_back("INSERT INTO PagosCentral_Funciones (Nombre, Cuerpo) VALUES ('" + f.name + "', '" + body +
                          "')");
        }
    } else {
        for (const auto &f : ScalarFunctions()) {
            out.push_back(f.sqlServerDefinition);
        }
    }
    return out;
}

std::vector<std::string> AccountingDdl(Dialect dialect) {
    std::vector<std::string> out;
    AppendTables(dialect, AccountingTables(), out);
    return out;
}

std::string SqlServerScript(const std::vector<std::string> &statements, const std::string &database) {
    std::string s = "SET NOCOUNT ON\nGO\n";
    if (!database.empty()) {
        s += "USE [" + database + "]\nGO\n";
    }
    for (const auto &st : statements) {
        s += st + "\nGO\n";
    }
    return s;
}

} // namespace schema
