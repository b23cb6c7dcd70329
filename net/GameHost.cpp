#include "net/GameHost.h"

#include <QRandomGenerator>
#include <QTimer>
#include <QWebSocket>

#include "net/NetMessage.h"
#include "persistence/GameFile.h"

namespace quillbury::net {
namespace {

// A peer that keeps sending what cannot be applied is let go.
constexpr int kStrikesBeforeDisconnect = 5;

QString RandomCode(int length) {
  static const char kLetters[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
  QString code;
  for (int i = 0; i < length; ++i) {
    code += QLatin1Char(
        kLetters[QRandomGenerator::system()->bounded(static_cast<int>(sizeof kLetters) - 1)]);
  }
  return code;
}

}  // namespace

void RemoteSeat::TakeTurn(GameRules& rules) {
  if (standIn) classic_.TakeTurn(rules);
}

bool RemoteSeat::WantsToBuy(const GameState&, int, int ground) {
  if (standIn) return true;
  const auto answer = host_.Ask(player_, {{QStringLiteral("question"), QStringLiteral("buy")},
                                          {QStringLiteral("ground"), ground}});
  return answer ? answer->toBool() : true;
}

bool RemoteSeat::WantsToBribe(const GameState&, int) {
  if (standIn) return false;
  const auto answer = host_.Ask(player_, {{QStringLiteral("question"), QStringLiteral("bribe")}});
  return answer ? answer->toBool() : false;
}

NumberAnswer RemoteSeat::ChooseNumber(NumberQuestion question, const GameState&, int,
                                      std::optional<std::int32_t> suggested) {
  QJsonObject ask{{QStringLiteral("question"), QStringLiteral("number")},
                  {QStringLiteral("which"), static_cast<int>(question)}};
  if (suggested) ask.insert(QStringLiteral("suggested"), *suggested);
  if (standIn) return NumberAnswer::Nothing();
  const auto answer = host_.Ask(player_, ask);
  if (!answer || !answer->isObject()) return NumberAnswer::Nothing();
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
      code_(RandomCode(6)) {
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
}

GameHost::~GameHost() {
  rules_.RemoveListener(*this);
  for (int p = 0; p < kMaxPlayers; ++p) {
    if (seats_[static_cast<std::size_t>(p)]) rules_.SetPlayerSeat(p, nullptr);
  }
  for (auto& [socket, peer] : peers_) {
    socket->disconnect(this);
    socket->close();
    socket->deleteLater();
  }
}

bool GameHost::Listen(quint16 port, QString* why) {
  if (tcp_.listen(QHostAddress::Any, port)) return true;
  if (why != nullptr) *why = tcp_.errorString();
  return false;
}

quint16 GameHost::Port() const { return tcp_.serverPort(); }

void GameHost::OpenSeat(int player) {
  if (player < 0 || player >= kMaxPlayers) return;
  auto& seat = seats_[static_cast<std::size_t>(player)];
  if (!seat) seat = std::make_unique<RemoteSeat>(*this, player);
  rules_.SetPlayerSeat(player, seat.get());
}

void GameHost::SetStandIn(int player, bool standIn) {
  if (player < 0 || player >= kMaxPlayers || !seats_[static_cast<std::size_t>(player)]) return;
  seats_[static_cast<std::size_t>(player)]->standIn = standIn;
  // Its player is told again when the seat is his once more.
  if (!standIn) toldTurn_ = ~std::uint64_t{0};
}

bool GameHost::StandIn(int player) const {
  return player >= 0 && player < kMaxPlayers && seats_[static_cast<std::size_t>(player)] &&
         seats_[static_cast<std::size_t>(player)]->standIn;
}

bool GameHost::SeatTaken(int player) const {
  return player >= 0 && player < kMaxPlayers &&
         seatSockets_[static_cast<std::size_t>(player)] != nullptr;
}

void GameHost::Accept() {
  while (QWebSocket* socket = server_.nextPendingConnection()) {
    peers_[socket] = Peer{socket, -1, 0};
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, socket](const QString& text) { Receive(socket, text); });
    connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket](const QByteArray&) {
      Refuse(socket, QStringLiteral("binary message"));
    });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] {
      const auto it = peers_.find(socket);
      if (it == peers_.end()) return;
      if (it->second.seat >= 0) seatSockets_[static_cast<std::size_t>(it->second.seat)] = nullptr;
      // A question waiting on the player who left is answered for him.
      if (waiting_ != nullptr && it->second.seat == waitingFor_) waiting_->quit();
      peers_.erase(it);
      socket->deleteLater();
    });
  }
}

void GameHost::Refuse(QWebSocket* socket, const QString& why) {
  ++refused_;
  auto it = peers_.find(socket);
  if (it == peers_.end()) return;
  socket->sendTextMessage(MakeMessage(QStringLiteral("refused"), {{QStringLiteral("why"), why}}));
  if (++it->second.strikes >= kStrikesBeforeDisconnect) socket->close();
}

