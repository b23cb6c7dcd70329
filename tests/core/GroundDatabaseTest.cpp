#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "GameFixture.h"
#include "core/GroundDatabase.h"
#include "localisation/IniFile.h"

namespace quillbury {
namespace {

class GroundDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("qb-db-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  GroundList Load(const std::string& text) {
    std::ofstream(dir / "database.dat") << text;
    IniFile file((dir / "database.dat").string());
    return FreshGrounds(file);
  }
  std::filesystem::path dir;
};

TEST_F(GroundDatabaseTest, SellTextGetsBoughtUnlessExactlyRentARoom) {
  const GroundList g =
      Load("[1]\nSell=rent a room\n[2]\nSell=cars\n[3]\nSell=Rent a room\n[4]\nName=X\n");
  EXPECT_EQ(g[0].Sell, "rent a room");
  EXPECT_EQ(g[1].Sell, "bought cars");
  EXPECT_EQ(g[2].Sell, "bought Rent a room");
  EXPECT_EQ(g[3].Sell, "rent a room");
}

TEST_F(GroundDatabaseTest, PriceReadsDecimalOrHexAndZeroOtherwise) {
  const GroundList g =
      Load("[1]\nPrice=0x10\n[2]\nPrice=abc\n[3]\nPrice=$20\n[4]\nPrice=-5\n[5]\nPrice=150000\n");
  EXPECT_EQ(g[0].Price, 16);
  EXPECT_EQ(g[1].Price, 0);
  EXPECT_EQ(g[2].Price, 32);
  EXPECT_EQ(g[3].Price, -5);
  EXPECT_EQ(g[4].Price, 150000);
  EXPECT_EQ(g[5].Name, "");  // missing section
  EXPECT_EQ(g[5].Price, 0);
}

TEST_F(GroundDatabaseTest, RentsFollowThePriceWithIntegerDivisionFirst) {
  struct Case {
    const char* price;
    std::int32_t rents[4];
  };
  const Case cases[] = {
      {"150000", {75000, 97500, 120000, 142500}}, {"199", {50, 65, 80, 95}}, {"99", {0, 0, 0, 0}}};
  for (const Case& c : cases) {
    const GroundList g = Load(std::string("[1]\nPrice=") + c.price + "\n");
    ASSERT_EQ(g[0].Houses.size(), 4u);
    for (int level = 0; level < 4; ++level) {
      EXPECT_EQ(g[0].Houses[level].Rent, c.rents[level]) << c.price << " level " << level;
      EXPECT_EQ(g[0].Houses[level].Name, std::to_string(level + 1) + " Building");
    }
    EXPECT_EQ(g[0].Owner, -1);
    EXPECT_EQ(g[0].House, -1);
  }
}

TEST_F(GroundDatabaseTest, MissingFileGivesDefaultsAndSquaresStillSet) {
  IniFile missing((dir / "nothing.dat").string());
  const GroundList g = FreshGrounds(missing);
  ASSERT_EQ(g.size(), 28u);
  for (int i = 0; i < 28; ++i) {
    EXPECT_EQ(g[i].Square, kGroundSquares[i]);
    EXPECT_EQ(g[i].Sell, "rent a room");
    EXPECT_EQ(g[i].Price, 0);
  }
}

// A database missing, empty, damaged or with prices that break the game is refused with a message
// naming the file and the company at fault; nothing else would tell the players, and such a
// database makes free companies and games that never end.
TEST_F(GroundDatabaseTest, UnfitDatabasesAreRefusedNamingFileAndCompany) {
  const auto sound = [](int skip, const std::string& replacement) {
    std::string text;
    for (int i = 1; i <= kGroundCount; ++i) {
      text += "[" + std::to_string(i) + "]\n";
      text += i == skip ? replacement
                        : "Name=Company " + std::to_string(i) +
                              "\nPrice=" + std::to_string(i * 100000) + "\n";
    }
    return text;
  };
  const struct {
    const char* label;
    std::string text;
    const char* says;  // part of the message; empty: no fault
  } cases[] = {
      {"sound", sound(0, ""), ""},
      {"lowest price", sound(1, "Name=A\nPrice=1\n"), ""},
      {"highest price", sound(28, "Name=B\nPrice=100000000\n"), ""},
      {"Windows-1252 name", sound(3, "Name=K\xF8bmand\nPrice=0x10\n"), ""},
      {"empty", "", "has no company 1."},
      {"garbage", "\x7F\x45LF\x02\x01\x01\0\0\0", "has no company 1."},
      // Cut inside company 10's name, so its price is gone.
      {"truncated", sound(0, "").substr(0, 300), "gives company 10 (Co) the price \"\""},
      {"name missing", sound(5, "Price=500000\n"), "gives company 5 no name"},
      {"name empty", sound(6, "Name=\nPrice=500000\n"), "gives company 6 no name"},
      {"price missing", sound(7, "Name=Seven\n"), "gives company 7 (Seven) the price \"\""},
      {"price zero", sound(8, "Name=Eight\nPrice=0\n"), "gives company 8 (Eight) the price \"0\""},
      {"price negative", sound(9, "Name=Nine\nPrice=-5\n"), "company 9 (Nine) the price \"-5\""},
      {"price most negative", sound(10, "Name=Ten\nPrice=-2147483648\n"),
       "the price \"-2147483648\""},
      {"price too high", sound(11, "Name=Eleven\nPrice=100000001\n"), "the price \"100000001\""},
      {"price as hex beyond", sound(12, "Name=Twelve\nPrice=0xFFFFFFFF\n"),
       "the price \"0xFFFFFFFF\""},
      {"price not a number", sound(28, "Name=Last\nPrice=lots\n"),
       "company 28 (Last) the price \"lots\""},
  };
  const std::string path = (dir / "database.dat").string();
  for (const auto& c : cases) {
    std::ofstream(dir / "database.dat", std::ios::binary | std::ios::trunc) << c.text;
    const std::string problem = GroundDatabaseProblem(IniFile(path));
    if (std::string(c.says).empty()) {
      EXPECT_EQ(problem, "") << c.label;
      continue;
    }
    EXPECT_NE(problem.find(path), std::string::npos) << c.label << ": " << problem;
    EXPECT_NE(problem.find(c.says), std::string::npos) << c.label << ": " << problem;
  }
  std::filesystem::remove(dir / "database.dat");
  EXPECT_NE(GroundDatabaseProblem(IniFile(path)).find(path + " does not exist"), std::string::npos);
  std::filesystem::create_directory(dir / "database.dat");
  EXPECT_NE(GroundDatabaseProblem(IniFile(path)).find("is a folder"), std::string::npos);
}

TEST_F(GroundDatabaseTest, DatabaseFaultIsToldInThePlayersLanguage) {
  std::ofstream(dir / "database.dat") << "";
  std::ofstream(dir / "da.lang") << "[Messages]\nDatabaseNoCompany=%1 mangler firma %2.\n";
  const std::string path = (dir / "database.dat").string();
  const IniFile danish((dir / "da.lang").string());
  EXPECT_EQ(GroundDatabaseProblem(IniFile(path), &danish), path + " mangler firma 1.");
}

TEST_F(GroundDatabaseTest, ShippedDatabaseIsCheapEarlyAndDearLate) {
  IniFile shipped(std::string(QUILLBURY_ASSETS) + "/database.dat");
  EXPECT_EQ(GroundDatabaseProblem(shipped), "");
  EXPECT_EQ(GroundDatabaseProblem(IniFile(testing::TestAppDir() + "database.dat")), "");
  const GroundList g = FreshGrounds(shipped);
  for (int i = 0; i < 28; ++i) {
    EXPECT_FALSE(g[i].Name.empty()) << i;
    EXPECT_GT(g[i].Price, 0) << i;
    if (i > 0) {
      EXPECT_GE(g[i].Price, g[i - 1].Price) << i;
    }
  }
  EXPECT_GT(g[27].Price, 3 * g[0].Price);
}

class NewGameTest : public testing::GameTest {};

TEST_F(NewGameTest, ThreePlayerDefaults) {
  EXPECT_FALSE(rules.HasGame());
  StartGame(3);
  ASSERT_EQ(game.Players.size(), 3u);
  for (int i : {0, 2}) {
    EXPECT_EQ(PlayerAt(i).Name, "Mr. Gambler");
    EXPECT_EQ(PlayerAt(i).Color, kBlue);
    EXPECT_FALSE(PlayerAt(i).CPU);
  }
  rules.NewGame(3);  // the fixture overrides the CPU flag; look at a pristine game
  EXPECT_EQ(PlayerAt(1).Name, "Bart Broker");
  EXPECT_EQ(PlayerAt(1).Color, kYellow);
  EXPECT_TRUE(PlayerAt(1).CPU);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(PlayerAt(i).CurrentPosition, 1);
    EXPECT_EQ(PlayerAt(i).Money, 5000000);
    EXPECT_EQ(PlayerAt(i).Salary, 300000);
    EXPECT_TRUE(PlayerAt(i).Playing);
  }
  EXPECT_TRUE(rules.HasGame());
  EXPECT_EQ(game.CasinoCounter, 1);
  EXPECT_EQ(game.CurrentPlayer, 0);
  EXPECT_TRUE(rules.RollAllowed());
  EXPECT_TRUE(rules.RefreshOn());
  for (const Ground& g : game.Grounds) {
    EXPECT_EQ(g.Owner, -1);
    EXPECT_EQ(g.House, -1);
  }
  EXPECT_EQ(events.Count(EventType::GameStarted), 2) << "one event for each game";
}

