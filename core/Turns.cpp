#include <algorithm>

#include "core/GameRoutines.h"
#include "core/GameSession.h"

namespace quillbury {
namespace {

constexpr int kStepInterval = 400;
constexpr int kFinishInterval = 1;

}  // namespace

void GameSession::Roll() {
  // Roll is the interlock of a turn: a click that reaches a disabled Roll does nothing.
  if (!rollEnabled_ || !ValidPlayer(CurrentPlayerID)) return;
  if (!Game.Players[static_cast<std::size_t>(CurrentPlayerID)].Playing) return;
  Die1 = random_.Random(6);
  if (Die1 == 0) Die1 = 6;
  Die2 = random_.Random(6);
  if (Die2 == 0) Die2 = 6;
  RollDiceFaces();
  port_.DiceRolled(CurrentPlayerID, Die1, Die2);
  if (Die1 == 6 && Die2 == 6) ExtraTurn = true;
  Left = Die1 + Die2;
  SetRollEnabled(false);
  SetActionsEnabled(false);
  SetMovementTimer(true);
}

void GameSession::StepWalk() {
  if (!movementTimerOn_) return;
  SetMovementInterval(kStepInterval);
  Player* player = PlayerAt(CurrentPlayerID);
  if (player == nullptr) {
    StopMove();
    return;
  }
  if (Left > 0 && !AnimationOn) {
    // Without animation the whole walk is one step: the token lands directly.
    player->CurrentPosition = SatAdd(player->CurrentPosition, static_cast<std::int64_t>(Left) - 1);
    Left = 1;
  }
  std::int32_t p = player->CurrentPosition;
  if (Left > 0) {
    SetDiceVisible(true);
    --Left;
    NumberRoll = SatAdd(NumberRoll, 1);
    p = SatAdd(p, 1);
    if (p == kSquareCount + 1) p = 1;
    std::int32_t square = p > kSquareCount ? (p - 1) % kSquareCount + 1 : p;
    player->CurrentPosition = square;
    if (square >= 1) {
      if (p == 1) {
        player->Money = SatAdd(player->Money, player->Salary);
        if (player->Loan > 0) player->Money = SatAdd(player->Money, -(player->Loan / 100 * 14));
      }
      if (Left > 0 && SoundOn) port_.PlaySound(SoundPath("Go1.wav"));
      PlaceTokenOnSquare(CurrentPlayerID, square);
    }
  } else {
    EndOfMove();
  }
  if (Left == 0) SetMovementInterval(kFinishInterval);
}

void GameSession::EndOfMove() {
  SetMovementTimer(false);
  if (SoundOn) port_.PlaySound(SoundPath("Go2.wav"));
  const std::uint64_t generation = generation_;
  const Player* player = PlayerAt(CurrentPlayerID);
  if (player == nullptr) return;
  const bool continuation = ApplySquareEffect(player->CurrentPosition);
  if (generation != generation_) return;  // a new game or a load took over meanwhile
  if (continuation) {
    Left = 0;
    SetMovementTimer(true);
    return;
  }
  SetRollEnabled(true);
  SetActionsEnabled(true);
  SetDiceVisible(false);
  ChooseNextPlayer(generation);
}

void GameSession::ChooseNextPlayer(std::uint64_t generation) {
  if (PlayerCount < 1) return;
  int passes = 0;
  for (;;) {
    JailCountdown(Game, CurrentPlayerID);
    if (ExtraTurn) {
      ExtraTurn = false;
      port_.ShowMessage(kExtraTurnText);
      if (generation != generation_) return;
    } else {
      CurrentPlayerID = NextPlayerIndex(CurrentPlayerID, PlayerCount);
    }
    const Player* next = PlayerAt(CurrentPlayerID);
    if (next != nullptr && next->Playing && next->Jail <= 0) return;
    bool anyPlaying = false;
    for (const Player& p : Game.Players) anyPlaying = anyPlaying || p.Playing;
    // Nobody left to take the turn: the end test of the next refresh closes the game.
    if (!anyPlaying) return;
    if (++passes % PlayerCount == 0) SkipJailedRounds();
  }
}

// When every player still in the game is in jail, whole rounds pass in which each seat is
// counted down once; taking them in one step keeps huge sentences from stalling the game.
void GameSession::SkipJailedRounds() {
  std::int32_t least = kInt32Max;
  for (const Player& p : Game.Players) {
    if (p.Playing) least = std::min(least, p.Jail);
  }
  if (least < 2 || least == kInt32Max) return;
  const std::int32_t rounds = least - 1;
  for (Player& p : Game.Players) {
    if (p.Jail > 0) p.Jail = p.Jail > rounds ? p.Jail - rounds : 0;
  }
}

}  // namespace quillbury
