#include <gtest/gtest.h>

#include <set>

#include "GameFixture.h"
#include "localisation/Messages.h"

namespace quillbury {
namespace {

using Input = std::optional<std::string>;

class FinanceActionsTest : public testing::GameTest {
 protected:
  void SetUp() override {
    StartGame(2, false);
    for (auto& g : game.Grounds) g.Owner = -1;
  }
  void Answer(std::initializer_list<Input> inputs) { dialogs.inputs = inputs; }
  void Own(int index, int owner, int house = -1) {
    GroundAt(index).Owner = owner;
    GroundAt(index).House = house;
  }
};

TEST_F(FinanceActionsTest, LoanIsGrantedUpToTheLimitIncludingTheCurrentLoan) {
  struct Case {
    std::int32_t money, loan, ownedPrice;
    const char* typed;
    bool granted;
  };
  const Case cases[] = {
      {12346, 0, 0, "9876", true},
      {12346, 0, 0, "9877", false},
      {1000000, 500000, 1000000, "700000", true},
      {1000000, 500000, 1000000, "700001", false},
      {1000000, 500000, 1000000, "700.000", true},
      {1000000, 500000, 1000000, "700.000,00", true},
  };
  for (const Case& c : cases) {
    for (auto& g : game.Grounds) g.Owner = -1;
    if (c.ownedPrice > 0) {
      SetPrice(9, c.ownedPrice);
      Own(9, 0);
    }
    PlayerAt(0).Money = c.money;
    PlayerAt(0).Loan = c.loan;
    dialogs.messages.clear();
    Answer({c.typed});
    rules.TakeLoan();
    const std::int32_t amount = *ParseWholeNumber(c.typed);
    if (c.granted) {
      EXPECT_EQ(PlayerAt(0).Loan, c.loan + amount) << c.typed;
      EXPECT_EQ(PlayerAt(0).Money, c.money + amount) << c.typed;
      EXPECT_TRUE(dialogs.messages.empty());
    } else {
      EXPECT_EQ(PlayerAt(0).Loan, c.loan) << c.typed;
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0], "You can't loan that much money!");
    }
  }
  EXPECT_EQ(dialogs.prompts.back().Text, "Type the amount you wish to loan");
}

// Text that is not a whole number, amounts below 1, an empty answer and Cancel change nothing
// and say nothing, in every action that takes an amount or a ground number.
TEST_F(FinanceActionsTest, BadOrCancelledEntriesEndEveryActionWithoutAChange) {
  Own(4, 1);
  Own(5, 0, 1);
  PlayerAt(0).Loan = 200000;
  const std::vector<Input> bad = {"abc", "12a", "", std::nullopt, "0", "-5", "99999999999", "1e3"};
  const GameState before = game;
  for (const Input& entry : bad) {
    Answer({entry});
    rules.TakeLoan();
    Answer({entry});
    rules.RepayLoan();
    Answer({entry});
    rules.BuyGroundFromPlayer();
    Answer({entry});
    rules.SellCompany();
    Answer({entry, "1"});
    rules.Build();
    Answer({"6", entry});
    rules.Build();
    Answer({entry, "1"});
    rules.SellBuilding();
    Answer({"6", entry});
    rules.SellBuilding();
  }
  // A typed entry the question can never take is answered with what to type, and nothing else.
  const std::set<std::string> reasons = {MessageText(nullptr, MessageId::InputAmount),
                                         MessageText(nullptr, MessageId::InputGroundNumber),
                                         MessageText(nullptr, MessageId::InputLevel)};
  EXPECT_FALSE(dialogs.messages.empty());
  for (const std::string& m : dialogs.messages) EXPECT_TRUE(reasons.count(m) == 1) << m;
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(game.Players[i].Money, before.Players[i].Money);
    EXPECT_EQ(game.Players[i].Loan, before.Players[i].Loan);
  }
  for (int g = 0; g < 28; ++g) {
    EXPECT_EQ(GroundAt(g).Owner, before.Grounds[g].Owner);
    EXPECT_EQ(GroundAt(g).House, before.Grounds[g].House);
  }
}

