// The board drawn from a hand-made game and its events: no rules, no timers, no dialogs.
#include <QtTest>
#include <memory>

#include "core/GameEvent.h"
#include "ui/Artwork.h"
#include "ui/BoardLayout.h"
#include "ui/BoardView.h"

using namespace quillbury;
using namespace quillbury::ui;

namespace {

const QString kAppDir = QStringLiteral(QUILLBURY_BIN_DIR);

GameState ThreePlayers() {
  GameState game;
  const std::int32_t colours[] = {kBlue, kYellow, kRed};
  for (int p = 0; p < 3; ++p) {
    Player player;
    player.Name = std::string("Player ") + static_cast<char>('A' + p);
    player.Money = 1000000;
    player.Color = colours[p];
    player.CurrentPosition = 1;
    player.Playing = true;
    game.Players.push_back(player);
  }
  for (int g = 0; g < kGroundCount; ++g) {
    Ground ground;
    ground.Square = kGroundSquares[static_cast<std::size_t>(g)];
    ground.Name = "Company " + std::to_string(g + 1);
    ground.Sell = "bought goods " + std::to_string(g + 1);
    ground.Price = 100000 * (g + 1);
    for (int level = 1; level <= 4; ++level) {
      ground.Houses.push_back({"level", ground.Price / 2 * level});
    }
    game.Grounds.push_back(ground);
  }
  return game;
}

QRect SquareRect(int n) {
  return QRect(SquareTopLeft(n) - BoardView::kOrigin, QSize(kSquareSize, kSquareSize));
}

GameEvent Event(EventType type, int player = 0) {
  GameEvent event;
  event.Type = type;
  event.Player = player;
  return event;
}

}  // namespace

class BoardViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    art_ = std::make_unique<Artwork>(kAppDir);
    game_ = ThreePlayers();
    board_ = std::make_unique<BoardView>(*art_, nullptr);
    board_->SetGame(&game_);
    board_->DrawWholeGame();
  }
  void cleanup() { board_.reset(); }

  // Every company's number stands on its own square and on no other.
  void numbersStandOnTheirOwnSquares() {
    for (int g = 0; g < kGroundCount; ++g) {
      const QRect number = board_->GroundNumber(g)->geometry();
      for (int n = 1; n <= kSquareCount; ++n) {
        const bool own = n == kGroundSquares[static_cast<std::size_t>(g)];
        QVERIFY2(SquareRect(n).contains(number) == own,
                 qPrintable(QStringLiteral("ground %1, square %2").arg(g + 1).arg(n)));
      }
    }
  }

  // Tokens that share a square stand apart inside it, whichever of them share it; a token that
  // leaves lets the others spread again.
  void tokensOnOneSquareDoNotCoverEachOther() {
    const int squares[] = {1, 3, 21, 36, 42};
    for (int n : squares) {
      for (int p = 0; p < 3; ++p) board_->PlaceToken(p, n);
      for (int a = 0; a < 3; ++a) {
        QVERIFY2(SquareRect(n).contains(board_->Token(a)->geometry()),
                 qPrintable(QString::number(n)));
        for (int b = a + 1; b < 3; ++b) {
          QVERIFY(!board_->Token(a)->geometry().intersects(board_->Token(b)->geometry()));
        }
      }
    }
    board_->PlaceToken(2, 5);
    QVERIFY(!board_->Token(0)->geometry().intersects(board_->Token(1)->geometry()));
    QCOMPARE(board_->TokenSquare(2), 5);
  }

  // The board follows the game's events: moves, builds, a player going out, the dice.
  void followsTheEvents() {
    GameEvent rolled = Event(EventType::Rolled);
    rolled.Die1 = 2;
    rolled.Die2 = 5;
    board_->Follow(rolled);
    QVERIFY(board_->Die(0)->isHidden());  // on the table at the first step
    QCOMPARE(board_->Die(0)->accessibleName(), QStringLiteral("Die showing 5"));

    game_.Players[0].CurrentPosition = 8;
    GameEvent moved = Event(EventType::Moved);
    moved.Square = 8;
    board_->Follow(moved);
    QVERIFY(!board_->Die(0)->isHidden());
    QVERIFY(SquareRect(8).contains(board_->Token(0)->geometry()));
    QCOMPARE(board_->Token(0)->accessibleDescription(), QStringLiteral("on square 8"));

    // Player A buys company 5 (square 8) and builds twice on it.
    const QImage bare = board_->Square(8)->pixmap().toImage();
    game_.Grounds[4].Owner = 0;
    game_.Grounds[4].House = 1;
    GameEvent built = Event(EventType::Built);
    built.Ground = 4;
    board_->Follow(built);
    QVERIFY(board_->Square(8)->pixmap().toImage() != bare);
    QCOMPARE(board_->Square(8)->accessibleName(), QStringLiteral("Square 8: company 5 Company 5"));
    QCOMPARE(board_->Square(8)->accessibleDescription(),
             QStringLiteral("owner Player A, 2 buildings"));
    const QString tip = board_->GroundTooltip(4);
    QVERIFY(tip.contains(QStringLiteral("Owner: Player A")));
    QVERIFY(tip.contains(QStringLiteral("Now: 2 buildings")));
    QVERIFY(tip.contains(QStringLiteral("Sells: goods 5")));

    board_->Follow(Event(EventType::TurnPassed));
    QVERIFY(board_->Die(0)->isHidden());

    // Player B goes out: his token leaves the board and the others spread on the square.
    for (int p = 0; p < 3; ++p) board_->PlaceToken(p, 12);
    game_.Players[1].Playing = false;
    board_->Follow(Event(EventType::PlayerOut, 1));
    QVERIFY(board_->Token(1)->isHidden());
    QVERIFY(!board_->Token(0)->geometry().intersects(board_->Token(2)->geometry()));
  }

  // A game loaded in the middle of a walk keeps its dice on the table; a new game clears them.
  void wholeGameFromTheState() {
    game_.StepsLeft = 3;
    game_.Die1 = 4;
    game_.Die2 = 6;
    game_.Players[2].Playing = false;
    game_.Players[1].CurrentPosition = 30;
    board_->Follow(Event(EventType::GameLoaded));
    QVERIFY(!board_->Die(0)->isHidden());
    QCOMPARE(board_->Die(1)->accessibleName(), QStringLiteral("Die showing 4"));
    QVERIFY(board_->Token(2)->isHidden());
    QCOMPARE(board_->TokenSquare(1), 30);
    board_->Follow(Event(EventType::GameStarted));
    QVERIFY(board_->Die(0)->isHidden());
  }

  // An unowned company carries no frame: its picture is the bare square's.
  void unownedCompaniesAreBare() {
    const QImage before = board_->Square(3)->pixmap().toImage();
    game_.Grounds[1].Owner = 2;
    board_->DrawGround(1);
    QVERIFY(board_->Square(3)->pixmap().toImage() != before);
    game_.Grounds[1].Owner = -1;
    board_->DrawGround(1);
    QCOMPARE(board_->Square(3)->pixmap().toImage(), before);
    QCOMPARE(board_->Square(3)->accessibleDescription(),
             QStringLiteral("owner nobody, 0 buildings"));
  }

 private:
  std::unique_ptr<Artwork> art_;
  GameState game_;
  std::unique_ptr<BoardView> board_;
};

QTEST_MAIN(BoardViewTest)
#include "BoardViewTest.moc"
