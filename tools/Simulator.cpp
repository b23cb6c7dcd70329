#include "tools/Simulator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <sstream>

#include "core/GameRoutines.h"
#include "localisation/TextEncoding.h"

namespace quillbury {
namespace {

class SimulatorPort final : public NullPort {
 public:
  bool AskYesNo(const std::string& text) override {
    // Only the purchase question gets a yes; the courthouse's bribe offer gets a no.
    return text.rfind("Do you wish to buy", 0) == 0;
  }
  void RunNewGameCommand() override { gameOver = true; }
  bool gameOver = false;
};

void CheckInvariants(const GameSession& session, int game, int turn,
                     std::vector<std::string>& violations) {
  if (violations.size() >= 20) return;
  auto report = [&](const std::string& what) {
    violations.push_back("game " + std::to_string(game) + ", turn " + std::to_string(turn) + ": " +
                         what);
  };
  const TSpil& g = session.Game;
  for (std::size_t i = 0; i < g.Grounds.size(); ++i) {
    const TGrund& ground = g.Grounds[i];
    if (ground.House < -1 || ground.House > 3) {
      report("ground " + std::to_string(i + 1) + " has level " + std::to_string(ground.House));
    }
    if (ground.Owner == -1) continue;
    if (ground.Owner < 0 || static_cast<std::size_t>(ground.Owner) >= g.Players.size() ||
        !g.Players[static_cast<std::size_t>(ground.Owner)].Playing) {
      report("ground " + std::to_string(i + 1) + " is owned by seat " +
             std::to_string(ground.Owner) + ", who is not playing");
    }
  }
  for (std::size_t p = 0; p < g.Players.size(); ++p) {
    if (g.Players[p].Money < 0) {
      report("seat " + std::to_string(p + 1) + " has " + MoneyText(g.Players[p].Money) +
             " after a refresh");
    }
  }
}

double Median(std::vector<int> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

SimulatorReport RunSimulation(const SimulatorOptions& options,
                              const std::optional<StartPosition>& from) {
  SimulatorReport report;
  SimulatorPort port;
  SeededRandom random(options.Seed);
  GameSession session(port, random);
  session.AppDir = options.AppDir;
  session.SoundOn = false;
  const int seats = from ? static_cast<int>(from->Game.Players.size()) : options.Players;
  report.WinsBySeat.assign(static_cast<std::size_t>(seats), 0);

  const auto started = std::chrono::steady_clock::now();
  for (int game = 0; game < options.Games; ++game) {
    port.gameOver = false;
    if (from) {
      session.ApplyLoadedGame(from->Game, from->Turn, std::string());
    } else {
      session.PlayerCount = options.Players;
      session.NewGame();
    }
    for (TSpiller& p : session.Game.Players) p.CPU = true;
    if (game == 0) {
      for (const TSpiller& p : session.Game.Players) report.SeatNames.push_back(p.Name);
    }
    // Players are reported by name; two players of one name are told apart by their seats.
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < session.Game.Players.size(); ++i) {
      const std::string& name = session.Game.Players[i].Name;
      int sameName = 0;
      for (const TSpiller& p : session.Game.Players) sameName += p.Name == name ? 1 : 0;
      labels.push_back(sameName > 1 ? name + " (seat " + std::to_string(i + 1) + ")" : name);
    }

    int turns = 0;
    bool stuck = false;
    while (!port.gameOver) {
      session.Timer3Timer();
      if (port.gameOver) break;
      if (options.Check) CheckInvariants(session, game + 1, turns, report.Violations);
      if (turns >= options.MaxTurns) break;
      if (session.RollEnabled()) {
        session.CPUTimer();
        ++turns;
      }
      if (!session.MovementTimerOn()) {
        // Neither a roll nor a walk: the game cannot go on.
        stuck = !session.RollEnabled();
        if (stuck) break;
        continue;
      }
      while (session.MovementTimerOn()) session.Timer1Timer();
    }
    if (stuck && options.Check) {
      report.Violations.push_back("game " + std::to_string(game + 1) + " stopped moving");
    }

    ++report.GamesPlayed;
    report.Turns += turns;
    report.TurnsPerGame.push_back(turns);
    if (port.gameOver) {
      ++report.GamesFinished;
      const GameOutcome& outcome = session.LastOutcome();
      if (outcome.Winner >= 0 && outcome.Winner < seats) {
        ++report.WinsBySeat[static_cast<std::size_t>(outcome.Winner)];
        ++report.WinsByName[labels[static_cast<std::size_t>(outcome.Winner)]];
      } else {
        ++report.NobodyWon;
      }
      report.PlayersBankrupted += outcome.Winner >= 0 ? seats - 1 : seats;
    } else {
      for (const TSpiller& p : session.Game.Players) {
        if (!p.Playing) ++report.PlayersBankrupted;
      }
    }
  }
  report.Seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return report;
}

std::string FormatReport(const SimulatorOptions& options, const SimulatorReport& r, bool json) {
  const double mean = r.TurnsPerGame.empty() ? 0
                                             : static_cast<double>(r.Turns) /
                                                   static_cast<double>(r.TurnsPerGame.size());
  const double median = Median(r.TurnsPerGame);
  const int max =
      r.TurnsPerGame.empty() ? 0 : *std::max_element(r.TurnsPerGame.begin(), r.TurnsPerGame.end());
  const double perSecond = r.Seconds > 0 ? static_cast<double>(r.Turns) / r.Seconds : 0;
  auto share = [&](int wins) { return r.GamesPlayed > 0 ? 100.0 * wins / r.GamesPlayed : 0.0; };
  auto quote = [](const std::string& s) {
    std::string out = "\"";
    // JSON text is UTF-8; a name of other bytes is shown as the characters it stood for.
    for (unsigned char c : TextAsUtf8(s)) {
      if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c < 0x20) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out += buf;
      } else {
        out += static_cast<char>(c);
      }
    }
    return out + "\"";
  };
  char buf[128];
  std::ostringstream out;
  if (json) {
    out << "{\"seed\": " << options.Seed << ", \"games_played\": " << r.GamesPlayed
        << ", \"games_finished\": " << r.GamesFinished << ", \"turns\": {";
    std::snprintf(buf, sizeof buf, "\"mean\": %.2f, \"median\": %.1f, \"max\": %d", mean, median,
                  max);
    out << buf << "}, \"wins_by_seat\": [";
    for (std::size_t i = 0; i < r.WinsBySeat.size(); ++i) {
      std::snprintf(buf, sizeof buf, "%s{\"seat\": %zu, \"wins\": %d, \"share\": %.4f}",
                    i ? ", " : "", i + 1, r.WinsBySeat[i], share(r.WinsBySeat[i]) / 100.0);
      out << buf;
    }
    out << "], \"wins_by_name\": {";
    bool first = true;
    for (const auto& [name, wins] : r.WinsByName) {
      std::snprintf(buf, sizeof buf, ": %.4f", share(wins) / 100.0);
      out << (first ? "" : ", ") << quote(name) << buf;
      first = false;
    }
    std::snprintf(buf, sizeof buf, "%.0f", perSecond);
    out << "}, \"nobody_won\": " << r.NobodyWon
        << ", \"players_bankrupted\": " << r.PlayersBankrupted
        << ", \"violations\": " << r.Violations.size() << ", \"turns_per_second\": " << buf
        << "}\n";
    return out.str();
  }
  out << "seed: " << options.Seed << "\n";
  out << "games played: " << r.GamesPlayed << "\n";
  out << "games finished: " << r.GamesFinished << " (unfinished after " << options.MaxTurns
      << " turns: " << r.GamesPlayed - r.GamesFinished << ")\n";
  std::snprintf(buf, sizeof buf, "turns per game: mean %.2f, median %.1f, max %d\n", mean, median,
                max);
  out << buf;
  out << "wins by seat:\n";
  for (std::size_t i = 0; i < r.WinsBySeat.size(); ++i) {
    std::snprintf(buf, sizeof buf, "  seat %zu: %d (%.1f%%)\n", i + 1, r.WinsBySeat[i],
                  share(r.WinsBySeat[i]));
    out << buf;
  }
  if (!options.From.empty()) {
    out << "wins by player:\n";
    for (const auto& [name, wins] : r.WinsByName) {
      std::snprintf(buf, sizeof buf, ": %d (%.1f%%)\n", wins, share(wins));
      out << "  " << name << buf;
    }
  }
  if (r.NobodyWon > 0) out << "  nobody: " << r.NobodyWon << "\n";
  out << "players bankrupted: " << r.PlayersBankrupted << "\n";
  std::snprintf(buf, sizeof buf, "turns per second: %.0f\n", perSecond);
  out << buf;
  return out.str();
}

}  // namespace quillbury
