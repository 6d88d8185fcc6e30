#pragma once

#include "db/dialect/Token.h"

#include <string_view>
#include <vector>

namespace db::dialect {

// Splits T-SQL into tokens, dropping comments and whitespace (remembered as spaceBefore).
// Literals are numbered in order of appearance. Throws DbError on an unterminated literal.
std::vector<Token> Tokenize(std::string_view sql);

// Splits a token list at top-level semicolons; empty statements are dropped.
std::vector<std::vector<Token>> SplitStatements(std::vector<Token> tokens);

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string Upper(std::string_view s);

} // namespace db::dialect
