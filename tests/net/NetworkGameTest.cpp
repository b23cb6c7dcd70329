// A host and two joined programs in one process, over real WebSocket connections on the
// loopback: the host's rules play, the joined seats decide from afar.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>
#include <QWebSocketServer>
#include <memory>
#include <tuple>

#include "core/GroundDatabase.h"
#include "localisation/IniFile.h"
#include "net/GameClient.h"
#include "net/GameHost.h"
#include "net/NetMessage.h"
#include "net/NetworkDialogs.h"
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

// A started game held by a host listening on a free port of the loopback.
struct HostedGame {
  explicit HostedGame(unsigned seed, const NewGameChoice& choice = Choice(),
                      GameDialogs* shown = nullptr)
      : random(seed), rules(shown != nullptr ? *shown : dialogs, random) {
    rules.Settings().AppDir = AppDir();
    rules.StartNewGame(choice);
    host = std::make_unique<GameHost>(rules);
    listening = host->Listen(0);
    url = QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(host->Port()));
  }
  const GroundList grounds = FreshGrounds(IniFile(AppDir() + "database.dat"));
  SilentDialogs dialogs;
  SeededRandom random;
  GameRules rules;
  std::unique_ptr<GameHost> host;
  bool listening = false;
  QUrl url;
};

// What a joined window draws: tokens, dice, money, loans, holdings and whose turn it is.
std::string Drawn(const GameState& game) {
  std::string text = std::to_string(game.CurrentPlayer) + " dice " + std::to_string(game.Die1) +
                     std::to_string(game.Die2) + " steps " + std::to_string(game.StepsLeft);
  for (const Player& p : game.Players) {
    text += " | " + std::to_string(p.CurrentPosition) + " $" + std::to_string(p.Money) + " L" +
            std::to_string(p.Loan) + (p.Playing ? "" : " out");
  }
  for (const Ground& g : game.Grounds) {
    text += " " + std::to_string(g.Owner) + ":" + std::to_string(g.House);
  }
  return text;
}

// The host's game as each event is told.
class DrawnAtEachEvent final : public GameListener {
 public:
  explicit DrawnAtEachEvent(const GameRules& rules) : rules_(rules) {}
  void OnGameEvent(const GameEvent& e) override {
    seen.push_back(std::string(EventName(e.Type)) + ": " + Drawn(rules_.State()));
  }
  std::vector<std::string> seen;

 private:
  const GameRules& rules_;
};

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

  HostedGame game(17);
  ASSERT_TRUE(game.listening);
  auto [rules, dialogs, host, url] = std::tie(game.rules, game.dialogs, *game.host, game.url);
  FinalState final(rules);
  rules.AddListener(final);
  host.OpenSeat(0);
  host.OpenSeat(1);

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
  // After every event a joined program's state draws what the host's did at that event.
  DrawnAtEachEvent onHost(rules);
  rules.AddListener(onHost);
  std::vector<std::string> onA, onB;
  QObject::connect(&a, &GameClient::GameEventReceived, &a, [&](const GameEvent& e) {
    onA.push_back(std::string(EventName(e.Type)) + ": " + Drawn(a.State()));
  });
  QObject::connect(&b, &GameClient::GameEventReceived, &b, [&](const GameEvent& e) {
    onB.push_back(std::string(EventName(e.Type)) + ": " + Drawn(b.State()));
  });

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
  rules.RemoveListener(onHost);
  ASSERT_GT(onHost.seen.size(), 100u);
  ASSERT_EQ(onA.size(), onHost.seen.size());
  ASSERT_EQ(onB.size(), onHost.seen.size());
  for (std::size_t i = 0; i < onHost.seen.size(); ++i) {
    ASSERT_EQ(onA[i], onHost.seen[i]) << "event " << i;
    ASSERT_EQ(onB[i], onHost.seen[i]) << "event " << i;
  }
}

