#include "core/Board.h"
#include "core/GameRoutines.h"
#include "core/GameSession.h"
#include "localisation/LanguageTexts.h"

namespace quillbury {
namespace {

constexpr std::int32_t kCasinoCap = 4000000;
constexpr std::int32_t kCasinoBigWin = 4145631;
constexpr std::int32_t kShortcutTarget = 41;

}  // namespace

std::string GameSession::RentText(const Ground& ground, const Player& payer, std::int32_t rent) {
  const RentMessage kind =
      ground.House == -1 ? RentMessage::WithoutBuildings : RentMessage::WithBuildings;
  std::string text = ReadDialogText(LanguageFile.get(), kind);
  text = ReplacePlaceholder(text, "$GroundName$", ground.Name);
  text = ReplacePlaceholder(text, "$PlayerName$", payer.Name);
  text = ReplacePlaceholder(text, "$Sell$", ground.Sell);
  text = ReplacePlaceholder(text, "$Price$", "$ " + MoneyText(rent));
  return text;
}

bool GameSession::ApplySquareEffect(std::int32_t p) {
  const std::int32_t cur = CurrentPlayerID;
  Player* player = PlayerAt(cur);
  if (player == nullptr) return false;
  const std::uint64_t generation = generation_;
  // After a modal call, the game may have been replaced; then this move has nothing left to do.
  auto stillHere = [&] {
    player = PlayerAt(cur);
    return generation == generation_ && player != nullptr;
  };

  if (IsGroundSquare(p)) {
    const std::int32_t g = GroundIndexBySquare(Game.Grounds, p);
    if (g < 0) return false;
    Ground* ground = &Game.Grounds[static_cast<std::size_t>(g)];
    if (ground->Owner == -1) {
      if (!CanAfford(player->Money, ground->Price)) return false;
      if (player->CPU) {
        player->Money = SatAdd(player->Money, -static_cast<std::int64_t>(ground->Price));
        ground->Owner = cur;
        port_.DrawOwnerFrame(g, player->Color);
        Say([&] { return player->Name + " has bought " + ground->Name + "!"; });
      } else {
        const bool yes = port_.AskYesNo("Do you wish to buy \"" + ground->Name + "\" for " +
                                        MoneyText(ground->Price) + "$ ?");
        if (!yes || !stillHere()) return false;
        ground = &Game.Grounds[static_cast<std::size_t>(g)];
        if (ground->Owner != -1) return false;  // somebody took it while the question was open
        player->Money = SatAdd(player->Money, -static_cast<std::int64_t>(ground->Price));
        ground->Owner = cur;
        port_.DrawOwnerFrame(g, player->Color);
      }
      return false;
    }
    if (ground->Owner == cur || !ValidPlayer(ground->Owner)) return false;
    const std::int32_t owner = ground->Owner;
    const std::int32_t rent =
        ground->House == -1 ? ground->Price / 100 * 25 : BuildingValue(Game, g);
    Say([&] { return RentText(*ground, *player, rent); });
    if (!stillHere()) return false;
    player->Money = SatAdd(player->Money, -static_cast<std::int64_t>(rent));
    Player* receiver = PlayerAt(owner);
    if (receiver != nullptr) receiver->Money = SatAdd(receiver->Money, rent);
    return false;
  }

  switch (p) {
    case 4:
    case 16:
    case 35: {
      static const std::int32_t kAmounts[4] = {250000, -75000, 450000, -125000};
      const std::int32_t d = random_.Random(4);
      std::string text;
      switch (d) {
        case 0:
          text = player->Name + " have won the lottery.\n\r\n\rYou will receive 250.000,00 $";
          break;
        case 1:
          text =
              player->Name + " have received a bill for your repaired car.\n\r\n\rPay 75.000,00 $";
          break;
        case 2:
          text = player->Name +
                 " have inherit from your old grandmother.\n\r\n\rYou will receive 450.000,00 $";
          break;
        default:
          text =
              "The government has announced that there this year will be an extra tax.\n\r\n\r"
              "Pay 125.000,00 $";
          break;
      }
      port_.ShowMessage(text);
      if (!stillHere()) return false;
      player->Money = SatAdd(player->Money, kAmounts[d < 0 || d > 3 ? 3 : d]);
      return false;
    }
    case 1: {
      Say([&] {
        return player->Name +
               " have been selected as major of Quillbury. You will receive 20% of your "
               "salary";
      });
      if (!stillHere()) return false;
      player->Money = SatAdd(player->Money, player->Salary / 100 * 20);
      return false;
    }
    case 11: {
      const std::int32_t n = random_.Random(3) + 1;
      if (player->CPU) {
        Say([&] {
          return player->Name + " are going to jail in " + IntText(n) +
                 " round(s) and pay a 75.000,00 $ fine, for not visiting your family!";
        });
        if (!stillHere()) return false;
        player->Jail = n + 1;
        player->Money = SatAdd(player->Money, -75000);
        return false;
      }
      const bool bribe =
          port_.AskYesNo("Welcome to Quillbury Courthouse. Do you wish to try bribe the judge?");
      if (!stillHere()) return false;
      if (!bribe) {
        Say([&] {
          return "You are going to jail in " + IntText(n) +
                 " round(s) and pay a 75.000,00 $ fine, for not visiting your family!";
        });
        if (!stillHere()) return false;
        player->Jail = n + 1;
        player->Money = SatAdd(player->Money, -75000);
        return false;
      }
      std::int32_t r = random_.Random(8);
      if (r % 2 == 1) r = random_.Random(8);
      if (r % 2 == 1) {
        Say([&] {
          return "The judge didn't like being bribe. You have to go to jail in " + IntText(n + 1) +
                 " rounds and pay 150.000,00 $ to the courthouse";
        });
        if (!stillHere()) return false;
        player->Jail = n + 2;
        player->Money = SatAdd(player->Money, -150000);
      } else {
        Say([&] { return "No punishment, but you have to pay 300.000,00 $ to the judge"; });
        if (!stillHere()) return false;
        player->Money = SatAdd(player->Money, -300000);
      }
      return false;
    }
    case 14: {
      player->Salary = SatAdd(player->Salary, player->Salary / 100 * 14);
      Say([&] {
        return player->Name + " have got a race :D Your salary is now " +
               MoneyText(player->Salary) + "$";
      });
      return false;
    }
    case 21: {
      std::int64_t payout =
          static_cast<std::int64_t>(random_.Random(4)) * 250 + std::int64_t{NumberRoll} * 40000;
      if (payout > kCasinoCap) payout = kCasinoBigWin;
      const std::int32_t win = Saturate(payout);
      NumberRoll = 21;
      port_.ShowCasino(player->Name + " have won " + MoneyText(win) + "$ in casino.");
      if (!stillHere()) return false;
      player->Money = SatAdd(player->Money, win);
      return false;
    }
    case 26:
    case 37: {
      std::int64_t buildings = 0;
      for (const Ground& g : Game.Grounds) {
        if (g.Owner == cur) buildings += g.House + 1;
      }
      const bool energy = p == 26;
      const std::int32_t bill = Saturate(buildings * (energy ? 10000 : 20000));
      if (energy) {
        Say([&] {
          return "It's time to pay for your companies' energy comsumption!\n\r(appr. "
                 "$20.000/building)\n\r\n\rYou have to pay $" +
                 MoneyText(bill) + "!";
        });
      } else {
        Say([&] {
          return "It's time to pay for the water consumption in all your buildings!\n\r(appr. "
                 "$20.000/building)\n\r\n\rYou have to pay $" +
                 MoneyText(bill) + "!";
        });
      }
      if (!stillHere()) return false;
      player->Money = SatAdd(player->Money, -static_cast<std::int64_t>(bill));
      return false;
    }
    case 29: {
      NumberRoll = SatAdd(NumberRoll, 12);
      player->CurrentPosition = kShortcutTarget;
      PlaceTokenOnSquare(cur, kShortcutTarget);
      return true;
    }
    case 32: {
      std::int32_t amount = player->Money / 100 * 13;
      if (amount < 0) amount = 0;
      Say([&] { return player->Name + " have been robbed for " + MoneyText(amount) + "$ :-("; });
      if (!stillHere()) return false;
      player->Money = SatAdd(player->Money, -static_cast<std::int64_t>(amount));
      return false;
    }
    default:
      return false;
  }
}

}  // namespace quillbury
