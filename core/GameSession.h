#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/Board.h"
#include "core/GamePort.h"
#include "core/GameRecords.h"
#include "core/GameRoutines.h"
#include "core/Random.h"
#include "localisation/IniFile.h"

namespace quillbury {

// What the New Game dialog hands to the game.
struct NewGameChoice {
  struct Seat {
    std::string Name;
    std::int32_t Money = 5000000;
    bool CPU = false;
  };
  int PlayerCount = 2;
  std::array<Seat, kMaxPlayers> Seats{};
};

// The turn values that a saved game carries beside its players and grounds.
struct SavedTurn {
  std::int32_t CurrentPlayerID = 0;
  std::int32_t NumberRoll = 0;
  std::int32_t Left = 0;
  std::int32_t Die1 = 0;
  std::int32_t Die2 = 0;
};

// How the last game ended, for tools that play many games.
struct GameOutcome {
  int Winner = -1;  // seat index, -1 when nobody won
  int Loser = -1;   // in a two-player game, the seat that went broke
  std::string WinnerName;
};

// The current game and the turn state beside it, with every rule that changes them. The window
// owns one, forwards its timers and buttons to it and draws what it is told through the port.
// Handlers re-read the game after every modal call: a message may let the refresh, the computer
// player or even a new game run before it returns.
class GameSession {
 public:
  GameSession(GamePort& port, RandomSource& random);

  // --- state (names as the game's documents use them) ---
  bool NoGameYet = true;
  bool ExtraTurn = false;
  bool SoundOn = true;
  bool AnimationOn = true;
  GameState Game;
  std::int32_t Die1 = 0;
  std::int32_t Die2 = 0;
  std::int32_t PlayerCount = 2;
  std::int32_t CPUTurns = 0;
  std::int32_t CurrentPlayerID = 0;
  std::int32_t NumberRoll = 0;
  std::int32_t Left = 0;
  std::string AppDir;  // with trailing separator
  std::unique_ptr<IniFile> LanguageFile;

  // What the window shows, mirrored so the rules can ask (the Roll button is a turn's
  // interlock) and so unchanged values are not sent again.
  bool RollEnabled() const { return rollEnabled_; }
  bool ActionsEnabled() const { return actionsEnabled_; }
  bool MovementTimerOn() const { return movementTimerOn_; }
  int MovementInterval() const { return movementInterval_; }
  bool RefreshTimerOn() const { return refreshTimerOn_; }
  bool TokenVisible(int player) const;
  bool DiceVisible() const { return diceVisible_; }
  // Counts every replacement of the game (new game, load); handlers compare it around modal
  // calls to notice that the game they were working on is gone.
  std::uint64_t Generation() const { return generation_; }
  const GameOutcome& LastOutcome() const { return lastOutcome_; }

  // --- set-up ---
  // The company database beside the program (AppDir + "database.dat").
  const IniFile& Database();
  // Start-up's placeholder: two empty players who are not playing, fresh grounds.
  void SetUpPlaceholderGame();
  // A fresh game for PlayerCount players with the default players; always true.
  bool NewGame();
  // The New Game command after its dialog was confirmed. Stops a move under way first.
  void StartNewGame(const NewGameChoice& choice);
  // Replaces the game by a loaded one (already checked) and brings the board up to date;
  // a move saved under way resumes.
  void ApplyLoadedGame(GameState game, const SavedTurn& turn, const std::string& fileName);
  // Stops a move under way: timer off, nothing left to walk, dice hidden.
  void StopMove();

  // --- turns ---
  void Roll();  // Roll
  void StepWalk();   // one movement tick
  // --- finance actions ---
  void TakeLoan();      // Loan money
  void RepayLoan();      // Pay back loan money
  void BuyGroundFromPlayer();      // Buy another player's ground
  void Build();  // Build house
  void SellCompany();
  void SellBuilding();
  // --- refresh, end of game, computer player ---
  void RefreshStatus();
  void ComputerTurnTick();

