#pragma once

#include <QWidget>

class QLabel;

namespace quillbury::ui {

class Artwork;

// The picture shown while the program starts: no frame, centred on the screen.
class SplashScreen : public QWidget {
  Q_OBJECT

 public:
  explicit SplashScreen(Artwork& art);

  QLabel* picture;
  QLabel* loadingText;
};

}  // namespace quillbury::ui
