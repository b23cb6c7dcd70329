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
#include <QTime>
#include <QToolTip>
#include <algorithm>
#include <exception>
#include <functional>

#include "core/GameRoutines.h"
#include "core/GroundDatabase.h"
#include "localisation/LanguageTexts.h"
#include "localisation/Messages.h"
#include "persistence/GameFile.h"
#include "ui/AboutDialog.h"
#include "ui/BoardLayout.h"
#include "ui/CasinoWindow.h"
#include "ui/CrashReport.h"
#include "ui/GameLogWindow.h"
#include "ui/NewGameDialog.h"
#include "ui/OpenUrl.h"
#include "ui/RulesWindow.h"
#include "ui/Settings.h"
#include "ui/SoundPlayer.h"
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

QLabel* MakeLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QColor& colour,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(parent);
  label->setGeometry(geometry);
  label->setFont(font);
  label->setAlignment(alignment);
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
  return label;
}

class QtFileDialogs final : public FileDialogs {
 public:
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
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save the game log"), QString(),
                                        QStringLiteral("Text files (*.txt)"));
  }

 private:
  QString last_, lastSave_;
};

// A name typed without an extension gets the game's own.
QString WithGameExtension(const QString& path) {
  return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".qbgame") : path;
}

}  // namespace

QColor TfrmMainForm::FromBgr(std::int32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QString TfrmMainForm::FromGame(const std::string& text) const {
  // The game's fixed texts break lines with LF CR, its language files with CR LF.
  QString s = QString::fromStdString(text);
  s.remove(QLatin1Char('\r'));
  return s;
}

TfrmMainForm::TfrmMainForm(const StartOptions& options, QWidget* parent)
    : QWidget(parent),
      appDir_(options.AppDir),
      art_(options.AppDir, 1.0),
      sound_(std::make_unique<SoundPlayer>()),
      fileDialogs_(std::make_unique<QtFileDialogs>()) {
  if (options.Seed) {
    random_ = std::make_unique<SeededRandom>(*options.Seed);
  } else {
    random_ = std::make_unique<SeededRandom>();
  }
  session_ =
      std::make_unique<GameSession>(*this, options.Random != nullptr ? *options.Random : *random_);
  art_.SetPixelRatio(devicePixelRatioF());
  setWindowTitle(QStringLiteral("Quillbury 2007"));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(PixelFont(11));
  setWindowIcon(QIcon(art_.Picture(QStringLiteral("app-icon"), QSize(64, 64))));

  Timer1 = new QTimer(this);
  Timer1->setInterval(400);
  Timer3 = new QTimer(this);
  Timer3->setInterval(10);
  CPU = new QTimer(this);
  CPU->setInterval(10);
  StartupNewGame = new QTimer(this);
  StartupNewGame->setInterval(250);
  StartupNewGame->setSingleShot(true);
  Closing = new QTimer(this);
  Closing->setInterval(1);
  Closing->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &TfrmMainForm::Timer1Timer);
  connect(Timer3, &QTimer::timeout, this, &TfrmMainForm::Timer3Timer);
  connect(CPU, &QTimer::timeout, this, &TfrmMainForm::CPUTimer);
  connect(StartupNewGame, &QTimer::timeout, this, &TfrmMainForm::StartupNewGameTimer);
  connect(Closing, &QTimer::timeout, this, &TfrmMainForm::ClosingTimer);

  BuildBoard();
  BuildPanels();
  BuildMenus();
  FormCreate(options);
}

TfrmMainForm::~TfrmMainForm() = default;

void TfrmMainForm::SetFileDialogs(std::unique_ptr<FileDialogs> dialogs) {
  fileDialogs_ = std::move(dialogs);
}

void TfrmMainForm::Guarded(const char* where, const std::function<void()>& handler) {
  // No error may cross the event loop: a handler that fails reports it and the game goes on.
  try {
    handler();
  } catch (const std::exception& e) {
    ShowErrorReport(
        this, QStringLiteral("%1: %2").arg(QLatin1String(where), QString::fromUtf8(e.what())));
  } catch (...) {
    ShowErrorReport(this, QStringLiteral("%1: unknown error").arg(QLatin1String(where)));
  }
}

// ---------------------------------------------------------------- building the window

