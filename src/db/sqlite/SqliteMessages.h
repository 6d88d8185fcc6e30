#pragma once

#include <string>

namespace db {

// The message a user reads for an SQLite result code: plain words for a read-only, full, damaged
// or unreachable database file; SQLite's own text otherwise.
std::string SqliteMessage(int code, const std::string &sqliteText);

} // namespace db
