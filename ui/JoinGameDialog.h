#pragma once

#include <QDialog>
#include <QString>

#include "net/Invite.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

// Where to join and as whom.
struct JoinSetup {
  net::Invite invite;
  QString name;  // trimmed
};

// Game > Join network game: the invite the host passed on and the player's name. The caller
// reads Setup() when exec() returned Accepted.
class JoinGameDialog : public QDialog {
  Q_OBJECT

 public:
  // languageFile may be null: the texts then stay English.
  JoinGameDialog(QWidget* owner, const IniFile* languageFile);

  // Pre-fills the invite, as "--join INVITE" asks.
  void SetInvite(const QString& invite);
  void SetName(const QString& name);
  // Empty unless the invite and the name are both good.
  std::optional<JoinSetup> Setup() const;

  QLineEdit* InviteEdit() const { return invite_; }
  QLabel* InviteReasonLabel() const { return inviteReason_; }
  QLineEdit* NameEdit() const { return name_; }
  QLabel* NameReasonLabel() const { return nameReason_; }
  QPushButton* JoinButton() const { return join_; }

 private:
  void Check();

  QLineEdit* invite_ = nullptr;
  QLabel* inviteReason_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLabel* nameReason_ = nullptr;
  QPushButton* join_ = nullptr;
  QString badInvite_, noName_, longName_;
};

}  // namespace quillbury::ui