void TfrmMainForm::BuildBoard() {
  Image1 = new QLabel(this);
  Image1->setGeometry(0, 40, 800, 620);
  Image1->setPixmap(art_.Picture(QStringLiteral("board-background"), QSize(800, 620)));

  Shape1 = new QFrame(this);
  Shape1->setGeometry(360, 400, 234, 89);
  Shape1->setStyleSheet(QStringLiteral("background: white; border: 1px solid rgb(0, 102, 204);"));

  Label2 =
      MakeLabel(this, QRect(64, 256, 481, 59), PixelFont(48, true), Qt::white, Qt::AlignCenter);
  Label2->setText(QStringLiteral("Quillbury 2007"));

  for (int n = 1; n <= 42; ++n) {
    auto* square = new QLabel(this);
    square->setGeometry(QRect(SquareTopLeft(n), QSize(kSquareSize, kSquareSize)));
    square->setObjectName(QStringLiteral("Plads%1").arg(n));
    square->setPixmap(art_.Picture(QStringLiteral("square-%1").arg(n, 2, 10, QLatin1Char('0')),
                                   QSize(kSquareSize, kSquareSize)));
    square->setAttribute(Qt::WA_OpaquePaintEvent);
    square->installEventFilter(this);
    Plads[static_cast<std::size_t>(n - 1)] = square;
  }
  for (int g = 0; g < 28; ++g) {
    const auto& at = kGroundNumberLabels[static_cast<std::size_t>(g)];
    QLabel* number = MakeLabel(this, QRect(at[0], at[1], 16, 13), PixelFont(11, true), Qt::white);
    number->setText(QString::number(g + 1));
    number->adjustSize();
  }

  NotificationLabel =
      MakeLabel(this, QRect(368, 408, 217, 73), PixelFont(11, true), Qt::black, Qt::AlignCenter);
  NotificationLabel->setWordWrap(true);

  Button1 = new QPushButton(QStringLiteral("Roll"), this);
  Button1->setGeometry(16, 504, 75, 75);
  Button1->setEnabled(false);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TfrmMainForm::Button1Click);

  Label18 = MakeLabel(this, QRect(200, 530, 10, 20), PixelFont(16, true), Qt::white);

  const QSize tokenSizes[3] = {QSize(22, 20), QSize(20, 18), QSize(20, 20)};
  for (int p = 0; p < 3; ++p) {
    auto* token = new QLabel(this);
    token->setObjectName(QStringLiteral("Brik%1").arg(p + 1));
    token->setGeometry(QRect(QPoint(76, 72), tokenSizes[p]));
    token->setPixmap(TokenPicture(p));
    token->setAttribute(Qt::WA_TranslucentBackground);
    token->setAttribute(Qt::WA_TransparentForMouseEvents);
    Brik[static_cast<std::size_t>(p)] = token;
  }
  Brik[2]->hide();
  Terning1 = new QLabel(this);
  Terning2 = new QLabel(this);
  for (QLabel* die : {Terning1, Terning2}) {
    die->resize(31, 33);
    die->hide();
    die->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  Terning1->move(152, 536);
  Terning2->move(112, 512);
}

QPixmap TfrmMainForm::TokenPicture(int player) {
  const QSize sizes[3] = {QSize(22, 20), QSize(20, 18), QSize(20, 20)};
  return art_.Picture(QStringLiteral("token-%1").arg(player + 1), sizes[player]);
}

void TfrmMainForm::BuildPanels() {
  static const int kCaptionRows[8] = {23, 40, 56, 72, 92, 108, 130, 152};
  static const char* const kCaptionTexts[8] = {"Property", "Cash",  "Lots",  "Buildings",
                                               "Debts",    "Loans", "Total", "Salary"};
  static const bool kCaptionBold[8] = {true, false, false, false, true, false, true, false};
  for (int k = 0; k < 3; ++k) {
    auto* panel = new QLabel(this);
    panel->setGeometry(608, 56 + 176 * k, 170, 170);
    panel->setAttribute(Qt::WA_OpaquePaintEvent);
    PlayerStatus[static_cast<std::size_t>(k)] = panel;
    PanelLabels& labels = Panels[static_cast<std::size_t>(k)];
    labels.Name = MakeLabel(panel, QRect(3, 2, 142, 16), PixelFont(13, true), Qt::white);
    auto* token = new QLabel(panel);
    token->setGeometry(QRect(QPoint(148, 0), TokenPicture(k).deviceIndependentSize().toSize()));
    token->setPixmap(TokenPicture(k));
    token->setAttribute(Qt::WA_TranslucentBackground);
    for (int row = 0; row < 8; ++row) {
      QLabel* caption = MakeLabel(panel, QRect(5, kCaptionRows[row], 100, 15),
                                  PixelFont(11, kCaptionBold[row]), Qt::black);
      caption->setText(QString::fromLatin1(kCaptionTexts[row]));
      labels.Captions[static_cast<std::size_t>(row)] = caption;
    }
    QLabel* dollars = MakeLabel(panel, QRect(147, 23, 20, 15), PixelFont(11, true), Qt::black);
    dollars->setText(QStringLiteral("($)"));
    struct ValueRow {
      PanelField field;
      int y, right;
      QColor colour;
      bool bold;
    };
    const ValueRow rows[] = {{PanelField::Cash, 40, 161, QColor(0, 0, 255), false},
                             {PanelField::Lots, 56, 161, QColor(0, 0, 255), false},
                             {PanelField::Buildings, 72, 161, QColor(0, 0, 255), false},
                             {PanelField::Loans, 108, 161, QColor(255, 0, 0), false},
                             {PanelField::Total, 130, 163, Qt::black, true},
                             {PanelField::Salary, 152, 161, Qt::black, false}};
    for (const ValueRow& r : rows) {
      QLabel* value = MakeLabel(panel, QRect(60, r.y - 1, r.right - 60, 17), PixelFont(13, r.bold),
                                r.colour, Qt::AlignRight | Qt::AlignVCenter);
      labels.Values[static_cast<std::size_t>(r.field)] = value;
    }
  }
}

