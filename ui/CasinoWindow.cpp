#include "ui/CasinoWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "ui/Artwork.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

TForm2::TForm2(QWidget* owner, const QString& winText, Artwork& art,
               std::function<void()> playHurrah)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      playHurrah_(std::move(playHurrah)) {
  setWindowTitle(QStringLiteral("Hurra"));
  setFixedSize(198, 204);
  setFont(WindowFont());

  Image1 = new QLabel(this);
  Image1->setGeometry(0, 0, 198, 204);
  Image1->setPixmap(art.Picture(QStringLiteral("casino"), QSize(198, 204)));

  Label1 = new QLabel(winText, this);
  Label1->setGeometry(8, 120, 179, 33);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setWordWrap(true);
  // Long names and sums would otherwise lose their last line under the button.
  Label1->setFont(FittingFont(WindowFont(13, true), winText, Label1->size(),
                              Qt::AlignCenter | Qt::TextWordWrap));
  QPalette blue = Label1->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  Label1->setPalette(blue);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setGeometry(56, 160, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  // The window must be on screen before the sound holds the program up.
  Timer1 = new QTimer(this);
  Timer1->setSingleShot(true);
  Timer1->setInterval(1);
  connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the desktop is not shown anew and does not cheer again.
  if (!event->spontaneous()) Timer1->start();
}

void TForm2::Timer1Timer() {
  Timer1->stop();
  if (playHurrah_) playHurrah_();
}

}  // namespace quillbury::ui
