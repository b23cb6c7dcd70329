#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/GameEvent.h"
#include "core/GameState.h"

namespace quillbury::ui {

// Every player's total worth over the game so far, rebuilt from the event stream: a point at
// the start (or at the load) and one at the end of every move that began with a roll.
class WorthHistory {
 public:
  struct Line {
    std::string Name;
    std::int32_t Colour = 0;  // 0x00BBGGRR, the owner colour
    std::vector<std::int64_t> Worth;
  };

  // Follows one event; the state already shows it. True when a point was added or the history
  // began anew. The caller leaves out the stand-in game the rules set up after a finished one.
  bool Follow(const GameEvent& event, const GameState& game);
  const std::vector<Line>& Lines() const { return lines_; }
  // Moves recorded so far (points per line less the starting one).
  int Moves() const;

 private:
  void Begin(const GameState& game);
  void Record(const GameState& game);

  std::vector<Line> lines_;
  bool rolled_ = false;  // a move is under way
};

}  // namespace quillbury::ui
