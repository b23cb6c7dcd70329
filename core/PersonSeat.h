#pragma once

#include "core/GameDialogs.h"
#include "core/Seat.h"

namespace quillbury {

// A person at the screen: every choice is a question or a prompt in the window.
class PersonSeat final : public Seat {
 public:
  explicit PersonSeat(GameDialogs& dialogs) : dialogs_(dialogs) {}

  bool WantsToBuy(const GameState& game, int player, int ground) override;
  bool WantsToBribe(const GameState& game, int player) override;
  NumberAnswer ChooseNumber(NumberQuestion question, const GameState& game, int player,
                            std::optional<std::int32_t> suggested) override;

 private:
  GameDialogs& dialogs_;
};

// The fixed texts of the finance actions' prompts.
struct PromptText {
  const char* Caption;
  const char* Prompt;
};
PromptText PromptFor(NumberQuestion question);

}  // namespace quillbury
