// The events and invites as they travel between programs: what one side writes the other reads
// back unchanged, and what no host would send is refused.
#include <gtest/gtest.h>

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <limits>

#include "net/Invite.h"
#include "net/NetMessage.h"

namespace quillbury::net {
namespace {

GameEvent Event(EventType type) {
  GameEvent e;
  e.Type = type;
  e.Player = 1;
  return e;
}

TEST(EventJson, EveryKindOfEventComesBackWithEveryField) {
  std::vector<GameEvent> events;
  for (int t = 0; t <= static_cast<int>(EventType::NobodyWon); ++t) {
    events.push_back(Event(static_cast<EventType>(t)));
  }
  GameEvent rolled = Event(EventType::Rolled);
  rolled.Die1 = 6, rolled.Die2 = 6, rolled.DiceLayout = 2;
  GameEvent moved = Event(EventType::Moved);
  moved.Square = 42, moved.StepsLeft = 11;
  GameEvent start = Event(EventType::PassedStart);
  start.Square = 1, start.Salary = 40000, start.Interest = -3;
  start.Changes[1] = {39997, 0};
  GameEvent rent = Event(EventType::RentPaid);
  rent.Other = 2, rent.Ground = 27, rent.Amount = std::numeric_limits<std::int32_t>::max();
  rent.Changes = {{{0, 0}, {-4294967294LL, 0}, {2147483647, 0}}};
  GameEvent sold = Event(EventType::BuildingSold);
  sold.Ground = 0, sold.Count = 3, sold.Level = -1, sold.Amount = -5, sold.Forced = true;
  GameEvent loan = Event(EventType::LoanTaken);
  loan.Amount = std::numeric_limits<std::int32_t>::min(), loan.Automatic = true;
  loan.Changes[1] = {-2147483648LL, 2147483647};
  GameEvent jailed = Event(EventType::Jailed);
  jailed.Sentence = 3, jailed.Outcome = 1, jailed.Amount = 100000;
  GameEvent turn = Event(EventType::TurnPassed);
  turn.Player = 0, turn.Extra = true;
  GameEvent traded = Event(EventType::BoughtFromPlayer);
  traded.Other = 0, traded.Ground = 13, traded.Amount = 700000, traded.Received = 650000;
  GameEvent nobody = Event(EventType::NobodyWon);
  nobody.Player = -1;
  events.insert(events.end(),
                {rolled, moved, start, rent, sold, loan, jailed, turn, traded, nobody});

  for (const GameEvent& event : events) {
    SCOPED_TRACE(EventName(event.Type));
    // Through the text of a message, as it travels.
    const QString text = MakeMessage(QStringLiteral("event"), EventToJson(event));
    const auto read = ReadMessage(text);
    ASSERT_TRUE(read.has_value());
    const auto back = EventFromJson(*read);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Type, event.Type);
    EXPECT_EQ(back->Player, event.Player);
    EXPECT_EQ(back->Other, event.Other);
    EXPECT_EQ(back->Ground, event.Ground);
    EXPECT_EQ(back->Square, event.Square);
    EXPECT_EQ(back->Amount, event.Amount);
    EXPECT_EQ(back->Received, event.Received);
    EXPECT_EQ(back->Die1, event.Die1);
    EXPECT_EQ(back->Die2, event.Die2);
    EXPECT_EQ(back->DiceLayout, event.DiceLayout);
    EXPECT_EQ(back->StepsLeft, event.StepsLeft);
    EXPECT_EQ(back->Level, event.Level);
    EXPECT_EQ(back->Count, event.Count);
    EXPECT_EQ(back->Sentence, event.Sentence);
    EXPECT_EQ(back->Salary, event.Salary);
    EXPECT_EQ(back->Interest, event.Interest);
    EXPECT_EQ(back->Outcome, event.Outcome);
    EXPECT_EQ(back->Forced, event.Forced);
    EXPECT_EQ(back->Automatic, event.Automatic);
    EXPECT_EQ(back->Extra, event.Extra);
    EXPECT_EQ(back->Changes, event.Changes);
  }
  // A step of a walk is small, as there are many of them.
  EXPECT_LT(MakeMessage(QStringLiteral("event"), EventToJson(moved)).size(), 80);
}

TEST(EventJson, WhatNoHostSendsIsRefused) {
  const struct {
    const char* json;
    const char* why;
  } kCases[] = {
      {R"({"event":"teleport","player":0})", "unknown type"},
      {R"({"player":0})", "no type"},
      {R"({"event":7})", "type not a name"},
      {R"({"event":"move","player":3})", "player past the last seat"},
      {R"({"event":"move","player":-2})", "player below none"},
      {R"({"event":"buy","ground":28})", "ground past the last company"},
      {R"({"event":"move","square":43})", "square off the board"},
      {R"({"event":"roll","die1":7})", "die above six"},
      {R"({"event":"roll","layout":3})", "unknown dice layout"},
      {R"({"event":"build","level":4})", "building level past the last"},
      {R"({"event":"chance","outcome":4})", "unknown outcome"},
      {R"({"event":"rent","amount":1.5})", "amount not whole"},
      {R"({"event":"rent","amount":2147483648})", "amount past 32 bits"},
      {R"({"event":"rent","amount":"100"})", "amount as text"},
      {R"({"event":"move","steps":-1})", "negative steps"},
      {R"({"event":"sell-company","forced":1})", "flag as a number"},
      {R"({"event":"rent","changes":[[0,0],[0,0]]})", "changes for two of three seats"},
      {R"({"event":"rent","changes":[[0,0],[0,0],[0]]})", "a change without its loan"},
      {R"({"event":"rent","changes":[[0,0],[0,0],[1e300,0]]})", "a change past exact numbers"},
      {R"({"event":"rent","changes":"none"})", "changes not a list"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    const QJsonObject json = QJsonDocument::fromJson(c.json).object();
    EXPECT_FALSE(EventFromJson(json).has_value()) << c.json;
  }
}

// A state travels as the lines that changed since the text the joined program holds; a patch
// against another text, or one that does not end at the sender's text, gives nothing.
TEST(StatePatch, ChangedLinesLeadToTheSendersText) {
  QStringList lines;
  for (int i = 0; i < 200; ++i) lines << QStringLiteral("  <Line>%1</Line>").arg(i);
  const QString held = lines.join(QLatin1Char('\n'));
  QStringList next = lines;
  next[3] = QStringLiteral("  <Money>12</Money>");
  next[199] = QStringLiteral("  <Die1>6</Die1>");
  const QString now = next.join(QLatin1Char('\n'));

  const QJsonObject patch = StateFields(held, now);
  ASSERT_TRUE(patch.contains(QStringLiteral("patch")));
  EXPECT_LT(QJsonDocument(patch).toJson(QJsonDocument::Compact).size(), 150);
  EXPECT_EQ(StateFromFields(patch, held), now);
  EXPECT_EQ(StateFromFields(StateFields(now, now), now), now) << "nothing changed";

  QStringList other = lines;
  other[50] = QStringLiteral("  <Name>Eve</Name>");
  EXPECT_FALSE(StateFromFields(patch, other.join(QLatin1Char('\n'))))
      << "applied to a text the sender did not have";
  EXPECT_FALSE(StateFromFields(patch, QString())) << "nothing held";
  QJsonObject pastTheEnd = patch;
  pastTheEnd.insert(QStringLiteral("patch"), QJsonArray{QJsonArray{200, QStringLiteral("x")}});
  EXPECT_FALSE(StateFromFields(pastTheEnd, held));
  QJsonObject notALine = patch;
  notALine.insert(QStringLiteral("patch"), QJsonArray{QJsonArray{3, 12}});
  EXPECT_FALSE(StateFromFields(notALine, held));
  EXPECT_FALSE(StateFromFields(QJsonObject{}, held));

  // The whole text where lines do not match up, or where the change is most of it.
  const QString longer = now + QStringLiteral("\n</Extra>");
  EXPECT_EQ(StateFields(held, longer), (QJsonObject{{QStringLiteral("state"), longer}}));
  EXPECT_EQ(StateFields(QString(), now), (QJsonObject{{QStringLiteral("state"), now}}));
  const QString rewritten = QString(held).replace(QLatin1String("Line"), QLatin1String("Row"));
  EXPECT_EQ(StateFields(held, rewritten), (QJsonObject{{QStringLiteral("state"), rewritten}}));
  EXPECT_EQ(StateFromFields(StateFields(held, rewritten), held), rewritten);
}

TEST(Invite, TextAndBackAndWhatIsRefused) {
  const struct {
    const char* text;
    std::optional<Invite> expected;
  } kCases[] = {
      {"quillbury://192.168.1.20:4747/ABC234", Invite{"192.168.1.20", 4747, "ABC234"}},
      {"  192.168.1.20:4747/ABC234\n", Invite{"192.168.1.20", 4747, "ABC234"}},
      {"QUILLBURY://host.example.net:65535/ZZZZZZ", Invite{"host.example.net", 65535, "ZZZZZZ"}},
      {"quillbury://[fe80::1]:1024/ABCDEF", Invite{"fe80::1", 1024, "ABCDEF"}},
      {"[::1]:80/ABCDEF", Invite{"::1", 80, "ABCDEF"}},
      {"myhost:4747/abc234", Invite{"myhost", 4747, "ABC234"}},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"myhost:4747", std::nullopt},
      {"myhost:4747/", std::nullopt},
      {"myhost/ABC234", std::nullopt},
      {"myhost:0/ABC234", std::nullopt},
      {"myhost:65536/ABC234", std::nullopt},
      {"myhost:99999999999/ABC234", std::nullopt},
      {"myhost:-1/ABC234", std::nullopt},
      {"myhost:47a7/ABC234", std::nullopt},
      {"myhost:4747/ABC23", std::nullopt},
      {"myhost:4747/ABC2345", std::nullopt},
      {"myhost:4747/ABC0O1", std::nullopt},
      {"myhost:4747/ABC234/x", std::nullopt},
      {"my host:4747/ABC234", std::nullopt},
      {"my_host:4747/ABC234", std::nullopt},
      {"-host:4747/ABC234", std::nullopt},
      {":4747/ABC234", std::nullopt},
      {"fe80::1:4747/ABC234", std::nullopt},
      {"[myhost]:4747/ABC234", std::nullopt},
      {"[::1]4747/ABC234", std::nullopt},
      {"http://myhost:4747/ABC234", std::nullopt},
      {"myhost:4747/ABC\t234", std::nullopt},
      {"myhost:4747/ABC234\x01", std::nullopt},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseInvite(QString::fromUtf8(c.text)), c.expected);
    if (c.expected) {
      EXPECT_EQ(ParseInvite(InviteText(*c.expected)), c.expected) << "text and back";
    }
  }
  EXPECT_EQ(InviteText({"fe80::1", 4747, "ABCDEF"}),
            QStringLiteral("quillbury://[fe80::1]:4747/ABCDEF"));
  // Valid but for the padding: the length alone refuses it.
  const QString overlong = QString(300, QLatin1Char(' ')) + QStringLiteral("myhost:4747/ABCDEF");
  EXPECT_GT(overlong.size(), kMaxInviteLength);
  EXPECT_FALSE(ParseInvite(overlong).has_value());
  EXPECT_EQ(InviteUrl({"fe80::1", 4747, "ABCDEF"}).toString(),
            QStringLiteral("ws://[fe80::1]:4747"));
}

TEST(Invite, LocalAddressIsAnIPv4AddressOthersCanReach) {
  const auto invite = ParseInvite(LocalAddress() + QStringLiteral(":4747/ABCDEF"));
  ASSERT_TRUE(invite.has_value()) << LocalAddress().toStdString();
  EXPECT_EQ(QHostAddress(invite->host).protocol(), QAbstractSocket::IPv4Protocol);
}

}  // namespace
}  // namespace quillbury::net
