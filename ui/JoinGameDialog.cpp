#include "ui/JoinGameDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogText.h"
#include "ui/NameValidator.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {
namespace {

QLabel* ReasonLabel(const QString& role, QWidget* owner) {
  auto* label = new QLabel(owner);
  label->setObjectName(role);
  label->setStyleSheet(QStringLiteral("color: rgb(170, 0, 0);"));
  return label;
}

}  // namespace

JoinGameDialog::JoinGameDialog(QWidget* owner, const IniFile* file) : QDialog(owner) {
  setObjectName(QStringLiteral("joinGameDialog"));
  setWindowTitle(DialogText(file, "Network", "JoinTitle", QStringLiteral("Join network game")));
  setFont(WindowFont());
  setMinimumWidth(360);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  invite_ = new QLineEdit(this);
  invite_->setObjectName(QStringLiteral("inviteEdit"));
  invite_->setMaxLength(static_cast<int>(net::kMaxInviteLength));
  invite_->setPlaceholderText(QStringLiteral("quillbury://192.168.1.20:4747/ABC234"));
  invite_->setToolTip(DialogText(file, "Network", "InviteHint",
                                 QStringLiteral("The invite as the host passed it on")));
  inviteReason_ = ReasonLabel(QStringLiteral("inviteReasonLabel"), this);
  AddFieldRow(form, QStringLiteral("inviteLabel"),
              DialogText(file, "Network", "Invite", QStringLiteral("Invite")), invite_);
  form->addRow(QString(), inviteReason_);

  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("nameEdit"));
  name_->setValidator(new NameLengthValidator(name_));
  nameReason_ = ReasonLabel(QStringLiteral("nameReasonLabel"), this);
  AddFieldRow(form, QStringLiteral("nameLabel"),
              DialogText(file, "Network", "YourName", QStringLiteral("Your name")), name_);
  form->addRow(QString(), nameReason_);

  join_ = new QPushButton(DialogText(file, "Network", "JoinButton", QStringLiteral("Join")), this);
  join_->setObjectName(QStringLiteral("joinButton"));
  join_->setDefault(true);
  layout->addWidget(join_);
  connect(join_, &QPushButton::clicked, this, [this] {
    if (Setup()) accept();
  });

  badInvite_ =
      DialogText(file, "Network", "BadInvite",
                 QStringLiteral("Not an invite: it looks like quillbury://address:port/code."));
  noName_ = DialogText(file, "Network", "NoName", QStringLiteral("Enter your name."));
  longName_ = DialogText(file, "Network", "LongName", QStringLiteral("A name is too long."));
  connect(invite_, &QLineEdit::textChanged, this, &JoinGameDialog::Check);
  connect(name_, &QLineEdit::textChanged, this, &JoinGameDialog::Check);
  Check();
}

void JoinGameDialog::SetInvite(const QString& invite) {
  invite_->setText(invite);
  // A pre-filled invite is judged at once, as if typed.
  invite_->setModified(true);
  Check();
}

void JoinGameDialog::SetName(const QString& name) {
  name_->setText(name);
  name_->setModified(true);
  Check();
}

std::optional<JoinSetup> JoinGameDialog::Setup() const {
  const auto invite = net::ParseInvite(invite_->text());
  const QString name = name_->text().trimmed();
  if (!invite || name.isEmpty() || !NameFits(name)) return std::nullopt;
  return JoinSetup{*invite, name};
}

void JoinGameDialog::Check() {
  // A field nobody has filled in yet shows no complaint; the Join button waits for it.
  const bool inviteBad = !net::ParseInvite(invite_->text()).has_value();
  inviteReason_->setText(inviteBad && invite_->isModified() ? badInvite_ : QString());
  const QString name = name_->text().trimmed();
  QString nameWhy;
  if (name.isEmpty()) {
    if (name_->isModified()) nameWhy = noName_;
  } else if (!NameFits(name)) {
    nameWhy = longName_;
  }
  nameReason_->setText(nameWhy);
  join_->setEnabled(Setup().has_value());
}

}  // namespace quillbury::ui
