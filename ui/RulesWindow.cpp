#include "ui/RulesWindow.h"

#include <QFile>
#include <QVBoxLayout>

namespace quillbury::ui {

RulesWindow::RulesWindow(QWidget* owner, const QString& appDir)
    : QWidget(owner, Qt::Window), appDir_(appDir) {
  setWindowTitle(QStringLiteral("Quillbury Help"));
  resize(620, 640);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  text_ = new QTextBrowser(this);
  text_->setOpenExternalLinks(true);
  layout->addWidget(text_);
}

void RulesWindow::ShowLanguage(const QString& language) {
  const QString name =
      language == QStringLiteral("da") ? QStringLiteral("RULES.da.md") : QStringLiteral("RULES.md");
  QFile file(appDir_ + QStringLiteral("help/") + name);
  if (file.open(QIODevice::ReadOnly)) {
    text_->setMarkdown(QString::fromUtf8(file.readAll()));
  } else {
    text_->setPlainText(QStringLiteral("The rules file %1 is missing.").arg(file.fileName()));
  }
}

}  // namespace quillbury::ui
