#include "core/StrongComputer.h"

#include <gtest/gtest.h>

#include "GameFixture.h"

namespace quillbury {
namespace {

class StrongComputerTest : public testing::GameTest {
 protected:
  void SetUp() override {
    StartGame(2, true);
    for (auto& g : game.Grounds) g.Owner = -1;
    PlayerAt(1).Level = ComputerLevel::Strong;
    game.CurrentPlayer = 1;
    rules.SetRollAllowed(true);
  }
};

// The odds of the next move: two dice from square 5, a double six moving again, square 29
// leading on to 41, and nothing from a player in jail.
TEST_F(StrongComputerTest, LandingOddsFollowTheDiceAndTheBoard) {
  PlayerAt(0).CurrentPosition = 5;
  auto odds = StrongComputer::LandingOdds(game, 1);
  EXPECT_NEAR(odds[12], 6.0 / 36, 1e-9);  // a total of 7
  EXPECT_NEAR(odds[7], 1.0 / 36, 1e-9);
  EXPECT_DOUBLE_EQ(odds[6], 0.0);
  PlayerAt(0).CurrentPosition = 22;  // 29 is seven squares on
  odds = StrongComputer::LandingOdds(game, 1);
  EXPECT_DOUBLE_EQ(odds[29], 0.0);
  EXPECT_GT(odds[41], 6.0 / 36);
  double total = 0;
  for (double o : odds) total += o;
  EXPECT_NEAR(total, 1.0 + 1.0 / 36, 1e-9) << "one move, and a second after a double six";
  PlayerAt(0).Jail = 2;
  odds = StrongComputer::LandingOdds(game, 1);
  for (double o : odds) EXPECT_DOUBLE_EQ(o, 0.0);
}

// Capital goes to the ground the other player is likeliest to reach, borrowed money too while
// the strong player's own roll cannot reach square 1; from where it can, the loan is repaid.
TEST_F(StrongComputerTest, PlansBuildingsByTheOddsAndBorrowsOnlyWhileInterestCannotFall) {
  PlayerAt(0).CurrentPosition = 5;
  for (auto& g : game.Grounds) g.Owner = 0;  // nothing left to buy: no cash kept back
  SetPrice(11, 2000000);                     // square 18, a total of 13: never reached
  SetPrice(8, 2000000);                      // square 13, a total of 8: likely
  SetPrice(5, 2000000);                      // square 9, a total of 4: less likely
  for (int g : {5, 8, 11}) GroundAt(g).Owner = 1;
  PlayerAt(1).CurrentPosition = 2;
  PlayerAt(1).Money = 2000000;
  auto plan = StrongComputer::MakePlan(game, 1);
  EXPECT_EQ(plan.Level[8], 3) << "the likeliest square gets the top level";
  EXPECT_EQ(plan.Level[5], 3) << "paid for with a loan";
  EXPECT_EQ(plan.Level[11], -1) << "a square nobody reaches gets nothing";
  EXPECT_GT(plan.Loan, 0);

  // From square 38 most rolls reach square 1 and its 14%: a loan is kept only for a ground the
  // other player reaches more often than that costs (a total of 8: 5 in 36 against 0.14 x 30
  // in 36), and one for a less likely ground is repaid.
  PlayerAt(1).CurrentPosition = 38;
  PlayerAt(1).Loan = 500000;
  PlayerAt(1).Money = 1000000;
  plan = StrongComputer::MakePlan(game, 1);
  EXPECT_EQ(plan.Level[8], 3);
  EXPECT_GT(plan.Loan, 500000);
  EXPECT_EQ(plan.Level[5], -1);
  GroundAt(8).Owner = 0;
  PlayerAt(1).Money = 2500000;
  plan = StrongComputer::MakePlan(game, 1);
  EXPECT_EQ(plan.Loan, 0) << "repaid before a roll that may pay interest";
  EXPECT_EQ(plan.Level[5], 3) << "built from its own cash";
}

// A loan that cash and buildings cannot repay before a roll that may reach square 1 is cleared
// by selling grounds the other player cannot reach next; one he may reach is kept.
TEST_F(StrongComputerTest, SellsUnreachableGroundsToClearALoanBeforeSquareOne) {
  PlayerAt(0).CurrentPosition = 5;
  for (auto& g : game.Grounds) g.Owner = 0;
  SetPrice(5, 2000000);   // square 9, reachable
  SetPrice(20, 1000000);  // square 31, not reachable
  SetPrice(21, 1000000);  // square 33, not reachable
  for (int g : {5, 20, 21}) GroundAt(g).Owner = 1;
  PlayerAt(1).CurrentPosition = 40;
  PlayerAt(1).Money = 0;
  PlayerAt(1).Loan = 1500000;
  const auto plan = StrongComputer::MakePlan(game, 1);
  EXPECT_TRUE(plan.Sell[20]);
  EXPECT_TRUE(plan.Sell[21]) << "one ground did not cover the loan";
  EXPECT_FALSE(plan.Sell[5]);
  EXPECT_EQ(plan.Loan, 0);

  random.Roll(1, 2);  // square 1: the interest falls due
  rules.ComputerTurnTick();
  EXPECT_EQ(events.Count(EventType::CompanySold), 2);
  EXPECT_EQ(GroundAt(20).Owner, -1);
  EXPECT_EQ(GroundAt(5).Owner, 1);
  EXPECT_EQ(PlayerAt(1).Loan, 0);
}

// Cash for an unowned ground the roll may end on is kept back, but not when the roll is likely
// to reach square 1 first and the cash would stand against a loan that pays interest there.
TEST_F(StrongComputerTest, KeepsCashForAGroundUnlessTheLoanItStandsAgainstPaysInterest) {
  struct Case {
    int from, ground;
    std::int64_t loan;
  };
  for (const Case c : {Case{31, 23, 500000},  // square 36, five on; square 1 only with a 12
                       Case{37, 27, 0}}) {    // square 42, five on; square 1 on most rolls
    for (auto& g : game.Grounds) g.Owner = 0;
    SetPrice(c.ground, 500000);
    GroundAt(c.ground).Owner = -1;
    PlayerAt(1).CurrentPosition = c.from;
    PlayerAt(1).Money = 1000000;
    PlayerAt(1).Loan = 1000000;
    EXPECT_EQ(StrongComputer::MakePlan(game, 1).Loan, c.loan) << "from square " << c.from;
  }
}

// Cash the plan cannot place buys the other player's dearest ground he is about to land on, but
// not from a player close behind, and not with cash it needs.
TEST_F(StrongComputerTest, BuysTheOtherPlayersGroundWithIdleCashWhenWellAhead) {
  PlayerAt(0).CurrentPosition = 5;
  PlayerAt(0).Money = 0;
  for (auto& g : game.Grounds) g.Owner = 1;
  for (int g : {3, 5, 9}) GroundAt(g).Owner = 0;  // squares 7 (never reached), 9 and 15
  PlayerAt(1).CurrentPosition = 20;
  PlayerAt(1).Money = 60000000;
  EXPECT_EQ(StrongComputer::GroundToBuy(game, 1), 9) << "dearer than ground 5, and reached";

  const std::int64_t cost = StrongComputer::PriceFromPlayer(game, 9);
  random.Roll(1, 3);
  rules.ComputerTurnTick();
  EXPECT_EQ(events.Count(EventType::BoughtFromPlayer), 3) << "one after another";
  EXPECT_EQ(GroundAt(9).Owner, 1);
  EXPECT_EQ(GroundAt(9).House, 3) << "and built on at once";
  EXPECT_GE(PlayerAt(0).Money, cost * 10 / 13) << "the seller got his share";

  for (auto& g : game.Grounds) {
    g.Owner = 1;
    g.House = -1;
  }
  GroundAt(9).Owner = 0;
  PlayerAt(1).Money = 60000000;
  PlayerAt(0).Money = 70000000;  // worth more than two thirds of the strong player's
  EXPECT_EQ(StrongComputer::GroundToBuy(game, 1), -1);
  PlayerAt(0).Money = 0;
  PlayerAt(1).Money = static_cast<std::int32_t>(cost);  // no cash to spare
  EXPECT_EQ(StrongComputer::GroundToBuy(game, 1), -1);
}

// Its turn goes through the finance actions a person has, each told as an event, and leaves
// the classic computer's turn count alone.
TEST_F(StrongComputerTest, ActsThroughTheFinanceActionsAndThenRolls) {
  PlayerAt(0).CurrentPosition = 5;
  for (auto& g : game.Grounds) g.Owner = 0;  // nothing left to buy: no cash kept back
  GroundAt(8).Owner = 1;
  PlayerAt(1).CurrentPosition = 2;
  PlayerAt(1).Money = 100000;
  const std::int32_t turns = game.ComputerTurns;
  random.Roll(1, 3);  // square 6, plain
  rules.ComputerTurnTick();
  EXPECT_EQ(events.Count(EventType::LoanTaken), 1);
  EXPECT_EQ(events.Count(EventType::Built), 1);
  EXPECT_EQ(events.Count(EventType::Rolled), 1);
  EXPECT_EQ(GroundAt(8).House, 3);
  EXPECT_EQ(game.ComputerTurns, turns);
  EXPECT_TRUE(dialogs.messages.empty()) << "no action had to refuse it";
}

}  // namespace
}  // namespace quillbury
