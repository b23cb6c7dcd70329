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

// Follows the games: how each ended, and the stream of events when it is asked for.
class SimulatorListener final : public GameListener {
 public:
  explicit SimulatorListener(std::ostream* events) : events_(events) {}
  void OnGameEvent(const GameEvent& event) override {
    if (!live) return;
    if (events_ != nullptr) *events_ << EventJson(event, game) << '\n';
    if (event.Type == EventType::GameWon || event.Type == EventType::NobodyWon) {
      winner = event.Type == EventType::GameWon ? event.Player : -1;
      // The board's reset after the end belongs to no game that is reported.
      live = false;
    }
  }
  int game = 0;
  bool live = false;
  int winner = -1;

 private:
  std::ostream* events_;
};

void CheckInvariants(const GameState& g, int game, int turn, std::vector<std::string>& violations) {
  if (violations.size() >= 20) return;
  auto report = [&](const std::string& what) {
    violations.push_back("game " + std::to_string(game) + ", turn " + std::to_string(turn) + ": " +
                         what);
  };
  for (std::size_t i = 0; i < g.Grounds.size(); ++i) {
    const Ground& ground = g.Grounds[i];
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

const char* LevelName(ComputerLevel level) {
  return level == ComputerLevel::Strong ? "strong" : "classic";
}

double Median(std::vector<int> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

SimulatorReport RunSimulation(const SimulatorOptions& options,
                              const std::optional<StartPosition>& from, std::ostream* events) {
  SimulatorReport report;
  SilentDialogs dialogs;
  SeededRandom random(options.Seed);
  GameRules rules(dialogs, random);
  // Its own generator, derived from the seed: thinking never changes the game's dice.
  StrongComputer strong(options.Seed * 0x9E3779B97F4A7C15ULL + 1, options.Think);
  rules.SetSeat(SeatKind::StrongComputer, strong);
  SimulatorListener listener(events);
  // Without a stream the simulator only needs to know who won.
  rules.AddListener(listener, events != nullptr
                                  ? kEveryEvent
                                  : MaskOf(EventType::GameWon) | MaskOf(EventType::NobodyWon));
  rules.Settings().AppDir = options.AppDir;
  const int seats = from ? from->PlayerCount() : options.Players;
  report.WinsBySeat.assign(static_cast<std::size_t>(seats), 0);

  const auto started = std::chrono::steady_clock::now();
  for (int game = 0; game < options.Games; ++game) {
    dialogs.gameOver = false;
    listener.game = game + 1;
    listener.live = true;
    listener.winner = -1;
    if (from) {
      rules.LoadGame(*from);
    } else {
      rules.NewGame(options.Players);
    }
    auto& players = rules.MutableState().Players;
    for (std::size_t i = 0; i < players.size(); ++i) {
      players[i].CPU = true;
      if (i < options.Levels.size())
        players[i].Level = options.Levels[i];
      else if (!from)
        players[i].Level = ComputerLevel::Classic;
    }
    const GameState& state = rules.State();
    if (game == 0) {
      for (const Player& p : state.Players) report.SeatNames.push_back(p.Name);
    }
    // Players are reported by name; two players of one name are told apart by their seats.
    std::vector<ComputerLevel> levels;
    for (const Player& p : state.Players) levels.push_back(p.Level);
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < state.Players.size(); ++i) {
      const std::string& name = state.Players[i].Name;
      int sameName = 0;
      for (const Player& p : state.Players) sameName += p.Name == name ? 1 : 0;
      labels.push_back(sameName > 1 ? name + " (seat " + std::to_string(i + 1) + ")" : name);
    }

    int turns = 0;
    bool stuck = false;
    while (!dialogs.gameOver) {
      rules.RefreshStatus();
      if (dialogs.gameOver) break;
      if (options.Check) CheckInvariants(rules.State(), game + 1, turns, report.Violations);
      if (turns >= options.MaxTurns) break;
      if (rules.RollAllowed()) {
        rules.ComputerTurnTick();
        ++turns;
      }
      if (!rules.Walking()) {
        // Neither a roll nor a walk: the game cannot go on.
        stuck = !rules.RollAllowed();
        if (stuck) break;
        continue;
      }
      while (rules.Walking()) rules.StepWalk();
    }
    if (stuck && options.Check) {
      report.Violations.push_back("game " + std::to_string(game + 1) + " stopped moving");
    }

    ++report.GamesPlayed;
    report.Turns += turns;
    report.TurnsPerGame.push_back(turns);
    if (dialogs.gameOver) {
      ++report.GamesFinished;
      const int winner = listener.winner;
      if (winner >= 0 && winner < seats) {
        ++report.WinsBySeat[static_cast<std::size_t>(winner)];
        ++report.WinsByName[labels[static_cast<std::size_t>(winner)]];
        ++report.WinsByLevel[LevelName(levels[static_cast<std::size_t>(winner)])];
      } else {
        ++report.NobodyWon;
      }
      report.PlayersBankrupted += winner >= 0 ? seats - 1 : seats;
    } else {
      listener.live = false;
      for (const Player& p : rules.State().Players) {
        if (!p.Playing) ++report.PlayersBankrupted;
      }
    }
  }
  report.Seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return report;
}

std::string EventJson(const GameEvent& e, int game) {
  std::string out =
      "{\"game\": " + std::to_string(game) + ", \"type\": \"" + EventName(e.Type) + "\"";
  auto field = [&out](const char* name, std::int64_t value) {
    out += ", \"";
    out += name;
    out += "\": " + std::to_string(value);
  };
  auto flag = [&out](const char* name, bool value) {
    out += ", \"";
    out += name;
    out += value ? "\": true" : "\": false";
  };
  if (e.Player >= 0) field("player", e.Player);
  const int ground = e.Ground + 1;  // as printed on the board
  switch (e.Type) {
    case EventType::GameStarted:
    case EventType::GameLoaded:
    case EventType::PlayerOut:
    case EventType::NobodyWon:
      break;
    case EventType::Rolled:
      field("die1", e.Die1);
      field("die2", e.Die2);
      break;
    case EventType::Moved:
      field("square", e.Square);
      field("steps_left", e.StepsLeft);
      break;
    case EventType::PassedStart:
      field("salary", e.Salary);
      field("interest", e.Interest);
      break;
    case EventType::WalkEnded:
    case EventType::Shortcut:
      field("square", e.Square);
      break;
    case EventType::Bought:
      field("ground", ground);
      field("price", e.Amount);
      break;
    case EventType::RentPaid:
      field("owner", e.Other);
      field("ground", ground);
      field("amount", e.Amount);
      break;
    case EventType::Chance:
      field("outcome", e.Outcome);
      field("amount", e.Amount);
      break;
    case EventType::BillPaid:
      out += e.Outcome == 0 ? ", \"bill\": \"energy\"" : ", \"bill\": \"water\"";
      field("buildings", e.Count);
      field("amount", e.Amount);
      break;
    case EventType::MayorBonus:
    case EventType::CasinoWin:
    case EventType::BribePaid:
    case EventType::Robbed:
    case EventType::LoanRepaid:
      field("amount", e.Amount);
      break;
    case EventType::Jailed:
      field("sentence", e.Sentence);
      field("fine", e.Amount);
      flag("bribe_refused", e.Outcome == 1);
      break;
    case EventType::PayRise:
      field("salary", e.Salary);
      break;
    case EventType::Built:
      field("ground", ground);
      field("level", e.Level + 1);
      field("cost", e.Amount);
      break;
    case EventType::BuildingSold:
      field("ground", ground);
      field("levels_sold", e.Count);
      field("level", e.Level + 1);
      field("amount", e.Amount);
      flag("forced", e.Forced);
      break;
    case EventType::CompanySold:
      field("ground", ground);
      field("amount", e.Amount);
      flag("forced", e.Forced);
      break;
    case EventType::LoanTaken:
      field("amount", e.Amount);
      flag("automatic", e.Automatic);
      break;
    case EventType::BoughtFromPlayer:
      field("seller", e.Other);
      field("ground", ground);
      field("paid", e.Amount);
      field("received", e.Received);
      break;
    case EventType::TurnPassed:
      flag("extra", e.Extra);
      break;
    case EventType::GameWon:
      field("score", e.Amount);
      break;
  }
  std::string changes;
  for (std::size_t p = 0; p < e.Changes.size(); ++p) {
    const BalanceChange& c = e.Changes[p];
    if (c.Money == 0 && c.Loan == 0) continue;
    changes += changes.empty() ? "" : ", ";
    changes += "{\"player\": " + std::to_string(p) + ", \"money\": " + std::to_string(c.Money) +
               ", \"loan\": " + std::to_string(c.Loan) + "}";
  }
  if (!changes.empty()) out += ", \"changes\": [" + changes + "]";
  return out + "}";
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
    if (!options.Levels.empty()) {
      out << "}, \"wins_by_level\": {";
      first = true;
      for (const char* level : {"classic", "strong"}) {
        const auto it = r.WinsByLevel.find(level);
        std::snprintf(buf, sizeof buf, "\"%s\": %.4f", level,
                      share(it == r.WinsByLevel.end() ? 0 : it->second) / 100.0);
        out << (first ? "" : ", ") << buf;
        first = false;
      }
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
  if (!options.Levels.empty()) {
    out << "wins by level:\n";
    for (const char* level : {"classic", "strong"}) {
      const auto it = r.WinsByLevel.find(level);
      const int wins = it == r.WinsByLevel.end() ? 0 : it->second;
      std::snprintf(buf, sizeof buf, "  %s: %d (%.1f%%)\n", level, wins, share(wins));
      out << buf;
    }
  }
  out << "players bankrupted: " << r.PlayersBankrupted << "\n";
  std::snprintf(buf, sizeof buf, "turns per second: %.0f\n", perSecond);
  out << buf;
  return out.str();
}

}  // namespace quillbury
