#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "GameFixture.h"
#include "localisation/IniFile.h"

namespace quillbury {
namespace {

class SquareEffectsTest : public testing::GameTest {
 protected:
  void SetUp() override { StartGame(2, false); }
  // Ends a move of player 0 on square p.
  bool Land(int p) {
    game.CurrentPlayer = 0;
    PlayerAt(0).CurrentPosition = p;
    return rules.ApplySquareEffect(p);
  }
};

TEST_F(SquareEffectsTest, HumanIsAskedToBuyOnlyWhenAffordable) {
  SetPrice(4, 1000000);  // square 8
  PlayerAt(0).Money = 999999;
  Land(8);
  EXPECT_TRUE(dialogs.questions.empty());
  PlayerAt(0).Money = 1000000;
  dialogs.answers = {true};
  Land(8);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0], "Do you wish to buy \"Company 5\" for 1.000.000,00$ ?");
  EXPECT_EQ(PlayerAt(0).Money, 0);
  EXPECT_EQ(GroundAt(4).Owner, 0);
  const GameEvent bought = events.Last(EventType::Bought);
  EXPECT_EQ(bought.Ground, 4);
  EXPECT_EQ(bought.Amount, 1000000);
  EXPECT_EQ(bought.Changes[0], (BalanceChange{-1000000, 0}));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SquareEffectsTest, HumanWhoDeclinesBuysNothing) {
  dialogs.answers = {false};
  Land(8);
  EXPECT_EQ(GroundAt(4).Owner, -1);
  EXPECT_EQ(PlayerAt(0).Money, 5000000);
}

TEST_F(SquareEffectsTest, ComputerBuysWithoutAskingWhenItCanAfford) {
  PlayerAt(0).CPU = true;
  Land(2);
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_EQ(GroundAt(0).Owner, 0);
  EXPECT_EQ(dialogs.messages.back(), "Mr. Gambler has bought Company 1!");
  PlayerAt(0).Money = 10;
  Land(3);
  EXPECT_EQ(GroundAt(1).Owner, -1);
}

TEST_F(SquareEffectsTest, RentIsPaidToTheOwnerWithTheLanguageFileMessage) {
  const IniFile language(testing::TestAppDir() + "Lang/en.lang");
  rules.Settings().LanguageFile = &language;
  struct Case {
    int house;
    std::int32_t rent;
    const char* text;
  };
  const Case cases[] = {
      {-1, 37500, "Mr. Gambler pays $ 37.500,00 at Company 5\r\nbought goods 5"},
      {1, 97500, "Mr. Gambler pays $ 97.500,00 at Company 5 (built)\r\nbought goods 5"},
  };
  SetPrice(4, 150000);
  GroundAt(4).Owner = 1;
  PlayerAt(1).Playing = false;  // the owner is paid whatever his state
  for (const Case& c : cases) {
    GroundAt(4).House = c.house;
    PlayerAt(0).Money = 1000000;
    PlayerAt(1).Money = 0;
    Land(8);
    EXPECT_EQ(dialogs.messages.back(), c.text);
    EXPECT_EQ(PlayerAt(0).Money, 1000000 - c.rent);
    EXPECT_EQ(PlayerAt(1).Money, c.rent);
  }
}

TEST_F(SquareEffectsTest, RentMessageFallsBackToBuiltInTextWhenTheKeyIsMissing) {
  const IniFile language(testing::TestAppDir() + "no-such.lang");
  rules.Settings().LanguageFile = &language;
  GroundAt(2).Owner = 1;  // square 5, "rent a room"
  Land(5);
  EXPECT_EQ(dialogs.messages.back(),
            "Mr. Gambler has landed on Company 3.\r\nYou have rent a room and must pay $ "
            "75.000,00 to the owner.");
  EXPECT_EQ(PlayerAt(0).Money, 5000000 - 75000);
}

