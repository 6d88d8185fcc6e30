#pragma once

#include "db/dialect/Catalog.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace db {

// Column types from the declared types of the open databases, and the ERP database's function bodies.
class SqliteCatalog : public dialect::Catalog {
  public:
    SqliteCatalog(sqlite3 *db, std::vector<std::pair<std::string, std::string>> attachments);
    dialect::ColType TypeOf(const std::string &schema, const std::string &table, const std::string &column) override;
    std::vector<std::string> Columns(const std::string &schema, const std::string &table) override;
    const std::string *FunctionBody(const std::string &name) override;
    std::string SchemaFor(const std::string &database) override;
    bool HasIdentity(const std::string &schema, const std::string &table) override;
    std::string SortCollation() override { return "ESPANOL"; }
    void Invalidate();

  private:
    struct TableInfo {
        std::vector<std::string> names;
        std::vector<dialect::ColType> types;
        bool identity = false;
    };
    const TableInfo &Info(const std::string &schema, const std::string &table);
    void LoadFunctions();

    sqlite3 *db_;
    std::vector<std::pair<std::string, std::string>> attachments_;
    std::map<std::string, TableInfo> tables_;
    std::map<std::string, std::string> functions_;
    bool functionsLoaded_ = false;
};

} // namespace db
