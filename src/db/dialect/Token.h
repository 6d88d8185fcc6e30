#pragma once

#include <string>

namespace db::dialect {

enum class TokenKind {
    Word,        // identifier or keyword, unquoted
    QuotedIdent, // [name] or "name"; text holds the bare name
    TempName,    // #name or ##name; text holds it with the hashes
    Variable,    // @name or @@NAME
    String,      // '...'; text holds the value with apostrophes undoubled
    Number,
    Symbol,      // operators and punctuation
};

struct Token {
    TokenKind kind = TokenKind::Symbol;
    std::string text;
    std::size_t pos = 0;        // offset in the statement as written
    bool spaceBefore = false;   // whitespace or a comment preceded it
    int literal = -1;           // index of the literal in the written statement; -1 for generated tokens
    bool liftable = false;      // may be sent as a parameter
    bool dateContext = false;   // a text literal compared with or stored into a date column
    bool moneyContext = false;  // a number stored into a money column: four decimals

    bool Is(TokenKind k) const { return kind == k; }
    bool IsSymbol(const char *s) const { return kind == TokenKind::Symbol && text == s; }
    // Case-insensitive keyword test on unquoted words.
    bool IsWord(const char *w) const;
};

Token MakeWord(std::string text, bool space = true);
Token MakeSymbol(std::string text, bool space = false);

} // namespace db::dialect
