#include <algorithm>

#include "core/GameRules.h"

namespace quillbury {

void GameRules::Roll() {
  // Roll is the interlock of a turn: a click that reaches a disabled Roll does nothing.
  if (!rollAllowed_) return;
  // The refresh may not have run since the last payment (a timer's order inside a modal wait):
  // bring the settlement up to date first, so a player who is out never rolls and a game that
  // is over ends before anybody moves.
  const Hold hold = Take();
  RefreshStatus();
  if (TurnGone(hold) || !rollAllowed_) return;
  const std::int32_t cur = state_.CurrentPlayer;
  if (!ValidPlayer(cur) || !state_.Players[static_cast<std::size_t>(cur)].Playing) return;
  state_.Die1 = random_.Random(6);
  if (state_.Die1 == 0) state_.Die1 = 6;
  state_.Die2 = random_.Random(6);
  if (state_.Die2 == 0) state_.Die2 = 6;
  GameEvent event = EventFor(EventType::Rolled, cur);
  event.Die1 = state_.Die1;
  event.Die2 = state_.Die2;
  event.DiceLayout = random_.Random(3);
  if (state_.Die1 == 6 && state_.Die2 == 6) state_.ExtraTurn = true;
  state_.StepsLeft = state_.Die1 + state_.Die2;
  rollAllowed_ = false;
  actionsAllowed_ = false;
  walking_ = true;
  NewTurn();
  Emit(event);
}

void GameRules::StepWalk() {
  if (!walking_) return;
  const std::int32_t cur = state_.CurrentPlayer;
  Player* player = PlayerAt(cur);
  if (player == nullptr) {
    StopMove();
    return;
  }
  if (state_.StepsLeft > 0 && !settings_.Animation) {
    // Without animation the whole walk is one step: the token lands directly.
    player->CurrentPosition =
        SatAdd(player->CurrentPosition, static_cast<std::int64_t>(state_.StepsLeft) - 1);
    state_.StepsLeft = 1;
  }
  if (state_.StepsLeft == 0) {
    EndOfMove();
    return;
  }
  if (state_.StepsLeft > 1 && !Wanted(EventType::Moved)) {
    // Nobody follows the steps (a headless game): the squares before the last one are walked
    // at once as long as none of them is square 1, which alone does more than count.
    const std::int32_t bulk = state_.StepsLeft - 1;
    if (player->CurrentPosition >= 1 && player->CurrentPosition + bulk <= kSquareCount) {
      player->CurrentPosition += bulk;
      state_.StepsLeft -= bulk;
      state_.CasinoCounter = SatAdd(state_.CasinoCounter, bulk);
    }
  }
  --state_.StepsLeft;
  state_.CasinoCounter = SatAdd(state_.CasinoCounter, 1);
  std::int32_t p = SatAdd(player->CurrentPosition, 1);
  if (p == kSquareCount + 1) p = 1;
  const std::int32_t square = p > kSquareCount ? (p - 1) % kSquareCount + 1 : p;
  player->CurrentPosition = square;
  if (square < 1) return;
  if (p == 1) {
    GameEvent passed = EventFor(EventType::PassedStart, cur);
    passed.Salary = player->Salary;
    Pay(passed, cur, player->Salary);
    if (player->Loan > 0) {
      passed.Interest = player->Loan / 100 * 14;
      Pay(passed, cur, -std::int64_t{passed.Interest});
    }
    Emit(passed);
  }
  if (Wanted(EventType::Moved)) {
    GameEvent moved = EventFor(EventType::Moved, cur);
    moved.Square = square;
    moved.StepsLeft = state_.StepsLeft;
    Emit(moved);
  }
}

void GameRules::EndOfMove() {
  walking_ = false;
  const std::int32_t cur = state_.CurrentPlayer;
  const Player* player = PlayerAt(cur);
  if (player == nullptr) return;
  const std::int32_t square = player->CurrentPosition;
  if (Wanted(EventType::WalkEnded)) {
    GameEvent ended = EventFor(EventType::WalkEnded, cur);
    ended.Square = square;
    Emit(ended);
  }
  const Hold hold = Take();
  const bool continuation = ApplySquareEffect(square);
  if (TurnGone(hold)) return;  // a new game or a load took over meanwhile
  if (continuation) {
    state_.StepsLeft = 0;
    walking_ = true;
    return;
  }
  rollAllowed_ = true;
  actionsAllowed_ = true;
  ChooseNextPlayer();
}

void GameRules::ChooseNextPlayer() {
  const int count = state_.PlayerCount();
  if (count < 1) return;
  int passes = 0;
  bool told = false;  // the extra turn is told before its message
  for (;;) {
    JailCountdown(state_, state_.CurrentPlayer);
    if (state_.ExtraTurn) {
      state_.ExtraTurn = false;
      NewTurn();
      GameEvent extra = EventFor(EventType::TurnPassed, state_.CurrentPlayer);
      extra.Extra = true;
      Emit(extra);
      told = true;
      const Hold hold = Take();
      dialogs_.ShowMessage(kExtraTurnText);
      // The extra turn may have been played, or passed on, inside the message.
      if (TurnGone(hold)) return;
    } else {
      state_.CurrentPlayer = NextPlayerIndex(state_.CurrentPlayer, count);
      told = false;
    }
    const Player* next = PlayerAt(state_.CurrentPlayer);
    if (next != nullptr && next->Playing && next->Jail <= 0) {
      if (!told) {
        NewTurn();
        if (Wanted(EventType::TurnPassed)) {
          Emit(EventFor(EventType::TurnPassed, state_.CurrentPlayer));
        }
      }
      return;
    }
    bool anyPlaying = false;
    for (const Player& p : state_.Players) anyPlaying = anyPlaying || p.Playing;
    // Nobody left to take the turn: the end test of the next refresh closes the game.
    if (!anyPlaying) return;
    if (++passes % count == 0) SkipJailedRounds();
  }
}

// When every player still in the game is in jail, whole rounds pass in which each seat is
// counted down once; taking them in one step keeps huge sentences from stalling the game.
void GameRules::SkipJailedRounds() {
  std::int32_t least = kInt32Max;
  for (const Player& p : state_.Players) {
    if (p.Playing) least = std::min(least, p.Jail);
  }
  if (least < 2 || least == kInt32Max) return;
  const std::int32_t rounds = least - 1;
  for (Player& p : state_.Players) {
    if (p.Jail > 0) p.Jail = p.Jail > rounds ? p.Jail - rounds : 0;
  }
}

void GameRules::ComputerTurnTick() {
  if (!rollAllowed_) return;
  // A player who went out hands the turn on before anybody acts for him.
  const Hold hold = Take();
  RefreshStatus();
  if (GameGone(hold) || !rollAllowed_) return;
  const Player* player = PlayerAt(state_.CurrentPlayer);
  if (player == nullptr || !player->Playing) return;
  SeatOf(state_.CurrentPlayer).TakeTurn(*this);
}

void GameRules::RepayAsComputer(std::int32_t amount) {
  const std::int32_t cur = state_.CurrentPlayer;
  GameEvent event = EventFor(EventType::LoanRepaid, cur);
  event.Amount = amount;
  Pay(event, cur, -std::int64_t{amount}, -std::int64_t{amount});
  Emit(event);
}

std::int32_t GameRules::CountComputerTurn() {
  // The counter wraps rather than overflows; only its parity matters.
  state_.ComputerTurns =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(state_.ComputerTurns) + 1u);
  return state_.ComputerTurns;
}

void GameRules::BuildAsComputer(int ground) {
  const std::int32_t cur = state_.CurrentPlayer;
  Ground& g = state_.Grounds[static_cast<std::size_t>(ground)];
  // The new level's full value is charged, not the difference a person pays.
  const std::int32_t price = g.Houses[static_cast<std::size_t>(g.House + 1)].Rent;
  ChangeHolding(ground, cur, g.House + 1);
  GameEvent event = EventFor(EventType::Built, cur);
  event.Ground = ground;
  event.Level = g.House;
  event.Amount = price;
  Pay(event, cur, -std::int64_t{price});
  Emit(event);
}

}  // namespace quillbury
