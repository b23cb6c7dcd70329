#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "core/GameSession.h"

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
class TfrmNewGame : public QDialog {
  Q_OBJECT

 public:
  // languageFile may be null: the captions then stay English.
  TfrmNewGame(QWidget* owner, const IniFile* languageFile, Artwork& art);

  NewGameChoice Choice() const;

  // The value of a start-money field: a whole number, 0 when empty or not a number, held to the
  // 32-bit range so that a long number never wraps to a negative start money.
  static std::int32_t MoneyValue(const QString& text);

  QRadioButton* rb2;
  QRadioButton* rb3;
  QGroupBox* Player1;
  QGroupBox* Player2;
  QGroupBox* Player3;
  QLabel* NameLabel1;
  QLabel* NameLabel2;
  QLabel* NameLabel3;
  QLineEdit* edtPlayer1Name;
  QLineEdit* edtPlayer2Name;
  QLineEdit* edtPlayer3Name;
  QLabel* Label1;  // "Start money" of each player
  QLabel* Label2;
  QLabel* Label3;
  QLineEdit* edtPlayer1Money;
  QLineEdit* edtPlayer2Money;
  QLineEdit* edtPlayer3Money;
  QRadioButton* rbPlayer1CPU;
  QRadioButton* rbPlayer2CPU;
  QRadioButton* rbPlayer3CPU;
  QRadioButton* rbPlayer1Real;
  QRadioButton* rbPlayer2Real;
  QRadioButton* rbPlayer3Real;
  QLabel* Image3;  // token of player 1
  QLabel* Image4;  // token of player 2
  QLabel* Image2;  // token of player 3
  QPushButton* Button1;

 private:
  struct Seat {
    QGroupBox* box = nullptr;
    QLabel* nameLabel = nullptr;
    QLineEdit* name = nullptr;
    QLabel* moneyLabel = nullptr;
    QLineEdit* money = nullptr;
    QRadioButton* cpu = nullptr;
    QRadioButton* real = nullptr;
    QLabel* token = nullptr;
  };
  Seat MakeSeat(int number, Artwork& art);
  void ApplyLanguage(const IniFile& languageFile);

  std::array<Seat, 3> seats_;
};

}  // namespace quillbury::ui
