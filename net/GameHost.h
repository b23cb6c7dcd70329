#pragma once

#include <QEventLoop>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTcpServer>
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
// host waits for the answer as it waits for a person at its own screen. A seat whose program
// does not answer in time, or is gone, is answered as the classic computer would.
class RemoteSeat final : public Seat {
 public:
  RemoteSeat(GameHost& host, int player) : host_(host), player_(player) {}
  bool WantsToBuy(const GameState& game, int player, int ground) override;
  bool WantsToBribe(const GameState& game, int player) override;
  NumberAnswer ChooseNumber(NumberQuestion question, const GameState& game, int player,
                            std::optional<std::int32_t> suggested) override;
  // While the classic computer stands in, it plays the turn; otherwise the player rolls himself.
  void TakeTurn(GameRules& rules) override;

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
  explicit GameHost(GameRules& rules, QObject* parent = nullptr);
  ~GameHost() override;

  // Listens on port (0: any free one). False with the reason when it cannot.
  bool Listen(quint16 port, QString* why = nullptr);
  quint16 Port() const;
  QString InviteCode() const { return code_; }
  // The player is played from another computer from now on.
  void OpenSeat(int player);
  bool SeatTaken(int player) const;
  // Lets the classic computer play a network seat (its player dropped or stopped answering), or
  // gives the seat back to its player.
  void SetStandIn(int player, bool standIn);
  bool StandIn(int player) const;
  // Bytes sent to all joined programs so far.
  qint64 BytesSent() const { return bytesSent_; }
  // Tells a joined player that it is his turn to roll; the host's loop calls this between ticks.
  void Poll();
  // How long a question waits for an answer before the classic computer answers it.
  void SetAnswerTimeout(int ms) { answerTimeoutMs_ = ms; }
  int RefusedMessages() const { return refused_; }

  // Sends the question to the player's program and waits for its answer; empty when none came.
  std::optional<QJsonValue> Ask(int player, QJsonObject question);

  void OnGameEvent(const GameEvent& event) override;

 signals:
  void SeatJoined(int player, const QString& name);

 private:
  struct Peer {
    QWebSocket* socket = nullptr;
    int seat = -1;
    int strikes = 0;
  };
  void Accept();
  void Receive(QWebSocket* socket, const QString& text);
  void Refuse(QWebSocket* socket, const QString& why);
  void Send(int seat, const QString& message);
  void Broadcast(const QString& message);
  QString StateText() const;

  GameRules& rules_;
  QTcpServer tcp_;
  QWebSocketServer server_;
  QString code_;
  std::map<QWebSocket*, Peer> peers_;
  std::array<std::unique_ptr<RemoteSeat>, kMaxPlayers> seats_;
  std::array<QString, kMaxPlayers> tokens_;
  std::array<QWebSocket*, kMaxPlayers> seatSockets_{};
  int answerTimeoutMs_ = 60000;
  int refused_ = 0;
  qint64 bytesSent_ = 0;
  int nextAsk_ = 0;
  int waitingFor_ = -1;
  std::optional<QJsonValue> answer_;
  QEventLoop* waiting_ = nullptr;
  std::uint64_t toldTurn_ = ~std::uint64_t{0};
};

}  // namespace quillbury::net
