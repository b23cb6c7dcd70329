// The dialogs that host and join a network game: what they hand on, and what they refuse with
// the reason they show.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "localisation/IniFile.h"
#include "ui/HostGameDialog.h"
#include "ui/JoinGameDialog.h"

using namespace quillbury;
using namespace quillbury::ui;

namespace {
const std::string kDanish = std::string(QUILLBURY_BIN_DIR) + "Lang/da.lang";
const QString kNeedRemote = QStringLiteral("At least one seat must be played over the network.");
const QString kBadPort = QStringLiteral("The port must be a number from 1024 to 65535.");
const QString kLongName = QStringLiteral("A name is too long.");
const QString kBadInvite =
    QStringLiteral("Not an invite: it looks like quillbury://address:port/code.");
const QString kNoName = QStringLiteral("Enter your name.");

// Presses the dialog's button once its loop runs; the dialog's result.
int PressAndRun(QDialog& dialog, QPushButton* button) {
  QTimer::singleShot(0, &dialog, [&dialog, button] {
    QTest::mouseClick(button, Qt::LeftButton);
    // A refused press leaves it open; close it so the test goes on.
    if (dialog.isVisible()) dialog.reject();
  });
  return dialog.exec();
}
}  // namespace

Q_DECLARE_METATYPE(HostSeatKind)

class NetworkDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void hostDefaultsHostAGameWithOnePlayerOverTheNetwork();
  void hostSeatsAndMoney();
  void hostRefuses_data();
  void hostRefuses();
  void joinHandsOnTheInviteAndTheTrimmedName();
  void joinRefuses_data();
  void joinRefuses();
  void textsComeFromTheLanguageFile();
  void everyWidgetHasARoleName();
};

void NetworkDialogsTest::hostDefaultsHostAGameWithOnePlayerOverTheNetwork() {
  HostGameDialog dialog(nullptr, nullptr);
  QCOMPARE(dialog.Reason(), QString());
  QVERIFY(dialog.ReasonLabel()->text().isEmpty());
  QCOMPARE(PressAndRun(dialog, dialog.HostButton()), int(QDialog::Accepted));
  const HostSetup setup = dialog.Setup();
  QCOMPARE(setup.players, 2);
  QCOMPARE(setup.port, quint16(4747));
  QCOMPARE(setup.seats[0].kind, HostSeatKind::PersonHere);
  QCOMPARE(setup.seats[1].kind, HostSeatKind::PersonRemote);
  QVERIFY(!setup.Remote(0));
  QVERIFY(setup.Remote(1));
  const NewGameChoice choice = setup.Choice();
  QCOMPARE(choice.PlayerCount, 2);
  QCOMPARE(choice.Seats[1].Name, std::string("Bart Broker"));
  QVERIFY2(!choice.Seats[1].CPU, "a person over the network is a person");
}

void NetworkDialogsTest::hostSeatsAndMoney() {
  HostGameDialog dialog(nullptr, nullptr);
  QTest::mouseClick(dialog.ThreePlayersButton(), Qt::LeftButton);
  QVERIFY(dialog.ThreePlayersButton()->isChecked());
  dialog.KindBox(0)->setCurrentIndex(static_cast<int>(HostSeatKind::ComputerStrong));
  dialog.KindBox(2)->setCurrentIndex(static_cast<int>(HostSeatKind::PersonRemote));
  dialog.NameEdit(2)->clear();
  QTest::keyClicks(dialog.NameEdit(2), QStringLiteral("Cid"));
  // The money field takes nine digits, all the game's money holds; the tenth is not typed.
  dialog.MoneyEdit(2)->clear();
  QTest::keyClicks(dialog.MoneyEdit(2), QStringLiteral("1234567890x"));
  dialog.PortEdit()->clear();
  QTest::keyClicks(dialog.PortEdit(), QStringLiteral("65535"));
  const HostSetup setup = dialog.Setup();
  QCOMPARE(setup.players, 3);
  QCOMPARE(setup.port, quint16(65535));
  QCOMPARE(setup.seats[2].name, QStringLiteral("Cid"));
  QCOMPARE(setup.seats[2].money, 123456789);
  const NewGameChoice choice = setup.Choice();
  QVERIFY(choice.Seats[0].CPU);
  QCOMPARE(choice.Seats[0].Level, ComputerLevel::Strong);
  QVERIFY(setup.Remote(1));
  QVERIFY(setup.Remote(2));
  QCOMPARE(dialog.Reason(), QString());
}

