// The window's part in network games: hosting one, and drawing and playing one joined elsewhere.
#include <QDebug>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "core/GameRoutines.h"
#include "core/GroundDatabase.h"
#include "core/PersonSeat.h"
#include "localisation/Messages.h"
#include "net/GameClient.h"
#include "net/GameHost.h"
#include "net/Invite.h"
#include "net/NetworkDialogs.h"
#include "persistence/GameFile.h"
#include "ui/BoardView.h"
#include "ui/HostGameDialog.h"
#include "ui/JoinGameDialog.h"
#include "ui/MainWindow.h"
#include "ui/StatisticsWindow.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

void MainWindow::BuildNetworkBar() {
  networkStatus_ = PlacedLabel(this, QRect(100, 560, 330, 28), WindowFont(11, true), Qt::white);
  networkStatus_->setObjectName(QStringLiteral("networkStatus"));
  networkStatus_->setWordWrap(true);
  networkStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  networkStatus_->hide();
  standInButton_ = new QPushButton(this);
  standInButton_->setObjectName(QStringLiteral("standInButton"));
  standInButton_->setGeometry(436, 558, 166, 28);
  standInButton_->hide();
  connect(standInButton_, &QPushButton::clicked, this, [this] {
    Guarded("Stand in", [this] {
      if (host_ != nullptr && host_->WaitingFor() >= 0)
        host_->SetStandIn(host_->WaitingFor(), true);
      UpdateNetworkStatus();
    });
  });
  networkTimer_ = new QTimer(this);
  networkTimer_->setInterval(250);
  connect(networkTimer_, &QTimer::timeout, this, [this] {
    Guarded("Network", [this] {
      if (host_ != nullptr && !Paused()) host_->Poll();
      UpdateNetworkStatus();
    });
  });
}

void MainWindow::UpdateNetworkStatus() {
  QString text;
  QString button;
  if (host_ != nullptr) {
    const GameState& game = game_->State();
    const int waiting = host_->WaitingFor();
    if (waiting >= 0) {
      const std::string name = PlayerNameOf(game, waiting);
      const bool neverJoined = (joinedSeats_ & (1u << waiting)) == 0;
      const bool offered = host_->StandInOffered(waiting);
      if (neverJoined && !host_->SeatTaken(waiting)) {
        text = Say(MessageId::NetWaitingToJoin, {name, inviteText_.toStdString()});
      } else if (offered) {
        text = Say(
            host_->SeatTaken(waiting) ? MessageId::NetOfferStandIn : MessageId::NetConnectionGone,
            {name});
      } else {
        const qint64 left = (host_->OfferAfterMs() - host_->WaitedMs() + 999) / 1000;
        text = Say(MessageId::NetWaitingFor, {name, std::to_string(std::max<qint64>(left, 0))});
      }
      if (offered) button = Say(MessageId::NetStandInButton, {name});
    } else {
      // Between waits: who the computer stands in for, else the invite to pass on.
      for (int p = 0; p < game.PlayerCount(); ++p) {
        if (host_->StandIn(p)) text = Say(MessageId::NetStandIn, {PlayerNameOf(game, p)});
      }
      if (text.isEmpty()) text = Say(MessageId::NetInvite, {inviteText_.toStdString()});
    }
  } else if (client_ != nullptr) {
    if (hostGone_) {
      text = Say(MessageId::NetHostLeft);
    } else if (!client_->Joined()) {
      text = Say(MessageId::NetJoining);
    } else if (client_->HostIsPaused()) {
      text = Say(MessageId::NetHostPaused);
    } else {
      const GameState& game = client_->State();
      if (game.CurrentPlayer != client_->SeatIndex()) {
        text = Say(MessageId::NetTheirTurn, {PlayerNameOf(game, game.CurrentPlayer)});
      }
    }
  }
  networkStatus_->setText(text);
  networkStatus_->setVisible(!text.isEmpty());
  standInButton_->setText(button);
  standInButton_->setVisible(!button.isEmpty());
}

