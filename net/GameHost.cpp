#include "net/GameHost.h"

#include "core/PersonSeat.h"

#include <QRandomGenerator>
#include <QWebSocket>

#include "net/Invite.h"
#include "net/NetMessage.h"
#include "persistence/GameFile.h"

namespace quillbury::net {
namespace {

// A peer that keeps sending what cannot be applied is let go.
constexpr int kStrikesBeforeDisconnect = 5;
constexpr int kTokenLength = 24;

QString RandomCode(int length) {
  QString code;
  for (int i = 0; i < length; ++i) {
    code += QLatin1Char(kInviteLetters[QRandomGenerator::system()->bounded(
        static_cast<int>(sizeof kInviteLetters) - 1)]);
  }
  return code;
}

// Steps the joined programs follow by themselves (dice, token positions, purchases, buildings,
// payments told by their balance changes), so they carry no state; every other event carries the
// state when it changed. Passing the start square moves the token and the steps left in ways the
// event does not tell.
bool AppliedByTheJoined(EventType type) {
  switch (type) {
    case EventType::Rolled:
    case EventType::Moved:
    case EventType::WalkEnded:
    case EventType::Bought:
    case EventType::Built:
    case EventType::RentPaid:
    case EventType::Chance:
    case EventType::MayorBonus:
    case EventType::BillPaid:
    case EventType::BribePaid:
    case EventType::Robbed:
    case EventType::LoanTaken:
    case EventType::LoanRepaid:
      return true;
    default:
      return false;
  }
}

}  // namespace

void RemoteSeat::TakeTurn(GameRules& rules) {
  if (standIn) classic_.TakeTurn(rules);
}

bool RemoteSeat::WantsToBuy(const GameState& game, int player, int ground) {
  const auto answer = host_.Ask(player_, {{QStringLiteral("question"), QStringLiteral("buy")},
                                          {QStringLiteral("ground"), ground}});
  return answer ? answer->toBool() : classic_.WantsToBuy(game, player, ground);
}

bool RemoteSeat::WantsToBribe(const GameState& game, int player) {
  const auto answer = host_.Ask(player_, {{QStringLiteral("question"), QStringLiteral("bribe")}});
  return answer ? answer->toBool() : classic_.WantsToBribe(game, player);
}

NumberAnswer RemoteSeat::ChooseNumber(NumberQuestion question, const GameState& game, int player,
                                      std::optional<std::int32_t> suggested) {
  QJsonObject ask{{QStringLiteral("question"), QStringLiteral("number")},
                  {QStringLiteral("which"), static_cast<int>(question)}};
  if (suggested) ask.insert(QStringLiteral("suggested"), *suggested);
  const auto answer = host_.Ask(player_, ask);
  if (!answer) return classic_.ChooseNumber(question, game, player, suggested);
  if (!answer->isObject()) return NumberAnswer::Nothing();
  const QJsonObject a = answer->toObject();
  const int given = a.value(QStringLiteral("given")).toInt(0);
  if (given == static_cast<int>(NumberAnswer::Kind::Number)) {
    return NumberAnswer::Of(a.value(QStringLiteral("value")).toInt(0));
  }
  if (given == static_cast<int>(NumberAnswer::Kind::NotANumber)) {
    return {NumberAnswer::Kind::NotANumber, 0};
  }
  return NumberAnswer::Nothing();
}

GameHost::GameHost(GameRules& rules, QObject* parent)
    : QObject(parent),
      rules_(rules),
      server_(QStringLiteral("Quillbury"), QWebSocketServer::NonSecureMode),
      code_(RandomCode(kInviteCodeLength)) {
  rules_.AddListener(*this);
  connect(&server_, &QWebSocketServer::newConnection, this, &GameHost::Accept);
  // Our own listener, so that every connection sends its small messages at once: with Nagle's
  // delay a question could wait for the acknowledgement of the message before it.
  connect(&tcp_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = tcp_.nextPendingConnection()) {
      socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
      server_.handleConnection(socket);
    }
  });
  offerTimer_.setSingleShot(true);
  // Never before the time the host was shown counting down.
  offerTimer_.setTimerType(Qt::PreciseTimer);
  connect(&offerTimer_, &QTimer::timeout, this, [this] {
    if (waitingFor_ >= 0) emit StandInOfferReady(waitingFor_);
  });
}

GameHost::~GameHost() {
  Close();
  rules_.RemoveListener(*this);
  for (int p = 0; p < kMaxPlayers; ++p) {
    if (seats_[static_cast<std::size_t>(p)]) rules_.SetPlayerSeat(p, nullptr);
  }
}

bool GameHost::Listen(quint16 port, QString* why) {
  if (tcp_.listen(QHostAddress::Any, port)) return true;
  if (why != nullptr) *why = tcp_.errorString();
  return false;
}

