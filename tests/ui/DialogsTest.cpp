#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <limits>
#include <memory>
#include <stdexcept>

#include "localisation/IniFile.h"
#include "ui/AboutDialog.h"
#include "ui/Artwork.h"
#include "ui/CasinoWindow.h"
#include "ui/CrashReport.h"
#include "ui/NewGameDialog.h"
#include "ui/Settings.h"
#include "ui/WonDialog.h"

using namespace quillbury;
using namespace quillbury::ui;

namespace {
const QString kAppDir = QStringLiteral(QUILLBURY_BIN_DIR);
const std::string kData = std::string(QUILLBURY_TEST_DATA) + "/ui/data/";
constexpr std::int32_t kMaxMoney = std::numeric_limits<std::int32_t>::max();
}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();

  void newGameStartsWithTheDefaultTable();
  void newGameSeatsChooseCpuIndependently();
  void newGameChoice_data();
  void newGameChoice();
  void newGameMoneyText_data();
  void newGameMoneyText();
  void newGameTypedMoney_data();
  void newGameTypedMoney();
  void newGameNameStopsAtWhatASaveTakes_data();
  void newGameNameStopsAtWhatASaveTakes();
  void newGameCloses_data();
  void newGameCloses();
  void newGameCaptions_data();
  void newGameCaptions();

  void wonDialogAddsScoreAndStaysOpen();
  void casinoCheersOncePerShowing();
  void aboutCreditsScrollAndStartAgain();
  void crashReportCatchesHandlerErrors();

 private:
  QTemporaryDir settingsDir_;
  std::unique_ptr<Artwork> art_;
};

void DialogsTest::initTestCase() {
  QVERIFY(settingsDir_.isValid());
  QStandardPaths::setTestModeEnabled(true);
  QCoreApplication::setOrganizationName(QStringLiteral("Pellmark"));
  QCoreApplication::setApplicationName(QStringLiteral("Quillbury"));
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
  QVERIFY2(QFileInfo::exists(kAppDir + QStringLiteral("pictures/casino.svg")),
           "the build copies the pictures beside the programs");
  art_ = std::make_unique<Artwork>(kAppDir);
}

void DialogsTest::newGameStartsWithTheDefaultTable() {
  NewGameDialog dialog(nullptr, nullptr, *art_);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("New Game"));
  QCOMPARE(dialog.size(), QSize(386, 433));
  QCOMPARE(dialog.palette().color(QPalette::Window), QColor(166, 202, 240));
  QCOMPARE(dialog.TwoPlayersButton()->geometry(), QRect(16, 16, 170, 17));
  QCOMPARE(dialog.SeatBox(1)->geometry(), QRect(16, 152, 353, 105));
  QCOMPARE(dialog.MoneyEdit(0)->geometry(), QRect(176, 40, 153, 21));
  QCOMPARE(dialog.MoneyEdit(2)->geometry(), QRect(168, 40, 145, 21));
  QCOMPARE(dialog.StartButton()->geometry(), QRect(16, 376, 353, 41));
  QVERIFY(dialog.StartButton()->isDefault());
  QCOMPARE(dialog.SeatBox(0)->title(), QStringLiteral("Player 1"));

  QVERIFY(dialog.TwoPlayersButton()->isChecked());
  QVERIFY(!dialog.ThreePlayersButton()->isChecked());
  QCOMPARE(dialog.MoneyEdit(0)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  for (int seat = 0; seat < 3; ++seat)
    QCOMPARE(dialog.MoneyEdit(seat)->text(), QStringLiteral("5000000"));
  // All three boxes can be filled in before the count is chosen.
  dialog.show();
  for (int seat = 0; seat < 3; ++seat)
    QVERIFY(dialog.SeatBox(seat)->isVisible() && dialog.SeatBox(seat)->isEnabled());

  const NewGameChoice choice = dialog.Choice();
  QCOMPARE(choice.PlayerCount, 2);
  QCOMPARE(choice.Seats[0].Name, std::string("Mr. Gambler"));
  QCOMPARE(choice.Seats[1].Name, std::string("Bart Broker"));
  QCOMPARE(choice.Seats[0].Money, 5000000);
  QCOMPARE(choice.Seats[0].CPU, false);
  QCOMPARE(choice.Seats[1].CPU, true);
  QCOMPARE(dialog.NameEdit(2)->text(), QStringLiteral("Mac Poor"));
  QVERIFY(dialog.ComputerButton(2)->isChecked());
}

