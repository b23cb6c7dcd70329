#pragma once

#include <QColor>
#include <cstdint>

namespace quillbury::ui {

// A colour of the game's files (red in the lowest byte, then green, then blue) on the screen.
inline QColor FromBgr(std::int32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace quillbury::ui
