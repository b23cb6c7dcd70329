#pragma once

#include <string>
#include <string_view>

namespace quillbury {

// Player names and company texts in save files. Written through EncodeGameText and read back
// through DecodeGameText, any byte string survives a save and a load unchanged. The encoded form
// contains no "<", ">", "'", double quote, CR, LF or NUL, so it can be stored as an element's
// Value directly (SetValueText leaves it as it is).

// The stored form of s: "<" "&lt;", ">" "&gt;", "'" "&pos;", double quote "&quot;", CR LF NUL as
// "&#13;" "&#10;" "&#0;". "&" stays bare unless what follows it looks like an entity, in which
// case it becomes "&amp;". Every other byte (UTF-8 included) is copied.
std::string EncodeGameText(std::string_view s);

// One left-to-right pass replacing "&amp;", "&lt;", "&gt;", "&pos;", "&quot;", "&apos;" and
// "&#NN;" / "&#xHH;" with values 0..255 (as that single byte). Anything else, a bare "&"
// included, is copied unchanged, so texts saved in the older form ("&" bare) still read.
std::string DecodeGameText(std::string_view s);

}  // namespace quillbury
