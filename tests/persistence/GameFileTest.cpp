#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "../core/GameFixture.h"
#include "core/GroundDatabase.h"
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

// A strong computer's level is saved in an element of its own that older files lack: they load
// with classic computers, and an unknown level is refused.
TEST_F(GameFileTest, ComputerLevelsAreSavedAndOlderFilesLoadAsClassic) {
  StartGame(3, true);
  PlayerAt(2).CPU = true;
  PlayerAt(2).Level = ComputerLevel::Strong;
  ASSERT_TRUE(WriteGameFile(game, Path("levels.qbgame")));
  const std::string text = ReadAll(dir / "levels.qbgame");
  EXPECT_EQ(text.find("<ComputerLevel>"), text.rfind("<ComputerLevel>")) << "written once";
  EXPECT_NE(text.find("<ComputerLevel>Strong</ComputerLevel>"), std::string::npos);
  Other other;
  ASSERT_TRUE(ReadGameFile(other.rules, Path("levels.qbgame")));
  EXPECT_EQ(other.rules.State().Players[1].Level, ComputerLevel::Classic);
  EXPECT_EQ(other.rules.State().Players[2].Level, ComputerLevel::Strong);

  ASSERT_TRUE(ReadGameFile(rules, DataFile("good/example.qbgame")));
  EXPECT_TRUE(PlayerAt(1).CPU);
  EXPECT_EQ(PlayerAt(1).Level, ComputerLevel::Classic);

  std::string wrong = text;
  wrong.replace(wrong.find("Strong"), 6, "Wizard");
  std::string error;
  EXPECT_FALSE(ParseGameText(wrong, game.Grounds, &error));
  EXPECT_NE(error.find("Wizard"), std::string::npos) << error;
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
  EXPECT_EQ(GroundAt(10).Name, "Company 11")
      << "grounds the file leaves out come from the database";
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
                      "does-not-exist", "number-roll-negative", "salary-negative", "loan-negative",
                      "name-over-1000-bytes", "sell-over-1000-bytes", "nested-65-deep"),
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

// Every fixture the suite keeps, and every saved game of the fuzzing corpus, is still judged as
// before: whatever lies in good/ and the corpus loads, whatever lies in bad/ is refused.
TEST_F(GameFileTest, EveryFixtureIsStillJudgedAsBefore) {
  const fs::path root(QUILLBURY_TEST_DATA);
  const struct {
    fs::path folder;
    bool loads;
  } folders[] = {{root / "persistence/data/good", true},
                 {root / "../fuzz/corpus/game", true},
                 {root / "persistence/data/bad", false}};
  int files = 0;
  for (const auto& f : folders) {
    for (const auto& entry : fs::directory_iterator(f.folder)) {
      random.draws = {0};
      std::string error;
      EXPECT_EQ(ReadGameFile(rules, entry.path().string(), &error), f.loads)
          << entry.path() << ": " << error;
      ++files;
    }
  }
  EXPECT_GT(files, 40) << "the fixture folders were found";
}

// An older save from Windows holds its names in Windows-1252; they show as the characters they
// were, and a load and a save turn them into UTF-8 that reads back the same. A numeric reference
// gives its character.
TEST_F(GameFileTest, WindowsNamesReadAndAreSavedAgainAsUtf8) {
  ASSERT_TRUE(ReadGameFile(rules, DataFile("good/windows-1252-names.qbgame")));
  EXPECT_EQ(PlayerAt(0).Name,
            "S\xC3\xB8ren \xE2\x82\xAC Bl\xC3\xA5"
            "b\xC3\xA6r");
  EXPECT_EQ(PlayerAt(1).Name,
            "Ren\xC3\xA9"
            "e \xC3\xB8 \xF0\x9F\x8E\xB2");
  EXPECT_EQ(GroundAt(0).Sell.size(), kMaxGameTextBytes) << "the longest text that is taken";
  const std::string shown = SavedFields(game);

  ASSERT_TRUE(WriteGameFile(game, Path("again.qbgame")));
  const std::string bytes = ReadAll(dir / "again.qbgame");
  EXPECT_NE(bytes.find("<Name>S\xC3\xB8ren \xE2\x82\xAC Bl\xC3\xA5"
                       "b\xC3\xA6r</Name>"),
            std::string::npos);
  Other other;
  ASSERT_TRUE(ReadGameFile(other.rules, Path("again.qbgame")));
  EXPECT_EQ(SavedFields(other.rules.State()), shown);
}

