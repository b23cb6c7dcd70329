#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

#include "core/GameRules.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

// Who plays a seat of a network game.
enum class HostSeatKind { PersonHere, PersonRemote, ComputerClassic, ComputerStrong };

// A network game as the host set it up.
struct HostSetup {
  struct Seat {
    QString name;
    HostSeatKind kind = HostSeatKind::PersonHere;
    std::int32_t money = 5000000;
  };
  int players = 2;
  std::array<Seat, kMaxPlayers> seats{};
  quint16 port = 4747;

  // The new game for the rules: a person over the network is a person there, too.
  NewGameChoice Choice() const;
  // The seats the host opens to the network.
  bool Remote(int player) const;
};

// Game > Host network game: the players, who plays each seat, start money and the port. It
// changes no game state; the caller reads Setup() when exec() returned Accepted.
class HostGameDialog : public QDialog {
  Q_OBJECT

 public:
  // languageFile may be null: the texts then stay English.
  HostGameDialog(QWidget* owner, const IniFile* languageFile);

  // Pre-fills the port, as "--host PORT" asks; a port out of range shows why it cannot be used.
  void SetPort(const QString& port);
  // Offers the game in progress with its players as they are: only who plays each person's
  // seat (here or over the network) and the port remain to choose.
  void SetFromGame(const GameState& game);
  HostSetup Setup() const;
  // Why the game cannot be hosted as it stands, empty when it can.
  QString Reason() const;

  QRadioButton* TwoPlayersButton() const { return twoPlayers_; }
  QRadioButton* ThreePlayersButton() const { return threePlayers_; }
  QLineEdit* NameEdit(int seat) const { return seats_.at(seat).name; }
  QComboBox* KindBox(int seat) const { return seats_.at(seat).kind; }
  QLineEdit* MoneyEdit(int seat) const { return seats_.at(seat).money; }
  QLineEdit* PortEdit() const { return port_; }
  QLabel* ReasonLabel() const { return reason_; }
  QPushButton* HostButton() const { return host_; }

 private:
  struct SeatFields {
    QWidget* box = nullptr;
    QLineEdit* name = nullptr;
    QComboBox* kind = nullptr;
    QLineEdit* money = nullptr;
  };
  void Check();

  QRadioButton* twoPlayers_ = nullptr;
  QRadioButton* threePlayers_ = nullptr;
  std::array<SeatFields, kMaxPlayers> seats_;
  QLineEdit* port_ = nullptr;
  QLabel* reason_ = nullptr;
  QPushButton* host_ = nullptr;
  QString needRemote_, badPort_, longName_;
};

}  // namespace quillbury::ui
