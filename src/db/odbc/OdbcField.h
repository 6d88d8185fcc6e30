#pragma once

#include "db/Field.h"

#include <sql.h>

#include <cstdint>
#include <string>

namespace db {

class OdbcStatement;

// One column of the current row. Every value is read as text (SQL_C_WCHAR): amounts stay exact
// decimal digits, and each backend's own text for dates and numbers is what the module sees.
class OdbcField : public Field {
  public:
    // How Kind is decided: from the declared type, or from each value where SQLite declares none.
    enum class Typing { Declared, TextOrDate, ByValue };

    // A value as read, kept while the rows are held in memory.
    struct Value {
        bool null = true;
        FieldKind kind = FieldKind::Null;
        std::string text;
    };

    OdbcField(std::string name, FieldKind declared, Typing typing, bool normalizeDates);
    // Reads the column of the fetched row; columns must be read in order. Throws DbError.
    void Load(const OdbcStatement &statement, SQLUSMALLINT column);
    void Clear();
    // Hands the loaded value over (the field is cleared), and makes a held value the current one.
    Value Take();
    void Put(Value value);
    // Past the last row only the name and the declared kind remain.
    void SetAtEnd(bool atEnd) { atEnd_ = atEnd; }

    const std::string &Name() const override { return name_; }
    FieldKind Kind() const override { return atEnd_ ? declared_ : null_ ? FieldKind::Null : kind_; }
    bool IsNull() const override {
        Current();
        return null_;
    }
    std::string AsText() const override;
    std::int64_t AsInt64() const override;
    double AsDouble() const override;
    std::int64_t AsCurrencyUnits() const override;

  private:
    void Current() const;

    std::string name_;
    FieldKind declared_;
    Typing typing_;
    bool normalizeDates_;
    bool null_ = true;
    bool atEnd_ = false;
    FieldKind kind_ = FieldKind::Null;
    std::string text_;
};

} // namespace db
