#pragma once

#include <array>
#include <cstdint>

#include "core/GameRecords.h"

namespace quillbury {

constexpr int kSquareCount = 42;
constexpr int kGroundCount = 28;
constexpr int kStartSquare = 1;
constexpr int kMaxPlayers = 3;

// Square of each ground, by ground index (ground number - 1).
constexpr std::array<std::int32_t, kGroundCount> kGroundSquares = {
    2,  3,  5,  7,  8,  9,  10, 12, 13, 15, 17, 18, 19, 20,
    22, 23, 25, 27, 28, 30, 31, 33, 34, 36, 38, 39, 41, 42};

// Whether the square (0..47 is the set's range; anything else is not a ground) is a ground.
bool IsGroundSquare(std::int32_t square);

// Light grass squares; the other grounds show dark grass.
bool IsLightGroundSquare(std::int32_t square);

// Index of the ground lying on square, or -1. The later index wins if two share a square.
std::int32_t GroundIndexBySquare(const GroundList& grounds, std::int32_t square);

}  // namespace quillbury
