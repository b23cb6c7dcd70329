#include <gtest/gtest.h>

#include "GameFixture.h"
#include "core/Board.h"
#include "core/GameRoutines.h"

namespace quillbury {
namespace {

TEST(MoneyText, FormatsWithDotGroupingAndCommaDecimals) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0,00"},
      {1, "1,00"},
      {-1, "-1,00"},
      {250, "250,00"},
      {999, "999,00"},
      {1000, "1.000,00"},
      {-75000, "-75.000,00"},
      {5000000, "5.000.000,00"},
      {kInt32Max, "2.147.483.647,00"},
      {kInt32Min, "-2.147.483.648,00"},
  };
  for (const auto& [amount, text] : cases) EXPECT_EQ(MoneyText(amount), text) << amount;
}

TEST(CanAfford, EqualCostIsAffordableAndNegativeCashAffordsNothing) {
  EXPECT_TRUE(CanAfford(100, 100));
  EXPECT_FALSE(CanAfford(99, 100));
  EXPECT_FALSE(CanAfford(-5, 1));
  EXPECT_TRUE(CanAfford(-5, -5));
}

TEST(Board, GroundIndexBySquareMapsEveryGroundAndNothingElse) {
  GroundList grounds(kGroundCount);
  for (int i = 0; i < kGroundCount; ++i) grounds[i].Square = kGroundSquares[i];
  EXPECT_EQ(GroundIndexBySquare(grounds, 2), 0);
  EXPECT_EQ(GroundIndexBySquare(grounds, 42), 27);
  for (int s : {1, 4, 6, 11, 14, 16, 21, 24, 26, 29, 32, 35, 37, 40}) {
    EXPECT_EQ(GroundIndexBySquare(grounds, s), -1) << s;
    EXPECT_FALSE(IsGroundSquare(s)) << s;
  }
  int light = 0;
  for (int i = 0; i < kGroundCount; ++i) {
    EXPECT_EQ(GroundIndexBySquare(grounds, kGroundSquares[i]), i);
    EXPECT_TRUE(IsGroundSquare(kGroundSquares[i]));
    light += IsLightGroundSquare(kGroundSquares[i]);
  }
  EXPECT_EQ(light, 12);
  EXPECT_FALSE(IsGroundSquare(-1));
  EXPECT_FALSE(IsGroundSquare(48));
  // The later index wins when two grounds share a square.
  grounds[5].Square = 2;
  EXPECT_EQ(GroundIndexBySquare(grounds, 2), 5);
}

TEST(NextPlayerIndex, WrapsAtTheLastSeat) {
  EXPECT_EQ(NextPlayerIndex(1, 2), 0);
  EXPECT_EQ(NextPlayerIndex(1, 3), 2);
  EXPECT_EQ(NextPlayerIndex(2, 3), 0);
  EXPECT_EQ(NextPlayerIndex(0, 2), 1);
}

class RoutinesTest : public testing::GameTest {};

TEST_F(RoutinesTest, BuildingValueIsZeroWithoutBuildingsEvenWhenOwned) {
  StartGame();
  GroundAt(0).Owner = 0;
  EXPECT_EQ(BuildingValue(game, 0), 0);
  GroundAt(0).House = 1;
  EXPECT_EQ(BuildingValue(game, 0), GroundAt(0).Houses[1].Rent);
}

TEST_F(RoutinesTest, MaxLoanWorksInSinglePrecision) {
  StartGame();
  struct Case {
    std::int32_t money, lots, loan, expected;
  };
  const Case cases[] = {
      {5000000, 0, 0, 4000000},
      {12346, 0, 0, 9876},
      {1000000, 1000000, 500000, 1200000},
      {0, 0, 1000, -800},
      // Above 2^24 the sum is rounded to the float grid before the 0.8 is applied.
      {16777217, 0, 0, 13421773},
      {kInt32Max, kInt32Max, 0, kInt32Max},
  };
  for (const Case& c : cases) {
    PlayerAt(0).Money = c.money;
    PlayerAt(0).Loan = c.loan;
    for (auto& g : game.Grounds) g.Owner = -1;
    if (c.lots > 0) {
      SetPrice(0, c.lots);
      GroundAt(0).Owner = 0;
    }
    EXPECT_EQ(MaxLoan(game, 0), c.expected) << c.money << " " << c.lots << " " << c.loan;
  }
}

TEST_F(RoutinesTest, WorthNeverWrapsForRichPlayers) {
  StartGame();
  PlayerAt(0).Money = kInt32Max;
  SetPrice(27, kInt32Max);
  GroundAt(27).Owner = 0;
  GroundAt(27).House = 3;
  EXPECT_EQ(Total(game, 0), kInt32Max);
  EXPECT_GT(WorthOf(game, 0).Total, std::int64_t{kInt32Max});
  PlayerAt(0).Money = 0;
  PlayerAt(0).Loan = kInt32Max;
  for (auto& g : game.Grounds) g.Owner = -1;
  PlayerAt(0).Money = kInt32Min;
  EXPECT_EQ(Total(game, 0), kInt32Min);
}

TEST_F(RoutinesTest, JailCountdownStopsAtZero) {
  StartGame();
  PlayerAt(0).Jail = 1;
  JailCountdown(game, 0);
  JailCountdown(game, 0);
  EXPECT_EQ(PlayerAt(0).Jail, 0);
}

TEST(ParseWholeNumber, AcceptsPlainAndGameFormsOnly) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"12", 12},
      {" 42 ", 42},
      {"+7", 7},
      {"-15", -15},
      {"1.000.000", 1000000},
      {"1.000.000,00", 1000000},
      {"250,00", 250},
      {"2147483647", kInt32Max},
      {"-2147483648", kInt32Min},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"12a", std::nullopt},
      {"1.00", std::nullopt},
      {"1000.000", std::nullopt},
      {"1..000", std::nullopt},
      {"12,5", std::nullopt},
      {"12,", std::nullopt},
      {"2147483648", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"-", std::nullopt},
      {"$10", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseWholeNumber(text), expected) << text;
}

}  // namespace
}  // namespace quillbury
