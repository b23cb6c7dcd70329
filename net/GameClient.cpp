#include "net/GameClient.h"

#include <QJsonObject>

#include "net/NetMessage.h"
#include "persistence/GameFile.h"

namespace quillbury::net {

GameClient::GameClient(Seat& decider, GroundList freshGrounds, QObject* parent)
    : QObject(parent), decider_(decider), freshGrounds_(std::move(freshGrounds)) {
  connect(&socket_, &QWebSocket::textMessageReceived, this, &GameClient::Receive);
  connect(&socket_, &QWebSocket::disconnected, this, &GameClient::Disconnected);
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
  socket_.open(url);
}

void GameClient::Roll() { socket_.sendTextMessage(MakeMessage(QStringLiteral("roll"))); }

void GameClient::Act(const QString& action) {
  socket_.sendTextMessage(
      MakeMessage(QStringLiteral("action"), {{QStringLiteral("action"), action}}));
}

void GameClient::TakeState(const QString& text) {
  // The host's state is a saved game; one that does not read is ignored, the last one kept.
  if (auto game = ParseGameText(text.toStdString(), freshGrounds_)) {
    state_ = std::move(*game);
    stateText_ = text;
    emit StateChanged();
  }
}

void GameClient::Receive(const QString& text) {
  const auto message = ReadMessage(text);
  if (!message) return;
  const QString type = message->value(QStringLiteral("type")).toString();
  if (type == QStringLiteral("welcome")) {
    seat_ = message->value(QStringLiteral("seat")).toInt(-1);
    token_ = message->value(QStringLiteral("token")).toString();
    TakeState(message->value(QStringLiteral("state")).toString());
    emit Welcomed();
  } else if (type == QStringLiteral("event")) {
    if (message->contains(QStringLiteral("state"))) {
      TakeState(message->value(QStringLiteral("state")).toString());
    }
    emit EventReceived(message->value(QStringLiteral("event")).toString());
  } else if (type == QStringLiteral("turn")) {
    if (message->value(QStringLiteral("player")).toInt(-1) == seat_) emit MyTurn();
  } else if (type == QStringLiteral("ask")) {
    const QString question = message->value(QStringLiteral("question")).toString();
    QJsonValue value;
    if (question == QStringLiteral("buy")) {
      value = decider_.WantsToBuy(state_, seat_, message->value(QStringLiteral("ground")).toInt());
    } else if (question == QStringLiteral("bribe")) {
      value = decider_.WantsToBribe(state_, seat_);
    } else {
      std::optional<std::int32_t> suggested;
      if (message->contains(QStringLiteral("suggested"))) {
        suggested = message->value(QStringLiteral("suggested")).toInt();
      }
      const NumberAnswer a = decider_.ChooseNumber(
          static_cast<NumberQuestion>(message->value(QStringLiteral("which")).toInt()), state_,
          seat_, suggested);
      value = QJsonObject{{QStringLiteral("given"), static_cast<int>(a.Given)},
                          {QStringLiteral("value"), a.Value}};
    }
    socket_.sendTextMessage(MakeMessage(
        QStringLiteral("answer"), {{QStringLiteral("id"), message->value(QStringLiteral("id"))},
                                   {QStringLiteral("value"), value}}));
  } else if (type == QStringLiteral("refused")) {
    ++refusals_;
  }
}

}  // namespace quillbury::net
