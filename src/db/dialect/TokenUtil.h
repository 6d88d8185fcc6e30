#pragma once

#include "db/dialect/Token.h"

#include <string>
#include <utility>
#include <vector>

namespace db::dialect {

using Tokens = std::vector<Token>;
using Range = std::pair<std::size_t, std::size_t>; // [first, last)

std::size_t MatchClose(const Tokens &t, std::size_t open);
std::size_t MatchOpen(const Tokens &t, std::size_t close);
// Top-level comma-separated items between the parentheses at open and close.
std::vector<Range> SplitArgs(const Tokens &t, std::size_t open, std::size_t close);
Tokens Slice(const Tokens &t, Range r);
void Splice(Tokens &t, std::size_t first, std::size_t last, Tokens with);
// Index of the first token at depth 0 (relative to from) that is the word w, or npos.
std::size_t FindWordAtDepth0(const Tokens &t, std::size_t from, std::size_t to, const char *w);
// Parses generated SQL text into tokens marked as not coming from the written statement.
Tokens Generated(const std::string &sql);
bool IsClauseKeyword(const Token &t);
[[noreturn]] void Unsupported(const Tokens &t, std::size_t at, const std::string &what);

} // namespace db::dialect
