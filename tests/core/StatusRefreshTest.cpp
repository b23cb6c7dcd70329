#include <gtest/gtest.h>

#include "GameFixture.h"

namespace quillbury {
namespace {

class StatusRefreshTest : public testing::GameTest {};

TEST_F(StatusRefreshTest, PanelsShowEachPlayerAndTheCpuSuffix) {
  StartGame(2, true);
  PlayerAt(0).Loan = 1;
  session.RefreshStatus();
  EXPECT_EQ(port.Panel(0, PanelField::Name), "Mr. Gambler");
  EXPECT_EQ(port.Panel(1, PanelField::Name), "Bart Broker  [CPU]");
  EXPECT_EQ(port.Panel(0, PanelField::Cash), "5.000.000,00");
  EXPECT_EQ(port.Panel(0, PanelField::Loans), "1,00");
  EXPECT_EQ(port.Panel(0, PanelField::Total), "4.999.999,00");
  EXPECT_EQ(port.Panel(0, PanelField::Salary), "300.000,00");
  EXPECT_EQ(port.Panel(0, PanelField::Lots), "0,00");
  EXPECT_EQ(port.caption, "Mr. Gambler's turn");
  EXPECT_EQ(port.tip, kLoanTipText);
  session.CurrentPlayerID = 1;
  session.RefreshStatus();
  EXPECT_EQ(port.caption, "Bart Broker's turn") << "no CPU suffix in the caption";
  EXPECT_EQ(port.tip, "");
}

TEST_F(StatusRefreshTest, ThirdPanelIsGreyAndEmptyInATwoPlayerGame) {
  StartGame(3);
  session.RefreshStatus();
  EXPECT_EQ(port.panelColour[2], kPanelColour);
  EXPECT_EQ(port.Panel(2, PanelField::Name), "Mr. Gambler");
  StartGame(2);
  session.RefreshStatus();
  EXPECT_EQ(port.panelColour[2], kGreyPanelColour);
  EXPECT_EQ(port.panelColour[0], kPanelColour);
  for (auto f : {PanelField::Name, PanelField::Cash, PanelField::Lots, PanelField::Buildings,
                 PanelField::Loans, PanelField::Total, PanelField::Salary}) {
    EXPECT_EQ(port.Panel(2, f), "");
  }
}

TEST_F(StatusRefreshTest, RefreshesWithNothingNewDrawNothing) {
  StartGame(3);
  session.RefreshStatus();
  const int writes = port.panelWrites, draws = port.panelDraws, captions = port.captionWrites,
            tips = port.tipWrites;
  for (int i = 0; i < 100; ++i) session.RefreshStatus();
  EXPECT_EQ(port.panelWrites, writes);
  EXPECT_EQ(port.panelDraws, draws);
  EXPECT_EQ(port.captionWrites, captions);
  EXPECT_EQ(port.tipWrites, tips);
  PlayerAt(1).Money += 1;
  session.RefreshStatus();
  EXPECT_EQ(port.panelWrites, writes + 2) << "cash and total of one panel";
}

TEST_F(StatusRefreshTest, BrokePlayerKeepsHisFiguresAndLosesHisToken) {
  StartGame(3);
  session.RefreshStatus();
  PlayerAt(2).Money = -30000;
  session.RefreshStatus();
  EXPECT_FALSE(port.tokenVisible[2]);
  EXPECT_EQ(port.Panel(2, PanelField::Cash), "70.000,00");
  EXPECT_EQ(port.Panel(2, PanelField::Total), "-30.000,00");
}

TEST_F(StatusRefreshTest, PlaceholderBeforeTheFirstGameShowsZeroesAndNoCaption) {
  session.NoGameYet = true;
  session.SetUpPlaceholderGame();
  session.RefreshStatus();
  EXPECT_EQ(port.Panel(0, PanelField::Cash), "0,00");
  EXPECT_EQ(port.Panel(0, PanelField::Name), "");
  EXPECT_EQ(port.caption, "");
  EXPECT_EQ(port.panelColour[2], kGreyPanelColour);
}

}  // namespace
}  // namespace quillbury