void DialogsTest::newGameSeatsChooseCpuIndependently() {
  NewGameDialog dialog(nullptr, nullptr, *art_);
  dialog.show();
  // On the round mark: a radio button takes clicks on its mark and caption only.
  const QPoint mark(6, 8);
  QTest::mouseClick(dialog.ComputerButton(0), Qt::LeftButton, {}, mark);
  QTest::mouseClick(dialog.PersonButton(1), Qt::LeftButton, {}, mark);
  QVERIFY(dialog.ComputerButton(0)->isChecked());
  QVERIFY(!dialog.PersonButton(0)->isChecked());
  QVERIFY(!dialog.ComputerButton(1)->isChecked());
  QVERIFY(dialog.ComputerButton(2)->isChecked());
  QVERIFY(dialog.TwoPlayersButton()->isChecked());
  QTest::mouseClick(dialog.ThreePlayersButton(), Qt::LeftButton, {}, mark);
  QVERIFY(!dialog.TwoPlayersButton()->isChecked());
  QVERIFY(dialog.ComputerButton(0)->isChecked());
}

void DialogsTest::newGameChoice_data() {
  QTest::addColumn<bool>("threePlayers");
  QTest::newRow("two players: the third box is ignored") << false;
  QTest::newRow("three players") << true;
}

void DialogsTest::newGameChoice() {
  QFETCH(bool, threePlayers);
  NewGameDialog dialog(nullptr, nullptr, *art_);
  dialog.NameEdit(1)->setText(QStringLiteral("Ørsted"));
  dialog.MoneyEdit(1)->setText(QStringLiteral("250"));
  dialog.PersonButton(1)->setChecked(true);
  dialog.NameEdit(2)->setText(QStringLiteral("Zed"));
  dialog.MoneyEdit(2)->setText(QStringLiteral("7"));
  dialog.PersonButton(2)->setChecked(true);
  (threePlayers ? dialog.ThreePlayersButton() : dialog.TwoPlayersButton())->setChecked(true);

  const NewGameChoice choice = dialog.Choice();
  QCOMPARE(choice.PlayerCount, threePlayers ? 3 : 2);
  QCOMPARE(choice.Seats[1].Name, std::string("\xC3\x98rsted"));
  QCOMPARE(choice.Seats[1].Money, 250);
  QCOMPARE(choice.Seats[1].CPU, false);
  const NewGameChoice::Seat untouched;
  QCOMPARE(choice.Seats[2].Name, threePlayers ? std::string("Zed") : untouched.Name);
  QCOMPARE(choice.Seats[2].Money, threePlayers ? 7 : untouched.Money);
  QCOMPARE(choice.Seats[2].CPU, untouched.CPU);

  // Each seat's computer level: the classic one by default, the strong one when chosen.
  dialog.StrongButton(0)->setChecked(true);
  dialog.ComputerButton(1)->setChecked(true);
  const NewGameChoice levels = dialog.Choice();
  QVERIFY(levels.Seats[0].CPU);
  QCOMPARE(levels.Seats[0].Level, ComputerLevel::Strong);
  QVERIFY(levels.Seats[1].CPU);
  QCOMPARE(levels.Seats[1].Level, ComputerLevel::Classic);
}

