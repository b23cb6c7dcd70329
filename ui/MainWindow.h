#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/GameDialogs.h"
#include "core/GameEvent.h"
#include "core/GameRules.h"
#include "core/Random.h"
#include "core/StatusPresenter.h"
#include "localisation/IniFile.h"
#include "localisation/Messages.h"
#include "ui/Artwork.h"
#include "ui/RecentFiles.h"
#include "ui/WorthHistory.h"

class QDialog;
class QFrame;

namespace quillbury {
class PersonSeat;
}
namespace quillbury::net {
class GameClient;
class GameHost;
class NetworkDialogs;
}  // namespace quillbury::net

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
class StatisticsWindow;
class StatusPanel;
class BoardView;
class RulesWindow;

// The main window: the board, the tokens and dice, the status panels, menus and toolbar. It
// owns the game's timers and forwards them and its buttons to the rules, shows the rules'
// dialogs, draws the board from their events and the panels through the status presenter.
class MainWindow : public QWidget, public GameDialogs, public GameListener, public StatusView {
  Q_OBJECT

 public:
  struct StartOptions {
    QString AppDir;                  // with trailing "/"
    std::optional<quint64> Seed;     // a reproducible game
    QString GameFile;                // loaded at start-up when not empty
    RandomSource* Random = nullptr;  // draws from elsewhere (tests); not owned
    QString HostPort;                // opens the Host dialog with this port at start-up
    QString JoinInvite;              // opens the Join dialog with this invite at start-up
  };

  explicit MainWindow(const StartOptions& options, QWidget* parent = nullptr);
  ~MainWindow() override;

  GameRules& Game() { return *game_; }
  // The saved game that Save writes to; empty for a game never saved or loaded.
  const std::string& CurrentFile() const { return currentFile_; }
  void SetCurrentFile(const std::string& path) { currentFile_ = path; }
  bool SoundOn() const { return soundOn_; }
  void SetSoundOn(bool on) { soundOn_ = on; }
  const IniFile* LanguageFile() const { return languageFile_.get(); }
  Artwork& Art() { return art_; }
  bool StartupFailed() const { return startupFailed_; }
  void SetFileDialogs(std::unique_ptr<FileDialogs> dialogs);
  // True while a window outside the game's flow is open (a file dialog, New Game, About, Help,
  // the wall of fame, the error report, ...): the walk, the computer player and the refresh
  // wait, and Roll and the actions are off until it closes.
  bool Paused() const;

