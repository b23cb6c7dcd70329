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

  picture_ = new QLabel(this);
  picture_->setGeometry(0, 0, 198, 204);
  picture_->setPixmap(art.Picture(QStringLiteral("casino"), QSize(198, 204)));

  win_ = new QLabel(winText, this);
  win_->setGeometry(8, 120, 179, 33);
  win_->setAlignment(Qt::AlignCenter);
  win_->setWordWrap(true);
  // Long names and sums would otherwise lose their last line under the button.
  win_->setFont(
      FittingFont(WindowFont(13, true), winText, win_->size(), Qt::AlignCenter | Qt::TextWordWrap));
  QPalette blue = win_->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  win_->setPalette(blue);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setGeometry(56, 160, 75, 25);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  // The window must be on screen before the sound holds the program up.
  hurrah_ = new QTimer(this);
  hurrah_->setSingleShot(true);
  hurrah_->setInterval(1);
  connect(hurrah_, &QTimer::timeout, this, &CasinoWindow::StepWalk);
}

void CasinoWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the desktop is not shown anew and does not cheer again.
  if (!event->spontaneous()) hurrah_->start();
}

void CasinoWindow::StepWalk() {
  hurrah_->stop();
  if (playHurrah_) playHurrah_();
}

}  // namespace quillbury::ui