void TfrmMainForm::BuildMenus() {
  MenuBar = new QMenuBar(this);
  MenuBar->setGeometry(0, 0, kClientWidth, 20);
  MenuBar->setNativeMenuBar(false);
  ToolBar = new QToolBar(this);
  ToolBar->setGeometry(0, 20, kClientWidth, 20);
  ToolBar->setIconSize(QSize(16, 16));
  ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  ToolBar->setMovable(false);
  ToolBar->setStyleSheet(QStringLiteral("QToolBar { spacing: 2px; padding: 0px; }"));

  auto icon = [this](int index) {
    return QIcon(
        art_.Picture(QStringLiteral("icon-%1").arg(index, 2, 10, QLatin1Char('0')), QSize(16, 16)));
  };
  auto action = [this](QMenu* menu, const QString& text, void (TfrmMainForm::*handler)()) {
    QAction* a = menu->addAction(text);
    connect(a, &QAction::triggered, this, [this, handler, text] {
      Guarded(text.toUtf8().constData(), [this, handler] { (this->*handler)(); });
    });
    return a;
  };

  tbbFile = MenuBar->addMenu(QStringLiteral("&File"));
  tbbNewGame = action(tbbFile, QStringLiteral("New Game"), &TfrmMainForm::tbbNewGameClick);
  tbbNewGame->setIcon(icon(8));
  tbbNewGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  tbbLoadGame = action(tbbFile, QStringLiteral("Load Game"), &TfrmMainForm::tbbLoadGameClick);
  tbbLoadGame->setIcon(icon(9));
  tbbLoadGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  tbbSaveGame = action(tbbFile, QStringLiteral("Save Game"), &TfrmMainForm::tbbSaveGameClick);
  tbbSaveGame->setIcon(icon(10));
  tbbSaveGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  tbbSaveGameAs =
      action(tbbFile, QStringLiteral("Save Game As..."), &TfrmMainForm::tbbSaveGameAsClick);
  tbbFile->addSeparator();
  recentEnd_ = tbbFile->addSeparator();
  tbbWallOfFame =
      action(tbbFile, QStringLiteral("Wall of fame"), &TfrmMainForm::tbbWallOfFameClick);
  tbbWallOfFame->setIcon(icon(12));
  tbbFile->addSeparator();
  tbbExit = action(tbbFile, QStringLiteral("Exit"), &TfrmMainForm::tbbExitClick);
  tbbExit->setIcon(icon(11));
  tbbExit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

  tbbOptions = MenuBar->addMenu(QStringLiteral("&Options"));
  tbbSound = action(tbbOptions, QStringLiteral("Sound (on/off)"), &TfrmMainForm::tbbSoundClick);
  tbbSound->setCheckable(true);
  tbbSound->setChecked(true);
  tbbAnimation =
      action(tbbOptions, QStringLiteral("Animation (on/off)"), &TfrmMainForm::tbbAnimationClick);
  tbbAnimation->setCheckable(true);
  tbbAnimation->setChecked(true);
  TBXItem11 = action(tbbOptions, QStringLiteral("Language BETA"), &TfrmMainForm::TBXItem11Click);
  tbbOptions->addSeparator();
  tbbGameLog = action(tbbOptions, QStringLiteral("Game log"), &TfrmMainForm::tbbGameLogClick);

  tbbHelp = MenuBar->addMenu(QStringLiteral("&Help"));
  tbbHelp2 = action(tbbHelp, QStringLiteral("Quillbury Help"), &TfrmMainForm::tbbHelp2Click);
  tbbHelp2->setIcon(icon(6));
  tbbHelp2->setShortcut(QKeySequence(Qt::Key_F1));
  tbbHelp->addSeparator();
  tbbWebsites = tbbHelp->addMenu(QStringLiteral("Websites"));
  TBXItem8 = action(tbbWebsites, QStringLiteral("Pellmark"), &TfrmMainForm::TBXItem8Click);
  tbbHelp->addSeparator();
  tbbAbout = action(tbbHelp, QStringLiteral("About Quillbury"), &TfrmMainForm::tbbAboutClick);
  tbbAbout->setIcon(icon(7));
  // Shortcuts of menu items work while the window has the focus.
  for (QAction* a : {tbbNewGame, tbbLoadGame, tbbSaveGame, tbbExit, tbbHelp2}) addAction(a);
  connect(this, &TfrmMainForm::GameEvent, this, &TfrmMainForm::AddToLog);
  RefreshRecentFiles();

  auto tool = [this](const QString& text, int iconIndex, void (TfrmMainForm::*handler)()) {
    QAction* a = ToolBar->addAction(
        QIcon(art_.Picture(QStringLiteral("icon-%1").arg(iconIndex, 2, 10, QLatin1Char('0')),
                           QSize(16, 16))),
        text);
    connect(a, &QAction::triggered, this, [this, handler, text] {
      Guarded(text.toUtf8().constData(), [this, handler] { (this->*handler)(); });
    });
    return a;
  };
  ttbBuyHouse = tool(QStringLiteral("Build house"), 4, &TfrmMainForm::ttbBuyHouseClick);
  tbbBuyGround = tool(QStringLiteral("Buy company"), 5, &TfrmMainForm::Button6Click);
  ToolBar->addSeparator();
  ttbLoan = tool(QStringLiteral("Loan money"), 2, &TfrmMainForm::Button7Click);
  tbbPayBack = tool(QStringLiteral("Pay back loan money"), 3, &TfrmMainForm::Button8Click);
  ToolBar->addSeparator();
  tbbSellCompany = tool(QStringLiteral("Sell company"), 13, &TfrmMainForm::tbbSellCompanyClick);
  tbbSellBuilding = tool(QStringLiteral("Sell building"), 14, &TfrmMainForm::tbbSellBuildingClick);
}

