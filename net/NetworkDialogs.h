#pragma once

#include <functional>
#include <string>

#include "core/GameDialogs.h"

namespace quillbury::net {

class GameHost;

// The host window's dialogs in a network game. Every message, casino win and game end is also
// shown on every joined screen. A message about the move of a player at another computer is
// his to confirm, as he would press OK at a shared screen: the host waits for him as for any
// question, and its own window shows the text without waiting (ShowWithoutWaiting). Questions,
// prompts and the New Game command stay with the host's own dialogs.
//
// The rules hold their dialogs for good, so the window gives the rules this wrapper around its
// own dialogs from the start; it passes everything through until SetHost() names the game's
// host, and again after SetHost(nullptr).
class NetworkDialogs final : public GameDialogs {
 public:
  explicit NetworkDialogs(GameDialogs& inner, GameHost* host = nullptr)
      : inner_(inner), host_(host) {}
  void SetHost(GameHost* host) { host_ = host; }

  // How the host's window shows a message it does not wait on (a line in the log, a label).
  std::function<void(const std::string& text)> ShowWithoutWaiting;

  void ShowMessage(const std::string& text) override;
  bool ShowsMessages() const override { return host_ != nullptr || inner_.ShowsMessages(); }
  bool AskYesNo(const std::string& text) override { return inner_.AskYesNo(text); }
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) override {
    return inner_.InputBox(caption, prompt, text);
  }
  void ShowCasino(const std::string& text) override;
  void ShowWon(const std::string& caption, std::int32_t score) override;
  void RunNewGameCommand() override { inner_.RunNewGameCommand(); }

 private:
  // Shows text on every joined screen; true when the current player confirmed it from afar,
  // so the host's own dialog is not to wait.
  bool ConfirmedFromAfar(const std::string& text);

  GameDialogs& inner_;
  GameHost* host_;
};

}  // namespace quillbury::net
