#include "core/Board.h"

namespace quillbury {
namespace {

constexpr std::uint64_t GroundSet() {
  std::uint64_t set = 0;
  for (auto s : kGroundSquares) set |= std::uint64_t{1} << s;
  return set;
}

constexpr std::uint64_t kGroundSet = GroundSet();

}  // namespace

bool IsGroundSquare(std::int32_t square) {
  return square >= 0 && square <= 47 && ((kGroundSet >> square) & 1u) != 0;
}

bool IsLightGroundSquare(std::int32_t square) {
  switch (square) {
    case 2:
    case 3:
    case 5:
    case 12:
    case 13:
    case 15:
    case 22:
    case 23:
    case 25:
    case 33:
    case 34:
    case 36:
      return true;
    default:
      return false;
  }
}

std::int32_t GroundIndexBySquare(const GroundList& grounds, std::int32_t square) {
  std::int32_t found = -1;
  for (std::size_t i = 0; i < grounds.size(); ++i) {
    if (grounds[i].Square == square) found = static_cast<std::int32_t>(i);
  }
  return found;
}

}  // namespace quillbury
