#include "net/GameClient.h"

#include <QTimer>

#include "core/GameRoutines.h"
#include "net/NetMessage.h"
#include "persistence/GameFile.h"

namespace quillbury::net {

GameClient::GameClient(Seat& decider, GroundList freshGrounds, QObject* parent)
    : QObject(parent), decider_(decider), freshGrounds_(std::move(freshGrounds)) {
  connect(&socket_, &QWebSocket::textMessageReceived, this, &GameClient::Receive);
  connect(&socket_, &QWebSocket::disconnected, this, [this] {
    if (!hostLeft_) emit Disconnected();
  });
  connect(&socket_, &QWebSocket::connected, this, [this] {
    QJsonObject join{{QStringLiteral("name"), name_}};
    if (token_.isEmpty()) {
      join.insert(QStringLiteral("code"), code_);
    } else {
      join.insert(QStringLiteral("token"), token_);
    }
    socket_.sendTextMessage(MakeMessage(QStringLiteral("join"), join));
  });
}

void GameClient::Join(const QUrl& url, const QString& code, const QString& name,
                      const QString& token) {
  code_ = code;
  name_ = name;
  token_ = token;
  seat_ = -1;
  hostLeft_ = false;
  confirmId_ = -1;
  socket_.open(url);
}

void GameClient::Roll() { socket_.sendTextMessage(MakeMessage(QStringLiteral("roll"))); }

void GameClient::Act(const QString& action) {
  socket_.sendTextMessage(
      MakeMessage(QStringLiteral("action"), {{QStringLiteral("action"), action}}));
}

bool GameClient::Confirm() {
  if (confirmId_ < 0) return false;
  Reply(confirmId_, true);
  confirmId_ = -1;
  return true;
}

void GameClient::Reply(const QJsonValue& id, const QJsonValue& value) {
  socket_.sendTextMessage(MakeMessage(
      QStringLiteral("answer"), {{QStringLiteral("id"), id}, {QStringLiteral("value"), value}}));
}

bool GameClient::TakeState(const QString& text) {
  // The host's state is a saved game; one that does not read is ignored, the last one kept.
  auto game = ParseGameText(text.toStdString(), freshGrounds_);
  if (!game) return false;
  state_ = std::move(*game);
  stateText_ = text;
  emit StateChanged();
  return true;
}

void GameClient::TakeEvent(const QJsonObject& message) {
  const bool stateless =
      !message.contains(QStringLiteral("state")) && !message.contains(QStringLiteral("patch"));
  if (!stateless) {
    // A patch that does not lead to the host's text means this program lost track: it asks
    // for the whole state, which comes as a message of its own.
    const auto text = StateFromFields(message, stateText_);
    if (!text || !TakeState(*text)) socket_.sendTextMessage(MakeMessage(QStringLiteral("sync")));
  }
  const auto event = EventFromJson(message);
  if (!event) return;
  // The steps that come without a state, applied as the host's rules did.
  const bool known = event->Player >= 0 && event->Player < state_.PlayerCount();
  if (event->Type == EventType::Rolled) {
    state_.Die1 = event->Die1;
    state_.Die2 = event->Die2;
    state_.StepsLeft = event->Die1 + event->Die2;
    if (event->Die1 == 6 && event->Die2 == 6) state_.ExtraTurn = true;
  } else if (event->Type == EventType::Moved && known) {
    state_.Players[static_cast<std::size_t>(event->Player)].CurrentPosition = event->Square;
    state_.StepsLeft = event->StepsLeft;
  }
  if (stateless && known && event->Ground >= 0 &&
      event->Ground < static_cast<int>(state_.Grounds.size())) {
    Ground& ground = state_.Grounds[static_cast<std::size_t>(event->Ground)];
    if (event->Type == EventType::Bought) {
      ground.Owner = event->Player;
    } else if (event->Type == EventType::Built) {
      ground.Owner = event->Player;
      ground.House = event->Level;
    }
  }
  if (stateless) {
    // Without a state, the host's state differs from its last one by the payments since,
    // which the events tell as the balances moved.
    for (std::size_t p = 0; p < state_.Players.size() && p < event->Changes.size(); ++p) {
      Player& player = state_.Players[p];
      player.Money = SatAdd(player.Money, event->Changes[p].Money);
      player.Loan = SatAdd(player.Loan, event->Changes[p].Loan);
    }
  }
  emit GameEventReceived(*event);
  emit EventReceived(message.value(QStringLiteral("event")).toString());
}

void GameClient::Answer(const QJsonObject& ask) {
  const QString question = ask.value(QStringLiteral("question")).toString();
  const QJsonValue id = ask.value(QStringLiteral("id"));
  if (question == QStringLiteral("confirm")) {
    confirmId_ = id.toInt(-1);
    emit MessageShown(ask.value(QStringLiteral("text")).toString(), true);
    if (autoConfirm_) Confirm();
    return;
  }
  QJsonValue value;
  if (question == QStringLiteral("buy")) {
    value = decider_.WantsToBuy(state_, seat_, ask.value(QStringLiteral("ground")).toInt());
  } else if (question == QStringLiteral("bribe")) {
    value = decider_.WantsToBribe(state_, seat_);
  } else {
    const int which = ask.value(QStringLiteral("which")).toInt(-1);
    // A question this program does not know stays unanswered rather than guessed at.
    if (question != QStringLiteral("number") || which < 0 ||
        which > static_cast<int>(NumberQuestion::BuildingsToSell)) {
      return;
    }
    std::optional<std::int32_t> suggested;
    if (ask.contains(QStringLiteral("suggested"))) {
      suggested = ask.value(QStringLiteral("suggested")).toInt();
    }
    const NumberAnswer a =
        decider_.ChooseNumber(static_cast<NumberQuestion>(which), state_, seat_, suggested);
    value = QJsonObject{{QStringLiteral("given"), static_cast<int>(a.Given)},
                        {QStringLiteral("value"), a.Value}};
  }
  Reply(id, value);
}

void GameClient::Receive(const QString& text) {
  const auto message = ReadMessage(text);
  if (!message) return;
  const QString type = message->value(QStringLiteral("type")).toString();
  if (type == QStringLiteral("welcome")) {
    seat_ = message->value(QStringLiteral("seat")).toInt(-1);
    token_ = message->value(QStringLiteral("token")).toString();
    TakeState(message->value(QStringLiteral("state")).toString());
    const bool paused = message->value(QStringLiteral("paused")).toBool();
    if (paused != hostPaused_) {
      hostPaused_ = paused;
      emit HostPaused(paused);
    }
    emit Welcomed();
  } else if (type == QStringLiteral("event")) {
    TakeEvent(*message);
  } else if (type == QStringLiteral("turn")) {
    if (message->value(QStringLiteral("player")).toInt(-1) == seat_) emit MyTurn();
  } else if (type == QStringLiteral("ask")) {
    // Answered after this message's handling: a person's dialog waits in its own loop, and
    // the connection delivers nothing more while one of its messages is being handled.
    QTimer::singleShot(0, this, [this, ask = *message] { Answer(ask); });
  } else if (type == QStringLiteral("state")) {
    TakeState(message->value(QStringLiteral("state")).toString());
  } else if (type == QStringLiteral("message")) {
    emit MessageShown(message->value(QStringLiteral("text")).toString(), false);
  } else if (type == QStringLiteral("paused")) {
    hostPaused_ = message->value(QStringLiteral("on")).toBool();
    emit HostPaused(hostPaused_);
  } else if (type == QStringLiteral("stand-in")) {
    emit StandInChanged(message->value(QStringLiteral("player")).toInt(-1),
                        message->value(QStringLiteral("on")).toBool());
  } else if (type == QStringLiteral("closing")) {
    TakeState(message->value(QStringLiteral("state")).toString());
    hostLeft_ = true;
    emit HostLeft();
  } else if (type == QStringLiteral("refused")) {
    ++refusals_;
    if (seat_ < 0) emit JoinRefused();
  }
}

}  // namespace quillbury::net
