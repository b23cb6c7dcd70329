#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

namespace quillbury::ui {

class Artwork;

// The dialog for the winner of a three-player game. The caller sets the window title and
// Score (the winner's cash) before showing it. "Add to highscore" puts Score on the wall of
// fame and leaves the dialog open; OK closes it.
class WonDialog : public QDialog {
  Q_OBJECT

 public:
  WonDialog(QWidget* owner, Artwork& art);

  std::int32_t Score = 0;

  QLabel* picture;
  QPushButton* addToWallOfFameButton;
  QPushButton* okButton;

 public slots:
  void Roll();
};

}  // namespace quillbury::ui
