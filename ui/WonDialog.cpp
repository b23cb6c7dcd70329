#include "ui/WonDialog.h"

#include <QLabel>
#include <QPushButton>

#include "ui/Artwork.h"
#include "ui/Settings.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

TfrmWon::TfrmWon(QWidget* owner, Artwork& art) : QDialog(owner) {
  setFixedSize(323, 330);
  setFont(WindowFont());

  Image1 = new QLabel(this);
  Image1->setGeometry(64, 8, 187, 240);
  Image1->setPixmap(art.Picture(QStringLiteral("trophy"), QSize(187, 240)));

  Button1 = new QPushButton(QStringLiteral("Add to highscore"), this);
  Button1->setGeometry(40, 264, 113, 41);
  // Enter must mean OK even after the score was added.
  Button1->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &TfrmWon::Button1Click);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setGeometry(168, 264, 105, 41);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmWon::Button1Click() {
  // One entry only: every addition replaces the last. A store that cannot be written is not
  // the winner's problem, so nothing is said.
  WriteRegString(kWallOfFameKey, QStringLiteral("1"), QString::number(Score));
}

}  // namespace quillbury::ui
