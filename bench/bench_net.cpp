// Network play on the loopback: the time from a joined player's roll sent to the host's roll
// event received back, and the bytes the host sends for each turn.
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
#include "tools/ProgramDir.h"

namespace {

class Buyer final : public quillbury::Seat {
 public:
  bool WantsToBuy(const quillbury::GameState&, int, int) override { return true; }
  bool WantsToBribe(const quillbury::GameState&, int) override { return false; }
  quillbury::NumberAnswer ChooseNumber(quillbury::NumberQuestion, const quillbury::GameState&, int,
                                       std::optional<std::int32_t>) override {
    return quillbury::NumberAnswer::Nothing();
  }
};

// Two players, one at the host and one joined; the joined one's rolls are timed.
void BM_RollRoundTrip(benchmark::State& state) {
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
    std::vector<double> waits;
    bool rolled = false;
    QObject::connect(&bob, &net::GameClient::MyTurn, &bob, [&] {
      clock.start();
      rolled = true;
      bob.Roll();
    });
    QObject::connect(&bob, &net::GameClient::EventReceived, &bob, [&](const QString& name) {
      if (rolled && name == QStringLiteral("roll")) {
        waits.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        rolled = false;
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
    while (waits.size() < 200) {
      rules.RefreshStatus();
      host.Poll();
      if (rules.RollAllowed() && rules.State().CurrentPlayer == 0) rules.Roll();
      if (rules.Walking()) ++turns;
      while (rules.Walking()) rules.StepWalk();
      const bool bobsTurn = rules.RollAllowed() && rules.State().CurrentPlayer == 1;
      QCoreApplication::processEvents(bobsTurn ? QEventLoop::WaitForMoreEvents
                                               : QEventLoop::AllEvents);
    }
    std::sort(waits.begin(), waits.end());
    state.counters["median_ms"] = waits[waits.size() / 2];
    state.counters["worst_ms"] = waits.back();
    state.counters["bytes_per_turn"] =
        static_cast<double>(host.BytesSent() - bytesAtStart) / std::max(turns, 1);
  }
}
BENCHMARK(BM_RollRoundTrip)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
