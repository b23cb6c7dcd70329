// The real main window, with its real timers and modal dialogs, answered by a script.
#include <sys/stat.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <deque>
#include <functional>

#include "core/Random.h"
#include "tests/ScriptedDraws.h"
#include "ui/CasinoWindow.h"
#include "ui/GameLogWindow.h"
#include "ui/MainWindow.h"
#include "ui/NewGameDialog.h"
#include "ui/RulesWindow.h"
#include "ui/Settings.h"
#include "ui/WonDialog.h"

using namespace quillbury;
using namespace quillbury::ui;

namespace {

// Dice and other draws from a script; an empty script answers 0.
class ScriptedRandom final : public RandomSource, public quillbury::testing::ScriptedDraws {
 public:
  std::int32_t Random(std::int32_t n) override {
    if (draws.empty()) return 0;
    const std::int32_t v = draws.front() % n;
    draws.pop_front();
    return v;
  }
};

// Answers whatever modal window opens, in order, from a queue of handlers; a message box with
// no handler queued is acknowledged with OK and recorded.
class ModalDriver : public QObject {
 public:
  using Handler = std::function<void(QWidget*)>;
  ModalDriver() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start();
  }
  void Expect(Handler h) { handlers.push_back(std::move(h)); }
  std::vector<QString> messages;
  std::deque<Handler> handlers;
  int newGameDialogs = 0;

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // A window is answered once; a new one may reuse a closed one's address, so mark it.
    if (modal == nullptr || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) messages.push_back(box->text());
    if (qobject_cast<TfrmNewGame*>(modal) != nullptr) ++newGameDialogs;
    if (!handlers.empty()) {
      Handler h = std::move(handlers.front());
      handlers.pop_front();
      h(modal);
      return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      box->button(box->buttons().contains(box->button(QMessageBox::Ok)) ? QMessageBox::Ok
                                                                        : QMessageBox::No)
          ->click();
    } else if (auto* d = qobject_cast<QDialog*>(modal)) {
      d->reject();
    }
  }
  QTimer timer_;
};

ModalDriver::Handler ClickBox(QMessageBox::StandardButton which) {
  return [which](QWidget* w) { static_cast<QMessageBox*>(w)->button(which)->click(); };
}

ModalDriver::Handler StartGame(int players, std::vector<bool> cpu) {
  return [players, cpu](QWidget* w) {
    auto* d = static_cast<TfrmNewGame*>(w);
    (players == 3 ? d->rb3 : d->rb2)->setChecked(true);
    QRadioButton* cpuButtons[3] = {d->rbPlayer1CPU, d->rbPlayer2CPU, d->rbPlayer3CPU};
    QRadioButton* realButtons[3] = {d->rbPlayer1Real, d->rbPlayer2Real, d->rbPlayer3Real};
    for (int i = 0; i < 3; ++i)
      (cpu[static_cast<std::size_t>(i)] ? cpuButtons[i] : realButtons[i])->setChecked(true);
    d->edtPlayer1Name->setText(QStringLiteral("Ann"));
    d->Button1->click();
  };
}

QString Text(QLabel* l) { return l->text(); }

// File dialogs answered from queues; an empty queue cancels.
class ScriptedFiles final : public FileDialogs {
 public:
  QString OpenFile(QWidget*) override { return Next(opens); }
  QString SaveFile(QWidget*) override { return Next(saves); }
  QString SaveTextFile(QWidget*) override { return Next(texts); }
  std::deque<QString> opens, saves, texts;
  int asked = 0;

 private:
  QString Next(std::deque<QString>& q) {
    ++asked;
    if (q.empty()) return {};
    QString v = q.front();
    q.pop_front();
    return v;
  }
};

const QString kLoadError = QStringLiteral(
    "Error!!! Couldn't load your game. Please try again or contact Pellmark is still wont.");
