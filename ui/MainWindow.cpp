#include "ui/MainWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHelpEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTime>
#include <QToolTip>
#include <algorithm>
#include <exception>
#include <functional>
#include <random>
#include <utility>

#include "core/GameRoutines.h"
#include "core/GroundDatabase.h"
#include "localisation/LanguageTexts.h"
#include "localisation/Messages.h"
#include "net/GameClient.h"
#include "net/GameHost.h"
#include "net/NetworkDialogs.h"
#include "persistence/GameFile.h"
#include "ui/AboutDialog.h"
#include "ui/BoardView.h"
#include "ui/CasinoWindow.h"
#include "ui/Colours.h"
#include "ui/CrashReport.h"
#include "ui/GameLogText.h"
#include "ui/GameLogWindow.h"
#include "ui/NewGameDialog.h"
#include "ui/OpenUrl.h"
#include "ui/RulesWindow.h"
#include "ui/Settings.h"
#include "ui/SoundPlayer.h"
#include "ui/StatisticsWindow.h"
#include "ui/StatusPanel.h"
#include "ui/WindowFont.h"
#include "ui/WonDialog.h"

namespace quillbury::ui {
namespace {

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 592;
constexpr const char* kLoadError =
    "Error!!! Couldn't load your game. Please try again or contact Pellmark is still wont.";
constexpr const char* kSaveError =
    "Error!!! Couldn't save your game. Please try again or contact Pellmark is still wont.";

QFont PixelFont(int pixels, bool bold = false) { return WindowFont(pixels, bold); }

class QtFileDialogs final : public FileDialogs {
 public:
  // language: the window's language file, read when a dialog opens.
  explicit QtFileDialogs(const std::unique_ptr<IniFile>& language) : language_(language) {}
  QString OpenFile(QWidget* parent) override {
    const QString path = QFileDialog::getOpenFileName(
        parent, QString(), last_, QStringLiteral("Quillbury Game File (*.qbgame)"));
    if (!path.isEmpty()) last_ = path;
    return path;
  }
  QString SaveFile(QWidget* parent) override {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Quillbury Game File (*.qbgame)"));
    dialog.setDefaultSuffix(QStringLiteral("qbgame"));
    if (!lastSave_.isEmpty()) dialog.selectFile(lastSave_);
    // The dialog asks before it replaces an existing file: a silent overwrite can lose a game.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    lastSave_ = dialog.selectedFiles().first();
    return lastSave_;
  }

  QString SaveTextFile(QWidget* parent) override {
    auto say = [this](MessageId id) {
      return QString::fromStdString(MessageText(language_.get(), id));
    };
    return QFileDialog::getSaveFileName(parent, say(MessageId::LogSaveTitle), QString(),
                                        say(MessageId::TextFiles));
  }

 private:
  QString last_, lastSave_;
  const std::unique_ptr<IniFile>& language_;
};

// A name typed without an extension gets the game's own.
QString WithGameExtension(const QString& path) {
  return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".qbgame") : path;
}

}  // namespace

QString MainWindow::FromGame(const std::string& text) const {
  // The game's fixed texts break lines with LF CR, its language files with CR LF.
  QString s = QString::fromStdString(text);
  s.remove(QLatin1Char('\r'));
  return s;
}

