#pragma once

#include <stdexcept>
#include <string>

namespace db {

// A failed statement: the database's own message, the statement as the module wrote it and,
// where it was rewritten for the backend, as it was run.
class DbError : public std::runtime_error {
  public:
    DbError(const std::string &message, std::string written = {}, std::string translated = {},
            int nativeCode = 0, std::string sqlState = {})
        : std::runtime_error(message), written_(std::move(written)), translated_(std::move(translated)),
          nativeCode_(nativeCode), sqlState_(std::move(sqlState)) {}

    const std::string &Written() const { return written_; }
    const std::string &Translated() const { return translated_; }
    int NativeCode() const { return nativeCode_; }
    const std::string &SqlState() const { return sqlState_; }
    // Message plus both statement texts, for logs and the command line.
    std::string Detail() const {
        std::string d = what();
        if (!written_.empty()) {
            d += "\nSQL: " + written_;
        }
        if (!translated_.empty() && translated_ != written_) {
            d += "\nSQLite: " + translated_;
        }
        return d;
    }

  private:
    std::string written_;
    std::string translated_;
    int nativeCode_;
    std::string sqlState_;
};

} // namespace db
