#include <gtest/gtest.h>

#include <algorithm>

#include "GameFixture.h"

namespace quillbury {
namespace {

class TurnsTest : public testing::GameTest {
 protected:
  void SetUp() override { StartGame(2, false); }
  // Steps after which more squares are left: the window plays a step sound on each.
  int StepsWithMoreToGo() const {
    return static_cast<int>(std::count_if(
        events.events.begin(), events.events.end(),
        [](const GameEvent& e) { return e.Type == EventType::Moved && e.StepsLeft > 0; }));
  }
};

TEST_F(TurnsTest, RollShowsDiceDisablesControlsAndStartsTheWalk) {
  random.Roll(2, 5);
  rules.Roll();
  EXPECT_EQ(game.Die1, 2);
  EXPECT_EQ(game.Die2, 5);
  EXPECT_EQ(events.Last(EventType::Rolled).Die1, 2);
  EXPECT_EQ(events.Last(EventType::Rolled).Die2, 5);
  EXPECT_EQ(game.StepsLeft, 7);
  EXPECT_FALSE(rules.RollAllowed());
  EXPECT_FALSE(rules.ActionsAllowed());
  EXPECT_TRUE(rules.Walking());
  // A second click while walking does nothing: Roll is the turn's interlock.
  rules.Roll();
  EXPECT_EQ(game.StepsLeft, 7);
}

TEST_F(TurnsTest, DrawOfZeroCountsAsSix) {
  random.draws = {0, 0, 0};
  rules.Roll();
  EXPECT_EQ(game.Die1, 6);
  EXPECT_EQ(game.Die2, 6);
  EXPECT_TRUE(game.ExtraTurn);
}

TEST_F(TurnsTest, AnimatedWalkOverStartPaysSalaryAndInterestOnce) {
  PlayerAt(0).CurrentPosition = 40;
  PlayerAt(0).Loan = 150050;
  const std::int32_t money = PlayerAt(0).Money;
  const std::int32_t numberRoll = game.CasinoCounter;
  RollAndWalk(2, 3);  // 41, 42, 1, 2, 3
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 3);
  EXPECT_EQ(events.Last(EventType::Moved).Square, 3);
  EXPECT_EQ(PlayerAt(0).Money, money + 300000 - 21000);
  EXPECT_EQ(PlayerAt(0).Loan, 150050);  // the loan itself is not reduced
  EXPECT_EQ(StepsWithMoreToGo(), 4);
  EXPECT_EQ(events.Count(EventType::WalkEnded), 1);
  EXPECT_EQ(game.CasinoCounter, numberRoll + 5);
  EXPECT_EQ(game.CurrentPlayer, 1);
  EXPECT_TRUE(rules.RollAllowed());
  EXPECT_EQ(events.events.back().Type, EventType::TurnPassed) << "the dice leave the table";
}

TEST_F(TurnsTest, AnimatedMoveEndingOnStartPaysSalaryThenMayorBonus) {
  PlayerAt(0).CurrentPosition = 41;
  const std::int32_t money = PlayerAt(0).Money;
  RollAndWalk(1, 1);
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 1);
  EXPECT_EQ(PlayerAt(0).Money, money + 300000 + 60000);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0],
            "Mr. Gambler have been selected as major of Quillbury. You will receive 20% of your "
            "salary");
}

TEST_F(TurnsTest, WithoutAnimationOnlyLandingExactlyOnStartPays) {
  rules.Settings().Animation = false;
  struct Case {
    int from, d1, d2, to;
    bool paid;
  };
  const Case cases[] = {{40, 2, 3, 3, false}, {40, 1, 2, 1, true}, {30, 2, 2, 34, false}};
  for (const Case& c : cases) {
    PlayerAt(0).CurrentPosition = c.from;
    game.CurrentPlayer = 0;
    const std::int32_t money = PlayerAt(0).Money;
    const std::int32_t numberRoll = game.CasinoCounter;
    dialogs.answers = {false};
    RollAndWalk(c.d1, c.d2);
    EXPECT_EQ(PlayerAt(0).CurrentPosition, c.to) << c.from;
    const std::int32_t expected = c.paid ? money + 300000 + 60000 : money;
    EXPECT_EQ(PlayerAt(0).Money, expected) << c.from;
    EXPECT_EQ(game.CasinoCounter, numberRoll + 1) << "one step for the whole move";
  }
}

