// The window's modal messages and prompts run its timers in a nested event loop, so the refresh,
// the computer player and even a whole move can happen inside another handler's wait.
#include <gtest/gtest.h>

#include "GameFixture.h"

namespace quillbury {
namespace {

class ReentryTest : public testing::GameTest {
 protected:
  // What the window's nested event loop does: refresh, let the computer player act, walk.
  void NestedEventLoop() {
    dialogs.onModal = [this] {
      if (rules.RefreshOn()) rules.RefreshStatus();
      rules.ComputerTurnTick();
      Walk();
    };
  }
};

TEST_F(ReentryTest, ComputerStartsItsExtraTurnWhileTheExtraTurnMessageIsOpen) {
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

TEST_F(ReentryTest, ComputerStaysIdleWhileAHumanAnswersAPurchase) {
  StartGame(2, true);
  NestedEventLoop();
  dialogs.answers = {true};
  PlayerAt(0).CurrentPosition = 1;
  RollAndWalk(1, 1);  // square 3, the human is asked
  EXPECT_EQ(GroundAt(1).Owner, 0);
  EXPECT_EQ(game.CurrentPlayer, 1);
  EXPECT_EQ(game.ComputerTurns, 0) << "the question was open during the human's turn";
}

TEST_F(ReentryTest, ActionsReadTheGameOnlyAfterThePromptCloses) {
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

TEST_F(ReentryTest, AMoveWhoseGameEndedDuringItsMessageDoesNotTouchTheNewGame) {
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

}  // namespace
}  // namespace quillbury
