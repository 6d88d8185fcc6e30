#pragma once

#include "db/Recordset.h"
#include "db/odbc/OdbcField.h"
#include "db/odbc/OdbcStatement.h"

#include <memory>
#include <string>
#include <vector>

namespace db {

// Forward-only rows of a statement that returned a result set, read into memory when it opens
// (as an ADO client cursor would): the statement is freed at once, so that another statement can
// run on the connection while these rows are read, on drivers that allow one active result (FreeTDS
// without MARS).
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
    void Show();

    std::vector<OdbcField> fields_;
    std::vector<std::vector<OdbcField::Value>> rows_;
    std::size_t next_ = 0;
    bool eof_ = true;
};

} // namespace db
