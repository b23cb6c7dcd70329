#include "core/GameEvent.h"

namespace quillbury {

const char* EventName(EventType type) {
  switch (type) {
    case EventType::GameStarted:
      return "game-started";
    case EventType::GameLoaded:
      return "game-loaded";
    case EventType::Rolled:
      return "roll";
    case EventType::Moved:
      return "move";
    case EventType::PassedStart:
      return "start";
    case EventType::WalkEnded:
      return "walk-ended";
    case EventType::Bought:
      return "buy";
    case EventType::RentPaid:
      return "rent";
    case EventType::Chance:
      return "chance";
    case EventType::MayorBonus:
      return "mayor";
    case EventType::BillPaid:
      return "bill";
    case EventType::CasinoWin:
      return "casino";
    case EventType::BribePaid:
      return "courthouse";
    case EventType::Jailed:
      return "jail";
    case EventType::PayRise:
      return "pay-rise";
    case EventType::Shortcut:
      return "shortcut";
    case EventType::Robbed:
      return "robbery";
    case EventType::Built:
      return "build";
    case EventType::BuildingSold:
      return "sell-building";
    case EventType::CompanySold:
      return "sell-company";
    case EventType::LoanTaken:
      return "loan";
    case EventType::LoanRepaid:
      return "repay";
    case EventType::BoughtFromPlayer:
      return "buy-from-player";
    case EventType::PlayerOut:
      return "out";
    case EventType::TurnPassed:
      return "turn";
    case EventType::GameWon:
      return "won";
    case EventType::NobodyWon:
      return "no-winner";
  }
  return "unknown";
}

}  // namespace quillbury
