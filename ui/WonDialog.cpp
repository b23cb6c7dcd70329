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

  winner_ = new QLabel(this);
  winner_->setGeometry(12, 8, 299, 40);
  winner_->setFont(WindowFont(14, true));
  winner_->setAlignment(Qt::AlignCenter);
  winner_->setWordWrap(true);

  picture_ = new QLabel(this);
  picture_->setGeometry(64, 52, 187, 240);
  picture_->setPixmap(art.Picture(QStringLiteral("trophy"), QSize(187, 240)));

  add_ = new QPushButton(QStringLiteral("Add to highscore"), this);
  add_->setGeometry(40, 304, 113, 41);
  // Enter must mean OK even after the score was added.
  add_->setAutoDefault(false);
  connect(add_, &QPushButton::clicked, this, &WonDialog::Roll);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setGeometry(168, 304, 105, 41);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  confirmation_ = new QLabel(this);
  confirmation_->setGeometry(12, 352, 299, 28);
  confirmation_->setAlignment(Qt::AlignCenter);
  confirmation_->setWordWrap(true);
}

void WonDialog::SetWinner(const std::string& name) {
  winner_->setText(
      QString::fromStdString(MessageText(language_, MessageId::WonText, {name, MoneyText(Score)})));
  winner_->setAccessibleName(winner_->text());
}

void WonDialog::Roll() {
  // One entry only: every addition replaces the last. A store that cannot be written is not
  // the winner's problem, so nothing more is said.
  WriteRegString(kWallOfFameKey, QStringLiteral("1"), QString::number(Score));
  confirmation_->setText(QString::fromStdString(
      MessageText(language_, MessageId::HighscoreAdded, {MoneyText(Score)})));
}

}  // namespace quillbury::ui
