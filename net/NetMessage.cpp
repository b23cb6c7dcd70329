#include "net/NetMessage.h"

#include <QJsonDocument>
#include <QJsonParseError>

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

}  // namespace quillbury::net