void DialogsTest::newGameMoneyText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("money");
  QTest::newRow("empty") << QString() << 0;
  QTest::newRow("not a number") << QStringLiteral("lots") << 0;
  QTest::newRow("digits then letters") << QStringLiteral("12abc") << 0;
  QTest::newRow("largest that fits") << QStringLiteral("2147483647") << kMaxMoney;
  QTest::newRow("ten digits do not wrap") << QStringLiteral("3000000000") << kMaxMoney;
  QTest::newRow("twenty digits") << QStringLiteral("99999999999999999999") << kMaxMoney;
}

// Text put into the field by other means than typing (the validator is not asked then).
void DialogsTest::newGameMoneyText() {
  QFETCH(QString, text);
  QFETCH(int, money);
  NewGameDialog dialog(nullptr, nullptr, *art_);
  dialog.MoneyEdit(0)->setText(text);
  QCOMPARE(dialog.Choice().Seats[0].Money, money);
}

void DialogsTest::newGameTypedMoney_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::newRow("ten digits stop at nine")
      << QStringLiteral("3000000000") << QStringLiteral("300000000");
  QTest::newRow("only digits are taken") << QStringLiteral("1x2$ 3-") << QStringLiteral("123");
}

void DialogsTest::newGameTypedMoney() {
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  NewGameDialog dialog(nullptr, nullptr, *art_);
  dialog.show();
  dialog.MoneyEdit(1)->clear();
  QTest::keyClicks(dialog.MoneyEdit(1), typed);
  QCOMPARE(dialog.MoneyEdit(1)->text(), shown);
  QCOMPARE(dialog.Choice().Seats[1].Money, shown.toInt());
}

void DialogsTest::newGameNameStopsAtWhatASaveTakes_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  const QString full(1000, QLatin1Char('a'));
  const QString fullDanish(500, QChar(0xF8));  // two bytes each in UTF-8
  QTest::newRow("ascii at the limit") << full << QStringLiteral("b") << full;
  QTest::newRow("bytes, not characters") << fullDanish << QStringLiteral("x") << fullDanish;
  QTest::newRow("under the limit takes it") << QString(999, QLatin1Char('a')) << QStringLiteral("b")
                                            << QString(999, QLatin1Char('a')) + 'b';
}

// A name is never longer than a saved game may hold, or the game could be saved but not loaded.
void DialogsTest::newGameNameStopsAtWhatASaveTakes() {
  QFETCH(QString, before);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  NewGameDialog dialog(nullptr, nullptr, *art_);
  dialog.show();
  dialog.NameEdit(0)->clear();
  dialog.NameEdit(0)->insert(before);
  QTest::keyClicks(dialog.NameEdit(0), typed);
  QCOMPARE(dialog.NameEdit(0)->text(), shown);
  QCOMPARE(QString::fromStdString(dialog.Choice().Seats[0].Name), shown);
}

void DialogsTest::newGameCloses_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<int>("result");
  QTest::newRow("close box") << QStringLiteral("close") << int(QDialog::Rejected);
  QTest::newRow("Start Game") << QStringLiteral("button") << int(QDialog::Accepted);
  QTest::newRow("Enter in a name field") << QStringLiteral("enter") << int(QDialog::Accepted);
}

void DialogsTest::newGameCloses() {
  QFETCH(QString, how);
  QFETCH(int, result);
  NewGameDialog dialog(nullptr, nullptr, *art_);
  QTimer::singleShot(0, &dialog, [&] {
    if (how == QLatin1String("close")) {
      dialog.close();
    } else if (how == QLatin1String("button")) {
      QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    } else {
      dialog.NameEdit(1)->setFocus();
      QTest::keyClick(dialog.NameEdit(1), Qt::Key_Return);
    }
  });
  QCOMPARE(dialog.exec(), result);
  QVERIFY(!dialog.isVisible());
}