MainWindow::MainWindow(const StartOptions& options, QWidget* parent)
    : QWidget(parent),
      appDir_(options.AppDir),
      art_(options.AppDir, 1.0),
      sound_(std::make_unique<SoundPlayer>()),
      fileDialogs_(std::make_unique<QtFileDialogs>(languageFile_)) {
  if (options.Seed) {
    random_ = std::make_unique<SeededRandom>(*options.Seed);
  } else {
    random_ = std::make_unique<SeededRandom>();
  }
  netDialogs_ = std::make_unique<net::NetworkDialogs>(*this);
  // A message the host does not wait on (a remote player confirms it) is still seen here.
  netDialogs_->ShowWithoutWaiting = [this](const std::string& text) {
    const QString message = FromGame(text);
    AddToLog(game_->State().CurrentPlayer, message);
    notificationLabel->setText(message);
  };
  game_ = std::make_unique<GameRules>(*netDialogs_,
                                      options.Random != nullptr ? *options.Random : *random_,
                                      // The strong computer thinks with its own draws: a seeded
                                      // game stays the same game.
                                      options.Seed ? *options.Seed : std::random_device{}());
  game_->AddListener(*this);
  presenter_ = std::make_unique<StatusPresenter>(*this);
  art_.SetPixelRatio(devicePixelRatioF());
  setWindowTitle(QStringLiteral("Quillbury 2007"));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(PixelFont(11));
  setWindowIcon(QIcon(art_.Picture(QStringLiteral("app-icon"), QSize(64, 64))));

  walkTimer = new QTimer(this);
  walkTimer->setInterval(400);
  refreshTimer = new QTimer(this);
  refreshTimer->setInterval(10);
  computerTimer = new QTimer(this);
  computerTimer->setInterval(10);
  startupNewGameTimer = new QTimer(this);
  startupNewGameTimer->setInterval(250);
  startupNewGameTimer->setSingleShot(true);
  closingTimer = new QTimer(this);
  closingTimer->setInterval(1);
  closingTimer->setSingleShot(true);
  connect(walkTimer, &QTimer::timeout, this, &MainWindow::StepWalk);
  connect(refreshTimer, &QTimer::timeout, this, &MainWindow::RefreshStatus);
  connect(computerTimer, &QTimer::timeout, this, &MainWindow::ComputerTurnTick);
  connect(startupNewGameTimer, &QTimer::timeout, this, &MainWindow::StartupNewGameTimer);
  connect(closingTimer, &QTimer::timeout, this, &MainWindow::ClosingTimer);
  resumeTimer = new QTimer(this);
  resumeTimer->setInterval(100);
  connect(resumeTimer, &QTimer::timeout, this, &MainWindow::Sync);

  BuildBoard();
  BuildNetworkBar();
  BuildPanels();
  BuildMenus();
  CentreOnScreen();
  FormCreate(options);
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

MainWindow::~MainWindow() {
  // The report may outlive the window; its language file does not.
  SetErrorReportLanguage(nullptr);
}

void MainWindow::SetFileDialogs(std::unique_ptr<FileDialogs> dialogs) {
  fileDialogs_ = std::move(dialogs);
}

void MainWindow::Guarded(const char* where, const std::function<void()>& handler) {
  // No error may cross the event loop: a handler that fails reports it and the game goes on.
  try {
    handler();
    Sync();
  } catch (const std::exception& e) {
    Report(where, e.what());
  } catch (...) {
    Report(where, "unknown error");
  }
}

void MainWindow::Report(const char* where, const char* what) {
  AddToLog(-1, QString::fromStdString(
                   MessageText(languageFile_.get(), MessageId::LogError, {where, what})));
  ShowErrorReport(this,
                  QStringLiteral("%1: %2").arg(QLatin1String(where), QString::fromUtf8(what)));
  Sync();
}

MainWindow::PauseScope::PauseScope(MainWindow& window) : window_(window) {
  ++window_.pauseDepth_;
  window_.Sync();
}

MainWindow::PauseScope::~PauseScope() {
  --window_.pauseDepth_;
  window_.Sync();
}

bool MainWindow::Paused() const {
  if (pauseDepth_ > 0) return true;
  if (rules_ != nullptr && rules_->isVisible()) return true;
  const CrashReportDialog* report = CrashReportDialog::Current();
  return report != nullptr && report->isVisible();
}

void MainWindow::Tell(const std::string& text) {
  const PauseScope pause(*this);
  const QString message = FromGame(text);
  AddToLog(-1, message);
  QMessageBox box(QMessageBox::NoIcon, windowTitle(), message, QMessageBox::Ok, this);
  box.exec();
}

int MainWindow::RunGameBox(QDialog& box) {
  gameBoxes_.emplace_back(&box);
  const int result = box.exec();
  std::erase_if(gameBoxes_, [&box](const QPointer<QDialog>& b) { return b.isNull() || b == &box; });
  return result;
}

void MainWindow::CloseGameBoxes() {
  // A box of a game that is over or replaced answers nothing any more: its handler sees the game
  // gone when the box returns. done() hides it at once, though its wait ends only after the
  // windows opened above it.
  for (const QPointer<QDialog>& box : gameBoxes_) {
    if (!box.isNull() && box->isVisible()) box->done(QDialog::Rejected);
  }
}

// ---------------------------------------------------------------- building the window

void MainWindow::BuildBoard() {
  board_ = new BoardView(art_, this);
  board_->SetGame(&game_->State());

  notificationFrame = new QFrame(this);
  notificationFrame->setGeometry(360, 400, 234, 89);
  notificationFrame->setStyleSheet(
      QStringLiteral("background: white; border: 1px solid rgb(0, 102, 204);"));
  notificationLabel =
      PlacedLabel(this, QRect(368, 408, 217, 73), PixelFont(11, true), Qt::black, Qt::AlignCenter);
  notificationLabel->setWordWrap(true);

  rollButton = new QPushButton(QStringLiteral("Roll"), this);
  rollButton->setGeometry(16, 504, 75, 75);
  rollButton->setEnabled(false);
  rollButton->setDefault(true);
  // Keyboard focus must be plain to see on the dark board.
  rollButton->setStyleSheet(QStringLiteral(
      "QPushButton:focus { border: 3px solid rgb(255, 200, 0); border-radius: 4px;"
      " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dde6ee); }"
      "QPushButton:focus:pressed { background: #c8d4e0; }"));
  connect(rollButton, &QPushButton::clicked, this, &MainWindow::Roll);

  turnCaption = PlacedLabel(this, QRect(200, 530, 10, 20), PixelFont(16, true), Qt::white);
}

void MainWindow::BuildPanels() {
  for (int k = 0; k < 3; ++k) {
    auto* panel = new StatusPanel(this, BoardView::TokenPicture(art_, k));
    panel->move(608, 56 + 176 * k);
    panel->setObjectName(QStringLiteral("statusPanel%1").arg(k + 1));
    // Grey like an empty seat until a game fills it, never a black hole behind the first dialog.
    panel->Draw(FromBgr(kGreyPanelColour));
    panels_[static_cast<std::size_t>(k)] = panel;
  }
}

void MainWindow::BuildMenus() {
  menuBar_ = new QMenuBar(this);
  menuBar_->setGeometry(0, 0, kClientWidth, 20);
  menuBar_->setNativeMenuBar(false);
  toolBar_ = new QToolBar(this);
  toolBar_->setGeometry(0, 20, kClientWidth, 20);
  toolBar_->setIconSize(QSize(16, 16));
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolBar_->setMovable(false);
  toolBar_->setStyleSheet(QStringLiteral("QToolBar { spacing: 2px; padding: 0px; }"));

  auto icon = [this](int index) {
    return QIcon(
        art_.Picture(QStringLiteral("icon-%1").arg(index, 2, 10, QLatin1Char('0')), QSize(16, 16)));
  };
  auto action = [this](QMenu* menu, const QString& text, void (MainWindow::*handler)()) {
    QAction* a = menu->addAction(text);
    connect(a, &QAction::triggered, this, [this, handler, text] {
      Guarded(text.toUtf8().constData(), [this, handler] { (this->*handler)(); });
    });
    return a;
  };

  fileMenu = menuBar_->addMenu(QStringLiteral("&File"));
  newGameAction = action(fileMenu, QStringLiteral("New Game"), &MainWindow::NewGameCommand);
  newGameAction->setIcon(icon(8));
  newGameAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  loadGameAction = action(fileMenu, QStringLiteral("Load Game"), &MainWindow::LoadGameCommand);
  loadGameAction->setIcon(icon(9));
  loadGameAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  saveGameAction = action(fileMenu, QStringLiteral("Save Game"), &MainWindow::SaveGameCommand);
  saveGameAction->setIcon(icon(10));
  saveGameAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  saveGameAsAction =
      action(fileMenu, QStringLiteral("Save Game As..."), &MainWindow::SaveGameAsCommand);
  fileMenu->addSeparator();
  recentEnd_ = fileMenu->addSeparator();
  wallOfFameAction = action(fileMenu, QStringLiteral("Wall of fame"), &MainWindow::ShowWallOfFame);
  wallOfFameAction->setIcon(icon(12));
  fileMenu->addSeparator();
  exitAction = action(fileMenu, QStringLiteral("Exit"), &MainWindow::ExitCommand);
  exitAction->setIcon(icon(11));
  exitAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

  gameMenu_ = menuBar_->addMenu(QStringLiteral("&Game"));
  hostGameAction_ =
      action(gameMenu_, QStringLiteral("Host network game..."), &MainWindow::HostGameCommand);
  joinGameAction_ =
      action(gameMenu_, QStringLiteral("Join network game..."), &MainWindow::JoinGameCommand);

  optionsMenu = menuBar_->addMenu(QStringLiteral("&Options"));
  soundAction = action(optionsMenu, QStringLiteral("Sound (on/off)"), &MainWindow::ToggleSound);
  soundAction->setCheckable(true);
  soundAction->setChecked(true);
  animationAction =
      action(optionsMenu, QStringLiteral("Animation (on/off)"), &MainWindow::ToggleAnimation);
  animationAction->setCheckable(true);
  animationAction->setChecked(true);
  languageAction =
      action(optionsMenu, QStringLiteral("Language BETA"), &MainWindow::ChooseLanguage);
  optionsMenu->addSeparator();
  gameLogAction = action(optionsMenu, QStringLiteral("Game log"), &MainWindow::ShowGameLog);
  statisticsAction = action(optionsMenu, QStringLiteral("Statistics"), &MainWindow::ShowStatistics);

  helpMenu = menuBar_->addMenu(QStringLiteral("&Help"));
  rulesAction = action(helpMenu, QStringLiteral("Quillbury Help"), &MainWindow::ShowRules);
  rulesAction->setIcon(icon(6));
  rulesAction->setShortcut(QKeySequence(Qt::Key_F1));
  helpMenu->addSeparator();
  websitesMenu = helpMenu->addMenu(QStringLiteral("Websites"));
  makersSiteAction = action(websitesMenu, QStringLiteral("Pellmark"), &MainWindow::OpenMakersSite);
  helpMenu->addSeparator();
  aboutAction = action(helpMenu, QStringLiteral("About Quillbury"), &MainWindow::ShowAbout);
  aboutAction->setIcon(icon(7));
  // Shortcuts of menu items work while the window has the focus.
  saveGameAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  gameLogAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  statisticsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  for (QAction* a : {newGameAction, loadGameAction, saveGameAction, saveGameAsAction, exitAction,
                     rulesAction, gameLogAction, statisticsAction}) {
    addAction(a);
  }
  RefreshRecentFiles();

  auto tool = [this](const QString& text, int iconIndex, void (MainWindow::*handler)()) {
    QAction* a = toolBar_->addAction(
        QIcon(art_.Picture(QStringLiteral("icon-%1").arg(iconIndex, 2, 10, QLatin1Char('0')),
                           QSize(16, 16))),
        text);
    connect(a, &QAction::triggered, this, [this, handler, text] {
      Guarded(text.toUtf8().constData(), [this, handler] { (this->*handler)(); });
    });
    return a;
  };
  buildAction = tool(QStringLiteral("Build house"), 4, &MainWindow::Build);
  buyGroundAction = tool(QStringLiteral("Buy company"), 5, &MainWindow::BuyGroundFromPlayer);
  toolBar_->addSeparator();
  loanAction = tool(QStringLiteral("Loan money"), 2, &MainWindow::TakeLoan);
  repayAction = tool(QStringLiteral("Pay back loan money"), 3, &MainWindow::RepayLoan);
  toolBar_->addSeparator();
  sellCompanyAction = tool(QStringLiteral("Sell company"), 13, &MainWindow::SellCompany);
  sellBuildingAction = tool(QStringLiteral("Sell building"), 14, &MainWindow::SellBuilding);
  // Every command can be reached from the keyboard: the money actions in toolbar order.
  QAction* const inOrder[] = {buildAction, buyGroundAction,   loanAction,
                              repayAction, sellCompanyAction, sellBuildingAction};
  for (int i = 0; i < 6; ++i) {
    QAction* a = inOrder[i];
    a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
    addAction(a);
  }
}

// ---------------------------------------------------------------- start-up

void MainWindow::FormCreate(const StartOptions& options) {
  startHostPort_ = options.HostPort;
  startJoinInvite_ = options.JoinInvite;
  GameRules& s = *game_;
  s.Settings().AppDir = appDir_.toStdString();
  const QString stored = ReadRegString(kSettingsKey, QStringLiteral("Language"));
  const LanguageChoice language = ChooseLanguageFile(s.Settings().AppDir, stored.toStdString());
  if (language.settingBroken) {
    Tell("Error in language file. Quillbury is closing!");
    // English instead, and the setting forgets the file that has gone, so the next start is normal.
    if (!stored.isEmpty()) WriteRegString(kSettingsKey, QStringLiteral("Language"), QString());
  }
  if (language.path.empty()) {
    startupFailed_ = true;
    closingTimer->start();
    return;
  }
  languageFile_ = std::make_unique<IniFile>(language.path);
  s.Settings().LanguageFile = languageFile_.get();
  ApplyLanguage();
  if (DatabaseUnfit()) {
    startupFailed_ = true;
    return;
  }
  if (recent_.RemoveOverlong() > 0) {
    AddToLog(-1,
             QString::fromStdString(MessageText(languageFile_.get(), MessageId::RecentPathTooLong,
                                                {std::to_string(RecentFiles::kMaxPathBytes)})));
  }
  refreshTimer->start();
  computerOn_ = true;
  computerTimer->start();
  soundOn_ = true;
  s.Settings().Animation = true;
  s.SetUpPlaceholderGame();
  board_->ShowEmpty();
  if (!options.GameFile.isEmpty()) {
    if (!LoadGame(options.GameFile)) {
      // A broken or missing file is said so, and the players get the New Game dialog rather than
      // an empty placeholder game.
      ShowFileError(kLoadError);
      s.SetActionsAllowed(false);
      startupNewGameTimer->start();
    }
  } else {
    s.SetActionsAllowed(false);
    startupNewGameTimer->start();
  }
  Sync();
}

void MainWindow::StartupNewGameTimer() {
  startupNewGameTimer->stop();
  // "--host PORT" and "--join INVITE" open their dialogs instead; cancelled, New Game follows.
  const QString port = std::exchange(startHostPort_, QString());
  const QString invite = std::exchange(startJoinInvite_, QString());
  if (!port.isEmpty()) Guarded("Host network game", [this, &port] { HostNetworkGame(port); });
  if (!invite.isEmpty()) Guarded("Join network game", [this, &invite] { JoinNetworkGame(invite); });
  if (host_ != nullptr || client_ != nullptr) return;
  Guarded("New Game", [this] { NewGameCommand(); });
}

void MainWindow::ClosingTimer() { close(); }

void MainWindow::ExitCommand() { close(); }

// ---------------------------------------------------------------- language

void MainWindow::ApplyLanguage() {
  const IniFile* file = languageFile_.get();
  if (file == nullptr) return;
  auto read = [file](const char* section, const char* key, const QString& current) {
    return QString::fromStdString(file->ReadString(section, key, current.toStdString()));
  };
  rollButton->setText(read("Interface", "Roll", rollButton->text()));
  fileMenu->setTitle(read("Menu", "File", fileMenu->title()));
  newGameAction->setText(read("Menu", "NewGame", newGameAction->text()));
  loadGameAction->setText(read("Menu", "LoadGame", loadGameAction->text()));
  saveGameAction->setText(read("Menu", "SaveGame", saveGameAction->text()));
  saveGameAsAction->setText(read("Menu", "SaveAs", saveGameAsAction->text()));
  wallOfFameAction->setText(read("Menu", "WallOfFame", wallOfFameAction->text()));
  exitAction->setText(read("Menu", "Exit", exitAction->text()));
  gameMenu_->setTitle(read("Menu", "Game", gameMenu_->title()));
  hostGameAction_->setText(read("Menu", "HostGame", hostGameAction_->text()));
  joinGameAction_->setText(read("Menu", "JoinGame", joinGameAction_->text()));
  optionsMenu->setTitle(read("Menu", "Options", optionsMenu->title()));
  soundAction->setText(read("Menu", "Sound", soundAction->text()));
  animationAction->setText(read("Menu", "Animation", animationAction->text()));
  helpMenu->setTitle(read("Menu", "Help", helpMenu->title()));
  rulesAction->setText(QStringLiteral("Quillbury ") + read("Menu", "Help", helpMenu->title()));
  websitesMenu->setTitle(read("Menu", "Websites", websitesMenu->title()));
  // The About item is built from a fixed stem, so applying a file without the key twice never
  // makes it "About Quillbury Quillbury".
  aboutAction->setText(read("Menu", "About", aboutStem_) + QStringLiteral(" Quillbury"));
  sellCompanyAction->setText(read("Toolbar", "SellCompany", sellCompanyAction->text()));
  sellBuildingAction->setText(read("Toolbar", "SellBuilding", sellBuildingAction->text()));
  buildAction->setText(read("Toolbar", "BuyHouse", buildAction->text()));
  repayAction->setText(read("Toolbar", "PayBack", repayAction->text()));
  loanAction->setText(read("Toolbar", "LoanMoney", loanAction->text()));
  buyGroundAction->setText(read("Toolbar", "BuyAnotherPlayerGround", buyGroundAction->text()));
  auto message = [file](MessageId id) { return QString::fromStdString(MessageText(file, id)); };
  if (log_ != nullptr) {
    log_->SetTexts(message(MessageId::GameLogTitle), message(MessageId::GameLogSave),
                   message(MessageId::LogSaveFailed));
  }
  if (rules_ != nullptr) rules_->setWindowTitle(message(MessageId::HelpTitle));
  if (stats_ != nullptr) {
    stats_->SetTexts(message(MessageId::StatisticsTitle), message(MessageId::StatisticsMoves),
                     message(MessageId::StatisticsWorth), message(MessageId::AccessChart));
  }
  statisticsAction->setText(message(MessageId::StatisticsTitle));
  gameLogAction->setText(message(MessageId::GameLogTitle));
  for (StatusPanel* panel : panels_) {
    panel->SetCaptions([&read](const char* key, const QString& current) {
      return read("statusPanels", key, current);
    });
  }
  board_->SetLanguage(file);
  board_->Describe();
  SetErrorReportLanguage(file);
}

void MainWindow::ChooseLanguage() {
  const std::string current =
      languageFile_
          ? QFileInfo(QString::fromStdString(languageFile_->Path())).fileName().toStdString()
          : std::string();
  const std::string next = current == "da.lang" ? "en.lang" : "da.lang";
  const std::string path = appDir_.toStdString() + "Lang/" + next;
  if (!IniFile(path).Exists()) {
    // Switching to a missing file would leave a setting that stops the next start-up.
    Tell("The language file " + path + " is missing. The language stays as it was.");
    return;
  }
  languageFile_ = std::make_unique<IniFile>(path);
  game_->Settings().LanguageFile = languageFile_.get();
  WriteRegString(kSettingsKey, QStringLiteral("Language"), QString::fromStdString(next));
  ApplyLanguage();
}

// ---------------------------------------------------------------- commands

void MainWindow::NewGameCommand() {
  if (DatabaseUnfit()) return;
  NewGameDialog dialog(this, languageFile_.get(), art_);
  int answer = QDialog::Rejected;
  {
    const PauseScope pause(*this);
    answer = dialog.exec();
  }
  if (answer != QDialog::Accepted) return;
  LeaveNetworkGame();
  game_->StartNewGame(dialog.Choice());
  Sync();
}

bool MainWindow::LoadGame(const QString& path) {
  // A load that succeeds stops any move under way and resumes the file's own.
  fileError_.clear();
  loadingFile_ = path;
  const bool loaded = ReadGameFile(*game_, path.toStdString(), &fileError_);
  loadingFile_.clear();
  if (!loaded) return false;
  currentFile_ = path.toStdString();
  Sync();
  recent_.Add(path);
  RefreshRecentFiles();
  return true;
}

bool MainWindow::SaveGame(const QString& path) {
  fileError_.clear();
  if (client_ != nullptr
          ? !SaveJoinedGame(path)
          : !WriteGameFile(game_->State(), path.toStdString(), &fileError_, languageFile_.get())) {
    return false;
  }
  AddToLog(-1, QString::fromStdString(MessageText(languageFile_.get(), MessageId::LogGameSaved,
                                                  {path.toStdString()})));
  recent_.Add(path);
  RefreshRecentFiles();
  return true;
}

void MainWindow::ShowFileError(const char* headline) {
  Tell(fileError_.empty() ? std::string(headline) : std::string(headline) + "\n\n" + fileError_);
}

bool MainWindow::DatabaseUnfit() {
  const std::string problem = GroundDatabaseProblem(game_->Database(), languageFile_.get());
  if (problem.empty()) return false;
  Tell(problem);
  closingTimer->start();
  return true;
}

bool MainWindow::NothingToSave() {
  if (client_ != nullptr ? !client_->LastStateText().isEmpty() : game_->HasGame()) return false;
  Tell(MessageText(languageFile_.get(), MessageId::NothingToSave));
  return true;
}

void MainWindow::LoadGameCommand() {
  if (DatabaseUnfit()) return;
  QString path;
  {
    const PauseScope pause(*this);
    path = fileDialogs_->OpenFile(this);
  }
  if (path.isEmpty()) return;
  LeaveNetworkGame();
  if (!LoadGame(path)) ShowFileError(kLoadError);
}

void MainWindow::SaveGameCommand() {
  if (NothingToSave()) return;
  if (currentFile_.empty()) {
    QString path;
    {
      const PauseScope pause(*this);
      path = fileDialogs_->SaveFile(this);
    }
    if (path.isEmpty()) return;
    currentFile_ = WithGameExtension(path).toStdString();
  }
  if (!SaveGame(QString::fromStdString(currentFile_))) ShowFileError(kSaveError);
}

void MainWindow::SaveGameAsCommand() {
  if (NothingToSave()) return;
  QString path;
  {
    const PauseScope pause(*this);
    path = fileDialogs_->SaveFile(this);
  }
  if (path.isEmpty()) return;
  // The new name is kept even if the write fails, so the next Save tries it again.
  currentFile_ = WithGameExtension(path).toStdString();
  if (!SaveGame(QString::fromStdString(currentFile_))) ShowFileError(kSaveError);
}

QStringList MainWindow::RecentFileEntries() const { return recent_.Files(); }

void MainWindow::RefreshRecentFiles() {
  for (QAction* a : recentFileActions) {
    fileMenu->removeAction(a);
    a->deleteLater();
  }
  recentFileActions.clear();
  const QStringList files = recent_.Files();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    auto* a = new QAction(
        QStringLiteral("&%1 %2")
            .arg(i == 9 ? 0 : i + 1)
            .arg(QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))),
        fileMenu);
    a->setToolTip(path);
    a->setStatusTip(path);
    connect(a, &QAction::triggered, this,
            [this, path] { Guarded("Recent game", [this, path] { OpenRecentFile(path); }); });
    fileMenu->insertAction(recentEnd_, a);
    recentFileActions.push_back(a);
  }
}

