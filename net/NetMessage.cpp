#include "net/NetMessage.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cmath>
#include <limits>

namespace quillbury::net {

QString MakeMessage(const QString& type, QJsonObject fields) {
  fields.insert(QStringLiteral("v"), kProtocolVersion);
  fields.insert(QStringLiteral("type"), type);
  return QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact));
}

std::optional<QJsonObject> ReadMessage(const QString& text, QString* why) {
  auto refuse = [why](const QString& reason) -> std::optional<QJsonObject> {
    if (why != nullptr) *why = reason;
    return std::nullopt;
  };
  if (text.size() > kMaxMessageBytes) return refuse(QStringLiteral("message too large"));
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) {
    return refuse(QStringLiteral("not a JSON object"));
  }
  const QJsonObject object = doc.object();
  if (object.value(QStringLiteral("v")).toInt(-1) != kProtocolVersion) {
    return refuse(QStringLiteral("another protocol version"));
  }
  if (!object.value(QStringLiteral("type")).isString()) return refuse(QStringLiteral("no type"));
  return object;
}

namespace {

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
// A balance change is a sum of a few 32-bit amounts; JSON numbers hold whole numbers exactly up
// to 2^53.
constexpr double kChangeLimit = 9007199254740992.0;

struct IntField {
  const char* key;
  std::int32_t GameEvent::*member;
  std::int32_t min, max;
};

constexpr IntField kIntFields[] = {
    {"player", &GameEvent::Player, -1, kMaxPlayers - 1},
    {"other", &GameEvent::Other, -1, kMaxPlayers - 1},
    {"ground", &GameEvent::Ground, -1, kGroundCount - 1},
    {"square", &GameEvent::Square, 0, kSquareCount},
    {"amount", &GameEvent::Amount, kIntMin, kIntMax},
    {"received", &GameEvent::Received, kIntMin, kIntMax},
    {"die1", &GameEvent::Die1, 0, 6},
    {"die2", &GameEvent::Die2, 0, 6},
    {"layout", &GameEvent::DiceLayout, 0, 2},
    {"steps", &GameEvent::StepsLeft, 0, kIntMax},
    {"level", &GameEvent::Level, -1, 3},
    {"count", &GameEvent::Count, 0, kIntMax},
    {"sentence", &GameEvent::Sentence, 0, kIntMax},
    {"salary", &GameEvent::Salary, kIntMin, kIntMax},
    {"interest", &GameEvent::Interest, kIntMin, kIntMax},
    {"outcome", &GameEvent::Outcome, 0, 3},
};

struct BoolField {
  const char* key;
  bool GameEvent::*member;
};

constexpr BoolField kBoolFields[] = {
    {"forced", &GameEvent::Forced},
    {"automatic", &GameEvent::Automatic},
    {"extra", &GameEvent::Extra},
};

constexpr EventType kLastEventType = EventType::NobodyWon;

std::optional<double> WholeNumber(const QJsonValue& value, double min, double max) {
  if (!value.isDouble()) return std::nullopt;
  const double d = value.toDouble();
  if (!std::isfinite(d) || d != std::floor(d) || d < min || d > max) return std::nullopt;
  return d;
}

}  // namespace

QJsonObject EventToJson(const GameEvent& event) {
  static const GameEvent kDefaults;
  QJsonObject json{{QStringLiteral("event"), QString::fromLatin1(EventName(event.Type))}};
  for (const IntField& field : kIntFields) {
    if (event.*field.member != kDefaults.*field.member) {
      json.insert(QLatin1String(field.key), event.*field.member);
    }
  }
  for (const BoolField& field : kBoolFields) {
    if (event.*field.member) json.insert(QLatin1String(field.key), true);
  }
  if (event.Changes != kDefaults.Changes) {
    QJsonArray changes;
    for (const BalanceChange& change : event.Changes) {
      changes.append(
          QJsonArray{static_cast<double>(change.Money), static_cast<double>(change.Loan)});
    }
    json.insert(QStringLiteral("changes"), changes);
  }
  return json;
}