TEST_F(TurnsTest, LoanInterestIsPerHundredDollars) {
  for (const auto& [loan, interest] : {std::pair{150050, 21000}, std::pair{99, 0}}) {
    PlayerAt(0).CurrentPosition = 42;
    PlayerAt(0).Loan = loan;
    PlayerAt(0).Money = loan;  // worth nothing, but still in the game
    game.CurrentPlayer = 0;
    rules.Settings().Animation = true;
    random.Roll(1, 1);  // 42 -> 1 -> 2
    dialogs.answers = {false};
    rules.Roll();
    Walk();
    EXPECT_EQ(PlayerAt(0).Money, loan + 300000 - interest) << loan;
  }
}

TEST_F(TurnsTest, DoubleSixGivesAnExtraTurnAndOtherwiseTheTurnPasses) {
  RollAndWalk(6, 6);  // 1 -> 13, a ground the human declines
  EXPECT_EQ(game.CurrentPlayer, 0);
  EXPECT_FALSE(game.ExtraTurn);
  EXPECT_EQ(dialogs.messages.back(), "Extra turn. You had two 6 dices");
  RollAndWalk(6, 5);
  EXPECT_EQ(game.CurrentPlayer, 1);
}

TEST_F(TurnsTest, JailedPlayersAreSkippedAndCountedDown) {
  StartGame(3);
  PlayerAt(1).Jail = 2;
  const int expected[] = {2, 0, 2, 0, 1};  // after players 1, 3, 1, 3, 1 have moved
  for (int step = 0; step < 5; ++step) {
    PlayerAt(game.CurrentPlayer).CurrentPosition = 5;
    RollAndWalk(1, 0);  // 1 + 6 = 7 squares: onto square 12, a ground nobody buys
    EXPECT_EQ(game.CurrentPlayer, expected[step]) << "step " << step;
  }
  EXPECT_EQ(PlayerAt(1).Jail, 0);
}

TEST_F(TurnsTest, PlayersOutOfTheGameAreNeverChosen) {
  StartGame(3);
  PlayerAt(1).Playing = false;
  for (int step = 0; step < 4; ++step) {
    PlayerAt(game.CurrentPlayer).CurrentPosition = 5;
    RollAndWalk(1, 0);
    EXPECT_NE(game.CurrentPlayer, 1);
  }
}

// Jailed by the move that earned an extra turn: the extra-turn message still shows, the next
// pass of the search counts the sentence down once more and hands the turn on, so the player
// misses one turn fewer than he was sentenced to.
TEST_F(TurnsTest, ADoubleSixIntoJailStillTellsTheExtraTurnAndMissesOneTurnLess) {
  for (auto& g : game.Grounds) g.Owner = -1;
  PlayerAt(0).CurrentPosition = 41;  // 41 + 12 = square 11, the courthouse
  random.Roll(6, 6);
  random.draws.push_back(1);  // sentenced to 2 turns: Jail 3
  dialogs.answers = {false};  // no bribe
  rules.Roll();
  Walk();
  EXPECT_EQ(dialogs.messages.back(), kExtraTurnText);
  EXPECT_EQ(PlayerAt(0).Jail, 1) << "counted down at the end of the move and once more";
  EXPECT_EQ(game.CurrentPlayer, 1);
  std::vector<int> turns;
  for (int move = 0; move < 3; ++move) {
    PlayerAt(game.CurrentPlayer).CurrentPosition = 5;
    RollAndWalk(1, 1);  // square 7, declined
    turns.push_back(game.CurrentPlayer);
  }
  EXPECT_EQ(turns, (std::vector<int>{1, 0, 1})) << "player 0 misses exactly one turn";
}

