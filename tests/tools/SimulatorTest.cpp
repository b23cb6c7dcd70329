#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tools/Simulator.h"

namespace quillbury {
namespace {

struct SimRun {
  int status;
  std::string out;
};

SimRun RunSim(const std::string& args) {
  const std::string command = std::string(QUILLBURY_SIM) + " " + args + " 2>&1";
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

}  // namespace
}  // namespace quillbury
