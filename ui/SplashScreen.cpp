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

  picture = new QLabel(this);
  picture->setGeometry(0, 0, 268, 260);
  picture->setPixmap(art.Picture(QStringLiteral("splash"), QSize(268, 260)));

  loadingText = new QLabel(QStringLiteral("Loading..."), this);
  loadingText->setGeometry(214, 242, 47, 13);
  loadingText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  loadingText->setFont(
      FittingFont(font(), loadingText->text(), loadingText->size(), loadingText->alignment()));
  QPalette dark = loadingText->palette();
  dark.setColor(QPalette::WindowText, QColor(0x10, 0x18, 0x30));
  loadingText->setPalette(dark);

  if (const QScreen* screen = this->screen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

}  // namespace quillbury::ui