TEST_F(TurnsTest, NobodyLeftEndsTheSearchInsteadOfLooping) {
  StartGame(3);
  PlayerAt(0).CurrentPosition = 5;
  random.Roll(1, 1);  // square 7, a ground the human declines
  rules.Roll();
  // All out during the walk: nobody is left to take the turn.
  for (int p = 0; p < 3; ++p) PlayerAt(p).Playing = false;
  Walk();
  EXPECT_TRUE(rules.RollAllowed());
  rules.RefreshStatus();
  EXPECT_EQ(dialogs.messages.back(), kNobodyWinsText);
}

TEST_F(TurnsTest, HugeSentencesForEveryoneDoNotStallTheSearch) {
  PlayerAt(0).Jail = 0;
  PlayerAt(1).Jail = 2000000000;
  PlayerAt(0).CurrentPosition = 5;
  // Player 1 moves and is then given an absurd sentence too: the turn still comes back.
  RollAndWalk(1, 0);
  EXPECT_EQ(game.CurrentPlayer, 0);
  PlayerAt(0).Jail = 1000000000;
  PlayerAt(0).CurrentPosition = 5;
  RollAndWalk(1, 0);
  EXPECT_EQ(game.CurrentPlayer, 0);
  EXPECT_EQ(PlayerAt(0).Jail, 0);
  EXPECT_EQ(PlayerAt(1).Jail, 999999999);
}

TEST_F(TurnsTest, ShortcutJumpsToFortyOneAndAppliesItsGroundInTheSameTurn) {
  PlayerAt(0).CurrentPosition = 27;
  PlayerAt(0).CPU = true;
  PlayerAt(0).Money = 10000000;
  const std::int32_t numberRoll = game.CasinoCounter;
  RollAndWalk(1, 1);
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 41);
  EXPECT_EQ(events.Last(EventType::Shortcut).Square, 41);
  EXPECT_EQ(GroundAt(26).Owner, 0);  // ground 27 lies on square 41
  EXPECT_EQ(game.CasinoCounter, numberRoll + 2 + 12);
  EXPECT_EQ(events.Count(EventType::WalkEnded), 2);
  EXPECT_EQ(game.CurrentPlayer, 1);
}

TEST_F(TurnsTest, AWalkEndsOneStepAfterItsLastSquare) {
  random.Roll(1, 0);  // 7 squares
  rules.Roll();
  for (int i = 0; i < 6; ++i) rules.StepWalk();
  EXPECT_EQ(game.StepsLeft, 1);
  rules.StepWalk();
  EXPECT_EQ(game.StepsLeft, 0);
  EXPECT_EQ(events.Count(EventType::WalkEnded), 0);
  EXPECT_TRUE(rules.Walking());
  rules.StepWalk();
  EXPECT_FALSE(rules.Walking());
}

}  // namespace
}  // namespace quillbury

namespace quillbury {
namespace {

class OutOfTurnTest : public testing::GameTest {};

// Broke on a double six: the extra turn must not go to a player who has just dropped out.
TEST_F(OutOfTurnTest, APlayerWhoGoesOutOnHisOwnTurnHandsItOn) {
  StartGame(3);
  for (auto& g : game.Grounds) g.Owner = -1;
  PlayerAt(1).CPU = true;
  GroundAt(5).Owner = 2;  // square 9, two squares past square 7
  GroundAt(5).House = 3;
  game.CurrentPlayer = 1;
  PlayerAt(1).CurrentPosition = 39;  // 39 + 12 = square 9
  PlayerAt(1).Money = 0;             // worth nothing until the rent on square 9
  PlayerAt(1).Salary = 0;
  random.Roll(6, 6);
  rules.Roll();
  Walk();
  EXPECT_EQ(game.CurrentPlayer, 1) << "the double six keeps the turn for now";
  rules.RefreshStatus();
  EXPECT_FALSE(PlayerAt(1).Playing);
  EXPECT_EQ(game.CurrentPlayer, 2);
  rules.ComputerTurnTick();
  EXPECT_FALSE(rules.Walking()) << "nobody rolls for the player who is out";
  // Roll itself refuses a player who is out.
  game.CurrentPlayer = 1;
  rules.Roll();
  EXPECT_FALSE(rules.Walking());
}

}  // namespace
}  // namespace quillbury
