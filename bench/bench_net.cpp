// Network play on the loopback: the time from a joined player's decision sent (a roll, a
// purchase) to the host's resulting event received back, and the bytes the host sends for each
// turn.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <vector>

#include "core/GroundDatabase.h"
#include "localisation/IniFile.h"
#include "net/GameClient.h"
#include "net/GameHost.h"
#include "persistence/GameFile.h"
#include "tools/ProgramDir.h"

namespace {

// Buys whatever it is offered and starts the clock: its answer goes out as it returns.
class Buyer final : public quillbury::Seat {
 public:
  bool WantsToBuy(const quillbury::GameState&, int, int) override {
    clock.start();
    buying = true;
    return true;
  }
  bool WantsToBribe(const quillbury::GameState&, int) override { return false; }
  quillbury::NumberAnswer ChooseNumber(quillbury::NumberQuestion, const quillbury::GameState&, int,
                                       std::optional<std::int32_t>) override {
    return quillbury::NumberAnswer::Nothing();
  }
  QElapsedTimer clock;
  bool buying = false;
};

// Two players, one at the host and one joined; the joined one's rolls and purchases are timed.
void BM_DecisionRoundTrip(benchmark::State& state) {
  using namespace quillbury;
  for (auto _ : state) {
    SilentDialogs dialogs;
    SeededRandom random(1);
    GameRules rules(dialogs, random);
    rules.Settings().AppDir = ProgramDir();
    NewGameChoice choice;
    choice.Seats[0] = {"Ann", 50000000, false};
    choice.Seats[1] = {"Bob", 50000000, false};
    rules.StartNewGame(choice);
    net::GameHost host(rules);
    host.Listen(0);
    host.OpenSeat(1);
    Buyer buyer;
    net::GameClient bob(buyer, FreshGrounds(rules.Database()));
    QElapsedTimer clock;
    std::vector<double> rolls, buys;
    bool rolled = false;
    QObject::connect(&bob, &net::GameClient::MyTurn, &bob, [&] {
      clock.start();
      rolled = true;
      bob.Roll();
    });
    auto ms = [](const QElapsedTimer& c) { return static_cast<double>(c.nsecsElapsed()) / 1e6; };
    QObject::connect(&bob, &net::GameClient::GameEventReceived, &bob, [&](const GameEvent& e) {
      if (rolled && e.Type == EventType::Rolled) {
        rolls.push_back(ms(clock));
        rolled = false;
      } else if (buyer.buying && e.Type == EventType::Bought) {
        buys.push_back(ms(buyer.clock));
        buyer.buying = false;
      }
    });
    bob.Join(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(host.Port())), host.InviteCode(),
             QStringLiteral("Bob"));
    while (!bob.Joined()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The window's timers wake its event loop every 10 ms; the loop here needs the same.
    QTimer wake;
    wake.start(5);
    const qint64 bytesAtStart = host.BytesSent();
    int turns = 0;
    while ((rolls.size() + buys.size() < 400 || buys.size() < 20) && rolls.size() < 3000) {
      rules.RefreshStatus();
      host.Poll();
      if (rules.RollAllowed() && rules.State().CurrentPlayer == 0) rules.Roll();
      if (rules.Walking()) ++turns;
      while (rules.Walking()) rules.StepWalk();
      const bool bobsTurn = rules.RollAllowed() && rules.State().CurrentPlayer == 1;
      QCoreApplication::processEvents(bobsTurn ? QEventLoop::WaitForMoreEvents
                                               : QEventLoop::AllEvents);
    }
    std::vector<double> all = rolls;
    all.insert(all.end(), buys.begin(), buys.end());
    for (auto* list : {&all, &rolls, &buys}) std::sort(list->begin(), list->end());
    state.counters["decisions"] = static_cast<double>(all.size());
    state.counters["median_ms"] = all[all.size() / 2];
    state.counters["worst_ms"] = all.back();
    state.counters["roll_median_ms"] = rolls[rolls.size() / 2];
    if (!buys.empty()) state.counters["buy_median_ms"] = buys[buys.size() / 2];
    state.counters["state_text_bytes"] = static_cast<double>(BuildGameText(rules.State()).size());
    state.counters["bytes_per_turn"] =
        static_cast<double>(host.BytesSent() - bytesAtStart) / std::max(turns, 1);
  }
}
BENCHMARK(BM_DecisionRoundTrip)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
