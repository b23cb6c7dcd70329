#include "ui/CasinoWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "ui/Artwork.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

CasinoWindow::CasinoWindow(QWidget* owner, const QString& winText, Artwork& art,
                           std::function<void()> playHurrah)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      playHurrah_(std::move(playHurrah)) {
  setWindowTitle(QStringLiteral("Hurra"));
  setFixedSize(198, 204);
  setFont(WindowFont());

  picture = new QLabel(this);
  picture->setGeometry(0, 0, 198, 204);
  picture->setPixmap(art.Picture(QStringLiteral("casino"), QSize(198, 204)));

  winLabel = new QLabel(winText, this);
  winLabel->setGeometry(8, 120, 179, 33);
  winLabel->setAlignment(Qt::AlignCenter);
  winLabel->setWordWrap(true);
  // Long names and sums would otherwise lose their last line under the button.
  winLabel->setFont(FittingFont(WindowFont(13, true), winText, winLabel->size(),
                                Qt::AlignCenter | Qt::TextWordWrap));
  QPalette blue = winLabel->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  winLabel->setPalette(blue);

  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setGeometry(56, 160, 75, 25);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

  // The window must be on screen before the sound holds the program up.
  hurrahTimer = new QTimer(this);
  hurrahTimer->setSingleShot(true);
  hurrahTimer->setInterval(1);
  connect(hurrahTimer, &QTimer::timeout, this, &CasinoWindow::StepWalk);
}

void CasinoWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the desktop is not shown anew and does not cheer again.
  if (!event->spontaneous()) hurrahTimer->start();
}

void CasinoWindow::StepWalk() {
  hurrahTimer->stop();
  if (playHurrah_) playHurrah_();
}

}  // namespace quillbury::ui
