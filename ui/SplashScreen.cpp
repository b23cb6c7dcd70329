#include "ui/SplashScreen.h"

#include <QLabel>
#include <QScreen>

#include "ui/Artwork.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

SplashScreen::SplashScreen(Artwork& art)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setWindowTitle(QStringLiteral("Pellmark Quillbury 2007"));
  setFixedSize(268, 260);
  setFont(WindowFont());

  picture_ = new QLabel(this);
  picture_->setGeometry(0, 0, 268, 260);
  picture_->setPixmap(art.Picture(QStringLiteral("splash"), QSize(268, 260)));

  loading_ = new QLabel(QStringLiteral("Loading..."), this);
  loading_->setGeometry(214, 242, 47, 13);
  loading_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  loading_->setFont(FittingFont(font(), loading_->text(), loading_->size(), loading_->alignment()));
  QPalette dark = loading_->palette();
  dark.setColor(QPalette::WindowText, QColor(0x10, 0x18, 0x30));
  loading_->setPalette(dark);

  if (const QScreen* screen = this->screen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

}  // namespace quillbury::ui
