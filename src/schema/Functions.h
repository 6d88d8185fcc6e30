#pragma once

#include <string>
#include <vector>

namespace schema {

// A scalar function of the ERP database: its SQL Server definition, and for SQLite the
// expression that replaces a call, with {1}, {2}, {3} standing for the arguments.
struct ScalarFunction {
    std::string name;
    std::string sqliteBody;
    std::string sqlServerDefinition;
};

const std::vector<ScalarFunction> &ScalarFunctions();

} // namespace schema
