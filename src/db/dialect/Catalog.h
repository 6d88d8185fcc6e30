#pragma once

#include <string>
#include <vector>

namespace db::dialect {

enum class ColType { Unknown, Text, Date, Number };

// What the rewriter needs to know of the database it translates for.
class Catalog {
  public:
    virtual ~Catalog() = default;
    // schema empty: the table as an unqualified name resolves (temporary, main, attached).
    virtual ColType TypeOf(const std::string &schema, const std::string &table, const std::string &column) = 0;
    virtual std::vector<std::string> Columns(const std::string &schema, const std::string &table) = 0;
    // Body of a scalar database function with {1}, {2}... for its arguments; nullptr when unknown.
    virtual const std::string *FunctionBody(const std::string &name) = 0;
    // Schema name under which a database named in a three-part name is reached; empty for main.
    virtual std::string SchemaFor(const std::string &database) = 0;
};

} // namespace db::dialect
