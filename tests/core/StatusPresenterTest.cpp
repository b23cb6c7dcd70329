#include <gtest/gtest.h>

#include <map>

#include "GameFixture.h"
#include "core/StatusPresenter.h"

namespace quillbury {
namespace {

// Records what the presenter shows and how often it touches the display.
class FakeView final : public StatusView {
 public:
  void SetPanelText(int panel, PanelField field, const std::string& text) override {
    panel_[{panel, field}] = text;
    ++panelWrites;
  }
  void DrawStatusPanel(int panel, std::int32_t colour) override {
    panelColour[panel] = colour;
    ++panelDraws;
  }
  void SetTurnCaption(const std::string& text) override {
    caption = text;
    ++captionWrites;
  }
  void SetTip(const std::string& text) override {
    tip = text;
    ++tipWrites;
  }
  void SetRollEnabled(bool enabled) override {
    rollEnabled = enabled;
    ++controlWrites;
  }
  void SetActionsEnabled(bool enabled) override {
    actionsEnabled = enabled;
    ++controlWrites;
  }
  std::string Panel(int panel, PanelField field) const {
    auto it = panel_.find({panel, field});
    return it == panel_.end() ? std::string("<unset>") : it->second;
  }

  int panelWrites = 0, panelDraws = 0, captionWrites = 0, tipWrites = 0, controlWrites = 0;
  std::string caption, tip;
  bool rollEnabled = false, actionsEnabled = false;
  std::map<int, std::int32_t> panelColour;

 private:
  std::map<std::pair<int, PanelField>, std::string> panel_;
};

// The window's refresh: the rules settle, the presenter shows.
class StatusRefreshTest : public testing::GameTest {
 protected:
  void Refresh() {
    rules.RefreshStatus();
    presenter.Show(game, {rules.RollAllowed(), rules.ActionsAllowed()});
  }
  FakeView port;
  StatusPresenter presenter{port};
};

TEST_F(StatusRefreshTest, PanelsShowEachPlayerAndTheCpuSuffix) {
  StartGame(2, true);
  PlayerAt(0).Loan = 1;
  Refresh();
  EXPECT_EQ(port.Panel(0, PanelField::Name), "Mr. Gambler");
  EXPECT_EQ(port.Panel(1, PanelField::Name), "Bart Broker  [CPU]");
  EXPECT_EQ(port.Panel(0, PanelField::Cash), "5.000.000,00");
  EXPECT_EQ(port.Panel(0, PanelField::Loans), "1,00");
  EXPECT_EQ(port.Panel(0, PanelField::Total), "4.999.999,00");
  EXPECT_EQ(port.Panel(0, PanelField::Salary), "300.000,00");
  EXPECT_EQ(port.Panel(0, PanelField::Lots), "0,00");
  EXPECT_EQ(port.caption, "Mr. Gambler's turn");
  EXPECT_EQ(port.tip, kLoanTipText);
  game.CurrentPlayer = 1;
  Refresh();
  EXPECT_EQ(port.caption, "Bart Broker's turn") << "no CPU suffix in the caption";
  EXPECT_EQ(port.tip, "");
}

TEST_F(StatusRefreshTest, ThirdPanelIsGreyAndEmptyInATwoPlayerGame) {
  StartGame(3);
  Refresh();
  EXPECT_EQ(port.panelColour[2], kPanelColour);
  EXPECT_EQ(port.Panel(2, PanelField::Name), "Mr. Gambler");
  StartGame(2);
  Refresh();
  EXPECT_EQ(port.panelColour[2], kGreyPanelColour);
  EXPECT_EQ(port.panelColour[0], kPanelColour);
  for (auto f : {PanelField::Name, PanelField::Cash, PanelField::Lots, PanelField::Buildings,
                 PanelField::Loans, PanelField::Total, PanelField::Salary}) {
    EXPECT_EQ(port.Panel(2, f), "");
  }
}

TEST_F(StatusRefreshTest, RefreshesWithNothingNewDrawNothing) {
  StartGame(3);
  Refresh();
  const int writes = port.panelWrites, draws = port.panelDraws, captions = port.captionWrites,
            tips = port.tipWrites;
  for (int i = 0; i < 100; ++i) Refresh();
  EXPECT_EQ(port.panelWrites, writes);
  EXPECT_EQ(port.panelDraws, draws);
  EXPECT_EQ(port.captionWrites, captions);
  EXPECT_EQ(port.tipWrites, tips);
  PlayerAt(1).Money += 1;
  Refresh();
  EXPECT_EQ(port.panelWrites, writes + 2) << "cash and total of one panel";
  EXPECT_EQ(port.controlWrites, 2) << "Roll and the actions were set once";
  random.Roll(1, 2);
  rules.Roll();
  presenter.ShowControls({rules.RollAllowed(), rules.ActionsAllowed()});
  EXPECT_FALSE(port.rollEnabled);
  EXPECT_FALSE(port.actionsEnabled);
  EXPECT_EQ(port.controlWrites, 4);
}

TEST_F(StatusRefreshTest, BrokePlayerKeepsHisFiguresAndLosesHisToken) {
  StartGame(3);
  Refresh();
  PlayerAt(2).Money = -30000;
  Refresh();
  EXPECT_FALSE(PlayerAt(2).Playing);
  EXPECT_EQ(port.Panel(2, PanelField::Cash), "70.000,00");
  EXPECT_EQ(port.Panel(2, PanelField::Total), "-30.000,00");
}

TEST_F(StatusRefreshTest, PlaceholderBeforeTheFirstGameShowsZeroesAndNoCaption) {
  rules.SetUpPlaceholderGame();
  Refresh();
  EXPECT_EQ(port.Panel(0, PanelField::Cash), "0,00");
  EXPECT_EQ(port.Panel(0, PanelField::Name), "");
  EXPECT_EQ(port.caption, "");
  EXPECT_EQ(port.panelColour[2], kGreyPanelColour);
}

}  // namespace
}  // namespace quillbury
