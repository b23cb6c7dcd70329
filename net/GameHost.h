#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocketServer>
#include <array>
#include <map>
#include <memory>
#include <optional>

#include "core/GameRules.h"

class QWebSocket;

namespace quillbury::net {

class GameHost;

// A seat played from another computer: every question goes to that player's program, and the
// host waits for the answer as it waits for a person at its own screen. Only while the host lets
// the classic computer stand in does it decide, and a question it takes over is answered as the
// classic computer would.
class RemoteSeat final : public Seat {
 public:
  RemoteSeat(GameHost& host, int player) : host_(host), player_(player) {}
  bool WantsToBuy(const GameState& game, int player, int ground) override;
  bool WantsToBribe(const GameState& game, int player) override;
  NumberAnswer ChooseNumber(NumberQuestion question, const GameState& game, int player,
                            std::optional<std::int32_t> suggested) override;
  // While the classic computer stands in, it plays the turn; otherwise the player rolls himself.
  void TakeTurn(GameRules& rules) override;
  // The reason goes to the player's screen.
  void Refused(Refusal why, const GameState& game, int player, int ground) override;

  bool standIn = false;  // the classic computer plays the seat until it is given back

 private:
  GameHost& host_;
  int player_;
  ClassicComputer classic_;
};

// Holds a game for players at other computers. The host's rules are the only ones: the joined
// programs get the state and the events, and send only the decisions of their own seat. Only
// who knows the invite code joins; each seat gets a token to come back with.
class GameHost final : public QObject, public GameListener {
  Q_OBJECT

 public:
  // How long the host waits for a player before it offers to let the computer play his seat.
  static constexpr int kOfferStandInMs = 30000;

  explicit GameHost(GameRules& rules, QObject* parent = nullptr);
  // Tells every joined program that the host has gone, as Close() does.
  ~GameHost() override;

  // Listens on port (0: any free one). False with the reason when it cannot.
  bool Listen(quint16 port, QString* why = nullptr);
  quint16 Port() const;
  QString InviteCode() const { return code_; }
  const GameRules& Rules() const { return rules_; }
  // The player is played from another computer from now on.
  void OpenSeat(int player);
  bool IsNetworkSeat(int player) const;
  // Somebody is connected to the seat.
  bool SeatTaken(int player) const;
  // The seat's own player decides: a network seat the computer does not stand in for.
  bool PlayedFromAfar(int player) const { return IsNetworkSeat(player) && !StandIn(player); }

  // The host's choice to let the classic computer play a network seat (its player dropped or
  // stops answering); a question waiting for him is answered by the computer at once. False
  // gives the seat back; it is also given back when its player returns.
  void SetStandIn(int player, bool standIn);
  bool StandIn(int player) const;

  // The network player whose answer or roll the game waits for, -1 when none, and for how long.
  // Follows every question and Poll().
  int WaitingFor() const { return waitingFor_; }
  qint64 WaitedMs() const { return waitingFor_ >= 0 ? waitClock_.elapsed() : 0; }
  void SetOfferAfter(int ms) { offerAfterMs_ = ms; }
  int OfferAfterMs() const { return offerAfterMs_; }
  // The host may let the computer stand in for the player: the game waited for him at least
  // the offer time, or his connection is gone.
  bool StandInOffered(int player) const;

  // Tells every joined program that the host has paused the game (a window outside the game's
  // flow is open), or that it goes on.
  void SetPaused(bool paused);
  bool Paused() const { return paused_; }
  // Tells every joined program that the host quits, with the state as it stands, and closes.
  void Close();

  // Bytes sent to all joined programs so far.
  qint64 BytesSent() const { return bytesSent_; }
  // Tells a joined player that it is his turn to roll; the host's loop calls this between ticks.
  void Poll();
  // How long a question waits before the computer answers it; below zero (the default) it waits
  // until the player answers or the host lets the computer stand in. For scripts and tests.
  void SetAnswerTimeout(int ms) { answerTimeoutMs_ = ms; }
  int RefusedMessages() const { return refused_; }

  // Sends the question to the player's program and waits for its answer, also across a drop and
  // rejoin; empty when the computer is to answer it (stand-in, timeout, host closed).
  std::optional<QJsonValue> Ask(int player, QJsonObject question);
  // Shows a message on the player's screen and waits until he confirms it, as a question.
  bool Confirm(int player, const QString& text);
  // Shows a message on the screen of a player who plays from afar.
  void Tell(int player, const QString& text);
  // Shows a message on every joined screen but the one of except.
  void ShowToAll(const QString& text, int except = -1);

  void OnGameEvent(const GameEvent& event) override;

 signals:
  void SeatJoined(int player, const QString& name);
  void SeatConnectionChanged(int player, bool connected);
  void WaitingChanged(int player);
  // The offer time for the player the game waits for has passed, or his connection is gone.
  void StandInOfferReady(int player);

 private:
  struct Peer {
    QWebSocket* socket = nullptr;
    int seat = -1;
    int strikes = 0;
  };
  struct PendingAsk {
    int player = -1;
    QString message;  // as sent, to send again when the player rejoins
    int id = 0;
    QEventLoop* loop = nullptr;
    std::optional<QJsonValue> answer;
  };
  void Accept();
  void Dropped(QWebSocket* socket);
  void Receive(QWebSocket* socket, const QString& text);
  void Join(QWebSocket* socket, Peer& peer, const QJsonObject& message);
  void Refuse(QWebSocket* socket, const QString& why);
  void Send(int seat, const QString& message);
  void Broadcast(const QString& message, int except = -1);
  void UpdateWaiting();
  QString StateText() const;
  RemoteSeat* SeatOf(int player) const;

  GameRules& rules_;
  QTcpServer tcp_;
  QWebSocketServer server_;
  QString code_;
  std::map<QWebSocket*, Peer> peers_;
  std::array<std::unique_ptr<RemoteSeat>, kMaxPlayers> seats_;
  std::array<QString, kMaxPlayers> tokens_;
  std::array<QWebSocket*, kMaxPlayers> seatSockets_{};
  int answerTimeoutMs_ = -1;
  int offerAfterMs_ = kOfferStandInMs;
  int refused_ = 0;
  qint64 bytesSent_ = 0;
  int nextAsk_ = 0;
  PendingAsk* pending_ = nullptr;
  int waitingFor_ = -1;
  QElapsedTimer waitClock_;
  QTimer offerTimer_;
  bool paused_ = false;
  bool closed_ = false;
  std::array<QString, kMaxPlayers> sentState_;  // the state text each seat holds
  std::uint64_t toldTurn_ = ~std::uint64_t{0};
};

}  // namespace quillbury::net
