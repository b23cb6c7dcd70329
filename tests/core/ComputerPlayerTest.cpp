#include <gtest/gtest.h>

#include "GameFixture.h"

namespace quillbury {
namespace {

class ComputerPlayerTest : public testing::GameTest {
 protected:
  void SetUp() override {
    StartGame(2, true);
    for (auto& g : game.Grounds) g.Owner = -1;
    game.CurrentPlayer = 1;
  }
  // One CPU step; the roll it presses is scripted to land on a plain square.
  void Step() {
    PlayerAt(1).CurrentPosition = 1;
    random.Roll(2, 3);  // square 6
    rules.ComputerTurnTick();
  }
};

TEST_F(ComputerPlayerTest, RepaysTheLoanWhileCashStaysAboveTheStep) {
  struct Case {
    std::int32_t loan, money, loanAfter, moneyAfter;
  };
  const Case cases[] = {{250000, 260000, 0, 10000}, {100000, 100000, 100000, 100000},
                        {100000, 100001, 0, 1},     {40000, 40000, 40000, 40000},
                        {40000, 40001, 0, 1},       {0, 500000, 0, 500000}};
  for (const Case& c : cases) {
    rules.SetRollAllowed(true);
    PlayerAt(1).Loan = c.loan;
    PlayerAt(1).Money = c.money;
    Step();
    EXPECT_EQ(PlayerAt(1).Loan, c.loanAfter) << c.loan << "/" << c.money;
    EXPECT_EQ(PlayerAt(1).Money, c.moneyAfter) << c.loan << "/" << c.money;
    EXPECT_TRUE(rules.Walking()) << "it rolls after paying";
    rules.StopMove();
  }
}

TEST_F(ComputerPlayerTest, BuildsOneLevelScanningInAlternatingDirections) {
  GroundAt(2).Owner = 1;
  GroundAt(20).Owner = 1;
  PlayerAt(1).Money = 50000000;
  game.ComputerTurns = 0;
  rules.SetRollAllowed(true);
  Step();
  EXPECT_EQ(game.ComputerTurns, 1);
  EXPECT_EQ(GroundAt(2).House, 0);
  EXPECT_EQ(GroundAt(20).House, -1);
  EXPECT_EQ(PlayerAt(1).Money, 50000000 - GroundAt(2).Houses[0].Rent);
  rules.StopMove();
  rules.SetRollAllowed(true);
  Step();
  EXPECT_EQ(GroundAt(20).House, 0);
  rules.StopMove();
  // The full value of the new level is charged, not the difference to the level below.
  rules.SetRollAllowed(true);
  const std::int32_t before = PlayerAt(1).Money;
  Step();
  EXPECT_EQ(GroundAt(2).House, 1);
  EXPECT_EQ(PlayerAt(1).Money, before - GroundAt(2).Houses[1].Rent);
}

TEST_F(ComputerPlayerTest, NeverBuildsPastFourOrBeyondItsMeans) {
  GroundAt(2).Owner = 1;
  GroundAt(2).House = 3;
  GroundAt(5).Owner = 1;
  PlayerAt(1).Money = GroundAt(5).Houses[0].Rent - 1;
  rules.SetRollAllowed(true);
  const std::int32_t turns = game.ComputerTurns;
  Step();
  EXPECT_EQ(GroundAt(2).House, 3);
  EXPECT_EQ(GroundAt(5).House, -1);
  EXPECT_EQ(game.ComputerTurns, turns + 1) << "the turn counts even without building";
}

TEST_F(ComputerPlayerTest, IdleForHumansAndWhileRollIsDisabled) {
  rules.SetRollAllowed(false);
  rules.ComputerTurnTick();
  EXPECT_EQ(game.ComputerTurns, 0);
  rules.SetRollAllowed(true);
  game.CurrentPlayer = 0;
  rules.ComputerTurnTick();
  EXPECT_EQ(game.ComputerTurns, 0);
  EXPECT_FALSE(rules.Walking());
}

TEST_F(ComputerPlayerTest, CounterWrapsWithoutOverflowKeepingTheAlternation) {
  game.ComputerTurns = kInt32Max;
  GroundAt(2).Owner = 1;
  GroundAt(20).Owner = 1;
  PlayerAt(1).Money = 50000000;
  rules.SetRollAllowed(true);
  Step();
  EXPECT_EQ(game.ComputerTurns, kInt32Min);
  EXPECT_EQ(GroundAt(20).House, 0) << "an even count scans downwards";
}

// The computer pays its loan off before it builds, and only then rolls: a build first could
// spend the cash the repayment needs.
TEST_F(ComputerPlayerTest, RepaysThenBuildsThenRolls) {
  GroundAt(2).Owner = 1;
  PlayerAt(1).Loan = 200000;
  PlayerAt(1).Money = 400000;  // enough for the repayment and a first level (150.000)
  rules.SetRollAllowed(true);
  events.events.clear();
  Step();
  std::vector<EventType> order;
  for (const GameEvent& e : events.events) order.push_back(e.Type);
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(std::vector<EventType>(order.begin(), order.begin() + 3),
            (std::vector<EventType>{EventType::LoanRepaid, EventType::Built, EventType::Rolled}));
  EXPECT_EQ(PlayerAt(1).Loan, 0);
  EXPECT_EQ(PlayerAt(1).Money, 400000 - 200000 - 150000);
}

}  // namespace
}  // namespace quillbury
