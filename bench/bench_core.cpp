// Speed of the status refresh and of whole computer games.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "core/GameRules.h"
#include "core/StatusPresenter.h"
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

}  // namespace

BENCHMARK_MAIN();
