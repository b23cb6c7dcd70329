#include "core/StatusPresenter.h"

#include <algorithm>

#include "core/GameRoutines.h"
#include "core/GameRules.h"

namespace quillbury {
namespace {

constexpr const char* kCpuSuffix = "  [CPU]";
constexpr const char* kTurnSuffix = "'s turn";
// Panel value slots in the order they are written.
constexpr PanelField kSlotFields[6] = {PanelField::Buildings, PanelField::Salary,
                                       PanelField::Lots,      PanelField::Loans,
                                       PanelField::Cash,      PanelField::Total};

bool EqualsJoined(const std::string& shown, const std::string& head, const char* tail) {
  const std::size_t tailLength = std::char_traits<char>::length(tail);
  return shown.size() == head.size() + tailLength && shown.compare(0, head.size(), head) == 0 &&
         shown.compare(head.size(), tailLength, tail) == 0;
}

}  // namespace

void StatusPresenter::Forget() {
  shown_ = {};
  captionKnown_ = false;
  shownCaption_.clear();
  shownTip_ = -1;
  rollShown_.reset();
  actionsShown_.reset();
}

void StatusPresenter::SetPanelValue(int panel, int slot, std::optional<std::int32_t> value) {
  ShownPanel& shown = shown_[static_cast<std::size_t>(panel)];
  auto& current = shown.Values[static_cast<std::size_t>(slot)];
  if (shown.Known && current == value) return;
  current = value;
  view_.SetPanelText(panel, kSlotFields[slot], value ? MoneyText(*value) : std::string());
}

void StatusPresenter::ShowPlayer(int panel, const Player& player, std::int64_t lots,
                                 std::int64_t buildings) {
  const std::int64_t total = std::int64_t{player.Money} + lots + buildings - player.Loan;
  SetPanelValue(panel, 0, Saturate(buildings));
  SetPanelValue(panel, 1, player.Salary);
  SetPanelValue(panel, 2, Saturate(lots));
  SetPanelValue(panel, 3, player.Loan);
  SetPanelValue(panel, 4, player.Money);
  SetPanelValue(panel, 5, Saturate(total));
  ShownPanel& shown = shown_[static_cast<std::size_t>(panel)];
  const bool same =
      player.CPU ? EqualsJoined(shown.Name, player.Name, kCpuSuffix) : shown.Name == player.Name;
  if (!shown.Known || !same) {
    shown.Name = player.CPU ? player.Name + kCpuSuffix : player.Name;
    view_.SetPanelText(panel, PanelField::Name, shown.Name);
  }
  shown.Known = true;
}

void StatusPresenter::ClearPanel(int panel) {
  for (int slot = 0; slot < 6; ++slot) SetPanelValue(panel, slot, std::nullopt);
  ShownPanel& shown = shown_[static_cast<std::size_t>(panel)];
  if (!shown.Known || !shown.Name.empty()) {
    shown.Name.clear();
    view_.SetPanelText(panel, PanelField::Name, shown.Name);
  }
  shown.Known = true;
}

void StatusPresenter::Show(const GameState& game, const Controls& controls) {
  const int count = game.PlayerCount();
  const int shownPlayers = std::min(count, count == 3 ? 3 : 2);
  Worth holdings[kMaxPlayers];
  HoldingsOfAll(game, holdings, shownPlayers);
  for (int p = 0; p < shownPlayers; ++p) {
    ShowPlayer(p, game.Players[static_cast<std::size_t>(p)], holdings[p].Lots,
               holdings[p].Buildings);
  }
  for (int p = shownPlayers; p < kMaxPlayers; ++p) ClearPanel(p);

  const Player* current = game.CurrentPlayer >= 0 && game.CurrentPlayer < count
                              ? &game.Players[static_cast<std::size_t>(game.CurrentPlayer)]
                              : nullptr;
  const std::string emptyName;
  const std::string& name = current != nullptr ? current->Name : emptyName;
  const bool captionSame =
      name.empty() ? shownCaption_.empty() : EqualsJoined(shownCaption_, name, kTurnSuffix);
  if (!captionKnown_ || !captionSame) {
    shownCaption_ = name.empty() ? std::string() : name + kTurnSuffix;
    captionKnown_ = true;
    view_.SetTurnCaption(shownCaption_);
  }
  const int tip = current != nullptr && current->Loan > 0 ? 1 : 0;
  if (tip != shownTip_) {
    shownTip_ = tip;
    view_.SetTip(tip ? kLoanTipText : "");
  }

  for (int panel = 0; panel < kMaxPlayers; ++panel) {
    const std::int32_t colour = panel < 2 || count == 3 ? kPanelColour : kGreyPanelColour;
    ShownPanel& shown = shown_[static_cast<std::size_t>(panel)];
    if (shown.Colour != colour) {
      shown.Colour = colour;
      view_.DrawStatusPanel(panel, colour);
    }
  }
  ShowControls(controls);
}

void StatusPresenter::ShowControls(const Controls& controls) {
  if (rollShown_ != controls.RollEnabled) {
    rollShown_ = controls.RollEnabled;
    view_.SetRollEnabled(controls.RollEnabled);
  }
  if (actionsShown_ != controls.ActionsEnabled) {
    actionsShown_ = controls.ActionsEnabled;
    view_.SetActionsEnabled(controls.ActionsEnabled);
  }
}

}  // namespace quillbury
