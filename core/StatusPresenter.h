#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Board.h"
#include "core/GameState.h"

namespace quillbury {

// The labels of one status panel.
enum class PanelField { Name, Buildings, Salary, Lots, Loans, Cash, Total };

// What the status display can show. The window implements it.
class StatusView {
 public:
  virtual ~StatusView() = default;
  virtual void SetPanelText(int panel, PanelField field, const std::string& text) = 0;
  virtual void DrawStatusPanel(int panel, std::int32_t colour) = 0;
  virtual void SetTurnCaption(const std::string& text) = 0;
  virtual void SetTip(const std::string& text) = 0;
  virtual void SetRollEnabled(bool enabled) = 0;
  virtual void SetActionsEnabled(bool enabled) = 0;
};

// Turns the game into the status panels, the turn caption, the loan tip and the state of the
// Roll button and the actions. It remembers what it last showed and passes on only changes, so
// the window's frequent refresh draws nothing while nothing changes.
class StatusPresenter {
 public:
  explicit StatusPresenter(StatusView& view) : view_(view) {}

  struct Controls {
    bool RollEnabled = false;
    bool ActionsEnabled = false;
  };
  void Show(const GameState& game, const Controls& controls);
  // Only the Roll button and the actions.
  void ShowControls(const Controls& controls);
  // Forgets what is on screen, so the next Show draws everything (after a language switch).
  void Forget();

 private:
  struct ShownPanel {
    bool Known = false;
    std::array<std::optional<std::int32_t>, 6> Values{};  // Buildings..Total; empty = blank
    std::string Name;
    std::int32_t Colour = -1;
  };
  void SetPanelValue(int panel, int slot, std::optional<std::int32_t> value);
  void ShowPlayer(int panel, const Player& player, std::int64_t lots, std::int64_t buildings);
  void ClearPanel(int panel);

  StatusView& view_;
  std::array<ShownPanel, kMaxPlayers> shown_{};
  bool captionKnown_ = false;
  std::string shownCaption_;
  int shownTip_ = -1;  // -1 unknown, 0 empty, 1 shown
  std::optional<bool> rollShown_;
  std::optional<bool> actionsShown_;
};

}  // namespace quillbury