void GameHost::Receive(QWebSocket* socket, const QString& text) {
  QString why;
  const auto message = ReadMessage(text, &why);
  if (!message) return Refuse(socket, why);
  Peer& peer = peers_[socket];
  const QString type = message->value(QStringLiteral("type")).toString();
  if (type == QStringLiteral("join")) {
    if (peer.seat >= 0) return Refuse(socket, QStringLiteral("already seated"));
    const QString token = message->value(QStringLiteral("token")).toString();
    int seat = -1;
    if (!token.isEmpty()) {
      for (int p = 0; p < kMaxPlayers; ++p) {
        if (tokens_[static_cast<std::size_t>(p)] == token && !SeatTaken(p)) seat = p;
      }
    } else if (message->value(QStringLiteral("code")).toString() == code_) {
      for (int p = 0; p < kMaxPlayers && seat < 0; ++p) {
        if (seats_[static_cast<std::size_t>(p)] && tokens_[static_cast<std::size_t>(p)].isEmpty()) {
          seat = p;
        }
      }
    }
    // A wrong code and a full game look alike from outside.
    if (seat < 0) return Refuse(socket, QStringLiteral("cannot join"));
    peer.seat = seat;
    seatSockets_[static_cast<std::size_t>(seat)] = socket;
    QString& seatToken = tokens_[static_cast<std::size_t>(seat)];
    if (seatToken.isEmpty()) seatToken = RandomCode(24);
    socket->sendTextMessage(
        MakeMessage(QStringLiteral("welcome"), {{QStringLiteral("seat"), seat},
                                                {QStringLiteral("token"), seatToken},
                                                {QStringLiteral("state"), StateText()}}));
    emit SeatJoined(seat, message->value(QStringLiteral("name")).toString());
    toldTurn_ = ~std::uint64_t{0};
    return;
  }
  if (peer.seat < 0) return Refuse(socket, QStringLiteral("not seated"));
  if (type == QStringLiteral("answer")) {
    if (waiting_ == nullptr || peer.seat != waitingFor_ ||
        message->value(QStringLiteral("id")).toInt(-1) != nextAsk_) {
      return Refuse(socket, QStringLiteral("no such question"));
    }
    answer_ = message->value(QStringLiteral("value"));
    waiting_->quit();
    return;
  }
  if (type == QStringLiteral("roll")) {
    if (rules_.State().CurrentPlayer != peer.seat || !rules_.RollAllowed() || waiting_ != nullptr ||
        StandIn(peer.seat)) {
      return Refuse(socket, QStringLiteral("not your turn"));
    }
    // Run after this message's handling: a roll or an action may wait for answers that come
    // over the same connection, which does not deliver while one of its messages is handled.
    const int seat = peer.seat;
    QTimer::singleShot(0, this, [this, seat] {
      if (rules_.State().CurrentPlayer == seat) rules_.Roll();
    });
    return;
  }
  if (type == QStringLiteral("action")) {
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
        !rules_.RollAllowed() || waiting_ != nullptr || StandIn(peer.seat)) {
      return Refuse(socket, QStringLiteral("not your turn"));
    }
    const auto run = action->second;
    const int seat = peer.seat;
    QTimer::singleShot(0, this, [this, run, seat] {
      // Still his turn: nothing else may have run in between, but a game may have been replaced.
      if (rules_.State().CurrentPlayer == seat && rules_.RollAllowed()) run(rules_);
    });
    return;
  }
  Refuse(socket, QStringLiteral("unknown message"));
}

std::optional<QJsonValue> GameHost::Ask(int player, QJsonObject question) {
  if (!SeatTaken(player) || waiting_ != nullptr) return std::nullopt;
  question.insert(QStringLiteral("id"), ++nextAsk_);
  answer_.reset();
  waitingFor_ = player;
  Send(player, MakeMessage(QStringLiteral("ask"), question));
  QEventLoop loop;
  waiting_ = &loop;
  QTimer::singleShot(answerTimeoutMs_, &loop, &QEventLoop::quit);
  loop.exec();
  waiting_ = nullptr;
  waitingFor_ = -1;
  return answer_;
}

void GameHost::Poll() {
  const int current = rules_.State().CurrentPlayer;
  const std::uint64_t turn = rules_.Take().Turn;
  if (!rules_.RollAllowed() || !SeatTaken(current) || StandIn(current) || turn == toldTurn_) {
    return;
  }
  toldTurn_ = turn;
  Send(current, MakeMessage(QStringLiteral("turn"), {{QStringLiteral("player"), current}}));
}

QString GameHost::StateText() const {
  return QString::fromStdString(BuildGameText(rules_.State()));
}

void GameHost::Send(int seat, const QString& message) {
  if (QWebSocket* socket = seatSockets_[static_cast<std::size_t>(seat)]) {
    bytesSent_ += socket->sendTextMessage(message);
  }
}

void GameHost::Broadcast(const QString& message) {
  for (QWebSocket* socket : seatSockets_) {
    if (socket != nullptr) bytesSent_ += socket->sendTextMessage(message);
  }
}

void GameHost::OnGameEvent(const GameEvent& event) {
  QJsonObject fields{{QStringLiteral("event"), QString::fromLatin1(EventName(event.Type))},
                     {QStringLiteral("player"), event.Player}};
  // The whole state where it settles a turn; the steps between need only their name.
  switch (event.Type) {
    case EventType::GameStarted:
    case EventType::GameLoaded:
    case EventType::TurnPassed:
    case EventType::PlayerOut:
    case EventType::GameWon:
    case EventType::NobodyWon:
      fields.insert(QStringLiteral("state"), StateText());
      break;
    default:
      break;
  }
  Broadcast(MakeMessage(QStringLiteral("event"), fields));
}

}  // namespace quillbury::net