void MainWindow::OpenRecentFile(const QString& path) {
  if (DatabaseUnfit()) return;
  if (!QFileInfo::exists(path)) {
    recent_.Remove(path);
    RefreshRecentFiles();
    Tell(MessageText(languageFile_.get(), MessageId::RecentGone, {path.toStdString()}));
    return;
  }
  if (!LoadGame(path)) ShowFileError(kLoadError);
}

void MainWindow::ShowRules() {
  if (rules_ == nullptr) rules_ = new RulesWindow(this, appDir_);
  const bool danish =
      languageFile_ && QFileInfo(QString::fromStdString(languageFile_->Path())).fileName() ==
                           QStringLiteral("da.lang");
  rules_->ShowLanguage(danish ? QStringLiteral("da") : QStringLiteral("en"));
  ApplyLanguage();
  rules_->show();
  rules_->raise();
  Sync();
}

void MainWindow::ShowGameLog() {
  if (log_ == nullptr) {
    log_ = new GameLogWindow(this, [this] {
      const PauseScope pause(*this);
      return fileDialogs_->SaveTextFile(log_);
    });
    log_->SetLines(logLines_);
    ApplyLanguage();
    PlaceBeside(log_, 0);
  }
  log_->show();
  log_->raise();
}

void MainWindow::PlaceBeside(QWidget* window, int down) {
  // Beside the board where the screen has room, so it does not cover the game; else as far
  // right as the screen allows.
  QPoint at = frameGeometry().topRight() + QPoint(8, down);
  if (const QScreen* s = screen()) {
    const QRect area = s->availableGeometry();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() - window->width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - window->height())));
  }
  window->move(at);
}

