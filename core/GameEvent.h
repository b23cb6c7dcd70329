#pragma once

#include <array>
#include <cstdint>

#include "core/Board.h"

namespace quillbury {

// Every change the rules make, told after it happened.
enum class EventType {
  GameStarted,   // a new game is on the board
  GameLoaded,    // a saved game replaced the game
  Rolled,        // Die1, Die2, DiceLayout
  Moved,         // one step of a walk: Square, StepsLeft
  PassedStart,   // on square 1 during a walk: Salary paid, Interest charged
  WalkEnded,     // the token stands on Square; its effect follows
  Bought,        // an unowned Ground for Amount
  RentPaid,      // Player paid Amount to Other for Ground
  Chance,        // Outcome 0 lottery, 1 car bill, 2 inheritance, 3 tax; Amount
  MayorBonus,    // Amount
  BillPaid,      // Outcome 0 energy, 1 water; Amount for Count buildings
  CasinoWin,     // Amount
  BribePaid,     // the judge took Amount; no jail
  Jailed,        // Sentence turns and a fine of Amount; Outcome 1 when a bribe was refused
  PayRise,       // the salary is now Salary
  Shortcut,      // jumped to Square
  Robbed,        // Amount
  Built,         // Ground now at Level (0..3); Amount paid (negative: paid back)
  BuildingSold,  // Count levels of Ground sold for Amount, leaving Level; Forced in a settlement
  CompanySold,   // Ground with its buildings for Amount; Forced in a settlement
  LoanTaken,     // Amount; Automatic when negative cash became loan
  LoanRepaid,    // Amount
  BoughtFromPlayer,  // Player bought Ground from Other: paid Amount, Other received Received
  PlayerOut,         // worth below zero with nothing left to sell
  TurnPassed,        // Player's turn begins; Extra for a double six's extra turn
  GameWon,           // Player won with Amount cash
  NobodyWon,         // every player went broke at once
};

// The money and loan a player's balance actually moved by. Sums saturate at the 32-bit
// limits, so the change shown is the one applied, not the one intended.
struct BalanceChange {
  std::int64_t Money = 0;
  std::int64_t Loan = 0;
  bool operator==(const BalanceChange&) const = default;
};

struct GameEvent {
  EventType Type = EventType::GameStarted;
  int Player = -1;  // the player it happened to
  int Other = -1;   // the owner paid, the seller
  int Ground = -1;  // ground index 0..27
  std::int32_t Square = 0;
  std::int32_t Amount = 0;
  std::int32_t Received = 0;
  std::int32_t Die1 = 0, Die2 = 0, DiceLayout = 0;
  std::int32_t StepsLeft = 0;
  std::int32_t Level = -1;
  std::int32_t Count = 0;
  std::int32_t Sentence = 0;
  std::int32_t Salary = 0;
  std::int32_t Interest = 0;
  int Outcome = 0;
  bool Forced = false;
  bool Automatic = false;
  bool Extra = false;
  std::array<BalanceChange, kMaxPlayers> Changes{};  // by player index
};

// A set of event types, for listeners that follow only some.
using EventMask = std::uint32_t;
constexpr EventMask MaskOf(EventType type) { return EventMask{1} << static_cast<int>(type); }
constexpr EventMask kEveryEvent = ~EventMask{0};

// The event's name in the simulator's stream: "roll", "rent", "sell-building", ...
const char* EventName(EventType type);

// Follows the game: the board view, the sounds, the game log and the simulator.
class GameListener {
 public:
  virtual ~GameListener() = default;
  // Called after the change, before the rules go on; the state already shows it.
  virtual void OnGameEvent(const GameEvent& event) = 0;
};

}  // namespace quillbury
