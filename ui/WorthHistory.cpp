#include "ui/WorthHistory.h"

#include "core/GameRoutines.h"

namespace quillbury::ui {

bool WorthHistory::Follow(const GameEvent& event, const GameState& game) {
  switch (event.Type) {
    case EventType::GameStarted:
    case EventType::GameLoaded:
      Begin(game);
      return true;
    case EventType::Rolled:
      rolled_ = true;
      return false;
    case EventType::TurnPassed:
    case EventType::GameWon:
    case EventType::NobodyWon:
      // A turn handed on without a roll (jail, a player out) is no move.
      if (!rolled_) return false;
      rolled_ = false;
      Record(game);
      return true;
    default:
      return false;
  }
}

int WorthHistory::Moves() const {
  return lines_.empty() ? 0 : static_cast<int>(lines_.front().Worth.size()) - 1;
}

void WorthHistory::Begin(const GameState& game) {
  lines_.clear();
  rolled_ = false;
  for (const Player& p : game.Players) lines_.push_back({p.Name, p.Color, {}});
  Record(game);
}

void WorthHistory::Record(const GameState& game) {
  for (std::size_t p = 0; p < lines_.size() && p < game.Players.size(); ++p) {
    lines_[p].Worth.push_back(WorthOf(game, static_cast<std::int32_t>(p)).Total);
  }
}

}  // namespace quillbury::ui
