#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillbury {

// Colours are 0x00BBGGRR values: red in the lowest byte.
constexpr std::int32_t kBlue = 0xFF0000;
constexpr std::int32_t kYellow = 0x00FFFF;
constexpr std::int32_t kRed = 0x0000FF;
constexpr std::int32_t kBlack = 0x000000;
constexpr std::int32_t kPanelColour = 0xCC6600;
constexpr std::int32_t kGreyPanelColour = 0x808080;

// One building level of a ground.
struct BuildingLevel {
  std::string Name;
  std::int32_t Rent = 0;  // rent at this level, and the value of the buildings up to it
  bool operator==(const BuildingLevel&) const = default;
};

// One company on the board.
struct Ground {
  std::int32_t Square = 0;
  std::int32_t Owner = -1;  // index into Players; -1 = unowned
  std::string Name;
  std::int32_t Price = 0;
  std::int32_t House = -1;  // -1 = no building, 0..3 = index into Houses
  std::string Sell;         // "bought " + goods, or "rent a room"
  std::vector<BuildingLevel> Houses;
  bool operator==(const Ground&) const = default;
};

using GroundList = std::vector<Ground>;

// How a computer player decides; a person has no level.
enum class ComputerLevel { Classic, Strong };

struct Player {
  std::string Name;
  std::int32_t Money = 0;
  std::int32_t Color = 0;
  std::int32_t Salary = 0;
  std::int32_t CurrentPosition = 0;
  std::int32_t Jail = 0;
  std::int32_t Loan = 0;
  bool CPU = false;
  bool Playing = false;
  ComputerLevel Level = ComputerLevel::Classic;  // for a computer player
  bool operator==(const Player&) const = default;
};

// The whole game as a value: the players, the grounds and the turn. Nothing of the window, the
// settings or the seats lives here, so a game can be saved, compared and copied to look ahead.
struct GameState {
  std::vector<Player> Players;
  GroundList Grounds;
  std::int32_t CurrentPlayer = 0;
  std::int32_t Die1 = 0;
  std::int32_t Die2 = 0;
  std::int32_t StepsLeft = 0;      // squares still to walk in the move under way
  std::int32_t CasinoCounter = 0;  // squares travelled since the casino last paid out
  bool ExtraTurn = false;          // a double six: the player rolls again
  // Counts the computer's turn starts over the whole session (its parity picks the direction
  // in which the classic computer looks for a ground to build on); a new game keeps it.
  std::int32_t ComputerTurns = 0;

  int PlayerCount() const { return static_cast<int>(Players.size()); }
  bool operator==(const GameState&) const = default;
};

}  // namespace quillbury
