#pragma once

#include <string>
#include <string_view>

namespace db {

// Text as an SQL literal: between apostrophes, each apostrophe doubled.
std::string Quote(std::string_view text);
// Only the inside of the literal (apostrophes doubled), for fragments like "LIKE '%" + x + "%'".
std::string Escape(std::string_view text);
// "LIKE" operand that finds the text anywhere, as typed: its '%', '_' and '[' are not wildcards.
std::string Contiene(std::string_view text);

} // namespace db

namespace db {

// True when the statement (its last, if several) returns rows: a SELECT without INTO.
bool ReturnsRows(const std::string &sql);

} // namespace db
