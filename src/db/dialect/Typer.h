#pragma once

#include "db/dialect/Catalog.h"
#include "db/dialect/TokenUtil.h"

#include <string>
#include <vector>

namespace db::dialect {

// A table, view or derived table named in FROM, JOIN, INTO or UPDATE.
struct TableRef {
    std::string alias, schema, table;
    Range scope{0, 0};   // the tokens that see this name: its SELECT's parentheses, or the statement
    Range derived{0, 0}; // "(SELECT ...) alias": the parentheses
    bool IsDerived() const { return derived.second > derived.first; }
};

std::vector<TableRef> CollectTables(const Tokens &t);

// Types the expressions of one statement as SQL Server would, from the catalog's declared types:
// columns of tables, temporary tables and derived tables, functions, CASE and arithmetic.
class Typer {
  public:
    Typer(const Tokens &t, Catalog &catalog);

    ColType Expr(Range r);
    // Column reference whose last name is at index last.
    ColType Column(std::size_t last);

    // The primary (name, literal, call, parenthesis, CASE ... END) starting at b; b when there is none.
    std::size_t PrimaryEnd(std::size_t b) const;
    // The primary ending at last (inclusive); npos when there is none.
    std::size_t PrimaryStart(std::size_t last) const;
    // Operands of the binary operator at op, as far as arithmetic binds them.
    std::size_t OperandStart(std::size_t op) const;
    std::size_t OperandEnd(std::size_t op) const;

    struct Item {
        Range expr;
        std::string name; // alias, or the column's own name; empty when neither
        bool star = false;
    };
    // Select-list items of the SELECT keyword at index select.
    std::vector<Item> SelectItems(std::size_t select) const;
    // Where the select list of the SELECT at index select starts (after DISTINCT and TOP n).
    std::size_t SelectListStart(std::size_t select) const;

    const std::vector<TableRef> &Tables() const { return tables_; }
    Catalog &Cat() { return catalog_; }
    const Tokens &Toks() const { return t_; }

    static bool IsArithmetic(const Token &k);
    static bool IsComparison(const Token &k);

  private:
    ColType Primary(std::size_t b, std::size_t e);
    ColType Call(std::size_t name, std::size_t open, std::size_t close);
    ColType Case(std::size_t b, std::size_t end);
    ColType Resolve(const TableRef &r, const std::string &column);
    ColType Derived(const TableRef &r, const std::string &column);
    bool IsCall(std::size_t b) const;
    std::size_t CaseEnd(std::size_t b) const;
    std::size_t CaseStart(std::size_t end) const;

    const Tokens &t_;
    Catalog &catalog_;
    std::vector<TableRef> tables_;
    int depth_ = 0;
};

// Result type of a CASE or COALESCE whose branches have the given types: SQL Server's precedence.
ColType Precedence(const std::vector<ColType> &types);

} // namespace db::dialect
