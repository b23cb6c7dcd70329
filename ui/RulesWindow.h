#pragma once

#include <QTextBrowser>
#include <QWidget>

namespace quillbury::ui {

// How to play: the rules text shipped beside the program (help/RULES.md, or RULES.da.md for
// Danish), shown in a window that stays open beside the game.
class RulesWindow : public QWidget {
  Q_OBJECT

 public:
  RulesWindow(QWidget* owner, const QString& appDir);
  // Shows the rules in the given language ("da" or anything else for English).
  void ShowLanguage(const QString& language);
  QTextBrowser* RulesView() const { return text_; }

 private:
  QString appDir_;
  QTextBrowser* text_ = nullptr;
};

}  // namespace quillbury::ui
