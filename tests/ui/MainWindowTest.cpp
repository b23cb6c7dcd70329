// The real main window, with its real timers and modal dialogs, answered by a script.
#include <sys/stat.h>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <deque>
#include <functional>

#include "core/GroundDatabase.h"
#include "core/Random.h"
#include "net/GameClient.h"
#include "net/GameHost.h"
#include "net/Invite.h"
#include "persistence/GameFile.h"
#include "tests/ScriptedDraws.h"
#include "ui/BoardLayout.h"
#include "ui/BoardView.h"
#include "ui/CasinoWindow.h"
#include "ui/CrashReport.h"
#include "ui/GameLogWindow.h"
#include "ui/HostGameDialog.h"
#include "ui/JoinGameDialog.h"
#include "ui/MainWindow.h"
#include "ui/NewGameDialog.h"
#include "ui/RulesWindow.h"
#include "ui/Settings.h"
#include "ui/StatisticsWindow.h"
#include "ui/StatusPanel.h"
#include "ui/WonDialog.h"

using namespace quillbury;
using namespace quillbury::ui;

Q_DECLARE_METATYPE(quillbury::GameEvent)

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
  int prompts = 0;

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // A window is answered once; a new one may reuse a closed one's address, so mark it.
    if (modal == nullptr || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) messages.push_back(box->text());
    if (qobject_cast<NewGameDialog*>(modal) != nullptr) ++newGameDialogs;
    if (qobject_cast<QInputDialog*>(modal) != nullptr) ++prompts;
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
    auto* d = static_cast<NewGameDialog*>(w);
    (players == 3 ? d->ThreePlayersButton() : d->TwoPlayersButton())->setChecked(true);
    for (int i = 0; i < 3; ++i)
      (cpu[static_cast<std::size_t>(i)] ? d->ComputerButton(i) : d->PersonButton(i))
          ->setChecked(true);
    d->NameEdit(0)->setText(QStringLiteral("Ann"));
    d->StartButton()->click();
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
  std::function<void()> whileOpen;  // runs while the "dialog" is open

 private:
  QString Next(std::deque<QString>& q) {
    ++asked;
    if (whileOpen) whileOpen();
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

  std::unique_ptr<MainWindow> MakeWindow(const QString& appDir = QStringLiteral(QUILLBURY_BIN_DIR),
                                         const QString& file = QString()) {
    MainWindow::StartOptions o;
    o.AppDir = appDir;
    o.GameFile = file;
    o.Random = &random_;
    auto w = std::make_unique<MainWindow>(o);
    w->SetSoundOn(false);
    return w;
  }
  // A window with a two-player game of Ann and Bob under way, without the start-up dialog.
  std::unique_ptr<MainWindow> StartedWindow(bool bobIsComputer = false) {
    auto w = MakeWindow();
    w->StartupTimer()->stop();
    NewGameChoice choice;
    choice.Seats[0] = {"Ann", 5000000, false};
    choice.Seats[1] = {"Bob", 5000000, bobIsComputer};
    w->Game().StartNewGame(choice);
    return w;
  }
  // The default three-player game, shown.
  std::unique_ptr<MainWindow> DefaultThreePlayerWindow() {
    auto w = MakeWindow();
    w->StartupTimer()->stop();
    NewGameChoice choice;
    choice.PlayerCount = 3;
    w->Game().StartNewGame(choice);
    w->show();
    return w;
  }
  // The same with scripted file dialogs.
  std::unique_ptr<MainWindow> GameWindow(ScriptedFiles*& files) {
    auto w = StartedWindow();
    auto scripted = std::make_unique<ScriptedFiles>();
    files = scripted.get();
    w->SetFileDialogs(std::move(scripted));
    return w;
  }
  // Waits until the game waits for a roll.
  static bool WaitForRoll(MainWindow& w, int ms = 5000) {
    return QTest::qWaitFor(
        [&] { return w.RollButton()->isEnabled() && !w.WalkTimer()->isActive(); }, ms);
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
    QCOMPARE(w->RollButton()->text(), QStringLiteral("Slå"));
    QVERIFY(w->AboutAction()->text().endsWith(QStringLiteral(" Quillbury")));
    // Applying again never grows a caption built from a stem.
    const QString about = w->AboutAction()->text();
    w->ApplyLanguage();
    QCOMPARE(w->AboutAction()->text(), about);
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
    w->ChooseLanguage();
    QTRY_COMPARE(driver.messages.size(), std::size_t{1});
    QVERIFY(driver.messages[0].contains(QStringLiteral("da.lang")));
    QVERIFY(ReadRegString(kSettingsKey, QStringLiteral("Language")).isEmpty());
    QCOMPARE(w->RollButton()->text(), QStringLiteral("Roll"));
  }

  void newGameDialogOpensAfterStartUpAndCancelKeepsThePlaceholder() {
    ModalDriver driver;
    driver.Expect([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
    auto w = MakeWindow();
    w->show();
    QTRY_COMPARE(driver.newGameDialogs, 1);
    QVERIFY(driver.handlers.empty());
    QVERIFY(!w->Game().HasGame());
    QVERIFY(!w->RollButton()->isEnabled());
    QVERIFY(!w->LoanAction()->isEnabled());
  }

  void newGameWithTwoAndThreePlayers() {
    for (int players : {3, 2}) {
      ModalDriver driver;
      driver.Expect(StartGame(players, {false, true, true}));
      auto w = MakeWindow();
      w->show();
      QVERIFY(WaitForRoll(*w));
      QCOMPARE(w->Game().State().PlayerCount(), players);
      QCOMPARE(w->Board().Token(2)->isVisible(), players == 3);
      QVERIFY(w->LoanAction()->isEnabled());
      QTRY_COMPARE(Text(w->Panel(0).NameLabel()), QStringLiteral("Ann"));
      QCOMPARE(Text(w->Panel(1).NameLabel()), QStringLiteral("Bart Broker  [CPU]"));
      QCOMPARE(Text(w->TurnCaption()), QStringLiteral("Ann's turn"));
      QCOMPARE(Text(w->Panel(0).Value(PanelField::Cash)), QStringLiteral("5.000.000,00"));
      if (players == 2) {
        QCOMPARE(Text(w->Panel(2).NameLabel()), QString());
        QCOMPARE(Text(w->Panel(2).Value(PanelField::Total)), QString());
        QCOMPARE(w->Panel(2).pixmap().toImage().pixelColor(80, 10), QColor(0x80, 0x80, 0x80));
      } else {
        QCOMPARE(w->Panel(2).pixmap().toImage().pixelColor(80, 10), QColor(0, 0x66, 0xCC));
      }
    }
  }

  void aWholeMoveWalksOverStartAndPassesTheTurn() {
    ModalDriver driver;
    auto w = MakeWindow();
    NewGameChoice choice;
    choice.Seats[0] = {"Ann", 5000000, false};
    choice.Seats[1] = {"Bob", 5000000, false};
    w->StartupTimer()->stop();
    w->Game().StartNewGame(choice);
    w->Game().MutableState().Players[0].CurrentPosition = 40;
    w->Game().MutableState().Players[0].Loan = 100000;
    w->show();
    random_.Roll(2, 3);                        // 41, 42, 1, 2, 3
    driver.Expect(ClickBox(QMessageBox::No));  // square 3: do not buy
    QTest::mouseClick(w->RollButton(), Qt::LeftButton);
    QVERIFY(!w->RollButton()->isEnabled());
    QVERIFY(!w->LoanAction()->isEnabled());
    QTRY_VERIFY(w->Board().Die(0)->isVisible());
    QTRY_COMPARE(w->Game().MutableState().Players[0].CurrentPosition, 41);
    QCOMPARE(w->Board().Token(0)->pos(), QPoint(64 + 13, 112 + 14));
    QVERIFY(WaitForRoll(*w));
    QCOMPARE(w->Game().MutableState().Players[0].CurrentPosition, 3);
    QCOMPARE(w->Game().MutableState().Players[0].Money, 5000000 + 300000 - 14000);
    QCOMPARE(w->Game().State().CurrentPlayer, 1);
    QVERIFY(!w->Board().Die(0)->isVisible());
    QVERIFY(driver.messages.back().startsWith(QStringLiteral("Do you wish to buy")));
    QTRY_COMPARE(Text(w->TurnCaption()), QStringLiteral("Bob's turn"));
  }

  void purchasePromptAnsweredYesAndNo() {
    for (bool yes : {true, false}) {
      ModalDriver driver;
      auto w = StartedWindow();
      w->Game().Settings().Animation = false;
      random_.Roll(1, 1);  // square 3, ground 2
      driver.Expect(ClickBox(yes ? QMessageBox::Yes : QMessageBox::No));
      w->Roll();
      QVERIFY(WaitForRoll(*w));
      const Ground& g = w->Game().MutableState().Grounds[1];
      QCOMPARE(g.Owner, yes ? 0 : -1);
      QCOMPARE(w->Game().MutableState().Players[0].Money, yes ? 5000000 - g.Price : 5000000);
      QVERIFY(w->Board().GroundTooltip(1).contains(yes ? QStringLiteral("Owner: Ann")
                                                       : QStringLiteral("for sale")));
    }
  }

  void loanTipAndComputerTurn() {
    ModalDriver driver;
    auto w = StartedWindow(true);
    w->Game().Settings().Animation = false;
    w->Game().MutableState().Players[0].Loan = 1;
    QTRY_VERIFY(Text(w->Tip()).startsWith(QStringLiteral("TIP")));
    w->Game().MutableState().Players[0].Loan = 0;
    QTRY_COMPARE(Text(w->Tip()), QString());
    // Ann moves onto a plain square; the computer then plays its turn without any help.
    w->Game().MutableState().Players[0].CurrentPosition = 1;
    w->Game().MutableState().Players[1].CurrentPosition = 1;
    random_.Roll(2, 3);  // Ann: square 6
    random_.Roll(2, 3);  // Bob: square 6
    w->Roll();
    QTRY_COMPARE_WITH_TIMEOUT(w->Game().MutableState().Players[1].CurrentPosition, 6, 5000);
    QVERIFY(WaitForRoll(*w));
    QCOMPARE(w->Game().State().CurrentPlayer, 0);
    QVERIFY(w->Game().State().ComputerTurns >= 1);
  }

  // A strong computer seat plays through the real window: it builds where Ann may land next and
  // rolls by itself, and the classic computer's turn count is left alone.
  void strongComputerPlaysItsTurn() {
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupTimer()->stop();
    NewGameChoice choice;
    choice.Seats[0] = {"Ann", 5000000, false};
    choice.Seats[1] = {"Bob", 5000000, true, ComputerLevel::Strong};
    w->Game().StartNewGame(choice);
    w->Game().Settings().Animation = false;
    GameState& game = w->Game().MutableState();
    game.Players[0].CurrentPosition = 1;
    game.Players[1].CurrentPosition = 1;
    game.Grounds[5].Owner = 1;  // square 9, within Ann's next roll from square 6
    random_.Roll(2, 3);         // Ann: square 6
    random_.Roll(2, 3);         // Bob: square 6
    w->Roll();
    QTRY_COMPARE_WITH_TIMEOUT(w->Game().State().Players[1].CurrentPosition, 6, 5000);
    QVERIFY(WaitForRoll(*w));
    QCOMPARE(w->Game().State().CurrentPlayer, 0);
    QCOMPARE(w->Game().State().Grounds[5].House, 3);
    QCOMPARE(w->Game().State().ComputerTurns, 0);
    QTRY_COMPARE(Text(w->Panel(1).NameLabel()), QStringLiteral("Bob  [CPU]"));
  }

  void twoPlayerGameEndsWithItsMessageAndANewGameDialog() {
    ModalDriver driver;
    auto w = StartedWindow();
    w->show();
    driver.Expect(
        [](QWidget* box) { static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click(); });
    driver.Expect([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
    w->Game().MutableState().Players[1].Loan = 100000000;
    QTRY_COMPARE(driver.newGameDialogs, 1);
    QCOMPARE(driver.messages.front(), QStringLiteral("Bob has lost the game! Ann wins!"));
    QVERIFY(!w->RollButton()->isEnabled());
    QVERIFY(!w->LoanAction()->isEnabled());
    // With New Game cancelled, the final position stays with a caption that says what next.
    QTRY_VERIFY(w->Board().Caption()->isVisible());
    QCOMPARE(w->Board().Caption()->text(),
             QStringLiteral("Game over. Choose File > New Game to play again."));
    QCOMPARE(Text(w->Panel(0).NameLabel()), QStringLiteral("Ann"));
    QCOMPARE(Text(w->Panel(1).NameLabel()), QStringLiteral("Bob"));
    QVERIFY(w->Board().Token(0)->isVisible());
    QVERIFY(!w->Board().Token(1)->isVisible());
    QVERIFY(w->Board().GroundTooltip(0).contains(QStringLiteral("for sale")));
  }

  void refreshesWithNothingNewPaintNothing() {
    ModalDriver driver;
    auto w = DefaultThreePlayerWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->RefreshTimer()->stop();
    w->ComputerTimer()->stop();
    w->RefreshStatus();
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
      w->RefreshStatus();
      QApplication::processEvents();
    }
    QCOMPARE(paints, 0);
    w->Game().MutableState().Players[0].Money += 1;
    w->RefreshStatus();
    QApplication::processEvents();
    QVERIFY(paints > 0);
  }

  void saveAsksOnceThenWritesToTheRememberedFile() {
    QTemporaryDir dir;
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    files->saves = {dir.filePath(QStringLiteral("first"))};
    w->SaveGameCommand();
    const QString saved = dir.filePath(QStringLiteral("first.qbgame"));
    QCOMPARE(QString::fromStdString(w->CurrentFile()), saved);
    QVERIFY(QFileInfo::exists(saved));
    w->Game().MutableState().Players[0].Money = 1234;
    w->SaveGameCommand();
    QCOMPARE(files->asked, 1);
    QVERIFY(QFile(saved).open(QIODevice::ReadOnly));
    QFile f(saved);
    f.open(QIODevice::ReadOnly);
    QVERIFY(f.readAll().contains("<Money>1234</Money>"));
    QVERIFY(driver.messages.empty());
    // After a new game the next save asks again.
    w->Game().StartNewGame(NewGameChoice{});
    w->SaveGameCommand();
    QCOMPARE(files->asked, 2);
  }

  void cancelledDialogsChangeNothing() {
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    w->SetCurrentFile("kept.qbgame");
    const std::string before = w->Game().MutableState().Players[0].Name;
    w->SaveGameAsCommand();
    w->LoadGameCommand();
    QCOMPARE(w->CurrentFile(), std::string("kept.qbgame"));
    QCOMPARE(w->Game().MutableState().Players[0].Name, before);
    w->SetCurrentFile("");
    w->SaveGameCommand();
    QVERIFY(w->CurrentFile().empty());
    QCOMPARE(files->asked, 3);
    QVERIFY(driver.messages.empty());
  }

  void saveAsKeepsTheNewNameWhenTheWriteFails() {
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    files->saves = {QStringLiteral("/nonexistent-folder/game.qbgame")};
    w->SaveGameAsCommand();
    QTRY_COMPARE(driver.messages.size(), std::size_t{1});
    QVERIFY(driver.messages[0].startsWith(kSaveError + QStringLiteral("\n\n")));
    QVERIFY(driver.messages[0].contains(QStringLiteral("No such file or directory")));
    QCOMPARE(w->CurrentFile(), std::string("/nonexistent-folder/game.qbgame"));
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
    w->Game().MutableState().Grounds[3].Owner = 1;
    files->opens = {bad.fileName()};
    w->LoadGameCommand();
    QTRY_COMPARE(driver.messages.size(), std::size_t{1});
    QCOMPARE(driver.messages[0], kLoadError + QStringLiteral("\n\n") + bad.fileName() +
                                     QStringLiteral(" is not a saved game that can be played: a "
                                                    "game has 2 or 3 players, the file has 0"));
    QCOMPARE(w->Game().State().Players[0].Name, std::string("Ann"));
    QCOMPARE(w->Game().State().Grounds[3].Owner, 1);
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
      w->SaveGameAsCommand();
      w->SaveGameAsCommand();
      files->opens = {a};
      w->LoadGameCommand();
      QCOMPARE(w->RecentFileEntries(), (QStringList{a, b}));
    }
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupTimer()->stop();
    QCOMPARE(w->RecentFileEntries(), (QStringList{a, b}));
    QCOMPARE(w->RecentFileActions().size(), 2);
    QVERIFY(w->RecentFileActions()[0]->text().contains(QStringLiteral("a.qbgame")));
    w->RecentFileActions()[1]->trigger();
    QCOMPARE(w->CurrentFile(), b.toStdString());
    QVERIFY(w->Game().HasGame());
    QCOMPARE(w->RecentFileEntries(), (QStringList{b, a}));
    QFile::remove(a);
    w->OpenRecentFile(a);
    QTRY_COMPARE(driver.messages.size(), std::size_t{1});
    QVERIFY(driver.messages[0].contains(QStringLiteral("no longer there")));
    QCOMPARE(w->RecentFileEntries(), (QStringList{b}));
    QCOMPARE(w->CurrentFile(), b.toStdString());
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
    QCOMPARE(w->CurrentFile(), file.toStdString());
    QCOMPARE(w->Game().State().PlayerCount(), 3);
    QVERIFY(w->Board().Token(2)->isVisible());
    QCOMPARE(w->RecentFileEntries(), QStringList{file});
  }

  void gameLogFollowsTheGameAndSavesAsText() {
    QTemporaryDir dir;
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    w->Game().Settings().Animation = false;
    w->Game().MutableState().Players[0].CurrentPosition = 1;
    random_.Roll(2, 3);  // a plain square
    w->ShowGameLog();
    QVERIFY(w->GameLog()->isVisible());
    w->Roll();
    QVERIFY(WaitForRoll(*w));
    QVERIFY(!w->GameLogLines().isEmpty());
    QVERIFY(w->GameLogLines().join('\n').contains(QStringLiteral("  Ann: rolls 2 and 3.")));
    QVERIFY(w->GameLog()->LogView()->toPlainText().contains(QStringLiteral("rolls 2 and 3")));
    files->texts = {dir.filePath(QStringLiteral("log.txt"))};
    w->GameLog()->SaveButton()->click();
    QFile log(dir.filePath(QStringLiteral("log.txt")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("rolls 2 and 3"));
  }

  void helpShowsTheRulesInTheGamesLanguage() {
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupTimer()->stop();
    w->ShowRules();
    QVERIFY(w->Rules()->isVisible());
    QVERIFY(
        w->Rules()->RulesView()->toPlainText().contains(QStringLiteral("How to play Quillbury")));
    w->ChooseLanguage();  // to Danish
    w->ShowRules();
    QVERIFY(w->Rules()->RulesView()->toPlainText().contains(QStringLiteral("Sådan spiller man")));
    QCOMPARE(ReadRegString(kSettingsKey, QStringLiteral("Language")), QStringLiteral("da.lang"));
  }

  void wallOfFameShowsTheStoredScore() {
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupTimer()->stop();
    w->ShowWallOfFame();
    WriteRegString(kWallOfFameKey, QStringLiteral("1"), QStringLiteral("2400000"));
    w->ShowWallOfFame();
    QTRY_COMPARE(driver.messages.size(), std::size_t{2});
    QVERIFY(driver.messages[0].contains(QStringLiteral("Nobody")));
    QCOMPARE(driver.messages[1], QStringLiteral("Last score entered: $ 2.400.000,00"));
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
    QVERIFY(!w->Game().HasGame());
  }

  // ---- files and data nobody planned for

  void aLanguageSettingNamingAGoneFileStartsInEnglishAndIsCleared() {
    WriteRegString(kSettingsKey, QStringLiteral("Language"), QStringLiteral("gone.lang"));
    {
      ModalDriver driver;
      auto w = MakeWindow();
      w->StartupTimer()->stop();
      QVERIFY(!w->StartupFailed());
      QCOMPARE(driver.messages.size(), std::size_t{1});
      QCOMPARE(driver.messages[0], QStringLiteral("Error in language file. Quillbury is closing!"));
      QCOMPARE(w->RollButton()->text(), QStringLiteral("Roll"));
      QVERIFY(ReadRegString(kSettingsKey, QStringLiteral("Language")).isEmpty());
    }
    ModalDriver driver;
    auto w = MakeWindow();
    w->StartupTimer()->stop();
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
      void (MainWindow::*command)();
    } commands[] = {{"new game", &MainWindow::NewGameCommand},
                    {"load", &MainWindow::LoadGameCommand}};
    for (const auto& c : commands) {
      ModalDriver driver;
      auto w = MakeWindow(appDir);
      w->StartupTimer()->stop();
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
    w->StartupTimer()->stop();
    auto scripted = std::make_unique<ScriptedFiles>();
    ScriptedFiles* files = scripted.get();
    files->saves = {dir.filePath(QStringLiteral("nothing.qbgame"))};
    w->SetFileDialogs(std::move(scripted));
    w->SaveGameAsCommand();
    w->SaveGameCommand();
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
    w->LoadGameCommand();
    w->LoadGameCommand();
    QTRY_COMPARE(driver.messages.size(), std::size_t{2});
    QCOMPARE(driver.messages[0], kLoadError + QStringLiteral("\n\n") + pipe +
                                     QStringLiteral(" is a named pipe, not a file."));
    QCOMPARE(driver.messages[1], kLoadError + QStringLiteral("\n\n") + folder +
                                     QStringLiteral(" is a folder, not a file."));
    QCOMPARE(w->Game().State().Players[0].Name, std::string("Ann"));
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
    w->StartupTimer()->stop();
    QCOMPARE(w->RecentFileEntries(), QStringList{tom});
    QCOMPARE(w->RecentFileActions().size(), 1);
    QCOMPARE(w->RecentFileActions()[0]->text(), QStringLiteral("&1 Tom&&Jerry.qbgame"));
    QSettings settings;
    QCOMPARE(settings.value(RecentFiles::kKey + QStringLiteral("/MRU1")).toString(), tom);
    QVERIFY(!settings.contains(RecentFiles::kKey + QStringLiteral("/MRU2")));
  }

  // A window outside the game's flow holds everything still: the computer does not roll, a walk
  // does not step, the refresh does not redraw, Roll is off. Once it closes, play goes on.
  void nothingMovesBehindAWindowOutsideTheGame() {
    using Open = std::function<void(MainWindow&, ScriptedFiles&, ModalDriver&,
                                    const std::function<void()>& whileOpen)>;
    // A modal window: the driver holds it open while the check runs, then closes it.
    auto modal = [](std::function<void(MainWindow&)> openIt) {
      return [openIt](MainWindow& w, ScriptedFiles&, ModalDriver& driver,
                      const std::function<void()>& whileOpen) {
        driver.Expect([whileOpen](QWidget* d) {
          whileOpen();
          static_cast<QDialog*>(d)->reject();
        });
        openIt(w);
      };
    };
    auto fileDialog = [](void (MainWindow::*command)()) {
      return [command](MainWindow& w, ScriptedFiles& files, ModalDriver&,
                       const std::function<void()>& whileOpen) {
        files.whileOpen = whileOpen;
        (w.*command)();
        files.whileOpen = nullptr;
      };
    };
    const struct {
      const char* name;
      Open open;
    } windows[] = {
        {"new game", modal(&MainWindow::NewGameCommand)},
        {"about", modal(&MainWindow::ShowAbout)},
        {"wall of fame", modal(&MainWindow::ShowWallOfFame)},
        {"program message", modal([](MainWindow& w) {
           w.OpenRecentFile(QStringLiteral("/nonexistent/gone.qbgame"));
         })},
        {"error report", modal([](MainWindow& w) {
           ShowErrorReport(&w, QStringLiteral("a fault"));
           const QPointer<CrashReportDialog> report = CrashReportDialog::Current();
           QVERIFY(QTest::qWaitFor([&report] { return report.isNull() || !report->isVisible(); },
                                   5000));
         })},
        {"load", fileDialog(&MainWindow::LoadGameCommand)},
        {"save as", fileDialog(&MainWindow::SaveGameAsCommand)},
        {"game log's save",
         [](MainWindow& w, ScriptedFiles& files, ModalDriver&,
            const std::function<void()>& whileOpen) {
           files.whileOpen = whileOpen;
           w.ShowGameLog();
           w.GameLog()->SaveButton()->click();
           files.whileOpen = nullptr;
           w.GameLog()->close();
         }},
        {"help",
         [](MainWindow& w, ScriptedFiles&, ModalDriver&, const std::function<void()>& whileOpen) {
           w.ShowRules();
           whileOpen();
           w.Rules()->close();
         }},
    };
    for (const auto& window : windows) {
      ModalDriver driver;
      ScriptedFiles* files = nullptr;
      auto w = GameWindow(files);
      NewGameChoice choice;
      choice.Seats[0] = {"Ann", 5000000, false};
      choice.Seats[1] = {"Bob", 5000000, true};
      w->Game().StartNewGame(choice);
      w->show();
      QLabel* annCash = w->Panel(0).Value(PanelField::Cash);
      QTRY_COMPARE(annCash->text(), QStringLiteral("5.000.000,00"));
      GameState& game = w->Game().MutableState();
      game.Players[0].CurrentPosition = 1;
      game.Players[1].CurrentPosition = 1;
      game.CurrentPlayer = 1;  // the computer may roll at its next tick
      random_.Roll(2, 3);      // Bob: square 6, a plain square
      int position = -1;
      bool rollOff = false;
      QString cashShown;
      auto still = [&] {
        position = w->Game().State().Players[1].CurrentPosition;
        w->Game().MutableState().Players[0].Money += 1000;  // the refresh would show it
        QTest::qWait(500);                                  // longer than a step of the walk
        rollOff = !w->RollButton()->isEnabled() && !w->LoanAction()->isEnabled();
        cashShown = annCash->text();
      };
      // Before the computer's roll: it waits.
      window.open(*w, *files, driver, [&] {
        still();
        QVERIFY2(w->Paused(), window.name);
      });
      QVERIFY2(position == 1, window.name);
      QVERIFY2(w->Game().State().Players[1].CurrentPosition == 1, window.name);
      QVERIFY2(rollOff, window.name);
      QVERIFY2(cashShown == QStringLiteral("5.000.000,00"), window.name);
      // During the computer's walk: the walk waits.
      QTRY_VERIFY2(w->Game().State().Players[1].CurrentPosition != 1, window.name);
      window.open(*w, *files, driver, still);
      QVERIFY2(w->Game().State().Players[1].CurrentPosition == position, window.name);
      QTRY_VERIFY2_WITH_TIMEOUT(!w->Paused(), window.name, 1000);
      QVERIFY2(WaitForRoll(*w), window.name);
      QCOMPARE(w->Game().State().Players[1].CurrentPosition, 6);
      QCOMPARE(w->Game().State().CurrentPlayer, 0);
      QTRY_COMPARE(annCash->text(), QStringLiteral("5.002.000,00"));
    }
  }

  // A question of a game that ends or is replaced while it is open closes, answering nothing;
  // the next game's windows are not stacked over stale ones.
  void theOldGamesBoxesCloseWhenItEndsOrIsReplaced() {
    for (const bool replaced : {false, true}) {
      ModalDriver driver;
      auto w = StartedWindow();
      w->show();
      w->Game().Settings().Animation = false;
      random_.Roll(1, 1);  // square 3: the purchase question
      QPointer<QWidget> question;
      bool asked = false;
      bool questionOpenAfterEnd = true;
      driver.Expect([&](QWidget* box) {
        question = box;
        asked = true;
        if (replaced) {
          NewGameChoice choice;
          choice.Seats[0] = {"Cy", 7000000, false};
          choice.Seats[1] = {"Di", 7000000, false};
          w->Game().StartNewGame(choice);
          questionOpenAfterEnd = box->isVisible();
        } else {
          w->Game().MutableState().Players[1].Loan = 100000000;  // Bob loses at the refresh
        }
      });
      if (!replaced) {
        driver.Expect([&](QWidget* box) {  // "Bob has lost the game! Ann wins!"
          questionOpenAfterEnd = !question.isNull() && question->isVisible();
          static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
        driver.Expect([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
      }
      w->Roll();
      if (!replaced) QTRY_COMPARE(driver.newGameDialogs, 1);
      QTRY_VERIFY(asked);
      QVERIFY(!questionOpenAfterEnd);
      if (replaced) {
        QVERIFY(WaitForRoll(*w));
        QCOMPARE(w->Game().State().Players[0].Name, std::string("Cy"));
        QCOMPARE(w->Game().State().Players[0].Money, 7000000);
        QCOMPARE(w->Game().State().Grounds[1].Owner, -1);
      }
    }
  }

  void logHoldsALineForEveryKindOfEvent_data() {
    QTest::addColumn<GameEvent>("event");
    QTest::addColumn<QString>("line");  // after the time; {g} stands for ground 1's name
    auto row = [](const char* name, EventType type, int player,
                  const std::function<void(GameEvent&)>& fill, const char* line) {
      GameEvent e;
      e.Type = type;
      e.Player = player;
      if (fill) fill(e);
      QTest::newRow(name) << e << QString::fromUtf8(line);
    };
    using E = GameEvent&;
    row("game started", EventType::GameStarted, 0, {}, "A new game begins with Ann, Bob.");
    row(
        "roll", EventType::Rolled, 0, [](E e) { e.Die1 = 2, e.Die2 = 3; }, "Ann: rolls 2 and 3.");
    row(
        "a step is no line", EventType::Moved, 0, [](E e) { e.Square = 4; }, "");
    row(
        "start", EventType::PassedStart, 0, [](E e) { e.Salary = 300000, e.Interest = 14000; },
        "Ann: passes start: salary $ 300.000,00, interest $ 14.000,00.");
    row(
        "walk ended", EventType::WalkEnded, 0, [](E e) { e.Square = 6; },
        "Ann: stops on square 6.");
    row(
        "bought", EventType::Bought, 0, [](E e) { e.Ground = 0, e.Amount = 220000; },
        "Ann: buys 1. {g} for $ 220.000,00.");
    row(
        "rent", EventType::RentPaid, 0, [](E e) { e.Other = 1, e.Ground = 0, e.Amount = 55000; },
        "Ann: pays $ 55.000,00 in rent to Bob for 1. {g}.");
    row(
        "lottery", EventType::Chance, 0, [](E e) { e.Outcome = 0, e.Amount = 5000; },
        "Ann: wins $ 5.000,00 in the lottery.");
    row(
        "car bill", EventType::Chance, 0, [](E e) { e.Outcome = 1, e.Amount = 5000; },
        "Ann: pays a car bill of $ 5.000,00.");
    row(
        "inheritance", EventType::Chance, 0, [](E e) { e.Outcome = 2, e.Amount = 5000; },
        "Ann: inherits $ 5.000,00.");
    row(
        "tax", EventType::Chance, 0, [](E e) { e.Outcome = 3, e.Amount = 5000; },
        "Ann: pays $ 5.000,00 in tax.");
    row(
        "mayor", EventType::MayorBonus, 0, [](E e) { e.Amount = 100000; },
        "Ann: gets the mayor's bonus of $ 100.000,00.");
    row(
        "energy", EventType::BillPaid, 0, [](E e) { e.Outcome = 0, e.Amount = 900, e.Count = 3; },
        "Ann: pays $ 900,00 for energy for 3 buildings.");
    row(
        "water", EventType::BillPaid, 0, [](E e) { e.Outcome = 1, e.Amount = 600, e.Count = 2; },
        "Ann: pays $ 600,00 for water for 2 buildings.");
    row(
        "casino", EventType::CasinoWin, 0, [](E e) { e.Amount = 70000; },
        "Ann: wins $ 70.000,00 in the casino.");
    row(
        "bribe", EventType::BribePaid, 0, [](E e) { e.Amount = 20000; },
        "Ann: bribes the judge with $ 20.000,00 and goes free.");
    row(
        "jail", EventType::Jailed, 0, [](E e) { e.Sentence = 3, e.Amount = 10000; },
        "Ann: goes to jail for 2 rounds and pays a fine of $ 10.000,00.");
    row(
        "pay rise", EventType::PayRise, 0, [](E e) { e.Salary = 330000; },
        "Ann: gets a pay rise: the salary is now $ 330.000,00.");
    row(
        "shortcut", EventType::Shortcut, 0, [](E e) { e.Square = 30; },
        "Ann: takes the shortcut to square 30.");
    row(
        "robbery", EventType::Robbed, 0, [](E e) { e.Amount = 1000; },
        "Ann: is robbed of $ 1.000,00.");
    row(
        "build", EventType::Built, 0, [](E e) { e.Ground = 0, e.Level = 1, e.Amount = 40000; },
        "Ann: builds 1. {g} up to level 2 for $ 40.000,00.");
    row(
        "build lower", EventType::Built, 0,
        [](E e) { e.Ground = 0, e.Level = 0, e.Amount = -20000; },
        "Ann: takes 1. {g} down to level 1 and gets $ 20.000,00 back.");
    row(
        "forced building sale", EventType::BuildingSold, 1,
        [](E e) { e.Ground = 0, e.Count = 2, e.Amount = 30000, e.Forced = true; },
        "Bob: sells 2 building levels of 1. {g} for $ 30.000,00. (forced: debts)");
    row(
        "company sale", EventType::CompanySold, 0, [](E e) { e.Ground = 0, e.Amount = 220000; },
        "Ann: sells 1. {g} for $ 220.000,00.");
    row(
        "loan", EventType::LoanTaken, 0, [](E e) { e.Amount = 100000; },
        "Ann: borrows $ 100.000,00.");
    row(
        "automatic loan", EventType::LoanTaken, 1, [](E e) { e.Amount = 100000, e.Automatic = 1; },
        "Bob: borrows $ 100.000,00 to cover negative cash.");
    row(
        "repayment", EventType::LoanRepaid, 0, [](E e) { e.Amount = 50000; },
        "Ann: pays back $ 50.000,00 of the loan.");
    row(
        "bought from a player", EventType::BoughtFromPlayer, 0,
        [](E e) { e.Other = 1, e.Ground = 0, e.Amount = 429000, e.Received = 330000; },
        "Ann: buys 1. {g} from Bob for $ 429.000,00; Bob receives $ 330.000,00.");
    row("out", EventType::PlayerOut, 1, {}, "Bob: is out of the game.");
    row("turn", EventType::TurnPassed, 1, {}, "Bob: has the turn.");
    row(
        "extra turn", EventType::TurnPassed, 0, [](E e) { e.Extra = true; },
        "Ann: has an extra turn after a double six.");
    row(
        "won", EventType::GameWon, 0, [](E e) { e.Amount = 7000000; },
        "Ann: wins the game with $ 7.000.000,00.");
    row("nobody won", EventType::NobodyWon, -1, {}, "Nobody wins: every player went broke.");
  }

  // Every event is told in one line: the time, the player it concerns named once, what
  // happened; the game's own events name nobody.
  void logHoldsALineForEveryKindOfEvent() {
    QFETCH(GameEvent, event);
    QFETCH(QString, line);
    ModalDriver driver;
    auto w = StartedWindow();
    const qsizetype before = w->GameLogLines().size();
    w->OnGameEvent(event);
    const QStringList lines = w->GameLogLines().mid(before);
    if (line.isEmpty()) {
      QVERIFY(lines.isEmpty());
      return;
    }
    line.replace(QStringLiteral("{g}"), QString::fromStdString(w->Game().State().Grounds[0].Name));
    QCOMPARE(lines.size(), 1);
    QVERIFY2(
        QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d  ")).match(lines[0]).hasMatch(),
        qPrintable(lines[0]));
    QCOMPARE(lines[0].mid(10), line);
  }

  // Loading, saving and errors are the program's: they name no player. Reopened, the log shows
  // its newest line.
  void logNamesNoPlayerForTheProgramAndFollowsTheNewestLine() {
    QTemporaryDir dir;
    ModalDriver driver;
    ScriptedFiles* files = nullptr;
    auto w = GameWindow(files);
    const QString path = dir.filePath(QStringLiteral("kept.qbgame"));
    files->saves = {path};
    files->opens = {path};
    w->SaveGameAsCommand();
    w->LoadGameCommand();
    QStringList program;
    for (const QString& l : w->GameLogLines()) program << l.mid(10);
    QVERIFY(program.contains(QStringLiteral("Game saved to ") + path + QLatin1Char('.')));
    QVERIFY(program.contains(QStringLiteral("Game loaded from ") + path + QLatin1Char('.')));
    auto rolls = [&w](int count) {
      for (int i = 0; i < count; ++i) {
        GameEvent roll;
        roll.Type = EventType::Rolled;
        roll.Player = 0, roll.Die1 = 1 + i % 6, roll.Die2 = 1;
        w->OnGameEvent(roll);
      }
    };
    auto atNewest = [&w] {
      w->ShowGameLog();
      if (!QTest::qWaitForWindowExposed(w->GameLog())) return false;
      QScrollBar* bar = w->GameLog()->LogView()->verticalScrollBar();
      return bar->maximum() > 0 && bar->value() == bar->maximum();
    };
    rolls(300);
    QVERIFY(atNewest());  // opened for the first time on a long log
    w->GameLog()->LogView()->verticalScrollBar()->setValue(0);  // the reader scrolls back
    w->GameLog()->close();
    rolls(300);
    QVERIFY(atNewest());  // reopened
  }

  // The window opens in the middle of the screen, its three tokens apart on the start square.
  void opensCentredWithTokensApart() {
    ModalDriver driver;
    auto w = DefaultThreePlayerWindow();
    for (int a = 0; a < 3; ++a) {
      QCOMPARE(w->Board().TokenSquare(a), 1);
      for (int b = a + 1; b < 3; ++b) {
        QVERIFY(!w->Board().Token(a)->geometry().intersects(w->Board().Token(b)->geometry()));
      }
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY((w->geometry().center() - screen.center()).manhattanLength() <= 4);
  }

  // The largest sum and a negative one are shown whole; each panel wears its owner's colour.
  void panelsShowEveryValueWholeInTheOwnersColour() {
    ModalDriver driver;
    auto w = StartedWindow();
    w->show();
    w->RefreshTimer()->stop();
    GameState& game = w->Game().MutableState();
    game.Players[0].Money = 999999999;
    w->RefreshStatus();
    // A worth below zero is shown only for the moment before the player is out.
    w->SetPanelText(1, PanelField::Total, "-999.999.999,00");
    const struct {
      int panel;
      PanelField field;
    } values[] = {{0, PanelField::Cash}, {1, PanelField::Total}};
    for (const auto& v : values) {
      QLabel* label = w->Panel(v.panel).Value(v.field);
      const QString shown = label->text();
      QVERIFY2(shown.endsWith(QStringLiteral("999.999.999,00")), qPrintable(shown));
      QVERIFY2(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width(),
               qPrintable(shown));
    }
    for (int p = 0; p < 2; ++p) {
      QVERIFY(w->Panel(p).OwnerFrame()->isVisible());
      const QColor owner(game.Players[static_cast<std::size_t>(p)].Color & 0xFF,
                         (game.Players[static_cast<std::size_t>(p)].Color >> 8) & 0xFF,
                         (game.Players[static_cast<std::size_t>(p)].Color >> 16) & 0xFF);
      QVERIFY(w->Panel(p).OwnerFrame()->styleSheet().contains(owner.name()));
    }
    QVERIFY(!w->Panel(2).OwnerFrame()->isVisible());
  }

  // Input a finance action can never take, or that the rules turn down, is answered with one
  // line that says why.
  void refusedInputSaysWhy() {
    const QString ground = QStringLiteral("Type a whole number from 1 to 28.");
    const QString level = QStringLiteral("Type a whole number from 1 to 4.");
    const QString amount = QStringLiteral("Type a whole amount from 1 to 2.147.483.647.");
    const struct {
      const char* name;
      void (MainWindow::*action)();
      QStringList typed;  // one entry per prompt
      QString reason;
    } cases[] = {
        {"letters for a loan", &MainWindow::TakeLoan, {QStringLiteral("abc")}, amount},
        {"zero for a loan", &MainWindow::TakeLoan, {QStringLiteral("0")}, amount},
        {"a negative loan", &MainWindow::TakeLoan, {QStringLiteral("-5")}, amount},
        {"a loan beyond 32 bits", &MainWindow::TakeLoan, {QStringLiteral("99999999999")}, amount},
        {"ground 29 to sell", &MainWindow::SellCompany, {QStringLiteral("29")}, ground},
        {"ground 0 to buy", &MainWindow::BuyGroundFromPlayer, {QStringLiteral("0")}, ground},
        {"letters for a company to sell", &MainWindow::SellCompany, {QStringLiteral("x")}, ground},
        {"level 0 to build", &MainWindow::Build, {QStringLiteral("3"), QStringLiteral("0")}, level},
        {"five levels to sell",
         &MainWindow::SellBuilding,
         {QStringLiteral("3"), QStringLiteral("5")},
         level},
        // Well-formed numbers the rules turn down.
        {"building on an unowned company",
         &MainWindow::Build,
         {QStringLiteral("3"), QStringLiteral("1")},
         QStringLiteral("Company 3 is not yours.")},
        {"buying an unowned company",
         &MainWindow::BuyGroundFromPlayer,
         {QStringLiteral("3")},
         QStringLiteral("Company 3 is not owned by another player.")},
        {"repaying more than one has",
         &MainWindow::RepayLoan,
         {QStringLiteral("999999999")},
         QStringLiteral("You don't have enough money for that.")},
    };
    for (const auto& c : cases) {
      ModalDriver driver;
      auto w = StartedWindow();
      w->Game().MutableState().Players[0].Loan = 1000;  // so that Pay back asks
      const GameState before = w->Game().State();
      int prompts = 0;
      for (const QString& text : c.typed) {
        driver.Expect([text, &prompts](QWidget* d) {
          auto* input = qobject_cast<QInputDialog*>(d);
          if (input == nullptr) return static_cast<QDialog*>(d)->reject();
          ++prompts;
          input->setTextValue(text);
          input->accept();
        });
      }
      (w.get()->*c.action)();
      QTRY_VERIFY2(driver.handlers.empty(), c.name);
      QVERIFY2(prompts == c.typed.size(), c.name);
      QVERIFY2(driver.messages.size() == 1, c.name);
      QCOMPARE(driver.messages[0], c.reason);
      QVERIFY2(w->Game().State().Players == before.Players, c.name);
    }
  }

  // The chart has a line per player in the owner colour, a point at the start and one per roll,
  // growing while it is open; a new game starts it again.
  void statisticsChartOnePointPerRoll() {
    ModalDriver driver;
    auto w = DefaultThreePlayerWindow();
    w->Game().Settings().Animation = false;
    GameState& game = w->Game().MutableState();
    for (Player& p : game.Players) p.CPU = false;
    auto rollOnce = [&] {
      const int cur = w->Game().State().CurrentPlayer;
      w->Game().MutableState().Players[static_cast<std::size_t>(cur)].CurrentPosition = 1;
      random_.Roll(2, 3);  // square 6, a plain square
      w->Roll();
      return WaitForRoll(*w);
    };
    QVERIFY(rollOnce());
    QVERIFY(rollOnce());
    w->ShowStatistics();
    auto points = [&w] {
      QList<int> counts;
      for (QAbstractSeries* s : w->Statistics()->Chart()->series())
        counts << static_cast<QLineSeries*>(s)->count();
      return counts;
    };
    QCOMPARE(points(), (QList<int>{3, 3, 3}));
    const auto* first = static_cast<QLineSeries*>(w->Statistics()->Chart()->series()[0]);
    QCOMPARE(first->name(), QString::fromStdString(game.Players[0].Name));
    QCOMPARE(first->pen().color(),
             QColor(game.Players[0].Color & 0xFF, (game.Players[0].Color >> 8) & 0xFF,
                    (game.Players[0].Color >> 16) & 0xFF));
    QCOMPARE(first->at(0).y(), 5.0);  // million
    QVERIFY(rollOnce());
    QCOMPARE(points(), (QList<int>{4, 4, 4}));
    NewGameChoice two;
    w->Game().StartNewGame(two);
    QCOMPARE(points(), (QList<int>{1, 1}));
  }

  // A screen reader can tell the board: squares with their company and owner, tokens with their
  // player and square, panel values with their caption.
  void theBoardCarriesAccessibleNames() {
    ModalDriver driver;
    auto w = StartedWindow();
    w->Game().Settings().Animation = false;
    random_.Roll(1, 1);  // square 3, ground 2
    driver.Expect(ClickBox(QMessageBox::Yes));
    w->Roll();
    QVERIFY(WaitForRoll(*w));
    const std::string company = w->Game().State().Grounds[1].Name;
    QCOMPARE(w->Board().Square(3)->accessibleName(),
             QStringLiteral("Square 3: company 2 %1").arg(QString::fromStdString(company)));
    QCOMPARE(w->Board().Square(3)->accessibleDescription(),
             QStringLiteral("owner Ann, 0 buildings"));
    QCOMPARE(w->Board().Square(1)->accessibleName(), QStringLiteral("Square 1"));
    QCOMPARE(w->Board().Token(0)->accessibleName(), QStringLiteral("Ann's token"));
    QCOMPARE(w->Board().Token(0)->accessibleDescription(), QStringLiteral("on square 3"));
    QTRY_COMPARE(w->Panel(1).Value(PanelField::Cash)->accessibleName(),
                 QStringLiteral("Cash: 5.000.000,00"));
    QCOMPARE(w->Panel(1).accessibleDescription(),
             QStringLiteral("cash $ 5.000.000,00, total $ 5.000.000,00"));
  }

  // A network game through two windows in one process: the game under way is hosted with its
  // seats; the host's window waits for the joined
  // player by name and keeps its Roll off in his turn; the joined window draws the host's game,
  // rolls for its own seat and answers its own questions; the host's computer stands in when
  // the host lets it; the joined player sees the host pause and quit, and saves the game as it
  // stood.
  void networkGameThroughTwoWindows() {
    ModalDriver driver;
    QTcpServer probe;  // a free port for the host
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const QString port = QString::number(probe.serverPort());
    probe.close();

    // Ann and Bob's game under way is hosted as it stands; Bob plays from another computer.
    auto host = StartedWindow();
    host->Game().Settings().Animation = false;
    const GameState underWay = host->Game().State();
    driver.Expect(ClickBox(QMessageBox::Yes));
    driver.Expect([](QWidget* d) {
      auto* dialog = qobject_cast<HostGameDialog*>(d);
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->NameEdit(1)->text(), QStringLiteral("Bob"));
      QVERIFY(!dialog->NameEdit(1)->isEnabled());
      QCOMPARE(dialog->KindBox(1)->count(), 2);  // a person stays a person
      dialog->KindBox(1)->setCurrentIndex(1);
      dialog->HostButton()->click();
    });
    host->HostNetworkGame(port);
    QVERIFY(host->Host() != nullptr);
    QVERIFY(host->Game().State() == underWay);
    QVERIFY(host->Host()->IsNetworkSeat(1) && !host->Host()->IsNetworkSeat(0));
    const QString invite = net::InviteText(
        {QStringLiteral("127.0.0.1"), host->Host()->Port(), host->Host()->InviteCode()});

    auto joined = MakeWindow();
    joined->StartupTimer()->stop();
    driver.Expect([](QWidget* d) {
      auto* dialog = qobject_cast<JoinGameDialog*>(d);
      QVERIFY(dialog != nullptr);
      dialog->NameEdit()->setText(QStringLiteral("Bob"));
      dialog->JoinButton()->click();
    });
    joined->JoinNetworkGame(invite);
    QTRY_VERIFY(joined->Client() != nullptr && joined->Client()->Joined());
    QCOMPARE(joined->Client()->SeatIndex(), 1);
    QTRY_COMPARE(joined->Panel(1).NameLabel()->text(), QStringLiteral("Bob"));

    // Ann rolls at the host until it is Bob's turn; the joined board follows every move.
    const GameState& game = host->Game().State();
    for (int i = 0; i < 3 && game.CurrentPlayer == 0; ++i) {
      QVERIFY(WaitForRoll(*host));
      random_.Roll(2, 3);
      host->Roll();
      QTRY_VERIFY(game.CurrentPlayer == 1 || WaitForRoll(*host, 100));
    }
    QCOMPARE(game.CurrentPlayer, 1);
    QTRY_COMPARE(joined->Board().TokenSquare(0), game.Players[0].CurrentPosition);
    QVERIFY(!host->RollButton()->isEnabled());
    QVERIFY(!host->LoanAction()->isEnabled());
    QTRY_VERIFY(host->NetworkStatus()->text().startsWith(QStringLiteral("Waiting for Bob (")));

    // Bob rolls from his own screen; his questions are asked there.
    QTRY_VERIFY(joined->RollButton()->isEnabled());
    QVERIFY(joined->LoanAction()->isEnabled());
    const int before = game.Players[1].CurrentPosition;
    random_.Roll(2, 3);
    joined->Roll();
    QTRY_VERIFY(game.CurrentPlayer == 0);
    QVERIFY(game.Players[1].CurrentPosition != before);
    QTRY_COMPARE(joined->Board().TokenSquare(1), game.Players[1].CurrentPosition);
    QVERIFY(!joined->RollButton()->isEnabled());

    // Ann's turn again; then Bob does not roll, and after the countdown the host lets the
    // computer play for him.
    QVERIFY(WaitForRoll(*host));
    random_.Roll(2, 3);
    host->Roll();
    QTRY_COMPARE(game.CurrentPlayer, 1);
    random_.Roll(2, 3);  // for the computer that stands in
    host->Host()->SetOfferAfter(200);
    QTRY_VERIFY(!host->StandInButton()->isHidden());
    QVERIFY(host->NetworkStatus()->text().contains(QStringLiteral("Bob")));
    QTest::mouseClick(host->StandInButton(), Qt::LeftButton);
    QTRY_COMPARE(game.CurrentPlayer, 0);
    QVERIFY(host->Host()->StandIn(1));

    // The host opens a window outside the game: the joined player is told the game waits.
    bool toldPaused = false;
    driver.Expect([&](QWidget* d) {
      toldPaused = QTest::qWaitFor([&] {
        return joined->NetworkStatus()->text() == QStringLiteral("The host has paused the game.");
      });
      static_cast<QDialog*>(d)->reject();
    });
    host->ShowAbout();
    QVERIFY(toldPaused);
    QTRY_VERIFY(!joined->Client()->HostIsPaused());

    // The host quits: the joined player is told, and saves the game as it stood.
    const GameState last = game;
    host.reset();
    QTRY_VERIFY(std::find(driver.messages.begin(), driver.messages.end(),
                          QStringLiteral("The host has ended the game. You can save the game as "
                                         "it stood.")) != driver.messages.end());
    QTemporaryDir dir;
    auto files = std::make_unique<ScriptedFiles>();
    files->saves.push_back(dir.filePath(QStringLiteral("away.qbgame")));
    joined->SetFileDialogs(std::move(files));
    joined->SaveGameAsCommand();
    QFile saved(dir.filePath(QStringLiteral("away.qbgame")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const auto reread =
        ParseGameText(saved.readAll().toStdString(), FreshGrounds(joined->Game().Database()));
    QVERIFY(reread.has_value());
    QVERIFY(reread->Players == last.Players);
    QVERIFY(reread->Grounds == last.Grounds);
  }

  // The money actions, the log and the statistics answer their keys.
  void everyCommandAnswersItsKey() {
    ModalDriver driver;
    auto w = StartedWindow();
    w->Game().MutableState().Players[0].Loan = 1000;  // so that Pay back asks
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    for (int i = 0; i < 6; ++i) {
      QApplication::setActiveWindow(w.get());
      const int before = driver.prompts;
      QTest::keyClick(w.get(), static_cast<Qt::Key>(Qt::Key_1 + i), Qt::ControlModifier);
      QTRY_VERIFY2(driver.prompts > before, qPrintable(QString::number(i + 1)));
    }
    QApplication::setActiveWindow(w.get());
    QTest::keyClick(w.get(), Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(w->GameLog() != nullptr && w->GameLog()->isVisible());
    QApplication::setActiveWindow(w.get());
    QTest::keyClick(w.get(), Qt::Key_T, Qt::ControlModifier);
    QTRY_VERIFY(w->Statistics() != nullptr && w->Statistics()->isVisible());
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
