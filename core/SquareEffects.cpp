#include "core/Board.h"
#include "core/GameRules.h"
#include "localisation/LanguageTexts.h"

namespace quillbury {
namespace {

constexpr std::int32_t kCasinoCap = 4000000;
constexpr std::int32_t kCasinoBigWin = 4145631;

}  // namespace

std::string GameRules::RentText(const Ground& ground, const Player& payer,
                                std::int32_t rent) const {
  const RentMessage kind =
      ground.House == -1 ? RentMessage::WithoutBuildings : RentMessage::WithBuildings;
  std::string text = ReadDialogText(settings_.LanguageFile, kind);
  text = ReplacePlaceholder(text, "$GroundName$", ground.Name);
  text = ReplacePlaceholder(text, "$PlayerName$", payer.Name);
  text = ReplacePlaceholder(text, "$Sell$", ground.Sell);
  text = ReplacePlaceholder(text, "$Price$", "$ " + MoneyText(rent));
  return text;
}

// Each effect shows its message before it changes any money: the refresh and the computer
// player run inside the message, and a game replaced meanwhile is left alone.
bool GameRules::ApplySquareEffect(std::int32_t square) {
  if (PlayerAt(state_.CurrentPlayer) == nullptr) return false;
  switch (KindOfSquare(square)) {
    case SquareKind::Ground:
      OnGround(square);
      return false;
    case SquareKind::Start:
      OnStart();
      return false;
    case SquareKind::Chance:
      OnChance();
      return false;
    case SquareKind::Courthouse:
      OnCourthouse();
      return false;
    case SquareKind::PayRise:
      OnPayRise();
      return false;
    case SquareKind::Casino:
      OnCasino();
      return false;
    case SquareKind::EnergyBill:
      OnBill(true);
      return false;
    case SquareKind::WaterBill:
      OnBill(false);
      return false;
    case SquareKind::Shortcut:
      OnShortcut();
      return true;
    case SquareKind::Robbery:
      OnRobbery();
      return false;
    case SquareKind::Plain:
      return false;
  }
  return false;
}

void GameRules::OnGround(std::int32_t square) {
  const std::int32_t cur = state_.CurrentPlayer;
  const std::int32_t g = GroundIndexBySquare(state_.Grounds, square);
  if (g < 0) return;
  const Hold hold = Take();
  const Ground& ground = state_.Grounds[static_cast<std::size_t>(g)];
  if (ground.Owner == -1) {
    const Player& buyer = *PlayerAt(cur);
    // A price the cash cannot cover, or one whose payment would not fit, buys nothing.
    if (!CanAfford(buyer.Money, ground.Price) ||
        !FitsInt32(std::int64_t{buyer.Money} - ground.Price)) {
      return;
    }
    const bool buy = SeatOf(cur).WantsToBuy(state_, cur, g);
    if (!buy || TurnGone(hold)) return;
    Ground& bought = state_.Grounds[static_cast<std::size_t>(g)];
    if (bought.Owner != -1) return;  // somebody took it while the question was open
    GameEvent event = EventFor(EventType::Bought, cur);
    event.Ground = g;
    event.Amount = bought.Price;
    Pay(event, cur, -std::int64_t{bought.Price});
    ChangeHolding(g, cur, bought.House);
    Emit(event);
    const Player& player = *PlayerAt(cur);
    // A person answered the question; the computer's purchase is announced.
    if (player.CPU) Say([&] { return player.Name + " has bought " + bought.Name + "!"; });
    return;
  }
  if (ground.Owner == cur || !ValidPlayer(ground.Owner)) return;
  const std::int32_t owner = ground.Owner;
  const std::int32_t rent = ground.House == -1 ? ground.Price / 100 * 25 : BuildingValue(state_, g);
  Say([&] { return RentText(ground, *PlayerAt(cur), rent); });
  if (TurnGone(hold)) return;
  GameEvent event = EventFor(EventType::RentPaid, cur);
  event.Other = owner;
  event.Ground = g;
  event.Amount = rent;
  Pay(event, cur, -std::int64_t{rent});
  Pay(event, owner, rent);
  Emit(event);
}

void GameRules::OnStart() {
  const std::int32_t cur = state_.CurrentPlayer;
  const Hold hold = Take();
  Say([&] {
    return PlayerAt(cur)->Name +
           " have been selected as major of Quillbury. You will receive 20% of your salary";
  });
  if (TurnGone(hold)) return;
  GameEvent event = EventFor(EventType::MayorBonus, cur);
  event.Amount = PlayerAt(cur)->Salary / 100 * 20;
  Pay(event, cur, event.Amount);
  Emit(event);
}

void GameRules::OnChance() {
  static const std::int32_t kAmounts[4] = {250000, -75000, 450000, -125000};
  const std::int32_t cur = state_.CurrentPlayer;
  const std::string& name = PlayerAt(cur)->Name;
  const std::int32_t d = random_.Random(4);
  std::string text;
  switch (d) {
    case 0:
      text = name + " have won the lottery.\n\r\n\rYou will receive 250.000,00 $";
      break;
    case 1:
      text = name + " have received a bill for your repaired car.\n\r\n\rPay 75.000,00 $";
      break;
    case 2:
      text = name + " have inherit from your old grandmother.\n\r\n\rYou will receive 450.000,00 $";
      break;
    default:
      text =
          "The government has announced that there this year will be an extra tax.\n\r\n\r"
          "Pay 125.000,00 $";
      break;
  }
  const Hold hold = Take();
  dialogs_.ShowMessage(text);
  if (TurnGone(hold)) return;
  GameEvent event = EventFor(EventType::Chance, cur);
  event.Outcome = d < 0 || d > 3 ? 3 : d;
  event.Amount = kAmounts[event.Outcome];
  Pay(event, cur, event.Amount);
  Emit(event);
}

void GameRules::OnCourthouse() {
  const std::int32_t cur = state_.CurrentPlayer;
  const std::int32_t n = random_.Random(3) + 1;
  const Hold hold = Take();
  const bool bribe = SeatOf(cur).WantsToBribe(state_, cur);
  if (TurnGone(hold)) return;
  auto jail = [&](std::int32_t sentence, std::int32_t fine, bool bribed) {
    if (TurnGone(hold)) return;
    PlayerAt(cur)->Jail = sentence;
    GameEvent event = EventFor(EventType::Jailed, cur);
    event.Sentence = sentence;
    event.Amount = fine;
    event.Outcome = bribed ? 1 : 0;
    Pay(event, cur, -std::int64_t{fine});
    Emit(event);
  };
  if (!bribe) {
    if (PlayerAt(cur)->CPU) {
      Say([&] {
        return PlayerAt(cur)->Name + " are going to jail in " + IntText(n) +
               " round(s) and pay a 75.000,00 $ fine, for not visiting your family!";
      });
    } else {
      Say([&] {
        return "You are going to jail in " + IntText(n) +
               " round(s) and pay a 75.000,00 $ fine, for not visiting your family!";
      });
    }
    jail(n + 1, 75000, false);
    return;
  }
  std::int32_t r = random_.Random(8);
  if (r % 2 == 1) r = random_.Random(8);
  if (r % 2 == 1) {
    Say([&] {
      return "The judge didn't like being bribe. You have to go to jail in " + IntText(n + 1) +
             " rounds and pay 150.000,00 $ to the courthouse";
    });
    jail(n + 2, 150000, true);
    return;
  }
  Say([&] { return "No punishment, but you have to pay 300.000,00 $ to the judge"; });
  if (TurnGone(hold)) return;
  GameEvent event = EventFor(EventType::BribePaid, cur);
  event.Amount = 300000;
  Pay(event, cur, -300000);
  Emit(event);
}

void GameRules::OnPayRise() {
  const std::int32_t cur = state_.CurrentPlayer;
  Player& player = *PlayerAt(cur);
  player.Salary = SatAdd(player.Salary, player.Salary / 100 * 14);
  GameEvent event = EventFor(EventType::PayRise, cur);
  event.Salary = player.Salary;
  Emit(event);
  Say([&] {
    const Player& p = *PlayerAt(cur);
    return p.Name + " have got a race :D Your salary is now " + MoneyText(p.Salary) + "$";
  });
}

void GameRules::OnCasino() {
  const std::int32_t cur = state_.CurrentPlayer;
  std::int64_t payout = static_cast<std::int64_t>(random_.Random(4)) * 250 +
                        std::int64_t{state_.CasinoCounter} * 40000;
  if (payout > kCasinoCap) payout = kCasinoBigWin;
  const std::int32_t win = Saturate(payout);
  state_.CasinoCounter = 21;
  const Hold hold = Take();
  dialogs_.ShowCasino(PlayerAt(cur)->Name + " have won " + MoneyText(win) + "$ in casino.");
  if (TurnGone(hold)) return;
  GameEvent event = EventFor(EventType::CasinoWin, cur);
  event.Amount = win;
  Pay(event, cur, win);
  Emit(event);
}

void GameRules::OnBill(bool energy) {
  const std::int32_t cur = state_.CurrentPlayer;
  std::int64_t buildings = 0;
  for (const Ground& g : state_.Grounds) {
    if (g.Owner == cur) buildings += g.House + 1;
  }
  const std::int32_t bill = Saturate(buildings * (energy ? 10000 : 20000));
  const Hold hold = Take();
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
  if (TurnGone(hold)) return;
  GameEvent event = EventFor(EventType::BillPaid, cur);
  event.Outcome = energy ? 0 : 1;
  event.Amount = bill;
  event.Count = Saturate(buildings);
  Pay(event, cur, -std::int64_t{bill});
  Emit(event);
}

void GameRules::OnShortcut() {
  const std::int32_t cur = state_.CurrentPlayer;
  state_.CasinoCounter = SatAdd(state_.CasinoCounter, 12);
  PlayerAt(cur)->CurrentPosition = kShortcutTarget;
  GameEvent event = EventFor(EventType::Shortcut, cur);
  event.Square = kShortcutTarget;
  Emit(event);
}

void GameRules::OnRobbery() {
  const std::int32_t cur = state_.CurrentPlayer;
  std::int32_t amount = PlayerAt(cur)->Money / 100 * 13;
  if (amount < 0) amount = 0;
  const Hold hold = Take();
  Say([&] { return PlayerAt(cur)->Name + " have been robbed for " + MoneyText(amount) + "$ :-("; });
  if (TurnGone(hold)) return;
  GameEvent event = EventFor(EventType::Robbed, cur);
  event.Amount = amount;
  Pay(event, cur, -std::int64_t{amount});
  Emit(event);
}

}  // namespace quillbury
