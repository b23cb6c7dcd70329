#include "core/PersonSeat.h"

#include "core/GameRoutines.h"

namespace quillbury {

PromptText PromptFor(NumberQuestion question) {
  static constexpr const char* kGroundPrompt = "Ground number (a number between 1 and 28)";
  switch (question) {
    case NumberQuestion::LoanAmount:
      return {"Loan money", "Type the amount you wish to loan"};
    case NumberQuestion::RepayAmount:
      return {"Pay back loan money", "Type the amount you wish to pay back"};
    case NumberQuestion::GroundToBuy:
      return {"Buy ground", "Type the number of the ground you wish to buy"};
    case NumberQuestion::GroundToBuild:
    case NumberQuestion::CompanyToSell:
    case NumberQuestion::GroundToSellFrom:
      return {"", kGroundPrompt};
    case NumberQuestion::BuildingLevel:
      return {"", "House number (a number between 1 and 4)"};
    case NumberQuestion::BuildingsToSell:
      return {"", "Type the number of houses you wish to sell (a number between 1 and 4)"};
  }
  return {"", ""};
}

bool PersonSeat::WantsToBuy(const GameState& game, int /*player*/, int ground) {
  const Ground& g = game.Grounds[static_cast<std::size_t>(ground)];
  return dialogs_.AskYesNo("Do you wish to buy \"" + g.Name + "\" for " + MoneyText(g.Price) +
                           "$ ?");
}

bool PersonSeat::WantsToBribe(const GameState& /*game*/, int /*player*/) {
  return dialogs_.AskYesNo("Welcome to Quillbury Courthouse. Do you wish to try bribe the judge?");
}

NumberAnswer PersonSeat::ChooseNumber(NumberQuestion question, const GameState& /*game*/,
                                      int /*player*/, std::optional<std::int32_t> suggested) {
  const PromptText text = PromptFor(question);
  std::string typed = suggested ? IntText(*suggested) : std::string();
  // Cancel ends the action; it never confirms a pre-filled default.
  if (!dialogs_.InputBox(text.Caption, text.Prompt, typed) || typed.empty()) {
    return NumberAnswer::Nothing();
  }
  const auto number = ParseWholeNumber(typed);
  if (!number) return {NumberAnswer::Kind::NotANumber, 0};
  return NumberAnswer::Of(*number);
}

}  // namespace quillbury
