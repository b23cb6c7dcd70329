#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace quillbury::ui {

// The game's sans-serif face at a size in pixels: the windows are placed in pixels, so their
// text is sized in pixels too and fits the same boxes on every screen.
QFont WindowFont(int pixelSize = 11, bool bold = false);

// font, narrowed and then made smaller (not below minPixelSize) only as far as text needs to fit
// box when drawn with flags. Faces differ in width from desktop to desktop, and a fixed box
// must not cut its text off.
QFont FittingFont(QFont font, const QString& text, QSize box, int flags, int minPixelSize = 9);

}  // namespace quillbury::ui