TEST_F(SquareEffectsTest, OwnGroundDoesNothing) {
  GroundAt(4).Owner = 0;
  GroundAt(4).House = 3;
  Land(8);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(PlayerAt(0).Money, 5000000);
}

TEST_F(SquareEffectsTest, ChanceDrawsPayOrChargeTheirAmounts) {
  const std::pair<int, std::int32_t> cases[] = {
      {0, 250000}, {1, -75000}, {2, 450000}, {3, -125000}};
  for (int square : {4, 16, 35}) {
    for (const auto& [draw, amount] : cases) {
      PlayerAt(0).Money = 1000000;
      random.draws = {draw};
      Land(square);
      EXPECT_EQ(PlayerAt(0).Money, 1000000 + amount) << square << " " << draw;
    }
  }
  EXPECT_EQ(dialogs.messages[0],
            "Mr. Gambler have won the lottery.\n\r\n\rYou will receive 250.000,00 $");
  EXPECT_EQ(dialogs.messages[3],
            "The government has announced that there this year will be an extra tax.\n\r\n\rPay "
            "125.000,00 $");
}

TEST_F(SquareEffectsTest, CourthouseSentencesComputersAndHumansWhoDecline) {
  PlayerAt(0).CPU = true;
  random.draws = {1};  // two turns
  Land(11);
  EXPECT_EQ(PlayerAt(0).Jail, 3);
  EXPECT_EQ(PlayerAt(0).Money, 5000000 - 75000);
  EXPECT_EQ(dialogs.messages.back(),
            "Mr. Gambler are going to jail in 2 round(s) and pay a 75.000,00 $ fine, for not "
            "visiting your family!");
  EXPECT_TRUE(dialogs.questions.empty()) << "a computer never bribes";

  PlayerAt(0).CPU = false;
  PlayerAt(0).Jail = 0;
  random.draws = {2};
  dialogs.answers = {false};
  Land(11);
  EXPECT_EQ(PlayerAt(0).Jail, 4);
  EXPECT_EQ(dialogs.messages.back(),
            "You are going to jail in 3 round(s) and pay a 75.000,00 $ fine, for not visiting "
            "your family!");
}

TEST_F(SquareEffectsTest, BribeSucceedsOnAnEvenDrawAndFailsOnTwoOddOnes) {
  struct Case {
    std::deque<std::int32_t> draws;
    std::int32_t jail;
    std::int32_t paid;
  };
  const Case cases[] = {
      {{0, 4}, 0, 300000}, {{0, 3, 2}, 0, 300000}, {{0, 3, 5}, 3, 150000}, {{2, 1, 7}, 5, 150000}};
  for (const Case& c : cases) {
    PlayerAt(0).Jail = 0;
    PlayerAt(0).Money = 1000000;
    random.draws = c.draws;
    dialogs.answers = {true};
    Land(11);
    EXPECT_EQ(PlayerAt(0).Jail, c.jail);
    EXPECT_EQ(PlayerAt(0).Money, 1000000 - c.paid);
  }
  EXPECT_EQ(dialogs.messages.back(),
            "The judge didn't like being bribe. You have to go to jail in 4 rounds and pay "
            "150.000,00 $ to the courthouse");
}

TEST_F(SquareEffectsTest, PayRiseAddsFourteenPercentAndSaturates) {
  Land(14);
  EXPECT_EQ(PlayerAt(0).Salary, 342000);
  EXPECT_EQ(dialogs.messages.back(),
            "Mr. Gambler have got a race :D Your salary is now 342.000,00$");
  PlayerAt(0).Salary = 2100000000;
  Land(14);
  EXPECT_EQ(PlayerAt(0).Salary, kInt32Max);
}