void MainWindow::ShowStatistics() {
  if (stats_ == nullptr) {
    stats_ = new StatisticsWindow(this);
    ApplyLanguage();
    PlaceBeside(stats_, 40);
  }
  stats_->Show(history_);
  stats_->show();
  stats_->raise();
}

void MainWindow::AddToLog(int player, const QString& text) {
  const GameState& game = ShownGame();
  QString who;
  if (player >= 0 && player < game.PlayerCount()) {
    who = QString::fromStdString(PlayerNameOf(game, player)) + QStringLiteral(": ");
  }
  QString flat = text;
  flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QString line =
      QTime::currentTime().toString(QStringLiteral("HH:mm:ss  ")) + who + flat.simplified();
  logLines_.push_back(line);
  if (logLines_.size() > 20000) logLines_.removeFirst();
  if (log_ != nullptr) log_->Append(line);
}

void MainWindow::ShowWallOfFame() {
  const QString score = ReadRegString(kWallOfFameKey, QStringLiteral("1"));
  bool ok = false;
  const qlonglong value = score.toLongLong(&ok);
  const IniFile* file = languageFile_.get();
  // The wall keeps one entry, the last one added, and says so.
  const std::string text =
      ok ? MessageText(file, MessageId::WallOfFameLastScore, {MoneyText(Saturate(value))})
         : MessageText(file, MessageId::WallOfFameEmpty);
  QMessageBox box(QMessageBox::NoIcon,
                  QString::fromStdString(MessageText(file, MessageId::WallOfFameTitle)),
                  QString::fromStdString(text), QMessageBox::Ok, this);
  box.setIconPixmap(art_.Picture(QStringLiteral("trophy"), QSize(47, 60)));
  const PauseScope pause(*this);
  box.exec();
}

