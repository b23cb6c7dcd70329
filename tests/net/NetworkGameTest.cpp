// A host and two joined programs in one process, over real WebSocket connections on the
// loopback: the host's rules play, the joined seats decide from afar.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "core/GroundDatabase.h"
#include "localisation/IniFile.h"
#include "net/GameClient.h"
#include "net/GameHost.h"
#include "net/NetMessage.h"
#include "persistence/GameFile.h"

namespace quillbury::net {
namespace {

std::string AppDir() { return std::string(QUILLBURY_TEST_DATA) + "/core/data/"; }

// A player who buys what he can afford, never bribes and never uses the finance actions.
class SimplePlayer final : public Seat {
 public:
  bool WantsToBuy(const GameState&, int, int) override { return true; }
  bool WantsToBribe(const GameState&, int) override { return false; }
  NumberAnswer ChooseNumber(NumberQuestion, const GameState&, int,
                            std::optional<std::int32_t>) override {
    return NumberAnswer::Nothing();
  }
};

bool Until(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Plays the host's game to its end: the computer's ticks, the walk and the refresh, while the
// event loop carries the joined players' rolls and answers. Players 0 and 1 are persons.
GameState PlayOut(GameRules& rules, SilentDialogs& dialogs, const std::function<void()>& between,
                  int maxTurns = 3000) {
  // The window's timers wake its event loop every 10 ms; a waiting test needs the same.
  QTimer wake;
  wake.start(5);
  GameState last;
  for (int tick = 0; tick < maxTurns * 50 && !dialogs.gameOver; ++tick) {
    rules.RefreshStatus();
    if (dialogs.gameOver) break;
    between();
    rules.ComputerTurnTick();
    while (rules.Walking()) rules.StepWalk();
    last = rules.State();
  }
  return last;
}

NewGameChoice Choice() {
  NewGameChoice choice;
  choice.PlayerCount = 3;
  choice.Seats[0] = {"Ann", 400000, false};
  choice.Seats[1] = {"Bob", 400000, false};
  choice.Seats[2] = {"Cid", 400000, true};
  return choice;
}

// Captures the finished game when its end is told, before the board is reset.
class FinalState final : public GameListener {
 public:
  explicit FinalState(const GameRules& rules) : rules_(rules) {}
  void OnGameEvent(const GameEvent& e) override {
    if (e.Type == EventType::GameWon || e.Type == EventType::NobodyWon) state = rules_.State();
  }
  GameState state;

 private:
  const GameRules& rules_;
};

TEST(NetworkGame, JoinedPlayersSeeTheHostsGameAndItEqualsTheSameGameAtOneScreen) {
  const GroundList grounds = FreshGrounds(IniFile(AppDir() + "database.dat"));

  // The same game at one screen, with the same decisions.
  GameState alone;
  {
    SilentDialogs dialogs;
    SeededRandom random(17);
    GameRules rules(dialogs, random);
    rules.Settings().AppDir = AppDir();
    SimplePlayer person;
    rules.SetSeat(SeatKind::Person, person);
    FinalState final(rules);
    rules.AddListener(final);
    rules.StartNewGame(Choice());
    PlayOut(rules, dialogs, [&] {
      if (!rules.State().Players[static_cast<std::size_t>(rules.State().CurrentPlayer)].CPU) {
        rules.Roll();
      }
    });
    ASSERT_TRUE(dialogs.gameOver) << "the game ends: current " << rules.State().CurrentPlayer
                                  << " roll " << rules.RollAllowed() << " walking "
                                  << rules.Walking() << " money " << rules.State().Players[0].Money
                                  << "/" << rules.State().Players[1].Money << "/"
                                  << rules.State().Players[2].Money << " playing "
                                  << rules.State().Players[0].Playing
                                  << rules.State().Players[1].Playing
                                  << rules.State().Players[2].Playing;
    alone = final.state;
  }

  SilentDialogs dialogs;
  SeededRandom random(17);
  GameRules rules(dialogs, random);
  rules.Settings().AppDir = AppDir();
  FinalState final(rules);
  rules.AddListener(final);
  rules.StartNewGame(Choice());
  GameHost host(rules);
  ASSERT_TRUE(host.Listen(0));
  host.OpenSeat(0);
  host.OpenSeat(1);
  const QUrl url(QStringLiteral("ws://127.0.0.1:%1").arg(host.Port()));

  SimplePlayer ann, bob;
  GameClient a(ann, grounds), b(bob, grounds);
  QObject::connect(&a, &GameClient::MyTurn, &a, [&a] { a.Roll(); });
  // What each joined program holds when the end is told (the host then resets its board).
  QString aAtEnd, bAtEnd;
  QObject::connect(&a, &GameClient::EventReceived, &a, [&](const QString& name) {
    if (name == QStringLiteral("won") || name == QStringLiteral("no-winner"))
      aAtEnd = a.LastStateText();
  });
  QObject::connect(&b, &GameClient::EventReceived, &b, [&](const QString& name) {
    if (name == QStringLiteral("won") || name == QStringLiteral("no-winner"))
      bAtEnd = b.LastStateText();
  });
  QObject::connect(&b, &GameClient::MyTurn, &b, [&b] { b.Roll(); });
  a.Join(url, host.InviteCode(), QStringLiteral("Ann"));
  ASSERT_TRUE(Until([&] { return a.Joined(); }));
  b.Join(url, host.InviteCode(), QStringLiteral("Bob"));
  ASSERT_TRUE(Until([&] { return b.Joined(); }));
  EXPECT_EQ(a.SeatIndex(), 0);
  EXPECT_EQ(b.SeatIndex(), 1);

  PlayOut(rules, dialogs, [&] {
    host.Poll();
    // A joined player's turn waits for his roll to come over the connection.
    const int current = rules.State().CurrentPlayer;
    if (current < 2 && rules.RollAllowed()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } else {
      QCoreApplication::processEvents();
    }
  });
  ASSERT_TRUE(dialogs.gameOver) << "current " << rules.State().CurrentPlayer << " roll "
                                << rules.RollAllowed() << " walking " << rules.Walking()
                                << " refused " << host.RefusedMessages() << " a " << a.Refusals();
  EXPECT_EQ(BuildGameText(final.state), BuildGameText(alone)) << "as at one screen";
  // The joined programs end with the host's final state.
  const QString expected = QString::fromStdString(BuildGameText(final.state));
  EXPECT_TRUE(Until([&] { return aAtEnd == expected && bAtEnd == expected; }));
  EXPECT_EQ(host.RefusedMessages(), 0);
}

// A wrong invite code is refused without telling whether a seat is open; malformed, oversized,
// out-of-turn and unknown messages are refused and never applied.
TEST(NetworkGame, WrongCodesAndBadMessagesAreRefused) {
  const GroundList grounds = FreshGrounds(IniFile(AppDir() + "database.dat"));
  SilentDialogs dialogs;
  SeededRandom random(3);
  GameRules rules(dialogs, random);
  rules.Settings().AppDir = AppDir();
  rules.StartNewGame(Choice());
  GameHost host(rules);
  ASSERT_TRUE(host.Listen(0));
  host.OpenSeat(1);
  const QUrl url(QStringLiteral("ws://127.0.0.1:%1").arg(host.Port()));
  SimplePlayer player;

  GameClient stranger(player, grounds);
  stranger.Join(url, QStringLiteral("WRONG1"), QStringLiteral("Eve"));
  ASSERT_TRUE(Until([&] { return stranger.Refusals() == 1; }));
  EXPECT_FALSE(stranger.Joined());
  EXPECT_FALSE(host.SeatTaken(1));

  GameClient bob(player, grounds);
  bob.Join(url, host.InviteCode(), QStringLiteral("Bob"));
  ASSERT_TRUE(Until([&] { return bob.Joined(); }));
  const GameState before = rules.State();
  bob.SendRaw(QStringLiteral("not json"));
  bob.SendRaw(QString(kMaxMessageBytes + 1, QLatin1Char('x')));
  bob.SendRaw(QStringLiteral("{\"v\": 99, \"type\": \"roll\"}"));
  bob.Roll();  // Ann's turn, not Bob's
  ASSERT_TRUE(Until([&] { return bob.Refusals() == 4; }));
  EXPECT_EQ(rules.State(), before) << "nothing was applied";
  EXPECT_FALSE(rules.Walking());
}

// A player whose program drops keeps his seat and comes back with his token to the whole state;
// while he is gone his questions are answered for him, so the game never hangs.
TEST(NetworkGame, ADroppedPlayerRejoinsWithHisToken) {
  const GroundList grounds = FreshGrounds(IniFile(AppDir() + "database.dat"));
  SilentDialogs dialogs;
  SeededRandom random(5);
  GameRules rules(dialogs, random);
  rules.Settings().AppDir = AppDir();
  rules.StartNewGame(Choice());
  GameHost host(rules);
  ASSERT_TRUE(host.Listen(0));
  host.OpenSeat(0);
  const QUrl url(QStringLiteral("ws://127.0.0.1:%1").arg(host.Port()));
  SimplePlayer player;
  auto ann = std::make_unique<GameClient>(player, grounds);
  ann->Join(url, host.InviteCode(), QStringLiteral("Ann"));
  ASSERT_TRUE(Until([&] { return ann->Joined(); }));
  const QString token = ann->Token();
  ann->Leave();
  ASSERT_TRUE(Until([&] { return !host.SeatTaken(0); }));
  EXPECT_FALSE(host.Ask(0, {{QStringLiteral("question"), QStringLiteral("bribe")}}))
      << "nobody there to answer";

  // The invite code alone does not give the seat back; the token does.
  GameClient other(player, grounds);
  other.Join(url, host.InviteCode(), QStringLiteral("Mallory"));
  ASSERT_TRUE(Until([&] { return other.Refusals() == 1; }));
  GameClient back(player, grounds);
  back.Join(url, QString(), QStringLiteral("Ann"), token);
  ASSERT_TRUE(Until([&] { return back.Joined(); }));
  EXPECT_EQ(back.SeatIndex(), 0);
  EXPECT_EQ(back.State(), *ParseGameText(BuildGameText(rules.State()), grounds));
}

// A seat whose player is gone is played by the classic computer until he is back; then his own
// program rolls again. When the host quits, every joined program keeps the last state, which is
// a whole saved game.
TEST(NetworkGame, TheComputerStandsInForAGonePlayerAndTheHostsEndIsTold) {
  const GroundList grounds = FreshGrounds(IniFile(AppDir() + "database.dat"));
  SilentDialogs dialogs;
  SeededRandom random(9);
  GameRules rules(dialogs, random);
  rules.Settings().AppDir = AppDir();
  NewGameChoice choice = Choice();
  choice.PlayerCount = 2;
  choice.Seats[0].Money = choice.Seats[1].Money = 50000000;  // no end in sight
  rules.StartNewGame(choice);
  auto host = std::make_unique<GameHost>(rules);
  ASSERT_TRUE(host->Listen(0));
  host->OpenSeat(1);
  const QUrl url(QStringLiteral("ws://127.0.0.1:%1").arg(host->Port()));
  SimplePlayer player;
  int rolls = 0;
  auto bob = std::make_unique<GameClient>(player, grounds);
  QObject::connect(bob.get(), &GameClient::MyTurn, bob.get(), [&] {
    ++rolls;
    bob->Roll();
  });
  bob->Join(url, host->InviteCode(), QStringLiteral("Bob"));
  ASSERT_TRUE(Until([&] { return bob->Joined(); }));
  const QString token = bob->Token();

  // Ann at the host's screen and Bob from afar take turns.
  QTimer wake;
  wake.start(5);
  auto play = [&](int moves) {
    int moved = 0;
    for (int tick = 0; tick < 10000 && moved < moves; ++tick) {
      rules.RefreshStatus();
      host->Poll();
      if (rules.RollAllowed() && rules.State().CurrentPlayer == 0) rules.Roll();
      rules.ComputerTurnTick();
      if (rules.Walking()) ++moved;
      while (rules.Walking()) rules.StepWalk();
      const bool bobsTurn = rules.RollAllowed() && rules.State().CurrentPlayer == 1 &&
                            host->SeatTaken(1) && !host->StandIn(1);
      QCoreApplication::processEvents(bobsTurn ? QEventLoop::WaitForMoreEvents
                                               : QEventLoop::AllEvents);
    }
    return moved;
  };
  EXPECT_EQ(play(6), 6);
  EXPECT_GE(rolls, 2);

  bob->Leave();
  ASSERT_TRUE(Until([&] { return !host->SeatTaken(1); }));
  host->SetStandIn(1, true);
  const int before = rolls;
  EXPECT_EQ(play(6), 6) << "the game goes on without Bob";
  EXPECT_EQ(rolls, before);

  GameClient back(player, grounds);
  int backRolls = 0;
  QObject::connect(&back, &GameClient::MyTurn, &back, [&] {
    ++backRolls;
    back.Roll();
  });
  back.Join(url, QString(), QStringLiteral("Bob"), token);
  ASSERT_TRUE(Until([&] { return back.Joined(); }));
  host->SetStandIn(1, false);
  EXPECT_EQ(play(6), 6);
  EXPECT_GE(backRolls, 2) << "Bob rolls for himself again";

  bool told = false;
  QObject::connect(&back, &GameClient::Disconnected, &back, [&] { told = true; });
  host.reset();
  ASSERT_TRUE(Until([&] { return told; }));
  const auto kept = ParseGameText(back.LastStateText().toStdString(), grounds);
  ASSERT_TRUE(kept.has_value()) << "what Bob holds can be saved and loaded";
  EXPECT_EQ(kept->Players[1].Name, "Bob");
}

// A joined player's finance actions run on the host for his own turn only; their numbers are
// asked back on his screen.
TEST(NetworkGame, AJoinedPlayerBorrowsOnHisOwnTurnOnly) {
  const GroundList grounds = FreshGrounds(IniFile(AppDir() + "database.dat"));
  SilentDialogs dialogs;
  SeededRandom random(4);
  GameRules rules(dialogs, random);
  rules.Settings().AppDir = AppDir();
  rules.StartNewGame(Choice());
  GameHost host(rules);
  ASSERT_TRUE(host.Listen(0));
  host.OpenSeat(1);
  class Borrower final : public Seat {
   public:
    bool WantsToBuy(const GameState&, int, int) override { return false; }
    bool WantsToBribe(const GameState&, int) override { return false; }
    NumberAnswer ChooseNumber(NumberQuestion q, const GameState&, int,
                              std::optional<std::int32_t>) override {
      asked = q;
      return NumberAnswer::Of(100000);
    }
    std::optional<NumberQuestion> asked;
  } borrower;
  GameClient bob(borrower, grounds);
  bob.Join(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(host.Port())), host.InviteCode(),
           QStringLiteral("Bob"));
  ASSERT_TRUE(Until([&] { return bob.Joined(); }));

  bob.Act(QStringLiteral("loan"));  // Ann's turn
  ASSERT_TRUE(Until([&] { return bob.Refusals() == 1; }));
  EXPECT_EQ(rules.State().Players[1].Loan, 0);

  rules.MutableState().CurrentPlayer = 1;
  // The host's loop runs the action's question inside its nested wait; pump until it lands.
  bob.Act(QStringLiteral("loan"));
  ASSERT_TRUE(Until([&] { return rules.State().Players[1].Loan == 100000; }));
  EXPECT_EQ(borrower.asked, NumberQuestion::LoanAmount);
  bob.Act(QStringLiteral("juggle"));
  ASSERT_TRUE(Until([&] { return bob.Refusals() == 2; }));
}

}  // namespace
}  // namespace quillbury::net

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
