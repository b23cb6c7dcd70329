#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QPushButton;

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

class Artwork;

// The dialog for the winner of a three-player game. The caller sets the window title, Score
// (the winner's cash) and the winner's name before showing it. "Add to highscore" puts Score on
// the wall of fame, says so, and leaves the dialog open; OK closes it.
class WonDialog : public QDialog {
  Q_OBJECT

 public:
  // language: the texts' language file; null for English.
  WonDialog(QWidget* owner, Artwork& art, const IniFile* language = nullptr);

  std::int32_t Score = 0;
  // Says in the dialog who won and with how much (Score).
  void SetWinner(const std::string& name);

  QLabel* WinnerLabel() const { return winner_; }
  QLabel* Picture() const { return picture_; }
  QPushButton* AddToWallOfFameButton() const { return add_; }
  QPushButton* OkButton() const { return ok_; }
  // Empty until the score was added.
  QLabel* ConfirmationLabel() const { return confirmation_; }

 public slots:
  void Roll();

 private:
  const IniFile* language_;
  QLabel* winner_ = nullptr;
  QLabel* picture_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLabel* confirmation_ = nullptr;
};

}  // namespace quillbury::ui
