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

  QRadioButton* twoPlayersButton;
  QRadioButton* threePlayersButton;
  QGroupBox* seatBox1;
  QGroupBox* seatBox2;
  QGroupBox* seatBox3;
  QLabel* nameLabel1;
  QLabel* nameLabel2;
  QLabel* nameLabel3;
  QLineEdit* nameEdit1;
  QLineEdit* nameEdit2;
  QLineEdit* nameEdit3;
  QLabel* moneyLabel1;  // "Start money" of each player
  QLabel* moneyLabel2;
  QLabel* moneyLabel3;
  QLineEdit* moneyEdit1;
  QLineEdit* moneyEdit2;
  QLineEdit* moneyEdit3;
  QRadioButton* computerButton1;
  QRadioButton* computerButton2;
  QRadioButton* computerButton3;
  QRadioButton* strongButton1;  // the strong computer level
  QRadioButton* strongButton2;
  QRadioButton* strongButton3;
  QRadioButton* personButton1;
  QRadioButton* personButton2;
  QRadioButton* personButton3;
  QLabel* tokenPicture1;  // token of player 1
  QLabel* tokenPicture2;  // token of player 2
  QLabel* tokenPicture3;  // token of player 3
  QPushButton* startButton;

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

  std::array<Seat, 3> seats_;
};

}  // namespace quillbury::ui
