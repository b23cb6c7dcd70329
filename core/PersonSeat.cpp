#include "core/PersonSeat.h"

#include <climits>

#include "core/Board.h"
#include "core/GameRoutines.h"
#include "localisation/Messages.h"

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
  // A number the question can never take is refused by the rules; the person hears why.
  std::int32_t lowest = 1, highest = kGroundCount;
  MessageId reason = MessageId::InputGroundNumber;
  switch (question) {
    case NumberQuestion::LoanAmount:
    case NumberQuestion::RepayAmount:
      highest = INT32_MAX;
      reason = MessageId::InputAmount;
      break;
    case NumberQuestion::BuildingLevel:
      // A higher level is taken as the highest, as the game always has.
      highest = INT32_MAX;
      reason = MessageId::InputLevel;
      break;
    case NumberQuestion::BuildingsToSell:
      highest = 4;
      reason = MessageId::InputLevel;
      break;
    default:
      break;
  }
  if (!number || *number < lowest || *number > highest) {
    dialogs_.ShowMessage(MessageText(language_ != nullptr ? *language_ : nullptr, reason));
  }
  if (!number) return {NumberAnswer::Kind::NotANumber, 0};
  return NumberAnswer::Of(*number);
}

std::string RefusalText(Refusal why, int ground, const IniFile* language) {
  // In the order of Refusal.
  static constexpr MessageId kReasons[] = {
      MessageId::RefusedNotYours, MessageId::RefusedNoOtherOwner, MessageId::RefusedCannotAfford,
      MessageId::RefusedNoSuchBuildings, MessageId::RefusedMoneyLimit};
  return MessageText(language, kReasons[static_cast<std::size_t>(why)],
                     {std::to_string(ground + 1)});
}

void PersonSeat::Refused(Refusal why, const GameState& /*game*/, int /*player*/, int ground) {
  dialogs_.ShowMessage(RefusalText(why, ground, language_ != nullptr ? *language_ : nullptr));
}

}  // namespace quillbury