void MainWindow::ToggleSound() {
  soundOn_ = !soundOn_;
  soundAction->setChecked(soundOn_);
}

void MainWindow::ToggleAnimation() {
  bool& animation = game_->Settings().Animation;
  animation = !animation;
  animationAction->setChecked(animation);
}

void MainWindow::ShowAbout() {
  AboutDialog about(this, art_);
  const PauseScope pause(*this);
  about.exec();
}

void MainWindow::OpenMakersSite() {
  if (!OpenUrl(kMakerUrl)) Tell("Error");
}

void MainWindow::Roll() {
  if (client_ != nullptr) {
    Guarded("Roll", [this] {
      if (!Controls().RollEnabled) return;
      myTurn_ = false;
      client_->Roll();
    });
    return;
  }
  Guarded("Roll", [this] {
    if (!RemoteTurn()) game_->Roll();
  });
}
void MainWindow::StepWalk() {
  Guarded("Move", [this] {
    if (Paused()) return;
    game_->StepWalk();
    // The walk's pace is the window's: a square every 400 ms, and the end of the walk (and
    // every step without animation) at once.
    walkTimer->setInterval(game_->Walking() && game_->State().StepsLeft > 0 ? 400 : 1);
  });
}
void MainWindow::RefreshStatus() {
  Guarded("Refresh", [this] {
    if (Paused() || client_ != nullptr) return;
    game_->RefreshStatus();
    ShowStatus();
  });
}
void MainWindow::ComputerTurnTick() {
  Guarded("Computer player", [this] {
    if (!Paused()) game_->ComputerTurnTick();
  });
}
void MainWindow::TakeLoan() { Act("Loan", "loan", &GameRules::TakeLoan); }
void MainWindow::RepayLoan() { Act("Pay back", "repay", &GameRules::RepayLoan); }
void MainWindow::BuyGroundFromPlayer() {
  Act("Buy company", "buy-company", &GameRules::BuyGroundFromPlayer);
}
void MainWindow::Build() { Act("Build", "build", &GameRules::Build); }
void MainWindow::SellCompany() { Act("Sell company", "sell-company", &GameRules::SellCompany); }
void MainWindow::SellBuilding() { Act("Sell building", "sell-building", &GameRules::SellBuilding); }

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Enter presses Roll, the window's default button.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      rollButton->isEnabled()) {
    rollButton->animateClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------- the port

