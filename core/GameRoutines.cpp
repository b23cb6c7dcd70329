#include "core/GameRoutines.h"

#include <cmath>

namespace quillbury {

std::string PlayerNameOf(const GameState& game, int player) {
  return player >= 0 && player < game.PlayerCount()
             ? game.Players[static_cast<std::size_t>(player)].Name
             : std::string();
}

std::string MoneyText(std::int32_t amount) {
  if (amount == 0) return "0,00";
  std::int64_t v = amount;
  bool negative = v < 0;
  std::uint64_t magnitude = static_cast<std::uint64_t>(negative ? -v : v);
  char digits[24];
  int n = 0;
  while (magnitude > 0) {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  std::string out;
  out.reserve(static_cast<std::size_t>(n + n / 3 + 4));
  if (negative) out += '-';
  for (int i = n - 1; i >= 0; --i) {
    out += digits[i];
    if (i > 0 && i % 3 == 0) out += '.';
  }
  out += ",00";
  return out;
}

std::int32_t BuildingValue(const GameState& game, std::int32_t ground) {
  if (ground < 0 || static_cast<std::size_t>(ground) >= game.Grounds.size()) return 0;
  const Ground& g = game.Grounds[static_cast<std::size_t>(ground)];
  if (g.House < 0 || static_cast<std::size_t>(g.House) >= g.Houses.size()) return 0;
  return g.Houses[static_cast<std::size_t>(g.House)].Rent;
}

Worth WorthOf(const GameState& game, std::int32_t player) {
  Worth w;
  for (std::size_t i = 0; i < game.Grounds.size(); ++i) {
    const Ground& g = game.Grounds[i];
    if (g.Owner != player) continue;
    w.Lots += g.Price;
    if (g.House >= 0 && static_cast<std::size_t>(g.House) < g.Houses.size()) {
      w.Buildings += g.Houses[static_cast<std::size_t>(g.House)].Rent;
    }
  }
  if (player >= 0 && static_cast<std::size_t>(player) < game.Players.size()) {
    const Player& p = game.Players[static_cast<std::size_t>(player)];
    w.Total = static_cast<std::int64_t>(p.Money) + w.Lots + w.Buildings - p.Loan;
  }
  return w;
}

void HoldingsOfAll(const GameState& game, Worth* perSeat, int seats) {
  for (int i = 0; i < seats; ++i) perSeat[i] = Worth{};
  for (const Ground& g : game.Grounds) {
    if (g.Owner < 0 || g.Owner >= seats) continue;
    Worth& w = perSeat[g.Owner];
    w.Lots += g.Price;
    if (g.House >= 0 && static_cast<std::size_t>(g.House) < g.Houses.size()) {
      w.Buildings += g.Houses[static_cast<std::size_t>(g.House)].Rent;
    }
  }
}

std::int32_t LotsValue(const GameState& game, std::int32_t player) {
  return Saturate(WorthOf(game, player).Lots);
}

std::int32_t BuildingsValue(const GameState& game, std::int32_t player) {
  return Saturate(WorthOf(game, player).Buildings);
}

std::int32_t Total(const GameState& game, std::int32_t player) {
  return Saturate(WorthOf(game, player).Total);
}

std::int32_t MaxLoan(const GameState& game, std::int32_t player) {
  if (player < 0 || static_cast<std::size_t>(player) >= game.Players.size()) return 0;
  const Player& p = game.Players[static_cast<std::size_t>(player)];
  return MaxLoanOf(p.Money, LotsValue(game, player), p.Loan);
}

std::int32_t MaxLoanOf(std::int32_t cash, std::int32_t lotsValue, std::int32_t debt) {
  // Single precision is part of the rule: large sums are rounded to the float grid first.
  const float money = static_cast<float>(cash);
  const float lots = static_cast<float>(lotsValue);
  const float loan = static_cast<float>(debt);
  const float sum = static_cast<float>(static_cast<double>(money) + lots - loan);
  const float product = static_cast<float>(0.8 * static_cast<double>(sum));
  const double truncated = std::trunc(static_cast<double>(product));
  if (truncated >= 2147483647.0) return kInt32Max;
  if (truncated <= -2147483648.0) return kInt32Min;
  return static_cast<std::int32_t>(truncated);
}

void JailCountdown(GameState& game, std::int32_t player) {
  if (player < 0 || static_cast<std::size_t>(player) >= game.Players.size()) return;
  Player& p = game.Players[static_cast<std::size_t>(player)];
  if (p.Jail > 0) --p.Jail;
}

void ClearMoney(GameState& game, std::int32_t n) {
  for (std::int32_t i = 0; i < n && static_cast<std::size_t>(i) < game.Players.size(); ++i) {
    game.Players[static_cast<std::size_t>(i)].Money = 0;
  }
}

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  std::string_view s = text;
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // An optional decimal part of zeros only, as the game writes money: ",00".
  if (std::size_t comma = s.find(','); comma != std::string_view::npos) {
    std::string_view decimals = s.substr(comma + 1);
    if (decimals.empty()) return std::nullopt;
    for (char c : decimals) {
      if (c != '0') return std::nullopt;
    }
    s = s.substr(0, comma);
  }
  if (s.empty()) return std::nullopt;
  bool grouped = s.find('.') != std::string_view::npos;
  std::int64_t value = 0;
  int digitsInGroup = 0;
  bool firstGroup = true;
  for (char c : s) {
    if (c == '.') {
      // Grouping must be in threes after a first group of one to three digits.
      if (digitsInGroup == 0 || (firstGroup && digitsInGroup > 3) ||
          (!firstGroup && digitsInGroup != 3)) {
        return std::nullopt;
      }
      firstGroup = false;
      digitsInGroup = 0;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    ++digitsInGroup;
    if (value > 2147483648LL) return std::nullopt;
  }
  if (digitsInGroup == 0) return std::nullopt;
  if (grouped && !firstGroup && digitsInGroup != 3) return std::nullopt;
  if (negative) value = -value;
  if (!FitsInt32(value)) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string IntText(std::int64_t n) { return std::to_string(n); }

}  // namespace quillbury
