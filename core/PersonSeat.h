#pragma once

#include <string>

#include "core/GameDialogs.h"
#include "core/Seat.h"

namespace quillbury {

class IniFile;

// A person at the screen: every choice is a question or a prompt in the window.
class PersonSeat final : public Seat {
 public:
  // language points at the rules' current language file (null: English).
  PersonSeat(GameDialogs& dialogs, const IniFile* const* language)
      : dialogs_(dialogs), language_(language) {}

  bool WantsToBuy(const GameState& game, int player, int ground) override;
  bool WantsToBribe(const GameState& game, int player) override;
  NumberAnswer ChooseNumber(NumberQuestion question, const GameState& game, int player,
                            std::optional<std::int32_t> suggested) override;
  void Refused(Refusal why, const GameState& game, int player, int ground) override;

 private:
  GameDialogs& dialogs_;
  const IniFile* const* language_;
};

// Why the rules turned an action down, in one line of the language (null: English).
std::string RefusalText(Refusal why, int ground, const IniFile* language);

// The fixed texts of the finance actions' prompts.
struct PromptText {
  const char* Caption;
  const char* Prompt;
};
PromptText PromptFor(NumberQuestion question);

}  // namespace quillbury
