#include "core/GameRoutines.h"
#include "core/GameSession.h"

namespace quillbury {
namespace {

constexpr std::int64_t kLoanStep = 100000;

}  // namespace

void GameSession::SellBuildingsOf(std::int32_t player, std::int32_t ground, std::int32_t n) {
  if (ground < 0 || ground >= kGroundCount ||
      static_cast<std::size_t>(ground) >= Game.Grounds.size())
    return;
  Player* p = PlayerAt(player);
  Ground& g = Game.Grounds[static_cast<std::size_t>(ground)];
  if (p == nullptr || g.Owner != player || g.House < 0 || n < 0 || n > g.House) return;
  std::int32_t received;
  if (n == g.House) {
    received = g.Houses[static_cast<std::size_t>(g.House)].Rent;
    g.House = -1;
  } else {
    const std::int32_t old = g.House;
    g.House = old - n - 1;
    received = g.Houses[static_cast<std::size_t>(old)].Rent -
               g.Houses[static_cast<std::size_t>(g.House)].Rent;
  }
  p->Money = SatAdd(p->Money, received);
  port_.RefreshGround(ground);
}

void GameSession::SellCompanyOf(std::int32_t player, std::int32_t ground) {
  if (ground < 0 || static_cast<std::size_t>(ground) >= Game.Grounds.size()) return;
  Player* p = PlayerAt(player);
  Ground& g = Game.Grounds[static_cast<std::size_t>(ground)];
  if (p == nullptr || g.Owner != player) return;
  p->Money = SatAdd(p->Money, std::int64_t{BuildingValue(Game, ground)} + g.Price);
  g.Owner = -1;
  g.House = -1;
  port_.RefreshGround(ground);
}

GameSession::Settlement GameSession::SettlePlayer(std::int32_t index) {
  return SettlePlayer(index, WorthOf(Game, index));
}

GameSession::Settlement GameSession::SettlePlayer(std::int32_t index, Worth w) {
  Settlement s;
  Player* p = PlayerAt(index);
  if (p == nullptr) return s;
  for (bool first = true;; first = false) {
    if (p->Money < 0) {
      // Negative cash becomes loan in whole steps of 100,000, all at once.
      const std::int64_t steps = (-std::int64_t{p->Money} + kLoanStep - 1) / kLoanStep;
      p->Money = static_cast<std::int32_t>(std::int64_t{p->Money} + steps * kLoanStep);
      p->Loan = SatAdd(p->Loan, steps * kLoanStep);
    }
    // Cash and loan do not change what is owned: only a sale makes the holdings worth a recount.
    if (!first) w = WorthOf(Game, index);
    w.Total = std::int64_t{p->Money} + w.Lots + w.Buildings - p->Loan;
    s = Settlement{p->Money, Saturate(w.Lots), Saturate(w.Buildings), p->Loan, Saturate(w.Total)};
    if (w.Total >= 0) return s;
    int built = -1;
    int owned = -1;
    for (int g = 0; g < static_cast<int>(Game.Grounds.size()); ++g) {
      const Ground& ground = Game.Grounds[static_cast<std::size_t>(g)];
      if (ground.Owner != index) continue;
      if (owned < 0) owned = g;
      if (built < 0 && ground.House >= 0) built = g;
    }
    if (w.Buildings > 0 && built >= 0) {
      SellBuildingsOf(index, built, Game.Grounds[static_cast<std::size_t>(built)].House);
    } else if (w.Lots <= 0 || owned < 0) {
      p->Playing = false;
      return s;
    } else {
      SellCompanyOf(index, owned);
    }
    p = PlayerAt(index);
    if (p == nullptr) return s;
  }
}

void GameSession::CheckGameEnd() {
  if (NoGameYet) return;
  if (PlayerCount == 2 && Game.Players.size() == 2) {
    if (!Game.Players[0].Playing) {
      EndGame(Game.Players[0].Name + " has lost the game! " + Game.Players[1].Name + " wins!", 1,
              0);
    }
    // A separate test on the state after the first: a reset game has everybody playing again.
    if (Game.Players.size() == 2 && !Game.Players[1].Playing) {
      EndGame(Game.Players[1].Name + " has lost the game! " + Game.Players[0].Name + " wins!", 0,
              1);
    }
    return;
  }
  int out = 0;
  int winner = -1;
  for (std::size_t i = 0; i < Game.Players.size(); ++i) {
    if (Game.Players[i].Playing) {
      winner = static_cast<int>(i);
    } else {
      ++out;
    }
  }
  const int count = static_cast<int>(Game.Players.size());
  if (count >= 2 && out == count - 1) {
    EndGame(std::string(), winner, -1);
  } else if (count >= 2 && out == count) {
    // The last two went broke in the same refresh: nobody is left to win or to take a turn.
    EndGame(kNobodyWinsText, -1, -1);
  }
}

void GameSession::EndGame(const std::string& message, int winner, int loser) {
  SetRefreshTimer(false);
  // Nothing of the finished game may move while the result is on screen.
  StopMove();
  SetRollEnabled(false);
  SetActionsEnabled(false);
  lastOutcome_ = GameOutcome{
      winner, loser,
      ValidPlayer(winner) ? Game.Players[static_cast<std::size_t>(winner)].Name : std::string()};
  if (!message.empty()) {
    port_.ShowMessage(message);
  } else if (const Player* w = PlayerAt(winner)) {
    port_.ShowWon(w->Name + " has won the game!", w->Money);
  }
  NewGame();
  SetRollEnabled(false);
  SetActionsEnabled(false);
  port_.RunNewGameCommand();
}

}  // namespace quillbury
