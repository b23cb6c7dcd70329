#include "ui/Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

#include "localisation/RegularFile.h"

namespace quillbury::ui {
namespace {

constexpr std::size_t kMaxPictureSize = 8u << 20;  // ours are a few kilobytes

}  // namespace

Artwork::Artwork(QString appDir, qreal pixelRatio)
    : dir_(std::move(appDir) + QStringLiteral("pictures/")), ratio_(pixelRatio) {}

void Artwork::SetPixelRatio(qreal ratio) {
  if (ratio == ratio_) return;
  ratio_ = ratio;
  cache_.clear();
}

QPixmap Artwork::Picture(const QString& name, QSize size) {
  const QString key = name + QLatin1Char('@') + QString::number(size.width()) + QLatin1Char('x') +
                      QString::number(size.height());
  if (auto it = cache_.constFind(key); it != cache_.constEnd()) return *it;
  QPixmap pixmap(size * ratio_);
  pixmap.setDevicePixelRatio(ratio_);
  const QString path = dir_ + name + QStringLiteral(".svg");
  QSvgRenderer renderer;
  std::string bytes;
  // Read through the regular-file check: a pipe in place of a picture must not block the window.
  if (ReadRegularFile(path.toStdString(), kMaxPictureSize, bytes) == FileProblem::None &&
      renderer.load(QByteArray::fromStdString(bytes))) {
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  } else {
    pixmap.fill(QColor(0x80, 0x80, 0x80));
  }
  cache_.insert(key, pixmap);
  return pixmap;
}

}  // namespace quillbury::ui
