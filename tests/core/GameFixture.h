#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/GameRoutines.h"
#include "core/GameSession.h"
#include "core/GroundDatabase.h"
#include "tests/ScriptedDraws.h"

namespace quillbury::testing {

// Draws come from a script; running out of script is a test failure.
class ScriptedRandom final : public RandomSource, public ScriptedDraws {
 public:
  std::int32_t Random(std::int32_t n) override {
    if (draws.empty()) {
      ADD_FAILURE() << "unscripted draw of Random(" << n << ")";
      return 0;
    }
    const std::int32_t v = draws.front();
    draws.pop_front();
    EXPECT_GE(v, 0);
    EXPECT_LT(v, n) << "scripted draw out of range";
    return v;
  }
};

// Records every call and answers questions from queues. onModal runs inside every modal call,
// as the window's nested event loop runs timers there.
class FakePort final : public GamePort {
 public:
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    Modal();
  }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    Modal();
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) override {
    prompts.push_back(prompt);
    defaults.push_back(text);
    (void)caption;
    Modal();
    if (inputs.empty()) return false;
    auto answer = inputs.front();
    inputs.pop_front();
    if (!answer) return false;
    text = *answer;
    return true;
  }
  void PlaySound(const std::string& path) override {
    sounds.push_back(path.substr(path.find_last_of('/') + 1));
  }
  void PlaceToken(int player, int square) override { tokens[player] = square; }
  void SetTokenVisible(int player, bool visible) override { tokenVisible[player] = visible; }
  void RefreshGround(int ground) override { refreshed.push_back(ground); }
  void DrawOwnerFrame(int ground, std::int32_t colour) override {
    frames.push_back({ground, colour});
  }
  void ShowDice(int first, int second) override { diceFaces = {first, second}; }
  void PlaceDice(int) override {}
  void SetDiceVisible(bool visible) override { diceVisible = visible; }
  void SetActionsEnabled(bool enabled) override { actionsEnabled = enabled; }
  void SetRollEnabled(bool enabled) override { rollEnabled = enabled; }
  void SetMovementTimer(bool enabled, int interval) override {
    movementOn = enabled;
    movementInterval = interval;
  }
  void SetRefreshTimer(bool enabled) override { refreshOn = enabled; }
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
  void ShowCasino(const std::string& text) override {
    casino.push_back(text);
    Modal();
  }
  void ShowWon(const std::string& cap, std::int32_t score) override {
    won.push_back({cap, score});
    Modal();
  }
  void RunNewGameCommand() override {
    ++newGameCommands;
    Modal();
  }

  std::string Panel(int panel, PanelField field) const {
    auto it = panel_.find({panel, field});
    return it == panel_.end() ? std::string("<unset>") : it->second;
  }

  std::function<void()> onModal;
  std::deque<bool> answers;
  std::deque<std::optional<std::string>> inputs;

  std::vector<std::string> messages, questions, prompts, defaults, sounds, casino;
  std::vector<std::pair<std::string, std::int32_t>> won;
  std::vector<int> refreshed;
  std::vector<std::pair<int, std::int32_t>> frames;
  std::map<int, int> tokens;
  std::map<int, bool> tokenVisible;
  std::pair<int, int> diceFaces{0, 0};
  bool diceVisible = false, actionsEnabled = true, rollEnabled = false, movementOn = false,
       refreshOn = false;
  int movementInterval = 0, newGameCommands = 0, panelWrites = 0, panelDraws = 0, captionWrites = 0,
      tipWrites = 0;
  std::string caption, tip;
  std::map<int, std::int32_t> panelColour;

 private:
  void Modal() {
    if (onModal && !inModal_) {
      // Like the real event loop, a modal wait does not re-enter the hook that opened it.
      inModal_ = true;
      auto hook = onModal;
      hook();
      inModal_ = false;
    }
  }
  std::map<std::pair<int, PanelField>, std::string> panel_;
  bool inModal_ = false;
};

inline std::string TestAppDir() { return std::string(QUILLBURY_TEST_DATA) + "/core/data/"; }

// A session on the test database (ground N costs N x 100,000) with a fresh game.
class GameTest : public ::testing::Test {
 protected:
  GameTest() : session(port, random) {
    session.AppDir = TestAppDir();
    session.SoundOn = false;
  }

  void StartGame(int players = 2, bool secondIsCpu = false) {
    session.PlayerCount = players;
    session.NewGame();
    session.Game.Players[1].CPU = secondIsCpu;
  }
  Player& PlayerAt(int i) { return session.Game.Players[static_cast<std::size_t>(i)]; }
  Ground& GroundAt(int index) { return session.Game.Grounds[static_cast<std::size_t>(index)]; }
  // Sets a ground's price and the building levels that follow from it, keeping owner and level.
  void SetPrice(int index, std::int32_t price) {
    Ground& g = GroundAt(index);
    const auto owner = g.Owner;
    const auto house = g.House;
    g.Price = price;
    GroundList one{g};
    SetUpBuildingLevels(one);
    g.Houses = one[0].Houses;
    g.Owner = owner;
    g.House = house;
  }
  // Runs the movement timer until the move and its continuation have ended.
  void Walk() {
    int guard = 0;
    while (session.MovementTimerOn() && guard++ < 1000) session.StepWalk();
  }
  void RollAndWalk(int die1, int die2) {
    random.Roll(die1, die2);
    session.Roll();
    Walk();
  }

  FakePort port;
  ScriptedRandom random;
  GameSession session;
};

}  // namespace quillbury::testing
