#pragma once

#include <cstdint>
#include <string>

namespace quillbury {

// The modal side of the game: what it shows and asks and then waits for. The window implements
// it with dialogs; tests script it. A modal call may run the window's timers, and so the refresh,
// the computer player, a whole move or a new game, before it returns.
class GameDialogs {
 public:
  virtual ~GameDialogs() = default;

  // A message with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // False for dialogs that never read message texts (a headless tool): the game then skips
  // composing them and calls ShowMessage with an empty text.
  virtual bool ShowsMessages() const { return true; }
  // A Yes/No question; true only for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // A one-line prompt pre-filled with text. True when confirmed, with the edited text in text.
  virtual bool InputBox(const std::string& caption, const std::string& prompt,
                        std::string& text) = 0;
  // The casino window with its win text.
  virtual void ShowCasino(const std::string& text) = 0;
  // The won dialog of a three-player game.
  virtual void ShowWon(const std::string& caption, std::int32_t score) = 0;
  // The New Game command after a game ended.
  virtual void RunNewGameCommand() = 0;
};

// Dialogs that show nothing and answer no, for headless play: the New Game command that follows
// the end of a game only notes that the game is over.
class SilentDialogs : public GameDialogs {
 public:
  bool ShowsMessages() const override { return false; }
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  bool InputBox(const std::string&, const std::string&, std::string&) override { return false; }
  void ShowCasino(const std::string&) override {}
  void ShowWon(const std::string&, std::int32_t) override {}
  void RunNewGameCommand() override { gameOver = true; }
  bool gameOver = false;
};

}  // namespace quillbury
