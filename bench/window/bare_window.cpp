// The yardstick for the game window's start-up, idle and memory figures: a plain Qt main window of
// the game's client size, running the game's two 10 ms timers and showing its 42 square pictures,
// and nothing else. Measured by the same code as the game (QUILLBURY_MEASURE, see measure.sh).
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTimer>
#include <array>

#include "app/StartupMeasure.h"

namespace {

// Column and row of squares 1..42 on the board's 48-pixel grid, whose origin is (16, 56).
constexpr std::array<std::array<int, 2>, 42> kSquareCells{{
    {1, 0}, {2, 0}, {3, 0},  {4, 0},  {5, 0},  {5, 1},  {5, 2},  {6, 2},  {7, 2},  {8, 2},  {8, 1},
    {8, 0}, {9, 0}, {10, 0}, {10, 1}, {11, 1}, {11, 2}, {11, 3}, {11, 4}, {11, 5}, {11, 6}, {10, 6},
    {9, 6}, {8, 6}, {7, 6},  {6, 6},  {6, 7},  {6, 8},  {5, 8},  {4, 8},  {3, 8},  {2, 8},  {2, 7},
    {2, 6}, {1, 6}, {0, 6},  {0, 5},  {0, 4},  {0, 3},  {1, 3},  {1, 2},  {1, 1},
}};

constexpr int kSquareSize = 49;

QPixmap RenderSquare(const QString& file, qreal ratio) {
  QPixmap pixmap(QSize(kSquareSize, kSquareSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(file);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(0, 0, kSquareSize, kSquareSize));
  return pixmap;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);

  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.setFixedSize(792, 592);
  auto* board = new QWidget(&window);
  window.setCentralWidget(board);

  const QString pictures = QCoreApplication::applicationDirPath() + QStringLiteral("/pictures/");
  const qreal ratio = window.devicePixelRatioF();
  for (int n = 1; n <= 42; ++n) {
    auto* square = new QLabel(board);
    square->setPixmap(RenderSquare(
        pictures + QStringLiteral("square-%1.svg").arg(n, 2, 10, QLatin1Char('0')), ratio));
    const auto& cell = kSquareCells[static_cast<std::size_t>(n - 1)];
    square->setGeometry(16 + 48 * cell[0], 56 + 48 * cell[1], kSquareSize, kSquareSize);
  }

  // The status refresh and the computer player's timer, with trivial work.
  quint64 ticks = 0;
  for (int i = 0; i < 2; ++i) {
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer->start(10);
  }

  quillbury::WatchStartup(&window);
  window.show();
  return app.exec();
}
