#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Board.h"
#include "core/ClassicComputer.h"
#include "core/GameDialogs.h"
#include "core/GameEvent.h"
#include "core/GameRoutines.h"
#include "core/GameState.h"
#include "core/PersonSeat.h"
#include "core/Random.h"
#include "core/Seat.h"
#include "localisation/IniFile.h"

namespace quillbury {

// What the New Game dialog hands to the game.
struct NewGameChoice {
  struct Seat {
    std::string Name;
    std::int32_t Money = 5000000;
    bool CPU = false;
    ComputerLevel Level = ComputerLevel::Classic;
  };
  int PlayerCount = 2;
  std::array<Seat, kMaxPlayers> Seats{};
};

// The settings the rules read; the window owns and changes them.
struct RuleSettings {
  // Without animation a walk is one step: the token lands at once, so only a move ending on
  // square 1 pays the salary, and the casino counter grows by one.
  bool Animation = true;
  std::string AppDir;                     // where database.dat lies, with trailing separator
  const IniFile* LanguageFile = nullptr;  // the rent messages; built-in English without one
};

// Which seat decides for a player.
enum class SeatKind { Person, Computer, StrongComputer };

// The rules of the game acting on one game state. Every operation of a turn lives here: the
// roll, each step of a walk, the square's effect, the six finance actions, the refresh with its
// settlement and end test, and the computer's turn. Choices go to the players' seats, modal
// waits to the dialogs, and every change is told to the listeners as an event.
//
// A modal wait may let the refresh, the computer player, a whole move or a new game run before
// it returns. Every handler takes a Hold before it waits and stops when it reports the game or
// the turn gone.
class GameRules {
 public:
  // thinkSeed seeds the Strong computer's look-ahead, which never draws from random.
  GameRules(GameDialogs& dialogs, RandomSource& random, std::uint64_t thinkSeed = 0);
  ~GameRules();

  const GameState& State() const { return state_; }
  // For set-up in tests and tools; the rules assume a checked game. The next roll settles the
  // players again, whatever was changed.
  GameState& MutableState() {
    unsettled_ = kEverybody;
    holdingsKnown_ = false;
    endTestDue_ = true;
    return state_;
  }
  RuleSettings& Settings() { return settings_; }
  const RuleSettings& Settings() const { return settings_; }

  // True once a game was started or loaded; before that the board holds a placeholder.
  bool HasGame() const { return hasGame_; }
  // Roll is the interlock of a turn: allowed exactly while the current player may roll.
  bool RollAllowed() const { return rollAllowed_; }
  // Whether the finance actions are offered (between moves).
  bool ActionsAllowed() const { return actionsAllowed_; }
  // A walk is under way: StepWalk has work to do.
  bool Walking() const { return walking_; }
  // The refresh runs (off while a finished game's result is on screen).
  bool RefreshOn() const { return refreshOn_; }
  // For tests and tools that set up a position by hand.
  void SetRollAllowed(bool allowed) { rollAllowed_ = allowed; }
  void SetActionsAllowed(bool allowed) { actionsAllowed_ = allowed; }

  // --- seats and listeners ---
  // Replaces the seat that decides for players of a kind; the seat must outlive the rules.
  void SetSeat(SeatKind kind, Seat& seat);
  Seat& SeatOf(int player);
  // A seat for one player alone (a player at another computer); nullptr: by kind again.
  void SetPlayerSeat(int player, Seat* seat);
  // The listener is told the events in mask; it must outlive the rules or be removed.
  void AddListener(GameListener& listener, EventMask mask = kEveryEvent);
  void RemoveListener(GameListener& listener);

  // --- set-up ---
  // The company database beside the program (AppDir + "database.dat").
  const IniFile& Database();
  // Start-up's placeholder: two empty players who are not playing, fresh grounds.
  void SetUpPlaceholderGame();
  // A fresh game of default players ("Mr. Gambler" and the computer "Bart Broker" ...).
  void NewGame(int playerCount);
  // The New Game command after its dialog was confirmed. Stops a move under way first.
  void StartNewGame(const NewGameChoice& choice);
  // Replaces the game by a loaded one (already checked); a move saved under way resumes.
  void LoadGame(GameState game);
  // Stops a move under way: nothing left to walk, no extra turn from its roll.
  void StopMove();

  // --- a turn ---
  void Roll();
  void StepWalk();
  // Settles every player (when a balance or holding changed since the last settlement), ends
  // the game when one player is left, and passes the turn of a player who is out.
  void RefreshStatus();
  // Lets a computer seat act while its player may roll.
  void ComputerTurnTick();

  // --- finance actions of the current player ---
  void TakeLoan();
  void RepayLoan();
  void BuyGroundFromPlayer();
  void Build();
  void SellCompany();
  void SellBuilding();

  // --- what a computer seat does at the start of its turn ---
  // Pays amount off the current player's loan.
  void RepayAsComputer(std::int32_t amount);
  // One level more on the ground, charging the new level's full value.
  void BuildAsComputer(int ground);
  // Counts one computer turn start; returns the new count.
  std::int32_t CountComputerTurn();

  // The grounds the player owns, one bit per ground index.
  std::uint32_t OwnedGrounds(int player);

