#include "ui/WonDialog.h"

#include <QLabel>
#include <QPushButton>

#include "ui/Artwork.h"
#include "ui/Settings.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

WonDialog::WonDialog(QWidget* owner, Artwork& art) : QDialog(owner) {
  setFixedSize(323, 330);
  setFont(WindowFont());

  picture = new QLabel(this);
  picture->setGeometry(64, 8, 187, 240);
  picture->setPixmap(art.Picture(QStringLiteral("trophy"), QSize(187, 240)));

  addToWallOfFameButton = new QPushButton(QStringLiteral("Add to highscore"), this);
  addToWallOfFameButton->setGeometry(40, 264, 113, 41);
  // Enter must mean OK even after the score was added.
  addToWallOfFameButton->setAutoDefault(false);
  connect(addToWallOfFameButton, &QPushButton::clicked, this, &WonDialog::Roll);

  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setGeometry(168, 264, 105, 41);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void WonDialog::Roll() {
  // One entry only: every addition replaces the last. A store that cannot be written is not
  // the winner's problem, so nothing is said.
  WriteRegString(kWallOfFameKey, QStringLiteral("1"), QString::number(Score));
}

}  // namespace quillbury::ui
