#include "core/GameRules.h"

namespace quillbury {
namespace {

// Ground number 1..28 as given, as an index; empty for anything else.
std::optional<std::int32_t> GroundIndexFrom(const NumberAnswer& answer) {
  if (!answer.IsNumber() || answer.Value < 1 || answer.Value > kGroundCount) return std::nullopt;
  return answer.Value - 1;
}

}  // namespace

void GameRules::Refuse(Refusal why, std::int32_t player, std::int32_t ground) {
  SeatOf(player).Refused(why, state_, player, ground);
}

// Each action asks the current player's seat, then acts on whoever still holds the turn: a
// question may let the refresh, the computer or a new game run, and then the action stops.

void GameRules::TakeLoan() {
  const std::int32_t cur = state_.CurrentPlayer;
  const Hold hold = Take();
  const NumberAnswer amount =
      SeatOf(cur).ChooseNumber(NumberQuestion::LoanAmount, state_, cur, std::nullopt);
  if (TurnGone(hold) || !amount.IsNumber() || amount.Value < 1) return;
  Player* player = PlayerAt(cur);
  if (player == nullptr) return;
  const std::int64_t newLoan = std::int64_t{player->Loan} + amount.Value;
  const std::int64_t newMoney = std::int64_t{player->Money} + amount.Value;
  if (newLoan > MaxLoan(state_, cur) || !FitsInt32(newMoney)) {
    dialogs_.ShowMessage("You can't loan that much money!");
    return;
  }
  GameEvent event = EventFor(EventType::LoanTaken, cur);
  event.Amount = amount.Value;
  Pay(event, cur, amount.Value, amount.Value);
  Emit(event);
}

void GameRules::RepayLoan() {
  const std::int32_t cur = state_.CurrentPlayer;
  const Player* player = PlayerAt(cur);
  if (player == nullptr) return;
  if (player->Loan == 0) {
    dialogs_.ShowMessage("You havn't loan any money!");
    return;
  }
  const std::optional<std::int32_t> suggested =
      player->Money >= player->Loan ? std::optional<std::int32_t>(player->Loan) : std::nullopt;
  const Hold hold = Take();
  const NumberAnswer amount =
      SeatOf(cur).ChooseNumber(NumberQuestion::RepayAmount, state_, cur, suggested);
  if (TurnGone(hold) || !amount.IsNumber() || amount.Value < 1) return;
  player = PlayerAt(cur);
  if (player == nullptr) return;
  if (!CanAfford(player->Money, amount.Value)) return Refuse(Refusal::CannotAfford, cur, -1);
  const std::int32_t pay = std::min(amount.Value, player->Loan);
  if (pay < 0) return;
  GameEvent event = EventFor(EventType::LoanRepaid, cur);
  event.Amount = pay;
  Pay(event, cur, -std::int64_t{pay}, -std::int64_t{pay});
  Emit(event);
}

void GameRules::BuyGroundFromPlayer() {
  const std::int32_t cur = state_.CurrentPlayer;
  const Hold hold = Take();
  const NumberAnswer number =
      SeatOf(cur).ChooseNumber(NumberQuestion::GroundToBuy, state_, cur, std::nullopt);
  if (TurnGone(hold)) return;
  const auto i = GroundIndexFrom(number);
  Player* player = PlayerAt(cur);
  if (!i || player == nullptr) return;
  Ground& ground = state_.Grounds[static_cast<std::size_t>(*i)];
  if (ground.Owner < 0 || ground.Owner == cur || !ValidPlayer(ground.Owner)) {
    return Refuse(Refusal::NoOtherOwner, cur, *i);
  }
  const std::int32_t seller = ground.Owner;
  const Player& owner = state_.Players[static_cast<std::size_t>(seller)];
  const std::int64_t base = std::int64_t{ground.Price} + BuildingValue(state_, *i);
  const std::int64_t received = base + base / 2;
  const std::int64_t paid = received + (received / 100) * 30;
  if (!FitsInt32(paid) || !FitsInt32(received)) return Refuse(Refusal::MoneyLimit, cur, *i);
  if (!CanAfford(player->Money, static_cast<std::int32_t>(paid))) {
    return Refuse(Refusal::CannotAfford, cur, *i);
  }
  if (!FitsInt32(std::int64_t{player->Money} - paid) ||
      !FitsInt32(std::int64_t{owner.Money} + received)) {
    return Refuse(Refusal::MoneyLimit, cur, *i);
  }
  GameEvent event = EventFor(EventType::BoughtFromPlayer, cur);
  event.Other = seller;
  event.Ground = *i;
  event.Amount = static_cast<std::int32_t>(paid);
  event.Received = static_cast<std::int32_t>(received);
  Pay(event, cur, -paid);
  Pay(event, seller, received);
  ChangeHolding(*i, cur, ground.House);
  Emit(event);
}

void GameRules::Build() {
  const std::int32_t cur = state_.CurrentPlayer;
  const Hold hold = Take();
  const NumberAnswer groundNumber =
      SeatOf(cur).ChooseNumber(NumberQuestion::GroundToBuild, state_, cur, std::nullopt);
  if (TurnGone(hold) || groundNumber.Given == NumberAnswer::Kind::None) return;
  const NumberAnswer house =
      SeatOf(cur).ChooseNumber(NumberQuestion::BuildingLevel, state_, cur, std::nullopt);
  if (TurnGone(hold) || house.Given == NumberAnswer::Kind::None) return;
  const auto i = GroundIndexFrom(groundNumber);
  if (!house.IsNumber() || house.Value < 1 || !i) return;
  const std::int32_t level = house.Value > 4 ? 3 : house.Value - 1;
  Player* player = PlayerAt(cur);
  Ground& ground = state_.Grounds[static_cast<std::size_t>(*i)];
  if (player == nullptr) return;
  if (ground.Owner != cur) return Refuse(Refusal::NotYours, cur, *i);
  // Asking for a lower level gives a negative cost: the player is paid the difference.
  const std::int64_t cost =
      std::int64_t{ground.Houses[static_cast<std::size_t>(level)].Rent} - BuildingValue(state_, *i);
  if (!FitsInt32(cost)) return Refuse(Refusal::MoneyLimit, cur, *i);
  if (!CanAfford(player->Money, static_cast<std::int32_t>(cost))) {
    dialogs_.ShowMessage("You didn't have enought money!");
    return;
  }
  if (!FitsInt32(std::int64_t{player->Money} - cost)) return Refuse(Refusal::MoneyLimit, cur, *i);
  GameEvent event = EventFor(EventType::Built, cur);
  event.Ground = *i;
  event.Level = level;
  event.Amount = static_cast<std::int32_t>(cost);
  Pay(event, cur, -cost);
  ChangeHolding(*i, cur, level);
  Emit(event);
}

void GameRules::SellCompany() {
  const std::int32_t cur = state_.CurrentPlayer;
  const Hold hold = Take();
  const NumberAnswer number =
      SeatOf(cur).ChooseNumber(NumberQuestion::CompanyToSell, state_, cur, std::nullopt);
  if (TurnGone(hold)) return;
  const auto i = GroundIndexFrom(number);
  const Player* player = PlayerAt(cur);
  if (!i || player == nullptr) return;
  const Ground& ground = state_.Grounds[static_cast<std::size_t>(*i)];
  if (ground.Owner != cur) return Refuse(Refusal::NotYours, cur, *i);
  const std::int64_t money = std::int64_t{player->Money} + ground.Price + BuildingValue(state_, *i);
  if (!FitsInt32(money)) return Refuse(Refusal::MoneyLimit, cur, *i);
  SellCompanyOf(cur, *i, false);
}

void GameRules::SellBuilding() {
  const std::int32_t cur = state_.CurrentPlayer;
  const Hold hold = Take();
  const NumberAnswer groundNumber =
      SeatOf(cur).ChooseNumber(NumberQuestion::GroundToSellFrom, state_, cur, std::nullopt);
  if (TurnGone(hold) || groundNumber.Given == NumberAnswer::Kind::None) return;
  const NumberAnswer count =
      SeatOf(cur).ChooseNumber(NumberQuestion::BuildingsToSell, state_, cur, std::nullopt);
  if (TurnGone(hold) || count.Given == NumberAnswer::Kind::None) return;
  const auto i = GroundIndexFrom(groundNumber);
  if (!count.IsNumber() || count.Value < 1 || count.Value > 4 || !i) return;
  const Ground& ground = state_.Grounds[static_cast<std::size_t>(*i)];
  const std::int32_t k = count.Value - 1;
  if (ground.Owner != cur) return Refuse(Refusal::NotYours, cur, *i);
  if (ground.House < 0 || k > ground.House) return Refuse(Refusal::NoSuchBuildings, cur, *i);
  SellBuildingsOf(cur, *i, k, false);
}

}  // namespace quillbury