// A hostile file of at most the largest size taken is refused, for its shape, its count of
// elements or one huge text, without reading it into a tree of millions of elements.
TEST_F(GameFileTest, HostileFilesAreRefusedForTheirShape) {
  const auto repeat = [](const std::string& head, const std::string& block, std::size_t bytes) {
    std::string text = head;
    while (text.size() + block.size() <= bytes) text += block;
    return text;
  };
  const std::size_t size = kMaxGameFileSize - 64;
  const std::string player =
      "<Player><ID>0</ID><Name>A</Name><Money>1</Money><Salary>1</Salary><Jail>0</Jail>"
      "<Loan>0</Loan><CurrentPosition>1</CurrentPosition><CPU>0</CPU><Playing>1</Playing>"
      "</Player>";
  const struct {
    const char* label;
    std::string text;
    const char* says;
  } cases[] = {
      {"deep", repeat("", "<a>", size), "nested more than 64 deep"},
      {"many elements", repeat("<QuillburyGame><Players>", player, size), "more than 10000"},
      {"huge name", "<QuillburyGame><Players><Player><Name>" + std::string(size, 'n'),
       "a text of more than 65536 bytes"},
      {"huge tag", "<QuillburyGame " + std::string(size, 't') + ">", "a tag of more than"},
      {"name just over",
       "<QuillburyGame><CurrentPlayerID>0</CurrentPlayerID><NumberRoll>1"
       "</NumberRoll><Left>0</Left><Die1>0</Die1><Die2>0</Die2><Players>" +
           player + std::regex_replace(player, std::regex("<ID>0"), "<ID>1") +
           "</Players><Grounds><Ground><ID>0</ID><Owner>-1</Owner>"
           "<House>-1</House><Name>" +
           std::string(1001, 'x') + "</Name><Sell>s</Sell></Ground></Grounds></QuillburyGame>\r\n",
       "holds a text of 1001 bytes"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseGameText(c.text, FreshGrounds(rules.Database()), &error)) << c.label;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.label << ": " << error;
  }
}

// Files that are not files fail at once, saying what they are.
TEST_F(GameFileTest, OnlyRegularFilesAreLoaded) {
  ASSERT_EQ(::mkfifo(Path("pipe.qbgame").c_str(), 0600), 0);
  fs::create_directory(dir / "folder.qbgame");
  const struct {
    std::string path;
    std::string says;
  } cases[] = {{Path("pipe.qbgame"), Path("pipe.qbgame") + " is a named pipe, not a file."},
               {Path("folder.qbgame"), Path("folder.qbgame") + " is a folder, not a file."},
               {"/dev/zero", "/dev/zero is a device, not a file."},
               {Path("none.qbgame"), "The file " + Path("none.qbgame") + " does not exist."}};
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ReadGameFile(rules, c.path, &error));
    EXPECT_EQ(error, c.says);
    EXPECT_FALSE(LoadStartPosition(c.path, testing::TestAppDir(), &error));
    EXPECT_EQ(error, c.says);
  }
}

TEST_F(GameFileTest, SavingIsRefusedWithTheReasonAndWritesNothing) {
  rules.SetUpPlaceholderGame();
  std::string error;
  EXPECT_FALSE(WriteGameFile(game, Path("nothing.qbgame"), &error));
  EXPECT_EQ(error, "There is no game to save yet. Start a new game or load one first.");
  EXPECT_TRUE(fs::is_empty(dir));

  StartGame(2);
  std::ofstream(dir / "locked.qbgame") << "earlier";
  fs::permissions(dir / "locked.qbgame", fs::perms::owner_read);
  EXPECT_FALSE(WriteGameFile(game, Path("locked.qbgame"), &error));
  EXPECT_EQ(error, Path("locked.qbgame") + " is read-only, so the game was not saved.");
  EXPECT_EQ(ReadAll(dir / "locked.qbgame"), "earlier");

  fs::create_directory(dir / "shut");
  std::ofstream(dir / "shut" / "game.qbgame") << "earlier";
  fs::permissions(dir / "shut", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(WriteGameFile(game, (dir / "shut" / "game.qbgame").string(), &error));
  EXPECT_EQ(error, "The folder " + (dir / "shut").string() +
                       "/ is not writable, so the game was not saved.");
  EXPECT_EQ(ReadAll(dir / "shut" / "game.qbgame"), "earlier");
  fs::permissions(dir / "shut", fs::perms::owner_all);
}

}  // namespace
}  // namespace quillbury
