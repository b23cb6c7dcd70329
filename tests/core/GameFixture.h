#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/GameRoutines.h"
#include "core/GameRules.h"
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

// Records every dialog and answers questions from queues. onModal runs inside every modal call,
// as the window's nested event loop runs timers there.
class FakeDialogs final : public GameDialogs {
 public:
  struct Prompt {
    std::string Caption, Text, Default;
  };

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
    prompts.push_back({caption, prompt, text});
    Modal();
    if (inputs.empty()) return false;
    auto answer = inputs.front();
    inputs.pop_front();
    if (!answer) return false;
    text = *answer;
    return true;
  }
  void ShowCasino(const std::string& text) override {
    casino.push_back(text);
    Modal();
  }
  void ShowWon(const std::string& caption, std::int32_t score) override {
    won.push_back({caption, score});
    Modal();
  }
  void RunNewGameCommand() override {
    ++newGameCommands;
    Modal();
  }

  std::function<void()> onModal;
  std::deque<bool> answers;
  std::deque<std::optional<std::string>> inputs;

  std::vector<std::string> messages, questions, casino;
  std::vector<Prompt> prompts;
  std::vector<std::pair<std::string, std::int32_t>> won;
  int newGameCommands = 0;

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
  bool inModal_ = false;
};

// Every event the rules told, in order.
class EventLog final : public GameListener {
 public:
  void OnGameEvent(const GameEvent& event) override { events.push_back(event); }
  int Count(EventType type) const {
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [type](const GameEvent& e) { return e.Type == type; }));
  }
  // The last event of the type; fails the test when there is none.
  GameEvent Last(EventType type) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
      if (it->Type == type) return *it;
    }
    ADD_FAILURE() << "no event " << EventName(type);
    return GameEvent{};
  }
  std::vector<GameEvent> events;
};

inline std::string TestAppDir() { return std::string(QUILLBURY_TEST_DATA) + "/core/data/"; }

// Rules on the test database (ground N costs N x 100,000) with a fresh game.
class GameTest : public ::testing::Test {
 protected:
  GameTest() : rules(dialogs, random), game(rules.MutableState()) {
    rules.Settings().AppDir = TestAppDir();
    rules.AddListener(events);
  }

  void StartGame(int players = 2, bool secondIsCpu = false) {
    rules.NewGame(players);
    game.Players[1].CPU = secondIsCpu;
  }
  Player& PlayerAt(int i) { return rules.MutableState().Players[static_cast<std::size_t>(i)]; }
  Ground& GroundAt(int index) {
    return rules.MutableState().Grounds[static_cast<std::size_t>(index)];
  }
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
  // Steps until the move and its continuation have ended.
  void Walk() {
    int guard = 0;
    while (rules.Walking() && guard++ < 1000) rules.StepWalk();
  }
  void RollAndWalk(int die1, int die2) {
    random.Roll(die1, die2);
    rules.Roll();
    Walk();
  }

  FakeDialogs dialogs;
  ScriptedRandom random;
  EventLog events;
  GameRules rules;
  GameState& game;  // the rules' game, replaced in place by every new game and load
};

}  // namespace quillbury::testing
