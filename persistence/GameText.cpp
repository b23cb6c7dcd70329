#include "persistence/GameText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "localisation/TextEncoding.h"

namespace quillbury {
namespace {

struct NamedEntity {
  std::string_view name;  // what follows the "&", ";" included
  char byte;
};

constexpr std::array<NamedEntity, 6> kNamedEntities{
    {{"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"pos;", '\''}, {"quot;", '"'}, {"apos;", '\''}}};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr std::uint32_t kBeyondUnicode = 0x110000;

struct Reference {
  std::size_t length = 0;   // bytes after the "&", ";" included; 0 when there is no reference
  std::uint32_t value = 0;  // the character it stands for; may be no character at all
};

// Reads an entity or numeric reference starting right after an "&".
Reference ReadReference(std::string_view rest) {
  for (const NamedEntity& entity : kNamedEntities) {
    if (rest.starts_with(entity.name)) {
      return {entity.name.size(), static_cast<unsigned char>(entity.byte)};
    }
  }
  if (rest.size() < 3 || rest[0] != '#') return {};
  const bool hex = rest[1] == 'x';
  const int base = hex ? 16 : 10;
  std::size_t i = hex ? 2 : 1;
  const std::size_t firstDigit = i;
  std::uint32_t value = 0;
  for (; i < rest.size(); ++i) {
    const int digit = hex ? HexValue(rest[i]) : (IsDigit(rest[i]) ? rest[i] - '0' : -1);
    if (digit < 0) break;
    // Saturate: beyond Unicode is no character, and long digit runs must not overflow.
    value = value >= kBeyondUnicode
                ? kBeyondUnicode
                : value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
  }
  if (i == firstDigit || i == rest.size() || rest[i] != ';') return {};
  return {i + 1, std::min(value, kBeyondUnicode)};
}

}  // namespace

std::string EncodeGameText(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (std::size_t i = 0; i < s.size(); ++i) {
    switch (s[i]) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\'':
        out += "&pos;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\r':
        out += "&#13;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\0':
        out += "&#0;";
        break;
      case '&':
        // References to no character (a surrogate, beyond Unicode) are escaped too, although the
        // decoder leaves them be: escaping more than needed is harmless.
        out += ReadReference(s.substr(i + 1)).length > 0 ? "&amp;" : "&";
        break;
      default:
        out += s[i];
    }
  }
  return out;
}

std::string DecodeGameText(std::string_view stored) {
  // Entities are ASCII, so taking the bytes as UTF-8 or Windows-1252 first leaves them intact.
  const std::string s = TextAsUtf8(stored);
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '&') {
      const Reference ref = ReadReference(std::string_view(s).substr(i + 1));
      if (ref.length > 0 && AppendUtf8(out, ref.value)) {
        i += 1 + ref.length;
        continue;
      }
    }
    out += s[i++];
  }
  return out;
}

}  // namespace quillbury
