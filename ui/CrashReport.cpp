#include "ui/CrashReport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <exception>
#include <typeinfo>

#if defined(__GNUG__)
#include <cxxabi.h>

#include <cstdlib>
#endif

#include "localisation/Messages.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

namespace {

// A fault that repeats at every timer tick would otherwise grow the report without end.
constexpr int kMaxEntries = 20;

QPointer<CrashReportDialog>& OpenReport() {
  static QPointer<CrashReportDialog> report;
  return report;
}

QString TypeName(const std::type_info* type) {
  if (type == nullptr) return QStringLiteral("unknown exception");
#if defined(__GNUG__)
  int status = 0;
  char* name = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
  if (status == 0 && name != nullptr) {
    QString result = QString::fromUtf8(name);
    std::free(name);
    return result;
  }
#endif
  return QString::fromUtf8(type->name());
}

QString ReceiverText(const char* className, const QEvent* event) {
  QString text = QStringLiteral("Receiver: ") +
                 (className != nullptr ? QString::fromLatin1(className) : QStringLiteral("none"));
  if (event != nullptr) text += QStringLiteral("\nEvent type: ") + QString::number(event->type());
  return text;
}

// The language of the report; set by the window once its language file is read.
const IniFile* reportLanguage = nullptr;

QString Text(MessageId id) { return QString::fromStdString(MessageText(reportLanguage, id)); }

}  // namespace

void SetErrorReportLanguage(const IniFile* language) { reportLanguage = language; }

CrashReportDialog::CrashReportDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(MessageId::CrashTitle));
  setFixedSize(440, 300);
  setFont(WindowFont());
  connect(this, &QDialog::finished, this, &QObject::deleteLater);
  // The game waits behind the report until the player has chosen.
  setWindowModality(Qt::ApplicationModal);

  explanation_ = new QLabel(Text(MessageId::CrashExplanation), this);
  explanation_->setGeometry(12, 12, 416, 48);
  explanation_->setWordWrap(true);

  details_ = new QPlainTextEdit(this);
  details_->setGeometry(12, 68, 416, 172);
  details_->setReadOnly(true);
  details_->setFont(WindowFont(11));

  continue_ = new QPushButton(Text(MessageId::CrashContinue), this);
  continue_->setGeometry(212, 252, 100, 32);
  continue_->setDefault(true);
  connect(continue_, &QPushButton::clicked, this, &QDialog::accept);

  closeProgram_ = new QPushButton(Text(MessageId::CrashClose), this);
  closeProgram_->setGeometry(324, 252, 104, 32);
  closeProgram_->setAutoDefault(false);
  connect(closeProgram_, &QPushButton::clicked, this, [this] {
    close();
    QApplication::exit(1);
  });
}

void CrashReportDialog::AddDetails(const QString& details) {
  ++entries_;
  if (entries_ > kMaxEntries) {
    if (entries_ == kMaxEntries + 1)
      details_->appendPlainText(QLatin1Char('\n') + Text(MessageId::CrashMore));
    return;
  }
  if (entries_ > 1) details_->appendPlainText(QStringLiteral("\n----"));
  details_->appendPlainText(details);
}

CrashReportDialog* CrashReportDialog::Current() { return OpenReport().data(); }

void ShowErrorReport(QWidget* parent, const QString& details) {
  QPointer<CrashReportDialog>& report = OpenReport();
  // A report already answered but not yet deleted does not count as open.
  if (report.isNull() || !report->isVisible()) {
    report = new CrashReportDialog(parent);
    report->AddDetails(details);
    report->show();
  } else {
    report->AddDetails(details);
    report->raise();
  }
}

QuillburyApplication::QuillburyApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QuillburyApplication::notify(QObject* receiver, QEvent* event) {
  // Taken now: a handler may have deleted its receiver before it threw.
  const char* className = receiver != nullptr ? receiver->metaObject()->className() : nullptr;
  QString details;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    details = TypeName(&typeid(e)) + QStringLiteral(": ") + QString::fromUtf8(e.what());
  } catch (...) {
#if defined(__GNUG__)
    details = TypeName(abi::__cxa_current_exception_type());
#else
    details = TypeName(nullptr);
#endif
  }
  // The report must not throw in turn: that error would leave the event loop after all.
  try {
    // No parent: the window that failed may be closed and deleted while the report is open.
    ShowErrorReport(nullptr, details + QLatin1Char('\n') + ReceiverText(className, event));
  } catch (...) {
  }
  return false;
}

}  // namespace quillbury::ui
