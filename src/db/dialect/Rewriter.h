#pragma once

#include "db/dialect/Catalog.h"
#include "db/dialect/TokenUtil.h"

#include <optional>
#include <string>
#include <vector>

namespace db::dialect {

enum class StatementKind { Query, Change, SelectInto, Schema, NoOp };

// One T-SQL statement rewritten for SQLite: possibly several SQLite statements.
struct Translation {
    StatementKind kind = StatementKind::Change;
    std::vector<Tokens> statements;
    std::string intoTable; // SELECT ... INTO: the table whose row count is the records affected
};

// Marks which literals may travel as parameters; run on the written tokens before keying.
void MarkLiftable(Tokens &t);
// Key of the statement's shape: equal for statements that differ only in liftable literals.
std::string ShapeKey(const Tokens &t);

Translation Translate(Tokens t, Catalog &catalog);

// The passes, in the order Translate runs them.
void RewriteNames(Tokens &t, Catalog &catalog);
void MarkDateLiterals(Tokens &t, Catalog &catalog);
void RewriteConcatenation(Tokens &t, Catalog &catalog);
void RewriteFunctions(Tokens &t, Catalog &catalog);
void RewriteTop(Tokens &t);
Translation RewriteStatement(Tokens t);

// Table references of a statement: alias (or name) to schema and table.
struct TableRef {
    std::string alias, schema, table;
};
std::vector<TableRef> CollectTables(const Tokens &t);
// Type of the column reference ending at index last ("q.col" or "col"); Unknown when none.
ColType ColumnRefType(const Tokens &t, std::size_t last, const std::vector<TableRef> &tables, Catalog &catalog,
                      std::size_t *first = nullptr);

// Day-first date text (also yyyymmdd and ISO) to the stored form; '' is 1900-01-01.
std::optional<std::string> DateLiteralToIso(const std::string &text);

enum class RenderMode { Inline, Parameters };
// SQL text; with Parameters, liftable literals become ?N (N = literal index + 1).
std::string Render(const Tokens &t, RenderMode mode, std::vector<int> *literalsUsed = nullptr);

} // namespace db::dialect
