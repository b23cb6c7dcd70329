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
// The toolkit's "no colour": the frame of an unowned ground.
constexpr std::int32_t kNoColour = 0x1FFFFFFF;

// One building level of a ground.
struct BuildingLevel {
  std::string Name;
  std::int32_t Rent = 0;  // rent at this level, and the value of the buildings up to it
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
};

using GroundList = std::vector<Ground>;

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
};

struct GameState {
  std::vector<Player> Players;
  GroundList Grounds;
  std::string FileName;
};

}  // namespace quillbury
