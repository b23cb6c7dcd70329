#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <array>

#include "core/Board.h"
#include "core/GameEvent.h"
#include "core/GameState.h"
#include "localisation/Messages.h"
#include "ui/Artwork.h"

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

// The board: the squares with each company's owner frame and buildings, the ground numbers, the
// tokens, the dice and the companies' tooltips. It draws the game it is pointed at and follows
// that game's events; it has no timers and asks nothing, so any hand-made game can be shown.
// Its top left lies at the window's (0, 40), under the menu and the toolbar.
class BoardView : public QWidget {
  Q_OBJECT

 public:
  static constexpr QPoint kOrigin{0, 40};

  BoardView(Artwork& art, QWidget* parent);

  // The game drawn; it must outlive the view or be replaced. Null draws nothing.
  void SetGame(const GameState* game) { game_ = game; }
  const GameState* Game() const { return game_; }
  // The texts of tooltips and accessible names (null: English).
  void SetLanguage(const IniFile* language) { language_ = language; }

  // The board before any game: every square framed, no owners.
  void ShowEmpty();
  // Every company, token and accessible text from the game; the dice stay on the table only for
  // a move that goes on (a loaded game saved during a walk).
  void DrawWholeGame(bool moveGoesOn = false, int diceLayout = 0);
  // Follows one event of the drawn game (the game already shows its outcome).
  void Follow(const GameEvent& event);
  // The caption over the board after a finished game; empty hides it.
  void ShowCaption(const QString& text);
  // Reads the accessible texts again (the language changed).
  void Describe();

  void ShowDice(int firstFace, int secondFace);
  void PlaceDice(int arrangement);
  void SetDiceVisible(bool visible);
  void PlaceToken(int player, int square);
  void DrawGround(int ground);

  // What the company is, costs and earns, and who owns it.
  QString GroundTooltip(int ground) const;

  // --- the board's parts, by role ---
  QLabel* Square(int n) const { return squares_[static_cast<std::size_t>(n - 1)]; }  // 1..42
  QLabel* Token(int player) const { return tokens_[static_cast<std::size_t>(player)]; }
  QLabel* Die(int k) const { return k == 0 ? firstDie_ : secondDie_; }  // as drawn: 0 first
  QLabel* GroundNumber(int ground) const {
    return groundNumbers_[static_cast<std::size_t>(ground)];
  }
  QLabel* Caption() const { return caption_; }
  QLabel* Title() const { return title_; }
  // The square a token stands on, 0 before it was placed.
  int TokenSquare(int player) const { return tokenSquares_[static_cast<std::size_t>(player)]; }

  // A token's picture in a dark outline that stands out on any square; also the panels' mark.
  static QPixmap TokenPicture(Artwork& art, int player);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayOutTokens(int square);
  void DescribeSquare(int square);
  void DrawSquarePicture(int square, const QPixmap& picture);
  QString Say(MessageId id, std::initializer_list<std::string_view> args = {}) const;

  Artwork& art_;
  const GameState* game_ = nullptr;
  const IniFile* language_ = nullptr;
  QLabel* background_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* caption_ = nullptr;
  std::array<QLabel*, kSquareCount> squares_{};
  std::array<QLabel*, kGroundCount> groundNumbers_{};
  std::array<QLabel*, kMaxPlayers> tokens_{};
  std::array<int, kMaxPlayers> tokenSquares_{};
  QLabel* firstDie_ = nullptr;
  QLabel* secondDie_ = nullptr;
  QPixmap lightGround_, darkGround_;
};

}  // namespace quillbury::ui
