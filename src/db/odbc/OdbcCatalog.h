#pragma once

#include "db/dialect/Catalog.h"
#include "db/odbc/OdbcHandle.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace db {

// What the T-SQL rewriter asks of an SQLite database reached through the SQLite ODBC driver,
// answered with ordinary queries on the same connection (so temporary tables are seen):
// PRAGMA table_info for column types, PagosCentral_Funciones for function bodies.
class OdbcCatalog : public dialect::Catalog {
  public:
    OdbcCatalog(std::shared_ptr<OdbcDbc> dbc, std::vector<std::pair<std::string, std::string>> attachments);
    dialect::ColType TypeOf(const std::string &schema, const std::string &table,
                            const std::string &column) override;
    std::vector<std::string> Columns(const std::string &schema, const std::string &table) override;
    const std::string *FunctionBody(const std::string &name) override;
    std::string SchemaFor(const std::string &database) override;
    bool HasIdentity(const std::string &schema, const std::string &table) override;
    // Forgets the tables' columns after a statement that may have changed them.
    void Invalidate();

  private:
    struct TableInfo {
        std::vector<std::string> names;
        std::vector<dialect::ColType> types;
        bool identity = false;
    };
    const TableInfo &Info(const std::string &schema, const std::string &table);
    void LoadFunctions();

    std::shared_ptr<OdbcDbc> dbc_;
    std::vector<std::pair<std::string, std::string>> attachments_;
    std::map<std::string, TableInfo> tables_;
    std::map<std::string, std::string> functions_;
    bool functionsLoaded_ = false;
};

} // namespace db
