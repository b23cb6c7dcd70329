#include "app/StartupMeasure.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace quillbury {
namespace {

double NowNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class FirstPaint final : public QObject {
 public:
  FirstPaint(QWidget* window, double seconds, std::function<QString()> shownGame)
      : QObject(window), seconds_(seconds), shownGame_(std::move(shownGame)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      const double t0 = qEnvironmentVariableIsSet("QUILLBURY_T0_NS")
                            ? qEnvironmentVariable("QUILLBURY_T0_NS").toDouble()
                            : NowNs();
      std::printf("first-paint-ms %.1f\n", (NowNs() - t0) / 1e6);
      if (shownGame_) {
        const QString game = shownGame_();
        std::printf("loaded-game %s\n", game.isEmpty() ? "-" : game.toLocal8Bit().constData());
      }
      std::fflush(stdout);
      // Let start-up settle for a moment before the idle period is measured.
      QTimer::singleShot(500, this, [this] {
        const double cpu = CpuSeconds();
        const double wall = NowNs();
        QTimer::singleShot(static_cast<int>(seconds_ * 1000), this, [this, cpu, wall] {
          const double used = CpuSeconds() - cpu;
          const double elapsed = (NowNs() - wall) / 1e9;
          rusage usage{};
          getrusage(RUSAGE_SELF, &usage);
          std::printf("idle-cpu-percent %.2f\npeak-rss-kb %ld\n", 100.0 * used / elapsed,
                      usage.ru_maxrss);
          std::fflush(stdout);
          QCoreApplication::quit();
        });
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  double seconds_;
  std::function<QString()> shownGame_;
  bool seen_ = false;
};

}  // namespace

void WatchStartup(QWidget* window, std::function<QString()> shownGame) {
  if (!qEnvironmentVariableIsSet("QUILLBURY_MEASURE")) return;
  const double seconds = qEnvironmentVariable("QUILLBURY_MEASURE").toDouble();
  window->installEventFilter(
      new FirstPaint(window, seconds > 0 ? seconds : 10, std::move(shownGame)));
}

}  // namespace quillbury
