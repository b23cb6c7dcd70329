#include "ui/GameLogWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSaveFile>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quillbury::ui {

GameLogWindow::GameLogWindow(QWidget* owner, std::function<QString()> chooseFile)
    : QWidget(owner, Qt::Window), chooseFile_(std::move(chooseFile)) {
  setWindowTitle(QStringLiteral("Quillbury game log"));
  resize(380, 592);
  auto* layout = new QVBoxLayout(this);
  log_ = new QPlainTextEdit(this);
  log_->setReadOnly(true);
  log_->setMaximumBlockCount(20000);
  layout->addWidget(log_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  save_ = new QPushButton(QStringLiteral("Save as text..."), this);
  buttons->addWidget(save_);
  layout->addLayout(buttons);
  connect(save_, &QPushButton::clicked, this, [this] {
    const QString path = chooseFile_ ? chooseFile_() : QString();
    if (path.isEmpty()) return;
    if (!SaveTo(path)) {
      QMessageBox::warning(this, windowTitle(),
                           QString(saveFailed_).replace(QStringLiteral("%1"), path));
    }
  });
}

void GameLogWindow::Append(const QString& line) {
  QScrollBar* bar = log_->verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  log_->appendPlainText(line);
  // Follow the game, unless the reader has scrolled back to look at something.
  if (atEnd || !isVisible()) ScrollToNewest();
}

void GameLogWindow::SetLines(const QStringList& lines) {
  log_->setPlainText(lines.join(QLatin1Char('\n')));
  ScrollToNewest();
}

void GameLogWindow::SetTexts(const QString& title, const QString& saveCaption,
                             const QString& saveFailed) {
  saveFailed_ = saveFailed;
  setWindowTitle(title);
  save_->setText(saveCaption);
}

void GameLogWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Whoever opens the log wants to see what just happened.
  ScrollToNewest();
}

void GameLogWindow::ScrollToNewest() {
  log_->moveCursor(QTextCursor::End);
  log_->ensureCursorVisible();
  log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

bool GameLogWindow::SaveTo(const QString& path) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
  file.write(log_->toPlainText().toUtf8());
  file.write("\n");
  return file.commit();
}

}  // namespace quillbury::ui
