#pragma once

#include <string>
#include <string_view>

namespace quillbury {

// Player names and company texts in save files. Written through EncodeGameText and read back
// through DecodeGameText, any UTF-8 text survives a save and a load byte for byte, control
// characters included. The encoded form contains no "<", ">", "'", double quote, CR, LF or NUL,
// so it can be stored as an element's Value directly (SetValueText leaves it as it is).

// The stored form of s: "<" "&lt;", ">" "&gt;", "'" "&pos;", double quote "&quot;", CR LF NUL as
// "&#13;" "&#10;" "&#0;". "&" stays bare unless what follows it looks like an entity, in which
// case it becomes "&amp;". Every other byte (UTF-8 included) is copied.
std::string EncodeGameText(std::string_view s);

// The text as UTF-8: the stored bytes are taken as UTF-8 when they are valid UTF-8 and as
// Windows-1252 (what older saves hold) otherwise; then one left-to-right pass replaces "&amp;",
// "&lt;", "&gt;", "&pos;", "&quot;", "&apos;" and "&#NN;" / "&#xHH;" (the character of that
// number, in UTF-8). Anything else, a bare "&" included, is copied unchanged, so texts saved in
// the older form ("&" bare) still read.
std::string DecodeGameText(std::string_view s);

}  // namespace quillbury