TEST_F(SquareEffectsTest, CasinoPaysFromTheStepCounterCappedAboveFourMillion) {
  struct Case {
    std::int32_t numberRoll, draw, payout;
  };
  const Case cases[] = {
      {1, 0, 40000}, {1, 3, 40750}, {100, 0, 4000000}, {100, 1, 4145631}, {2000000000, 2, 4145631}};
  for (const Case& c : cases) {
    PlayerAt(0).Money = 0;
    game.CasinoCounter = c.numberRoll;
    random.draws = {c.draw};
    Land(21);
    EXPECT_EQ(PlayerAt(0).Money, c.payout) << c.numberRoll;
    EXPECT_EQ(game.CasinoCounter, 21);
  }
  EXPECT_EQ(dialogs.casino.front(), "Mr. Gambler have won 40.000,00$ in casino.");
}

TEST_F(SquareEffectsTest, BillsChargePerBuilding) {
  GroundAt(0).Owner = 0;
  GroundAt(0).House = 3;  // four buildings
  GroundAt(5).Owner = 0;
  GroundAt(5).House = 0;  // one
  GroundAt(6).Owner = 1;
  GroundAt(6).House = 3;  // somebody else's
  Land(26);
  EXPECT_EQ(PlayerAt(0).Money, 5000000 - 50000);
  Land(37);
  EXPECT_EQ(PlayerAt(0).Money, 5000000 - 50000 - 100000);
  for (auto& g : game.Grounds) g.Owner = -1;
  Land(26);
  EXPECT_NE(dialogs.messages.back().find("You have to pay $0,00!"), std::string::npos);
}

TEST_F(SquareEffectsTest, RobberyTakesThirteenPercentButNeverFromDebt) {
  PlayerAt(0).Money = 5000050;
  Land(32);
  EXPECT_EQ(PlayerAt(0).Money, 5000050 - 650000);
  EXPECT_EQ(dialogs.messages.back(), "Mr. Gambler have been robbed for 650.000,00$ :-(");
  PlayerAt(0).Money = -500;
  Land(32);
  EXPECT_EQ(PlayerAt(0).Money, -500);
}

