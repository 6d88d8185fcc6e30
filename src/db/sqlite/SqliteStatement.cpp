#include "db/sqlite/SqliteStatement.h"

#include "db/DbError.h"
#include "db/sqlite/SqliteMessages.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdlib>

namespace db {

using namespace dialect;

SqliteCursor::SqliteCursor(std::shared_ptr<SqliteStatement> owner, sqlite3 *db, sqlite3_stmt *stmt, bool owned,
                           bool *inUse, std::vector<Literal> values, std::string written,
                           const std::string &sql)
    : owner_(std::move(owner)), db_(db), stmt_(stmt), owned_(owned), inUse_(inUse), values_(std::move(values)),
      written_(std::move(written)), sql_(sql) {}

SqliteCursor::~SqliteCursor() {
    if (owned_) {
        sqlite3_finalize(stmt_);
    } else {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        *inUse_ = false;
    }
}

bool SqliteCursor::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    throw DbError(SqliteMessage(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_)), written_, sql_,
                  sqlite3_extended_errcode(db_));
}

SqliteStatement::SqliteStatement(sqlite3 *db, Tokens tokens, RenderMode mode) {
    std::vector<int> used;
    try {
        sql_ = Render(tokens, mode, &used);
    } catch (DbError &e) {
        // A literal that cannot be what its column holds: report when run, with the statement.
        renderError_ = e.what();
        sql_ = Render(tokens, RenderMode::Parameters, nullptr);
        return;
    }
    for (int lit : used) {
        bool date = false, money = false;
        for (const auto &t : tokens) {
            if (t.literal == lit && t.liftable) {
                date |= t.dateContext;
                money |= t.moneyContext;
            }
        }
        params_.push_back({lit, date, money});
    }
    (void)db;
}

SqliteStatement::~SqliteStatement() {
    if (cached_) {
        sqlite3_finalize(cached_);
    }
}

std::unique_ptr<SqliteCursor> SqliteStatement::Start(sqlite3 *db, std::vector<Literal> literals,
                                                     const std::string &written) {
    if (!renderError_.empty()) {
        throw DbError(renderError_, written, sql_);
    }
    sqlite3_stmt *stmt = nullptr;
    bool owned = true;
    if (cached_ && !inUse_) {
        stmt = cached_;
        owned = false;
    } else {
        if (sqlite3_prepare_v3(db, sql_.c_str(), static_cast<int>(sql_.size()),
                               cached_ ? 0 : SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
            std::string msg = SqliteMessage(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
            sqlite3_finalize(stmt);
            throw DbError(msg, written, sql_, sqlite3_extended_errcode(db));
        }
        if (!cached_) {
            cached_ = stmt;
            owned = false;
            int n = sqlite3_column_count(stmt);
            for (int i = 0; i < n; ++i) {
                const char *name = sqlite3_column_name(stmt, i);
                columns_.emplace_back(name ? name : "");
            }
        }
    }
    if (!owned) {
        inUse_ = true;
    }
    // Dates are converted in place so that the bound text lives in the cursor.
    for (const auto &p : params_) {
        Literal &lit = literals.at(static_cast<std::size_t>(p.literal));
        if (p.date && !lit.number) {
            auto iso = DateLiteralToIso(lit.text);
            if (!iso) {
                if (!owned) {
                    inUse_ = false;
                }
                throw DbError("Conversion failed when converting date and/or time from character string: '" +
                                  lit.text + "'",
                              written, sql_);
            }
            lit.text = std::move(*iso);
        } else if (p.money && lit.number) {
            try {
                lit.text = MoneyLiteral(lit.text);
            } catch (const DbError &e) {
                if (!owned) {
                    inUse_ = false;
                }
                throw DbError(e.what(), written, sql_);
            }
        }
    }
    auto cursor = std::make_unique<SqliteCursor>(shared_from_this(), db, stmt, owned, &inUse_, std::move(literals),
                                                 written, sql_);
    const auto &values = cursor->Values();
    for (const auto &p : params_) {
        const Literal &lit = values[static_cast<std::size_t>(p.literal)];
        int idx = p.literal + 1;
        int rc;
        if (lit.number) {
            const std::string &s = lit.text;
            bool integral = s.find_first_of(".eE") == std::string::npos;
            errno = 0;
            long long v = integral ? std::strtoll(s.c_str(), nullptr, 10) : 0;
            if (integral && errno == 0) {
                rc = sqlite3_bind_int64(stmt, idx, v);
            } else {
                rc = sqlite3_bind_double(stmt, idx, std::strtod(s.c_str(), nullptr));
            }
        } else {
            rc = sqlite3_bind_text(stmt, idx, lit.text.c_str(), static_cast<int>(lit.text.size()), SQLITE_STATIC);
        }
        if (rc != SQLITE_OK) {
            throw DbError(sqlite3_errmsg(db), written, sql_, rc);
        }
    }
    return cursor;
}

long SqliteStatement::Run(sqlite3 *db, std::vector<Literal> literals, const std::string &written) {
    auto cursor = Start(db, std::move(literals), written);
    bool readonly = sqlite3_stmt_readonly(cursor->Handle()) != 0;
    while (cursor->Step()) {
    }
    return readonly ? -1 : static_cast<long>(sqlite3_changes(db));
}

} // namespace db
