#include "db/sqlite/SpanishCollation.h"

#include <sqlite3.h>

#include <cstdint>

namespace db {

namespace {

// Reads one code point; a byte that does not start valid UTF-8 stands for itself.
std::uint32_t Next(const unsigned char *s, int n, int &i) {
    unsigned char c = s[i];
    int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len <= 1 || i + len > n) {
        ++i;
        return c;
    }
    std::uint32_t cp = c & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) {
            ++i;
            return c;
        }
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    i += len;
    return cp;
}

struct Weight {
    std::uint32_t primary;
    std::uint8_t accent; // 0 for the bare letter
    std::uint8_t upper;  // 1 for a capital
};

Weight WeightOf(std::uint32_t cp) {
    auto letter = [](char base, std::uint8_t accent, std::uint8_t upper) {
        return Weight{1000u + static_cast<std::uint32_t>(base - 'A') * 2u, accent, upper};
    };
    if (cp >= 'a' && cp <= 'z') {
        return letter(static_cast<char>(cp - 'a' + 'A'), 0, 0);
    }
    if (cp >= 'A' && cp <= 'Z') {
        return letter(static_cast<char>(cp), 0, 1);
    }
    if (cp < 0x80) {
        return {cp, 0, 0};
    }
    if (cp == 0xD1 || cp == 0xF1) {
        return {1000u + static_cast<std::uint32_t>('N' - 'A') * 2u + 1u, 0, static_cast<std::uint8_t>(cp == 0xD1)};
    }
    if (cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7) {
        // Latin-1 letters: base letter by position within the capital and the small block.
        static const char base[] = "AAAAAA?CEEEEIIII?NOOOOO?OUUUUY??";
        bool upper = cp < 0xE0;
        char b = base[(cp - 0xC0) & 0x1F];
        if (b != '?') {
            return letter(b, static_cast<std::uint8_t>(1 + ((cp - 0xC0) & 0x1F)), upper);
        }
    }
    return {2000u + cp, 0, 0};
}

int Compare(const unsigned char *a, int na, const unsigned char *b, int nb) {
    int accent = 0, upper = 0;
    int i = 0, j = 0;
    while (i < na && j < nb) {
        Weight wa = WeightOf(Next(a, na, i)), wb = WeightOf(Next(b, nb, j));
        if (wa.primary != wb.primary) {
            return wa.primary < wb.primary ? -1 : 1;
        }
        if (accent == 0 && wa.accent != wb.accent) {
            accent = wa.accent < wb.accent ? -1 : 1;
        }
        if (upper == 0 && wa.upper != wb.upper) {
            upper = wa.upper < wb.upper ? -1 : 1;
        }
    }
    if (i < na || j < nb) {
        return i < na ? 1 : -1;
    }
    return accent != 0 ? accent : upper;
}

int Callback(void *, int na, const void *a, int nb, const void *b) {
    return Compare(static_cast<const unsigned char *>(a), na, static_cast<const unsigned char *>(b), nb);
}

} // namespace

void RegisterSpanishCollation(sqlite3 *db) {
    sqlite3_create_collation_v2(db, "ESPANOL", SQLITE_UTF8, nullptr, Callback, nullptr);
}

int CompareSpanish(const char *a, int na, const char *b, int nb) {
    return Compare(reinterpret_cast<const unsigned char *>(a), na, reinterpret_cast<const unsigned char *>(b), nb);
}

} // namespace db