  // --- rules exposed for tests and tools ---
  // Effect of the square the move ended on; true when a continuation move is needed.
  bool ApplySquareEffect(std::int32_t square);
  struct Settlement {
    std::int32_t Money = 0, Lots = 0, Buildings = 0, Loan = 0, Total = 0;
  };
  Settlement SettlePlayer(std::int32_t player);
  // The same, starting from the player's holdings as already counted.
  Settlement SettlePlayer(std::int32_t player, Worth holdings);
  void SellBuildingsOf(std::int32_t player, std::int32_t ground, std::int32_t levels);
  void SellCompanyOf(std::int32_t player, std::int32_t ground);
  void CheckGameEnd();

  // Paths of the sounds beside the program.
  std::string SoundPath(const char* file) const { return AppDir + file; }

  // Mirrors of the window's controls; these call the port only on a change.
  void SetRollEnabled(bool enabled);
  void SetActionsEnabled(bool enabled);
  void SetTokenVisible(int player, bool visible);
  void SetDiceVisible(bool visible);
  void SetMovementTimer(bool enabled);
  void SetMovementInterval(int intervalMs);
  void SetRefreshTimer(bool enabled);
  void RollDiceFaces();  // shows Die1/Die2 and places the dice

 private:
  struct ShownPanel {
    bool Known = false;
    std::array<std::optional<std::int32_t>, 6> Values{};  // Buildings..Total; empty = blank
    std::string Name;
    std::int32_t Colour = -1;
  };

  Player* PlayerAt(std::int32_t index);
  bool ValidPlayer(std::int32_t index) const;
  void EndOfMove();
  void ChooseNextPlayer(std::uint64_t generation);
  void SkipJailedRounds();
  void PassTurnOfPlayerWhoIsOut();
  void EndGame(const std::string& message, int winner, int loser);
  void ShowPlayerOnPanel(int panel, const Player& player, const Settlement& s);
  void ClearPanel(int panel);
  void RefreshStatusDisplay(int shownPlayers);
  void SetPanelValue(int panel, int slot, std::optional<std::int32_t> value);
  void PlaceTokenOnSquare(int player, std::int32_t square);
  // Shows the message that compose() builds, composing it only for a port that reads it.
  template <class Compose>
  void Say(Compose&& compose) {
    port_.ShowMessage(port_.ShowsMessages() ? std::string(compose()) : std::string());
  }
  std::string RentText(const Ground& ground, const Player& payer, std::int32_t rent);
  // The prompt of a finance action; empty when cancelled or left empty.
  std::optional<std::string> Prompt(const std::string& caption, const std::string& prompt,
                                    const std::string& initial = std::string());

  GamePort& port_;
  RandomSource& random_;
  std::unique_ptr<IniFile> database_;
  std::uint64_t generation_ = 0;
  GameOutcome lastOutcome_;

  bool rollEnabled_ = false;
  bool actionsEnabled_ = true;
  bool movementTimerOn_ = false;
  int movementInterval_ = 400;
  bool refreshTimerOn_ = false;
  std::array<bool, kMaxPlayers> tokenVisible_{true, true, false};
  bool diceVisible_ = false;

  std::array<ShownPanel, kMaxPlayers> shown_{};
  bool captionKnown_ = false;
  std::string shownCaption_;
  int shownTip_ = -1;  // -1 unknown, 0 empty, 1 shown
};

// Fixed texts the window and tests share.
inline constexpr const char* kExtraTurnText = "Extra turn. You had two 6 dices";
inline constexpr const char* kLoanTipText =
    "TIP\n\r\n\rPay back loan money fast, otherwise you pay 14% in interest everytime you pass "
    "start!";
inline constexpr const char* kNobodyWinsText =
    "Every player has gone broke. Nobody wins this game!";

}  // namespace quillbury