// ---------------------------------------------------------------- start-up

void TfrmMainForm::FormCreate(const StartOptions& options) {
  GameSession& s = *session_;
  s.NoGameYet = true;
  s.PlayerCount = 2;
  s.AppDir = appDir_.toStdString();
  const QString stored = ReadRegString(kSettingsKey, QStringLiteral("Language"));
  const LanguageChoice language = ChooseLanguageFile(s.AppDir, stored.toStdString());
  if (language.settingBroken) {
    ShowMessage("Error in language file. Quillbury is closing!");
    // English instead, and the setting forgets the file that has gone, so the next start is normal.
    if (!stored.isEmpty()) WriteRegString(kSettingsKey, QStringLiteral("Language"), QString());
  }
  if (language.path.empty()) {
    startupFailed_ = true;
    Closing->start();
    return;
  }
  s.LanguageFile = std::make_unique<IniFile>(language.path);
  ApplyLanguage();
  if (DatabaseUnfit()) {
    startupFailed_ = true;
    return;
  }
  if (recent_.RemoveOverlong() > 0) {
    AddToLog(QString::fromStdString(MessageText(s.LanguageFile.get(), MessageId::RecentPathTooLong,
                                                {std::to_string(RecentFiles::kMaxPathBytes)})));
  }
  LightGround = Plads[1]->pixmap();
  DarkGround = Plads[6]->pixmap();
  Timer3->start();
  CPU->start();
  s.SoundOn = true;
  s.AnimationOn = true;
  s.SetUpPlaceholderGame();
  for (int n = 1; n <= 42; ++n) {
    QPixmap picture = Plads[static_cast<std::size_t>(n - 1)]->pixmap();
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(0.5, 0.5, 48, 48));
    painter.end();
    DrawSquarePicture(n, picture);
  }
  if (!options.GameFile.isEmpty()) {
    if (!LoadGame(options.GameFile)) {
      // A broken or missing file is said so, and the players get the New Game dialog rather than
      // an empty placeholder game.
      ShowFileError(kLoadError);
      SetActionsEnabled(false);
      StartupNewGame->start();
    }
  } else {
    s.SetActionsEnabled(false);
    StartupNewGame->start();
  }
}

void TfrmMainForm::StartupNewGameTimer() {
  StartupNewGame->stop();
  Guarded("New Game", [this] { tbbNewGameClick(); });
}

void TfrmMainForm::ClosingTimer() { close(); }

void TfrmMainForm::tbbExitClick() { close(); }

// ---------------------------------------------------------------- language

void TfrmMainForm::ApplyLanguage() {
  const IniFile* file = session_->LanguageFile.get();
  if (file == nullptr) return;
  auto read = [file](const char* section, const char* key, const QString& current) {
    return QString::fromStdString(file->ReadString(section, key, current.toStdString()));
  };
  Button1->setText(read("Interface", "Roll", Button1->text()));
  tbbFile->setTitle(read("Menu", "File", tbbFile->title()));
  tbbNewGame->setText(read("Menu", "NewGame", tbbNewGame->text()));
  tbbLoadGame->setText(read("Menu", "LoadGame", tbbLoadGame->text()));
  tbbSaveGame->setText(read("Menu", "SaveGame", tbbSaveGame->text()));
  tbbSaveGameAs->setText(read("Menu", "SaveAs", tbbSaveGameAs->text()));
  tbbWallOfFame->setText(read("Menu", "WallOfFame", tbbWallOfFame->text()));
  tbbExit->setText(read("Menu", "Exit", tbbExit->text()));
  tbbOptions->setTitle(read("Menu", "Options", tbbOptions->title()));
  tbbSound->setText(read("Menu", "Sound", tbbSound->text()));
  tbbAnimation->setText(read("Menu", "Animation", tbbAnimation->text()));
  tbbHelp->setTitle(read("Menu", "Help", tbbHelp->title()));
  tbbHelp2->setText(QStringLiteral("Quillbury ") + read("Menu", "Help", tbbHelp->title()));
  tbbWebsites->setTitle(read("Menu", "Websites", tbbWebsites->title()));
  // The About item is built from a fixed stem, so applying a file without the key twice never
  // makes it "About Quillbury Quillbury".
  tbbAbout->setText(read("Menu", "About", aboutStem_) + QStringLiteral(" Quillbury"));
  tbbSellCompany->setText(read("Toolbar", "SellCompany", tbbSellCompany->text()));
  tbbSellBuilding->setText(read("Toolbar", "SellBuilding", tbbSellBuilding->text()));
  ttbBuyHouse->setText(read("Toolbar", "BuyHouse", ttbBuyHouse->text()));
  tbbPayBack->setText(read("Toolbar", "PayBack", tbbPayBack->text()));
  ttbLoan->setText(read("Toolbar", "LoanMoney", ttbLoan->text()));
  tbbBuyGround->setText(read("Toolbar", "BuyAnotherPlayerGround", tbbBuyGround->text()));
  static const char* const kKeys[8] = {"Property", "Cash",  "Lots",  "Buildings",
                                       "Debts",    "Loans", "Total", "Salary"};
  for (PanelLabels& panel : Panels) {
    for (int row = 0; row < 8; ++row) {
      QLabel* caption = panel.Captions[static_cast<std::size_t>(row)];
      caption->setText(read("PlayerStatus", kKeys[row], caption->text()));
    }
  }
}