TEST_F(NewGameTest, NewGameCommandAppliesTheDialogAndStopsAMoveUnderWay) {
  StartGame(2);
  random.Roll(6, 6);
  rules.Roll();
  rules.StepWalk();
  ASSERT_TRUE(rules.Walking());

  NewGameChoice choice;
  choice.PlayerCount = 3;
  choice.Seats[0] = {"Ann", 100, false};
  choice.Seats[1] = {"Bob", 200, true};
  choice.Seats[2] = {"Cid", 300, true};
  rules.StartNewGame(choice);
  EXPECT_FALSE(rules.Walking());
  EXPECT_EQ(game.StepsLeft, 0);
  EXPECT_FALSE(game.ExtraTurn);
  ASSERT_EQ(game.Players.size(), 3u);
  EXPECT_EQ(PlayerAt(2).Name, "Cid");
  EXPECT_EQ(PlayerAt(2).Money, 300);
  EXPECT_EQ(PlayerAt(2).Color, kRed);
  EXPECT_TRUE(PlayerAt(1).CPU);
  EXPECT_EQ(events.Count(EventType::GameStarted), 2) << "told once, with the chosen players";
  EXPECT_TRUE(rules.ActionsAllowed());
  // No tick of the stopped move reaches the new game.
  rules.StepWalk();
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 1);

  choice.PlayerCount = 2;
  rules.StartNewGame(choice);
  EXPECT_EQ(game.Players.size(), 2u);
}

}  // namespace
}  // namespace quillbury