// Well-formed numbers the rules turn down are answered with one line that says why, and change
// nothing.
TEST_F(FinanceActionsTest, TurnedDownActionsSayWhy) {
  const struct {
    const char* name;
    void (GameRules::*action)();
    std::vector<Input> typed;
    MessageId reason;
  } cases[] = {
      {"build on another's company", &GameRules::Build, {"5", "1"}, MessageId::RefusedNotYours},
      {"build on an unowned company", &GameRules::Build, {"9", "1"}, MessageId::RefusedNotYours},
      {"sell another's company", &GameRules::SellCompany, {"5"}, MessageId::RefusedNotYours},
      {"sell another's building", &GameRules::SellBuilding, {"5", "1"}, MessageId::RefusedNotYours},
      {"sell a building never built",
       &GameRules::SellBuilding,
       {"6", "1"},
       MessageId::RefusedNoSuchBuildings},
      {"sell two of one building",
       &GameRules::SellBuilding,
       {"7", "2"},
       MessageId::RefusedNoSuchBuildings},
      {"buy one's own company",
       &GameRules::BuyGroundFromPlayer,
       {"6"},
       MessageId::RefusedNoOtherOwner},
      {"buy an unowned company",
       &GameRules::BuyGroundFromPlayer,
       {"9"},
       MessageId::RefusedNoOtherOwner},
      {"buy a company too dear",
       &GameRules::BuyGroundFromPlayer,
       {"5"},
       MessageId::RefusedCannotAfford},
      {"repay more than one has", &GameRules::RepayLoan, {"600"}, MessageId::RefusedCannotAfford},
  };
  for (const auto& c : cases) {
    Own(4, 1);
    Own(5, 0);
    Own(6, 0, 0);
    PlayerAt(0).Money = 500;
    PlayerAt(0).Loan = 1000;
    const GameState before = game;
    dialogs.messages.clear();
    events.events.clear();
    dialogs.inputs.assign(c.typed.begin(), c.typed.end());
    (rules.*c.action)();
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.name;
    const std::string ground = c.typed.front().value_or("");
    EXPECT_EQ(dialogs.messages[0], MessageText(nullptr, c.reason, {ground})) << c.name;
    EXPECT_TRUE(events.events.empty()) << c.name;
    EXPECT_TRUE(game == before) << c.name;
  }
}

TEST_F(FinanceActionsTest, GroundNumbersOutsideTheBoardAreRefused) {
  events.events.clear();
  for (const char* number : {"0", "-3", "29", "1000"}) {
    Own(0, 1);
    Answer({number});
    rules.BuyGroundFromPlayer();
    Answer({number});
    rules.SellCompany();
    Answer({number, "1"});
    rules.Build();
  }
  EXPECT_EQ(PlayerAt(0).Money, 5000000);
  EXPECT_TRUE(events.events.empty()) << "nothing happened";
}

TEST_F(FinanceActionsTest, PayBackIsPrefilledButCancelNeverRepays) {
  PlayerAt(0).Loan = 100;
  PlayerAt(0).Money = 150;
  Answer({std::nullopt});
  rules.RepayLoan();
  EXPECT_EQ(dialogs.prompts.back().Default, "100");
  EXPECT_EQ(PlayerAt(0).Loan, 100);

  Answer({"120"});  // more than the loan: exactly the loan is repaid
  rules.RepayLoan();
  EXPECT_EQ(PlayerAt(0).Loan, 0);
  EXPECT_EQ(PlayerAt(0).Money, 50);

  PlayerAt(0).Loan = 100;
  PlayerAt(0).Money = 150;
  Answer({"200"});  // more than the cash: nothing, although the loan itself could be paid
  rules.RepayLoan();
  EXPECT_EQ(PlayerAt(0).Loan, 100);

  PlayerAt(0).Money = 50;
  Answer({std::nullopt});
  rules.RepayLoan();
  EXPECT_EQ(dialogs.prompts.back().Default, "") << "no default when the cash cannot cover the loan";
}

