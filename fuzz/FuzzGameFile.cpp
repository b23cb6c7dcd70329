// Arbitrary bytes as a saved game: the reader must refuse or accept without harm, and whatever
// it accepts must then play without harm.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/GameRules.h"
#include "core/GroundDatabase.h"
#include "persistence/GameFile.h"

namespace {

const quillbury::GroundList& Grounds() {
  static const quillbury::GroundList grounds = [] {
    quillbury::GroundList g(quillbury::kGroundCount);
    for (int i = 0; i < quillbury::kGroundCount; ++i) {
      g[static_cast<std::size_t>(i)].Square =
          quillbury::kGroundSquares[static_cast<std::size_t>(i)];
      g[static_cast<std::size_t>(i)].Name = "Company";
      g[static_cast<std::size_t>(i)].Price = (i + 1) * 50000;
      g[static_cast<std::size_t>(i)].Sell = "bought things";
    }
    quillbury::SetUpBuildingLevels(g);
    return g;
  }();
  return grounds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto loaded = quillbury::ParseGameText(text, Grounds());
  if (!loaded) return 0;
  quillbury::SilentDialogs dialogs;
  quillbury::SeededRandom random(size);
  quillbury::GameRules rules(dialogs, random);
  rules.LoadGame(std::move(*loaded));
  for (auto& p : rules.MutableState().Players) p.CPU = true;
  for (int turn = 0; turn < 60 && !dialogs.gameOver; ++turn) {
    int steps = 0;
    while (rules.Walking() && steps++ < 100) rules.StepWalk();
    rules.RefreshStatus();
    rules.ComputerTurnTick();
  }
  (void)quillbury::BuildGameText(rules.State());
  return 0;
}