void NetworkDialogsTest::hostRefuses_data() {
  QTest::addColumn<int>("players");
  QTest::addColumn<HostSeatKind>("seat2");  // the default's network seat
  QTest::addColumn<HostSeatKind>("seat3");
  QTest::addColumn<QString>("port");
  QTest::addColumn<int>("nameBytes");  // of seat 1's name
  QTest::addColumn<QString>("reason");
  const auto here = HostSeatKind::PersonHere;
  const auto remote = HostSeatKind::PersonRemote;
  const auto classic = HostSeatKind::ComputerClassic;
  QTest::newRow("nobody over the network") << 2 << here << remote << "4747" << 5 << kNeedRemote;
  QTest::newRow("only an unused seat over the network")
      << 2 << classic << remote << "4747" << 5 << kNeedRemote;
  QTest::newRow("third seat over the network") << 3 << classic << remote << "4747" << 5 << "";
  QTest::newRow("port below 1024") << 2 << remote << here << "80" << 5 << kBadPort;
  QTest::newRow("lowest port") << 2 << remote << here << "1024" << 5 << "";
  QTest::newRow("port past 65535") << 2 << remote << here << "65536" << 5 << kBadPort;
  QTest::newRow("port zero") << 2 << remote << here << "0" << 5 << kBadPort;
  QTest::newRow("no port") << 2 << remote << here << "" << 5 << kBadPort;
  QTest::newRow("pre-filled port not a number") << 2 << remote << here << "47x" << 5 << kBadPort;
  QTest::newRow("name longer than a save holds")
      << 2 << remote << here << "4747" << 1001 << kLongName;
  QTest::newRow("longest name") << 2 << remote << here << "4747" << 1000 << "";
}

void NetworkDialogsTest::hostRefuses() {
  QFETCH(int, players);
  QFETCH(HostSeatKind, seat2);
  QFETCH(HostSeatKind, seat3);
  QFETCH(QString, port);
  QFETCH(int, nameBytes);
  QFETCH(QString, reason);
  HostGameDialog dialog(nullptr, nullptr);
  (players == 3 ? dialog.ThreePlayersButton() : dialog.TwoPlayersButton())->setChecked(true);
  dialog.KindBox(1)->setCurrentIndex(static_cast<int>(seat2));
  dialog.KindBox(2)->setCurrentIndex(static_cast<int>(seat3));
  dialog.SetPort(port);
  // A pre-filled name is not held back by the field's validator.
  dialog.NameEdit(0)->setText(QString(nameBytes, QLatin1Char('n')));
  QCOMPARE(dialog.Reason(), reason);
  QCOMPARE(dialog.ReasonLabel()->text(), reason);
  QCOMPARE(dialog.HostButton()->isEnabled(), reason.isEmpty());
  QCOMPARE(PressAndRun(dialog, dialog.HostButton()),
           int(reason.isEmpty() ? QDialog::Accepted : QDialog::Rejected));
}

void NetworkDialogsTest::joinHandsOnTheInviteAndTheTrimmedName() {
  JoinGameDialog dialog(nullptr, nullptr);
  QVERIFY2(
      dialog.InviteReasonLabel()->text().isEmpty() && dialog.NameReasonLabel()->text().isEmpty(),
      "nothing to complain about before anything is typed");
  QVERIFY(!dialog.JoinButton()->isEnabled());
  dialog.SetInvite(QStringLiteral("  quillbury://[::1]:4747/abc234 "));
  QTest::keyClicks(dialog.NameEdit(), QStringLiteral("  Ann "));
  QCOMPARE(PressAndRun(dialog, dialog.JoinButton()), int(QDialog::Accepted));
  const auto setup = dialog.Setup();
  QVERIFY(setup.has_value());
  QCOMPARE(setup->invite, (net::Invite{QStringLiteral("::1"), 4747, QStringLiteral("ABC234")}));
  QCOMPARE(setup->name, QStringLiteral("Ann"));
}