// A wrong invite code is refused without telling whether a seat is open; malformed, oversized,
// out-of-turn and unknown messages are refused and never applied.
TEST(NetworkGame, WrongCodesAndBadMessagesAreRefused) {
  HostedGame game(3);
  ASSERT_TRUE(game.listening);
  auto [grounds, rules, host, url] = std::tie(game.grounds, game.rules, *game.host, game.url);
  host.OpenSeat(1);
  SimplePlayer player;

  GameClient stranger(player, grounds);
  stranger.Join(url, QStringLiteral("WRONG1"), QStringLiteral("Eve"));
  ASSERT_TRUE(Until([&] { return stranger.Refusals() == 1; }));
  EXPECT_FALSE(stranger.Joined());
  EXPECT_FALSE(host.SeatTaken(1));

  // A name longer than a saved game holds is refused, right code or not.
  GameClient longName(player, grounds);
  longName.Join(url, host.InviteCode(), QString(1001, QLatin1Char('n')));
  ASSERT_TRUE(Until([&] { return longName.Refusals() == 1; }));
  EXPECT_FALSE(longName.Joined());

  GameClient bob(player, grounds);
  bob.Join(url, host.InviteCode(), QString(1000, QLatin1Char('b')));
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

// A player whose program drops keeps his seat: a question for him waits, offered to the
// computer, until he comes back with his token (never with the invite code alone) to the whole
// state and the question he left, which he answers once.
TEST(NetworkGame, ADroppedPlayerRejoinsWithHisTokenAndAnswersTheQuestionLeftWaiting) {
  HostedGame game(5);
  ASSERT_TRUE(game.listening);
  auto [grounds, rules, host, url] = std::tie(game.grounds, game.rules, *game.host, game.url);
  host.OpenSeat(0);
  // Only a broken test waits this long; the computer's answer (no bribe) would show it.
  host.SetAnswerTimeout(10000);
  SimplePlayer player;
  std::vector<std::pair<int, bool>> connections;
  QObject::connect(&host, &GameHost::SeatConnectionChanged, &host,
                   [&](int p, bool on) { connections.emplace_back(p, on); });
  auto ann = std::make_unique<GameClient>(player, grounds);
  ann->Join(url, host.InviteCode(), QStringLiteral("Ann"));
  ASSERT_TRUE(Until([&] { return ann->Joined(); }));
  const QString token = ann->Token();
  ann->Leave();
  ASSERT_TRUE(Until([&] { return !host.SeatTaken(0); }));
  EXPECT_EQ(connections, (std::vector<std::pair<int, bool>>{{0, true}, {0, false}}));

  class Briber final : public Seat {
   public:
    bool WantsToBuy(const GameState&, int, int) override { return false; }
    bool WantsToBribe(const GameState&, int) override {
      ++asked;
      return true;
    }
    NumberAnswer ChooseNumber(NumberQuestion, const GameState&, int,
                              std::optional<std::int32_t>) override {
      return NumberAnswer::Nothing();
    }
    int asked = 0;
  } briber;
  GameClient other(player, grounds), back(briber, grounds);
  bool offered = false;
  int waitedFor = -2;
  // While the question waits: a stranger with the code is refused, then Ann returns.
  QTimer script;
  script.start(5);
  QObject::connect(&script, &QTimer::timeout, &script, [&] {
    if (waitedFor == -2) {
      waitedFor = host.WaitingFor();
      offered = host.StandInOffered(0);
      other.Join(url, host.InviteCode(), QStringLiteral("Mallory"));
    } else if (other.Refusals() == 1 && !back.Joined() && back.Token().isEmpty()) {
      back.Join(url, QString(), QStringLiteral("Ann"), token);
    }
  });
  const auto answer = host.Ask(0, {{QStringLiteral("question"), QStringLiteral("bribe")}});
  script.stop();
  EXPECT_EQ(waitedFor, 0);
  EXPECT_TRUE(offered) << "the computer is offered at once for a player who is gone";
  EXPECT_EQ(other.Refusals(), 1);
  ASSERT_TRUE(answer.has_value());
  EXPECT_TRUE(answer->toBool()) << "Ann's own answer, not the computer's";
  EXPECT_EQ(briber.asked, 1);
  EXPECT_EQ(back.SeatIndex(), 0);
  EXPECT_EQ(back.State(), *ParseGameText(BuildGameText(rules.State()), grounds));
  EXPECT_EQ(host.WaitingFor(), 0) << "now for her roll, as it is her turn";
  // Nothing more arrives for the question: it was answered once.
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(briber.asked, 1);
  EXPECT_EQ(host.RefusedMessages(), 1);
}

// A player who is connected but does not answer is waited for; after the offer time the host
// may let the classic computer play his seat, which ends the question at once and plays on.
// His next message gives him the seat back; a late answer to the question taken over is not
// applied.
TEST(NetworkGame, ASilentPlayerIsWaitedForUntilTheHostLetsTheComputerPlay) {
  NewGameChoice choice = Choice();
  choice.PlayerCount = 2;
  HostedGame game(9, choice);
  ASSERT_TRUE(game.listening);
  auto [rules, host] = std::tie(game.rules, *game.host);
  host.OpenSeat(1);
  host.SetOfferAfter(150);
  std::vector<int> waits, offers;
  QObject::connect(&host, &GameHost::WaitingChanged, &host, [&](int p) { waits.push_back(p); });
  QObject::connect(&host, &GameHost::StandInOfferReady, &host, [&](int p) { offers.push_back(p); });
  // A program that joins and then never answers.
  QWebSocket silent;
  QStringList received;
  QObject::connect(&silent, &QWebSocket::textMessageReceived, &silent,
                   [&](const QString& text) { received << text; });
  QObject::connect(&silent, &QWebSocket::connected, &silent, [&] {
    silent.sendTextMessage(
        MakeMessage(QStringLiteral("join"), {{QStringLiteral("code"), host.InviteCode()},
                                             {QStringLiteral("name"), QStringLiteral("Bob")}}));
  });
  silent.open(game.url);
  ASSERT_TRUE(Until([&] { return host.SeatTaken(1); }));

  // His turn to roll: the host waits, and offers the computer only after the offer time.
  rules.MutableState().CurrentPlayer = 1;
  host.Poll();
  EXPECT_EQ(host.WaitingFor(), 1);
  EXPECT_FALSE(host.StandInOffered(1));
  EXPECT_FALSE(host.StandInOffered(0)) << "not a network seat";
  ASSERT_TRUE(Until([&] { return !offers.empty(); }));
  EXPECT_EQ(offers, std::vector<int>{1});
  EXPECT_TRUE(host.StandInOffered(1));
  EXPECT_GE(host.WaitedMs(), 150);
  rules.ComputerTurnTick();
  EXPECT_TRUE(rules.RollAllowed()) << "nobody rolls for him unasked";

  host.SetStandIn(1, true);
  host.Poll();
  EXPECT_EQ(host.WaitingFor(), -1);
  rules.ComputerTurnTick();
  EXPECT_FALSE(rules.RollAllowed()) << "the computer rolled for him";
  while (rules.Walking()) rules.StepWalk();

  // A question for him while the computer plays is the computer's; one under way when the
  // host chooses it ends at once.
  EXPECT_FALSE(host.Ask(1, {{QStringLiteral("question"), QStringLiteral("bribe")}}));
  host.SetStandIn(1, false);
  QTimer::singleShot(300, &host, [&] {
    EXPECT_EQ(host.WaitingFor(), 1);
    host.SetStandIn(1, true);
  });
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(host.Ask(1, {{QStringLiteral("question"), QStringLiteral("bribe")}}));
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_EQ(waits, (std::vector<int>{1, -1, 1, -1}));

  // His late answer gives him the seat back but is not applied.
  ASSERT_TRUE(Until([&] { return received.last().contains(QStringLiteral("bribe")); }));
  const auto ask = ReadMessage(received.last());
  const int refusedBefore = host.RefusedMessages();
  silent.sendTextMessage(MakeMessage(
      QStringLiteral("answer"),
      {{QStringLiteral("id"), ask->value(QStringLiteral("id"))}, {QStringLiteral("value"), true}}));
  ASSERT_TRUE(Until([&] { return !host.StandIn(1); }));
  EXPECT_TRUE(Until([&] { return host.RefusedMessages() == refusedBefore + 1; }));
}

// A seat whose player is gone is played by the classic computer once the host chooses it, until
// he is back; then his own program rolls again. When the host quits, every joined program is
// told so and keeps the host's last state, which is a whole saved game.
TEST(NetworkGame, TheComputerStandsInForAGonePlayerAndTheHostsEndIsTold) {
  NewGameChoice choice = Choice();
  choice.PlayerCount = 2;
  choice.Seats[0].Money = choice.Seats[1].Money = 50000000;  // no end in sight
  HostedGame game(9, choice);
  ASSERT_TRUE(game.listening);
  auto [grounds, rules, host, url] = std::tie(game.grounds, game.rules, game.host, game.url);
  host->OpenSeat(1);
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
  EXPECT_FALSE(host->StandIn(1)) << "his return gives the seat back";
  EXPECT_EQ(play(6), 6);
  EXPECT_GE(backRolls, 2) << "Bob rolls for himself again";

  bool left = false, dropped = false;
  QObject::connect(&back, &GameClient::HostLeft, &back, [&] { left = true; });
  QObject::connect(&back, &GameClient::Disconnected, &back, [&] { dropped = true; });
  // A change the joined have not been told of yet goes with the goodbye.
  rules.MutableState().Players[0].Money += 1;
  const GameState atClose = *ParseGameText(BuildGameText(rules.State()), grounds);
  host.reset();
  ASSERT_TRUE(Until([&] { return left; }));
  const auto kept = ParseGameText(back.LastStateText().toStdString(), grounds);
  ASSERT_TRUE(kept.has_value()) << "what Bob holds can be saved and loaded";
  EXPECT_EQ(*kept, atClose);
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_FALSE(dropped) << "the host's goodbye is not a dropped connection";
}

// A joined player's finance actions run on the host for his own turn only; their numbers are
// asked back on his screen.
// Only in his own turn, not while the host is paused, and a refused action says why.
TEST(NetworkGame, AJoinedPlayerBorrowsOnHisOwnTurnOnly) {
  HostedGame game(4);
  ASSERT_TRUE(game.listening);
  auto [grounds, rules, host, url] = std::tie(game.grounds, game.rules, *game.host, game.url);
  host.OpenSeat(1);
  class Borrower final : public Seat {
   public:
    bool WantsToBuy(const GameState&, int, int) override { return false; }
    bool WantsToBribe(const GameState&, int) override { return false; }
    NumberAnswer ChooseNumber(NumberQuestion q, const GameState&, int,
                              std::optional<std::int32_t>) override {
      asked = q;
      return NumberAnswer::Of(q == NumberQuestion::LoanAmount      ? 100000
                              : q == NumberQuestion::GroundToBuild ? 3
                                                                   : 1);
    }
    std::optional<NumberQuestion> asked;
  } borrower;
  GameClient bob(borrower, grounds);
  bob.Join(url, host.InviteCode(), QStringLiteral("Bob"));
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

  // While the host is paused nothing of his is done.
  host.SetPaused(true);
  bob.Act(QStringLiteral("loan"));
  ASSERT_TRUE(Until([&] { return bob.Refusals() == 3; }));
  EXPECT_EQ(rules.State().Players[1].Loan, 100000);
  host.SetPaused(false);

  // An action the rules turn down is explained on his own screen.
  QStringList told;
  QObject::connect(&bob, &GameClient::MessageShown, &bob,
                   [&](const QString& text, bool) { told.push_back(text); });
  rules.MutableState().Grounds[2].Owner = 0;
  bob.Act(QStringLiteral("build"));
  ASSERT_TRUE(Until([&] { return !told.isEmpty(); }));
  EXPECT_EQ(told.back(), QStringLiteral("Company 3 is not yours."));
  EXPECT_EQ(rules.State().Grounds[2].House, -1);
}

// The host window's dialogs, as far as a test needs to see them.
class WindowDialogs final : public SilentDialogs {
 public:
  bool ShowsMessages() const override { return true; }
  void ShowMessage(const std::string& text) override { shown.push_back("message: " + text); }
  void ShowCasino(const std::string& text) override { shown.push_back("casino: " + text); }
  void ShowWon(const std::string& caption, std::int32_t) override {
    shown.push_back("won: " + caption);
  }
  bool AskYesNo(const std::string& text) override {
    shown.push_back("ask: " + text);
    return true;
  }
  std::vector<std::string> shown;
};

using Shown = std::vector<std::pair<QString, bool>>;

// Every message reaches every screen. One about the move of a player at another computer waits
// for him to confirm it, while the host's window shows it without waiting; for everybody else,
// and while the computer plays his seat, the host's own dialog shows it.
TEST(NetworkGame, MessagesReachEveryScreenAndTheMoverConfirmsHisOwn) {
  WindowDialogs window;
  NetworkDialogs dialogs(window);
  NewGameChoice choice = Choice();
  choice.Seats[2].CPU = false;
  HostedGame game(2, choice, &dialogs);
  ASSERT_TRUE(game.listening);
  auto [grounds, rules, host, url] = std::tie(game.grounds, game.rules, *game.host, game.url);
  host.OpenSeat(1);
  host.OpenSeat(2);
  dialogs.SetHost(&host);
  std::vector<std::string> aside;
  dialogs.ShowWithoutWaiting = [&](const std::string& text) { aside.push_back(text); };
  SimplePlayer player;
  GameClient bob(player, grounds), cid(player, grounds);
  bob.SetAutoConfirm(false);
  Shown toBob, toCid;
  int waitedForBob = -2;
  QObject::connect(&bob, &GameClient::MessageShown, &bob, [&](const QString& text, bool confirm) {
    toBob.emplace_back(text, confirm);
    if (confirm) {
      QTimer::singleShot(100, &bob, [&] {
        waitedForBob = host.WaitingFor();
        EXPECT_TRUE(bob.Confirm());
      });
    }
  });
  QObject::connect(&cid, &GameClient::MessageShown, &cid,
                   [&](const QString& text, bool confirm) { toCid.emplace_back(text, confirm); });
  bob.Join(url, host.InviteCode(), QStringLiteral("Bob"));
  ASSERT_TRUE(Until([&] { return bob.Joined(); }));
  cid.Join(url, host.InviteCode(), QStringLiteral("Cid"));
  ASSERT_TRUE(Until([&] { return cid.Joined(); }));

  // Ann's move at the host's screen: her dialog, and everybody reads along.
  dialogs.ShowMessage("Ann pays rent");
  EXPECT_EQ(window.shown, std::vector<std::string>{"message: Ann pays rent"});
  EXPECT_TRUE(Until([&] { return toBob.size() == 1 && toCid.size() == 1; }));
  EXPECT_EQ(toBob, (Shown{{QStringLiteral("Ann pays rent"), false}}));

  // Bob's move: he confirms it on his screen, the host waits for him without a dialog.
  rules.MutableState().CurrentPlayer = 1;
  QElapsedTimer clock;
  clock.start();
  dialogs.ShowMessage("Bob goes to jail");
  EXPECT_GE(clock.elapsed(), 100);
  EXPECT_EQ(waitedForBob, 1);
  dialogs.ShowCasino("Bob wins at the casino");
  EXPECT_EQ(window.shown.size(), 1u) << "no dialog the host must press";
  EXPECT_EQ(aside, (std::vector<std::string>{"Bob goes to jail", "Bob wins at the casino"}));
  EXPECT_FALSE(bob.ConfirmPending());
  EXPECT_TRUE(Until([&] { return toCid.size() == 3; }));
  EXPECT_EQ(toBob, (Shown{{QStringLiteral("Ann pays rent"), false},
                          {QStringLiteral("Bob goes to jail"), true},
                          {QStringLiteral("Bob wins at the casino"), true}}));
  EXPECT_EQ(toCid, (Shown{{QStringLiteral("Ann pays rent"), false},
                          {QStringLiteral("Bob goes to jail"), false},
                          {QStringLiteral("Bob wins at the casino"), false}}));

  // While the computer plays Bob's seat the host confirms at its screen; the game's end, the
  // questions and prompts are the host's own.
  host.SetStandIn(1, true);
  dialogs.ShowMessage("Bob buys a company");
  dialogs.ShowWon("Bob has won", 100);
  EXPECT_TRUE(dialogs.AskYesNo("Save?"));
  EXPECT_EQ(window.shown,
            (std::vector<std::string>{"message: Ann pays rent", "message: Bob buys a company",
                                      "won: Bob has won", "ask: Save?"}));
  EXPECT_TRUE(Until([&] { return toBob.size() == 5 && toCid.size() == 5; }));
  EXPECT_EQ(toBob.back(), std::make_pair(QStringLiteral("Bob has won"), false));
  EXPECT_EQ(host.RefusedMessages(), 0);

  // Without a host the window's dialogs are all there is.
  dialogs.SetHost(nullptr);
  host.SetStandIn(1, false);
  dialogs.ShowMessage("alone again");
  EXPECT_EQ(window.shown.back(), "message: alone again");
}

// The host's pause is shown on every joined screen, also to who joins while it lasts; when the
// host quits, the joined are told and keep the game as it stood at that moment.
TEST(NetworkGame, PauseAndQuitAreToldToEveryJoinedProgram) {
  HostedGame game(6);
  ASSERT_TRUE(game.listening);
  auto [grounds, rules, host, url] = std::tie(game.grounds, game.rules, *game.host, game.url);
  host.OpenSeat(0);
  host.OpenSeat(1);
  SimplePlayer player;
  GameClient ann(player, grounds), bob(player, grounds);
  std::vector<bool> annPauses;
  QObject::connect(&ann, &GameClient::HostPaused, &ann, [&](bool on) { annPauses.push_back(on); });
  ann.Join(url, host.InviteCode(), QStringLiteral("Ann"));
  ASSERT_TRUE(Until([&] { return ann.Joined(); }));

  host.SetPaused(true);
  host.SetPaused(true);  // told once
  ASSERT_TRUE(Until([&] { return ann.HostIsPaused(); }));
  bob.Join(url, host.InviteCode(), QStringLiteral("Bob"));
  ASSERT_TRUE(Until([&] { return bob.Joined(); }));
  EXPECT_TRUE(bob.HostIsPaused()) << "told on joining";
  host.SetPaused(false);
  ASSERT_TRUE(Until([&] { return !ann.HostIsPaused() && !bob.HostIsPaused(); }));
  EXPECT_EQ(annPauses, (std::vector<bool>{true, false}));

  bool annLeft = false, bobLeft = false, dropped = false;
  QObject::connect(&ann, &GameClient::HostLeft, &ann, [&] { annLeft = true; });
  QObject::connect(&bob, &GameClient::HostLeft, &bob, [&] { bobLeft = true; });
  QObject::connect(&ann, &GameClient::Disconnected, &ann, [&] { dropped = true; });
  rules.MutableState().Players[1].Loan = 123456;
  rules.MutableState().Grounds[3].Owner = 1;
  const GameState atClose = *ParseGameText(BuildGameText(rules.State()), grounds);
  host.Close();
  ASSERT_TRUE(Until([&] { return annLeft && bobLeft; }));
  for (const GameClient* client : {&ann, &bob}) {
    const auto kept = ParseGameText(client->LastStateText().toStdString(), grounds);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(*kept, atClose);
    EXPECT_EQ(client->State(), atClose);
  }
  EXPECT_FALSE(dropped);
  // Nobody can answer any more: the game goes on with the computer's answers, at once.
  EXPECT_FALSE(host.Ask(0, {{QStringLiteral("question"), QStringLiteral("bribe")}}));
  EXPECT_EQ(host.WaitingFor(), -1);
}

// A joined program whose state text is not the one a patch was made for asks for the whole
// state once, and holds the host's game again; meanwhile it keeps what it had.
TEST(NetworkGame, AProgramThatLostTrackOfTheStateAsksForItWhole) {
  HostedGame game(8);
  auto [grounds, rules] = std::tie(game.grounds, game.rules);
  const QString first = QString::fromStdString(BuildGameText(rules.State()));
  rules.MutableState().Players[0].Money = 1;
  const QString other = QString::fromStdString(BuildGameText(rules.State()));
  rules.MutableState().Players[1].Money = 2;
  const QString latest = QString::fromStdString(BuildGameText(rules.State()));

  // A host that welcomes with one state and then patches from another.
  QWebSocketServer server(QStringLiteral("test"), QWebSocketServer::NonSecureMode);
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  QWebSocket* peer = nullptr;
  QStringList asked;
  QObject::connect(&server, &QWebSocketServer::newConnection, &server, [&] {
    peer = server.nextPendingConnection();
    peer->setParent(&server);
    QObject::connect(peer, &QWebSocket::textMessageReceived, peer, [&](const QString& text) {
      const QString type = ReadMessage(text)->value(QStringLiteral("type")).toString();
      asked << type;
      if (type == QStringLiteral("join")) {
        peer->sendTextMessage(
            MakeMessage(QStringLiteral("welcome"), {{QStringLiteral("seat"), 1},
                                                    {QStringLiteral("token"), QStringLiteral("T")},
                                                    {QStringLiteral("state"), first}}));
        QJsonObject event = EventToJson(GameEvent{});
        const QJsonObject patch = StateFields(other, latest);
        for (auto it = patch.begin(); it != patch.end(); ++it) event.insert(it.key(), it.value());
        peer->sendTextMessage(MakeMessage(QStringLiteral("event"), event));
      } else if (type == QStringLiteral("sync")) {
        peer->sendTextMessage(
            MakeMessage(QStringLiteral("state"), {{QStringLiteral("state"), latest}}));
      }
    });
  });
  SimplePlayer player;
  GameClient client(player, grounds);
  int events = 0;
  QObject::connect(&client, &GameClient::GameEventReceived, &client, [&](const GameEvent&) {
    ++events;
    EXPECT_EQ(client.LastStateText(), first) << "the patch was not for this text";
  });
  client.Join(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(server.serverPort())), "CODE",
              QStringLiteral("Bob"));
  ASSERT_TRUE(Until([&] { return client.LastStateText() == latest; }));
  EXPECT_EQ(events, 1);
  EXPECT_EQ(client.State().Players[0].Money, 1);
  EXPECT_EQ(client.State().Players[1].Money, 2);
  QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(asked, (QStringList{QStringLiteral("join"), QStringLiteral("sync")}));
}

}  // namespace
}  // namespace quillbury::net

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
