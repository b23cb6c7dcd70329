// Saving and loading a three-player game in the middle of play.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "core/GameRules.h"
#include "core/GroundDatabase.h"
#include "persistence/GameFile.h"
#include "tools/ProgramDir.h"

namespace {

struct Game {
  Game() : rules(dialogs, random) {
    rules.Settings().AppDir = quillbury::ProgramDir();
    rules.NewGame(3);
    quillbury::GameState& game = rules.MutableState();
    for (int g = 0; g < 28; ++g) {
      game.Grounds[static_cast<std::size_t>(g)].Owner = g % 4 - 1;
      game.Grounds[static_cast<std::size_t>(g)].House = g % 5 - 1;
    }
    game.Players[2].Name = "Mac \"Poor\" O'Neil & Sons";
    path = (std::filesystem::temp_directory_path() /
            ("qb-bench-" + std::to_string(::getpid()) + ".qbgame"))
               .string();
  }
  ~Game() { std::filesystem::remove(path); }
  quillbury::SilentDialogs dialogs;
  quillbury::SeededRandom random{1};
  quillbury::GameRules rules;
  std::string path;
};

void BM_SaveThreePlayerGame(benchmark::State& state) {
  Game game;
  for (auto _ : state) {
    if (!quillbury::WriteGameFile(game.rules.State(), game.path))
      state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveThreePlayerGame)->Unit(benchmark::kMicrosecond);

void BM_LoadThreePlayerGame(benchmark::State& state) {
  Game game;
  quillbury::WriteGameFile(game.rules.State(), game.path);
  for (auto _ : state) {
    if (!quillbury::ReadGameFile(game.rules, game.path)) state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_LoadThreePlayerGame)->Unit(benchmark::kMicrosecond);

// The saved text alone: what saving costs the game before the disk is involved.
void BM_BuildSaveText(benchmark::State& state) {
  Game game;
  for (auto _ : state) benchmark::DoNotOptimize(quillbury::BuildGameText(game.rules.State()));
}
BENCHMARK(BM_BuildSaveText)->Unit(benchmark::kMicrosecond);

// The text alone, without the disk: what building and parsing cost.
void BM_BuildAndParseText(benchmark::State& state) {
  Game game;
  const quillbury::GroundList grounds = game.rules.State().Grounds;
  for (auto _ : state) {
    const std::string text = quillbury::BuildGameText(game.rules.State());
    benchmark::DoNotOptimize(quillbury::ParseGameText(text, grounds));
  }
}
BENCHMARK(BM_BuildAndParseText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
