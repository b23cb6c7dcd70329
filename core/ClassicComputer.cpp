#include "core/ClassicComputer.h"

#include <algorithm>
#include <bit>

#include "core/GameRoutines.h"
#include "core/GameRules.h"

namespace quillbury {

std::int32_t ClassicComputer::RepaymentFor(std::int32_t money, std::int32_t loan) {
  std::int32_t paid = 0;
  for (;;) {
    if (loan >= 100000 && money > 100000) {
      loan -= 100000;
      money -= 100000;
      paid += 100000;
    } else if (loan > 0 && loan < 100000 && money > loan) {
      money -= loan;
      paid += loan;
      loan = 0;
    } else {
      return paid;
    }
  }
}

int ClassicComputer::GroundToBuildOn(const GameState& game, int player, std::int32_t turnCount,
                                     std::uint32_t owned) {
  const Player& p = game.Players[static_cast<std::size_t>(player)];
  const bool upwards = (turnCount & 1) != 0;
  const int count = std::min(static_cast<int>(game.Grounds.size()), 32);
  if (count < 32) owned &= (std::uint32_t{1} << count) - 1;
  // Only the player's own grounds, in the scan's direction.
  while (owned != 0) {
    const int g = upwards ? std::countr_zero(owned) : 31 - std::countl_zero(owned);
    owned &= ~(std::uint32_t{1} << g);
    const Ground& ground = game.Grounds[static_cast<std::size_t>(g)];
    if (ground.Owner != player || ground.House >= 3) continue;
    const std::int32_t price = ground.Houses[static_cast<std::size_t>(ground.House + 1)].Rent;
    if (CanAfford(p.Money, price)) return g;
  }
  return -1;
}

void ClassicComputer::TakeTurn(GameRules& rules) {
  const int player = rules.State().CurrentPlayer;
  {
    const Player& p = rules.State().Players[static_cast<std::size_t>(player)];
    const std::int32_t repay = RepaymentFor(p.Money, p.Loan);
    if (repay > 0) rules.RepayAsComputer(repay);
  }
  const std::int32_t turns = rules.CountComputerTurn();
  const int ground = GroundToBuildOn(rules.State(), player, turns, rules.OwnedGrounds(player));
  if (ground >= 0) rules.BuildAsComputer(ground);
  rules.Roll();
}

}  // namespace quillbury
