#include "net/NetworkDialogs.h"

#include "net/GameHost.h"

namespace quillbury::net {

bool NetworkDialogs::ConfirmedFromAfar(const std::string& text) {
  if (host_ == nullptr) return false;
  const QString shown = QString::fromStdString(text);
  const int current = host_->Rules().State().CurrentPlayer;
  if (!host_->PlayedFromAfar(current)) {
    host_->ShowToAll(shown);
    return false;
  }
  host_->ShowToAll(shown, current);
  if (ShowWithoutWaiting) ShowWithoutWaiting(text);
  // Without his answer (the computer stood in meanwhile) the host confirms it at its screen.
  return host_->Confirm(current, shown);
}

void NetworkDialogs::ShowMessage(const std::string& text) {
  if (!ConfirmedFromAfar(text)) inner_.ShowMessage(text);
}

void NetworkDialogs::ShowCasino(const std::string& text) {
  if (!ConfirmedFromAfar(text)) inner_.ShowCasino(text);
}

void NetworkDialogs::ShowWon(const std::string& caption, std::int32_t score) {
  // The end of the game is the host's: its won dialog keeps the wall of fame.
  if (host_ != nullptr) host_->ShowToAll(QString::fromStdString(caption));
  inner_.ShowWon(caption, score);
}

}  // namespace quillbury::net
