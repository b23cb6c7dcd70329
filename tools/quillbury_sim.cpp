// Plays whole games headless, every seat played by the computer, and reports how they went.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "core/GroundDatabase.h"
#include "localisation/IniFile.h"
#include "persistence/GameFile.h"
#include "tools/ProgramDir.h"
#include "tools/Simulator.h"

namespace {

constexpr const char* kUsage =
    "usage: quillbury-sim [--games N] [--players 2|3] [--seed S] [--max-turns T] [--json]\n"
    "                     [--check] [--from FILE] [--events] [--levels L,L[,L]] [--think N]\n"
    "  --games N      games to play (default 100)\n"
    "  --players 2|3  players per game (default 3)\n"
    "  --seed S       seed of the random draws (default: chosen at random and printed)\n"
    "  --max-turns T  rolls after which a game counts as unfinished (default 2000)\n"
    "  --json         print the report as JSON\n"
    "  --check        check the game's invariants after every refresh; exit 1 if one breaks\n"
    "  --from FILE    play on from a saved game; reports each player's share of wins\n"
    "  --events       print every event of every game as a JSON line, then the report\n"
    "  --levels L,L   each seat's computer level, classic or strong (default all classic)\n"
    "  --think N      the strong computer's rollouts per variant of its plan (default 64;\n"
    "                 0: no look-ahead)\n";

int Fail(const std::string& message) {
  std::cerr << "quillbury-sim: " << message << "\n" << kUsage;
  return 2;
}

bool ParseCount(const std::string& text, long long min, long long max, long long& out) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v > static_cast<unsigned long long>(max) ||
      static_cast<long long>(v) < min) {
    return false;
  }
  out = static_cast<long long>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  quillbury::SimulatorOptions options;
  bool json = false;
  bool events = false;
  bool playersGiven = false;
  bool seedGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    std::string v;
    long long n = 0;
    if (arg == "--games") {
      if (!value(v) || !ParseCount(v, 1, 100000000, n))
        return Fail("--games needs a count of 1 or more");
      options.Games = static_cast<int>(n);
    } else if (arg == "--players") {
      if (!value(v) || (v != "2" && v != "3")) return Fail("--players must be 2 or 3");
      options.Players = v == "2" ? 2 : 3;
      playersGiven = true;
    } else if (arg == "--seed") {
      if (!value(v) || !ParseCount(v, 0, LLONG_MAX, n))
        return Fail("--seed needs a whole number of 0 or more");
      options.Seed = static_cast<std::uint64_t>(n);
      seedGiven = true;
    } else if (arg == "--max-turns") {
      if (!value(v) || !ParseCount(v, 1, 1000000000, n))
        return Fail("--max-turns needs a count of 1 or more");
      options.MaxTurns = static_cast<int>(n);
    } else if (arg == "--json") {
      json = true;
    } else if (arg == "--levels") {
      if (!value(v)) return Fail("--levels needs a list such as strong,classic");
      options.Levels.clear();
      std::size_t start = 0;
      for (;;) {
        const std::size_t comma = v.find(',', start);
        const std::string level =
            v.substr(start, comma == std::string::npos ? comma : comma - start);
        if (level == "classic") {
          options.Levels.push_back(quillbury::ComputerLevel::Classic);
        } else if (level == "strong") {
          options.Levels.push_back(quillbury::ComputerLevel::Strong);
        } else {
          return Fail("--levels takes classic or strong for each seat, not '" + level + "'");
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    } else if (arg == "--think") {
      if (!value(v) || !ParseCount(v, 0, 1000000, n))
        return Fail("--think needs a count of 0 or more");
      options.Think = static_cast<int>(n);
    } else if (arg == "--events") {
      events = true;
    } else if (arg == "--check") {
      options.Check = true;
    } else if (arg == "--from") {
      if (!value(options.From) || options.From.empty()) return Fail("--from needs a file");
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else {
      return Fail("unknown argument '" + arg + "'");
    }
  }
  if (!options.Levels.empty() && options.From.empty()) {
    const int seats = static_cast<int>(options.Levels.size());
    if (seats < 2 || seats > 3 || (playersGiven && seats != options.Players)) {
      return Fail("--levels needs one level for each of the 2 or 3 players");
    }
    options.Players = seats;
  }
  if (!seedGiven) {
    std::random_device device;
    options.Seed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
  }
  options.AppDir = quillbury::ProgramDir();
  // Without a sound company database no game can end: stop rather than play forever.
  const std::string databaseProblem =
      quillbury::GroundDatabaseProblem(quillbury::IniFile(options.AppDir + "database.dat"));
  if (!databaseProblem.empty()) {
    std::cerr << "quillbury-sim: " << databaseProblem << "\n";
    return 2;
  }

  std::optional<quillbury::StartPosition> from;
  if (!options.From.empty()) {
    std::string error;
    auto position = quillbury::LoadStartPosition(options.From, options.AppDir, &error);
    if (!position) {
      std::cerr << "cannot load " << options.From << ": " << error << "\n";
      return 2;
    }
    from = std::move(*position);
  }

  const quillbury::SimulatorReport report =
      quillbury::RunSimulation(options, from, events ? &std::cout : nullptr);
  std::cout << quillbury::FormatReport(options, report, json);
  if (options.Check) {
    for (const std::string& v : report.Violations) std::cerr << "invariant broken: " << v << "\n";
    if (!report.Violations.empty()) return 1;
    if (!json) std::cout << "invariants: all held\n";
  }
  return 0;
}