  // --- rules exposed for tests and tools ---
  // Effect of the square the move ended on; true when a continuation move is needed.
  bool ApplySquareEffect(std::int32_t square);
  struct Settlement {
    std::int32_t Money = 0, Lots = 0, Buildings = 0, Loan = 0, Total = 0;
  };
  Settlement SettlePlayer(std::int32_t player);
  void CheckGameEnd();
  // Sells levels + 1 building levels of the player's ground (all of them when levels is the
  // ground's level), paying their value; forced when a settlement sells.
  void SellBuildingsOf(std::int32_t player, std::int32_t ground, std::int32_t levels, bool forced);
  // Sells the player's ground with its buildings for their value.
  void SellCompanyOf(std::int32_t player, std::int32_t ground, bool forced);

  // What a handler holds on to across a modal wait.
  struct Hold {
    std::uint64_t Game = 0;
    std::uint64_t Turn = 0;
  };
  Hold Take() const { return Hold{gameSerial_, turnSerial_}; }
  // After a modal wait: the game was replaced (new game, load).
  bool GameGone(const Hold& hold) const { return hold.Game != gameSerial_; }
  // ... or the turn passed on, or a new move began.
  bool TurnGone(const Hold& hold) const {
    return hold.Game != gameSerial_ || hold.Turn != turnSerial_;
  }

 private:
  // Tells the player's seat why its action was turned down.
  void Refuse(Refusal why, std::int32_t player, std::int32_t ground);
  bool ValidPlayer(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < state_.Players.size();
  }
  Player* PlayerAt(std::int32_t index) {
    return ValidPlayer(index) ? &state_.Players[static_cast<std::size_t>(index)] : nullptr;
  }
  // Gives a ground its owner and level, keeping the owners' holdings counted.
  void ChangeHolding(int ground, std::int32_t owner, std::int32_t house);
  // The lots and buildings each player owns, counted once and then kept up to date.
  const Worth& HoldingsOf(int player);
  void InstallGame(GameState game);
  // The default players' game; a finished game's successor waits for New Game, not playable.
  void BeginDefaultGame(int playerCount, bool playable);
  void Emit(const GameEvent& event);
  // Whether any listener follows events of the type: a walk's steps are not composed for nobody.
  bool Wanted(EventType type) const { return (wanted_ & MaskOf(type)) != 0; }
  GameEvent EventFor(EventType type, int player) const;
  // Adds to a player's money and loan, saturating, and records the change on the event.
  void Pay(GameEvent& event, int player, std::int64_t money, std::int64_t loan = 0);
  void EndOfMove();
  void ChooseNextPlayer();
  void SkipJailedRounds();
  void PassTurnOfPlayerWhoIsOut();
  void EndGame(const std::string& message, int winner);
  void NewTurn() { ++turnSerial_; }
  Settlement SettlePlayer(std::int32_t player, Worth holdings);
  std::optional<std::int32_t> AskGround(NumberQuestion question, const Hold& hold);

  // The effects of the square kinds.
  void OnGround(std::int32_t square);
  void OnStart();
  void OnChance();
  void OnCourthouse();
  void OnPayRise();
  void OnCasino();
  void OnBill(bool energy);
  void OnShortcut();
  void OnRobbery();

  // Shows the message that compose() builds, composing it only for dialogs that read it.
  template <class Compose>
  void Say(Compose&& compose) {
    dialogs_.ShowMessage(dialogs_.ShowsMessages() ? std::string(compose()) : std::string());
  }
  std::string RentText(const Ground& ground, const Player& payer, std::int32_t rent) const;

  GameDialogs& dialogs_;
  RandomSource& random_;
  RuleSettings settings_;
  GameState state_;
  std::unique_ptr<IniFile> database_;
  PersonSeat personSeat_;
  ClassicComputer classicComputer_;
  std::unique_ptr<Seat> strongComputer_;
  Seat* personSeatInUse_;
  Seat* computerSeatInUse_;
  Seat* strongSeatInUse_;
  std::array<Seat*, kMaxPlayers> playerSeats_{};
  std::vector<std::pair<GameListener*, EventMask>> listeners_;
  EventMask wanted_ = 0;

  bool hasGame_ = false;
  bool rollAllowed_ = false;
  bool actionsAllowed_ = true;
  bool walking_ = false;
  bool refreshOn_ = false;
  // The players whose balance or holdings changed since their last settlement, one bit each.
  static constexpr std::uint32_t kEverybody = (1u << kMaxPlayers) - 1;
  std::uint32_t unsettled_ = kEverybody;
  void MarkUnsettled(int player) {
    if (player >= 0 && player < kMaxPlayers) unsettled_ |= 1u << player;
  }
  std::array<Worth, kMaxPlayers> holdings_{};
  std::array<std::uint32_t, kMaxPlayers> owned_{};
  bool holdingsKnown_ = false;
  bool endTestDue_ = true;  // a player may have gone out since the last end test
  std::uint64_t gameSerial_ = 0;
  std::uint64_t turnSerial_ = 0;
};

// Fixed texts the window and tests share.
inline constexpr const char* kExtraTurnText = "Extra turn. You had two 6 dices";
inline constexpr const char* kLoanTipText =
    "TIP\n\r\n\rPay back loan money fast, otherwise you pay 14% in interest everytime you pass "
    "start!";
inline constexpr const char* kNobodyWinsText =
    "Every player has gone broke. Nobody wins this game!";

}  // namespace quillbury