void TfrmMainForm::TBXItem11Click() {
  GameSession& s = *session_;
  const std::string current =
      s.LanguageFile
          ? QFileInfo(QString::fromStdString(s.LanguageFile->Path())).fileName().toStdString()
          : std::string();
  const std::string next = current == "da.lang" ? "en.lang" : "da.lang";
  const std::string path = s.AppDir + "Lang/" + next;
  if (!IniFile(path).Exists()) {
    // Switching to a missing file would leave a setting that stops the next start-up.
    ShowMessage("The language file " + path + " is missing. The language stays as it was.");
    return;
  }
  s.LanguageFile = std::make_unique<IniFile>(path);
  WriteRegString(kSettingsKey, QStringLiteral("Language"), QString::fromStdString(next));
  ApplyLanguage();
}

// ---------------------------------------------------------------- commands

void TfrmMainForm::tbbNewGameClick() {
  if (DatabaseUnfit()) return;
  TfrmNewGame dialog(this, session_->LanguageFile.get(), art_);
  if (dialog.exec() != QDialog::Accepted) return;
  session_->StartNewGame(dialog.Choice());
}

bool TfrmMainForm::LoadGame(const QString& path) {
  // A load that succeeds stops any move under way and resumes the file's own.
  fileError_.clear();
  if (!ReadGameFile(*session_, path.toStdString(), &fileError_)) return false;
  recent_.Add(path);
  RefreshRecentFiles();
  AddToLog(QStringLiteral("Game loaded from %1.").arg(path));
  return true;
}

bool TfrmMainForm::SaveGame(const QString& path) {
  fileError_.clear();
  if (!WriteGameFile(*session_, path.toStdString(), &fileError_)) return false;
  recent_.Add(path);
  RefreshRecentFiles();
  return true;
}

void TfrmMainForm::ShowFileError(const char* headline) {
  ShowMessage(fileError_.empty() ? std::string(headline)
                                 : std::string(headline) + "\n\n" + fileError_);
}

bool TfrmMainForm::DatabaseUnfit() {
  const std::string problem =
      GroundDatabaseProblem(session_->Database(), session_->LanguageFile.get());
  if (problem.empty()) return false;
  ShowMessage(problem);
  Closing->start();
  return true;
}

bool TfrmMainForm::NothingToSave() {
  if (!session_->NoGameYet) return false;
  ShowMessage(MessageText(session_->LanguageFile.get(), MessageId::NothingToSave));
  return true;
}

void TfrmMainForm::tbbLoadGameClick() {
  if (DatabaseUnfit()) return;
  const QString path = fileDialogs_->OpenFile(this);
  if (path.isEmpty()) return;
  if (!LoadGame(path)) ShowFileError(kLoadError);
}

void TfrmMainForm::tbbSaveGameClick() {
  if (NothingToSave()) return;
  GameSession& s = *session_;
  if (s.Game.FileName.empty()) {
    const QString path = fileDialogs_->SaveFile(this);
    if (path.isEmpty()) return;
    s.Game.FileName = WithGameExtension(path).toStdString();
  }
  if (!SaveGame(QString::fromStdString(s.Game.FileName))) ShowFileError(kSaveError);
}

void TfrmMainForm::tbbSaveGameAsClick() {
  if (NothingToSave()) return;
  const QString path = fileDialogs_->SaveFile(this);
  if (path.isEmpty()) return;
  // The new name is kept even if the write fails, so the next Save tries it again.
  session_->Game.FileName = WithGameExtension(path).toStdString();
  if (!SaveGame(QString::fromStdString(session_->Game.FileName))) ShowFileError(kSaveError);
}

QStringList TfrmMainForm::RecentFileEntries() const { return recent_.Files(); }