quint16 GameHost::Port() const { return tcp_.serverPort(); }

RemoteSeat* GameHost::SeatOf(int player) const {
  if (player < 0 || player >= kMaxPlayers) return nullptr;
  return seats_[static_cast<std::size_t>(player)].get();
}

void GameHost::OpenSeat(int player) {
  if (player < 0 || player >= kMaxPlayers) return;
  auto& seat = seats_[static_cast<std::size_t>(player)];
  if (!seat) seat = std::make_unique<RemoteSeat>(*this, player);
  rules_.SetPlayerSeat(player, seat.get());
}

bool GameHost::IsNetworkSeat(int player) const { return SeatOf(player) != nullptr; }

bool GameHost::SeatTaken(int player) const {
  return player >= 0 && player < kMaxPlayers &&
         seatSockets_[static_cast<std::size_t>(player)] != nullptr;
}

void GameHost::SetStandIn(int player, bool standIn) {
  RemoteSeat* seat = SeatOf(player);
  if (seat == nullptr || seat->standIn == standIn) return;
  seat->standIn = standIn;
  Broadcast(MakeMessage(QStringLiteral("stand-in"),
                        {{QStringLiteral("player"), player}, {QStringLiteral("on"), standIn}}));
  if (standIn && pending_ != nullptr && pending_->player == player) {
    // The computer answers the question now; an answer that still comes is refused.
    pending_->answer.reset();
    pending_->loop->quit();
  }
  // Its player is told again when the seat is his once more.
  if (!standIn) toldTurn_ = ~std::uint64_t{0};
  UpdateWaiting();
}

bool GameHost::StandIn(int player) const {
  const RemoteSeat* seat = SeatOf(player);
  return seat != nullptr && seat->standIn;
}

bool GameHost::StandInOffered(int player) const {
  if (!PlayedFromAfar(player)) return false;
  return !SeatTaken(player) || (waitingFor_ == player && WaitedMs() >= offerAfterMs_);
}

void GameHost::UpdateWaiting() {
  int now = -1;
  if (closed_) {
    now = -1;
  } else if (pending_ != nullptr) {
    now = pending_->player;
  } else {
    const GameState& game = rules_.State();
    const int current = game.CurrentPlayer;
    if (rules_.RollAllowed() && PlayedFromAfar(current) && current < game.PlayerCount() &&
        game.Players[static_cast<std::size_t>(current)].Playing) {
      now = current;
    }
  }
  if (now == waitingFor_) return;
  waitingFor_ = now;
  waitClock_.start();
  offerTimer_.stop();
  if (now >= 0) offerTimer_.start(offerAfterMs_);
  emit WaitingChanged(now);
  if (now >= 0 && !SeatTaken(now)) emit StandInOfferReady(now);
}

void GameHost::SetPaused(bool paused) {
  if (paused_ == paused) return;
  paused_ = paused;
  Broadcast(MakeMessage(QStringLiteral("paused"), {{QStringLiteral("on"), paused}}));
}

void GameHost::Close() {
  if (closed_) return;
  closed_ = true;
  Broadcast(MakeMessage(QStringLiteral("closing"), {{QStringLiteral("state"), StateText()}}));
  for (auto& [socket, peer] : peers_) {
    socket->disconnect(this);
    socket->flush();
    socket->close();
    socket->deleteLater();
  }
  peers_.clear();
  seatSockets_.fill(nullptr);
  tcp_.close();
  // A question still waiting is answered by the computer; nobody can answer it any more.
  if (pending_ != nullptr) pending_->loop->quit();
  UpdateWaiting();
}

void GameHost::Accept() {
  while (QWebSocket* socket = server_.nextPendingConnection()) {
    if (closed_) {
      socket->close();
      socket->deleteLater();
      continue;
    }
    peers_[socket] = Peer{socket, -1, 0};
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, socket](const QString& text) { Receive(socket, text); });
    connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket](const QByteArray&) {
      Refuse(socket, QStringLiteral("binary message"));
    });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { Dropped(socket); });
  }
}

void GameHost::Dropped(QWebSocket* socket) {
  const auto it = peers_.find(socket);
  if (it == peers_.end()) return;
  const int seat = it->second.seat;
  peers_.erase(it);
  socket->deleteLater();
  if (seat < 0) return;
  // The seat stays his, and a question waiting for him waits for his return or the host.
  seatSockets_[static_cast<std::size_t>(seat)] = nullptr;
  emit SeatConnectionChanged(seat, false);
  if (waitingFor_ == seat) emit StandInOfferReady(seat);
}

void GameHost::Refuse(QWebSocket* socket, const QString& why) {
  ++refused_;
  auto it = peers_.find(socket);
  if (it == peers_.end()) return;
  socket->sendTextMessage(MakeMessage(QStringLiteral("refused"), {{QStringLiteral("why"), why}}));
  if (++it->second.strikes >= kStrikesBeforeDisconnect) socket->close();
}

