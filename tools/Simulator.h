#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <ostream>

#include "core/GameRules.h"
#include "core/StrongComputer.h"

namespace quillbury {

struct SimulatorOptions {
  int Games = 100;
  int Players = 3;
  std::uint64_t Seed = 0;
  int MaxTurns = 2000;
  bool Check = false;
  std::string AppDir;  // where database.dat lies, with trailing separator
  std::string From;    // the saved game played on from, if any
  // Each seat's computer level; empty: every seat classic (or, from a file, the file's levels).
  std::vector<ComputerLevel> Levels;
  int Think = StrongComputer::kDefaultThink;  // the strong computer's rollouts per variant
};

// A position to play on from, as a saved game holds it.
using StartPosition = GameState;

struct SimulatorReport {
  int GamesPlayed = 0;
  int GamesFinished = 0;
  std::int64_t Turns = 0;
  std::vector<int> TurnsPerGame;
  std::vector<int> WinsBySeat;             // index = seat
  std::map<std::string, int> WinsByName;   // for positions from a file
  std::map<std::string, int> WinsByLevel;  // "classic", "strong"
  std::vector<std::string> SeatNames;
  int NobodyWon = 0;
  int PlayersBankrupted = 0;
  std::vector<std::string> Violations;  // broken invariants (check mode)
  double Seconds = 0;
};

// Plays whole games with every seat played by the classic computer. The same options give the
// same results. With events, every event of every game is written there as a JSON line.
SimulatorReport RunSimulation(const SimulatorOptions& options,
                              const std::optional<StartPosition>& from = std::nullopt,
                              std::ostream* events = nullptr);

// One event as a JSON object on one line, without a line end: {"game": 3, "type": "rent", ...}.
// Players are seat indexes from 0, grounds the numbers 1..28 printed on the board.
std::string EventJson(const GameEvent& event, int game);

std::string FormatReport(const SimulatorOptions& options, const SimulatorReport& report, bool json);

}  // namespace quillbury
