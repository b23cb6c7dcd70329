#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace quillbury::ui {

// Everything the game has said and every roll, in order, for players who looked away. It stays
// open beside the board and follows the game; the whole log can be saved as a text file.
class GameLogWindow : public QWidget {
  Q_OBJECT

 public:
  // chooseFile asks where to save and returns an empty path when cancelled.
  GameLogWindow(QWidget* owner, std::function<QString()> chooseFile);
  void Append(const QString& line);
  void SetLines(const QStringList& lines);
  // The window's title and the save button's caption, in the game's language.
  // saveFailed holds "%1" for the file's path.
  void SetTexts(const QString& title, const QString& saveCaption, const QString& saveFailed);
  // Writes the log as UTF-8 text; false when the file cannot be written.
  bool SaveTo(const QString& path) const;

  QPlainTextEdit* LogView() const { return log_; }
  QPushButton* SaveButton() const { return save_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString saveFailed_ = QStringLiteral("The game log could not be saved to %1.");
  void ScrollToNewest();
  std::function<QString()> chooseFile_;
  QPlainTextEdit* log_ = nullptr;
  QPushButton* save_ = nullptr;
};

}  // namespace quillbury::ui
