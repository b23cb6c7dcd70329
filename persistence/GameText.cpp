#include "persistence/GameText.h"

#include <array>
#include <utility>

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

struct Reference {
  std::size_t length = 0;  // bytes after the "&", ";" included; 0 when there is no reference
  int value = -1;          // the byte it stands for, -1 when out of 0..255
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
  int value = 0;
  for (; i < rest.size(); ++i) {
    const int digit = hex ? HexValue(rest[i]) : (IsDigit(rest[i]) ? rest[i] - '0' : -1);
    if (digit < 0) break;
    // Saturate: only "fits in a byte or not" matters, and long digit runs must not overflow.
    value = value > 255 ? 256 : value * base + digit;
  }
  if (i == firstDigit || i == rest.size() || rest[i] != ';') return {};
  return {i + 1, value <= 255 ? value : -1};
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
        // Numeric references beyond a byte are escaped too, although the decoder leaves them be:
        // escaping more than needed is harmless, and a text that merely looks like one stays safe.
        out += ReadReference(s.substr(i + 1)).length > 0 ? "&amp;" : "&";
        break;
      default:
        out += s[i];
    }
  }
  return out;
}

std::string DecodeGameText(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '&') {
      const Reference ref = ReadReference(s.substr(i + 1));
      if (ref.length > 0 && ref.value >= 0) {
        out += static_cast<char>(ref.value);
        i += 1 + ref.length;
        continue;
      }
    }
    out += s[i++];
  }
  return out;
}

}  // namespace quillbury
