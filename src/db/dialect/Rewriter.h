#pragma once

#include "db/dialect/Catalog.h"
#include "db/dialect/Edits.h"
#include "db/dialect/TokenUtil.h"
#include "db/dialect/Typer.h"

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
    // An INSERT into a table without identity: SQL Server's @@IDENTITY is NULL after it.
    bool clearsIdentity = false;
};

// Marks which literals may travel as parameters; run on the written tokens before keying.
void MarkLiftable(Tokens &t);
// Key of the statement's shape: equal for statements that differ only in liftable literals.
std::string ShapeKey(const Tokens &t);

Translation Translate(Tokens t, Catalog &catalog);

// The passes, in the order Translate runs them. Those given a Typer only mark tokens or ask
// for insertions, so that the positions the typer found stay valid until the edits are applied.
void RewriteNames(Tokens &t, Catalog &catalog);
void MarkDateArguments(Tokens &t, Typer &typer);
void RewriteStores(Tokens &t, Typer &typer, Edits &edits);
void RewriteComparisons(Tokens &t, Typer &typer, Edits &edits);
void RewriteConcatenation(Tokens &t, Typer &typer);
void RewriteLikeClasses(Tokens &t, Typer &typer, Edits &edits);
void RewriteOrderBy(Tokens &t, Typer &typer, Edits &edits);
std::string SelectIntoColumns(const Tokens &t, Typer &typer);
void RewriteFunctions(Tokens &t, Catalog &catalog);
void RewriteTop(Tokens &t);
Translation RewriteStatement(Tokens t, const std::string &intoColumns = {});

// Helpers shared by the passes.
void MarkDate(Tokens &t, Range r);
bool LikeNeedsClasses(const Tokens &t, std::size_t i);

// A number's text rounded to four decimals, half away from zero, as a money column keeps it.
std::string MoneyLiteral(const std::string &number);

// Day-first date text (also yyyymmdd and ISO) to the stored form; '' is 1900-01-01.
std::optional<std::string> DateLiteralToIso(const std::string &text);

enum class RenderMode { Inline, Parameters };
// SQL text; with Parameters, liftable literals become ?N (N = literal index + 1).
std::string Render(const Tokens &t, RenderMode mode, std::vector<int> *literalsUsed = nullptr);

} // namespace db::dialect
