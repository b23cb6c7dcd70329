#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "core/Board.h"
#include "core/Seat.h"

namespace quillbury {

// The strong computer player. Before each roll it plans where its capital works hardest: a
// building's rent equals its value, and a person's building levels are bought and sold back at
// their value, so all its cash (and, while its own roll cannot reach square 1 and its 14%
// interest, all it may borrow) goes into buildings on its grounds in the order of how likely the
// other players are to land there on their next move. It keeps back the price of an unowned
// ground it may land on, repays what it borrowed when its roll may pass square 1 (selling back
// grounds nobody can reach next when its cash and buildings fall short), buys every ground it
// can afford and never bribes. Cash its grounds cannot hold buys, from a player well behind, the
// ground the others are about to land on. With a think budget it also tries a few variants of
// that plan on copies of the game while another player is worth more, playing the round out to
// its next turn, and takes one only when it does clearly better on the same dice. It acts only
// through the finance actions a person has, so every step it takes is told like a person's.
class StrongComputer final : public Seat {
 public:
  // The default think budget of the window: rollouts per variant of a plan.
  static constexpr int kDefaultThink = 64;

  explicit StrongComputer(std::uint64_t thinkSeed, int think = kDefaultThink);

  bool WantsToBuy(const GameState& game, int player, int ground) override;
  bool WantsToBribe(const GameState&, int) override { return false; }
  NumberAnswer ChooseNumber(NumberQuestion question, const GameState& game, int player,
                            std::optional<std::int32_t> suggested) override;
  void TakeTurn(GameRules& rules) override;

  void SetThink(int rollouts) { think_ = rollouts < 0 ? 0 : rollouts; }
  int Think() const { return think_; }

  // How the capital is spread: the share of the ground's worth of buildings wanted on each
  // ground (-1: none, 0..3: level) and the loan to stand during the roll.
  struct Plan {
    std::array<std::int32_t, kGroundCount> Level{};
    std::int64_t Loan = 0;
    // Grounds sold back before the roll.
    std::array<bool, kGroundCount> Sell{};
    // Cash left over after the buildings and the reserve, net of the loan.
    std::int64_t Idle = 0;
    // The grounds built on, likeliest first: when cash falls short, they are served in order.
    std::vector<int> Order;
  };
  // Chances that another player still in the game ends his next move on each square (index =
  // square; jailed players do not move; a double six moves again; square 29 leads to 41).
  static std::array<double, kSquareCount + 1> LandingOdds(const GameState& game, int player);
  // What buying the ground from its owner costs.
  static std::int64_t PriceFromPlayer(const GameState& game, int ground);
  // Another player's ground to buy with cash the plan leaves idle, or -1.
  static int GroundToBuy(const GameState& game, int player);
  // Whether another player still in the game is worth more.
  static bool Behind(const GameState& game, int player);
  // The plan for player's turn; boldness scales how readily it borrows (1 = as described above).
  static Plan MakePlan(const GameState& game, int player, double boldness = 1.0);

 private:
  // Carries the plan out through the finance actions.
  void Carry(GameRules& rules, const Plan& plan);
  // The strong player's standing after playing the round out from start with the plan.
  double Rollout(const GameState& start, int player, const Plan& plan, std::uint64_t seed);

  std::deque<std::int32_t> answers_;
  std::mt19937_64 thinking_;
  int think_;
};

}  // namespace quillbury
