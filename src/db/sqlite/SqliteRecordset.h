#pragma once

#include "db/Recordset.h"
#include "db/dialect/TokenUtil.h"
#include "db/sqlite/SqliteStatement.h"

#include <memory>
#include <string>
#include <vector>

namespace db {

class SqliteField : public Field {
  public:
    // eof: the recordset's end flag; at the end the name and declared kind remain, values do not.
    SqliteField(sqlite3_stmt *stmt, int index, const std::string *name, FieldKind declared, const bool *eof);
    const std::string &Name() const override { return *name_; }
    FieldKind Kind() const override;
    bool IsNull() const override;
    std::string AsText() const override;
    std::int64_t AsInt64() const override;
    double AsDouble() const override;
    std::int64_t AsCurrencyUnits() const override;

  private:
    void Current() const;

    sqlite3_stmt *stmt_;
    int index_;
    const std::string *name_;
    FieldKind declared_;
    const bool *eof_;
};

class SqliteRecordset : public Recordset {
  public:
    explicit SqliteRecordset(std::unique_ptr<SqliteCursor> cursor);
    bool Eof() const override { return eof_; }
    void MoveNext() override;
    std::size_t FieldCount() const override { return fields_.size(); }
    const Field &Fields(std::size_t index) const override;
    const Field &Fields(const std::string &name) const override;
    bool HasField(const std::string &name) const override;
    void Close() override;

  private:
    std::unique_ptr<SqliteCursor> cursor_;
    std::vector<std::string> ownNames_;
    std::vector<SqliteField> fields_;
    bool eof_ = true;
};

} // namespace db
