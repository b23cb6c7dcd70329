#pragma once

#include <QDialog>
#include <QLabel>
#include <QStringList>
#include <QTimer>

class QFrame;

namespace quillbury::ui {

class Artwork;

// Credits that crawl upwards through their box, one pixel every 40 ms, and start again from the
// bottom once the last line has left at the top. They move only while shown.
class ScrollText : public QWidget {
  Q_OBJECT

 public:
  ScrollText(QStringList lines, QWidget* parent);

  // Where the first line is drawn, relative to the top of the box.
  int TextTop() const { return top_; }
  int TextHeight() const;

 public slots:
  void Step();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QString text_;
  QTimer timer_;
  int top_ = 0;
  mutable int height_ = -1;  // of the wrapped text; -1 until measured for the current width
};

// A label that opens its own text as a web address when clicked.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The About dialog: the maker's banner, scrolling credits, the rights notice and a link to the
// maker's web page. It has no button; the close box closes it.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(QWidget* owner, Artwork& art);

  static QStringList Credits();

  QLabel* Logo() const { return logo_; }
  QFrame* CreditsFrame() const { return creditsFrame_; }
  ScrollText* ScrollingCredits() const { return credits_; }
  QLabel* WebsiteHint() const { return websiteHint_; }
  QLabel* RightsNotice() const { return rightsNotice_; }
  LinkLabel* WebsiteLink() const { return websiteLink_; }

 public slots:
  void OpenLink();

 private:
  QLabel* logo_ = nullptr;
  QFrame* creditsFrame_ = nullptr;
  ScrollText* credits_ = nullptr;
  QLabel* websiteHint_ = nullptr;
  QLabel* rightsNotice_ = nullptr;
  LinkLabel* websiteLink_ = nullptr;
};

}  // namespace quillbury::ui
