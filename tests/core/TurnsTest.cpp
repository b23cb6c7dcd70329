#include <gtest/gtest.h>

#include <algorithm>

#include "GameFixture.h"

namespace quillbury {
namespace {

class TurnsTest : public testing::GameTest {
 protected:
  void SetUp() override { StartGame(2, false); }
  int Count(const std::string& sound) {
    return static_cast<int>(std::count(port.sounds.begin(), port.sounds.end(), sound));
  }
};

TEST_F(TurnsTest, RollShowsDiceDisablesControlsAndStartsTheWalk) {
  random.Roll(2, 5);
  session.Roll();
  EXPECT_EQ(session.Die1, 2);
  EXPECT_EQ(session.Die2, 5);
  EXPECT_EQ(port.diceFaces, std::make_pair(5, 2));  // first image shows the second die
  EXPECT_EQ(session.Left, 7);
  EXPECT_FALSE(port.rollEnabled);
  EXPECT_FALSE(port.actionsEnabled);
  EXPECT_TRUE(port.movementOn);
  // A second click while walking does nothing: Roll is the turn's interlock.
  session.Roll();
  EXPECT_EQ(session.Left, 7);
}

TEST_F(TurnsTest, DrawOfZeroCountsAsSix) {
  random.draws = {0, 0, 0};
  session.Roll();
  EXPECT_EQ(session.Die1, 6);
  EXPECT_EQ(session.Die2, 6);
  EXPECT_TRUE(session.ExtraTurn);
}

TEST_F(TurnsTest, AnimatedWalkOverStartPaysSalaryAndInterestOnce) {
  session.SoundOn = true;
  PlayerAt(0).CurrentPosition = 40;
  PlayerAt(0).Loan = 150050;
  const std::int32_t money = PlayerAt(0).Money;
  const std::int32_t numberRoll = session.NumberRoll;
  RollAndWalk(2, 3);  // 41, 42, 1, 2, 3
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 3);
  EXPECT_EQ(port.tokens[0], 3);
  EXPECT_EQ(PlayerAt(0).Money, money + 300000 - 21000);
  EXPECT_EQ(PlayerAt(0).Loan, 150050);  // the loan itself is not reduced
  EXPECT_EQ(Count("Go1.wav"), 4);
  EXPECT_EQ(Count("Go2.wav"), 1);
  EXPECT_EQ(session.NumberRoll, numberRoll + 5);
  EXPECT_EQ(session.CurrentPlayerID, 1);
  EXPECT_TRUE(port.rollEnabled);
  EXPECT_FALSE(port.diceVisible);
}

TEST_F(TurnsTest, AnimatedMoveEndingOnStartPaysSalaryThenMayorBonus) {
  PlayerAt(0).CurrentPosition = 41;
  const std::int32_t money = PlayerAt(0).Money;
  RollAndWalk(1, 1);
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 1);
  EXPECT_EQ(PlayerAt(0).Money, money + 300000 + 60000);
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0],
            "Mr. Gambler have been selected as major of Quillbury. You will receive 20% of your "
            "salary");
}

TEST_F(TurnsTest, WithoutAnimationOnlyLandingExactlyOnStartPays) {
  session.AnimationOn = false;
  struct Case {
    int from, d1, d2, to;
    bool paid;
  };
  const Case cases[] = {{40, 2, 3, 3, false}, {40, 1, 2, 1, true}, {30, 2, 2, 34, false}};
  for (const Case& c : cases) {
    PlayerAt(0).CurrentPosition = c.from;
    session.CurrentPlayerID = 0;
    const std::int32_t money = PlayerAt(0).Money;
    const std::int32_t numberRoll = session.NumberRoll;
    port.answers = {false};
    RollAndWalk(c.d1, c.d2);
    EXPECT_EQ(PlayerAt(0).CurrentPosition, c.to) << c.from;
    const std::int32_t expected = c.paid ? money + 300000 + 60000 : money;
    EXPECT_EQ(PlayerAt(0).Money, expected) << c.from;
    EXPECT_EQ(session.NumberRoll, numberRoll + 1) << "one step for the whole move";
  }
}

TEST_F(TurnsTest, LoanInterestIsPerHundredDollars) {
  for (const auto& [loan, interest] : {std::pair{150050, 21000}, std::pair{99, 0}}) {
    PlayerAt(0).CurrentPosition = 42;
    PlayerAt(0).Loan = loan;
    PlayerAt(0).Money = 0;
    session.CurrentPlayerID = 0;
    session.AnimationOn = true;
    random.Roll(1, 1);  // 42 -> 1 -> 2
    port.answers = {false};
    session.Roll();
    Walk();
    EXPECT_EQ(PlayerAt(0).Money, 300000 - interest) << loan;
  }
}

TEST_F(TurnsTest, DoubleSixGivesAnExtraTurnAndOtherwiseTheTurnPasses) {
  RollAndWalk(6, 6);  // 1 -> 13, a ground the human declines
  EXPECT_EQ(session.CurrentPlayerID, 0);
  EXPECT_FALSE(session.ExtraTurn);
  EXPECT_EQ(port.messages.back(), "Extra turn. You had two 6 dices");
  RollAndWalk(6, 5);
  EXPECT_EQ(session.CurrentPlayerID, 1);
}

