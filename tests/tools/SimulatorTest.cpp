#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "localisation/TextEncoding.h"
#include "tools/Simulator.h"

namespace quillbury {
namespace {

struct SimRun {
  int status;
  std::string out;
};

SimRun RunSim(const std::string& args, const std::string& program = QUILLBURY_SIM) {
  const std::string command = program + " " + args + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char buf[4096];
  while (pipe != nullptr && std::fgets(buf, sizeof buf, pipe) != nullptr) out += buf;
  const int raw = pipe != nullptr ? ::pclose(pipe) : -1;
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

SimulatorOptions Options(int players, std::uint64_t seed, int games) {
  SimulatorOptions o;
  o.Players = players;
  o.Seed = seed;
  o.Games = games;
  o.Check = true;
  o.AppDir = QUILLBURY_BIN_DIR;
  return o;
}

TEST(Simulator, SameSeedSameGamesAndEveryInvariantHolds) {
  for (int players : {2, 3}) {
    const auto a = RunSimulation(Options(players, 7, 300));
    const auto b = RunSimulation(Options(players, 7, 300));
    EXPECT_EQ(a.TurnsPerGame, b.TurnsPerGame);
    EXPECT_EQ(a.WinsBySeat, b.WinsBySeat);
    EXPECT_TRUE(a.Violations.empty()) << a.Violations.front();
    EXPECT_EQ(a.GamesPlayed, 300);
    EXPECT_GT(a.GamesFinished, 100) << "most computer games end";
    int wins = a.NobodyWon;
    for (int w : a.WinsBySeat) wins += w;
    EXPECT_EQ(wins, a.GamesFinished);
    const auto c = RunSimulation(Options(players, 8, 300));
    EXPECT_NE(a.TurnsPerGame, c.TurnsPerGame) << "another seed plays other games";
  }
}

TEST(Simulator, UnfinishedGamesStopAtTheTurnLimit) {
  auto o = Options(3, 1, 50);
  o.MaxTurns = 10;
  const auto r = RunSimulation(o);
  EXPECT_EQ(r.GamesFinished, 0);
  for (int t : r.TurnsPerGame) EXPECT_EQ(t, 10);
}

TEST(SimulatorProgram, ReportsAndRejectsBadArguments) {
  const SimRun ok = RunSim("--games 20 --players 2 --seed 3 --check");
  EXPECT_EQ(ok.status, 0) << ok.out;
  EXPECT_NE(ok.out.find("games played: 20"), std::string::npos) << ok.out;
  EXPECT_NE(ok.out.find("turns per second"), std::string::npos);
  EXPECT_NE(ok.out.find("invariants: all held"), std::string::npos);
  const SimRun json = RunSim("--games 5 --seed 3 --json");
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out.front(), '{');
  EXPECT_NE(json.out.find("\"games_played\": 5"), std::string::npos) << json.out;

  for (const char* bad :
       {"--players 4", "--games 0", "--games x", "--seed -1", "--bogus", "--max-turns", "--from"}) {
    const SimRun r = RunSim(bad);
    EXPECT_EQ(r.status, 2) << bad << ": " << r.out;
    EXPECT_NE(r.out.find("usage:"), std::string::npos) << bad;
  }
}

TEST(SimulatorProgram, PlaysOnFromASavedGameAndReportsWinsByName) {
  const std::string file =
      std::string(QUILLBURY_TEST_DATA) + "/persistence/data/good/mid-move-three.qbgame";
  const SimRun r = RunSim("--from " + file + " --games 40 --seed 2 --check");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("wins by player:"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  Mac Poor: "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("invariants: all held"), std::string::npos) << r.out;
  EXPECT_EQ(RunSim("--from " + file + " --games 40 --seed 2").out.substr(0, 200),
            RunSim("--from " + file + " --games 40 --seed 2").out.substr(0, 200));
  const SimRun bad = RunSim("--from " + std::string(QUILLBURY_TEST_DATA) +
                            "/persistence/data/bad/house-four.qbgame --games 3");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("building level 4"), std::string::npos) << bad.out;
}

TEST(SimulatorProgram, CannotLoadReportsTheReason) {
  const SimRun r = RunSim("--from /nonexistent/game.qbgame --games 3");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out.rfind("cannot load /nonexistent/game.qbgame: ", 0), 0u) << r.out;
}

// JSON text is UTF-8 even when the names come from a Windows save, and every byte below 0x20 is
// escaped.
TEST(SimulatorProgram, JsonIsValidUtf8ForNamesFromAnyFile) {
  const SimRun r = RunSim("--from " + std::string(QUILLBURY_TEST_DATA) +
                          "/persistence/data/good/windows-1252-names.qbgame --games 30 --seed 4 "
                          "--json");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(IsValidUtf8(r.out)) << r.out;
  for (const char c : r.out.substr(0, r.out.size() - 1)) {
    EXPECT_GE(static_cast<unsigned char>(c), 0x20) << r.out;
  }
  EXPECT_NE(r.out.find("\"S\xC3\xB8ren \xE2\x82\xAC Bl\xC3\xA5"
                       "b\xC3\xA6r\": "),
            std::string::npos)
      << r.out;
}

// Without a sound database beside it the simulator would play games that never end; it stops
// at once, naming the file and the company.
TEST(SimulatorProgram, StopsWithoutASoundDatabase) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("qb-sim-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path program = dir / "quillbury-sim";
  fs::copy_file(QUILLBURY_SIM, program, fs::copy_options::overwrite_existing);
  const struct {
    const char* label;
    const char* database;  // null: no file
    std::string says;
  } cases[] = {
      {"missing", nullptr, "The file " + (dir / "database.dat").string() + " does not exist."},
      {"no prices", "[1]\nName=Free\n", "gives company 1 (Free) the price \"\""},
      {"negative price", "[1]\nName=Paid\nPrice=-2147483648\n", "the price \"-2147483648\""},
  };
  for (const auto& c : cases) {
    fs::remove(dir / "database.dat");
    if (c.database != nullptr) std::ofstream(dir / "database.dat") << c.database;
    const SimRun r = RunSim("--games 3000 --seed 1 --check", program.string());
    EXPECT_EQ(r.status, 2) << c.label << ": " << r.out;
    EXPECT_NE(r.out.find(c.says), std::string::npos) << c.label << ": " << r.out;
    EXPECT_EQ(r.out.find("invariants"), std::string::npos) << c.label << ": " << r.out;
  }
  fs::remove_all(dir);
}

// --events prints every game's events as JSON lines before the report: each an object with the
// game's number and a type, the games in order.
TEST(Simulator, EventsAreJsonLinesOfEveryKindGameByGame) {
  const SimRun run = RunSim("--events --games 40 --players 3 --seed 3");
  ASSERT_EQ(run.status, 0) << run.out;
  std::set<std::string> types;
  std::map<int, int> outs;  // by game
  int lastGame = 0;
  int lines = 0;
  std::istringstream in(run.out);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("{\"game\": ", 0) != 0) continue;
    ++lines;
    ASSERT_EQ(line.back(), '}') << line;
    const int game = std::stoi(line.substr(9));
    EXPECT_GE(game, lastGame) << "games come one after another";
    lastGame = game;
    const std::size_t at = line.find("\"type\": \"");
    ASSERT_NE(at, std::string::npos) << line;
    const std::string type = line.substr(at + 9, line.find('"', at + 9) - at - 9);
    types.insert(type);
    if (type == "out") ++outs[game];
  }
  for (const auto& [game, count] : outs)
    EXPECT_LE(count, 3) << "a player goes out once, game " << game;
  EXPECT_EQ(lastGame, 40);
  EXPECT_GT(lines, 10000);
  for (const char* type :
       {"roll", "move", "buy", "rent", "build", "loan", "repay", "sell-building", "sell-company",
        "jail", "casino", "chance", "out", "won", "turn", "game-started"}) {
    EXPECT_TRUE(types.count(type)) << type;
  }
  EXPECT_NE(run.out.find("games played: 40"), std::string::npos) << "the report follows";
}

