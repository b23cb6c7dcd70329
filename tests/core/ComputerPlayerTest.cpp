#include <gtest/gtest.h>

#include "GameFixture.h"

namespace quillbury {
namespace {

class ComputerPlayerTest : public testing::GameTest {
 protected:
  void SetUp() override {
    StartGame(2, true);
    for (auto& g : session.Game.Grounds) g.Owner = -1;
    session.CurrentPlayerID = 1;
  }
  // One CPU step; the roll it presses is scripted to land on a plain square.
  void Step() {
    Player(1).CurrentPosition = 1;
    random.Roll(2, 3);  // square 6
    session.CPUTimer();
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
    session.SetRollEnabled(true);
    Player(1).Loan = c.loan;
    Player(1).Money = c.money;
    Step();
    EXPECT_EQ(Player(1).Loan, c.loanAfter) << c.loan << "/" << c.money;
    EXPECT_EQ(Player(1).Money, c.moneyAfter) << c.loan << "/" << c.money;
    EXPECT_TRUE(session.MovementTimerOn()) << "it rolls after paying";
    session.StopMove();
  }
}

TEST_F(ComputerPlayerTest, BuildsOneLevelScanningInAlternatingDirections) {
  Ground(2).Owner = 1;
  Ground(20).Owner = 1;
  Player(1).Money = 50000000;
  session.CPUTurns = 0;
  session.SetRollEnabled(true);
  Step();
  EXPECT_EQ(session.CPUTurns, 1);
  EXPECT_EQ(Ground(2).House, 0);
  EXPECT_EQ(Ground(20).House, -1);
  EXPECT_EQ(Player(1).Money, 50000000 - Ground(2).Houses[0].Rent);
  session.StopMove();
  session.SetRollEnabled(true);
  Step();
  EXPECT_EQ(Ground(20).House, 0);
  session.StopMove();
  // The full value of the new level is charged, not the difference to the level below.
  session.SetRollEnabled(true);
  const std::int32_t before = Player(1).Money;
  Step();
  EXPECT_EQ(Ground(2).House, 1);
  EXPECT_EQ(Player(1).Money, before - Ground(2).Houses[1].Rent);
}

TEST_F(ComputerPlayerTest, NeverBuildsPastFourOrBeyondItsMeans) {
  Ground(2).Owner = 1;
  Ground(2).House = 3;
  Ground(5).Owner = 1;
  Player(1).Money = Ground(5).Houses[0].Rent - 1;
  session.SetRollEnabled(true);
  const std::int32_t turns = session.CPUTurns;
  Step();
  EXPECT_EQ(Ground(2).House, 3);
  EXPECT_EQ(Ground(5).House, -1);
  EXPECT_EQ(session.CPUTurns, turns + 1) << "the turn counts even without building";
}

TEST_F(ComputerPlayerTest, IdleForHumansAndWhileRollIsDisabled) {
  session.SetRollEnabled(false);
  session.CPUTimer();
  EXPECT_EQ(session.CPUTurns, 0);
  session.SetRollEnabled(true);
  session.CurrentPlayerID = 0;
  session.CPUTimer();
  EXPECT_EQ(session.CPUTurns, 0);
  EXPECT_FALSE(session.MovementTimerOn());
}

TEST_F(ComputerPlayerTest, CounterWrapsWithoutOverflowKeepingTheAlternation) {
  session.CPUTurns = kInt32Max;
  Ground(2).Owner = 1;
  Ground(20).Owner = 1;
  Player(1).Money = 50000000;
  session.SetRollEnabled(true);
  Step();
  EXPECT_EQ(session.CPUTurns, kInt32Min);
  EXPECT_EQ(Ground(20).House, 0) << "an even count scans downwards";
}

}  // namespace
}  // namespace quillbury
