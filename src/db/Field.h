#pragma once

#include <cstdint>
#include <string>

namespace db {

// What a column holds, from its declared type where the backend knows it.
enum class FieldKind { Null, Integer, Real, Currency, Date, Text };

// One column of the current record of a Recordset; valid until the next MoveNext.
class Field {
  public:
    virtual ~Field() = default;
    virtual const std::string &Name() const = 0;
    virtual FieldKind Kind() const = 0;
    virtual bool IsNull() const = 0;
    // Text as stored; dates as ISO text ("yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss"); NULL as "".
    virtual std::string AsText() const = 0;
    virtual std::int64_t AsInt64() const = 0;
    virtual double AsDouble() const = 0;
    // Amount as ten-thousandths, rounded exactly from the stored value.
    virtual std::int64_t AsCurrencyUnits() const = 0;
};

} // namespace db
