#include "ui/SplashScreen.h"

#include <QLabel>
#include <QScreen>

#include "ui/Artwork.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

TfrmSplashScreen::TfrmSplashScreen(Artwork& art)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setWindowTitle(QStringLiteral("Pellmark Quillbury 2007"));
  setFixedSize(268, 260);
  setFont(WindowFont());

  Image1 = new QLabel(this);
  Image1->setGeometry(0, 0, 268, 260);
  Image1->setPixmap(art.Picture(QStringLiteral("splash"), QSize(268, 260)));

  Label1 = new QLabel(QStringLiteral("Loading..."), this);
  Label1->setGeometry(214, 242, 47, 13);
  Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label1->setFont(FittingFont(font(), Label1->text(), Label1->size(), Label1->alignment()));
  QPalette dark = Label1->palette();
  dark.setColor(QPalette::WindowText, QColor(0x10, 0x18, 0x30));
  Label1->setPalette(dark);

  if (const QScreen* screen = this->screen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

}  // namespace quillbury::ui
