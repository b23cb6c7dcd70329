#pragma once

#include <QWidget>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace quillbury::ui {

class WorthHistory;

// A chart of every player's total worth at the end of each move, one line per player in the
// player's owner colour. It stays open beside the board and follows the game.
class StatisticsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit StatisticsWindow(QWidget* owner);
  // Draws the history anew.
  void Show(const WorthHistory& history);
  // The title and the axes' captions, in the game's language.
  // chartName is what a screen reader says of the chart.
  void SetTexts(const QString& title, const QString& moves, const QString& worth,
                const QString& chartName);
  QChart* Chart() const { return chart_; }

 private:
  QChart* chart_;
  QChartView* view_;
  QString movesCaption_, worthCaption_;
};

}  // namespace quillbury::ui