void GameHost::Join(QWebSocket* socket, Peer& peer, const QJsonObject& message) {
  if (peer.seat >= 0) return Refuse(socket, QStringLiteral("already seated"));
  // The name is shown on the host's screen and may end up in a saved game.
  if (message.value(QStringLiteral("name")).toString().toUtf8().size() >
      static_cast<qsizetype>(kMaxGameTextBytes)) {
    return Refuse(socket, QStringLiteral("name too long"));
  }
  const QString token = message.value(QStringLiteral("token")).toString();
  int seat = -1;
  if (!token.isEmpty()) {
    for (int p = 0; p < kMaxPlayers; ++p) {
      if (tokens_[static_cast<std::size_t>(p)] == token && !SeatTaken(p)) seat = p;
    }
  } else if (message.value(QStringLiteral("code")).toString() == code_) {
    for (int p = 0; p < kMaxPlayers && seat < 0; ++p) {
      if (IsNetworkSeat(p) && tokens_[static_cast<std::size_t>(p)].isEmpty()) seat = p;
    }
  }
  // A wrong code and a full game look alike from outside.
  if (seat < 0) return Refuse(socket, QStringLiteral("cannot join"));
  peer.seat = seat;
  seatSockets_[static_cast<std::size_t>(seat)] = socket;
  QString& seatToken = tokens_[static_cast<std::size_t>(seat)];
  if (seatToken.isEmpty()) seatToken = RandomCode(kTokenLength);
  QString& held = sentState_[static_cast<std::size_t>(seat)];
  held = StateText();
  bytesSent_ += socket->sendTextMessage(
      MakeMessage(QStringLiteral("welcome"), {{QStringLiteral("seat"), seat},
                                              {QStringLiteral("token"), seatToken},
                                              {QStringLiteral("paused"), paused_},
                                              {QStringLiteral("state"), held}}));
  emit SeatJoined(seat, message.value(QStringLiteral("name")).toString());
  emit SeatConnectionChanged(seat, true);
  // A returning player takes his seat back and gets the question he left unanswered.
  SetStandIn(seat, false);
  if (pending_ != nullptr && pending_->player == seat) Send(seat, pending_->message);
  toldTurn_ = ~std::uint64_t{0};
}

void GameHost::Receive(QWebSocket* socket, const QString& text) {
  QString why;
  const auto message = ReadMessage(text, &why);
  if (!message) return Refuse(socket, why);
  Peer& peer = peers_[socket];
  const QString type = message->value(QStringLiteral("type")).toString();
  if (type == QStringLiteral("join")) return Join(socket, peer, *message);
  if (peer.seat < 0) return Refuse(socket, QStringLiteral("not seated"));
  if (type == QStringLiteral("sync")) {
    // The joined program lost track of the state: the whole text again.
    QString& held = sentState_[static_cast<std::size_t>(peer.seat)];
    held = StateText();
    Send(peer.seat, MakeMessage(QStringLiteral("state"), {{QStringLiteral("state"), held}}));
    return;
  }
  static const QStringList kSeatMessages = {QStringLiteral("answer"), QStringLiteral("roll"),
                                            QStringLiteral("action")};
  if (!kSeatMessages.contains(type)) return Refuse(socket, QStringLiteral("unknown message"));
  // He is there again: the seat is his (a late answer to a question taken over stays refused).
  SetStandIn(peer.seat, false);
  if (type == QStringLiteral("answer")) {
    if (pending_ == nullptr || peer.seat != pending_->player ||
        message->value(QStringLiteral("id")).toInt(-1) != pending_->id) {
      return Refuse(socket, QStringLiteral("no such question"));
    }
    pending_->answer = message->value(QStringLiteral("value"));
    pending_->loop->quit();
    return;
  }
  // While the host's window outside the game is open, the game waits for everybody.
  if (paused_ && type != QStringLiteral("answer")) return Refuse(socket, QStringLiteral("paused"));
  if (type == QStringLiteral("roll")) {
    if (rules_.State().CurrentPlayer != peer.seat || !rules_.RollAllowed() || pending_ != nullptr) {
      return Refuse(socket, QStringLiteral("not your turn"));
    }
    // Run after this message's handling: a roll or an action may wait for answers that come
    // over the same connection, which does not deliver while one of its messages is handled.
    const int seat = peer.seat;
    QTimer::singleShot(0, this, [this, seat] {
      if (rules_.State().CurrentPlayer == seat && rules_.RollAllowed()) rules_.Roll();
    });
    return;
  }
  // A finance action, for the player's own turn between moves; its numbers are asked back.
  using Action = void (*)(GameRules&);
  static const std::map<QString, Action> kActions = {
      {QStringLiteral("loan"), [](GameRules& r) { r.TakeLoan(); }},
      {QStringLiteral("repay"), [](GameRules& r) { r.RepayLoan(); }},
      {QStringLiteral("buy-company"), [](GameRules& r) { r.BuyGroundFromPlayer(); }},
      {QStringLiteral("build"), [](GameRules& r) { r.Build(); }},
      {QStringLiteral("sell-company"), [](GameRules& r) { r.SellCompany(); }},
      {QStringLiteral("sell-building"), [](GameRules& r) { r.SellBuilding(); }}};
  const auto action = kActions.find(message->value(QStringLiteral("action")).toString());
  if (action == kActions.end()) return Refuse(socket, QStringLiteral("unknown action"));
  if (rules_.State().CurrentPlayer != peer.seat || !rules_.ActionsAllowed() ||
      !rules_.RollAllowed() || pending_ != nullptr) {
    return Refuse(socket, QStringLiteral("not your turn"));
  }
  const auto run = action->second;
  const int seat = peer.seat;
  QTimer::singleShot(0, this, [this, run, seat] {
    // Still his turn: nothing else may have run in between, but a game may have been replaced.
    if (rules_.State().CurrentPlayer == seat && rules_.RollAllowed()) run(rules_);
  });
}

