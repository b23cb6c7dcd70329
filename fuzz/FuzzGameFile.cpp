// Arbitrary bytes as a saved game: the reader must refuse or accept without harm, and whatever
// it accepts must then play without harm.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/GameSession.h"
#include "core/GroundDatabase.h"
#include "persistence/GameFile.h"

namespace {

// Plays answering like the computer, without a window.
class QuietPort final : public quillbury::NullPort {
 public:
  bool AskYesNo(const std::string& text) override { return text.rfind("Do you wish", 0) == 0; }
  void RunNewGameCommand() override { ended = true; }
  bool ended = false;
};

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
  QuietPort port;
  quillbury::SeededRandom random(size);
  quillbury::GameSession session(port, random);
  session.SoundOn = false;
  session.ApplyLoadedGame(std::move(loaded->Game), loaded->Turn, "fuzz.qbgame");
  for (auto& p : session.Game.Players) p.CPU = true;
  for (int turn = 0; turn < 60 && !port.ended; ++turn) {
    int steps = 0;
    while (session.MovementTimerOn() && steps++ < 100) session.StepWalk();
    session.RefreshStatus();
    session.ComputerTurnTick();
  }
  (void)quillbury::BuildGameText(session);
  return 0;
}
