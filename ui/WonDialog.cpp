#include "ui/WonDialog.h"

#include <QLabel>
#include <QPushButton>

#include "core/GameRoutines.h"
#include "localisation/Messages.h"
#include "ui/Artwork.h"
#include "ui/Settings.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

WonDialog::WonDialog(QWidget* owner, Artwork& art, const IniFile* language)
    : QDialog(owner), language_(language) {
  setFixedSize(323, 386);
  setFont(WindowFont());

  winnerLabel = new QLabel(this);
  winnerLabel->setGeometry(12, 8, 299, 40);
  winnerLabel->setFont(WindowFont(14, true));
  winnerLabel->setAlignment(Qt::AlignCenter);
  winnerLabel->setWordWrap(true);

  picture = new QLabel(this);
  picture->setGeometry(64, 52, 187, 240);
  picture->setPixmap(art.Picture(QStringLiteral("trophy"), QSize(187, 240)));

  addToWallOfFameButton = new QPushButton(QStringLiteral("Add to highscore"), this);
  addToWallOfFameButton->setGeometry(40, 304, 113, 41);
  // Enter must mean OK even after the score was added.
  addToWallOfFameButton->setAutoDefault(false);
  connect(addToWallOfFameButton, &QPushButton::clicked, this, &WonDialog::Roll);

  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setGeometry(168, 304, 105, 41);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

  confirmationLabel = new QLabel(this);
  confirmationLabel->setGeometry(12, 352, 299, 28);
  confirmationLabel->setAlignment(Qt::AlignCenter);
  confirmationLabel->setWordWrap(true);
}

void WonDialog::SetWinner(const std::string& name) {
  winnerLabel->setText(
      QString::fromStdString(MessageText(language_, MessageId::WonText, {name, MoneyText(Score)})));
  winnerLabel->setAccessibleName(winnerLabel->text());
}

void WonDialog::Roll() {
  // One entry only: every addition replaces the last. A store that cannot be written is not
  // the winner's problem, so nothing more is said.
  WriteRegString(kWallOfFameKey, QStringLiteral("1"), QString::number(Score));
  confirmationLabel->setText(QString::fromStdString(
      MessageText(language_, MessageId::HighscoreAdded, {MoneyText(Score)})));
}

}  // namespace quillbury::ui
