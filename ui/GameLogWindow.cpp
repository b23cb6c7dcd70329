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
  Log = new QPlainTextEdit(this);
  Log->setReadOnly(true);
  Log->setMaximumBlockCount(20000);
  layout->addWidget(Log);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  SaveButton = new QPushButton(QStringLiteral("Save as text..."), this);
  buttons->addWidget(SaveButton);
  layout->addLayout(buttons);
  connect(SaveButton, &QPushButton::clicked, this, [this] {
    const QString path = chooseFile_ ? chooseFile_() : QString();
    if (path.isEmpty()) return;
    if (!SaveTo(path)) {
      QMessageBox::warning(this, windowTitle(),
                           QStringLiteral("The game log could not be saved to %1.").arg(path));
    }
  });
}

void GameLogWindow::Append(const QString& line) {
  QScrollBar* bar = Log->verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  Log->appendPlainText(line);
  // Follow the game, unless the reader has scrolled back to look at something.
  if (atEnd || !isVisible()) ScrollToNewest();
}

void GameLogWindow::SetLines(const QStringList& lines) {
  Log->setPlainText(lines.join(QLatin1Char('\n')));
  ScrollToNewest();
}

void GameLogWindow::SetTexts(const QString& title, const QString& saveCaption) {
  setWindowTitle(title);
  SaveButton->setText(saveCaption);
}

void GameLogWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Whoever opens the log wants to see what just happened.
  ScrollToNewest();
}

void GameLogWindow::ScrollToNewest() {
  Log->moveCursor(QTextCursor::End);
  Log->ensureCursorVisible();
  Log->verticalScrollBar()->setValue(Log->verticalScrollBar()->maximum());
}

bool GameLogWindow::SaveTo(const QString& path) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
  file.write(Log->toPlainText().toUtf8());
  file.write("\n");
  return file.commit();
}

}  // namespace quillbury::ui
