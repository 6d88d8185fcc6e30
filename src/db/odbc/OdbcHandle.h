#pragma once

#include <sql.h>

#include <memory>
#include <utility>

namespace db {

// Owns one ODBC handle and frees it on destruction. It keeps its parent handle alive, so a
// statement left open by a caller never outlives its connection's handles.
template <SQLSMALLINT Type> class OdbcHandle {
  public:
    OdbcHandle() = default;
    OdbcHandle(SQLHANDLE handle, std::shared_ptr<const void> parent)
        : handle_(handle), parent_(std::move(parent)) {}
    ~OdbcHandle() { Reset(); }
    OdbcHandle(const OdbcHandle &) = delete;
    OdbcHandle &operator=(const OdbcHandle &) = delete;
    OdbcHandle(OdbcHandle &&other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)), parent_(std::move(other.parent_)),
          connected_(std::exchange(other.connected_, false)) {}
    OdbcHandle &operator=(OdbcHandle &&other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
            parent_ = std::move(other.parent_);
            connected_ = std::exchange(other.connected_, false);
        }
        return *this;
    }

    SQLHANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }
    // A connection handle must be disconnected before it can be freed.
    void MarkConnected() { connected_ = true; }

    void Reset() {
        if (handle_ == SQL_NULL_HANDLE) {
            return;
        }
        if (connected_) {
            SQLDisconnect(handle_);
            connected_ = false;
        }
        SQLFreeHandle(Type, handle_);
        handle_ = SQL_NULL_HANDLE;
        parent_.reset();
    }

  private:
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
    std::shared_ptr<const void> parent_;
    bool connected_ = false;
};

using OdbcEnv = OdbcHandle<SQL_HANDLE_ENV>;
using OdbcDbc = OdbcHandle<SQL_HANDLE_DBC>;
using OdbcStmt = OdbcHandle<SQL_HANDLE_STMT>;

} // namespace db
