#pragma once

#include <string>
#include <vector>

namespace db::dialect {

// Money is a number that SQL Server keeps to four decimals.
enum class ColType { Unknown, Text, Date, Number, Money };

inline bool IsNumeric(ColType t) { return t == ColType::Number || t == ColType::Money; }

// Column type from a declared SQL type name ("VARCHAR(30)", "MONEY", "DATETIME"...).
ColType ColTypeFromDecl(const std::string &decl);

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
    // Whether inserts into the table take a number from the database (an identity column).
    virtual bool HasIdentity(const std::string &schema, const std::string &table) { return true; }
    // Collation that sorts texts in Spanish order, or empty when the database has none.
    virtual std::string SortCollation() { return {}; }
};

} // namespace db::dialect
