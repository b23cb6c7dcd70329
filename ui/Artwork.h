#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

namespace quillbury::ui {

// The game's pictures, drawn from the SVG files in AppDir + "pictures/" at the screen's pixel
// ratio so they stay crisp, and kept once drawn. A missing file gives a plain grey picture of the
// asked size, so the game stays playable.
class Artwork {
 public:
  explicit Artwork(QString appDir, qreal pixelRatio = 1.0);

  // The picture "name" (without ".svg") at size logical pixels.
  QPixmap Picture(const QString& name, QSize size);
  qreal PixelRatio() const { return ratio_; }
  void SetPixelRatio(qreal ratio);

 private:
  QString dir_;
  qreal ratio_;
  QHash<QString, QPixmap> cache_;
};

}  // namespace quillbury::ui
