#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/GameSession.h"

namespace quillbury {

struct SimulatorOptions {
  int Games = 100;
  int Players = 3;
  std::uint64_t Seed = 0;
  int MaxTurns = 2000;
  bool Check = false;
  std::string AppDir;  // where database.dat lies, with trailing separator
  std::string From;    // the saved game played on from, if any
};

// A position to play on from, as a saved game holds it.
struct StartPosition {
  GameState Game;
  SavedTurn Turn;
};

struct SimulatorReport {
  int GamesPlayed = 0;
  int GamesFinished = 0;
  std::int64_t Turns = 0;
  std::vector<int> TurnsPerGame;
  std::vector<int> WinsBySeat;            // index = seat
  std::map<std::string, int> WinsByName;  // for positions from a file
  std::vector<std::string> SeatNames;
  int NobodyWon = 0;
  int PlayersBankrupted = 0;
  std::vector<std::string> Violations;  // broken invariants (check mode)
  double Seconds = 0;
};

// Plays whole games with every seat played by the computer. Questions meant for people are
// answered as the computer player would: buy when affordable, never bribe. The same options
// give the same results.
SimulatorReport RunSimulation(const SimulatorOptions& options,
                              const std::optional<StartPosition>& from = std::nullopt);

std::string FormatReport(const SimulatorOptions& options, const SimulatorReport& report, bool json);

}  // namespace quillbury