// A seeded game with a strong seat plays the same every time, and the strong computer beats
// the classic one from either seat.
TEST(Simulator, StrongSeatsAreReproducibleAndWinMost) {
  for (const auto& levels :
       {std::vector<ComputerLevel>{ComputerLevel::Strong, ComputerLevel::Classic},
        std::vector<ComputerLevel>{ComputerLevel::Classic, ComputerLevel::Strong}}) {
    auto o = Options(2, 5, 200);
    o.Levels = levels;
    o.Think = 0;
    const auto a = RunSimulation(o);
    const auto b = RunSimulation(o);
    EXPECT_EQ(a.TurnsPerGame, b.TurnsPerGame);
    EXPECT_EQ(a.WinsByLevel, b.WinsByLevel);
    // Thinking draws from its own generator: a look-ahead game is as reproducible.
    o.Games = 10;
    o.Think = 4;
    EXPECT_EQ(RunSimulation(o).TurnsPerGame, RunSimulation(o).TurnsPerGame);
    EXPECT_TRUE(a.Violations.empty()) << a.Violations.front();
    // A level that won nothing has no entry.
    const auto classic = a.WinsByLevel.find("classic");
    EXPECT_GT(a.WinsByLevel.at("strong"),
              8 * (classic == a.WinsByLevel.end() ? 0 : classic->second));
  }
  const SimRun bad = RunSim("--levels strong,wizard");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("classic or strong"), std::string::npos) << bad.out;
  EXPECT_EQ(RunSim("--levels strong --games 1").status, 2) << "one level for each player";
  const SimRun run = RunSim("--levels classic,strong,classic --games 20 --seed 3 --think 0");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("wins by level:\n  classic: "), std::string::npos) << run.out;
}

}  // namespace
}  // namespace quillbury