std::optional<GameEvent> EventFromJson(const QJsonObject& json) {
  GameEvent event;
  const QString name = json.value(QStringLiteral("event")).toString();
  bool known = false;
  for (int t = 0; t <= static_cast<int>(kLastEventType) && !known; ++t) {
    if (name == QLatin1String(EventName(static_cast<EventType>(t)))) {
      event.Type = static_cast<EventType>(t);
      known = true;
    }
  }
  if (!known) return std::nullopt;
  for (const IntField& field : kIntFields) {
    const QJsonValue value = json.value(QLatin1String(field.key));
    if (value.isUndefined()) continue;
    const auto number = WholeNumber(value, field.min, field.max);
    if (!number) return std::nullopt;
    event.*field.member = static_cast<std::int32_t>(*number);
  }
  for (const BoolField& field : kBoolFields) {
    const QJsonValue value = json.value(QLatin1String(field.key));
    if (value.isUndefined()) continue;
    if (!value.isBool()) return std::nullopt;
    event.*field.member = value.toBool();
  }
  const QJsonValue changes = json.value(QStringLiteral("changes"));
  if (!changes.isUndefined()) {
    const QJsonArray list = changes.toArray();
    if (!changes.isArray() || list.size() != kMaxPlayers) return std::nullopt;
    for (qsizetype p = 0; p < list.size(); ++p) {
      const QJsonArray pair = list.at(p).toArray();
      if (pair.size() != 2) return std::nullopt;
      const auto money = WholeNumber(pair.at(0), -kChangeLimit, kChangeLimit);
      const auto loan = WholeNumber(pair.at(1), -kChangeLimit, kChangeLimit);
      if (!money || !loan) return std::nullopt;
      event.Changes[static_cast<std::size_t>(p)] = {static_cast<std::int64_t>(*money),
                                                    static_cast<std::int64_t>(*loan)};
    }
  }
  return event;
}

namespace {

QString Fingerprint(const QString& text) {
  return QString::fromLatin1(
      QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

}  // namespace

QJsonObject StateFields(const QString& from, const QString& to) {
  const QStringList old = from.split(QLatin1Char('\n'));
  const QStringList now = to.split(QLatin1Char('\n'));
  QJsonObject whole{{QStringLiteral("state"), to}};
  if (from.isEmpty() || old.size() != now.size()) return whole;
  QJsonArray changed;
  qsizetype bytes = 0;
  for (qsizetype i = 0; i < now.size(); ++i) {
    if (old[i] == now[i]) continue;
    changed.append(QJsonArray{static_cast<double>(i), now[i]});
    bytes += now[i].size() + 8;
    if (bytes >= to.size()) return whole;
  }
  return {{QStringLiteral("patch"), changed},
          {QStringLiteral("size"), static_cast<double>(to.size())},
          {QStringLiteral("check"), Fingerprint(to)}};
}

std::optional<QString> StateFromFields(const QJsonObject& fields, const QString& held) {
  const QJsonValue whole = fields.value(QStringLiteral("state"));
  if (whole.isString()) return whole.toString();
  const QJsonValue patch = fields.value(QStringLiteral("patch"));
  if (!patch.isArray() || held.isEmpty()) return std::nullopt;
  QStringList lines = held.split(QLatin1Char('\n'));
  for (const QJsonValue& change : patch.toArray()) {
    const QJsonArray pair = change.toArray();
    const auto index = WholeNumber(pair.at(0), 0, static_cast<double>(lines.size() - 1));
    if (pair.size() != 2 || !index || !pair.at(1).isString()) return std::nullopt;
    lines[static_cast<qsizetype>(*index)] = pair.at(1).toString();
  }
  QString text = lines.join(QLatin1Char('\n'));
  if (text.size() != fields.value(QStringLiteral("size")).toInteger(-1) ||
      Fingerprint(text) != fields.value(QStringLiteral("check")).toString()) {
    return std::nullopt;
  }
  return text;
}

}  // namespace quillbury::net
