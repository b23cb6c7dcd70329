#pragma once

#include <QPoint>
#include <array>

namespace quillbury::ui {

// Where each square's 49 x 49 picture lies: column and row of the 48-pixel grid from (16, 56).
constexpr std::array<std::array<int, 2>, 42> kSquareCells = {{
    {1, 0}, {2, 0}, {3, 0},  {4, 0},  {5, 0},  {5, 1},  {5, 2},  {6, 2},  {7, 2},  {8, 2},  {8, 1},
    {8, 0}, {9, 0}, {10, 0}, {10, 1}, {11, 1}, {11, 2}, {11, 3}, {11, 4}, {11, 5}, {11, 6}, {10, 6},
    {9, 6}, {8, 6}, {7, 6},  {6, 6},  {6, 7},  {6, 8},  {5, 8},  {4, 8},  {3, 8},  {2, 8},  {2, 7},
    {2, 6}, {1, 6}, {0, 6},  {0, 5},  {0, 4},  {0, 3},  {1, 3},  {1, 2},  {1, 1},
}};

// Top left of square n (1..42) in the window.
inline QPoint SquareTopLeft(int n) {
  const auto& cell = kSquareCells[static_cast<std::size_t>(n - 1)];
  return {16 + 48 * cell[0], 56 + 48 * cell[1]};
}

constexpr int kSquareSize = 49;

}  // namespace quillbury::ui
