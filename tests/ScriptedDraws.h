#pragma once

#include <cstdint>
#include <deque>

namespace quillbury::testing {

// The draws a test scripts, and how a roll is spelt in them: Random(6) for each die (0 stands
// for 6), then the draw that arranges the dice on the board.
struct ScriptedDraws {
  void Roll(int die1, int die2) {
    draws.push_back(die1 % 6);
    draws.push_back(die2 % 6);
    draws.push_back(0);
  }
  std::deque<std::int32_t> draws;
};

}  // namespace quillbury::testing