void DialogsTest::newGameCaptions_data() {
  QTest::addColumn<std::string>("file");
  QTest::addColumn<QString>("player1");
  QTest::addColumn<QString>("player3");
  QTest::addColumn<QString>("threePlayers");
  QTest::addColumn<QString>("startMoney");
  QTest::addColumn<QString>("real");
  QTest::addColumn<QString>("title");
  QTest::newRow("all captions") << kData + "start-game.lang" << QStringLiteral("Spiller 1")
                                << QStringLiteral("Spiller 3") << QStringLiteral("Tre spillere")
                                << QStringLiteral("Startkapital") << QStringLiteral("Menneske")
                                << QStringLiteral("Nyt spil på Quillbury");
  QTest::newRow("no player stem") << kData + "no-player.lang" << QStringLiteral("Player 1")
                                  << QStringLiteral("Player 3")
                                  << QStringLiteral("Three at the table")
                                  << QStringLiteral("Start money") << QStringLiteral("Real person")
                                  << QStringLiteral("New Game");
  QTest::newRow("missing file") << kData + "missing.lang" << QStringLiteral("Player 1")
                                << QStringLiteral("Player 3") << QStringLiteral("Three players")
                                << QStringLiteral("Start money") << QStringLiteral("Real person")
                                << QStringLiteral("New Game");
}

void DialogsTest::newGameCaptions() {
  QFETCH(std::string, file);
  QFETCH(QString, player1);
  QFETCH(QString, player3);
  QFETCH(QString, threePlayers);
  QFETCH(QString, startMoney);
  QFETCH(QString, real);
  QFETCH(QString, title);
  const IniFile language(file);
  // A second dialog from the same file must not build on the first one's captions.
  for (int round = 0; round < 2; ++round) {
    NewGameDialog dialog(nullptr, &language, *art_);
    QCOMPARE(dialog.SeatBox(0)->title(), player1);
    QCOMPARE(dialog.SeatBox(2)->title(), player3);
    QCOMPARE(dialog.ThreePlayersButton()->text(), threePlayers);
    QCOMPARE(dialog.MoneyLabel(2)->text(), startMoney);
    QCOMPARE(dialog.PersonButton(1)->text(), real);
    QCOMPARE(dialog.windowTitle(), title);
    // The caption grows with its text, so a longer word is not cut off.
    QVERIFY(dialog.MoneyLabel(2)->width() >= dialog.MoneyLabel(2)->sizeHint().width());
  }
}

