#include "ui/GameLogText.h"

#include <algorithm>

#include "core/GameRoutines.h"
#include "localisation/Messages.h"

namespace quillbury::ui {
namespace {

// "12. Name": the number the finance prompts ask for, then the company.
std::string GroundText(const GameState& game, int ground) {
  if (ground < 0 || static_cast<std::size_t>(ground) >= game.Grounds.size()) return {};
  return std::to_string(ground + 1) + ". " + game.Grounds[static_cast<std::size_t>(ground)].Name;
}

}  // namespace

LogEntry LogEntryFor(const GameEvent& e, const GameState& game, const IniFile* file) {
  const auto money = [](std::int64_t v) { return MoneyText(Saturate(v)); };
  const auto say = [file](MessageId id, std::initializer_list<std::string_view> args = {}) {
    return MessageText(file, id, args);
  };
  const std::string forced = e.Forced ? " " + say(MessageId::LogForced) : std::string();
  const std::string ground = GroundText(game, e.Ground);
  LogEntry entry{e.Player, {}};
  switch (e.Type) {
    case EventType::GameStarted: {
      std::string names;
      for (const Player& p : game.Players) names += (names.empty() ? "" : ", ") + p.Name;
      return {-1, say(MessageId::LogGameStarted, {names})};
    }
    case EventType::GameLoaded:
    case EventType::Moved:
      return {-1, {}};
    case EventType::Rolled:
      entry.Text = say(MessageId::LogRolled, {std::to_string(e.Die1), std::to_string(e.Die2)});
      break;
    case EventType::PassedStart:
      entry.Text = say(MessageId::LogPassedStart, {money(e.Salary), money(e.Interest)});
      break;
    case EventType::WalkEnded:
      entry.Text = say(MessageId::LogWalkEnded, {std::to_string(e.Square)});
      break;
    case EventType::Bought:
      entry.Text = say(MessageId::LogBought, {ground, money(e.Amount)});
      break;
    case EventType::RentPaid:
      entry.Text =
          say(MessageId::LogRentPaid, {money(e.Amount), PlayerNameOf(game, e.Other), ground});
      break;
    case EventType::Chance: {
      static constexpr MessageId kOutcomes[] = {MessageId::LogLottery, MessageId::LogCarBill,
                                                MessageId::LogInheritance, MessageId::LogTax};
      const int outcome = e.Outcome >= 0 && e.Outcome < 4 ? e.Outcome : 0;
      entry.Text = say(kOutcomes[outcome], {money(e.Amount)});
      break;
    }
    case EventType::MayorBonus:
      entry.Text = say(MessageId::LogMayorBonus, {money(e.Amount)});
      break;
    case EventType::BillPaid:
      entry.Text = say(e.Outcome == 1 ? MessageId::LogWaterBill : MessageId::LogEnergyBill,
                       {money(e.Amount), std::to_string(e.Count)});
      break;
    case EventType::CasinoWin:
      entry.Text = say(MessageId::LogCasinoWin, {money(e.Amount)});
      break;
    case EventType::BribePaid:
      entry.Text = say(MessageId::LogBribePaid, {money(e.Amount)});
      break;
    case EventType::Jailed:
      // The jail counter runs one past the rounds the player is told of.
      entry.Text =
          say(MessageId::LogJailed, {std::to_string(std::max(e.Sentence - 1, 0)), money(e.Amount)});
      break;
    case EventType::PayRise:
      entry.Text = say(MessageId::LogPayRise, {money(e.Salary)});
      break;
    case EventType::Shortcut:
      entry.Text = say(MessageId::LogShortcut, {std::to_string(e.Square)});
      break;
    case EventType::Robbed:
      entry.Text = say(MessageId::LogRobbed, {money(e.Amount)});
      break;
    case EventType::Built:
      // A lower level pays back the difference: the amount is then negative.
      entry.Text =
          e.Amount >= 0
              ? say(MessageId::LogBuilt, {ground, std::to_string(e.Level + 1), money(e.Amount)})
              : say(MessageId::LogBuiltDown,
                    {ground, std::to_string(e.Level + 1), money(-std::int64_t{e.Amount})});
      break;
    case EventType::BuildingSold:
      entry.Text =
          say(MessageId::LogBuildingSold, {std::to_string(e.Count), ground, money(e.Amount)}) +
          forced;
      break;
    case EventType::CompanySold:
      entry.Text = say(MessageId::LogCompanySold, {ground, money(e.Amount)}) + forced;
      break;
    case EventType::LoanTaken:
      entry.Text = say(e.Automatic ? MessageId::LogAutomaticLoan : MessageId::LogLoanTaken,
                       {money(e.Amount)});
      break;
    case EventType::LoanRepaid:
      entry.Text = say(MessageId::LogLoanRepaid, {money(e.Amount)});
      break;
    case EventType::BoughtFromPlayer:
      entry.Text = say(MessageId::LogBoughtFromPlayer,
                       {ground, PlayerNameOf(game, e.Other), money(e.Amount), money(e.Received)});
      break;
    case EventType::PlayerOut:
      entry.Text = say(MessageId::LogPlayerOut);
      break;
    case EventType::TurnPassed:
      entry.Text = say(e.Extra ? MessageId::LogExtraTurn : MessageId::LogTurn);
      break;
    case EventType::GameWon:
      entry.Text = say(MessageId::LogGameWon, {money(e.Amount)});
      break;
    case EventType::NobodyWon:
      return {-1, say(MessageId::LogNobodyWon)};
  }
  if (PlayerNameOf(game, entry.Player).empty()) entry.Player = -1;
  return entry;
}

}  // namespace quillbury::ui
