#include "core/GameRoutines.h"
#include "core/GameSession.h"

namespace quillbury {
namespace {

constexpr const char* kGroundPrompt = "Ground number (a number between 1 and 28)";

// Ground number 1..28 as typed, as an index; empty for anything else.
std::optional<std::int32_t> GroundIndexFrom(std::optional<std::int32_t> number) {
  if (!number || *number < 1 || *number > kGroundCount) return std::nullopt;
  return *number - 1;
}

}  // namespace

std::optional<std::string> GameSession::Prompt(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial) {
  std::string text = initial;
  // Cancel ends the action; it never confirms a pre-filled default.
  if (!port_.InputBox(caption, prompt, text)) return std::nullopt;
  if (text.empty()) return std::nullopt;
  return text;
}

void GameSession::TakeLoan() {
  const std::uint64_t generation = generation_;
  const auto text = Prompt("Loan money", "Type the amount you wish to loan");
  if (!text || generation != generation_) return;
  const auto amount = ParseWholeNumber(*text);
  if (!amount || *amount < 1) return;
  Player* player = PlayerAt(CurrentPlayerID);
  if (player == nullptr) return;
  const std::int64_t newLoan = std::int64_t{player->Loan} + *amount;
  const std::int64_t newMoney = std::int64_t{player->Money} + *amount;
  if (newLoan > MaxLoan(Game, CurrentPlayerID) || !FitsInt32(newMoney)) {
    port_.ShowMessage("You can't loan that much money!");
    return;
  }
  player->Loan = static_cast<std::int32_t>(newLoan);
  player->Money = static_cast<std::int32_t>(newMoney);
}

void GameSession::RepayLoan() {
  Player* player = PlayerAt(CurrentPlayerID);
  if (player == nullptr) return;
  if (player->Loan == 0) {
    port_.ShowMessage("You havn't loan any money!");
    return;
  }
  const std::string initial = player->Money >= player->Loan ? IntText(player->Loan) : "";
  const std::uint64_t generation = generation_;
  const auto text = Prompt("Pay back loan money", "Type the amount you wish to pay back", initial);
  if (!text || generation != generation_) return;
  auto amount = ParseWholeNumber(*text);
  player = PlayerAt(CurrentPlayerID);
  if (!amount || *amount < 1 || player == nullptr) return;
  if (!CanAfford(player->Money, *amount)) return;
  std::int32_t pay = *amount;
  if (pay > player->Loan) pay = player->Loan;
  if (pay < 0) return;
  player->Loan -= pay;
  player->Money -= pay;
}

void GameSession::BuyGroundFromPlayer() {
  const std::uint64_t generation = generation_;
  const auto text = Prompt("Buy ground", "Type the number of the ground you wish to buy");
  if (!text || generation != generation_) return;
  const auto i = GroundIndexFrom(ParseWholeNumber(*text));
  const std::int32_t cur = CurrentPlayerID;
  Player* player = PlayerAt(cur);
  if (!i || player == nullptr) return;
  Ground& ground = Game.Grounds[static_cast<std::size_t>(*i)];
  if (ground.Owner < 0 || ground.Owner == cur || !ValidPlayer(ground.Owner)) return;
  Player& seller = Game.Players[static_cast<std::size_t>(ground.Owner)];
  const std::int64_t base = std::int64_t{ground.Price} + BuildingValue(Game, *i);
  const std::int64_t received = base + base / 2;
  const std::int64_t paid = received + (received / 100) * 30;
  if (!FitsInt32(paid) || !FitsInt32(received)) return;
  if (!CanAfford(player->Money, static_cast<std::int32_t>(paid))) return;
  const std::int64_t buyerMoney = std::int64_t{player->Money} - paid;
  const std::int64_t sellerMoney = std::int64_t{seller.Money} + received;
  if (!FitsInt32(buyerMoney) || !FitsInt32(sellerMoney)) return;
  player->Money = static_cast<std::int32_t>(buyerMoney);
  seller.Money = static_cast<std::int32_t>(sellerMoney);
  ground.Owner = cur;
  port_.RefreshGround(*i);
}

void GameSession::Build() {
  const std::uint64_t generation = generation_;
  const auto groundText = Prompt("", kGroundPrompt);
  if (!groundText || generation != generation_) return;
  const auto houseText = Prompt("", "House number (a number between 1 and 4)");
  if (!houseText || generation != generation_) return;
  const auto house = ParseWholeNumber(*houseText);
  const auto i = GroundIndexFrom(ParseWholeNumber(*groundText));
  if (!house || *house < 1 || !i) return;
  const std::int32_t level = *house > 4 ? 3 : *house - 1;
  const std::int32_t cur = CurrentPlayerID;
  Player* player = PlayerAt(cur);
  Ground& ground = Game.Grounds[static_cast<std::size_t>(*i)];
  if (player == nullptr || ground.Owner != cur) return;
  // Asking for a lower level gives a negative cost: the player is paid the difference.
  const std::int64_t cost =
      std::int64_t{ground.Houses[static_cast<std::size_t>(level)].Rent} - BuildingValue(Game, *i);
  if (!FitsInt32(cost)) return;
  if (CanAfford(player->Money, static_cast<std::int32_t>(cost))) {
    const std::int64_t money = std::int64_t{player->Money} - cost;
    if (!FitsInt32(money)) return;
    player->Money = static_cast<std::int32_t>(money);
    ground.House = level;
    port_.RefreshGround(*i);
  } else {
    port_.ShowMessage("You didn't have enought money!");
  }
}

void GameSession::SellCompany() {
  const std::uint64_t generation = generation_;
  const auto text = Prompt("", kGroundPrompt);
  if (!text || generation != generation_) return;
  const auto i = GroundIndexFrom(ParseWholeNumber(*text));
  const std::int32_t cur = CurrentPlayerID;
  Player* player = PlayerAt(cur);
  if (!i || player == nullptr) return;
  const Ground& ground = Game.Grounds[static_cast<std::size_t>(*i)];
  if (ground.Owner != cur) return;
  const std::int64_t money = std::int64_t{player->Money} + ground.Price + BuildingValue(Game, *i);
  if (!FitsInt32(money)) return;
  SellCompanyOf(cur, *i);
}

void GameSession::SellBuilding() {
  const std::uint64_t generation = generation_;
  const auto groundText = Prompt("", kGroundPrompt);
  if (!groundText || generation != generation_) return;
  const auto countText =
      Prompt("", "Type the number of houses you wish to sell (a number between 1 and 4)");
  if (!countText || generation != generation_) return;
  const auto count = ParseWholeNumber(*countText);
  const auto i = GroundIndexFrom(ParseWholeNumber(*groundText));
  if (!count || *count < 1 || *count > 4 || !i) return;
  const std::int32_t cur = CurrentPlayerID;
  const Ground& ground = Game.Grounds[static_cast<std::size_t>(*i)];
  const std::int32_t k = *count - 1;
  if (ground.Owner != cur || ground.House < 0 || k > ground.House) return;
  SellBuildingsOf(cur, *i, k);
}

}  // namespace quillbury
