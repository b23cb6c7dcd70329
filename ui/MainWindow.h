#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "core/GamePort.h"
#include "core/GameSession.h"
#include "core/Random.h"
#include "ui/Artwork.h"
#include "ui/RecentFiles.h"

class QFrame;

namespace quillbury::ui {

class SoundPlayer;

// Everything the window lets players do with files goes through this seam, so tests can answer
// the file dialogs.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // A path to open, or empty when cancelled.
  virtual QString OpenFile(QWidget* parent) = 0;
  // A path to save to, or empty when cancelled.
  virtual QString SaveFile(QWidget* parent) = 0;
  // A text file to save the game log to, or empty when cancelled.
  virtual QString SaveTextFile(QWidget* parent) = 0;
};

class GameLogWindow;
class RulesWindow;

// The main window: the board, the tokens and dice, the status panels, menus and toolbar. It
// implements the game's port and forwards its timers and buttons to the game, staying thin.
class TfrmMainForm : public QWidget, public GamePort {
  Q_OBJECT

 public:
  struct StartOptions {
    QString AppDir;                  // with trailing "/"
    std::optional<quint64> Seed;     // a reproducible game
    QString GameFile;                // loaded at start-up when not empty
    RandomSource* Random = nullptr;  // draws from elsewhere (tests); not owned
  };

  explicit TfrmMainForm(const StartOptions& options, QWidget* parent = nullptr);
  ~TfrmMainForm() override;

  GameSession& Session() { return *session_; }
  Artwork& Art() { return art_; }
  bool StartupFailed() const { return startupFailed_; }
  void SetFileDialogs(std::unique_ptr<FileDialogs> dialogs);

