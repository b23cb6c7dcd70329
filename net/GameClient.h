#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QWebSocket>

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
  void SendRaw(const QString& text) { socket_.sendTextMessage(text); }
  void Leave() { socket_.close(); }

  bool Joined() const { return seat_ >= 0; }
  int SeatIndex() const { return seat_; }
  QString Token() const { return token_; }
  const GameState& State() const { return state_; }
  QString LastStateText() const { return stateText_; }
  int Refusals() const { return refusals_; }

 signals:
  void Welcomed();
  void MyTurn();
  void StateChanged();
  void EventReceived(const QString& name);
  void Disconnected();

 private:
  void Receive(const QString& text);
  void TakeState(const QString& text);

  Seat& decider_;
  GroundList freshGrounds_;
  QWebSocket socket_;
  QString code_, name_, token_;
  int seat_ = -1;
  int refusals_ = 0;
  GameState state_;
  QString stateText_;
};

}  // namespace quillbury::net
