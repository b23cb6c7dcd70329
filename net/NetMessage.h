#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

#include "core/GameEvent.h"

namespace quillbury::net {

// Every message between a host and the programs that joined it is one JSON object on a
// WebSocket text frame, with the protocol's version and a type.
inline constexpr int kProtocolVersion = 1;
// The largest message either side accepts; a whole saved game is a few kilobytes.
inline constexpr qsizetype kMaxMessageBytes = 256 * 1024;

// The message as text: fields plus "v" and "type".
QString MakeMessage(const QString& type, QJsonObject fields = {});

// The message's fields, or empty with the reason in *why when the text is too large, not a JSON
// object, of another version or without a type.
std::optional<QJsonObject> ReadMessage(const QString& text, QString* why = nullptr);

// An event of the host's game as the joined programs receive it. Fields at their default are
// left out, so a step of a walk costs a few bytes.
QJsonObject EventToJson(const GameEvent& event);
// The event, or empty when its type is unknown or a field is not a whole number in its range.
std::optional<GameEvent> EventFromJson(const QJsonObject& json);

// The fields that take a program holding the state text from to the text to: the lines that
// changed, with the new text's length and fingerprint, or the whole text where that is shorter
// or the lines do not match up.
QJsonObject StateFields(const QString& from, const QString& to);
// The state text those fields describe, given the text the receiver holds; empty when the
// fields are neither, or the patch does not lead to the text the sender had.
std::optional<QString> StateFromFields(const QJsonObject& fields, const QString& held);

}  // namespace quillbury::net
