#include "core/GameSession.h"

#include "core/GameRoutines.h"
#include "core/GroundDatabase.h"

namespace quillbury {

GameSession::GameSession(GamePort& port, RandomSource& random) : port_(port), random_(random) {}

bool GameSession::ValidPlayer(std::int32_t index) const {
  return index >= 0 && static_cast<std::size_t>(index) < Game.Players.size();
}

Player* GameSession::PlayerAt(std::int32_t index) {
  return ValidPlayer(index) ? &Game.Players[static_cast<std::size_t>(index)] : nullptr;
}

bool GameSession::TokenVisible(int player) const {
  return player >= 0 && player < kMaxPlayers && tokenVisible_[static_cast<std::size_t>(player)];
}

const IniFile& GameSession::Database() {
  const std::string path = AppDir + "database.dat";
  if (!database_ || database_->Path() != path) database_ = std::make_unique<IniFile>(path);
  return *database_;
}

void GameSession::SetUpPlaceholderGame() {
  GameState placeholder;
  placeholder.Players.resize(static_cast<std::size_t>(PlayerCount));
  ClearMoney(placeholder, PlayerCount);
  placeholder.Grounds = FreshGrounds(Database());
  Game = std::move(placeholder);
  ++generation_;
}

bool GameSession::NewGame() {
  NoGameYet = false;
  if (PlayerCount != 3) PlayerCount = 2;
  GameState game;
  game.Players.resize(static_cast<std::size_t>(PlayerCount));
  ClearMoney(game, PlayerCount);
  game.Grounds = FreshGrounds(Database());
  for (Player& p : game.Players) {
    p.Name = "Mr. Gambler";
    p.Money = 5000000;
    p.Color = kBlue;
    p.Salary = 300000;
    p.CurrentPosition = 1;
    p.Jail = 0;
    p.Loan = 0;
    p.CPU = false;
    p.Playing = true;
  }
  game.Players[1].Name = "Bart Broker";
  game.Players[1].Color = kYellow;
  game.Players[1].CPU = true;
  CurrentPlayerID = 0;
  Left = 0;
  NumberRoll = 1;
  Game = std::move(game);
  ++generation_;
  for (int p = 0; p < PlayerCount; ++p) PlaceTokenOnSquare(p, kStartSquare);
  for (int g = 0; g < kGroundCount; ++g) port_.RefreshGround(g);
  Game.FileName.clear();
  SetRefreshTimer(true);
  SetRollEnabled(true);
  return true;
}

void GameSession::StopMove() {
  if (movementTimerOn_ || Left > 0) {
    // The roll that started the move is void, and with it any extra turn it earned.
    ExtraTurn = false;
  }
  SetMovementTimer(false);
  Left = 0;
  SetDiceVisible(false);
}

void GameSession::StartNewGame(const NewGameChoice& choice) {
  StopMove();
  PlayerCount = choice.PlayerCount == 3 ? 3 : 2;
  NewGame();
  for (int i = 0; i < 2; ++i) {
    Player& p = Game.Players[static_cast<std::size_t>(i)];
    p.Name = choice.Seats[static_cast<std::size_t>(i)].Name;
    p.Money = choice.Seats[static_cast<std::size_t>(i)].Money;
    p.CPU = choice.Seats[static_cast<std::size_t>(i)].CPU;
  }
  SetTokenVisible(2, PlayerCount == 3);
  if (PlayerCount == 3) {
    Player& p = Game.Players[2];
    p.Name = choice.Seats[2].Name;
    p.Money = choice.Seats[2].Money;
    p.CPU = choice.Seats[2].CPU;
    p.Color = kRed;
  }
  SetActionsEnabled(true);
}

void GameSession::ApplyLoadedGame(GameState game, const SavedTurn& turn, const std::string& fileName) {
  StopMove();
  NoGameYet = false;
  PlayerCount = static_cast<std::int32_t>(game.Players.size());
  CurrentPlayerID = turn.CurrentPlayerID;
  NumberRoll = turn.NumberRoll;
  Left = turn.Left;
  Die1 = turn.Die1;
  Die2 = turn.Die2;
  Game = std::move(game);
  ++generation_;
  for (int g = 0; g < kGroundCount; ++g) port_.RefreshGround(g);
  for (int p = 0; p < PlayerCount; ++p) {
    PlaceTokenOnSquare(p, Game.Players[static_cast<std::size_t>(p)].CurrentPosition);
  }
  SetTokenVisible(2, PlayerCount == 3);
  Game.FileName = fileName;
  if (Left == 0) {
    SetRollEnabled(true);
    SetActionsEnabled(true);
  } else {
    // The saved move goes on: the board is in the middle of a walk, so Roll and the actions
    // stay off until it ends, as after a roll.
    RollDiceFaces();
    SetRollEnabled(false);
    SetActionsEnabled(false);
    SetMovementTimer(true);
  }
}

void GameSession::PlaceTokenOnSquare(int player, std::int32_t square) {
  if (player < 0 || player >= kMaxPlayers) return;
  port_.PlaceToken(player, square);
}

void GameSession::RollDiceFaces() {
  // The first die image shows the second die's face, as the board has always done.
  port_.ShowDice(Die2, Die1);
  port_.PlaceDice(random_.Random(3));
}

void GameSession::SetRollEnabled(bool enabled) {
  if (rollEnabled_ == enabled) return;
  rollEnabled_ = enabled;
  port_.SetRollEnabled(enabled);
}

void GameSession::SetActionsEnabled(bool enabled) {
  if (actionsEnabled_ == enabled) return;
  actionsEnabled_ = enabled;
  port_.SetActionsEnabled(enabled);
}

void GameSession::SetTokenVisible(int player, bool visible) {
  if (player < 0 || player >= kMaxPlayers) return;
  auto& shown = tokenVisible_[static_cast<std::size_t>(player)];
  if (shown == visible) return;
  shown = visible;
  port_.SetTokenVisible(player, visible);
}

void GameSession::SetDiceVisible(bool visible) {
  if (diceVisible_ == visible) return;
  diceVisible_ = visible;
  port_.SetDiceVisible(visible);
}

void GameSession::SetMovementTimer(bool enabled) {
  if (movementTimerOn_ == enabled) return;
  movementTimerOn_ = enabled;
  port_.SetMovementTimer(enabled, movementInterval_);
}

void GameSession::SetMovementInterval(int intervalMs) {
  if (movementInterval_ == intervalMs) return;
  movementInterval_ = intervalMs;
  if (movementTimerOn_) port_.SetMovementTimer(true, intervalMs);
}

void GameSession::SetRefreshTimer(bool enabled) {
  if (refreshTimerOn_ == enabled) return;
  refreshTimerOn_ = enabled;
  port_.SetRefreshTimer(enabled);
}

}  // namespace quillbury
