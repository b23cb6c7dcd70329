// Saving and loading a three-player game in the middle of play.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "core/GameSession.h"
#include "tools/ProgramDir.h"
#include "core/GroundDatabase.h"
#include "persistence/GameFile.h"

namespace {


struct Game {
  Game() : session(port, random) {
    session.AppDir = quillbury::ProgramDir();
    session.PlayerCount = 3;
    session.NewGame();
    for (int g = 0; g < 28; ++g) {
      session.Game.Grounds[static_cast<std::size_t>(g)].Owner = g % 4 - 1;
      session.Game.Grounds[static_cast<std::size_t>(g)].House = g % 5 - 1;
    }
    session.Game.Players[2].Name = "Mac \"Poor\" O'Neil & Sons";
    path = (std::filesystem::temp_directory_path() /
            ("qb-bench-" + std::to_string(::getpid()) + ".qbgame"))
               .string();
  }
  ~Game() { std::filesystem::remove(path); }
  quillbury::NullPort port;
  quillbury::SeededRandom random{1};
  quillbury::GameSession session;
  std::string path;
};

void BM_SaveThreePlayerGame(benchmark::State& state) {
  Game game;
  for (auto _ : state) {
    if (!quillbury::WriteGameFile(game.session, game.path)) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveThreePlayerGame)->Unit(benchmark::kMicrosecond);

void BM_LoadThreePlayerGame(benchmark::State& state) {
  Game game;
  quillbury::WriteGameFile(game.session, game.path);
  for (auto _ : state) {
    if (!quillbury::ReadGameFile(game.session, game.path)) state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_LoadThreePlayerGame)->Unit(benchmark::kMicrosecond);

// The saved text alone: what saving costs the game before the disk is involved.
void BM_BuildSaveText(benchmark::State& state) {
  Game game;
  for (auto _ : state) benchmark::DoNotOptimize(quillbury::BuildGameText(game.session));
}
BENCHMARK(BM_BuildSaveText)->Unit(benchmark::kMicrosecond);

// The text alone, without the disk: what building and parsing cost.
void BM_BuildAndParseText(benchmark::State& state) {
  Game game;
  const quillbury::GroundList grounds = game.session.Game.Grounds;
  for (auto _ : state) {
    const std::string text = quillbury::BuildGameText(game.session);
    benchmark::DoNotOptimize(quillbury::ParseGameText(text, grounds));
  }
}
BENCHMARK(BM_BuildAndParseText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
