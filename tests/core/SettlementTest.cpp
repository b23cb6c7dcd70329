#include <gtest/gtest.h>

#include "GameFixture.h"

namespace quillbury {
namespace {

class SettlementTest : public testing::GameTest {
 protected:
  void SetUp() override {
    StartGame(2, false);
    for (auto& g : session.Game.Grounds) g.Owner = -1;
  }
};

TEST_F(SettlementTest, NegativeCashBecomesLoanInStepsOfOneHundredThousand) {
  struct Case {
    std::int32_t money, loanAfter, moneyAfter;
  };
  const Case cases[] = {{-30000, 100000, 70000},
                        {-250000, 300000, 50000},
                        {-100000, 100000, 0},
                        {kInt32Min, kInt32Max, 16352}};
  for (const Case& c : cases) {
    PlayerAt(0).Money = c.money;
    PlayerAt(0).Loan = 0;
    PlayerAt(0).Playing = true;
    SetPrice(0, kInt32Max);
    GroundAt(0).Owner = 0;  // worth enough to stay in
    session.SettlePlayer(0);
    EXPECT_EQ(PlayerAt(0).Loan, c.loanAfter) << c.money;
    EXPECT_EQ(PlayerAt(0).Money, c.moneyAfter) << c.money;
  }
}

TEST_F(SettlementTest, PlayerWithGroundsStaysInAndOneWithoutDropsOutKeepingCash) {
  SetPrice(0, 500000);
  GroundAt(0).Owner = 0;
  PlayerAt(0).Money = -30000;
  auto s = session.SettlePlayer(0);
  EXPECT_TRUE(PlayerAt(0).Playing);
  EXPECT_EQ(s.Total, 470000);

  PlayerAt(1).Money = -30000;
  s = session.SettlePlayer(1);
  EXPECT_FALSE(PlayerAt(1).Playing);
  EXPECT_EQ(PlayerAt(1).Money, 70000);
  EXPECT_EQ(PlayerAt(1).Loan, 100000);
  EXPECT_EQ(s.Total, -30000);
}

TEST_F(SettlementTest, BrokePlayerLosesBuildingsThenGroundsInIndexOrder) {
  GroundAt(3).Owner = 0;
  GroundAt(3).House = 1;
  GroundAt(7).Owner = 0;
  GroundAt(12).Owner = 0;
  GroundAt(12).House = 3;
  const std::int64_t worth = WorthOf(session.Game, 0).Lots + WorthOf(session.Game, 0).Buildings;
  PlayerAt(0).Money = 0;
  PlayerAt(0).Loan = static_cast<std::int32_t>(worth) + 1;
  port.refreshed.clear();
  const auto s = session.SettlePlayer(0);
  EXPECT_EQ(port.refreshed, (std::vector<int>{3, 12, 3, 7, 12}));
  EXPECT_FALSE(PlayerAt(0).Playing);
  for (int g : {3, 7, 12}) {
    EXPECT_EQ(GroundAt(g).Owner, -1);
    EXPECT_EQ(GroundAt(g).House, -1);
  }
  EXPECT_EQ(s.Total, -1) << "the sales never change the worth";
  EXPECT_EQ(PlayerAt(0).Money, worth);
  EXPECT_EQ(PlayerAt(0).Loan, worth + 1);
}

TEST_F(SettlementTest, SalesHelpersIgnoreGroundsThePlayerDoesNotOwn) {
  GroundAt(2).Owner = 1;
  GroundAt(2).House = 2;
  session.SellBuildingsOf(0, 2, 0);
  session.SellCompanyOf(0, 2);
  session.SellBuildingsOf(1, 2, 3);  // more levels than there are
  EXPECT_EQ(GroundAt(2).Owner, 1);
  EXPECT_EQ(GroundAt(2).House, 2);
  EXPECT_EQ(PlayerAt(0).Money, 5000000);
}

TEST_F(SettlementTest, TwoPlayerGameEndsWithTheLostMessageAndANewGameCommand) {
  PlayerAt(1).Name = "Bob";
  PlayerAt(1).Money = -1;
  session.RefreshStatus();
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0], "Bob has lost the game! Mr. Gambler wins!");
  EXPECT_EQ(port.newGameCommands, 1);
  EXPECT_FALSE(port.rollEnabled);
  EXPECT_FALSE(port.actionsEnabled);
  EXPECT_TRUE(port.refreshOn) << "the reset game is refreshed behind the dialog";
  EXPECT_EQ(PlayerAt(1).Name, "Bart Broker");
  EXPECT_TRUE(port.won.empty());
}

TEST_F(SettlementTest, BothPlayersBrokeInOneRefreshShowOnlyOneMessage) {
  PlayerAt(0).Money = -1;
  PlayerAt(1).Money = -1;
  session.RefreshStatus();
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0], "Mr. Gambler has lost the game! Bart Broker wins!");
  EXPECT_EQ(port.newGameCommands, 1);
}

TEST_F(SettlementTest, ThreePlayerGameGoesOnAfterOneDropsOutAndCrownsTheLast) {
  StartGame(3);
  PlayerAt(2).Money = -1;
  session.RefreshStatus();
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(port.newGameCommands, 0);
  PlayerAt(0).Name = "Winner";
  PlayerAt(0).Money = 2400000;
  SetPrice(0, 900000);
  GroundAt(0).Owner = 0;
  PlayerAt(0).Loan = 300000;
  PlayerAt(1).Money = -1;
  session.RefreshStatus();
  ASSERT_EQ(port.won.size(), 1u);
  EXPECT_EQ(port.won[0].first, "Winner has won the game!");
  EXPECT_EQ(port.won[0].second, 2400000) << "the score is the cash alone";
  EXPECT_EQ(port.newGameCommands, 1);
  EXPECT_EQ(session.LastOutcome().Winner, 0);
}

TEST_F(SettlementTest, LastTwoBrokeTogetherEndTheGameWithNobodyWinning) {
  StartGame(3);
  PlayerAt(0).Playing = false;
  PlayerAt(1).Money = -1;
  PlayerAt(2).Money = -1;
  session.RefreshStatus();
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0], kNobodyWinsText);
  EXPECT_TRUE(port.won.empty());
  EXPECT_EQ(port.newGameCommands, 1);
  EXPECT_EQ(session.LastOutcome().Winner, -1);
}

TEST_F(SettlementTest, NothingEndsBeforeTheFirstGame) {
  session.NoGameYet = true;
  session.SetUpPlaceholderGame();
  session.RefreshStatus();
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(port.newGameCommands, 0);
  EXPECT_FALSE(port.tokenVisible[0]);
  EXPECT_FALSE(port.tokenVisible[1]);
}

TEST_F(SettlementTest, EndOfGameStopsAMoveSoTheFinishedGameCannotGoOn) {
  random.Roll(3, 4);
  session.Roll();
  PlayerAt(1).Money = -1;
  session.RefreshStatus();
  EXPECT_FALSE(session.MovementTimerOn());
  EXPECT_EQ(session.Left, 0);
}

}  // namespace
}  // namespace quillbury
