#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../core/GameFixture.h"
#include "persistence/GameFile.h"

namespace quillbury {
namespace {

namespace fs = std::filesystem;

std::string DataFile(const std::string& name) {
  return std::string(QUILLBURY_TEST_DATA) + "/persistence/data/" + name;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class GameFileTest : public testing::GameTest {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("qb-save-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, ec);
    fs::remove_all(dir, ec);
  }
  std::string Path(const std::string& name) { return (dir / name).string(); }

  // Every field a saved game carries, so two states can be compared whole.
  static std::string SavedFields(const GameState& s) {
    std::ostringstream o;
    o << s.CurrentPlayer << '|' << s.CasinoCounter << '|' << s.StepsLeft << '|' << s.Die1 << '|'
      << s.Die2 << '|' << s.PlayerCount() << '\n';
    for (const Player& p : s.Players) {
      o << p.Name << '|' << p.Money << '|' << p.Salary << '|' << p.Jail << '|' << p.Loan << '|'
        << p.CurrentPosition << '|' << p.CPU << '|' << p.Playing << '|' << p.Color << '\n';
    }
    for (const Ground& g : s.Grounds) {
      o << g.Owner << '|' << g.House << '|' << g.Name << '|' << g.Sell << '|' << g.Price << '\n';
    }
    return o.str();
  }

  // A second session, as a later run of the program that loads the file.
  struct Other {
    Other() : rules(dialogs, random) {
      rules.Settings().AppDir = testing::TestAppDir();
      rules.AddListener(events);
    }
    testing::FakeDialogs dialogs;
    testing::ScriptedRandom random;
    testing::EventLog events;
    GameRules rules;
  };

  fs::path dir;
};

struct RoundTripCase {
  const char* name;
  int players;
  int left;
  std::vector<std::string> names;
};

class GameFileRoundTrip : public GameFileTest,
                          public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(GameFileRoundTrip, EverySavedFieldComesBackUnchanged) {
  const RoundTripCase& c = GetParam();
  StartGame(c.players, true);
  for (int i = 0; i < c.players; ++i) {
    PlayerAt(i).Name = c.names[static_cast<std::size_t>(i)];
    PlayerAt(i).Money = -123456 + i;
    PlayerAt(i).Salary = 342000 + i;
    PlayerAt(i).Jail = i;
    PlayerAt(i).Loan = 700000 * i;
    PlayerAt(i).CurrentPosition = 40 - i;
  }
  PlayerAt(c.players - 1).Playing = false;
  if (c.players == 3) PlayerAt(2).Color = kRed;  // as the New Game command colours player 3
  GroundAt(0).Owner = 0;
  GroundAt(0).House = 3;
  GroundAt(27).Owner = 1;
  GroundAt(5).Name = c.names[0];
  GroundAt(5).Sell = "bought " + c.names.back();
  game.CurrentPlayer = 1;
  game.CasinoCounter = 77;
  game.StepsLeft = c.left;
  game.Die1 = c.left > 0 ? 4 : 0;
  game.Die2 = c.left > 0 ? 6 : 0;
  ASSERT_TRUE(WriteGameFile(game, Path("game.qbgame")));

  Other other;
  other.random.draws = {0};  // where the dice of a resumed move lie
  ASSERT_TRUE(ReadGameFile(other.rules, Path("game.qbgame")));
  EXPECT_EQ(SavedFields(other.rules.State()), SavedFields(game));
  EXPECT_TRUE(other.rules.HasGame());
  const GameEvent loaded = other.events.Last(EventType::GameLoaded);
  if (c.left > 0) {
    // The saved move resumes: dice as saved, the walk under way, Roll held back.
    EXPECT_EQ(std::make_pair(loaded.Die1, loaded.Die2), std::make_pair(4, 6));
    EXPECT_TRUE(other.rules.Walking());
    EXPECT_FALSE(other.rules.RollAllowed());
  } else {
    EXPECT_FALSE(other.rules.Walking());
    EXPECT_TRUE(other.rules.RollAllowed());
  }
  EXPECT_EQ(other.events.events.size(), 1u) << "one event draws the whole board";
}

INSTANTIATE_TEST_SUITE_P(
    Games, GameFileRoundTrip,
    ::testing::Values(
        RoundTripCase{"TwoPlayersBetweenMoves", 2, 0, {"Ann", "Bob"}},
        RoundTripCase{"ThreePlayersMidMove", 3, 5, {"Ann", "Bob", "Cid"}},
        RoundTripCase{"TwoPlayersMidMove", 2, 12, {"Ann", "Bob"}},
        RoundTripCase{
            "OddNames", 3, 1, {"it's", "a<b & \"c\" >", "salt & pepper &amp; &lt; &#10; &pos;"}},
        RoundTripCase{"ControlAndForeignBytes",
                      2,
                      0,
                      {std::string("line\r\nbreak\ttab  "), std::string("S\xC3\xB8ren \x00x", 9)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameFileTest, WrittenFileHasTheDocumentedShape) {
  rules.NewGame(2);
  ASSERT_TRUE(WriteGameFile(game, Path("default.qbgame")));
  const std::string text = ReadAll(dir / "default.qbgame");
  const std::string head =
      "<QuillburyGame>\r\n"
      "  <GameVersion>1.0.0.0</GameVersion>\r\n"
      "  <CurrentPlayerID>0</CurrentPlayerID>\r\n"
      "  <NumberRoll>1</NumberRoll>\r\n"
      "  <Left>0</Left>\r\n"
      "  <Die1>0</Die1>\r\n"
      "  <Die2>0</Die2>\r\n"
      "  <Players>\r\n"
      "    <Player>\r\n"
      "      <ID>0</ID>\r\n"
      "      <Name>Mr. Gambler</Name>\r\n"
      "      <Money>5000000</Money>\r\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_NE(text.find("      <CPU>1</CPU>\r\n      <Playing>1</Playing>\r\n"), std::string::npos);
  EXPECT_NE(text.find("      <ID>27</ID>\r\n      <Owner>-1</Owner>\r\n      <House>-1</House>\r\n"
                      "      <Name>Company 28</Name>\r\n      <Sell>bought goods 28</Sell>\r\n"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 18), "</QuillburyGame>\r\n");
  // Texts that need no escape of ours stay in the documented form.
  PlayerAt(0).Name = "it's a<b & c";
  ASSERT_TRUE(WriteGameFile(game, Path("names.qbgame")));
  EXPECT_NE(ReadAll(dir / "names.qbgame").find("<Name>it&pos;s a&lt;b & c</Name>"),
            std::string::npos);
}

TEST_F(GameFileTest, TheDocumentedExampleLoadsAsShown) {
  ASSERT_TRUE(ReadGameFile(rules, DataFile("good/example.qbgame")));
  EXPECT_EQ(game.PlayerCount(), 2);
  EXPECT_EQ(PlayerAt(0).Name, "Mr. Gambler");
  EXPECT_EQ(PlayerAt(0).Money, 5000000);
  EXPECT_EQ(PlayerAt(0).Color, kBlue);
  EXPECT_EQ(PlayerAt(1).Name, "Bart Broker");
  EXPECT_TRUE(PlayerAt(1).CPU);
  EXPECT_EQ(PlayerAt(1).Color, kYellow);
  EXPECT_EQ(game.CasinoCounter, 1);
  EXPECT_EQ(GroundAt(0).Name, "Saved Company 1");  // the file's name wins
  EXPECT_EQ(GroundAt(0).Price, 100000);            // prices come from the database
  EXPECT_EQ(GroundAt(0).Houses[3].Rent, 95000);
  EXPECT_TRUE(rules.RollAllowed());
  EXPECT_TRUE(rules.ActionsAllowed());
}

TEST_F(GameFileTest, FilesInOtherAcceptedShapesLoad) {
  const char* files[] = {"other-root-no-version", "players-reversed", "few-grounds",
                         "documented-entities",   "mid-move-three",   "player-out"};
  random.draws = {0};  // the resumed move's dice
  for (const char* name : files) {
    EXPECT_TRUE(ReadGameFile(rules, DataFile(std::string("good/") + name + ".qbgame"))) << name;
  }
  ASSERT_TRUE(ReadGameFile(rules, DataFile("good/players-reversed.qbgame")));
  EXPECT_EQ(PlayerAt(0).Name, "Mr. Gambler");
  EXPECT_EQ(PlayerAt(1).Name, "Bart Broker");
  ASSERT_TRUE(ReadGameFile(rules, DataFile("good/few-grounds.qbgame")));
  EXPECT_EQ(GroundAt(3).Owner, 1);
  EXPECT_EQ(GroundAt(3).House, 2);
  EXPECT_EQ(GroundAt(0).Owner, 0);
  EXPECT_EQ(GroundAt(10).Owner, -1);
  EXPECT_EQ(GroundAt(10).Name, "Company 11") << "grounds the file leaves out come from the database";
  ASSERT_TRUE(ReadGameFile(rules, DataFile("good/documented-entities.qbgame")));
  EXPECT_EQ(PlayerAt(0).Name, "it's a<b \"c\" >");
  EXPECT_EQ(PlayerAt(1).Name, "salt & pepper");
  EXPECT_EQ(GroundAt(0).Name, "Fish & Chips");
  EXPECT_EQ(GroundAt(0).Sell, "bought fish & chips");
}

TEST_F(GameFileTest, AGameWithAPlayerAlreadyOutEndsAtTheFirstRefresh) {
  ASSERT_TRUE(ReadGameFile(rules, DataFile("good/player-out.qbgame")));
  rules.RefreshStatus();
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back(), "Bart Broker has lost the game! Mr. Gambler wins!");
}

class BadGameFile : public GameFileTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(BadGameFile, IsRefusedAndChangesNothing) {
  StartGame(3);
  PlayerAt(0).Name = "Keep me";
  GroundAt(2).Owner = 2;
  game.CurrentPlayer = 2;
  game.CasinoCounter = 99;
  rules.RefreshStatus();
  const std::string before = SavedFields(game);
  std::string error;
  EXPECT_FALSE(ReadGameFile(rules, DataFile("bad/" + GetParam() + ".qbgame"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(SavedFields(game), before);
  EXPECT_EQ(events.Count(EventType::GameLoaded), 0);

  // Before any game, a failed load leaves the program waiting for one: no end test runs.
  Other fresh;
  fresh.rules.SetUpPlaceholderGame();
  EXPECT_FALSE(ReadGameFile(fresh.rules, DataFile("bad/" + GetParam() + ".qbgame")));
  EXPECT_FALSE(fresh.rules.HasGame());
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, BadGameFile,
    ::testing::Values("one-player", "four-players", "duplicate-player-id", "missing-player-id",
                      "player-id-not-a-number", "ground-id-28", "ground-id-negative",
                      "ground-twice", "current-player-out-of-range", "current-player-negative",
                      "owner-out-of-range", "owner-below-minus-one", "house-four",
                      "house-below-minus-one", "position-zero", "position-43", "jail-negative",
                      "dice-out-of-range-while-walking", "die-seven-while-walking", "left-13",
                      "left-negative", "money-missing", "money-not-a-number", "money-too-large",
                      "playing-not-a-boolean", "no-players", "no-grounds", "empty", "plain-text",
                      "end-tag-with-nothing-open", "unclosed-angle", "ground-name-missing",
                      "does-not-exist"),
    [](const auto& info) {
      std::string n = info.param;
      for (char& ch : n) {
        if (ch == '-') ch = '_';
      }
      return n;
    });

TEST_F(GameFileTest, LoadingStopsAMoveUnderWayAndResumesTheSavedOne) {
  StartGame(2);
  random.Roll(6, 6);
  rules.Roll();
  rules.StepWalk();
  random.draws.push_back(0);  // the loaded game's dice arrangement
  ASSERT_TRUE(ReadGameFile(rules, DataFile("good/mid-move-three.qbgame")));
  EXPECT_FALSE(game.ExtraTurn) << "the interrupted roll's double six is void";
  EXPECT_EQ(game.StepsLeft, 5);
  EXPECT_TRUE(rules.Walking());
  // The saved walk goes on from square 40 over the start square to square 3.
  dialogs.answers = {false};
  Walk();
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 3);
  EXPECT_EQ(PlayerAt(0).Money, 5000000 + 300000);
  EXPECT_EQ(game.CurrentPlayer, 1);
  EXPECT_TRUE(rules.RollAllowed());
}

TEST_F(GameFileTest, AFailedSaveReportsFalseAndKeepsTheEarlierFile) {
  StartGame(2);
  ASSERT_TRUE(WriteGameFile(game, Path("keep.qbgame")));
  const std::string earlier = ReadAll(dir / "keep.qbgame");
  std::string error;
  EXPECT_FALSE(WriteGameFile(game, Path("missing/folder/game.qbgame"), &error));
  EXPECT_FALSE(error.empty());
  fs::create_directory(dir / "sub");
  EXPECT_FALSE(WriteGameFile(game, (dir / "sub").string()));  // a folder, not a file
  PlayerAt(0).Name = "Changed";
  // A path whose parent is a file cannot be written either.
  EXPECT_FALSE(WriteGameFile(game, Path("keep.qbgame/x")));
  EXPECT_EQ(ReadAll(dir / "keep.qbgame"), earlier);
  for (const auto& entry : fs::directory_iterator(dir)) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
        << "no temporary file is left behind";
  }
}

TEST_F(GameFileTest, OversizedFilesAreRefusedUnread) {
  std::ofstream(dir / "huge.qbgame").close();
  fs::resize_file(dir / "huge.qbgame", kMaxGameFileSize + 1);
  std::string error;
  EXPECT_FALSE(ReadGameFile(rules, Path("huge.qbgame"), &error));
  EXPECT_NE(error.find("too large"), std::string::npos);
}

}  // namespace
}  // namespace quillbury
