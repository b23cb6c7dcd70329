// Speed of the status refresh and of whole computer games.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "core/GameSession.h"
#include "tools/ProgramDir.h"
#include "tools/Simulator.h"

namespace {


// A port that shows the status, as the window does, but draws nothing.
class StatusPort final : public quillbury::NullPort {
 public:
  bool ShowsStatus() const override { return true; }
};

// The refresh of a three-player game mid-play: three settlements, the end test and the search
// for panel values that changed (none, as between two ticks of a waiting game).
void BM_StatusRefreshThreePlayers(benchmark::State& state) {
  StatusPort port;
  quillbury::SeededRandom random(1);
  quillbury::GameSession session(port, random);
  session.AppDir = quillbury::ProgramDir();
  session.PlayerCount = 3;
  session.NewGame();
  for (int g = 0; g < 28; ++g) {
    session.Game.Grounds[static_cast<std::size_t>(g)].Owner = g % 3;
    session.Game.Grounds[static_cast<std::size_t>(g)].House = g % 5 - 1;
  }
  session.Game.Players[1].Loan = 250000;
  session.RefreshStatus();
  for (auto _ : state) {
    session.RefreshStatus();
    benchmark::DoNotOptimize(session.Game.Players[0].Money);
  }
}
BENCHMARK(BM_StatusRefreshThreePlayers);

void BM_SimulatorTurns(benchmark::State& state) {
  quillbury::SimulatorOptions options;
  options.Players = static_cast<int>(state.range(0));
  options.Games = 200;
  options.Seed = 1;
  options.AppDir = quillbury::ProgramDir();
  std::int64_t turns = 0;
  for (auto _ : state) {
    const auto report = quillbury::RunSimulation(options);
    turns += report.Turns;
  }
  state.counters["turns_per_second"] =
      benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulatorTurns)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
