#include "net/Invite.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <cstring>

namespace quillbury::net {
namespace {

const QString kScheme = QStringLiteral("quillbury://");

// A host name as DNS allows it: dot-separated labels of letters, digits and inner hyphens.
bool IsHostName(const QString& host) {
  static const QRegularExpression kName(
      QStringLiteral("^(?=.{1,253}$)[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?"
                     "(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*$"));
  return kName.match(host).hasMatch();
}

bool IsCode(const QString& code) {
  if (code.size() != kInviteCodeLength) return false;
  for (const QChar c : code) {
    if (c.unicode() == 0 || c.unicode() > 127 ||
        std::strchr(kInviteLetters, c.toLatin1()) == nullptr)
      return false;
  }
  return true;
}

QString HostPart(const QString& host) {
  return host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
}

}  // namespace

QString InviteText(const Invite& invite) {
  return kScheme + HostPart(invite.host) + QLatin1Char(':') + QString::number(invite.port) +
         QLatin1Char('/') + invite.code;
}

std::optional<Invite> ParseInvite(const QString& text) {
  if (text.size() > kMaxInviteLength) return std::nullopt;
  QString rest = text.trimmed();
  for (const QChar c : rest) {
    if (c.category() == QChar::Other_Control || c.isSpace()) return std::nullopt;
  }
  if (rest.startsWith(kScheme, Qt::CaseInsensitive)) rest = rest.mid(kScheme.size());

  Invite invite;
  qsizetype portStart = 0;
  if (rest.startsWith(QLatin1Char('['))) {
    const qsizetype close = rest.indexOf(QLatin1Char(']'));
    if (close < 0) return std::nullopt;
    invite.host = rest.mid(1, close - 1);
    QHostAddress address;
    if (!address.setAddress(invite.host) || address.protocol() != QAbstractSocket::IPv6Protocol) {
      return std::nullopt;
    }
    if (rest.mid(close + 1, 1) != QStringLiteral(":")) return std::nullopt;
    portStart = close + 2;
  } else {
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    if (colon < 0) return std::nullopt;
    invite.host = rest.left(colon);
    if (!IsHostName(invite.host)) return std::nullopt;
    portStart = colon + 1;
  }
  const qsizetype slash = rest.indexOf(QLatin1Char('/'), portStart);
  if (slash < 0) return std::nullopt;
  const QString port = rest.mid(portStart, slash - portStart);
  static const QRegularExpression kDigits(QStringLiteral("^[0-9]{1,5}$"));
  if (!kDigits.match(port).hasMatch()) return std::nullopt;
  const int number = port.toInt();
  if (number < 1 || number > 65535) return std::nullopt;
  invite.port = static_cast<quint16>(number);
  invite.code = rest.mid(slash + 1).toUpper();
  if (!IsCode(invite.code)) return std::nullopt;
  return invite;
}

QUrl InviteUrl(const Invite& invite) {
  QUrl url;
  url.setScheme(QStringLiteral("ws"));
  url.setHost(invite.host);
  url.setPort(invite.port);
  return url;
}

QString LocalAddress() {
  for (const QNetworkInterface& face : QNetworkInterface::allInterfaces()) {
    const auto flags = face.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
        flags.testFlag(QNetworkInterface::IsLoopBack)) {
      continue;
    }
    for (const QNetworkAddressEntry& entry : face.addressEntries()) {
      const QHostAddress ip = entry.ip();
      if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback()) {
        return ip.toString();
      }
    }
  }
  return QStringLiteral("127.0.0.1");
}

}  // namespace quillbury::net