void TfrmMainForm::RefreshRecentFiles() {
  for (QAction* a : TBXMRUListItem1) {
    tbbFile->removeAction(a);
    a->deleteLater();
  }
  TBXMRUListItem1.clear();
  const QStringList files = recent_.Files();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    auto* a = new QAction(
        QStringLiteral("&%1 %2")
            .arg(i == 9 ? 0 : i + 1)
            .arg(QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))),
        tbbFile);
    a->setToolTip(path);
    a->setStatusTip(path);
    connect(a, &QAction::triggered, this,
            [this, path] { Guarded("Recent game", [this, path] { OpenRecentFile(path); }); });
    tbbFile->insertAction(recentEnd_, a);
    TBXMRUListItem1.push_back(a);
  }
}

void TfrmMainForm::OpenRecentFile(const QString& path) {
  if (DatabaseUnfit()) return;
  if (!QFileInfo::exists(path)) {
    recent_.Remove(path);
    RefreshRecentFiles();
    ShowMessage(QStringLiteral("The saved game %1 is no longer there. It has been taken off the "
                               "list of recent games.")
                    .arg(path)
                    .toStdString());
    return;
  }
  if (!LoadGame(path)) ShowFileError(kLoadError);
}

void TfrmMainForm::tbbHelp2Click() {
  if (rules_ == nullptr) rules_ = new RulesWindow(this, appDir_);
  const bool danish =
      session_->LanguageFile &&
      QFileInfo(QString::fromStdString(session_->LanguageFile->Path())).fileName() ==
          QStringLiteral("da.lang");
  rules_->ShowLanguage(danish ? QStringLiteral("da") : QStringLiteral("en"));
  rules_->show();
  rules_->raise();
}

void TfrmMainForm::tbbGameLogClick() {
  if (log_ == nullptr) {
    log_ = new GameLogWindow(this, [this] { return fileDialogs_->SaveTextFile(log_); });
    log_->SetLines(logLines_);
    // Beside the board, where it does not cover the game.
    log_->move(frameGeometry().topRight() + QPoint(8, 0));
  }
  log_->show();
  log_->raise();
}

void TfrmMainForm::AddToLog(const QString& text) {
  const TSpil& game = session_->Game;
  const int cur = session_->CurrentPlayerID;
  QString who;
  if (!session_->NoGameYet && cur >= 0 && static_cast<std::size_t>(cur) < game.Players.size()) {
    who = QString::fromStdString(game.Players[static_cast<std::size_t>(cur)].Name) +
          QStringLiteral(": ");
  }
  QString flat = text;
  flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QString line =
      QTime::currentTime().toString(QStringLiteral("HH:mm:ss ")) + who + flat.simplified();
  logLines_.push_back(line);
  if (logLines_.size() > 20000) logLines_.removeFirst();
  if (log_ != nullptr) log_->Append(line);
}

void TfrmMainForm::tbbWallOfFameClick() {
  const QString score = ReadRegString(kWallOfFameKey, QStringLiteral("1"));
  bool ok = false;
  const qlonglong value = score.toLongLong(&ok);
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Wall of fame"),
                  ok ? QStringLiteral("Best score: $ %1")
                           .arg(QString::fromStdString(MoneyText(Saturate(value))))
                     : QStringLiteral("Nobody has entered the wall of fame yet."),
                  QMessageBox::Ok, this);
  box.setIconPixmap(art_.Picture(QStringLiteral("trophy"), QSize(47, 60)));
  box.exec();
}

void TfrmMainForm::tbbSoundClick() {
  session_->SoundOn = !session_->SoundOn;
  tbbSound->setChecked(session_->SoundOn);
}

void TfrmMainForm::tbbAnimationClick() {
  session_->AnimationOn = !session_->AnimationOn;
  tbbAnimation->setChecked(session_->AnimationOn);
}

void TfrmMainForm::tbbAboutClick() {
  TfrmAbout about(this, art_);
  about.exec();
}

void TfrmMainForm::TBXItem8Click() {
  if (!OpenUrl(kMakerUrl)) ShowMessage("Error");
}

void TfrmMainForm::Button1Click() {
  Guarded("Roll", [this] { session_->Button1Click(); });
}
void TfrmMainForm::Timer1Timer() {
  Guarded("Move", [this] { session_->Timer1Timer(); });
}
void TfrmMainForm::Timer3Timer() {
  Guarded("Refresh", [this] { session_->Timer3Timer(); });
}
void TfrmMainForm::CPUTimer() {
  Guarded("Computer player", [this] { session_->CPUTimer(); });
}
void TfrmMainForm::Button7Click() { session_->Button7Click(); }
void TfrmMainForm::Button8Click() { session_->Button8Click(); }
void TfrmMainForm::Button6Click() { session_->Button6Click(); }
void TfrmMainForm::ttbBuyHouseClick() { session_->ttbBuyHouseClick(); }
void TfrmMainForm::tbbSellCompanyClick() { session_->tbbSellCompanyClick(); }
void TfrmMainForm::tbbSellBuildingClick() { session_->tbbSellBuildingClick(); }

