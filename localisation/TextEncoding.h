#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbury {

// Texts inside the program are UTF-8. Files written by older versions of the game came from
// Windows and hold Windows-1252 text, so every text read from a file passes through TextAsUtf8.

// True when s is well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view s);

// s as UTF-8: unchanged when it is valid UTF-8, else read byte by byte as Windows-1252. The
// choice is made for the whole of s, so callers pass one text (a name, a value) at a time.
std::string TextAsUtf8(std::string_view s);

// Appends the UTF-8 form of a code point; false (nothing appended) for surrogates and values
// beyond U+10FFFF.
bool AppendUtf8(std::string& out, std::uint32_t codePoint);

}  // namespace quillbury
