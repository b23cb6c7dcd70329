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
    PlayerAt(1).CurrentPosition = 1;
    random.Roll(2, 3);  // square 6
    session.ComputerTurnTick();
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
    PlayerAt(1).Loan = c.loan;
    PlayerAt(1).Money = c.money;
    Step();
    EXPECT_EQ(PlayerAt(1).Loan, c.loanAfter) << c.loan << "/" << c.money;
    EXPECT_EQ(PlayerAt(1).Money, c.moneyAfter) << c.loan << "/" << c.money;
    EXPECT_TRUE(session.MovementTimerOn()) << "it rolls after paying";
    session.StopMove();
  }
}

TEST_F(ComputerPlayerTest, BuildsOneLevelScanningInAlternatingDirections) {
  GroundAt(2).Owner = 1;
  GroundAt(20).Owner = 1;
  PlayerAt(1).Money = 50000000;
  session.CPUTurns = 0;
  session.SetRollEnabled(true);
  Step();
  EXPECT_EQ(session.CPUTurns, 1);
  EXPECT_EQ(GroundAt(2).House, 0);
  EXPECT_EQ(GroundAt(20).House, -1);
  EXPECT_EQ(PlayerAt(1).Money, 50000000 - GroundAt(2).Houses[0].Rent);
  session.StopMove();
  session.SetRollEnabled(true);
  Step();
  EXPECT_EQ(GroundAt(20).House, 0);
  session.StopMove();
  // The full value of the new level is charged, not the difference to the level below.
  session.SetRollEnabled(true);
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
  session.SetRollEnabled(true);
  const std::int32_t turns = session.CPUTurns;
  Step();
  EXPECT_EQ(GroundAt(2).House, 3);
  EXPECT_EQ(GroundAt(5).House, -1);
  EXPECT_EQ(session.CPUTurns, turns + 1) << "the turn counts even without building";
}

TEST_F(ComputerPlayerTest, IdleForHumansAndWhileRollIsDisabled) {
  session.SetRollEnabled(false);
  session.ComputerTurnTick();
  EXPECT_EQ(session.CPUTurns, 0);
  session.SetRollEnabled(true);
  session.CurrentPlayerID = 0;
  session.ComputerTurnTick();
  EXPECT_EQ(session.CPUTurns, 0);
  EXPECT_FALSE(session.MovementTimerOn());
}

TEST_F(ComputerPlayerTest, CounterWrapsWithoutOverflowKeepingTheAlternation) {
  session.CPUTurns = kInt32Max;
  GroundAt(2).Owner = 1;
  GroundAt(20).Owner = 1;
  PlayerAt(1).Money = 50000000;
  session.SetRollEnabled(true);
  Step();
  EXPECT_EQ(session.CPUTurns, kInt32Min);
  EXPECT_EQ(GroundAt(20).House, 0) << "an even count scans downwards";
}

}  // namespace
}  // namespace quillbury
