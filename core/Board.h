#pragma once

#include <array>
#include <cstdint>

#include "core/GameState.h"

namespace quillbury {

constexpr int kSquareCount = 42;
constexpr int kGroundCount = 28;
constexpr int kStartSquare = 1;
constexpr int kMaxPlayers = 3;

// Square of each ground, by ground index (ground number - 1).
constexpr std::array<std::int32_t, kGroundCount> kGroundSquares = {
    2,  3,  5,  7,  8,  9,  10, 12, 13, 15, 17, 18, 19, 20,
    22, 23, 25, 27, 28, 30, 31, 33, 34, 36, 38, 39, 41, 42};

// What a square does when a move ends on it.
enum class SquareKind {
  Ground,      // a company: buy it or pay rent
  Start,       // the mayor's bonus (passing it pays the salary on the way)
  Chance,      // lottery, car bill, inheritance or tax
  Courthouse,  // jail with a fine, or a bribe
  PayRise,     // the salary grows by 14%
  Casino,      // pays out the squares travelled
  EnergyBill,  // per building owned
  WaterBill,   // per building owned
  Shortcut,    // jumps ahead to square 41 and moves on from there
  Robbery,     // loses 13% of cash
  Plain,       // nothing happens
};

// The kind of each square, by square number - 1.
constexpr std::array<SquareKind, kSquareCount> kSquareKinds = [] {
  std::array<SquareKind, kSquareCount> kinds{};
  for (auto& k : kinds) k = SquareKind::Plain;
  for (auto s : kGroundSquares) kinds[static_cast<std::size_t>(s - 1)] = SquareKind::Ground;
  kinds[0] = SquareKind::Start;
  kinds[3] = kinds[15] = kinds[34] = SquareKind::Chance;
  kinds[10] = SquareKind::Courthouse;
  kinds[13] = SquareKind::PayRise;
  kinds[20] = SquareKind::Casino;
  kinds[25] = SquareKind::EnergyBill;
  kinds[36] = SquareKind::WaterBill;
  kinds[28] = SquareKind::Shortcut;
  kinds[31] = SquareKind::Robbery;
  return kinds;
}();

constexpr std::int32_t kShortcutTarget = 41;

// The kind of square 1..42; Plain for any other number.
constexpr SquareKind KindOfSquare(std::int32_t square) {
  return square >= 1 && square <= kSquareCount ? kSquareKinds[static_cast<std::size_t>(square - 1)]
                                               : SquareKind::Plain;
}

// Whether the square (0..47 is the set's range; anything else is not a ground) is a ground.
bool IsGroundSquare(std::int32_t square);

// Light grass squares; the other grounds show dark grass.
bool IsLightGroundSquare(std::int32_t square);

// Index of the ground lying on square, or -1. The later index wins if two share a square.
std::int32_t GroundIndexBySquare(const GroundList& grounds, std::int32_t square);

}  // namespace quillbury
