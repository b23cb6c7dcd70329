#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/GameState.h"

namespace quillbury {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// Money never wraps: sums that leave the 32-bit range stop at its edge.
constexpr std::int32_t Saturate(std::int64_t v) {
  return v > kInt32Max ? kInt32Max : (v < kInt32Min ? kInt32Min : static_cast<std::int32_t>(v));
}
constexpr std::int32_t SatAdd(std::int32_t a, std::int64_t b) {
  return Saturate(static_cast<std::int64_t>(a) + b);
}
constexpr bool FitsInt32(std::int64_t v) { return v >= kInt32Min && v <= kInt32Max; }

// "0,00" for zero, else grouped digits with "." and two decimals after ",": 5.000.000,00.
std::string MoneyText(std::int32_t amount);
// The player's name; empty for an index that names no player.
std::string PlayerNameOf(const GameState& game, int player);

// True when cost <= available.
constexpr bool CanAfford(std::int32_t available, std::int32_t cost) { return cost <= available; }

// Sum of the prices of the grounds the player owns (saturated).
std::int32_t LotsValue(const GameState& game, std::int32_t player);
// Rent of the ground's current building level, 0 without buildings.
std::int32_t BuildingValue(const GameState& game, std::int32_t ground);
// Sum of BuildingValue over the player's grounds (saturated).
std::int32_t BuildingsValue(const GameState& game, std::int32_t player);
// The most the player may owe in total: 0.8 x (Money + LotsValue - Loan) in single precision.
std::int32_t MaxLoan(const GameState& game, std::int32_t player);
// The same limit for a player with this cash, lots and loan.
std::int32_t MaxLoanOf(std::int32_t money, std::int32_t lots, std::int32_t loan);
// One turn off a jail sentence; never below 0.
void JailCountdown(GameState& game, std::int32_t player);
// The next seat after current, wrapping to 0.
constexpr std::int32_t NextPlayerIndex(std::int32_t current, std::int32_t count) {
  return current >= count - 1 ? 0 : current + 1;
}
// Sets Money to 0 for the first n players.
void ClearMoney(GameState& game, std::int32_t n);

// A player's worth and its parts, computed without overflow.
struct Worth {
  std::int64_t Lots = 0;
  std::int64_t Buildings = 0;
  std::int64_t Total = 0;  // Money + Lots + Buildings - Loan
};
Worth WorthOf(const GameState& game, std::int32_t player);
// Lots and buildings of every seat (index = owner) counted in one pass over the grounds; the
// totals are left to the caller.
void HoldingsOfAll(const GameState& game, Worth* perSeat, int seats);
// Worth saturated to 32 bits, as panels show it.
std::int32_t Total(const GameState& game, std::int32_t player);

// A whole number typed by a player: optional blanks, an optional sign, decimal digits. The
// game's own money form is accepted too: "." grouping in threes and a ",00" decimal part
// ("1.000.000", "1.000.000,00"). Empty when the text is not such a number or leaves 32 bits.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// Decimal text of n, as the save file and the wall of fame write it.
std::string IntText(std::int64_t n);

}  // namespace quillbury