void MainWindow::ShowMessage(const std::string& text) {
  const QString message = FromGame(text);
  AddToLog(ShownGame().PlayerCount() > 0 ? ShownGame().CurrentPlayer : -1, message);
  QMessageBox box(QMessageBox::NoIcon, windowTitle(), message, QMessageBox::Ok, this);
  RunGameBox(box);
}

bool MainWindow::AskYesNo(const std::string& text) {
  const QString question = FromGame(text);
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question,
                  QMessageBox::Yes | QMessageBox::No, this);
  const bool yes = RunGameBox(box) == QMessageBox::Yes;
  AddToLog(ShownGame().PlayerCount() > 0 ? ShownGame().CurrentPlayer : -1,
           question + (yes ? QStringLiteral(" Yes.") : QStringLiteral(" No.")));
  return yes;
}

bool MainWindow::InputBox(const std::string& caption, const std::string& prompt,
                          std::string& text) {
  QInputDialog dialog(this);
  dialog.setWindowTitle(QString::fromStdString(caption));
  dialog.setLabelText(QString::fromStdString(prompt));
  dialog.setTextValue(QString::fromStdString(text));
  const bool ok = RunGameBox(dialog) == QDialog::Accepted;
  if (ok) text = dialog.textValue().toStdString();
  return ok;
}

