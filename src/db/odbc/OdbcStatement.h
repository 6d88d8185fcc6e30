#pragma once

#include "db/odbc/OdbcHandle.h"

#include <sql.h>

#include <memory>
#include <string>

namespace db {

// How the SQL text is handed to the driver.
enum class OdbcEncoding {
    Utf16, // SQLExecDirectW: the driver converts, whatever the process locale
    Utf8,  // SQLExecDirect with UTF-8 bytes, for the SQLite driver, whose own UTF-16 conversion
           // garbles characters outside the BMP (emoji) in statement texts
};

// One statement run at once on a connection (SQLExecDirect), with the texts its errors quote:
// as the module wrote it and as it was sent.
class OdbcStatement {
  public:
    // Throws DbError carrying the driver's diagnostics when the statement fails.
    OdbcStatement(const std::shared_ptr<OdbcDbc> &dbc, const std::string &sql, std::string written,
                  std::string translated, OdbcEncoding encoding);
    SQLHSTMT Handle() const { return stmt_.Get(); }
    bool ReturnsRows() const { return columns_ > 0; }
    SQLSMALLINT ColumnCount() const { return columns_; }
    // Records affected; -1 for a query or when the driver cannot tell.
    long RowCount() const { return rowCount_; }
    const std::string &Written() const { return written_; }
    const std::string &Translated() const { return translated_; }
    // The statement handle's diagnostics as an exception.
    [[noreturn]] void Fail(const std::string &fallback) const;

  private:
    OdbcStmt stmt_;
    std::string written_;
    std::string translated_;
    SQLSMALLINT columns_ = 0;
    long rowCount_ = -1;
};

} // namespace db
