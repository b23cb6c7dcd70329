#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

namespace quillbury::ui {

// The game's sans-serif face at a size in pixels: the windows are placed in pixels, so their
// text is sized in pixels too and fits the same boxes on every screen.
QFont WindowFont(int pixelSize = 11, bool bold = false);

// font, narrowed and then made smaller (not below minPixelSize) only as far as text needs to fit
// box when drawn with flags. Faces differ in width from desktop to desktop, and a fixed box
// must not cut its text off.
QFont FittingFont(QFont font, const QString& text, QSize box, int flags, int minPixelSize = 9);

// A label placed at geometry on parent with a transparent background, in font and colour: the
// board's and the panels' captions and values.
QLabel* PlacedLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QColor& colour,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

}  // namespace quillbury::ui
