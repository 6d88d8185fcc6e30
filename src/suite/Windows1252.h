#pragma once

#include <string>
#include <string_view>

namespace suite {

// Files for the central organisation, Sage 200 and the claims file are written in Windows-1252,
// the character set of the machines that read them; the module keeps every text in UTF-8.

// Bytes read as Windows-1252, as UTF-8. The five unassigned bytes keep their C1 code point.
std::string Windows1252AUtf8(std::string_view bytes);

// Appends `utf8` to `out` in Windows-1252. A character Windows-1252 cannot hold (or bytes that are
// not UTF-8) stops the conversion: returns false, `out` is left as it was and `caracter` (when
// given) receives the offending character, so the caller can name it rather than write it wrong.
bool Utf8AWindows1252(std::string_view utf8, std::string &out, std::string *caracter = nullptr);

// True when every character of `utf8` has a Windows-1252 byte.
bool RepresentableEnWindows1252(std::string_view utf8, std::string *caracter = nullptr);

} // namespace suite
