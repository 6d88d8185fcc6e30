#include "suite/Windows1252.h"

#include <cstdint>

namespace suite {

namespace {

// Code points of bytes 0x80..0x9F; the five unassigned bytes keep their C1 value.
const char32_t k1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AnadirUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Byte of a code point, or -1 when Windows-1252 has none.
int ByteDe(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (k1252[i] == c) {
            return 0x80 + i;
        }
    }
    return -1;
}

// Decodes one UTF-8 sequence at `i`; returns its length, 0 when malformed.
std::size_t Decodificar(std::string_view s, std::size_t i, char32_t &c) {
    auto b = static_cast<unsigned char>(s[i]);
    std::size_t n;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2;
        c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3;
        c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4;
        c = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < n; ++k) {
        auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (t & 0x3F);
    }
    // Overlong forms and surrogates are not characters.
    if ((n == 2 && c < 0x80) || (n == 3 && c < 0x800) || (n == 4 && c < 0x10000) ||
        (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        return 0;
    }
    return n;
}

bool Convertir(std::string_view utf8, std::string *out, std::string *caracter) {
    std::size_t inicio = out ? out->size() : 0;
    for (std::size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            if (out) {
                *out += static_cast<char>(b);
            }
            ++i;
            continue;
        }
        char32_t c = 0;
        std::size_t n = Decodificar(utf8, i, c);
        int byte = n ? ByteDe(c) : -1;
        if (byte < 0) {
            if (caracter) {
                *caracter = std::string(utf8.substr(i, n ? n : 1));
            }
            if (out) {
                out->resize(inicio);
            }
            return false;
        }
        if (out) {
            *out += static_cast<char>(byte);
        }
        i += n;
    }
    return true;
}

} // namespace

std::string Windows1252AUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            AnadirUtf8(out, k1252[b - 0x80]);
        } else {
            AnadirUtf8(out, b);
        }
    }
    return out;
}

bool Utf8AWindows1252(std::string_view utf8, std::string &out, std::string *caracter) {
    return Convertir(utf8, &out, caracter);
}

bool RepresentableEnWindows1252(std::string_view utf8, std::string *caracter) {
    return Convertir(utf8, nullptr, caracter);
}

} // namespace suite
