// The events tell every change the rules make to a player's balance: a log that adds them up
// from the start of a game always agrees with the players' cash and loan.
#include <gtest/gtest.h>

#include <array>

#include "GameFixture.h"

namespace quillbury {
namespace {

// Adds up the changes the events report, from the balances at the start of the game.
class BalanceBook final : public GameListener {
 public:
  explicit BalanceBook(const GameRules& rules) : rules_(rules) {}
  void OnGameEvent(const GameEvent& e) override {
    if (e.Type == EventType::GameStarted || e.Type == EventType::GameLoaded) {
      for (std::size_t p = 0; p < rules_.State().Players.size(); ++p) {
        money[p] = rules_.State().Players[p].Money;
        loan[p] = rules_.State().Players[p].Loan;
      }
      return;
    }
    for (std::size_t p = 0; p < kMaxPlayers; ++p) {
      money[p] += e.Changes[p].Money;
      loan[p] += e.Changes[p].Loan;
    }
    ++told;
    // The finished game is still on the board while its end is told.
    if (e.Type == EventType::GameWon || e.Type == EventType::NobodyWon) Check("at the end");
  }
  void Check(const char* when) {
    const auto& players = rules_.State().Players;
    for (std::size_t p = 0; p < players.size(); ++p) {
      ASSERT_EQ(players[p].Money, money[p]) << "cash of player " << p << " " << when;
      ASSERT_EQ(players[p].Loan, loan[p]) << "loan of player " << p << " " << when;
    }
  }
  std::array<std::int64_t, kMaxPlayers> money{}, loan{};
  int told = 0;

 private:
  const GameRules& rules_;
};

TEST(EventStream, BalancesAddUpFromTheEventsThroughWholeGames) {
  for (int players : {2, 3}) {
    SilentDialogs dialogs;
    SeededRandom random(static_cast<std::uint64_t>(40 + players));
    GameRules rules(dialogs, random);
    rules.Settings().AppDir = testing::TestAppDir();
    BalanceBook book(rules);
    rules.AddListener(book);
    int finished = 0;
    for (int game = 0; game < 25; ++game) {
      dialogs.gameOver = false;
      rules.NewGame(players);
      for (Player& p : rules.MutableState().Players) p.CPU = true;
      for (int turn = 0; turn < 800 && !dialogs.gameOver; ++turn) {
        rules.RefreshStatus();
        if (dialogs.gameOver) break;
        book.Check("after a refresh");
        rules.ComputerTurnTick();
        while (rules.Walking()) rules.StepWalk();
        book.Check("after a move");
      }
      finished += dialogs.gameOver ? 1 : 0;
    }
    EXPECT_GT(finished, 5) << "games end, so the settlements and sales were exercised";
    EXPECT_GT(book.told, 1000);
  }
}

// A rent whose payer saturates differently from its owner tells both changes as applied.
TEST(EventStream, SaturatedPaymentsTellWhatWasApplied) {
  testing::FakeDialogs dialogs;
  testing::ScriptedRandom random;
  GameRules rules(dialogs, random);
  rules.Settings().AppDir = testing::TestAppDir();
  testing::EventLog log;
  rules.AddListener(log);
  rules.NewGame(2);
  GameState& game = rules.MutableState();
  game.Grounds[4].Owner = 1;  // square 8, rent 125.000
  game.Players[1].Money = kInt32Max - 1000;
  game.Players[0].Money = kInt32Min + 50000;
  game.Players[0].CurrentPosition = 8;
  rules.ApplySquareEffect(8);
  const GameEvent rent = log.Last(EventType::RentPaid);
  EXPECT_EQ(rent.Amount, 125000);
  EXPECT_EQ(rent.Changes[0], (BalanceChange{-50000, 0}));
  EXPECT_EQ(rent.Changes[1], (BalanceChange{1000, 0}));
}

}  // namespace
}  // namespace quillbury