  // --- GameDialogs ---
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) override;
  void ShowCasino(const std::string& text) override;
  void ShowWon(const std::string& caption, std::int32_t score) override;
  void RunNewGameCommand() override;

  // --- GameListener: the board, the sounds and the log follow the game ---
  void OnGameEvent(const GameEvent& event) override;

  // --- StatusView ---
  void SetPanelText(int panel, PanelField field, const std::string& text) override;
  void DrawStatusPanel(int panel, std::int32_t colour) override;
  void SetTurnCaption(const std::string& text) override;
  void SetTip(const std::string& text) override;
  void SetActionsEnabled(bool enabled) override;
  void SetRollEnabled(bool enabled) override;

  // --- the board and the panels ---
  void PlaySound(const std::string& path);
  BoardView& Board() const { return *board_; }
  // The status panel of player k (0..2).
  StatusPanel& Panel(int k) const { return *panels_[static_cast<std::size_t>(k)]; }

  // The captions of the window from the language file.
  void ApplyLanguage();

  // --- network games ---
  // Game > Host network game: the seats, the port, then the game and its invite.
  void HostNetworkGame(const QString& port = QString());
  // Game > Join network game: the invite and a name, then the host's game on this board.
  void JoinNetworkGame(const QString& invite = QString());
  // Ends hosting or the joined game; the window's own game is on the board again.
  void LeaveNetworkGame();
  void HostGameCommand() { HostNetworkGame(); }
  void JoinGameCommand() { JoinNetworkGame(); }
  net::GameHost* Host() const { return host_.get(); }
  net::GameClient* Client() const { return client_.get(); }
  QLabel* NetworkStatus() const { return networkStatus_; }
  QPushButton* StandInButton() const { return standInButton_; }

  // --- handlers ---
  void Roll();
  void StepWalk();
  void RefreshStatus();
  void ComputerTurnTick();
  void StartupNewGameTimer();
  void ClosingTimer();
  void NewGameCommand();
  void LoadGameCommand();
  void SaveGameCommand();
  void SaveGameAsCommand();
  void ExitCommand();
  void ToggleSound();
  void ToggleAnimation();
  void ChooseLanguage();
  void ShowAbout();
  void OpenMakersSite();
  void ShowWallOfFame();
  void ShowRules();
  void ShowGameLog();
  // The chart of every player's worth by move, opened beside the board.
  void ShowStatistics();
  StatisticsWindow* Statistics() const { return stats_; }
  // Loads a saved game chosen from the recent files; a file that is gone leaves the list.
  void OpenRecentFile(const QString& path);
  QStringList RecentFileEntries() const;
  QStringList GameLogLines() const { return logLines_; }
  GameLogWindow* GameLog() const { return log_; }
  RulesWindow* Rules() const { return rules_; }
  void TakeLoan();
  void RepayLoan();
  void BuyGroundFromPlayer();
  void Build();
  void SellCompany();
  void SellBuilding();

  // --- the window's parts, by role ---
  QPushButton* RollButton() const { return rollButton; }
  QLabel* TurnCaption() const { return turnCaption; }
  QLabel* Tip() const { return notificationLabel; }
  QAction* LoanAction() const { return loanAction; }
  QAction* AboutAction() const { return aboutAction; }
  const QList<QAction*>& RecentFileActions() const { return recentFileActions; }
  // The walk's steps, the refresh, the computer's tick and the New Game dialog at start-up.
  QTimer* WalkTimer() const { return walkTimer; }
  QTimer* RefreshTimer() const { return refreshTimer; }
  QTimer* ComputerTimer() const { return computerTimer; }
  QTimer* StartupTimer() const { return startupNewGameTimer; }
  QAction* HostAction() const { return hostGameAction_; }
  QAction* JoinAction() const { return joinGameAction_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QMenuBar* menuBar_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QMenu *fileMenu = nullptr, *optionsMenu = nullptr, *helpMenu = nullptr, *websitesMenu = nullptr;
  QAction *newGameAction = nullptr, *loadGameAction = nullptr, *saveGameAction = nullptr,
          *saveGameAsAction = nullptr, *wallOfFameAction = nullptr, *exitAction = nullptr,
          *soundAction = nullptr, *animationAction = nullptr, *languageAction = nullptr,
          *rulesAction = nullptr, *makersSiteAction = nullptr, *aboutAction = nullptr,
          *gameLogAction = nullptr, *statisticsAction = nullptr;
  QList<QAction*> recentFileActions;  // the recent-files entries of the File menu
  QAction *buildAction = nullptr, *buyGroundAction = nullptr, *loanAction = nullptr,
          *repayAction = nullptr, *sellCompanyAction = nullptr, *sellBuildingAction = nullptr;
  QFrame* notificationFrame = nullptr;
  QLabel* notificationLabel = nullptr;
  QLabel* turnCaption = nullptr;
  QPushButton* rollButton = nullptr;
  QTimer* walkTimer = nullptr;
  QTimer* refreshTimer = nullptr;
  QTimer* computerTimer = nullptr;
  QTimer* startupNewGameTimer = nullptr;
  QTimer* closingTimer = nullptr;
  QTimer* resumeTimer = nullptr;  // notices a window that closed on its own (Help, error report)

  // Holds the game still while a window outside its flow is open.
  class PauseScope {
   public:
    explicit PauseScope(MainWindow& window);
    ~PauseScope();
    PauseScope(const PauseScope&) = delete;
    PauseScope& operator=(const PauseScope&) = delete;

   private:
    MainWindow& window_;
  };
  // A message of the program, not of the game (file errors, the language switch): the game
  // waits while it is open.
  void Tell(const std::string& text);
  // Runs a message box of the game; it is closed when its game ends or is replaced.
  int RunGameBox(QDialog& box);
  void CloseGameBoxes();
  void BuildMenus();
  void CentreOnScreen();
  void BuildBoard();
  void BuildPanels();
  void FormCreate(const StartOptions& options);
  void Guarded(const char* where, const std::function<void()>& handler);
  // Brings the timers and the Roll button and actions in line with the rules.
  void Sync();
  // Roll and the actions as the rules allow them, all off while paused.
  StatusPresenter::Controls Controls() const;
  void ShowStatus();
  // The game on the board: the finished one until the next begins, else the rules' game.
  const GameState& ShownGame() const;
  // Shows the finished game (on) or the rules' game on the board.
  void ShowFinal(bool on);
  void BuildNetworkBar();
  void UpdateNetworkStatus();
  void FollowJoinedGame(const GameEvent& event);
  void ShowJoinedMessage(const QString& text, bool needsConfirm);
  // The current player of the hosted game plays from another computer.
  bool RemoteTurn() const;
  // A finance action: the rules' handler here, or the request to the host of a joined game.
  void Act(const char* where, const char* action, void (GameRules::*handler)());
  bool SaveJoinedGame(const QString& path);
  std::string SoundPath(const char* file) const { return appDir_.toStdString() + file; }
  void RefreshRecentFiles();
  // A line of the game log: the time, the player it concerns (-1: the game or the program)
  // named once, and the text.
  void AddToLog(int player, const QString& text);
  void LogEvent(const GameEvent& event);
  // Logs an error of a handler and shows the error report.
  void Report(const char* where, const char* what);
  bool LoadGame(const QString& path);
  bool SaveGame(const QString& path);
  // headline, then why the last load or save failed.
  void ShowFileError(const char* headline);
  // True, after telling the player and closing the window, when database.dat is unfit to play.
  bool DatabaseUnfit();
  // True, after telling the player, when there is no game to save.
  bool NothingToSave();
  void PlaceBeside(QWidget* window, int down);
  QString Say(MessageId id, std::initializer_list<std::string_view> args = {}) const;
  void ShowOwnerColours(const GameState& game);
  QString FromGame(const std::string& text) const;

  QString appDir_;
  Artwork art_;
  std::unique_ptr<RandomSource> random_;
  std::unique_ptr<GameRules> game_;
  std::unique_ptr<StatusPresenter> presenter_;
  std::unique_ptr<IniFile> languageFile_;
  std::string currentFile_;
  bool soundOn_ = true;
  std::unique_ptr<SoundPlayer> sound_;
  std::unique_ptr<FileDialogs> fileDialogs_;
  bool startupFailed_ = false;
  std::string fileError_;  // why the last load or save failed
  QString loadingFile_;    // the file being loaded, for the log
  // Built-in stems of captions that the language file completes, so they never grow.
  QString aboutStem_ = QStringLiteral("About");
  RecentFiles recent_;
  QAction* recentEnd_ = nullptr;
  QStringList logLines_;
  GameLogWindow* log_ = nullptr;
  RulesWindow* rules_ = nullptr;
  BoardView* board_ = nullptr;
  std::array<StatusPanel*, 3> panels_{};
  WorthHistory history_;
  StatisticsWindow* stats_ = nullptr;
  int winner_ = -1;       // of the game that ended last
  GameState finalState_;  // the finished game, shown until the next one begins
  bool showingFinal_ = false;
  int pauseDepth_ = 0;
  bool computerOn_ = false;  // the computer's tick runs once start-up succeeded
  std::vector<QPointer<QDialog>> gameBoxes_;
  // Network play. The rules show their dialogs through netDialogs_, which passes them to this
  // window and, while hosting, to the joined players too.
  std::unique_ptr<net::NetworkDialogs> netDialogs_;
  std::unique_ptr<net::GameHost> host_;
  std::unique_ptr<PersonSeat> clientSeat_;
  std::unique_ptr<net::GameClient> client_;
  QMenu* gameMenu_ = nullptr;
  QAction* hostGameAction_ = nullptr;
  QAction* joinGameAction_ = nullptr;
  QLabel* networkStatus_ = nullptr;
  QPushButton* standInButton_ = nullptr;
  QTimer* networkTimer_ = nullptr;
  QString inviteText_;
  QString startHostPort_, startJoinInvite_;  // from the command line, for the first dialog
  QString joinCode_, joinToken_, joinName_;  // to take the same seat again after a drop
  unsigned joinedSeats_ = 0;  // the hosted game's seats whose player has joined, by bit
  bool myTurn_ = false;       // the joined player may roll
  bool hostGone_ = false;     // the joined game's host quit or the line dropped
};

}  // namespace quillbury::ui