std::optional<QJsonValue> GameHost::Ask(int player, QJsonObject question) {
  if (closed_ || !PlayedFromAfar(player) || pending_ != nullptr) return std::nullopt;
  QEventLoop loop;
  PendingAsk pending;
  pending.player = player;
  pending.id = ++nextAsk_;
  pending.loop = &loop;
  question.insert(QStringLiteral("id"), pending.id);
  pending.message = MakeMessage(QStringLiteral("ask"), question);
  pending_ = &pending;
  Send(player, pending.message);
  UpdateWaiting();
  if (answerTimeoutMs_ >= 0) QTimer::singleShot(answerTimeoutMs_, &loop, &QEventLoop::quit);
  loop.exec();
  pending_ = nullptr;
  UpdateWaiting();
  return pending.answer;
}

bool GameHost::Confirm(int player, const QString& text) {
  return Ask(player, {{QStringLiteral("question"), QStringLiteral("confirm")},
                      {QStringLiteral("text"), text}})
      .has_value();
}

void GameHost::Tell(int player, const QString& text) {
  if (PlayedFromAfar(player)) {
    Send(player, MakeMessage(QStringLiteral("message"), {{QStringLiteral("text"), text}}));
  }
}

void RemoteSeat::Refused(Refusal why, const GameState&, int, int ground) {
  // The reason goes to the player's own screen, as a person at the host's screen is told.
  host_.Tell(player_, QString::fromStdString(
                          RefusalText(why, ground, host_.Rules().Settings().LanguageFile)));
}

void GameHost::ShowToAll(const QString& text, int except) {
  Broadcast(MakeMessage(QStringLiteral("message"), {{QStringLiteral("text"), text}}), except);
}

void GameHost::Poll() {
  UpdateWaiting();
  const int current = rules_.State().CurrentPlayer;
  const std::uint64_t turn = rules_.Take().Turn;
  if (closed_ || !rules_.RollAllowed() || !SeatTaken(current) || StandIn(current) ||
      turn == toldTurn_) {
    return;
  }
  toldTurn_ = turn;
  Send(current, MakeMessage(QStringLiteral("turn"), {{QStringLiteral("player"), current}}));
}

QString GameHost::StateText() const {
  return QString::fromStdString(BuildGameText(rules_.State()));
}

void GameHost::Send(int seat, const QString& message) {
  QWebSocket* socket = seatSockets_[static_cast<std::size_t>(seat)];
  // A connection closing from the other side is dropped once its end arrives.
  if (socket != nullptr && socket->state() == QAbstractSocket::ConnectedState) {
    bytesSent_ += socket->sendTextMessage(message);
  }
}

void GameHost::Broadcast(const QString& message, int except) {
  for (int p = 0; p < kMaxPlayers; ++p) {
    if (p != except) Send(p, message);
  }
}

void GameHost::OnGameEvent(const GameEvent& event) {
  const QJsonObject fields = EventToJson(event);
  const bool withState = !AppliedByTheJoined(event.Type);
  const QString state = withState ? StateText() : QString();
  for (int p = 0; p < kMaxPlayers; ++p) {
    if (!SeatTaken(p)) continue;
    QJsonObject message = fields;
    QString& held = sentState_[static_cast<std::size_t>(p)];
    if (withState && state != held) {
      const QJsonObject change = StateFields(held, state);
      for (auto it = change.begin(); it != change.end(); ++it) message.insert(it.key(), it.value());
      held = state;
    }
    Send(p, MakeMessage(QStringLiteral("event"), message));
  }
  UpdateWaiting();
}

}  // namespace quillbury::net