TEST_F(FinanceActionsTest, PayBackWithoutALoanSaysSo) {
  rules.RepayLoan();
  EXPECT_EQ(dialogs.messages.back(), "You havn't loan any money!");
  EXPECT_TRUE(dialogs.prompts.empty());
}

TEST_F(FinanceActionsTest, BuyingAnotherPlayersGroundPaysHimOneAndAHalfTimes) {
  struct Case {
    int house;
    std::int32_t buyerPays, sellerGets;
  };
  const Case cases[] = {{-1, 1950000, 1500000}, {1, 3217500, 2475000}};
  for (const Case& c : cases) {
    SetPrice(4, 1000000);
    Own(4, 1, c.house);
    PlayerAt(0).Money = 5000000;
    PlayerAt(1).Money = 0;
    Answer({"5"});
    rules.BuyGroundFromPlayer();
    EXPECT_EQ(PlayerAt(0).Money, 5000000 - c.buyerPays);
    EXPECT_EQ(PlayerAt(1).Money, c.sellerGets);
    EXPECT_EQ(GroundAt(4).Owner, 0);
    EXPECT_EQ(GroundAt(4).House, c.house) << "the buildings pass with the ground";
    EXPECT_EQ(events.Last(EventType::BoughtFromPlayer).Ground, 4);
  }
  // One dollar short, unowned or already one's own: nothing changes, and the player is told why.
  Own(4, 1);
  PlayerAt(0).Money = 1949999;
  Answer({"5"});
  rules.BuyGroundFromPlayer();
  EXPECT_EQ(GroundAt(4).Owner, 1);
  for (int owner : {-1, 0}) {
    Own(4, owner);
    PlayerAt(0).Money = 5000000;
    Answer({"5"});
    rules.BuyGroundFromPlayer();
    EXPECT_EQ(PlayerAt(0).Money, 5000000);
  }
  EXPECT_EQ(dialogs.messages.size(), 3u);
}

TEST_F(FinanceActionsTest, BuildHouseChargesTheDifferenceToTheLevelAsked) {
  SetPrice(4, 1000000);
  Own(4, 0);
  PlayerAt(0).Money = 2000000;
  const std::pair<const char*, std::int32_t> steps[] = {
      {"1", 1500000}, {"4", 1050000}, {"2", 1350000}, {"2", 1350000}, {"9", 1050000}};
  const int levels[] = {0, 3, 1, 1, 3};
  for (int i = 0; i < 5; ++i) {
    Answer({"5", steps[i].first});
    rules.Build();
    EXPECT_EQ(PlayerAt(0).Money, steps[i].second) << "house " << steps[i].first;
    EXPECT_EQ(GroundAt(4).House, levels[i]);
  }
  EXPECT_EQ(dialogs.prompts[0].Text, "Ground number (a number between 1 and 28)");
  EXPECT_EQ(dialogs.prompts[1].Text, "House number (a number between 1 and 4)");
  GroundAt(4).House = -1;
  PlayerAt(0).Money = 10;
  Answer({"5", "1"});
  rules.Build();
  EXPECT_EQ(dialogs.messages.back(), "You didn't have enought money!");
  EXPECT_EQ(GroundAt(4).House, -1);
  // Another player's ground: nothing.
  Own(4, 1);
  PlayerAt(0).Money = 5000000;
  Answer({"5", "1"});
  rules.Build();
  EXPECT_EQ(GroundAt(4).House, -1);
}

TEST_F(FinanceActionsTest, SellCompanyReturnsPriceAndBuildingValue) {
  SetPrice(4, 1000000);
  Own(4, 0, 3);
  PlayerAt(0).Money = 0;
  Answer({"5"});
  rules.SellCompany();
  EXPECT_EQ(PlayerAt(0).Money, 1000000 + 950000);
  EXPECT_EQ(GroundAt(4).Owner, -1);
  EXPECT_EQ(GroundAt(4).House, -1);
  EXPECT_EQ(events.Last(EventType::CompanySold).Ground, 4);
}

