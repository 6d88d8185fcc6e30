#pragma once

#include "db/Recordset.h"

#include <map>
#include <memory>
#include <string>

namespace db {

// The module's view of an ADO connection. Statements are written in the SQL Server dialect.
class Connection {
  public:
    virtual ~Connection() = default;
    // Runs a statement (or several separated by ';'); returns the records affected by the last,
    // -1 for a query.
    virtual long Execute(const std::string &sql) = 0;
    virtual std::unique_ptr<Recordset> OpenRecordset(const std::string &sql) = 0;
    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    virtual bool InTransaction() const = 0;
    // ADO's property bag; "Extended Properties" opens a second connection to the same database.
    std::map<std::string, std::string> &Properties() { return properties_; }
    const std::map<std::string, std::string> &Properties() const { return properties_; }

  private:
    std::map<std::string, std::string> properties_;
};

using ConnectionPtr = std::shared_ptr<Connection>;

} // namespace db
