#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "core/GameRules.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

class Artwork;

// The New Game dialog: who plays the next game. It changes no game state; the caller reads
// Choice() when exec() returned Accepted (the Start Game button). The close box rejects.
class NewGameDialog : public QDialog {
  Q_OBJECT

 public:
  // languageFile may be null: the captions then stay English.
  NewGameDialog(QWidget* owner, const IniFile* languageFile, Artwork& art);

  NewGameChoice Choice() const;

  // The value of a start-money field: a whole number, 0 when empty or not a number, held to the
  // 32-bit range so that a long number never wraps to a negative start money.
  static std::int32_t MoneyValue(const QString& text);

  QRadioButton* TwoPlayersButton() const { return twoPlayers_; }
  QRadioButton* ThreePlayersButton() const { return threePlayers_; }
  QGroupBox* SeatBox(int seat) const { return seats_.at(seat).box; }
  QLabel* NameLabel(int seat) const { return seats_.at(seat).nameLabel; }
  QLineEdit* NameEdit(int seat) const { return seats_.at(seat).name; }
  QLabel* MoneyLabel(int seat) const { return seats_.at(seat).moneyLabel; }
  QLineEdit* MoneyEdit(int seat) const { return seats_.at(seat).money; }
  QRadioButton* ComputerButton(int seat) const { return seats_.at(seat).cpu; }
  QRadioButton* StrongButton(int seat) const { return seats_.at(seat).strong; }
  QRadioButton* PersonButton(int seat) const { return seats_.at(seat).real; }
  QLabel* TokenPicture(int seat) const { return seats_.at(seat).token; }
  QPushButton* StartButton() const { return start_; }

 private:
  struct Seat {
    QGroupBox* box = nullptr;
    QLabel* nameLabel = nullptr;
    QLineEdit* name = nullptr;
    QLabel* moneyLabel = nullptr;
    QLineEdit* money = nullptr;
    QRadioButton* cpu = nullptr;
    QRadioButton* strong = nullptr;
    QRadioButton* real = nullptr;
    QLabel* token = nullptr;
  };
  Seat MakeSeat(int number, Artwork& art);
  void ApplyLanguage(const IniFile& languageFile);

  QRadioButton* twoPlayers_ = nullptr;
  QRadioButton* threePlayers_ = nullptr;
  std::array<Seat, 3> seats_;
  QPushButton* start_ = nullptr;
};

}  // namespace quillbury::ui