void TfrmMainForm::keyPressEvent(QKeyEvent* event) {
  // Enter presses Roll, the window's default button.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Button1->isEnabled()) {
    Button1->animateClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TfrmMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    for (int g = 0; g < 28; ++g) {
      if (watched ==
          Plads[static_cast<std::size_t>(kGroundSquares[static_cast<std::size_t>(g)] - 1)]) {
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), GroundTooltip(g), static_cast<QWidget*>(watched));
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

QString TfrmMainForm::GroundTooltip(int ground) const {
  const TSpil& game = session_->Game;
  if (ground < 0 || static_cast<std::size_t>(ground) >= game.Grounds.size()) return {};
  const TGrund& g = game.Grounds[static_cast<std::size_t>(ground)];
  auto money = [](std::int32_t v) { return QString::fromStdString(MoneyText(v)).toHtmlEscaped(); };
  QString owner = QStringLiteral("nobody: for sale");
  if (g.Owner >= 0 && static_cast<std::size_t>(g.Owner) < game.Players.size()) {
    owner = QString::fromStdString(game.Players[static_cast<std::size_t>(g.Owner)].Name)
                .toHtmlEscaped();
  }
  QString level = g.House < 0
                      ? QStringLiteral("no buildings")
                      : QStringLiteral("%1 building%2").arg(g.House + 1).arg(g.House ? "s" : "");
  QString goods = QString::fromStdString(g.Sell);
  if (goods.startsWith(QStringLiteral("bought "))) goods = goods.mid(7);
  QString text = QStringLiteral("<b>%1. %2</b><br>Sells: %3<br>Price: $ %4<br>")
                     .arg(ground + 1)
                     .arg(QString::fromStdString(g.Name).toHtmlEscaped(), goods.toHtmlEscaped(),
                          money(g.Price));
  text += QStringLiteral("Rent without buildings: $ %1").arg(money(g.Price / 100 * 25));
  for (std::size_t i = 0; i < g.Houses.size(); ++i) {
    text += QStringLiteral("<br>Rent with %1 building%2: $ %3")
                .arg(i + 1)
                .arg(i ? "s" : "")
                .arg(money(g.Houses[i].Rent));
  }
  text += QStringLiteral("<br>Owner: %1<br>Now: %2").arg(owner, level);
  return text;
}

// ---------------------------------------------------------------- the port

void TfrmMainForm::ShowMessage(const std::string& text) {
  const QString message = FromGame(text);
  emit GameEvent(message);
  QMessageBox box(QMessageBox::NoIcon, windowTitle(), message, QMessageBox::Ok, this);
  box.exec();
}

bool TfrmMainForm::AskYesNo(const std::string& text) {
  const QString question = FromGame(text);
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question,
                  QMessageBox::Yes | QMessageBox::No, this);
  const bool yes = box.exec() == QMessageBox::Yes;
  emit GameEvent(question + (yes ? QStringLiteral(" Yes.") : QStringLiteral(" No.")));
  return yes;
}

bool TfrmMainForm::InputBox(const std::string& caption, const std::string& prompt,
                            std::string& text) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(this, QString::fromStdString(caption), QString::fromStdString(prompt),
                            QLineEdit::Normal, QString::fromStdString(text), &ok);
  if (ok) text = answer.toStdString();
  return ok;
}

void TfrmMainForm::PlaySound(const std::string& path) { sound_->PlaySound(path); }

void TfrmMainForm::PlaceToken(int player, int square) {
  if (player < 0 || player > 2 || square < 1 || square > 42) return;
  QLabel* token = Brik[static_cast<std::size_t>(player)];
  const QPoint at = SquareTopLeft(square);
  token->move(at.x() + (kSquareSize - token->width()) / 2,
              at.y() + (kSquareSize - token->height()) / 2);
}

void TfrmMainForm::SetTokenVisible(int player, bool visible) {
  if (player < 0 || player > 2) return;
  Brik[static_cast<std::size_t>(player)]->setVisible(visible);
}

void TfrmMainForm::DrawSquarePicture(int square, const QPixmap& picture) {
  QLabel* label = Plads[static_cast<std::size_t>(square - 1)];
  label->setPixmap(picture);
  label->repaint();
}

void TfrmMainForm::RefreshGround(int ground) {
  const TSpil& game = session_->Game;
  if (ground < 0 || static_cast<std::size_t>(ground) >= game.Grounds.size()) return;
  const TGrund& g = game.Grounds[static_cast<std::size_t>(ground)];
  if (g.Square < 1 || g.Square > 42) return;
  QPixmap picture = IsLightGroundSquare(g.Square) ? LightGround : DarkGround;
  picture.detach();
  QPainter painter(&picture);
  // An unowned ground gets no frame at all, so nothing on it can be taken for an owner's colour.
  if (g.Owner >= 0 && static_cast<std::size_t>(g.Owner) < game.Players.size()) {
    painter.setPen(QPen(FromBgr(game.Players[static_cast<std::size_t>(g.Owner)].Color), 1));
    painter.drawRect(QRectF(0.5, 0.5, 48, 48));
    painter.drawRect(QRectF(1.5, 1.5, 46, 46));
  }
  if (g.House >= 0 && g.House <= 3) {
    painter.drawPixmap(0, 0,
                       art_.Picture(QStringLiteral("building-%1").arg(g.House + 1),
                                    QSize(kSquareSize, kSquareSize)));
  }
  painter.end();
  DrawSquarePicture(g.Square, picture);
}

