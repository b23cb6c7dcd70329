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

  logo = new QLabel(this);
  logo->setGeometry(0, 0, 400, 128);
  logo->setPixmap(art.Picture(QStringLiteral("logo"), QSize(400, 128)));

  creditsFrame = new QFrame(this);
  creditsFrame->setGeometry(0, 128, 400, 147);
  creditsFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
  creditsFrame->setLineWidth(1);

  credits = new ScrollText(Credits(), this);
  credits->setGeometry(1, 129, 398, 145);

  websiteHint = new QLabel(QStringLiteral("Visit our website for more information"), this);
  websiteHint->move(8, 288);
  websiteHint->adjustSize();

  rightsNotice = new QLabel(QStringLiteral("\u00A9 2007 Pellmark\nAll rights reserved."), this);
  rightsNotice->setGeometry(216, 288, 174, 26);
  rightsNotice->setAlignment(Qt::AlignRight | Qt::AlignTop);

  websiteLink = new LinkLabel(kMakerUrl, this);
  websiteLink->setGeometry(8, 304, 233, 15);
  websiteLink->setFont(FittingFont(WindowFont(11, true), kMakerUrl, websiteLink->size(),
                                   Qt::AlignLeft | Qt::AlignVCenter));
  QPalette blue = websiteLink->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  websiteLink->setPalette(blue);
  websiteLink->setCursor(Qt::PointingHandCursor);
  connect(websiteLink, &LinkLabel::clicked, this, &AboutDialog::OpenLink);
}

void AboutDialog::OpenLink() {
  // Nothing to tell the player when no browser took it: the address is on screen.
  OpenUrl(websiteLink->text());
}

}  // namespace quillbury::ui