void MainWindow::LeaveNetworkGame() {
  if (host_ == nullptr && client_ == nullptr) return;
  netDialogs_->SetHost(nullptr);
  if (host_ != nullptr) host_->Close();
  host_.reset();
  if (client_ != nullptr) {
    client_->disconnect(this);
    client_->Leave();
  }
  client_.reset();
  clientSeat_.reset();
  hostGone_ = false;
  myTurn_ = false;
  networkTimer_->stop();
  // The window's own game is on the board again.
  ShowFinal(showingFinal_);
  board_->DrawWholeGame();
  UpdateNetworkStatus();
  ShowStatus();
  Sync();
}

void MainWindow::HostNetworkGame(const QString& port) {
  if (DatabaseUnfit()) return;
  HostGameDialog dialog(this, languageFile_.get());
  if (!port.isEmpty()) dialog.SetPort(port);
  int answer = QDialog::Rejected;
  bool resume = false;
  {
    const PauseScope pause(*this);
    // A game under way (a loaded one, say) may be hosted as it stands, with the same seats.
    if (client_ == nullptr && host_ == nullptr && game_->HasGame() && !showingFinal_) {
      QMessageBox ask(QMessageBox::Question, windowTitle(), Say(MessageId::NetHostCurrent),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
      const int which = ask.exec();
      if (which == QMessageBox::Cancel) return;
      resume = which == QMessageBox::Yes;
    }
    if (resume) dialog.SetFromGame(game_->State());
    answer = dialog.exec();
  }
  if (answer != QDialog::Accepted) return;
  const HostSetup setup = dialog.Setup();
  LeaveNetworkGame();
  auto host = std::make_unique<net::GameHost>(*game_);
  QString why;
  if (!host->Listen(setup.port, &why)) {
    Tell(MessageText(languageFile_.get(), MessageId::NetCannotListen,
                     {std::to_string(setup.port), why.toStdString()}));
    return;
  }
  host_ = std::move(host);
  netDialogs_->SetHost(host_.get());
  inviteText_ = net::InviteText({net::LocalAddress(), host_->Port(), host_->InviteCode()});
  joinedSeats_ = 0;
  connect(host_.get(), &net::GameHost::SeatJoined, this, [this](int seat, const QString& name) {
    joinedSeats_ |= 1u << seat;
    AddToLog(-1, Say(MessageId::NetPlayerJoined, {name.toStdString()}));
    UpdateNetworkStatus();
  });
  connect(host_.get(), &net::GameHost::WaitingChanged, this, [this] { UpdateNetworkStatus(); });
  connect(host_.get(), &net::GameHost::StandInOfferReady, this, [this] { UpdateNetworkStatus(); });
  if (!resume) game_->StartNewGame(setup.Choice());
  for (int p = 0; p < setup.players; ++p) {
    if (setup.Remote(p)) host_->OpenSeat(p);
  }
  AddToLog(-1, Say(MessageId::NetInvite, {inviteText_.toStdString()}));
  // Also on the terminal, for a host started from a script.
  qInfo().noquote() << Say(MessageId::NetInvite, {inviteText_.toStdString()});
  networkTimer_->start();
  UpdateNetworkStatus();
  Sync();
}

void MainWindow::JoinNetworkGame(const QString& invite) {
  if (DatabaseUnfit()) return;
  JoinGameDialog dialog(this, languageFile_.get());
  if (!invite.isEmpty()) dialog.SetInvite(invite);
  if (!joinName_.isEmpty()) dialog.SetName(joinName_);
  int answer = QDialog::Rejected;
  {
    const PauseScope pause(*this);
    answer = dialog.exec();
  }
  const std::optional<JoinSetup> setup = dialog.Setup();
  if (answer != QDialog::Accepted || !setup) return;
  LeaveNetworkGame();
  // The window's own game stops: the joined game is the host's to play.
  clientSeat_ = std::make_unique<PersonSeat>(*this, &game_->Settings().LanguageFile);
  client_ = std::make_unique<net::GameClient>(*clientSeat_, FreshGrounds(game_->Database()));
  client_->SetAutoConfirm(false);
  net::GameClient* client = client_.get();
  connect(client, &net::GameClient::Welcomed, this, [this] {
    joinToken_ = client_->Token();
    board_->SetGame(&client_->State());
    GameEvent joined;
    joined.Type = EventType::GameLoaded;
    history_.Follow(joined, client_->State());
    board_->DrawWholeGame(true);
    ShowStatus();
    Sync();
  });
  connect(client, &net::GameClient::GameEventReceived, this,
          [this](const GameEvent& event) { FollowJoinedGame(event); });
  connect(client, &net::GameClient::MyTurn, this, [this] {
    myTurn_ = true;
    Sync();
  });
  connect(client, &net::GameClient::MessageShown, this,
          [this](const QString& text, bool needsConfirm) {
            Guarded("Network", [&] { ShowJoinedMessage(text, needsConfirm); });
          });
  connect(client, &net::GameClient::HostPaused, this, [this] {
    UpdateNetworkStatus();
    Sync();
  });
  connect(client, &net::GameClient::HostLeft, this, [this] {
    hostGone_ = true;
    myTurn_ = false;
    UpdateNetworkStatus();
    Sync();
    Tell(MessageText(languageFile_.get(), MessageId::NetHostLeft));
  });
  connect(client, &net::GameClient::Disconnected, this, [this] {
    if (hostGone_) return;  // a refused join was told already
    const bool wasIn = client_->Joined();
    myTurn_ = false;
    hostGone_ = true;
    UpdateNetworkStatus();
    Sync();
    Tell(MessageText(languageFile_.get(),
                     wasIn ? MessageId::NetConnectionLost : MessageId::NetJoinRefused));
  });
  connect(client, &net::GameClient::JoinRefused, this, [this] {
    hostGone_ = true;
    UpdateNetworkStatus();
    Tell(MessageText(languageFile_.get(), MessageId::NetJoinRefused));
  });
  // A player who comes back with the same invite takes his own seat again.
  const bool again = setup->invite.code == joinCode_ && !joinToken_.isEmpty();
  joinCode_ = setup->invite.code;
  joinName_ = setup->name;
  if (!again) joinToken_.clear();
  client_->Join(net::InviteUrl(setup->invite), setup->invite.code, setup->name, joinToken_);
  networkTimer_->start();
  UpdateNetworkStatus();
  Sync();
}

void MainWindow::FollowJoinedGame(const GameEvent& event) {
  LogEvent(event);
  const GameState& game = client_->State();
  if (history_.Follow(event, game) && stats_ != nullptr && stats_->isVisible()) {
    stats_->Show(history_);
  }
  if (event.Type == EventType::Moved && event.StepsLeft > 0 && soundOn_) {
    PlaySound(SoundPath("Go1.wav"));
  }
  if (event.Type == EventType::WalkEnded && soundOn_) PlaySound(SoundPath("Go2.wav"));
  if (event.Type == EventType::TurnPassed) myTurn_ = false;
  board_->Follow(event);
  ShowStatus();
  UpdateNetworkStatus();
  Sync();
}

void MainWindow::ShowJoinedMessage(const QString& text, bool needsConfirm) {
  if (!needsConfirm) {
    // Another player's move: it is told, and the game does not wait on this screen.
    AddToLog(client_->State().CurrentPlayer, text);
    notificationLabel->setText(text);
    return;
  }
  ShowMessage(text.toStdString());
  if (client_ != nullptr) client_->Confirm();
}

bool MainWindow::RemoteTurn() const {
  return host_ != nullptr && game_->HasGame() &&
         host_->PlayedFromAfar(game_->State().CurrentPlayer);
}

void MainWindow::Act(const char* where, const char* action, void (GameRules::*handler)()) {
  if (client_ != nullptr) {
    Guarded(where, [this, action] {
      if (Controls().ActionsEnabled) client_->Act(QString::fromLatin1(action));
    });
    return;
  }
  Guarded(where, [this, handler] {
    // In a network game only its own player acts for a seat played from afar.
    if (!RemoteTurn()) ((*game_).*handler)();
  });
}

bool MainWindow::SaveJoinedGame(const QString& path) {
  // The host's last whole state is a complete saved game: its moves so far, as it stood.
  const std::optional<GameState> state = ParseGameText(
      client_->LastStateText().toStdString(), FreshGrounds(game_->Database()), &fileError_);
  if (!state) return false;
  return WriteGameFile(*state, path.toStdString(), &fileError_, languageFile_.get());
}

}  // namespace quillbury::ui
