#pragma once

#include <QApplication>
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

// The window that tells the player about an error nobody handled. Errors that arrive while it
// is open are added to it, so a fault that repeats does not bury the desktop in windows.
class CrashReportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CrashReportDialog(QWidget* parent);

  void AddDetails(const QString& details);
  // The report on screen, or null.
  static CrashReportDialog* Current();

  QLabel* ExplanationLabel() const { return explanation_; }
  QPlainTextEdit* DetailsView() const { return details_; }
  QPushButton* ContinueButton() const { return continue_; }
  QPushButton* CloseProgramButton() const { return closeProgram_; }

 private:
  int entries_ = 0;
  QLabel* explanation_ = nullptr;
  QPlainTextEdit* details_ = nullptr;
  QPushButton* continue_ = nullptr;
  QPushButton* closeProgram_ = nullptr;
};

// Shows details in the open report, or opens one. For handlers that catch their own errors.
void ShowErrorReport(QWidget* parent, const QString& details);
// The language file the report's texts come from (null: English); it must outlive its use.
void SetErrorReportLanguage(const IniFile* language);

// The application object: no exception thrown by a handler crosses the event loop; it is
// reported and the event counts as not handled.
class QuillburyApplication : public QApplication {
  Q_OBJECT

 public:
  QuillburyApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace quillbury::ui
