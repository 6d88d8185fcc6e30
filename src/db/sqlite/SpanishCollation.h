#pragma once

struct sqlite3;

namespace db {

// Registers "ESPANOL" on an SQLite connection: letters in Spanish order (accents and case count
// only between otherwise equal texts, Ñ after N).
void RegisterSpanishCollation(sqlite3 *db);

// The comparison itself, for tests: negative, zero or positive as a sorts before, with or after b.
int CompareSpanish(const char *a, int na, const char *b, int nb);

} // namespace db
