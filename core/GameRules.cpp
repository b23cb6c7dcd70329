#include "core/GameRules.h"

#include <algorithm>

#include "core/GroundDatabase.h"
#include "core/StrongComputer.h"

namespace quillbury {

GameRules::GameRules(GameDialogs& dialogs, RandomSource& random, std::uint64_t thinkSeed)
    : dialogs_(dialogs),
      random_(random),
      personSeat_(dialogs, &settings_.LanguageFile),
      strongComputer_(std::make_unique<StrongComputer>(thinkSeed)),
      personSeatInUse_(&personSeat_),
      computerSeatInUse_(&classicComputer_),
      strongSeatInUse_(strongComputer_.get()) {}

GameRules::~GameRules() = default;

void GameRules::ChangeHolding(int ground, std::int32_t owner, std::int32_t house) {
  Ground& g = state_.Grounds[static_cast<std::size_t>(ground)];
  MarkUnsettled(g.Owner);
  MarkUnsettled(owner);
  if (holdingsKnown_) {
    auto count = [&](std::int64_t sign) {
      if (g.Owner < 0 || g.Owner >= kMaxPlayers) return;
      Worth& w = holdings_[static_cast<std::size_t>(g.Owner)];
      w.Lots += sign * g.Price;
      if (g.House >= 0 && static_cast<std::size_t>(g.House) < g.Houses.size()) {
        w.Buildings += sign * g.Houses[static_cast<std::size_t>(g.House)].Rent;
      }
    };
    count(-1);
    if (g.Owner >= 0 && g.Owner < kMaxPlayers) {
      owned_[static_cast<std::size_t>(g.Owner)] &= ~(std::uint32_t{1} << ground);
    }
    g.Owner = owner;
    g.House = house;
    count(+1);
    if (owner >= 0 && owner < kMaxPlayers) {
      owned_[static_cast<std::size_t>(owner)] |= std::uint32_t{1} << ground;
    }
  } else {
    g.Owner = owner;
    g.House = house;
  }
}

const Worth& GameRules::HoldingsOf(int player) {
  if (!holdingsKnown_) {
    HoldingsOfAll(state_, holdings_.data(), kMaxPlayers);
    owned_.fill(0);
    for (std::size_t g = 0; g < state_.Grounds.size() && g < 32; ++g) {
      const std::int32_t owner = state_.Grounds[g].Owner;
      if (owner >= 0 && owner < kMaxPlayers) {
        owned_[static_cast<std::size_t>(owner)] |= std::uint32_t{1} << g;
      }
    }
    holdingsKnown_ = true;
  }
  return holdings_[static_cast<std::size_t>(player)];
}

std::uint32_t GameRules::OwnedGrounds(int player) {
  if (player < 0 || player >= kMaxPlayers) return 0;
  HoldingsOf(player);
  return owned_[static_cast<std::size_t>(player)];
}

void GameRules::SetSeat(SeatKind kind, Seat& seat) {
  switch (kind) {
    case SeatKind::Person:
      personSeatInUse_ = &seat;
      break;
    case SeatKind::Computer:
      computerSeatInUse_ = &seat;
      break;
    case SeatKind::StrongComputer:
      strongSeatInUse_ = &seat;
      break;
  }
}

void GameRules::SetPlayerSeat(int player, Seat* seat) {
  if (player >= 0 && player < kMaxPlayers) playerSeats_[static_cast<std::size_t>(player)] = seat;
}

Seat& GameRules::SeatOf(int player) {
  if (player >= 0 && player < kMaxPlayers && playerSeats_[static_cast<std::size_t>(player)]) {
    return *playerSeats_[static_cast<std::size_t>(player)];
  }
  const Player* p = PlayerAt(player);
  if (p == nullptr || !p->CPU) return *personSeatInUse_;
  return p->Level == ComputerLevel::Strong ? *strongSeatInUse_ : *computerSeatInUse_;
}

void GameRules::AddListener(GameListener& listener, EventMask mask) {
  listeners_.emplace_back(&listener, mask);
  wanted_ |= mask;
}

void GameRules::RemoveListener(GameListener& listener) {
  std::erase_if(listeners_, [&listener](const auto& l) { return l.first == &listener; });
  wanted_ = 0;
  for (const auto& l : listeners_) wanted_ |= l.second;
}

void GameRules::Emit(const GameEvent& event) {
  if (!Wanted(event.Type)) return;
  const EventMask type = MaskOf(event.Type);
  // By index: a listener may add another while it is told.
  for (std::size_t i = 0; i < listeners_.size(); ++i) {
    if ((listeners_[i].second & type) != 0) listeners_[i].first->OnGameEvent(event);
  }
}

GameEvent GameRules::EventFor(EventType type, int player) const {
  GameEvent event;
  event.Type = type;
  event.Player = player;
  return event;
}

void GameRules::Pay(GameEvent& event, int player, std::int64_t money, std::int64_t loan) {
  Player* p = PlayerAt(player);
  if (p == nullptr) return;
  MarkUnsettled(player);
  const std::int32_t moneyBefore = p->Money;
  const std::int32_t loanBefore = p->Loan;
  p->Money = SatAdd(p->Money, money);
  p->Loan = SatAdd(p->Loan, loan);
  if (player < kMaxPlayers) {
    BalanceChange& change = event.Changes[static_cast<std::size_t>(player)];
    change.Money += std::int64_t{p->Money} - moneyBefore;
    change.Loan += std::int64_t{p->Loan} - loanBefore;
  }
}

const IniFile& GameRules::Database() {
  const std::string path = settings_.AppDir + "database.dat";
  if (!database_ || database_->Path() != path) database_ = std::make_unique<IniFile>(path);
  return *database_;
}

void GameRules::SetUpPlaceholderGame() {
  GameState placeholder;
  placeholder.Players.resize(2);
  ClearMoney(placeholder, 2);
  placeholder.Grounds = FreshGrounds(Database());
  placeholder.ComputerTurns = state_.ComputerTurns;
  state_ = std::move(placeholder);
  hasGame_ = false;
  unsettled_ = kEverybody;
  holdingsKnown_ = false;
  ++gameSerial_;
  NewTurn();
}

namespace {

GameState DefaultGame(int playerCount, GroundList grounds) {
  GameState game;
  game.Players.resize(playerCount == 3 ? 3u : 2u);
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
  game.Grounds = std::move(grounds);
  game.CurrentPlayer = 0;
  game.StepsLeft = 0;
  game.CasinoCounter = 1;
  return game;
}

}  // namespace

void GameRules::InstallGame(GameState game) {
  // The computer's turn count belongs to the session, not to one game.
  game.ComputerTurns = state_.ComputerTurns;
  // An extra turn earned in the game that is gone is not the new game's.
  game.ExtraTurn = false;
  state_ = std::move(game);
  hasGame_ = true;
  unsettled_ = kEverybody;
  holdingsKnown_ = false;
  endTestDue_ = true;
  walking_ = false;
  refreshOn_ = true;
  ++gameSerial_;
  NewTurn();
}

void GameRules::NewGame(int playerCount) { BeginDefaultGame(playerCount, true); }

void GameRules::BeginDefaultGame(int playerCount, bool playable) {
  InstallGame(DefaultGame(playerCount, FreshGrounds(Database())));
  rollAllowed_ = playable;
  if (!playable) actionsAllowed_ = false;
  Emit(EventFor(EventType::GameStarted, state_.CurrentPlayer));
}

void GameRules::StopMove() {
  // The roll that started the move is void, and with it any extra turn it earned.
  if (walking_ || state_.StepsLeft > 0) state_.ExtraTurn = false;
  walking_ = false;
  state_.StepsLeft = 0;
}

void GameRules::StartNewGame(const NewGameChoice& choice) {
  StopMove();
  GameState game = DefaultGame(choice.PlayerCount, FreshGrounds(Database()));
  for (std::size_t i = 0; i < game.Players.size(); ++i) {
    Player& p = game.Players[i];
    p.Name = choice.Seats[i].Name;
    p.Money = choice.Seats[i].Money;
    p.CPU = choice.Seats[i].CPU;
    p.Level = choice.Seats[i].Level;
  }
  if (game.Players.size() == 3) game.Players[2].Color = kRed;
  InstallGame(std::move(game));
  rollAllowed_ = true;
  actionsAllowed_ = true;
  Emit(EventFor(EventType::GameStarted, state_.CurrentPlayer));
}

void GameRules::LoadGame(GameState game) {
  StopMove();
  InstallGame(std::move(game));
  GameEvent event = EventFor(EventType::GameLoaded, state_.CurrentPlayer);
  if (state_.StepsLeft == 0) {
    rollAllowed_ = true;
    actionsAllowed_ = true;
  } else {
    // The saved move goes on: the board is in the middle of a walk, so Roll and the actions
    // stay off until it ends, as after a roll.
    event.Die1 = state_.Die1;
    event.Die2 = state_.Die2;
    event.DiceLayout = random_.Random(3);
    rollAllowed_ = false;
    actionsAllowed_ = false;
    walking_ = true;
  }
  Emit(event);
}

}  // namespace quillbury