void NetworkDialogsTest::joinRefuses_data() {
  QTest::addColumn<QString>("invite");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("inviteReason");
  QTest::addColumn<QString>("nameReason");
  const QString good = QStringLiteral("192.168.1.20:4747/ABC234");
  QTest::newRow("not an invite") << "192.168.1.20"
                                 << "Ann" << kBadInvite << "";
  QTest::newRow("port zero") << "192.168.1.20:0/ABC234"
                             << "Ann" << kBadInvite << "";
  QTest::newRow("short code") << "192.168.1.20:4747/ABC23"
                              << "Ann" << kBadInvite << "";
  QTest::newRow("empty invite") << ""
                                << "Ann" << kBadInvite << "";
  QTest::newRow("empty name") << good << ""
                              << "" << kNoName;
  QTest::newRow("only spaces") << good << "   "
                               << "" << kNoName;
  QTest::newRow("name longer than a save holds")
      << good << QString(1001, QLatin1Char('n')) << "" << kLongName;
}

void NetworkDialogsTest::joinRefuses() {
  QFETCH(QString, invite);
  QFETCH(QString, name);
  QFETCH(QString, inviteReason);
  QFETCH(QString, nameReason);
  JoinGameDialog dialog(nullptr, nullptr);
  dialog.SetInvite(invite);
  dialog.SetName(name);
  QCOMPARE(dialog.InviteReasonLabel()->text(), inviteReason);
  QCOMPARE(dialog.NameReasonLabel()->text(), nameReason);
  QVERIFY(!dialog.Setup().has_value());
  QVERIFY(!dialog.JoinButton()->isEnabled());
  QCOMPARE(PressAndRun(dialog, dialog.JoinButton()), int(QDialog::Rejected));
}

void NetworkDialogsTest::textsComeFromTheLanguageFile() {
  const IniFile danish(kDanish);
  HostGameDialog host(nullptr, &danish);
  QCOMPARE(host.windowTitle(), QStringLiteral("Vær vært for netværksspil"));
  QCOMPARE(host.KindBox(1)->currentText(), QStringLiteral("Person over netværket"));
  QCOMPARE(host.ThreePlayersButton()->text(), QStringLiteral("Tre spillere"));
  host.KindBox(1)->setCurrentIndex(0);
  QCOMPARE(host.ReasonLabel()->text(),
           QStringLiteral("Mindst én plads skal spilles over netværket."));
  JoinGameDialog join(nullptr, &danish);
  QCOMPARE(join.windowTitle(), QStringLiteral("Deltag i netværksspil"));
  join.SetInvite(QStringLiteral("x"));
  QVERIFY(join.InviteReasonLabel()->text().startsWith(QStringLiteral("Ikke en invitation")));

  const IniFile missing(std::string(QUILLBURY_TEST_DATA) + "/ui/data/missing.lang");
  HostGameDialog english(nullptr, &missing);
  QCOMPARE(english.windowTitle(), QStringLiteral("Host network game"));
  QCOMPARE(english.KindBox(2)->currentText(), QStringLiteral("Computer (Classic)"));
}

void NetworkDialogsTest::everyWidgetHasARoleName() {
  HostGameDialog host(nullptr, nullptr);
  JoinGameDialog join(nullptr, nullptr);
  for (const QDialog* dialog : {static_cast<QDialog*>(&host), static_cast<QDialog*>(&join)}) {
    int widgets = 0;
    for (const QWidget* w : dialog->findChildren<QWidget*>()) {
      if (!qobject_cast<const QLabel*>(w) && !qobject_cast<const QLineEdit*>(w) &&
          !qobject_cast<const QComboBox*>(w) && !qobject_cast<const QAbstractButton*>(w) &&
          !qobject_cast<const QGroupBox*>(w)) {
        continue;
      }
      ++widgets;
      QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
    }
    QVERIFY(widgets >= 7);
  }
  QCOMPARE(host.NameEdit(1)->accessibleName(), QStringLiteral("Name"));
  QCOMPARE(join.findChild<QLabel*>(QStringLiteral("inviteLabel"))->buddy(), join.InviteEdit());
}

QTEST_MAIN(NetworkDialogsTest)
#include "NetworkDialogsTest.moc"
