#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QWebSocket>

#include "core/GameEvent.h"
#include "core/GameState.h"
#include "core/Seat.h"

namespace quillbury::net {

// A program that joined a game held elsewhere. It keeps the state the host sends, answers the
// host's questions for its own seat through a local seat (a person's dialogs, or a script), and
// sends its player's roll.
class GameClient final : public QObject {
  Q_OBJECT

 public:
  // freshGrounds: the company database's grounds, to read the host's states with.
  GameClient(Seat& decider, GroundList freshGrounds, QObject* parent = nullptr);

  // Joins the host at url with the invite code, or with a seat's token to come back.
  void Join(const QUrl& url, const QString& code, const QString& name,
            const QString& token = QString());
  // Rolls for the joined seat (the host refuses it out of turn).
  void Roll();
  // A finance action for the joined seat: "loan", "repay", "buy-company", "build",
  // "sell-company" or "sell-building"; the host asks its numbers back.
  void Act(const QString& action);
  // Confirms the message the host waits on this player to read (MessageShown with
  // needsConfirm); false when none waits.
  bool Confirm();
  // Whether a message that needs confirming is confirmed at once. A script wants that; a
  // window turns it off and calls Confirm() when its player pressed OK.
  void SetAutoConfirm(bool on) { autoConfirm_ = on; }
  void SendRaw(const QString& text) { socket_.sendTextMessage(text); }
  void Leave() { socket_.close(); }

  bool Joined() const { return seat_ >= 0; }
  int SeatIndex() const { return seat_; }
  QString Token() const { return token_; }
  // The game as the host last told it, with the dice and token steps since.
  const GameState& State() const { return state_; }
  // The host's last whole state: a complete saved game.
  QString LastStateText() const { return stateText_; }
  int Refusals() const { return refusals_; }
  bool HostIsPaused() const { return hostPaused_; }
  bool ConfirmPending() const { return confirmId_ >= 0; }

 signals:
  void Welcomed();
  void MyTurn();
  void StateChanged();
  void EventReceived(const QString& name);
  // After State() shows it.
  void GameEventReceived(const quillbury::GameEvent& event);
  void MessageShown(const QString& text, bool needsConfirm);
  void HostPaused(bool paused);
  // The computer plays the player's seat on the host, or gave it back.
  void StandInChanged(int player, bool standIn);
  // The host quit; LastStateText() is the game as it stood. No Disconnected() follows.
  void HostLeft();
  // The host refused to let this program in (a wrong invite code, a full game or a stale token).
  void JoinRefused();
  // The connection dropped without the host saying goodbye.
  void Disconnected();

 private:
  void Receive(const QString& text);
  bool TakeState(const QString& text);
  void TakeEvent(const QJsonObject& message);
  void Answer(const QJsonObject& ask);
  void Reply(const QJsonValue& id, const QJsonValue& value);

  Seat& decider_;
  GroundList freshGrounds_;
  QWebSocket socket_;
  QString code_, name_, token_;
  int seat_ = -1;
  int refusals_ = 0;
  int confirmId_ = -1;
  bool autoConfirm_ = true;
  bool hostPaused_ = false;
  bool hostLeft_ = false;
  GameState state_;
  QString stateText_;
};

}  // namespace quillbury::net
