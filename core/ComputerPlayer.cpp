#include "core/GameRoutines.h"
#include "core/GameSession.h"

namespace quillbury {

void GameSession::ComputerTurnTick() {
  Player* player = PlayerAt(CurrentPlayerID);
  if (player == nullptr || !player->CPU || !rollEnabled_) return;
  for (;;) {
    if (player->Loan >= 100000 && player->Money > 100000) {
      player->Loan -= 100000;
      player->Money -= 100000;
    } else if (player->Loan > 0 && player->Loan < 100000 && player->Money > player->Loan) {
      player->Money -= player->Loan;
      player->Loan = 0;
    } else {
      break;
    }
  }
  // The counter wraps rather than overflows; only its parity matters.
  CPUTurns = static_cast<std::int32_t>(static_cast<std::uint32_t>(CPUTurns) + 1u);
  const std::int32_t cur = CurrentPlayerID;
  const bool upwards = (CPUTurns & 1) != 0;
  for (int step = 0; step < static_cast<int>(Game.Grounds.size()); ++step) {
    const int g = upwards ? step : static_cast<int>(Game.Grounds.size()) - 1 - step;
    Ground& ground = Game.Grounds[static_cast<std::size_t>(g)];
    if (ground.Owner != cur || ground.House >= 3) continue;
    const std::int32_t price = ground.Houses[static_cast<std::size_t>(ground.House + 1)].Rent;
    if (!CanAfford(player->Money, price)) continue;
    // The new level's full value is charged, not the difference a human pays.
    ++ground.House;
    player->Money = SatAdd(player->Money, -static_cast<std::int64_t>(price));
    port_.RefreshGround(g);
    break;
  }
  Roll();
}

}  // namespace quillbury
