#include "ui/BoardView.h"

#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <vector>

#include "core/GameRoutines.h"
#include "ui/BoardLayout.h"
#include "ui/Colours.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {
namespace {

constexpr QSize kTokenSizes[kMaxPlayers] = {QSize(22, 20), QSize(20, 18), QSize(20, 20)};

// Where the first and the second die picture lie, in each of the two arrangements.
constexpr QPoint kDiceAt[2][2] = {{{152, 496}, {112, 472}}, {{112, 496}, {152, 472}}};

QPoint SquareAt(int n) { return SquareTopLeft(n) - BoardView::kOrigin; }

}  // namespace

BoardView::BoardView(Artwork& art, QWidget* parent) : QWidget(parent), art_(art) {
  setObjectName(QStringLiteral("board"));
  setGeometry(QRect(kOrigin, QSize(800, 620)));
  background_ = new QLabel(this);
  background_->setGeometry(0, 0, 800, 620);
  background_->setPixmap(art_.Picture(QStringLiteral("board-background"), QSize(800, 620)));

  title_ = PlacedLabel(this, QRect(QPoint(64, 256) - kOrigin, QSize(481, 59)), WindowFont(48, true),
                       Qt::white, Qt::AlignCenter);
  title_->setText(QStringLiteral("Quillbury 2007"));

  const QSize squareSize(kSquareSize, kSquareSize);
  for (int n = 1; n <= kSquareCount; ++n) {
    auto* square = new QLabel(this);
    square->setGeometry(QRect(SquareAt(n), squareSize));
    square->setObjectName(QStringLiteral("square%1").arg(n));
    square->setPixmap(
        art_.Picture(QStringLiteral("square-%1").arg(n, 2, 10, QLatin1Char('0')), squareSize));
    square->setAttribute(Qt::WA_OpaquePaintEvent);
    square->installEventFilter(this);
    squares_[static_cast<std::size_t>(n - 1)] = square;
  }
  lightGround_ = Square(2)->pixmap();
  darkGround_ = Square(7)->pixmap();
  for (int g = 0; g < kGroundCount; ++g) {
    // In the square's top left corner, on a dark patch that any picture leaves readable: the
    // finance prompts ask for these numbers.
    const QPoint corner = SquareAt(kGroundSquares[static_cast<std::size_t>(g)]);
    QLabel* number = PlacedLabel(this, QRect(corner + QPoint(2, 2), QSize(16, 13)),
                                 WindowFont(10, true), Qt::white, Qt::AlignCenter);
    number->setAttribute(Qt::WA_TranslucentBackground, false);
    number->setAutoFillBackground(true);
    QPalette p = number->palette();
    p.setColor(QPalette::Window, QColor(0, 0, 0, 170));
    number->setPalette(p);
    number->setAttribute(Qt::WA_TransparentForMouseEvents);
    number->setText(QString::number(g + 1));
    number->setObjectName(QStringLiteral("groundNumber%1").arg(g + 1));
    groundNumbers_[static_cast<std::size_t>(g)] = number;
  }

  caption_ = PlacedLabel(this, QRect(QPoint(64, 318) - kOrigin, QSize(481, 44)),
                         WindowFont(15, true), Qt::white, Qt::AlignCenter);
  caption_->setWordWrap(true);
  caption_->setObjectName(QStringLiteral("gameOverCaption"));
  caption_->hide();

  for (int p = 0; p < kMaxPlayers; ++p) {
    auto* token = new QLabel(this);
    token->setObjectName(QStringLiteral("token%1").arg(p + 1));
    token->setGeometry(QRect(QPoint(76, 72) - kOrigin, kTokenSizes[p]));
    token->setPixmap(TokenPicture(art_, p));
    token->setAttribute(Qt::WA_TranslucentBackground);
    token->setAttribute(Qt::WA_TransparentForMouseEvents);
    tokens_[static_cast<std::size_t>(p)] = token;
  }
  tokens_[2]->hide();
  firstDie_ = new QLabel(this);
  secondDie_ = new QLabel(this);
  firstDie_->setObjectName(QStringLiteral("firstDie"));
  secondDie_->setObjectName(QStringLiteral("secondDie"));
  for (QLabel* die : {firstDie_, secondDie_}) {
    die->resize(31, 33);
    die->hide();
    die->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  PlaceDice(0);
}

QPixmap BoardView::TokenPicture(Artwork& art, int player) {
  const QSize size = kTokenSizes[player];
  // The token one pixel smaller inside a dark outline, so it stands out on any square.
  const QPixmap inner = art.Picture(QStringLiteral("token-%1").arg(player + 1), size - QSize(2, 2));
  const qreal ratio = inner.devicePixelRatio();
  QImage outline = inner.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  {
    QPainter tint(&outline);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(outline.rect(), QColor(20, 20, 20));
  }
  outline.setDevicePixelRatio(ratio);
  QPixmap picture(size * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  for (int dx = 0; dx <= 2; ++dx) {
    for (int dy = 0; dy <= 2; ++dy) {
      if (dx != 1 || dy != 1) painter.drawImage(QPointF(dx, dy), outline);
    }
  }
  painter.drawPixmap(QPointF(1, 1), inner);
  return picture;
}

void BoardView::ShowEmpty() {
  for (int n = 1; n <= kSquareCount; ++n) {
    QPixmap picture = Square(n)->pixmap();
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(0.5, 0.5, 48, 48));
    painter.end();
    DrawSquarePicture(n, picture);
  }
}

void BoardView::DrawWholeGame(bool moveGoesOn, int diceLayout) {
  if (game_ == nullptr) return;
  for (int g = 0; g < kGroundCount; ++g) DrawGround(g);
  Describe();
  for (int p = 0; p < kMaxPlayers; ++p) {
    const bool seated = p < game_->PlayerCount();
    Token(p)->setVisible(seated && game_->Players[static_cast<std::size_t>(p)].Playing);
  }
  for (int p = 0; p < game_->PlayerCount() && p < kMaxPlayers; ++p) {
    PlaceToken(p, game_->Players[static_cast<std::size_t>(p)].CurrentPosition);
  }
  if (moveGoesOn && game_->StepsLeft > 0) {
    // The saved move goes on: its dice are on the table.
    ShowDice(game_->Die2, game_->Die1);
    PlaceDice(diceLayout);
    SetDiceVisible(true);
  } else {
    SetDiceVisible(false);
  }
}

void BoardView::Follow(const GameEvent& event) {
  switch (event.Type) {
    case EventType::GameStarted:
      DrawWholeGame();
      break;
    case EventType::GameLoaded:
      DrawWholeGame(true, event.DiceLayout);
      break;
    case EventType::Rolled:
      // The first die picture shows the second die's face, as the board always has.
      ShowDice(event.Die2, event.Die1);
      PlaceDice(event.DiceLayout);
      break;
    case EventType::Moved:
      SetDiceVisible(true);
      PlaceToken(event.Player, event.Square);
      break;
    case EventType::Shortcut:
      PlaceToken(event.Player, event.Square);
      break;
    case EventType::Bought:
    case EventType::Built:
    case EventType::BuildingSold:
    case EventType::CompanySold:
    case EventType::BoughtFromPlayer:
      DrawGround(event.Ground);
      break;
    case EventType::PlayerOut:
      if (event.Player >= 0 && event.Player < kMaxPlayers) {
        Token(event.Player)->setVisible(false);
        LayOutTokens(TokenSquare(event.Player));
      }
      break;
    case EventType::TurnPassed:
    case EventType::GameWon:
    case EventType::NobodyWon:
      SetDiceVisible(false);
      break;
    default:
      break;
  }
}

void BoardView::ShowCaption(const QString& text) {
  caption_->setText(text);
  caption_->setVisible(!text.isEmpty());
}

void BoardView::ShowDice(int firstFace, int secondFace) {
  auto face = [this](int value) {
    return art_.Picture(QStringLiteral("die-%1").arg(std::clamp(value, 1, 6)), QSize(31, 33));
  };
  firstDie_->setPixmap(face(firstFace));
  secondDie_->setPixmap(face(secondFace));
  firstDie_->setAccessibleName(Say(MessageId::AccessDie, {std::to_string(firstFace)}));
  secondDie_->setAccessibleName(Say(MessageId::AccessDie, {std::to_string(secondFace)}));
}

void BoardView::PlaceDice(int arrangement) {
  const auto& at = kDiceAt[arrangement == 1 ? 1 : 0];
  firstDie_->move(at[0]);
  secondDie_->move(at[1]);
}

void BoardView::SetDiceVisible(bool visible) {
  firstDie_->setVisible(visible);
  secondDie_->setVisible(visible);
}

void BoardView::PlaceToken(int player, int square) {
  if (player < 0 || player >= kMaxPlayers || square < 1 || square > kSquareCount) return;
  const int left = TokenSquare(player);
  tokenSquares_[static_cast<std::size_t>(player)] = square;
  if (left != square && left >= 1) LayOutTokens(left);
  LayOutTokens(square);
  if (game_ != nullptr && player < game_->PlayerCount()) {
    QLabel* token = Token(player);
    token->setAccessibleName(
        Say(MessageId::AccessToken, {game_->Players[static_cast<std::size_t>(player)].Name}));
    token->setAccessibleDescription(Say(MessageId::AccessOnSquare, {std::to_string(square)}));
  }
}

void BoardView::LayOutTokens(int square) {
  // One token stands in the middle of its square; tokens that share a square stand apart, so
  // none hides another.
  std::vector<QLabel*> here;
  for (int p = 0; p < kMaxPlayers; ++p) {
    if (TokenSquare(p) == square && !Token(p)->isHidden()) here.push_back(Token(p));
  }
  if (here.empty()) return;
  static const QPoint kSpread[3][3] = {
      {{0, 0}}, {{-12, -11}, {12, 11}}, {{-12, -11}, {12, -11}, {0, 12}}};
  const QPoint middle = SquareAt(square) + QPoint(kSquareSize / 2, kSquareSize / 2);
  for (std::size_t i = 0; i < here.size(); ++i) {
    QLabel* token = here[i];
    const QPoint centre = middle + kSpread[here.size() - 1][i];
    token->move(centre.x() - kSquareSize / 2 + (kSquareSize - token->width()) / 2,
                centre.y() - kSquareSize / 2 + (kSquareSize - token->height()) / 2);
  }
}

void BoardView::DrawSquarePicture(int square, const QPixmap& picture) {
  QLabel* label = Square(square);
  label->setPixmap(picture);
  label->repaint();
}

void BoardView::DrawGround(int ground) {
  if (game_ == nullptr || ground < 0 || static_cast<std::size_t>(ground) >= game_->Grounds.size()) {
    return;
  }
  const Ground& g = game_->Grounds[static_cast<std::size_t>(ground)];
  if (g.Square < 1 || g.Square > kSquareCount) return;
  QPixmap picture = IsLightGroundSquare(g.Square) ? lightGround_ : darkGround_;
  picture.detach();
  QPainter painter(&picture);
  // An unowned ground gets no frame at all, so nothing on it can be taken for an owner's colour.
  if (g.Owner >= 0 && g.Owner < game_->PlayerCount()) {
    painter.setPen(QPen(FromBgr(game_->Players[static_cast<std::size_t>(g.Owner)].Color), 1));
    painter.drawRect(QRectF(0.5, 0.5, 48, 48));
    painter.drawRect(QRectF(1.5, 1.5, 46, 46));
  }
  if (g.House >= 0 && g.House <= 3) {
    painter.drawPixmap(0, 0,
                       art_.Picture(QStringLiteral("building-%1").arg(g.House + 1),
                                    QSize(kSquareSize, kSquareSize)));
  }
  painter.end();
  DrawSquarePicture(g.Square, picture);
  DescribeSquare(g.Square);
}

QString BoardView::Say(MessageId id, std::initializer_list<std::string_view> args) const {
  return QString::fromStdString(MessageText(language_, id, args));
}

void BoardView::Describe() {
  for (int n = 1; n <= kSquareCount; ++n) DescribeSquare(n);
  for (int p = 0; p < kMaxPlayers; ++p) {
    if (TokenSquare(p) >= 1) PlaceToken(p, TokenSquare(p));
  }
}

void BoardView::DescribeSquare(int square) {
  // What a screen reader says of a square: its number, and for a company its number and name,
  // with its owner and buildings as the description.
  QLabel* label = Square(square);
  const std::string number = std::to_string(square);
  const auto at = std::find(kGroundSquares.begin(), kGroundSquares.end(), square);
  if (at == kGroundSquares.end()) {
    label->setAccessibleName(Say(MessageId::AccessSquare, {number}));
    return;
  }
  const auto g = static_cast<std::size_t>(at - kGroundSquares.begin());
  const Ground* ground =
      game_ != nullptr && g < game_->Grounds.size() ? &game_->Grounds[g] : nullptr;
  const std::string owner =
      ground != nullptr && ground->Owner >= 0 && ground->Owner < game_->PlayerCount()
          ? game_->Players[static_cast<std::size_t>(ground->Owner)].Name
          : MessageText(language_, MessageId::AccessNobody);
  const std::string buildings = std::to_string(ground != nullptr ? ground->House + 1 : 0);
  label->setAccessibleName(
      Say(MessageId::AccessGround,
          {number, std::to_string(g + 1) + " " + (ground != nullptr ? ground->Name : "")}));
  label->setAccessibleDescription(Say(MessageId::AccessGroundState, {owner, buildings}));
}

QString BoardView::GroundTooltip(int ground) const {
  if (game_ == nullptr || ground < 0 || static_cast<std::size_t>(ground) >= game_->Grounds.size()) {
    return {};
  }
  const Ground& g = game_->Grounds[static_cast<std::size_t>(ground)];
  auto money = [](std::int32_t v) { return MoneyText(v); };
  auto line = [this](MessageId id, std::initializer_list<std::string_view> args) {
    return Say(id, args).toHtmlEscaped();
  };
  std::string owner = MessageText(language_, MessageId::TipForSale);
  if (g.Owner >= 0 && g.Owner < game_->PlayerCount()) {
    owner = game_->Players[static_cast<std::size_t>(g.Owner)].Name;
  }
  const std::string level = g.House < 0    ? MessageText(language_, MessageId::TipNoBuildings)
                            : g.House == 0 ? MessageText(language_, MessageId::TipOneBuilding)
                                           : MessageText(language_, MessageId::TipBuildings,
                                                         {std::to_string(g.House + 1)});
  std::string goods = g.Sell;
  if (goods.starts_with("bought ")) goods = goods.substr(7);
  QString text = QStringLiteral("<b>%1. %2</b>")
                     .arg(ground + 1)
                     .arg(QString::fromStdString(g.Name).toHtmlEscaped());
  text += QStringLiteral("<br>") + line(MessageId::TipSells, {goods});
  text += QStringLiteral("<br>") + line(MessageId::TipPrice, {money(g.Price)});
  text += QStringLiteral("<br>") + line(MessageId::TipRentBare, {money(g.Price / 100 * 25)});
  for (std::size_t i = 0; i < g.Houses.size(); ++i) {
    text +=
        QStringLiteral("<br>") +
        (i == 0 ? line(MessageId::TipRentWithOne, {money(g.Houses[i].Rent)})
                : line(MessageId::TipRentWith, {std::to_string(i + 1), money(g.Houses[i].Rent)}));
  }
  text += QStringLiteral("<br>") + line(MessageId::TipOwner, {owner});
  text += QStringLiteral("<br>") + line(MessageId::TipNow, {level});
  return text;
}

bool BoardView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    for (int g = 0; g < kGroundCount; ++g) {
      if (watched == Square(kGroundSquares[static_cast<std::size_t>(g)])) {
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), GroundTooltip(g), static_cast<QWidget*>(watched));
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quillbury::ui
