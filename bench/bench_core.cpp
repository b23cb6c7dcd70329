// Speed of the status refresh and of whole computer games.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <string>
#include <vector>

#include "core/GameRules.h"
#include "core/StatusPresenter.h"
#include "core/StrongComputer.h"
#include "tools/ProgramDir.h"
#include "tools/Simulator.h"

namespace {

// A status display that draws nothing, as the window's would between two ticks.
class NoView final : public quillbury::StatusView {
 public:
  void SetPanelText(int, quillbury::PanelField, const std::string&) override {}
  void DrawStatusPanel(int, std::int32_t) override {}
  void SetTurnCaption(const std::string&) override {}
  void SetTip(const std::string&) override {}
  void SetRollEnabled(bool) override {}
  void SetActionsEnabled(bool) override {}
};

// The window's refresh of a three-player game mid-play: three settlements, the end test and the
// search for panel values that changed (none, as between two ticks of a waiting game).
void BM_StatusRefreshThreePlayers(benchmark::State& state) {
  quillbury::SilentDialogs dialogs;
  quillbury::SeededRandom random(1);
  quillbury::GameRules rules(dialogs, random);
  NoView view;
  quillbury::StatusPresenter presenter(view);
  rules.Settings().AppDir = quillbury::ProgramDir();
  rules.NewGame(3);
  quillbury::GameState& game = rules.MutableState();
  for (int g = 0; g < 28; ++g) {
    game.Grounds[static_cast<std::size_t>(g)].Owner = g % 3;
    game.Grounds[static_cast<std::size_t>(g)].House = g % 5 - 1;
  }
  game.Players[1].Loan = 250000;
  rules.RefreshStatus();
  for (auto _ : state) {
    rules.RefreshStatus();
    presenter.Show(rules.State(), {rules.RollAllowed(), rules.ActionsAllowed()});
    benchmark::DoNotOptimize(rules.State().Players[0].Money);
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

// The strong computer's decisions over whole seeded games (strong against two classic): the
// median and the worst time from the start of its turn until it rolls, look-ahead included.
void BM_StrongDecisions(benchmark::State& state) {
  std::vector<double> times;
  for (auto _ : state) {
    quillbury::SilentDialogs dialogs;
    quillbury::SeededRandom random(11);
    quillbury::GameRules rules(dialogs, random);
    rules.Settings().AppDir = quillbury::ProgramDir();
    quillbury::StrongComputer strong(7, static_cast<int>(state.range(0)));
    rules.SetSeat(quillbury::SeatKind::StrongComputer, strong);
    for (int game = 0; game < 20; ++game) {
      dialogs.gameOver = false;
      rules.NewGame(3);
      for (auto& p : rules.MutableState().Players) p.CPU = true;
      rules.MutableState().Players[0].Level = quillbury::ComputerLevel::Strong;
      for (int turn = 0; turn < 600 && !dialogs.gameOver; ++turn) {
        rules.RefreshStatus();
        if (dialogs.gameOver) break;
        const bool mine = rules.State().CurrentPlayer == 0 && rules.RollAllowed();
        const auto start = std::chrono::steady_clock::now();
        rules.ComputerTurnTick();
        if (mine) {
          times.push_back(
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                  .count());
        }
        while (rules.Walking()) rules.StepWalk();
      }
    }
  }
  std::sort(times.begin(), times.end());
  state.counters["decisions"] = static_cast<double>(times.size());
  state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
  state.counters["worst_ms"] = times.empty() ? 0 : times.back();
}
BENCHMARK(BM_StrongDecisions)->Arg(0)->Arg(64)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
