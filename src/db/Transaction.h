#pragma once

#include "db/Connection.h"

namespace db {

// Scoped transaction: rolls back on destruction unless committed. Never throws from the destructor.
class Transaction {
  public:
    explicit Transaction(Connection &conn) : conn_(conn) { conn_.BeginTrans(); }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    ~Transaction() {
        if (!done_) {
            try {
                conn_.RollbackTrans();
            } catch (...) {
            }
        }
    }
    void Commit() {
        conn_.CommitTrans();
        done_ = true;
    }
    void Rollback() {
        done_ = true;
        conn_.RollbackTrans();
    }

  private:
    Connection &conn_;
    bool done_ = false;
};

} // namespace db