void DialogsTest::wonDialogAddsScoreAndStaysOpen() {
  WonDialog dialog(nullptr, *art_);
  dialog.setWindowTitle(QStringLiteral("Mac Poor has won the game!"));
  dialog.Score = 2400000;
  dialog.SetWinner("Mac Poor");
  QCOMPARE(dialog.WinnerLabel()->text(),
           QStringLiteral("Mac Poor has won the game with $ 2.400.000,00!"));
  dialog.show();

  QVERIFY(dialog.ConfirmationLabel()->text().isEmpty());
  QTest::mouseClick(dialog.AddToWallOfFameButton(), Qt::LeftButton);
  QCOMPARE(ReadRegString(kWallOfFameKey, QStringLiteral("1")), QStringLiteral("2400000"));
  QCOMPARE(dialog.ConfirmationLabel()->text(),
           QStringLiteral("Your score of $ 2.400.000,00 is now on the wall of fame."));
  QVERIFY(dialog.isVisible());
  QVERIFY(dialog.AddToWallOfFameButton()->isEnabled());
  // The store lives in the test's own folder, not in the user's settings.
  QVERIFY(!QDir(settingsDir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

  dialog.Score = -5;
  QTest::mouseClick(dialog.AddToWallOfFameButton(), Qt::LeftButton);
  QCOMPARE(ReadRegString(kWallOfFameKey, QStringLiteral("1")), QStringLiteral("-5"));

  QVERIFY(dialog.OkButton()->isDefault());
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void DialogsTest::casinoCheersOncePerShowing() {
  int cheers = 0;
  const QString text = QStringLiteral("Mr. Gambler have won 2.040.250,00$ in casino.");
  CasinoWindow window(nullptr, text, *art_, [&cheers] { ++cheers; });
  QCOMPARE(window.windowTitle(), QStringLiteral("Hurra"));
  QCOMPARE(window.size(), QSize(198, 204));
  QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
  QCOMPARE(window.WinLabel()->text(), text);
  QCOMPARE(cheers, 0);

  window.show();
  QTRY_COMPARE_WITH_TIMEOUT(cheers, 1, 1000);
  QTest::qWait(20);
  QCOMPARE(cheers, 1);
  QTest::mouseClick(window.OkButton(), Qt::LeftButton);
  QVERIFY(!window.isVisible());

  window.show();
  QTRY_COMPARE_WITH_TIMEOUT(cheers, 2, 1000);
  QTest::keyClick(&window, Qt::Key_Escape);
  QVERIFY(!window.isVisible());
  QCOMPARE(cheers, 2);
}

void DialogsTest::aboutCreditsScrollAndStartAgain() {
  AboutDialog dialog(nullptr, *art_);
  QCOMPARE(dialog.size(), QSize(400, 336));
  QCOMPARE(AboutDialog::Credits().size(), 36);
  ScrollText* credits = dialog.ScrollingCredits();
  const int box = credits->height();
  // Empty lines take room too, or the credits would run together.
  QVERIFY(credits->TextHeight() >= 36 * credits->fontMetrics().height());

  dialog.show();
  QCOMPARE(credits->TextTop(), box);
  QTRY_VERIFY_WITH_TIMEOUT(credits->TextTop() < box, 1000);

  dialog.hide();
  const int stopped = credits->TextTop();
  QTest::qWait(100);
  QCOMPARE(credits->TextTop(), stopped);

  // From the bottom edge until the last line has left the top, then from the bottom again.
  dialog.show();
  int steps = 0;
  do {
    credits->Step();
    ++steps;
  } while (credits->TextTop() != box && steps < 10000);
  QCOMPARE(steps, box + credits->TextHeight());
}

void DialogsTest::crashReportCatchesHandlerErrors() {
  QVERIFY(qobject_cast<QuillburyApplication*>(qApp));
  QCOMPARE(CrashReportDialog::Current(), nullptr);

  QTimer::singleShot(0, this, [] { throw std::runtime_error("dice fell off the table"); });
  QTRY_VERIFY_WITH_TIMEOUT(CrashReportDialog::Current() != nullptr, 1000);
  CrashReportDialog* report = CrashReportDialog::Current();
  QVERIFY(report->isVisible());
  QVERIFY(report->DetailsView()->isReadOnly());
  QVERIFY(report->DetailsView()->toPlainText().contains(QStringLiteral("std::runtime_error")));
  QVERIFY(report->DetailsView()->toPlainText().contains(QStringLiteral("dice fell off the table")));

  // A second error joins the open report instead of opening another window.
  QTimer::singleShot(0, this, [] { throw 42; });
  QTRY_VERIFY_WITH_TIMEOUT(report->DetailsView()->toPlainText().contains(QStringLiteral("\nint\n")),
                           1000);
  QCOMPARE(CrashReportDialog::Current(), report);
  int reports = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<CrashReportDialog*>(w) != nullptr) ++reports;
  QCOMPARE(reports, 1);

  QTest::mouseClick(report->ContinueButton(), Qt::LeftButton);
  QTRY_COMPARE_WITH_TIMEOUT(CrashReportDialog::Current(), nullptr, 1000);

  // After Continue the next error gets a report of its own.
  QTimer::singleShot(0, this, [] { throw std::logic_error("again"); });
  QTRY_VERIFY_WITH_TIMEOUT(CrashReportDialog::Current() != nullptr, 1000);
  QVERIFY(
      !CrashReportDialog::Current()->DetailsView()->toPlainText().contains(QStringLiteral("dice")));
  CrashReportDialog::Current()->ContinueButton()->click();
  QTRY_COMPARE_WITH_TIMEOUT(CrashReportDialog::Current(), nullptr, 1000);
}

// As QTEST_MAIN, but with the game's own application object, whose notify() is under test.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QuillburyApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  DialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "DialogsTest.moc"