  // --- GamePort ---
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) override;
  void PlaySound(const std::string& path) override;
  void PlaceToken(int player, int square) override;
  void SetTokenVisible(int player, bool visible) override;
  void RefreshGround(int ground) override;
  void DrawOwnerFrame(int ground, std::int32_t colour) override;
  void ShowDice(int firstFace, int secondFace) override;
  void PlaceDice(int arrangement) override;
  void SetDiceVisible(bool visible) override;
  void SetActionsEnabled(bool enabled) override;
  void SetRollEnabled(bool enabled) override;
  void SetMovementTimer(bool enabled, int intervalMs) override;
  void SetRefreshTimer(bool enabled) override;
  void SetPanelText(int panel, PanelField field, const std::string& text) override;
  void DrawStatusPanel(int panel, std::int32_t colour) override;
  void SetTurnCaption(const std::string& text) override;
  void SetTip(const std::string& text) override;
  void ShowCasino(const std::string& text) override;
  void ShowWon(const std::string& caption, std::int32_t score) override;
  void RunNewGameCommand() override;
  void DiceRolled(int player, int die1, int die2) override;

  // The captions of the window from the language file.
  void ApplyLanguage();
  // The tooltip of a ground square: what the company is, costs and earns, and who owns it.
  QString GroundTooltip(int ground) const;

  // --- handlers ---
  void Button1Click();
  void Timer1Timer();
  void Timer3Timer();
  void CPUTimer();
  void StartupNewGameTimer();
  void ClosingTimer();
  void tbbNewGameClick();
  void tbbLoadGameClick();
  void tbbSaveGameClick();
  void tbbSaveGameAsClick();
  void tbbExitClick();
  void tbbSoundClick();
  void tbbAnimationClick();
  void TBXItem11Click();
  void tbbAboutClick();
  void TBXItem8Click();
  void tbbWallOfFameClick();
  void tbbHelp2Click();
  void tbbGameLogClick();
  // Loads a saved game chosen from the recent files; a file that is gone leaves the list.
  void OpenRecentFile(const QString& path);
  QStringList RecentFileEntries() const;
  QStringList GameLogLines() const { return logLines_; }
  GameLogWindow* GameLog() const { return log_; }
  RulesWindow* Rules() const { return rules_; }
  void Button7Click();
  void Button8Click();
  void Button6Click();
  void ttbBuyHouseClick();
  void tbbSellCompanyClick();
  void tbbSellBuildingClick();

  // --- components, named as the game's documents name them ---
  QMenuBar* MenuBar = nullptr;
  QToolBar* ToolBar = nullptr;
  QMenu *tbbFile = nullptr, *tbbOptions = nullptr, *tbbHelp = nullptr, *tbbWebsites = nullptr;
  QAction *tbbNewGame = nullptr, *tbbLoadGame = nullptr, *tbbSaveGame = nullptr,
          *tbbSaveGameAs = nullptr, *tbbWallOfFame = nullptr, *tbbExit = nullptr,
          *tbbSound = nullptr, *tbbAnimation = nullptr, *TBXItem11 = nullptr, *tbbHelp2 = nullptr,
          *TBXItem8 = nullptr, *tbbAbout = nullptr, *tbbGameLog = nullptr;
  QList<QAction*> TBXMRUListItem1;  // the recent-files entries of the File menu
  QAction *ttbBuyHouse = nullptr, *tbbBuyGround = nullptr, *ttbLoan = nullptr,
          *tbbPayBack = nullptr, *tbbSellCompany = nullptr, *tbbSellBuilding = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label2 = nullptr;
  QFrame* Shape1 = nullptr;
  QLabel* NotificationLabel = nullptr;
  QLabel* Label18 = nullptr;
  QPushButton* Button1 = nullptr;
  std::array<QLabel*, 42> Plads{};  // square n is Plads[n - 1]
  std::array<QLabel*, 3> Brik{};
  QLabel* Terning1 = nullptr;
  QLabel* Terning2 = nullptr;
  std::array<QLabel*, 3> PlayerStatus{};
  // Per panel: the value labels by field, the row captions by language key.
  struct PanelLabels {
    QLabel* Name = nullptr;
    std::array<QLabel*, 7> Values{};  // indexed by PanelField
    std::array<QLabel*, 8>
        Captions{};  // Property, Cash, Lots, Buildings, Debts, Loans, Total, Salary
  };
  std::array<PanelLabels, 3> Panels{};
  QTimer* Timer1 = nullptr;
  QTimer* Timer3 = nullptr;
  QTimer* CPU = nullptr;
  QTimer* StartupNewGame = nullptr;
  QTimer* Closing = nullptr;

 signals:
  // Every message shown and every roll, for the game log.
  void GameEvent(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildBoard();
  void BuildPanels();
  void FormCreate(const StartOptions& options);
  void DrawSquarePicture(int square, const QPixmap& picture);
  void Guarded(const char* where, const std::function<void()>& handler);
  void RefreshRecentFiles();
  void AddToLog(const QString& text);
  bool LoadGame(const QString& path);
  bool SaveGame(const QString& path);
  // headline, then why the last load or save failed.
  void ShowFileError(const char* headline);
  // True, after telling the player and closing the window, when database.dat is unfit to play.
  bool DatabaseUnfit();
  // True, after telling the player, when there is no game to save.
  bool NothingToSave();
  QPixmap TokenPicture(int player);
  static QColor FromBgr(std::int32_t colour);
  QString FromGame(const std::string& text) const;

  QString appDir_;
  Artwork art_;
  std::unique_ptr<RandomSource> random_;
  std::unique_ptr<GameSession> session_;
  std::unique_ptr<SoundPlayer> sound_;
  std::unique_ptr<FileDialogs> fileDialogs_;
  QPixmap LightGround, DarkGround;
  bool startupFailed_ = false;
  std::string fileError_;  // why the last load or save failed
  // Built-in stems of captions that the language file completes, so they never grow.
  QString aboutStem_ = QStringLiteral("About");
  RecentFiles recent_;
  QAction* recentEnd_ = nullptr;
  QStringList logLines_;
  GameLogWindow* log_ = nullptr;
  RulesWindow* rules_ = nullptr;
};

}  // namespace quillbury::ui
