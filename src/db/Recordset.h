#pragma once

#include "db/Field.h"

#include <cstddef>
#include <string>

namespace db {

// Forward-only, read-only result set, positioned on its first record when opened.
class Recordset {
  public:
    virtual ~Recordset() = default;
    virtual bool Eof() const = 0;
    virtual void MoveNext() = 0;
    virtual std::size_t FieldCount() const = 0;
    virtual const Field &Fields(std::size_t index) const = 0;
    // By name, case-insensitive; throws DbError when the record has no such field.
    virtual const Field &Fields(const std::string &name) const = 0;
    virtual bool HasField(const std::string &name) const = 0;
    virtual void Close() = 0;
};

} // namespace db
