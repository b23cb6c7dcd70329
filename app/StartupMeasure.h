#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace quillbury {

// When QUILLBURY_MEASURE=<seconds> is set, prints the time from QUILLBURY_T0_NS (a
// CLOCK_MONOTONIC time taken by the launching script) to the window's first paint, then, after
// that many seconds of idling, the processor use and the peak memory, and quits. Used by the
// window benchmark under bench/window/.
// shownGame, when given, names the saved game on screen ("loaded-game <path>", "-" for none).
void WatchStartup(QWidget* window, std::function<QString()> shownGame = {});

}  // namespace quillbury