void MainWindow::PlaySound(const std::string& path) { sound_->PlaySound(path); }

QString MainWindow::Say(MessageId id, std::initializer_list<std::string_view> args) const {
  return QString::fromStdString(MessageText(languageFile_.get(), id, args));
}

void MainWindow::SetActionsEnabled(bool enabled) {
  for (QAction* a : {sellCompanyAction, sellBuildingAction, buildAction, loanAction, repayAction,
                     buyGroundAction}) {
    a->setEnabled(enabled);
  }
}

void MainWindow::SetRollEnabled(bool enabled) { rollButton->setEnabled(enabled); }

void MainWindow::SetPanelText(int panel, PanelField field, const std::string& text) {
  if (panel < 0 || panel > 2) return;
  StatusPanel& shown = Panel(panel);
  shown.SetField(field, QString::fromStdString(text));
  if (field == PanelField::Name) shown.setAccessibleName(Say(MessageId::AccessPanel, {text}));
  if (field == PanelField::Cash || field == PanelField::Total) {
    shown.setAccessibleDescription(
        Say(MessageId::AccessPanelState, {shown.Value(PanelField::Cash)->text().toStdString(),
                                          shown.Value(PanelField::Total)->text().toStdString()}));
  }
}

void MainWindow::DrawStatusPanel(int panel, std::int32_t colour) {
  if (panel < 0 || panel > 2) return;
  Panel(panel).Draw(FromBgr(colour));
}

void MainWindow::SetTurnCaption(const std::string& text) {
  turnCaption->setText(QString::fromStdString(text));
  turnCaption->adjustSize();
}

void MainWindow::SetTip(const std::string& text) { notificationLabel->setText(FromGame(text)); }

void MainWindow::ShowCasino(const std::string& text) {
  const QString win = FromGame(text);
  CasinoWindow casino(this, win, art_, [this] {
    if (soundOn_) PlaySound(SoundPath("Hurrah.wav"));
  });
  RunGameBox(casino);
}

void MainWindow::ShowWon(const std::string& caption, std::int32_t score) {
  WonDialog won(this, art_, languageFile_.get());
  won.setWindowTitle(QString::fromStdString(caption));
  won.Score = score;
  const GameState& game = game_->State();
  if (winner_ >= 0 && winner_ < game.PlayerCount()) {
    won.SetWinner(game.Players[static_cast<std::size_t>(winner_)].Name);
  }
  won.exec();
}

void MainWindow::RunNewGameCommand() { NewGameCommand(); }

// ---------------------------------------------------------------- following the game

