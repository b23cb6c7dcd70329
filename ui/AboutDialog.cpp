#include "ui/AboutDialog.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>

#include "ui/Artwork.h"
#include "ui/OpenUrl.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

namespace {
constexpr int kScrollIntervalMs = 40;
constexpr int kCreditsFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
}  // namespace

ScrollText::ScrollText(QStringList lines, QWidget* parent)
    : QWidget(parent), text_(lines.join(QLatin1Char('\n'))) {
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  setPalette(white);
  timer_.setInterval(kScrollIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &ScrollText::Step);
}

int ScrollText::TextHeight() const {
  if (height_ < 0) {
    height_ =
        fontMetrics().boundingRect(QRect(0, 0, width(), 100000), kCreditsFlags, text_).height();
  }
  return height_;
}

void ScrollText::Step() {
  --top_;
  if (top_ + TextHeight() <= 0) top_ = height();
  update();
}

void ScrollText::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(QRect(0, top_, width(), TextHeight()), kCreditsFlags, text_);
}

void ScrollText::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) {
    top_ = height();
    timer_.start();
  }
}

void ScrollText::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) timer_.stop();
}

void ScrollText::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  height_ = -1;
}

void ScrollText::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) height_ = -1;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

QStringList AboutDialog::Credits() {
  return {
      QStringLiteral("Quillbury 2007"),
      QStringLiteral("\u00A9 Pellmark"),
      QString(),
      QStringLiteral("This is a test release."),
      QStringLiteral("Please tell us about anything that goes wrong."),
      QString(),
      QString(),
      QStringLiteral("Programming"),
      QStringLiteral("The Quillbury team at Pellmark"),
      QString(),
      QString(),
      QStringLiteral("Beta testers"),
      QStringLiteral("Ada"),
      QStringLiteral("Birk"),
      QStringLiteral("Cosima"),
      QStringLiteral("Dag"),
      QStringLiteral("Elna"),
      QStringLiteral("Frode"),
      QString(),
      QString(),
      QStringLiteral("Icons"),
      QStringLiteral("Drawn by the Quillbury team"),
      QString(),
      QStringLiteral("Component libraries"),
      QStringLiteral("Built with Qt"),
      QString(),
      QStringLiteral("Clip art"),
      QStringLiteral("Drawn by the Quillbury team"),
      QString(),
      QString(),
      QStringLiteral("Thanks to everybody who sent us ideas, bug reports and kind words."),
      QString(),
      QString(),
      QStringLiteral("Have fun, and good luck at the casino."),
      QString(),
      QStringLiteral("Thank you for playing Quillbury!"),
  };
}

AboutDialog::AboutDialog(QWidget* owner, Artwork& art) : QDialog(owner) {
  setWindowTitle(QStringLiteral("About Quillbury"));
  setFixedSize(400, 336);
  setFont(WindowFont());
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  setPalette(white);
  setAutoFillBackground(true);

  logo_ = new QLabel(this);
  logo_->setGeometry(0, 0, 400, 128);
  logo_->setPixmap(art.Picture(QStringLiteral("logo"), QSize(400, 128)));

  creditsFrame_ = new QFrame(this);
  creditsFrame_->setGeometry(0, 128, 400, 147);
  creditsFrame_->setFrameStyle(QFrame::Box | QFrame::Plain);
  creditsFrame_->setLineWidth(1);

  credits_ = new ScrollText(Credits(), this);
  credits_->setGeometry(1, 129, 398, 145);

  websiteHint_ = new QLabel(QStringLiteral("Visit our website for more information"), this);
  websiteHint_->move(8, 288);
  websiteHint_->adjustSize();

  rightsNotice_ = new QLabel(QStringLiteral("\u00A9 2007 Pellmark\nAll rights reserved."), this);
  rightsNotice_->setGeometry(216, 288, 174, 26);
  rightsNotice_->setAlignment(Qt::AlignRight | Qt::AlignTop);

  websiteLink_ = new LinkLabel(kMakerUrl, this);
  websiteLink_->setGeometry(8, 304, 233, 15);
  websiteLink_->setFont(FittingFont(WindowFont(11, true), kMakerUrl, websiteLink_->size(),
                                    Qt::AlignLeft | Qt::AlignVCenter));
  QPalette blue = websiteLink_->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  websiteLink_->setPalette(blue);
  websiteLink_->setCursor(Qt::PointingHandCursor);
  connect(websiteLink_, &LinkLabel::clicked, this, &AboutDialog::OpenLink);
}

void AboutDialog::OpenLink() {
  // Nothing to tell the player when no browser took it: the address is on screen.
  OpenUrl(websiteLink_->text());
}

}  // namespace quillbury::ui
