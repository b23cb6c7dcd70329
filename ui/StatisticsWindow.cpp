#include "ui/StatisticsWindow.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "ui/Colours.h"
#include "ui/WorthHistory.h"

namespace quillbury::ui {

StatisticsWindow::StatisticsWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      chart_(new QChart),
      movesCaption_(QStringLiteral("Move")),
      worthCaption_(QStringLiteral("Total worth (million $)")) {
  setWindowTitle(QStringLiteral("Statistics"));
  resize(560, 380);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new QChartView(chart_, this);
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setAccessibleName(QStringLiteral("Total worth of every player by move"));
  layout->addWidget(view_);
  chart_->legend()->setAlignment(Qt::AlignBottom);
}

void StatisticsWindow::SetTexts(const QString& title, const QString& moves, const QString& worth,
                                const QString& chartName) {
  setWindowTitle(title);
  view_->setAccessibleName(chartName);
  movesCaption_ = moves;
  worthCaption_ = worth;
  for (QAbstractAxis* axis : chart_->axes(Qt::Horizontal)) axis->setTitleText(moves);
  for (QAbstractAxis* axis : chart_->axes(Qt::Vertical)) axis->setTitleText(worth);
}

void StatisticsWindow::Show(const WorthHistory& history) {
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes()) {
    chart_->removeAxis(axis);
    delete axis;
  }
  auto* moves = new QValueAxis;
  moves->setLabelFormat(QStringLiteral("%d"));
  moves->setTitleText(movesCaption_);
  auto* worth = new QValueAxis;
  worth->setLabelFormat(QStringLiteral("%.1f"));
  worth->setTitleText(worthCaption_);
  chart_->addAxis(moves, Qt::AlignBottom);
  chart_->addAxis(worth, Qt::AlignLeft);
  double low = 0, high = 0.1;
  for (const WorthHistory::Line& line : history.Lines()) {
    auto* series = new QLineSeries;
    series->setName(QString::fromStdString(line.Name));
    const QColor colour = FromBgr(line.Colour);
    series->setPen(QPen(colour, 2));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(line.Worth.size()));
    for (std::size_t i = 0; i < line.Worth.size(); ++i) {
      // In millions: the axis stays readable from a few thousand to billions.
      const double v = static_cast<double>(line.Worth[i]) / 1e6;
      points.append(QPointF(static_cast<double>(i), v));
      low = std::min(low, v);
      high = std::max(high, v);
    }
    series->replace(points);
    chart_->addSeries(series);
    series->attachAxis(moves);
    series->attachAxis(worth);
  }
  moves->setRange(0, std::max(1, history.Moves()));
  worth->setRange(low, high * 1.05);
}

}  // namespace quillbury::ui