TEST_F(SquareEffectsTest, PlainSquaresDoNothingAndOnlyTheShortcutContinues) {
  for (int s : {6, 24, 40}) {
    EXPECT_FALSE(Land(s));
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(PlayerAt(0).Money, 5000000);
  EXPECT_TRUE(Land(29));
  EXPECT_EQ(PlayerAt(0).CurrentPosition, 41);
}

TEST_F(SquareEffectsTest, PaymentsSaturateInsteadOfWrapping) {
  GroundAt(4).Owner = 1;
  GroundAt(4).House = 3;
  PlayerAt(1).Money = kInt32Max - 10;
  PlayerAt(0).Money = kInt32Min + 10;
  Land(8);
  EXPECT_EQ(PlayerAt(1).Money, kInt32Max);
  EXPECT_EQ(PlayerAt(0).Money, kInt32Min);
}

// Every effect shows its message (or question, or casino window) first and changes money only
// once it is closed: inside the modal wait the refresh runs, and a game replaced meanwhile must
// not be charged. Each row also pins the fixed text the player reads.
TEST_F(SquareEffectsTest, EveryMessageComesBeforeItsPaymentWithItsFixedText) {
  struct Case {
    const char* label;
    int square;
    std::vector<std::int32_t> draws;
    std::deque<bool> answers;
    std::vector<std::string> shown;  // questions, messages and casino texts in order
    std::int32_t change;
  };
  const std::string name = "Mr. Gambler";
  const Case cases[] = {
      {"rent",
       8,
       {},
       {},
       {"Mr. Gambler has landed on Company 5.\r\nYou have bought goods 5 and must pay $ "
        "125.000,00 to the owner."},
       -125000},
      {"lottery",
       4,
       {0},
       {},
       {name + " have won the lottery.\n\r\n\rYou will receive 250.000,00 $"},
       250000},
      {"car bill",
       16,
       {1},
       {},
       {name + " have received a bill for your repaired car.\n\r\n\rPay 75.000,00 $"},
       -75000},
      {"inheritance",
       35,
       {2},
       {},
       {name + " have inherit from your old grandmother.\n\r\n\rYou will receive 450.000,00 $"},
       450000},
      {"tax",
       4,
       {3},
       {},
       {"The government has announced that there this year will be an extra tax.\n\r\n\r"
        "Pay 125.000,00 $"},
       -125000},
      {"mayor",
       1,
       {},
       {},
       {name + " have been selected as major of Quillbury. You will receive 20% of your salary"},
       60000},
      {"energy bill",
       26,
       {},
       {},
       {"It's time to pay for your companies' energy comsumption!\n\r(appr. $20.000/building)"
        "\n\r\n\rYou have to pay $30.000,00!"},
       -30000},
      {"water bill",
       37,
       {},
       {},
       {"It's time to pay for the water consumption in all your buildings!\n\r(appr. "
        "$20.000/building)\n\r\n\rYou have to pay $60.000,00!"},
       -60000},
      {"robbery", 32, {}, {}, {name + " have been robbed for 650.000,00$ :-("}, -650000},
      {"courthouse, no bribe",
       11,
       {1},
       {false},
       {"Welcome to Quillbury Courthouse. Do you wish to try bribe the judge?",
        "You are going to jail in 2 round(s) and pay a 75.000,00 $ fine, for not visiting your "
        "family!"},
       -75000},
      {"bribe taken",
       11,
       {0, 2},
       {true},
       {"Welcome to Quillbury Courthouse. Do you wish to try bribe the judge?",
        "No punishment, but you have to pay 300.000,00 $ to the judge"},
       -300000},
      {"bribe refused",
       11,
       {2, 1, 3},
       {true},
       {"Welcome to Quillbury Courthouse. Do you wish to try bribe the judge?",
        "The judge didn't like being bribe. You have to go to jail in 4 rounds and pay "
        "150.000,00 $ to the courthouse"},
       -150000},
      {"casino", 21, {2}, {}, {name + " have won 520.500,00$ in casino."}, 520500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    StartGame(2, false);
    SetPrice(4, 500000);
    GroundAt(4).Owner = 1;  // square 8
    GroundAt(2).Owner = 0;  // three buildings for the bills
    GroundAt(2).House = 2;
    PlayerAt(0).Money = 5000000;
    game.CasinoCounter = 13;
    random.draws.assign(c.draws.begin(), c.draws.end());
    dialogs.answers = c.answers;
    std::vector<std::string> shown;
    dialogs.onModal = [&] {
      EXPECT_EQ(PlayerAt(0).Money, 5000000) << "money changed before the message closed";
      EXPECT_EQ(PlayerAt(1).Money, 5000000);
    };
    dialogs.messages.clear();
    dialogs.questions.clear();
    dialogs.casino.clear();
    Land(c.square);
    for (const auto& q : dialogs.questions) shown.push_back(q);
    for (const auto& m : dialogs.messages) shown.push_back(m);
    for (const auto& w : dialogs.casino) shown.push_back(w);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(PlayerAt(0).Money, 5000000 + c.change);
    EXPECT_TRUE(random.draws.empty());
  }
}

// A purchase whose payment would leave 32 bits is refused without a change, as every other
// action is; a price the buyer can afford never is.
TEST_F(SquareEffectsTest, APurchaseThatWouldNotFitIsRefused) {
  PlayerAt(0).CPU = true;
  SetPrice(0, kInt32Min + 1);  // square 2, a price no database may give
  PlayerAt(0).Money = kInt32Max - 10;
  Land(2);
  EXPECT_EQ(GroundAt(0).Owner, -1);
  EXPECT_EQ(PlayerAt(0).Money, kInt32Max - 10);
  EXPECT_EQ(events.Count(EventType::Bought), 0);
}

}  // namespace
}  // namespace quillbury
