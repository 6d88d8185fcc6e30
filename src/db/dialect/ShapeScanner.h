#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db::dialect {

// A literal of the written statement: a number's text, or a text's value with apostrophes undoubled.
struct Literal {
    bool number = false;
    std::string text;
};

// One pass over a single statement: its shape key (the text with literals taken out, blanks and
// comments folded) and its literals, numbered as the tokenizer numbers them. False when the text
// holds a ';' or something only the tokenizer can judge.
bool ScanShape(std::string_view sql, std::string &key, std::vector<Literal> &literals);

} // namespace db::dialect