void TfrmMainForm::DrawOwnerFrame(int ground, std::int32_t colour) {
  const TSpil& game = session_->Game;
  if (ground < 0 || static_cast<std::size_t>(ground) >= game.Grounds.size()) return;
  const int square = game.Grounds[static_cast<std::size_t>(ground)].Square;
  if (square < 1 || square > 42) return;
  QPixmap picture = Plads[static_cast<std::size_t>(square - 1)]->pixmap();
  QPainter painter(&picture);
  painter.setPen(QPen(FromBgr(colour), 1));
  painter.drawRect(QRectF(0.5, 0.5, 48, 48));
  painter.drawRect(QRectF(1.5, 1.5, 46, 46));
  painter.end();
  DrawSquarePicture(square, picture);
}

void TfrmMainForm::ShowDice(int firstFace, int secondFace) {
  auto face = [this](int value) {
    return art_.Picture(QStringLiteral("die-%1").arg(std::clamp(value, 1, 6)), QSize(31, 33));
  };
  Terning1->setPixmap(face(firstFace));
  Terning2->setPixmap(face(secondFace));
}

void TfrmMainForm::PlaceDice(int arrangement) {
  if (arrangement == 1) {
    Terning1->move(112, 536);
    Terning2->move(152, 512);
  } else {
    Terning1->move(152, 536);
    Terning2->move(112, 512);
  }
}

void TfrmMainForm::SetDiceVisible(bool visible) {
  Terning1->setVisible(visible);
  Terning2->setVisible(visible);
}

void TfrmMainForm::SetActionsEnabled(bool enabled) {
  for (QAction* a :
       {tbbSellCompany, tbbSellBuilding, ttbBuyHouse, ttbLoan, tbbPayBack, tbbBuyGround}) {
    a->setEnabled(enabled);
  }
}

void TfrmMainForm::SetRollEnabled(bool enabled) { Button1->setEnabled(enabled); }

void TfrmMainForm::SetMovementTimer(bool enabled, int intervalMs) {
  if (Timer1->interval() != intervalMs) Timer1->setInterval(intervalMs);
  if (enabled && !Timer1->isActive()) {
    Timer1->start();
  } else if (!enabled) {
    Timer1->stop();
  }
}

void TfrmMainForm::SetRefreshTimer(bool enabled) {
  if (enabled) {
    if (!Timer3->isActive()) Timer3->start();
  } else {
    Timer3->stop();
  }
}

void TfrmMainForm::SetPanelText(int panel, PanelField field, const std::string& text) {
  if (panel < 0 || panel > 2) return;
  PanelLabels& labels = Panels[static_cast<std::size_t>(panel)];
  QLabel* label =
      field == PanelField::Name ? labels.Name : labels.Values[static_cast<std::size_t>(field)];
  if (label != nullptr) label->setText(QString::fromStdString(text));
}

void TfrmMainForm::DrawStatusPanel(int panel, std::int32_t colour) {
  if (panel < 0 || panel > 2) return;
  const qreal ratio = devicePixelRatioF();
  QPixmap picture(QSize(170, 170) * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  const QColor c = FromBgr(colour);
  painter.setPen(QPen(c, 1));
  painter.drawRect(QRectF(0.5, 0.5, 169, 169));
  painter.drawLine(QPointF(6, 126.5), QPointF(165, 126.5));
  painter.drawLine(QPointF(6, 149.5), QPointF(165, 149.5));
  painter.fillRect(QRect(1, 1, 168, 19), c);
  painter.end();
  PlayerStatus[static_cast<std::size_t>(panel)]->setPixmap(picture);
}

void TfrmMainForm::SetTurnCaption(const std::string& text) {
  Label18->setText(QString::fromStdString(text));
  Label18->adjustSize();
}

void TfrmMainForm::SetTip(const std::string& text) { NotificationLabel->setText(FromGame(text)); }

void TfrmMainForm::ShowCasino(const std::string& text) {
  const QString win = FromGame(text);
  emit GameEvent(win);
  TForm2 casino(this, win, art_, [this] {
    if (session_->SoundOn) PlaySound(session_->SoundPath("Hurrah.wav"));
  });
  casino.exec();
}

void TfrmMainForm::ShowWon(const std::string& caption, std::int32_t score) {
  emit GameEvent(QString::fromStdString(caption));
  TfrmWon won(this, art_);
  won.setWindowTitle(QString::fromStdString(caption));
  won.Score = score;
  won.exec();
}

void TfrmMainForm::RunNewGameCommand() { tbbNewGameClick(); }

void TfrmMainForm::DiceRolled(int player, int die1, int die2) {
  const TSpil& game = session_->Game;
  const QString name =
      player >= 0 && static_cast<std::size_t>(player) < game.Players.size()
          ? QString::fromStdString(game.Players[static_cast<std::size_t>(player)].Name)
          : QString();
  emit GameEvent(QStringLiteral("%1 rolls %2 and %3.").arg(name).arg(die1).arg(die2));
}

}  // namespace quillbury::ui
