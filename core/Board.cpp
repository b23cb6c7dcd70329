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
  // Grounds lie where the board puts them: look there first, and search only when a game was
  // set up otherwise.
  static constexpr auto kIndexBySquare = [] {
    std::array<std::int8_t, kSquareCount + 1> index{};
    for (auto& i : index) i = -1;
    for (std::size_t g = 0; g < kGroundSquares.size(); ++g) {
      index[static_cast<std::size_t>(kGroundSquares[g])] = static_cast<std::int8_t>(g);
    }
    return index;
  }();
  if (square >= 1 && square <= kSquareCount && grounds.size() == kGroundSquares.size()) {
    const int g = kIndexBySquare[static_cast<std::size_t>(square)];
    if (g >= 0 && grounds[static_cast<std::size_t>(g)].Square == square) {
      // The later index wins if two share a square: only grounds after it can take it.
      bool alone = true;
      for (std::size_t later = static_cast<std::size_t>(g) + 1; later < grounds.size(); ++later) {
        alone = alone && grounds[later].Square != square;
      }
      if (alone) return g;
    }
  }
  std::int32_t found = -1;
  for (std::size_t i = 0; i < grounds.size(); ++i) {
    if (grounds[i].Square == square) found = static_cast<std::int32_t>(i);
  }
  return found;
}

}  // namespace quillbury