void MainWindow::Sync() {
  const bool paused = Paused();
  // The joined players see that the host's game waits for a window of his.
  if (host_ != nullptr && host_->Paused() != paused) host_->SetPaused(paused);
  if (client_ != nullptr) {
    // A joined game is played by its host's rules; the window's own game rests meanwhile.
    walkTimer->stop();
    refreshTimer->stop();
    computerTimer->stop();
    resumeTimer->stop();
    presenter_->ShowControls(Controls());
    return;
  }
  if (game_->Walking() && !paused) {
    if (!walkTimer->isActive()) {
      // The first step follows the roll at once.
      walkTimer->setInterval(1);
      walkTimer->start();
    }
  } else {
    walkTimer->stop();
  }
  if (game_->RefreshOn() && !paused) {
    if (!refreshTimer->isActive()) refreshTimer->start();
  } else {
    refreshTimer->stop();
  }
  if (computerOn_ && !paused) {
    if (!computerTimer->isActive()) computerTimer->start();
  } else {
    computerTimer->stop();
  }
  // Help and the error report close without telling the window; a slow check notices.
  if (paused && pauseDepth_ == 0) {
    if (!resumeTimer->isActive()) resumeTimer->start();
  } else {
    resumeTimer->stop();
  }
  presenter_->ShowControls(Controls());
}

StatusPresenter::Controls MainWindow::Controls() const {
  const bool paused = Paused();
  if (client_ != nullptr) {
    // The joined player acts only in his own turn, and rolls once he is told to.
    const GameState& game = client_->State();
    const bool mine = client_->Joined() && game.CurrentPlayer == client_->SeatIndex() &&
                      !client_->HostIsPaused() && !hostGone_ && !paused;
    return {mine && myTurn_, mine && game.StepsLeft == 0};
  }
  // A seat played from another computer is played only from there.
  const bool here = !paused && !RemoteTurn();
  return {game_->RollAllowed() && here, game_->ActionsAllowed() && here};
}

void MainWindow::ShowFinal(bool on) {
  showingFinal_ = on;
  board_->SetGame(&ShownGame());
  if (!on) board_->ShowCaption(QString());
}

const GameState& MainWindow::ShownGame() const {
  // The joined game once the host has let this program in.
  if (client_ != nullptr && client_->Joined()) return client_->State();
  return showingFinal_ ? finalState_ : game_->State();
}

void MainWindow::ShowStatus() {
  presenter_->Show(ShownGame(), Controls());
  ShowOwnerColours(ShownGame());
}

void MainWindow::ShowOwnerColours(const GameState& game) {
  // Each panel is framed in its player's owner colour, the colour that frames his companies.
  for (int k = 0; k < kMaxPlayers; ++k) {
    if (k < game.PlayerCount()) {
      Panel(k).SetOwnerColour(FromBgr(game.Players[static_cast<std::size_t>(k)].Color));
    } else {
      Panel(k).ClearOwnerColour();
    }
  }
}

void MainWindow::LogEvent(const GameEvent& event) {
  if (event.Type == EventType::GameLoaded) {
    AddToLog(-1, QString::fromStdString(MessageText(languageFile_.get(), MessageId::LogGameLoaded,
                                                    {loadingFile_.toStdString()})));
    return;
  }
  // After a game ends the rules set up the default players, waiting for New Game: no new game.
  if (event.Type == EventType::GameStarted && client_ == nullptr && !game_->RollAllowed()) return;
  // The game the event belongs to: the rules' own or the one joined elsewhere.
  const GameState& game = client_ != nullptr ? client_->State() : game_->State();
  const LogEntry entry = LogEntryFor(event, game, languageFile_.get());
  if (!entry.Text.empty()) AddToLog(entry.Player, QString::fromStdString(entry.Text));
}

void MainWindow::OnGameEvent(const GameEvent& event) {
  LogEvent(event);
  // After a game ends the rules set up a stand-in that waits for New Game: nothing to chart.
  const bool standIn = event.Type == EventType::GameStarted && !game_->RollAllowed();
  if (!standIn && history_.Follow(event, game_->State()) && stats_ != nullptr &&
      stats_->isVisible()) {
    stats_->Show(history_);
  }
  switch (event.Type) {
    case EventType::GameStarted:
      CloseGameBoxes();
      currentFile_.clear();
      if (showingFinal_ && !game_->RollAllowed()) {
        // The rules' stand-in after a finished game: the final position stays on the board
        // with a caption until New Game starts a game.
        board_->ShowCaption(
            QString::fromStdString(MessageText(languageFile_.get(), MessageId::GameOverCaption)));
        ShowStatus();
        Sync();
        return;
      }
      ShowFinal(false);
      break;
    case EventType::GameLoaded:
      CloseGameBoxes();
      ShowFinal(false);
      break;
    case EventType::Moved:
      if (event.StepsLeft > 0 && soundOn_) PlaySound(SoundPath("Go1.wav"));
      break;
    case EventType::WalkEnded:
      if (soundOn_) PlaySound(SoundPath("Go2.wav"));
      break;
    case EventType::GameWon:
    case EventType::NobodyWon:
      winner_ = event.Type == EventType::GameWon ? event.Player : -1;
      // The finished game stays on the board until the next one begins.
      finalState_ = game_->State();
      ShowFinal(true);
      CloseGameBoxes();
      break;
    default:
      break;
  }
  board_->Follow(event);
  if (event.Type == EventType::PlayerOut || event.Type == EventType::GameWon ||
      event.Type == EventType::NobodyWon) {
    ShowStatus();
  }
  Sync();
}

}  // namespace quillbury::ui
