#pragma once

#include "core/Seat.h"

namespace quillbury {

// The classic computer player: buys whatever it lands on and can afford, never bribes, never
// uses the finance actions; at the start of each turn it repays its loan in steps of 100,000
// while its cash stays above the step, builds one level on the first ground it can afford
// (scanning up or down by the parity of its turn count) and rolls.
class ClassicComputer final : public Seat {
 public:
  bool WantsToBuy(const GameState&, int, int) override { return true; }
  bool WantsToBribe(const GameState&, int) override { return false; }
  NumberAnswer ChooseNumber(NumberQuestion, const GameState&, int,
                            std::optional<std::int32_t>) override {
    return NumberAnswer::Nothing();
  }
  void TakeTurn(GameRules& rules) override;

  // What the repayment at the start of a turn pays off.
  static std::int32_t RepaymentFor(std::int32_t money, std::int32_t loan);
  // The ground built on this turn, or -1: the first owned ground below the top level whose next
  // level's full value the player can afford, scanning upwards when turnCount is odd.
  // owned: the player's grounds, one bit per index (every ground is looked at without it).
  static int GroundToBuildOn(const GameState& game, int player, std::int32_t turnCount,
                             std::uint32_t owned = ~std::uint32_t{0});
};

}  // namespace quillbury