TEST_F(TurnsTest, JailedPlayersAreSkippedAndCountedDown) {
  StartGame(3);
  PlayerAt(1).Jail = 2;
  const int expected[] = {2, 0, 2, 0, 1};  // after players 1, 3, 1, 3, 1 have moved
  for (int step = 0; step < 5; ++step) {
    PlayerAt(session.CurrentPlayerID).CurrentPosition = 5;
    RollAndWalk(1, 0);  // 1 + 6 = 7 squares: onto square 12, a ground nobody buys
    EXPECT_EQ(session.CurrentPlayerID, expected[step]) << "step " << step;
  }
  EXPECT_EQ(PlayerAt(1).Jail, 0);
}

TEST_F(TurnsTest, PlayersOutOfTheGameAreNeverChosen) {
  StartGame(3);
  PlayerAt(1).Playing = false;
  for (int step = 0; step < 4; ++step) {
    PlayerAt(session.CurrentPlayerID).CurrentPosition = 5;
    RollAndWalk(1, 0);
    EXPECT_NE(session.CurrentPlayerID, 1);
  }
}

TEST_F(TurnsTest, NobodyLeftEndsTheSearchInsteadOfLooping) {
  StartGame(3);
  PlayerAt(1).Playing = false;
  PlayerAt(2).Playing = false;
  PlayerAt(0).Playing = false;
  PlayerAt(0).CurrentPosition = 5;
  RollAndWalk(1, 0);
  EXPECT_TRUE(session.RollEnabled());
}

TEST_F(TurnsTest, HugeSentencesForEveryoneDoNotStallTheSearch) {
  PlayerAt(0).Jail = 0;
  PlayerAt(1).Jail = 2000000000;
  PlayerAt(0).CurrentPosition = 5;
  // Player 1 moves and is then given an absurd sentence too: the turn still comes back.
  RollAndWalk(1, 0);
  EXPECT_EQ(session.CurrentPlayerID, 0);
  PlayerAt(0).Jail = 1000000000;
  PlayerAt(0).CurrentPosition = 5;
  RollAndWalk(1, 0);
  EXPECT_EQ(session.CurrentPlayerID, 0);
  EXPECT_EQ(PlayerAt(0).Jail, 0);
  EXPECT_EQ(PlayerAt(1).Jail, 999999999);
}

TEST_F(TurnsTest, ShortcutJumpsToFortyOneAndAppliesItsGroundInTheSameTurn) {
  session.SoundOn = true;
  PlayerAt(0).CurrentPosition = 27;
  PlayerAt(0).CPU = true;
  PlayerAt(0).Money = 10000000;
  const std::int32_t numberRoll = session.NumberRoll;
  RollAndWalk(1, 1);
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 41);
  EXPECT_EQ(port.tokens[0], 41);
  EXPECT_EQ(GroundAt(26).Owner, 0);  // ground 27 lies on square 41
  EXPECT_EQ(session.NumberRoll, numberRoll + 2 + 12);
  EXPECT_EQ(Count("Go2.wav"), 2);
  EXPECT_EQ(session.CurrentPlayerID, 1);
}

TEST_F(TurnsTest, MovementTimerGoesToOneMillisecondForTheEndOfAMove) {
  random.Roll(1, 0);  // 7 squares
  session.Roll();
  for (int i = 0; i < 6; ++i) session.StepWalk();
  EXPECT_EQ(session.MovementInterval(), 400);
  session.StepWalk();
  EXPECT_EQ(session.Left, 0);
  EXPECT_EQ(session.MovementInterval(), 1);
  EXPECT_TRUE(session.MovementTimerOn());
  session.StepWalk();
  EXPECT_FALSE(session.MovementTimerOn());
}

}  // namespace
}  // namespace quillbury

namespace quillbury {
namespace {

class OutOfTurnTest : public testing::GameTest {};

// Broke on a double six: the extra turn must not go to a player who has just dropped out.
TEST_F(OutOfTurnTest, APlayerWhoGoesOutOnHisOwnTurnHandsItOn) {
  StartGame(3);
  for (auto& g : session.Game.Grounds) g.Owner = -1;
  PlayerAt(1).CPU = true;
  GroundAt(5).Owner = 2;  // square 9, two squares past square 7
  GroundAt(5).House = 3;
  session.CurrentPlayerID = 1;
  PlayerAt(1).CurrentPosition = 39;  // 39 + 12 = square 9
  PlayerAt(1).Money = 0;
  PlayerAt(1).Loan = 5000000;
  random.Roll(6, 6);
  session.Roll();
  Walk();
  EXPECT_EQ(session.CurrentPlayerID, 1) << "the double six keeps the turn for now";
  session.RefreshStatus();
  EXPECT_FALSE(PlayerAt(1).Playing);
  EXPECT_EQ(session.CurrentPlayerID, 2);
  session.ComputerTurnTick();
  EXPECT_FALSE(session.MovementTimerOn()) << "nobody rolls for the player who is out";
  // Roll itself refuses a player who is out.
  session.CurrentPlayerID = 1;
  session.Roll();
  EXPECT_FALSE(session.MovementTimerOn());
}

}  // namespace
}  // namespace quillbury