const QString kSaveError = QStringLiteral(
    "Error!!! Couldn't save your game. Please try again or contact Pellmark is still wont.");

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir settingsDir_;
  ScriptedRandom random_;

  std::unique_ptr<TfrmMainForm> MakeWindow(
      const QString& appDir = QStringLiteral(QUILLBURY_BIN_DIR), const QString& file = QString()) {
    TfrmMainForm::StartOptions o;
    o.AppDir = appDir;
    o.GameFile = file;
    o.Random = &random_;
    auto w = std::make_unique<TfrmMainForm>(o);
    w->Session().SoundOn = false;
    return w;
  }
  // A window with a two-player game of Ann and Bob under way, without the start-up dialog.
  std::unique_ptr<TfrmMainForm> StartedWindow(bool bobIsComputer = false) {
    auto w = MakeWindow();
    w->StartupNewGame->stop();
    NewGameChoice choice;
    choice.Seats[0] = {"Ann", 5000000, false};
    choice.Seats[1] = {"Bob", 5000000, bobIsComputer};
    w->Session().StartNewGame(choice);
    return w;
  }
  // The same with scripted file dialogs.
  std::unique_ptr<TfrmMainForm> GameWindow(ScriptedFiles*& files) {
    auto w = StartedWindow();
    auto scripted = std::make_unique<ScriptedFiles>();
    files = scripted.get();
    w->SetFileDialogs(std::move(scripted));
    return w;
  }
  // Waits until the game waits for a roll.
  static bool WaitForRoll(TfrmMainForm& w, int ms = 5000) {
    return QTest::qWaitFor([&] { return w.Button1->isEnabled() && !w.Timer1->isActive(); }, ms);
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
    QCoreApplication::setOrganizationName(QStringLiteral("Pellmark"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillbury"));
  }
  void init() {
    QSettings().clear();
    random_.draws.clear();
  }

  void startsWithTheStoredLanguage() {
    WriteRegString(kSettingsKey, QStringLiteral("Language"), QStringLiteral("da.lang"));
    ModalDriver driver;
    auto w = MakeWindow();
    QVERIFY(!w->StartupFailed());
    QCOMPARE(w->Button1->text(), QStringLiteral("Slå"));
    QVERIFY(w->tbbAbout->text().endsWith(QStringLiteral(" Quillbury")));
    // Applying again never grows a caption built from a stem.
    const QString about = w->tbbAbout->text();
    w->ApplyLanguage();
    QCOMPARE(w->tbbAbout->text(), about);
  }

  void missingLanguageFileStopsStartUpWithAMessage() {
    QTemporaryDir empty;
    ModalDriver driver;
    auto w = MakeWindow(empty.path() + QLatin1Char('/'));
    QVERIFY(w->StartupFailed());
    QCOMPARE(driver.messages.size(), std::size_t{1});
    QCOMPARE(driver.messages[0], QStringLiteral("Error in language file. Quillbury is closing!"));
  }

  void languageSwitchGoesOnlyToAFileThatExists() {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("/Lang"));
    QFile::copy(QStringLiteral(QUILLBURY_BIN_DIR "Lang/en.lang"),
                dir.path() + QStringLiteral("/Lang/en.lang"));
    QFile::copy(QStringLiteral(QUILLBURY_BIN_DIR "database.dat"),
                dir.path() + QStringLiteral("/database.dat"));
    ModalDriver driver;
    auto w = MakeWindow(dir.path() + QLatin1Char('/'));
    w->TBXItem11Click();
    QTRY_COMPARE(driver.messages.size(), std::size_t{1});
    QVERIFY(driver.messages[0].contains(QStringLiteral("da.lang")));
    QVERIFY(ReadRegString(kSettingsKey, QStringLiteral("Language")).isEmpty());
    QCOMPARE(w->Button1->text(), QStringLiteral("Roll"));
  }

  void newGameDialogOpensAfterStartUpAndCancelKeepsThePlaceholder() {
    ModalDriver driver;
    driver.Expect([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
    auto w = MakeWindow();
    w->show();
    QTRY_COMPARE(driver.newGameDialogs, 1);
    QVERIFY(driver.handlers.empty());
    QVERIFY(w->Session().NoGameYet);
    QVERIFY(!w->Button1->isEnabled());
    QVERIFY(!w->ttbLoan->isEnabled());
  }

  void newGameWithTwoAndThreePlayers() {
    for (int players : {3, 2}) {
      ModalDriver driver;
      driver.Expect(StartGame(players, {false, true, true}));
      auto w = MakeWindow();
      w->show();
      QVERIFY(WaitForRoll(*w));
      QCOMPARE(w->Session().PlayerCount, players);
      QCOMPARE(w->Brik[2]->isVisible(), players == 3);
      QVERIFY(w->ttbLoan->isEnabled());
      QTRY_COMPARE(Text(w->Panels[0].Name), QStringLiteral("Ann"));
      QCOMPARE(Text(w->Panels[1].Name), QStringLiteral("Bart Broker  [CPU]"));
      QCOMPARE(Text(w->Label18), QStringLiteral("Ann's turn"));
      QCOMPARE(Text(w->Panels[0].Values[static_cast<int>(PanelField::Cash)]),
               QStringLiteral("5.000.000,00"));
      if (players == 2) {
        QCOMPARE(Text(w->Panels[2].Name), QString());
        QCOMPARE(Text(w->Panels[2].Values[static_cast<int>(PanelField::Total)]), QString());
        QCOMPARE(w->PlayerStatus[2]->pixmap().toImage().pixelColor(80, 10),
                 QColor(0x80, 0x80, 0x80));
      } else {
        QCOMPARE(w->PlayerStatus[2]->pixmap().toImage().pixelColor(80, 10), QColor(0, 0x66, 0xCC));
      }
    }
  }

  void aWholeMoveWalksOverStartAndPassesTheTurn() {
    ModalDriver driver;
    auto w = MakeWindow();
    NewGameChoice choice;
    choice.Seats[0] = {"Ann", 5000000, false};
    choice.Seats[1] = {"Bob", 5000000, false};
    w->StartupNewGame->stop();
    w->Session().StartNewGame(choice);
    w->Session().Game.Players[0].CurrentPosition = 40;
    w->Session().Game.Players[0].Loan = 100000;
    w->show();
    random_.Roll(2, 3);                        // 41, 42, 1, 2, 3
    driver.Expect(ClickBox(QMessageBox::No));  // square 3: do not buy
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    QVERIFY(!w->Button1->isEnabled());
    QVERIFY(!w->ttbLoan->isEnabled());
    QTRY_VERIFY(w->Terning1->isVisible());
    QTRY_COMPARE(w->Session().Game.Players[0].CurrentPosition, 41);
    QCOMPARE(w->Brik[0]->pos(), QPoint(64 + 13, 152 + 14));
    QVERIFY(WaitForRoll(*w));
    QCOMPARE(w->Session().Game.Players[0].CurrentPosition, 3);
    QCOMPARE(w->Session().Game.Players[0].Money, 5000000 + 300000 - 14000);
    QCOMPARE(w->Session().CurrentPlayerID, 1);
    QVERIFY(!w->Terning1->isVisible());
    QVERIFY(driver.messages.back().startsWith(QStringLiteral("Do you wish to buy")));
    QTRY_COMPARE(Text(w->Label18), QStringLiteral("Bob's turn"));
  }

  void purchasePromptAnsweredYesAndNo() {
    for (bool yes : {true, false}) {
      ModalDriver driver;
      auto w = StartedWindow();
      w->Session().AnimationOn = false;
      random_.Roll(1, 1);  // square 3, ground 2
      driver.Expect(ClickBox(yes ? QMessageBox::Yes : QMessageBox::No));
      w->Button1Click();
      QVERIFY(WaitForRoll(*w));
      const TGrund& g = w->Session().Game.Grounds[1];
      QCOMPARE(g.Owner, yes ? 0 : -1);
      QCOMPARE(w->Session().Game.Players[0].Money, yes ? 5000000 - g.Price : 5000000);
      QVERIFY(w->GroundTooltip(1).contains(yes ? QStringLiteral("Owner: Ann")
                                               : QStringLiteral("for sale")));
    }
  }

  void loanTipAndComputerTurn() {
    ModalDriver driver;
    auto w = StartedWindow(true);
    w->Session().AnimationOn = false;
    w->Session().Game.Players[0].Loan = 1;
    QTRY_VERIFY(Text(w->NotificationLabel).startsWith(QStringLiteral("TIP")));
    w->Session().Game.Players[0].Loan = 0;
    QTRY_COMPARE(Text(w->NotificationLabel), QString());
    // Ann moves onto a plain square; the computer then plays its turn without any help.
    w->Session().Game.Players[0].CurrentPosition = 1;
    w->Session().Game.Players[1].CurrentPosition = 1;
    random_.Roll(2, 3);  // Ann: square 6
    random_.Roll(2, 3);  // Bob: square 6
    w->Button1Click();
    QTRY_COMPARE_WITH_TIMEOUT(w->Session().Game.Players[1].CurrentPosition, 6, 5000);
    QVERIFY(WaitForRoll(*w));
    QCOMPARE(w->Session().CurrentPlayerID, 0);
    QVERIFY(w->Session().CPUTurns >= 1);
  }

  void twoPlayerGameEndsWithItsMessageAndANewGameDialog() {
    ModalDriver driver;
    auto w = StartedWindow();
    w->show();
    driver.Expect(
        [](QWidget* box) { static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click(); });
    driver.Expect([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
    w->Session().Game.Players[1].Loan = 100000000;
    QTRY_COMPARE(driver.newGameDialogs, 1);
    QCOMPARE(driver.messages.front(), QStringLiteral("Bob has lost the game! Ann wins!"));
    QVERIFY(!w->Button1->isEnabled());
    QVERIFY(!w->ttbLoan->isEnabled());
  }

  void refreshesWithNothingNewPaintNothing() {
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupNewGame->stop();
    NewGameChoice choice;
    choice.PlayerCount = 3;
    w->Session().StartNewGame(choice);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->Timer3->stop();
    w->CPU->stop();
    w->Timer3Timer();
    QApplication::processEvents();
    int paints = 0;
    struct Counter : QObject {
      int* count;
      bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++*count;
        return false;
      }
    } counter;
    counter.count = &paints;
    const auto labels = w->findChildren<QLabel*>();
    for (QLabel* l : labels) l->installEventFilter(&counter);
    for (int i = 0; i < 100; ++i) {
      w->Timer3Timer();
      QApplication::processEvents();
    }
    QCOMPARE(paints, 0);
    w->Session().Game.Players[0].Money += 1;
    w->Timer3Timer();
    QApplication::processEvents();
    QVERIFY(paints > 0);
  }

  void saveAsksOnceThenWritesToTheRememberedFile() {
    QTemporaryDir dir;
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    files->saves = {dir.filePath(QStringLiteral("first"))};
    w->tbbSaveGameClick();
    const QString saved = dir.filePath(QStringLiteral("first.qbgame"));
    QCOMPARE(QString::fromStdString(w->Session().Game.FileName), saved);
    QVERIFY(QFileInfo::exists(saved));
    w->Session().Game.Players[0].Money = 1234;
    w->tbbSaveGameClick();
    QCOMPARE(files->asked, 1);
    QVERIFY(QFile(saved).open(QIODevice::ReadOnly));
    QFile f(saved);
    f.open(QIODevice::ReadOnly);
    QVERIFY(f.readAll().contains("<Money>1234</Money>"));
    QVERIFY(driver.messages.empty());
    // After a new game the next save asks again.
    w->Session().StartNewGame(NewGameChoice{});
    w->tbbSaveGameClick();
    QCOMPARE(files->asked, 2);
  }

  void cancelledDialogsChangeNothing() {
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    w->Session().Game.FileName = "kept.qbgame";
    const std::string before = w->Session().Game.Players[0].Name;
    w->tbbSaveGameAsClick();
    w->tbbLoadGameClick();
    QCOMPARE(w->Session().Game.FileName, std::string("kept.qbgame"));
    QCOMPARE(w->Session().Game.Players[0].Name, before);
    w->Session().Game.FileName.clear();
    w->tbbSaveGameClick();
    QVERIFY(w->Session().Game.FileName.empty());
    QCOMPARE(files->asked, 3);
    QVERIFY(driver.messages.empty());
  }

  void saveAsKeepsTheNewNameWhenTheWriteFails() {
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    files->saves = {QStringLiteral("/nonexistent-folder/game.qbgame")};
    w->tbbSaveGameAsClick();
    QTRY_COMPARE(driver.messages.size(), std::size_t{1});
    QVERIFY(driver.messages[0].startsWith(kSaveError + QStringLiteral("\n\n")));
    QVERIFY(driver.messages[0].contains(QStringLiteral("No such file or directory")));
    QCOMPARE(w->Session().Game.FileName, std::string("/nonexistent-folder/game.qbgame"));
    QVERIFY(w->RecentFileEntries().isEmpty());
  }

  void failedLoadKeepsTheBoard() {
    QTemporaryDir dir;
    QFile bad(dir.filePath(QStringLiteral("bad.qbgame")));
    bad.open(QIODevice::WriteOnly);
    bad.write("<QuillburyGame><Players></Players></QuillburyGame>\r\n");
    bad.close();
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    w->Session().Game.Grounds[3].Owner = 1;
    files->opens = {bad.fileName()};
    w->tbbLoadGameClick();
    QTRY_COMPARE(driver.messages.size(), std::size_t{1});
    QCOMPARE(driver.messages[0], kLoadError + QStringLiteral("\n\n") + bad.fileName() +
                                     QStringLiteral(" is not a saved game that can be played: a "
                                                    "game has 2 or 3 players, the file has 0"));
    QCOMPARE(w->Session().Game.Players[0].Name, std::string("Ann"));
    QCOMPARE(w->Session().Game.Grounds[3].Owner, 1);
  }

  void recentFilesSurviveARestartAndAMissingOneLeavesTheList() {
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.qbgame"));
    const QString b = dir.filePath(QStringLiteral("b.qbgame"));
    {
      ModalDriver driver;
      ScriptedFiles* files = nullptr;
      auto w = GameWindow(files);
      files->saves = {a, b};
      w->tbbSaveGameAsClick();
      w->tbbSaveGameAsClick();
      files->opens = {a};
      w->tbbLoadGameClick();
      QCOMPARE(w->RecentFileEntries(), (QStringList{a, b}));
    }
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupNewGame->stop();
    QCOMPARE(w->RecentFileEntries(), (QStringList{a, b}));
    QCOMPARE(w->TBXMRUListItem1.size(), 2);
    QVERIFY(w->TBXMRUListItem1[0]->text().contains(QStringLiteral("a.qbgame")));
    w->TBXMRUListItem1[1]->trigger();
    QCOMPARE(w->Session().Game.FileName, b.toStdString());
    QVERIFY(!w->Session().NoGameYet);
    QCOMPARE(w->RecentFileEntries(), (QStringList{b, a}));
    QFile::remove(a);
    w->OpenRecentFile(a);
    QTRY_COMPARE(driver.messages.size(), std::size_t{1});
    QVERIFY(driver.messages[0].contains(QStringLiteral("no longer there")));
    QCOMPARE(w->RecentFileEntries(), (QStringList{b}));
    QCOMPARE(w->Session().Game.FileName, b.toStdString());
  }

  void startedWithASavedGameShowsItAndNoNewGameDialog() {
    ModalDriver driver;
    const QString file =
        QStringLiteral(QUILLBURY_TEST_DATA "/persistence/data/good/mid-move-three.qbgame");
    driver.Expect(ClickBox(QMessageBox::No));  // the resumed move may end on a company
    auto w = MakeWindow(QStringLiteral(QUILLBURY_BIN_DIR), file);
    w->show();
    QTest::qWait(400);
    QCOMPARE(driver.newGameDialogs, 0);
    QCOMPARE(w->Session().Game.FileName, file.toStdString());
    QCOMPARE(w->Session().PlayerCount, 3);
    QVERIFY(w->Brik[2]->isVisible());
    QCOMPARE(w->RecentFileEntries(), QStringList{file});
  }

  void gameLogFollowsTheGameAndSavesAsText() {
    QTemporaryDir dir;
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    w->Session().AnimationOn = false;
    w->Session().Game.Players[0].CurrentPosition = 1;
    random_.Roll(2, 3);  // a plain square
    w->tbbGameLogClick();
    QVERIFY(w->GameLog()->isVisible());
    w->Button1Click();
    QVERIFY(WaitForRoll(*w));
    QVERIFY(!w->GameLogLines().isEmpty());
    QVERIFY(w->GameLogLines().last().contains(QStringLiteral("Ann: Ann rolls 2 and 3.")));
    QVERIFY(w->GameLog()->Log->toPlainText().contains(QStringLiteral("rolls 2 and 3")));
    files->texts = {dir.filePath(QStringLiteral("log.txt"))};
    w->GameLog()->SaveButton->click();
    QFile log(dir.filePath(QStringLiteral("log.txt")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("rolls 2 and 3"));
  }

  void helpShowsTheRulesInTheGamesLanguage() {
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupNewGame->stop();
    w->tbbHelp2Click();
    QVERIFY(w->Rules()->isVisible());
    QVERIFY(w->Rules()->Text->toPlainText().contains(QStringLiteral("How to play Quillbury")));
    w->TBXItem11Click();  // to Danish
    w->tbbHelp2Click();
    QVERIFY(w->Rules()->Text->toPlainText().contains(QStringLiteral("Sådan spiller man")));
    QCOMPARE(ReadRegString(kSettingsKey, QStringLiteral("Language")), QStringLiteral("da.lang"));
  }

  void wallOfFameShowsTheStoredScore() {
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupNewGame->stop();
    w->tbbWallOfFameClick();
    WriteRegString(kWallOfFameKey, QStringLiteral("1"), QStringLiteral("2400000"));
    w->tbbWallOfFameClick();
    QTRY_COMPARE(driver.messages.size(), std::size_t{2});
    QVERIFY(driver.messages[0].contains(QStringLiteral("Nobody")));
    QVERIFY(driver.messages[1].contains(QStringLiteral("2.400.000,00")));
  }

  void brokenFileOnTheCommandLineIsReportedAndANewGameOffered() {
    ModalDriver driver;
    driver.Expect(
        [](QWidget* box) { static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click(); });
    driver.Expect([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
    auto w = MakeWindow(QStringLiteral(QUILLBURY_BIN_DIR), QStringLiteral("/nonexistent/x.qbgame"));
    w->show();
    QTRY_COMPARE(driver.newGameDialogs, 1);
    QVERIFY(
        driver.messages.front().startsWith(QStringLiteral("Error!!! Couldn't load your game.")));
    QVERIFY(w->Session().NoGameYet);
  }

  // ---- files and data nobody planned for

  void aLanguageSettingNamingAGoneFileStartsInEnglishAndIsCleared() {
    WriteRegString(kSettingsKey, QStringLiteral("Language"), QStringLiteral("gone.lang"));
    {
      ModalDriver driver;
      auto w = MakeWindow();
      w->StartupNewGame->stop();
      QVERIFY(!w->StartupFailed());
      QCOMPARE(driver.messages.size(), std::size_t{1});
      QCOMPARE(driver.messages[0], QStringLiteral("Error in language file. Quillbury is closing!"));
      QCOMPARE(w->Button1->text(), QStringLiteral("Roll"));
      QVERIFY(ReadRegString(kSettingsKey, QStringLiteral("Language")).isEmpty());
    }
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupNewGame->stop();
    QVERIFY(!w->StartupFailed());
    QVERIFY(driver.messages.empty());
  }

  // Without a sound company database no game can be played to its end: the window says why,
  // naming the file and the company, and stops, at start and at the next new game or load.
  void anUnfitDatabaseStopsTheWindowWithTheReason() {
    QTemporaryDir dir;
    const QString appDir = dir.path() + QLatin1Char('/');
    QDir().mkpath(appDir + QStringLiteral("Lang"));
    QFile::copy(QStringLiteral(QUILLBURY_BIN_DIR "Lang/en.lang"), appDir + "Lang/en.lang");
    QFile database(appDir + QStringLiteral("database.dat"));
    QVERIFY(database.open(QIODevice::WriteOnly));
    database.write("[1]\nName=Only one\nPrice=-5\n");
    database.close();
    {
      ModalDriver driver;
      auto w = MakeWindow(appDir);
      QVERIFY(w->StartupFailed());
      QCOMPARE(driver.messages.size(), std::size_t{1});
      QVERIFY(driver.messages[0].contains(database.fileName()));
      QVERIFY(driver.messages[0].contains(QStringLiteral("company 1 (Only one) the price \"-5\"")));
    }
    QVERIFY(database.remove());
    QVERIFY(QFile::copy(QStringLiteral(QUILLBURY_BIN_DIR "database.dat"), database.fileName()));
    const struct {
      const char* label;
      void (TfrmMainForm::*command)();
    } commands[] = {{"new game", &TfrmMainForm::tbbNewGameClick},
                    {"load", &TfrmMainForm::tbbLoadGameClick}};
    for (const auto& c : commands) {
      ModalDriver driver;
      auto w = MakeWindow(appDir);
      w->StartupNewGame->stop();
      QVERIFY(!w->StartupFailed());
      auto scripted = std::make_unique<ScriptedFiles>();
      ScriptedFiles* files = scripted.get();
      w->SetFileDialogs(std::move(scripted));
      w->show();
      QFile::rename(database.fileName(), database.fileName() + QStringLiteral(".away"));
      (w.get()->*c.command)();
      QTRY_COMPARE(driver.messages.size(), std::size_t{1});
      QVERIFY2(driver.messages[0].contains(QStringLiteral("database.dat does not exist")), c.label);
      QTRY_VERIFY2(!w->isVisible(), c.label);
      QCOMPARE(driver.newGameDialogs, 0);
      QCOMPARE(files->asked, 0);
      QFile::rename(database.fileName() + QStringLiteral(".away"), database.fileName());
    }
  }

  void savingBeforeAnyGameSaysSoAndWritesNothing() {
    QTemporaryDir dir;
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupNewGame->stop();
    auto scripted = std::make_unique<ScriptedFiles>();
    ScriptedFiles* files = scripted.get();
    files->saves = {dir.filePath(QStringLiteral("nothing.qbgame"))};
    w->SetFileDialogs(std::move(scripted));
    w->tbbSaveGameAsClick();
    w->tbbSaveGameClick();
    QTRY_COMPARE(driver.messages.size(), std::size_t{2});
    for (const QString& message : driver.messages) {
      QCOMPARE(message, QStringLiteral("There is no game to save yet. Start a new game or load one "
                                       "first."));
    }
    QCOMPARE(files->asked, 0);
    QVERIFY(QDir(dir.path()).isEmpty());
  }

  // A pipe would block the program for good; a folder is no game. Both fail at once, saying why.
  void loadingWhatIsNotAFileFailsAtOnceWithTheReason() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.qbgame"));
    QVERIFY(::mkfifo(pipe.toLocal8Bit().constData(), 0600) == 0);
    const QString folder = dir.filePath(QStringLiteral("folder.qbgame"));
    QDir().mkpath(folder);
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    files->opens = {pipe, folder};
    w->tbbLoadGameClick();
    w->tbbLoadGameClick();
    QTRY_COMPARE(driver.messages.size(), std::size_t{2});
    QCOMPARE(driver.messages[0], kLoadError + QStringLiteral("\n\n") + pipe +
                                     QStringLiteral(" is a named pipe, not a file."));
    QCOMPARE(driver.messages[1], kLoadError + QStringLiteral("\n\n") + folder +
                                     QStringLiteral(" is a folder, not a file."));
    QCOMPARE(w->Session().Game.Players[0].Name, std::string("Ann"));
  }

  void recentFilesShowTheirAmpersandAndOverlongEntriesAreDropped() {
    const QString tom = QStringLiteral("/saves/Tom&Jerry.qbgame");
    {
      QSettings settings;
      settings.setValue(RecentFiles::kKey + QStringLiteral("/MRU1"),
                        QString(5000, QLatin1Char('x')));
      settings.setValue(RecentFiles::kKey + QStringLiteral("/MRU2"), tom);
    }
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupNewGame->stop();
    QCOMPARE(w->RecentFileEntries(), QStringList{tom});
    QCOMPARE(w->TBXMRUListItem1.size(), 1);
    QCOMPARE(w->TBXMRUListItem1[0]->text(), QStringLiteral("&1 Tom&&Jerry.qbgame"));
    QSettings settings;
    QCOMPARE(settings.value(RecentFiles::kKey + QStringLiteral("/MRU1")).toString(), tom);
    QVERIFY(!settings.contains(RecentFiles::kKey + QStringLiteral("/MRU2")));
  }
};

int main(int argc, char** argv) {
  // No display needed: the window runs on the offscreen platform unless told otherwise.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "MainWindowTest.moc"
