#pragma once

#include <QWidget>

class QLabel;

namespace quillbury::ui {

class Artwork;

// The picture shown while the program starts: no frame, centred on the screen.
class TfrmSplashScreen : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmSplashScreen(Artwork& art);

  QLabel* Image1;
  QLabel* Label1;
};

}  // namespace quillbury::ui