TEST_F(FinanceActionsTest, SellBuildingDropsTheLevelByTheCountSold) {
  struct Case {
    const char* count;
    int houseAfter;
    std::int32_t received;
  };
  SetPrice(4, 1000000);  // levels worth 500,000 / 650,000 / 800,000 / 950,000
  const Case cases[] = {{"3", -1, 800000}, {"1", 1, 150000}, {"4", 2, 0}, {"2", 0, 300000}};
  for (const Case& c : cases) {
    Own(4, 0, 2);
    PlayerAt(0).Money = 0;
    Answer({"5", c.count});
    rules.SellBuilding();
    EXPECT_EQ(GroundAt(4).House, c.houseAfter) << c.count;
    EXPECT_EQ(PlayerAt(0).Money, c.received) << c.count;
  }
}

TEST_F(FinanceActionsTest, ActionsWhoseResultWouldLeaveThe32BitRangeAreRefused) {
  // A rich player borrows: the limit allows it, the cash would overflow.
  PlayerAt(0).Money = 2000000000;
  SetPrice(27, 2000000000);
  Own(27, 0);
  Answer({"1000000000"});
  rules.TakeLoan();
  EXPECT_EQ(PlayerAt(0).Money, 2000000000);
  EXPECT_EQ(PlayerAt(0).Loan, 0);
  // Selling a dear company to a full purse.
  PlayerAt(0).Money = kInt32Max - 5;
  Answer({"28"});
  rules.SellCompany();
  EXPECT_EQ(GroundAt(27).Owner, 0);
  EXPECT_EQ(PlayerAt(0).Money, kInt32Max - 5);
  // Buying a ground whose price makes the payment leave 32 bits.
  Own(27, 1, 3);
  PlayerAt(0).Money = kInt32Max;
  Answer({"28"});
  rules.BuyGroundFromPlayer();
  EXPECT_EQ(GroundAt(27).Owner, 1);
  EXPECT_EQ(PlayerAt(0).Money, kInt32Max);
}

// The prompts of the six actions, captions included: each action's questions in order, all
// answered with "x" so that every question is reached and nothing is changed.
TEST_F(FinanceActionsTest, EachActionAsksWithItsOwnCaptionAndPrompt) {
  using Prompt = testing::FakeDialogs::Prompt;
  const std::string ground = "Ground number (a number between 1 and 28)";
  const struct {
    void (GameRules::*action)();
    std::vector<Prompt> asked;
  } cases[] = {
      {&GameRules::TakeLoan, {{"Loan money", "Type the amount you wish to loan", ""}}},
      {&GameRules::RepayLoan,
       {{"Pay back loan money", "Type the amount you wish to pay back", "1"}}},
      {&GameRules::BuyGroundFromPlayer,
       {{"Buy ground", "Type the number of the ground you wish to buy", ""}}},
      {&GameRules::Build, {{"", ground, ""}, {"", "House number (a number between 1 and 4)", ""}}},
      {&GameRules::SellCompany, {{"", ground, ""}}},
      {&GameRules::SellBuilding,
       {{"", ground, ""},
        {"", "Type the number of houses you wish to sell (a number between 1 and 4)", ""}}},
  };
  PlayerAt(0).Loan = 1;
  for (const auto& c : cases) {
    dialogs.prompts.clear();
    Answer({"x", "x"});
    const GameState before = game;
    (rules.*c.action)();
    ASSERT_EQ(dialogs.prompts.size(), c.asked.size());
    for (std::size_t i = 0; i < c.asked.size(); ++i) {
      EXPECT_EQ(dialogs.prompts[i].Caption, c.asked[i].Caption);
      EXPECT_EQ(dialogs.prompts[i].Text, c.asked[i].Text);
      EXPECT_EQ(dialogs.prompts[i].Default, c.asked[i].Default);
    }
    EXPECT_EQ(game, before) << "a text that is not a number changes nothing";
  }
}

}  // namespace
}  // namespace quillbury
