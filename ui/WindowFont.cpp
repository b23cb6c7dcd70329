#include "ui/WindowFont.h"

#include <QFontMetrics>
#include <QLabel>

namespace quillbury::ui {

QFont WindowFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QFont FittingFont(QFont font, const QString& text, QSize box, int flags, int minPixelSize) {
  const auto fits = [&](const QFont& f) {
    const QRect needed = QFontMetrics(f).boundingRect(QRect(QPoint(0, 0), box), flags, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
  };
  if (fits(font)) return font;
  font.setStretch(QFont::Condensed);
  while (!fits(font) && font.pixelSize() > minPixelSize) font.setPixelSize(font.pixelSize() - 1);
  return font;
}

QLabel* PlacedLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QColor& colour,
                    Qt::Alignment alignment) {
  auto* label = new QLabel(parent);
  label->setGeometry(geometry);
  label->setFont(font);
  label->setAlignment(alignment);
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
  return label;
}

}  // namespace quillbury::ui
