#pragma once

#include <cstdint>
#include <string>

namespace quillbury {

// The labels of one status panel that the refresh writes.
enum class PanelField { Name, Buildings, Salary, Lots, Loans, Cash, Total };

// Everything the game asks of the user and the screen. The window implements it; tests use a
// scripted fake; the simulator answers as the computer player would. Calls marked modal may run
// the window's timers (and so the game's refresh and computer player) before they return.
class GamePort {
 public:
  virtual ~GamePort() = default;

  // Modal: a message with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // False for a port that never reads message texts (a headless tool): the game then skips
  // composing them and calls ShowMessage with an empty text.
  virtual bool ShowsMessages() const { return true; }
  // Modal: a Yes/No question; true only for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // Modal: a one-line prompt pre-filled with text. Returns true when confirmed, with the edited
  // text in text; false when cancelled.
  virtual bool InputBox(const std::string& caption, const std::string& prompt,
                        std::string& text) = 0;
  // Plays a wave file and returns when it has ended; silent when it cannot play.
  virtual void PlaySound(const std::string& path) = 0;

  // Board view.
  virtual void PlaceToken(int player, int square) = 0;
  virtual void SetTokenVisible(int player, bool visible) = 0;
  // Redraws a ground's square from scratch: grass, owner frame, buildings.
  virtual void RefreshGround(int ground) = 0;
  // Draws an owner frame (double width) onto the ground's current picture.
  virtual void DrawOwnerFrame(int ground, std::int32_t colour) = 0;
  // Faces shown by the two die images (first image, second image), then their arrangement:
  // arrangement 1 puts the first die left and lower, anything else right and lower.
  virtual void ShowDice(int firstFace, int secondFace) = 0;
  virtual void PlaceDice(int arrangement) = 0;
  virtual void SetDiceVisible(bool visible) = 0;
  virtual void SetActionsEnabled(bool enabled) = 0;
  virtual void SetRollEnabled(bool enabled) = 0;

  // Timers owned by the window.
  virtual void SetMovementTimer(bool enabled, int intervalMs) = 0;
  virtual void SetRefreshTimer(bool enabled) = 0;

  // Status display; each is called only when the shown value changes. A port without a
  // display (a headless tool) answers false to ShowsStatus and is spared the formatting.
  virtual bool ShowsStatus() const { return true; }
  virtual void SetPanelText(int panel, PanelField field, const std::string& text) = 0;
  virtual void DrawStatusPanel(int panel, std::int32_t colour) = 0;
  virtual void SetTurnCaption(const std::string& text) = 0;
  virtual void SetTip(const std::string& text) = 0;

  // Modal windows and commands.
  virtual void ShowCasino(const std::string& text) = 0;
  virtual void ShowWon(const std::string& caption, std::int32_t score) = 0;
  virtual void RunNewGameCommand() = 0;

  // A roll was made (for the game log); nothing to draw.
  virtual void DiceRolled(int /*player*/, int /*die1*/, int /*die2*/) {}
};

// A port that shows nothing and answers no: a base for tools and tests.
class NullPort : public GamePort {
 public:
  bool ShowsStatus() const override { return false; }
  bool ShowsMessages() const override { return false; }
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  bool InputBox(const std::string&, const std::string&, std::string&) override { return false; }
  void PlaySound(const std::string&) override {}
  void PlaceToken(int, int) override {}
  void SetTokenVisible(int, bool) override {}
  void RefreshGround(int) override {}
  void DrawOwnerFrame(int, std::int32_t) override {}
  void ShowDice(int, int) override {}
  void PlaceDice(int) override {}
  void SetDiceVisible(bool) override {}
  void SetActionsEnabled(bool) override {}
  void SetRollEnabled(bool) override {}
  void SetMovementTimer(bool, int) override {}
  void SetRefreshTimer(bool) override {}
  void SetPanelText(int, PanelField, const std::string&) override {}
  void DrawStatusPanel(int, std::int32_t) override {}
  void SetTurnCaption(const std::string&) override {}
  void SetTip(const std::string&) override {}
  void ShowCasino(const std::string&) override {}
  void ShowWon(const std::string&, std::int32_t) override {}
  void RunNewGameCommand() override {}
};

}  // namespace quillbury
