#include <algorithm>

#include "core/GameRoutines.h"
#include "core/GameSession.h"

namespace quillbury {
namespace {

constexpr const char* kCpuSuffix = "  [CPU]";
constexpr const char* kTurnSuffix = "'s turn";
// Panel value slots in the order the refresh writes them.
constexpr PanelField kSlotFields[6] = {PanelField::Buildings, PanelField::Salary,
                                       PanelField::Lots,      PanelField::Loans,
                                       PanelField::Cash,      PanelField::Total};

bool EqualsJoined(const std::string& shown, const std::string& head, const char* tail) {
  const std::size_t tailLength = std::char_traits<char>::length(tail);
  return shown.size() == head.size() + tailLength && shown.compare(0, head.size(), head) == 0 &&
         shown.compare(head.size(), tailLength, tail) == 0;
}

}  // namespace

void GameSession::SetPanelValue(int panel, int slot, std::optional<std::int32_t> value) {
  ShownPanel& shown = shown_[static_cast<std::size_t>(panel)];
  auto& current = shown.Values[static_cast<std::size_t>(slot)];
  if (shown.Known && current == value) return;
  current = value;
  port_.SetPanelText(panel, kSlotFields[slot], value ? MoneyText(*value) : std::string());
}

void GameSession::ShowPlayerOnPanel(int panel, const Player& player, const Settlement& s) {
  SetPanelValue(panel, 0, s.Buildings);
  SetPanelValue(panel, 1, player.Salary);
  SetPanelValue(panel, 2, s.Lots);
  SetPanelValue(panel, 3, s.Loan);
  SetPanelValue(panel, 4, s.Money);
  SetPanelValue(panel, 5, s.Total);
  ShownPanel& shown = shown_[static_cast<std::size_t>(panel)];
  const bool same =
      player.CPU ? EqualsJoined(shown.Name, player.Name, kCpuSuffix) : shown.Name == player.Name;
  if (!shown.Known || !same) {
    shown.Name = player.CPU ? player.Name + kCpuSuffix : player.Name;
    port_.SetPanelText(panel, PanelField::Name, shown.Name);
  }
  shown.Known = true;
}

void GameSession::ClearPanel(int panel) {
  for (int slot = 0; slot < 6; ++slot) SetPanelValue(panel, slot, std::nullopt);
  ShownPanel& shown = shown_[static_cast<std::size_t>(panel)];
  if (!shown.Known || !shown.Name.empty()) {
    shown.Name.clear();
    port_.SetPanelText(panel, PanelField::Name, shown.Name);
  }
  shown.Known = true;
}

void GameSession::RefreshStatus() {
  const int count = static_cast<int>(Game.Players.size());
  const int shownPlayers = std::min(count, PlayerCount == 3 ? 3 : 2);
  const bool shows = port_.ShowsStatus();
  Worth holdings[kMaxPlayers];
  HoldingsOfAll(Game, holdings, shownPlayers);
  for (int p = 0; p < shownPlayers; ++p) {
    // A sale in one settlement only frees grounds; it never touches another seat's holdings.
    const Settlement s = SettlePlayer(p, holdings[p]);
    if (shows) ShowPlayerOnPanel(p, Game.Players[static_cast<std::size_t>(p)], s);
  }
  if (shows) RefreshStatusDisplay(shownPlayers);

  CheckGameEnd();
  PassTurnOfPlayerWhoIsOut();

  for (int p = 0; p < static_cast<int>(Game.Players.size()) && p < kMaxPlayers; ++p) {
    SetTokenVisible(p, Game.Players[static_cast<std::size_t>(p)].Playing);
  }
}

// A player can go out while the turn is his: broke after a double six, the extra turn would be
// played by somebody who is no longer in the game. The turn passes on instead.
void GameSession::PassTurnOfPlayerWhoIsOut() {
  if (NoGameYet || !rollEnabled_) return;
  const Player* current = PlayerAt(CurrentPlayerID);
  if (current == nullptr || current->Playing) return;
  ExtraTurn = false;
  ChooseNextPlayer(generation_);
}

void GameSession::RefreshStatusDisplay(int shownPlayers) {
  for (int p = shownPlayers; p < kMaxPlayers; ++p) ClearPanel(p);

  const Player* current = PlayerAt(CurrentPlayerID);
  const std::string emptyName;
  const std::string& name = current != nullptr ? current->Name : emptyName;
  const bool captionSame =
      name.empty() ? shownCaption_.empty() : EqualsJoined(shownCaption_, name, kTurnSuffix);
  if (!captionKnown_ || !captionSame) {
    shownCaption_ = name.empty() ? std::string() : name + kTurnSuffix;
    captionKnown_ = true;
    port_.SetTurnCaption(shownCaption_);
  }
  const int tip = current != nullptr && current->Loan > 0 ? 1 : 0;
  if (tip != shownTip_) {
    shownTip_ = tip;
    port_.SetTip(tip ? kLoanTipText : "");
  }

  for (int panel = 0; panel < kMaxPlayers; ++panel) {
    const std::int32_t colour = panel < 2 || PlayerCount == 3 ? kPanelColour : kGreyPanelColour;
    ShownPanel& shown = shown_[static_cast<std::size_t>(panel)];
    if (shown.Colour != colour) {
      shown.Colour = colour;
      port_.DrawStatusPanel(panel, colour);
    }
  }
}

}  // namespace quillbury
