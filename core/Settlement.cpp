#include <algorithm>

#include "core/GameRules.h"

namespace quillbury {
namespace {

constexpr std::int64_t kLoanStep = 100000;

}  // namespace

void GameRules::SellBuildingsOf(std::int32_t player, std::int32_t ground, std::int32_t n,
                                bool forced) {
  if (ground < 0 || ground >= kGroundCount ||
      static_cast<std::size_t>(ground) >= state_.Grounds.size())
    return;
  Ground& g = state_.Grounds[static_cast<std::size_t>(ground)];
  if (PlayerAt(player) == nullptr || g.Owner != player || g.House < 0 || n < 0 || n > g.House) {
    return;
  }
  std::int32_t received;
  if (n == g.House) {
    received = g.Houses[static_cast<std::size_t>(g.House)].Rent;
    ChangeHolding(ground, player, -1);
  } else {
    const std::int32_t old = g.House;
    ChangeHolding(ground, player, old - n - 1);
    received = g.Houses[static_cast<std::size_t>(old)].Rent -
               g.Houses[static_cast<std::size_t>(g.House)].Rent;
  }
  GameEvent event = EventFor(EventType::BuildingSold, player);
  event.Ground = ground;
  event.Count = n + 1;
  event.Level = g.House;
  event.Amount = received;
  event.Forced = forced;
  Pay(event, player, received);
  Emit(event);
}

void GameRules::SellCompanyOf(std::int32_t player, std::int32_t ground, bool forced) {
  if (ground < 0 || static_cast<std::size_t>(ground) >= state_.Grounds.size()) return;
  Ground& g = state_.Grounds[static_cast<std::size_t>(ground)];
  if (PlayerAt(player) == nullptr || g.Owner != player) return;
  GameEvent event = EventFor(EventType::CompanySold, player);
  event.Ground = ground;
  event.Amount = Saturate(std::int64_t{BuildingValue(state_, ground)} + g.Price);
  event.Forced = forced;
  Pay(event, player, std::int64_t{BuildingValue(state_, ground)} + g.Price);
  ChangeHolding(ground, -1, -1);
  Emit(event);
}

GameRules::Settlement GameRules::SettlePlayer(std::int32_t index) {
  if (!ValidPlayer(index) || index >= kMaxPlayers)
    return SettlePlayer(index, WorthOf(state_, index));
  return SettlePlayer(index, HoldingsOf(index));
}

GameRules::Settlement GameRules::SettlePlayer(std::int32_t index, Worth w) {
  Settlement s;
  Player* p = PlayerAt(index);
  if (p == nullptr) return s;
  for (bool first = true;; first = false) {
    if (p->Money < 0) {
      // Negative cash becomes loan in whole steps of 100,000, all at once.
      const std::int64_t steps = (-std::int64_t{p->Money} + kLoanStep - 1) / kLoanStep;
      GameEvent event = EventFor(EventType::LoanTaken, index);
      event.Amount = Saturate(steps * kLoanStep);
      event.Automatic = true;
      Pay(event, index, steps * kLoanStep, steps * kLoanStep);
      Emit(event);
      p = PlayerAt(index);
    }
    // Cash and loan do not change what is owned: only a sale makes the holdings worth a recount.
    if (!first) w = index < kMaxPlayers ? HoldingsOf(index) : WorthOf(state_, index);
    w.Total = std::int64_t{p->Money} + w.Lots + w.Buildings - p->Loan;
    s = Settlement{p->Money, Saturate(w.Lots), Saturate(w.Buildings), p->Loan, Saturate(w.Total)};
    if (w.Total >= 0) return s;
    int built = -1;
    int owned = -1;
    for (int g = 0; g < static_cast<int>(state_.Grounds.size()); ++g) {
      const Ground& ground = state_.Grounds[static_cast<std::size_t>(g)];
      if (ground.Owner != index) continue;
      if (owned < 0) owned = g;
      if (built < 0 && ground.House >= 0) built = g;
    }
    if (built >= 0) {
      SellBuildingsOf(index, built, state_.Grounds[static_cast<std::size_t>(built)].House, true);
    } else if (owned >= 0) {
      // Sold even when it fetches nothing: a player who goes out keeps no company.
      SellCompanyOf(index, owned, true);
    } else {
      if (p->Playing) {
        p->Playing = false;
        endTestDue_ = true;
        Emit(EventFor(EventType::PlayerOut, index));
      }
      return s;
    }
    p = PlayerAt(index);
    if (p == nullptr) return s;
  }
}

void GameRules::RefreshStatus() {
  if (!refreshOn_) return;
  if (unsettled_ == 0) {
    // Nothing changed a balance or a holding since the last settlement: it would change nothing.
    if (endTestDue_) CheckGameEnd();
    PassTurnOfPlayerWhoIsOut();
    return;
  }
  const int count = state_.PlayerCount();
  const int settled = std::min(count, count == 3 ? 3 : 2);
  // A sale in one settlement only frees grounds; it never touches another seat's holdings, so
  // only the players whose balance or holdings changed need settling.
  const std::uint32_t due = unsettled_;
  for (int p = 0; p < settled; ++p) {
    if ((due & (1u << p)) != 0) SettlePlayer(p, HoldingsOf(p));
  }
  unsettled_ = 0;
  if (endTestDue_) CheckGameEnd();
  PassTurnOfPlayerWhoIsOut();
}

// A player can go out while the turn is his: broke after a double six, the extra turn would be
// played by somebody who is no longer in the game. The turn passes on instead.
void GameRules::PassTurnOfPlayerWhoIsOut() {
  if (!hasGame_ || !rollAllowed_) return;
  const Player* current = PlayerAt(state_.CurrentPlayer);
  if (current == nullptr || current->Playing) return;
  state_.ExtraTurn = false;
  ChooseNextPlayer();
}

void GameRules::CheckGameEnd() {
  endTestDue_ = false;
  if (!hasGame_) return;
  const auto& players = state_.Players;
  if (players.size() == 2) {
    if (!players[0].Playing) {
      EndGame(players[0].Name + " has lost the game! " + players[1].Name + " wins!", 1);
    }
    // A separate test on the state after the first: a reset game has everybody playing again.
    if (state_.Players.size() == 2 && !state_.Players[1].Playing) {
      EndGame(state_.Players[1].Name + " has lost the game! " + state_.Players[0].Name + " wins!",
              0);
    }
    return;
  }
  int out = 0;
  int winner = -1;
  for (std::size_t i = 0; i < players.size(); ++i) {
    if (players[i].Playing) {
      winner = static_cast<int>(i);
    } else {
      ++out;
    }
  }
  const int count = static_cast<int>(players.size());
  if (count >= 2 && out == count - 1) {
    EndGame(std::string(), winner);
  } else if (count >= 2 && out == count) {
    // The last two went broke in the same refresh: nobody is left to win or to take a turn.
    EndGame(kNobodyWinsText, -1);
  }
}

void GameRules::EndGame(const std::string& message, int winner) {
  refreshOn_ = false;
  // Nothing of the finished game may move while the result is on screen.
  StopMove();
  rollAllowed_ = false;
  actionsAllowed_ = false;
  const Player* w = PlayerAt(winner);
  GameEvent event = EventFor(w != nullptr ? EventType::GameWon : EventType::NobodyWon, winner);
  if (w != nullptr) event.Amount = w->Money;
  Emit(event);
  if (!message.empty()) {
    dialogs_.ShowMessage(message);
  } else if ((w = PlayerAt(winner)) != nullptr) {
    dialogs_.ShowWon(w->Name + " has won the game!", w->Money);
  }
  BeginDefaultGame(state_.PlayerCount(), false);
  dialogs_.RunNewGameCommand();
}

}  // namespace quillbury
