#pragma once

#include "db/Recordset.h"
#include "db/odbc/OdbcField.h"
#include "db/odbc/OdbcStatement.h"

#include <memory>
#include <string>
#include <vector>

namespace db {

// Forward-only rows of a statement that returned a result set. The statement is freed at the
// end of the rows, so that a driver allowing one active result per connection is free again.
class OdbcRecordset : public Recordset {
  public:
    // sqliteTypes: column types are SQLite's declared types as the SQLite ODBC driver names them.
    OdbcRecordset(std::unique_ptr<OdbcStatement> statement, bool sqliteTypes);
    bool Eof() const override { return eof_; }
    void MoveNext() override;
    std::size_t FieldCount() const override { return fields_.size(); }
    const Field &Fields(std::size_t index) const override;
    const Field &Fields(const std::string &name) const override;
    bool HasField(const std::string &name) const override;
    void Close() override;

  private:
    void Fetch();

    std::unique_ptr<OdbcStatement> statement_;
    std::vector<OdbcField> fields_;
    bool eof_ = true;
};

} // namespace db
