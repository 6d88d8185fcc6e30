#pragma once

#include <string>
#include <vector>

namespace schema {

// One table in a dialect-neutral shorthand. Columns are "Name:Kind" separated by commas, kinds:
// I integer, F flag, M currency, N decimal number, D date, S<n> text of n characters, T long text,
// K identity key, H creation time stamp. Every column that is not a key has a default, so that
// inserts naming only some columns are accepted.
struct Table {
    std::string name;
    std::string columns;
    std::string primaryKey;           // comma-separated; empty when the table has none (or a K column)
    std::vector<std::string> indexes; // each a comma-separated column list
};

const std::vector<Table> &ErpTables();
const std::vector<Table> &AccountingTables();

} // namespace schema
