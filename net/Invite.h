#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace quillbury::net {

// The letters of an invite code: no 0/O or 1/I, so a code read out loud or copied by hand
// arrives as it was given.
inline constexpr char kInviteLetters[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
inline constexpr int kInviteCodeLength = 6;
inline constexpr quint16 kDefaultPort = 4747;
// Longer than any address, port and code together; what is longer is not an invite.
inline constexpr qsizetype kMaxInviteLength = 300;

// What a host passes on to the players who join: where to connect and the code that lets in.
struct Invite {
  QString host;
  quint16 port = kDefaultPort;
  QString code;
  bool operator==(const Invite&) const = default;
};

// "quillbury://HOST:PORT/CODE", an IPv6 host in brackets.
QString InviteText(const Invite& invite);
// Reads that text, or "HOST:PORT/CODE", with spaces around; empty for anything else. The code
// is taken in capitals, as a code typed in small letters means the same one.
std::optional<Invite> ParseInvite(const QString& text);
// The WebSocket address to connect to.
QUrl InviteUrl(const Invite& invite);
// The first IPv4 address of this machine on an interface that is up and not the loopback,
// else 127.0.0.1: what players on the same network connect to.
QString LocalAddress();

}  // namespace quillbury::net
