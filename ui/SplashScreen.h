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

  QLabel* Picture() const { return picture_; }
  QLabel* LoadingLabel() const { return loading_; }

 private:
  QLabel* picture_ = nullptr;
  QLabel* loading_ = nullptr;
};

}  // namespace quillbury::ui
