#pragma once

#include <cstdint>
#include <optional>

#include "core/GameState.h"

namespace quillbury {

class GameRules;

// The numbers the finance actions ask a player for.
enum class NumberQuestion {
  LoanAmount,        // Loan money
  RepayAmount,       // Pay back loan money
  GroundToBuy,       // buy a company from another player
  GroundToBuild,     // Build house: the ground ...
  BuildingLevel,     // ... and the level 1..4
  CompanyToSell,     // Sell company
  GroundToSellFrom,  // Sell building: the ground ...
  BuildingsToSell,   // ... and how many levels
};

// A number a player gave: none (cancelled or left empty), a text that is not a number, or one.
struct NumberAnswer {
  enum class Kind { None, NotANumber, Number };
  Kind Given = Kind::None;
  std::int32_t Value = 0;

  static NumberAnswer Nothing() { return {}; }
  static NumberAnswer Of(std::int32_t v) { return {Kind::Number, v}; }
  bool IsNumber() const { return Given == Kind::Number; }
};

// Why the rules turned down a finance action whose numbers were well formed.
enum class Refusal {
  NotYours,         // the company is not the player's
  NoOtherOwner,     // buying from a player: nobody else owns the company
  CannotAfford,     // the player has too little cash
  NoSuchBuildings,  // selling more buildings than the company has
  MoneyLimit,       // someone's cash would pass the largest amount
};

// Who decides for a player. Every choice of the game goes through here: a person's seat asks
// through the window's dialogs, a computer's seat answers by its own logic. The rules check
// every answer; a seat cannot break them.
class Seat {
 public:
  virtual ~Seat() = default;

  // Buy the unowned ground the player's move ended on, at its price? (Only asked when the
  // player can afford it.)
  virtual bool WantsToBuy(const GameState& game, int player, int ground) = 0;
  // At the courthouse: try to bribe the judge?
  virtual bool WantsToBribe(const GameState& game, int player) = 0;
  // A number for a finance action; suggested pre-fills the question.
  virtual NumberAnswer ChooseNumber(NumberQuestion question, const GameState& game, int player,
                                    std::optional<std::int32_t> suggested) = 0;
  // Called while the player may roll. A computer acts here (repays, builds) and rolls; a
  // person's seat does nothing and waits for the Roll button.
  virtual void TakeTurn(GameRules& /*rules*/) {}
  // The action the player asked for was turned down; ground is the company concerned or -1.
  virtual void Refused(Refusal /*why*/, const GameState& /*game*/, int /*player*/, int /*ground*/) {
  }
};

}  // namespace quillbury
