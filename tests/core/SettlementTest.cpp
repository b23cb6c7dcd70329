#include <gtest/gtest.h>

#include "GameFixture.h"

namespace quillbury {
namespace {

class SettlementTest : public testing::GameTest {
 protected:
  void SetUp() override {
    StartGame(2, false);
    for (auto& g : game.Grounds) g.Owner = -1;
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
    rules.SettlePlayer(0);
    EXPECT_EQ(PlayerAt(0).Loan, c.loanAfter) << c.money;
    EXPECT_EQ(PlayerAt(0).Money, c.moneyAfter) << c.money;
  }
}

TEST_F(SettlementTest, PlayerWithGroundsStaysInAndOneWithoutDropsOutKeepingCash) {
  SetPrice(0, 500000);
  GroundAt(0).Owner = 0;
  PlayerAt(0).Money = -30000;
  auto s = rules.SettlePlayer(0);
  EXPECT_TRUE(PlayerAt(0).Playing);
  EXPECT_EQ(s.Total, 470000);

  PlayerAt(1).Money = -30000;
  s = rules.SettlePlayer(1);
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
  const std::int64_t worth = WorthOf(game, 0).Lots + WorthOf(game, 0).Buildings;
  PlayerAt(0).Money = 0;
  PlayerAt(0).Loan = static_cast<std::int32_t>(worth) + 1;
  events.events.clear();
  const auto s = rules.SettlePlayer(0);
  std::vector<std::pair<EventType, int>> sales;
  for (const GameEvent& e : events.events) {
    if (e.Type == EventType::PlayerOut) continue;
    EXPECT_TRUE(e.Forced) << EventName(e.Type);
    sales.emplace_back(e.Type, e.Ground);
  }
  const auto building = EventType::BuildingSold;
  const auto company = EventType::CompanySold;
  EXPECT_EQ(sales, (std::vector<std::pair<EventType, int>>{
                       {building, 3}, {building, 12}, {company, 3}, {company, 7}, {company, 12}}));
  EXPECT_EQ(events.events.back().Type, EventType::PlayerOut);
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
  rules.SellBuildingsOf(0, 2, 0, false);
  rules.SellCompanyOf(0, 2, false);
  rules.SellBuildingsOf(1, 2, 3, false);  // more levels than there are
  EXPECT_EQ(GroundAt(2).Owner, 1);
  EXPECT_EQ(GroundAt(2).House, 2);
  EXPECT_EQ(PlayerAt(0).Money, 5000000);
}

TEST_F(SettlementTest, TwoPlayerGameEndsWithTheLostMessageAndANewGameCommand) {
  PlayerAt(1).Name = "Bob";
  PlayerAt(1).Money = -1;
  std::vector<bool> refreshing;
  dialogs.onModal = [&] { refreshing.push_back(rules.RefreshOn()); };
  rules.RefreshStatus();
  // Off behind the lost message; on again behind the New Game command, for the reset game.
  EXPECT_EQ(refreshing, (std::vector<bool>{false, true}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Bob has lost the game! Mr. Gambler wins!");
  EXPECT_EQ(dialogs.newGameCommands, 1);
  EXPECT_FALSE(rules.RollAllowed());
  EXPECT_FALSE(rules.ActionsAllowed());
  EXPECT_TRUE(rules.RefreshOn()) << "the reset game is refreshed behind the dialog";
  EXPECT_EQ(PlayerAt(1).Name, "Bart Broker");
  EXPECT_TRUE(dialogs.won.empty());
}

TEST_F(SettlementTest, BothPlayersBrokeInOneRefreshShowOnlyOneMessage) {
  PlayerAt(0).Money = -1;
  PlayerAt(1).Money = -1;
  rules.RefreshStatus();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Mr. Gambler has lost the game! Bart Broker wins!");
  EXPECT_EQ(dialogs.newGameCommands, 1);
}

TEST_F(SettlementTest, ThreePlayerGameGoesOnAfterOneDropsOutAndCrownsTheLast) {
  StartGame(3);
  PlayerAt(2).Money = -1;
  rules.RefreshStatus();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.newGameCommands, 0);
  PlayerAt(0).Name = "Winner";
  PlayerAt(0).Money = 2400000;
  SetPrice(0, 900000);
  GroundAt(0).Owner = 0;
  PlayerAt(0).Loan = 300000;
  PlayerAt(1).Money = -1;
  bool refreshingBehindTheWonDialog = true;
  dialogs.onModal = [&] {
    if (dialogs.won.size() == 1 && dialogs.newGameCommands == 0) {
      refreshingBehindTheWonDialog = rules.RefreshOn() || rules.RollAllowed();
    }
  };
  rules.RefreshStatus();
  EXPECT_FALSE(refreshingBehindTheWonDialog) << "nothing of the finished game moves";
  ASSERT_EQ(dialogs.won.size(), 1u);
  EXPECT_EQ(dialogs.won[0].first, "Winner has won the game!");
  EXPECT_EQ(dialogs.won[0].second, 2400000) << "the score is the cash alone";
  EXPECT_EQ(dialogs.newGameCommands, 1);
  EXPECT_EQ(events.Last(EventType::GameWon).Player, 0);
}

TEST_F(SettlementTest, LastTwoBrokeTogetherEndTheGameWithNobodyWinning) {
  StartGame(3);
  PlayerAt(0).Playing = false;
  PlayerAt(1).Money = -1;
  PlayerAt(2).Money = -1;
  rules.RefreshStatus();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], kNobodyWinsText);
  EXPECT_TRUE(dialogs.won.empty());
  EXPECT_EQ(dialogs.newGameCommands, 1);
  EXPECT_EQ(events.Count(EventType::NobodyWon), 1);
  EXPECT_EQ(events.Count(EventType::GameWon), 0);
}

TEST_F(SettlementTest, NothingEndsBeforeTheFirstGame) {
  GameRules fresh(dialogs, random);
  fresh.Settings().AppDir = testing::TestAppDir();
  fresh.SetUpPlaceholderGame();
  EXPECT_FALSE(fresh.HasGame());
  fresh.SetRollAllowed(true);
  fresh.RefreshStatus();
  fresh.CheckGameEnd();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.newGameCommands, 0);
}

TEST_F(SettlementTest, EndOfGameStopsAMoveSoTheFinishedGameCannotGoOn) {
  random.Roll(3, 4);
  rules.Roll();
  PlayerAt(1).Money = -1;
  rules.RefreshStatus();
  EXPECT_FALSE(rules.Walking());
  EXPECT_EQ(game.StepsLeft, 0);
}

// However the grounds are priced, a player who goes out keeps none of them: a company that
// fetches nothing is still given up.
TEST_F(SettlementTest, APlayerWhoGoesOutKeepsNoCompanyWhateverItsPrice) {
  SetPrice(3, 0);
  GroundAt(3).Owner = 0;
  GroundAt(3).House = 2;
  SetPrice(9, 0);
  GroundAt(9).Owner = 0;
  PlayerAt(0).Money = 0;
  PlayerAt(0).Loan = 1;
  rules.SettlePlayer(0);
  EXPECT_FALSE(PlayerAt(0).Playing);
  EXPECT_EQ(GroundAt(3).Owner, -1);
  EXPECT_EQ(GroundAt(3).House, -1);
  EXPECT_EQ(GroundAt(9).Owner, -1);
}

}  // namespace
}  // namespace quillbury
