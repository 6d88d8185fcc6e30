#pragma once

#include "db/dialect/Rewriter.h"
#include "db/dialect/ShapeScanner.h"

#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// A prepared statement positioned before its first row; resets the statement when released.
class SqliteStatement;

class SqliteCursor {
  public:
    SqliteCursor(std::shared_ptr<SqliteStatement> owner, sqlite3 *db, sqlite3_stmt *stmt, bool owned, bool *inUse,
                 std::vector<dialect::Literal> values, std::string written, const std::string &sql);
    ~SqliteCursor();
    SqliteCursor(const SqliteCursor &) = delete;
    SqliteCursor &operator=(const SqliteCursor &) = delete;
    // Advances; false at the end. Throws DbError on failure.
    bool Step();
    sqlite3_stmt *Handle() const { return stmt_; }
    sqlite3 *Db() const { return db_; }
    const std::vector<dialect::Literal> &Values() const { return values_; }
    const SqliteStatement &Owner() const { return *owner_; }

  private:
    std::shared_ptr<SqliteStatement> owner_; // keeps the cached statement alive while rows are read
    sqlite3 *db_;
    sqlite3_stmt *stmt_;
    bool owned_;
    bool *inUse_;
    std::vector<dialect::Literal> values_; // bound without copying, so they live as long as the cursor
    std::string written_;
    const std::string &sql_; // owned by the statement, which owner_ keeps alive
};

// One SQLite statement of a translated shape, with the written literals it takes as parameters.
class SqliteStatement : public std::enable_shared_from_this<SqliteStatement> {
  public:
    SqliteStatement(sqlite3 *db, dialect::Tokens tokens, dialect::RenderMode mode);
    ~SqliteStatement();
    // written must outlive the cursor (it is quoted in errors).
    std::unique_ptr<SqliteCursor> Start(sqlite3 *db, std::vector<dialect::Literal> literals,
                                        const std::string &written);
    long Run(sqlite3 *db, std::vector<dialect::Literal> literals, const std::string &written);
    const std::vector<std::string> &ColumnNames() const { return columns_; }
    const std::string &Sql() const { return sql_; }

  private:
    std::string sql_;
    std::string renderError_;
    struct Param {
        int literal;
        bool date;
        bool money;
    };
    std::vector<Param> params_;
    sqlite3_stmt *cached_ = nullptr;
    bool inUse_ = false;
    std::vector<std::string> columns_;
};

} // namespace db
