// The window's modal messages and prompts run its timers in a nested event loop, so the refresh,
// the computer player and even a whole move can happen inside another handler's wait.
#include <gtest/gtest.h>

#include "GameFixture.h"

namespace quillbury {
namespace {

// Which of the window's two 10 ms timers fires first inside a modal wait; the game's results
// must not depend on it.
enum class TimerOrder { RefreshFirst, ComputerFirst };

class ReentryTest : public testing::GameTest, public ::testing::WithParamInterface<TimerOrder> {
 protected:
  // What the window's nested event loop does: refresh, let the computer player act, walk.
  void NestedEventLoop() {
    dialogs.onModal = [this] {
      if (GetParam() == TimerOrder::RefreshFirst) {
        if (rules.RefreshOn()) rules.RefreshStatus();
        rules.ComputerTurnTick();
      } else {
        rules.ComputerTurnTick();
        if (rules.RefreshOn()) rules.RefreshStatus();
      }
      Walk();
    };
  }
  int RollsOf(int player) const {
    int rolls = 0;
    for (const GameEvent& e : events.events) {
      rolls += e.Type == EventType::Rolled && e.Player == player ? 1 : 0;
    }
    return rolls;
  }
};

TEST_P(ReentryTest, ComputerStartsItsExtraTurnWhileTheExtraTurnMessageIsOpen) {
  StartGame(2, true);
  for (auto& g : game.Grounds) g.Owner = -1;
  game.CurrentPlayer = 1;
  PlayerAt(1).CurrentPosition = 28;  // 28 + 12 = square 40, a plain square
  PlayerAt(1).Money = 0;             // buys nothing on the way
  random.Roll(6, 6);
  rules.Roll();
  NestedEventLoop();
  random.Roll(2, 2);  // the extra roll, from square 40 to square 2
  Walk();
  EXPECT_EQ(dialogs.messages.front(), "Extra turn. You had two 6 dices");
  EXPECT_EQ(PlayerAt(1).CurrentPosition, 2);
  EXPECT_EQ(game.CurrentPlayer, 0) << "after the extra turn the human is next";
  EXPECT_TRUE(rules.RollAllowed());
  EXPECT_FALSE(game.ExtraTurn);
  EXPECT_TRUE(random.draws.empty());
}

TEST_P(ReentryTest, ComputerStaysIdleWhileAHumanAnswersAPurchase) {
  StartGame(2, true);
  NestedEventLoop();
  dialogs.answers = {true};
  PlayerAt(0).CurrentPosition = 1;
  RollAndWalk(1, 1);  // square 3, the human is asked
  EXPECT_EQ(GroundAt(1).Owner, 0);
  EXPECT_EQ(game.CurrentPlayer, 1);
  EXPECT_EQ(game.ComputerTurns, 0) << "the question was open during the human's turn";
}

TEST_P(ReentryTest, ActionsReadTheGameOnlyAfterThePromptCloses) {
  StartGame(2, false);
  for (auto& g : game.Grounds) g.Owner = -1;
  NestedEventLoop();
  SetPrice(0, 1000000);
  GroundAt(0).Owner = 0;
  PlayerAt(0).Loan = 100000;
  PlayerAt(0).Money = -30000;  // the refresh behind the prompt turns this into loan
  dialogs.inputs = {std::optional<std::string>("70000")};
  rules.RepayLoan();
  EXPECT_EQ(dialogs.prompts.back().Default, "") << "the default is chosen before the prompt";
  EXPECT_EQ(PlayerAt(0).Loan, 130000);
  EXPECT_EQ(PlayerAt(0).Money, 0);
}

TEST_P(ReentryTest, AMoveWhoseGameEndedDuringItsMessageDoesNotTouchTheNewGame) {
  StartGame(2, false);
  for (auto& g : game.Grounds) g.Owner = -1;
  GroundAt(4).Owner = 1;  // square 8: player 0 will owe rent
  PlayerAt(0).CurrentPosition = 1;
  PlayerAt(1).Name = "Bob";
  random.Roll(3, 4);
  rules.Roll();
  PlayerAt(1).Loan = 100000000;  // broke during the walk: the next refresh ends the game
  NestedEventLoop();
  Walk();
  ASSERT_GE(dialogs.messages.size(), 2u) << ::testing::PrintToString(dialogs.messages);
  EXPECT_EQ(dialogs.messages[1], "Bob has lost the game! Mr. Gambler wins!");
  EXPECT_EQ(dialogs.newGameCommands, 1);
  EXPECT_EQ(PlayerAt(0).Money, 5000000) << "no rent charged in the new game";
  EXPECT_EQ(PlayerAt(1).Money, 5000000);
  EXPECT_EQ(game.CurrentPlayer, 0);
  EXPECT_FALSE(rules.RollAllowed()) << "the ended game's move does not enable Roll";
}

// A computer who goes broke paying rent at the end of a double six is out: it never takes the
// extra turn, whichever timer fires first inside the extra-turn message that follows the rent.
TEST_P(ReentryTest, APlayerWhoIsOutNeverTakesHisExtraTurn) {
  StartGame(3, true);
  for (auto& g : game.Grounds) g.Owner = -1;
  GroundAt(5).Owner = 2;  // square 9
  GroundAt(5).House = 3;
  game.CurrentPlayer = 1;
  PlayerAt(1).CurrentPosition = 39;  // 39 + 12 = square 9
  PlayerAt(1).Money = 0;             // worth nothing until the rent
  PlayerAt(1).Salary = 0;
  random.Roll(6, 6);
  rules.Roll();
  NestedEventLoop();
  Walk();  // no draw is scripted for a second roll: one would fail the test
  EXPECT_FALSE(PlayerAt(1).Playing);
  EXPECT_EQ(RollsOf(1), 1);
  EXPECT_EQ(PlayerAt(1).CurrentPosition, 9);
  EXPECT_EQ(game.CurrentPlayer, 2);
  EXPECT_FALSE(game.ExtraTurn);
  EXPECT_TRUE(rules.RollAllowed());
}

// The double six's extra turn belongs to the game that is gone when that game ends, or another
// is loaded, inside a message at the end of the move.
TEST_P(ReentryTest, AnExtraTurnNeverLeaksIntoTheNextGame) {
  for (const bool load : {false, true}) {
    SCOPED_TRACE(load ? "load" : "game over");
    StartGame(2, false);
    for (auto& g : game.Grounds) g.Owner = -1;
    const GameState saved = game;
    PlayerAt(0).CurrentPosition = 31;  // square 1 again
    PlayerAt(0).Money = 5000000;
    PlayerAt(0).Loan = 5000000;
    random.Roll(6, 6);
    rules.Roll();
    if (load) {
      dialogs.onModal = [&] { rules.LoadGame(saved); };
    } else {
      NestedEventLoop();
    }
    Walk();
    dialogs.onModal = nullptr;
    if (!load) {
      EXPECT_EQ(dialogs.messages.back(), "Mr. Gambler has lost the game! Bart Broker wins!");
      rules.NewGame(2);  // what the New Game command does once its dialog is confirmed
      PlayerAt(1).CPU = false;
    }
    EXPECT_FALSE(game.ExtraTurn);
    EXPECT_EQ(game.CurrentPlayer, 0);
    RollAndWalk(2, 3);  // an ordinary roll of the next game
    EXPECT_EQ(game.CurrentPlayer, 1) << "no second roll from an ordinary 2 + 3";
    EXPECT_NE(dialogs.messages.back(), kExtraTurnText);
  }
}

// A loaded game whose current player is out: the computer's step hands the turn on before it
// repays anything or counts a turn.
TEST_P(ReentryTest, TheComputerNeverActsForAPlayerWhoIsOut) {
  StartGame(3, true);
  GameState loaded = game;
  loaded.Players[1].Playing = false;
  loaded.Players[1].Money = 900000;
  loaded.Players[1].Loan = 300000;
  loaded.CurrentPlayer = 1;
  rules.LoadGame(loaded);
  NestedEventLoop();
  const std::int32_t turns = game.ComputerTurns;
  rules.ComputerTurnTick();
  EXPECT_EQ(PlayerAt(1).Loan, 300000);
  EXPECT_EQ(PlayerAt(1).Money, 900000);
  EXPECT_EQ(game.ComputerTurns, turns);
  EXPECT_EQ(game.CurrentPlayer, 2);
  EXPECT_EQ(RollsOf(1), 0);
}

INSTANTIATE_TEST_SUITE_P(BothTimerOrders, ReentryTest,
                         ::testing::Values(TimerOrder::RefreshFirst, TimerOrder::ComputerFirst),
                         [](const auto& info) {
                           return info.param == TimerOrder::RefreshFirst ? "RefreshFirst"
                                                                         : "ComputerFirst";
                         });

}  // namespace
}  // namespace quillbury
