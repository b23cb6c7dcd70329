#include "ui/NewGameDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <limits>

#include "localisation/IniFile.h"
#include "persistence/GameFile.h"
#include "ui/Artwork.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {

namespace {

struct SeatLayout {
  int top;
  int fieldLeft;
  int fieldWidth;
  QPoint token;
  const char* tokenPicture;
  QSize tokenSize;
  const char* name;
  bool cpu;
};

constexpr SeatLayout kSeats[3] = {
    {40, 176, 153, {315, 16}, "token-1", {22, 20}, "Mr. Gambler", false},
    {152, 176, 153, {317, 15}, "token-2", {20, 18}, "Bart Broker", true},
    {264, 168, 145, {315, 16}, "token-3", {20, 20}, "Mac Poor", true},
};

// A name is at most as long as a saved game may hold, counted in bytes of UTF-8.
class NameLengthValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return static_cast<std::size_t>(input.toUtf8().size()) <= kMaxGameTextBytes ? Acceptable
                                                                                : Invalid;
  }
};

QString Caption(const IniFile& file, const char* key, const QString& current) {
  return QString::fromStdString(file.ReadString("StartGame", key, current.toStdString()));
}

}  // namespace

TfrmNewGame::TfrmNewGame(QWidget* owner, const IniFile* languageFile, Artwork& art)
    : QDialog(owner) {
  setWindowTitle(QStringLiteral("New Game"));
  setFixedSize(386, 433);
  setFont(WindowFont());
  QPalette sky = palette();
  sky.setColor(QPalette::Window, QColor(166, 202, 240));
  setPalette(sky);
  setAutoFillBackground(true);
  // The frame line runs through the box's caption, so the pictures and fields at the top of
  // each box sit inside it.
  setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid rgb(112, 146, 190); border-radius: 3px; margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px;"
      " background-color: rgb(166, 202, 240); }"));

  rb2 = new QRadioButton(QStringLiteral("Two Players"), this);
  rb2->setGeometry(16, 16, 170, 17);
  rb3 = new QRadioButton(QStringLiteral("Three players"), this);
  rb3->setGeometry(200, 16, 170, 17);
  auto* count = new QButtonGroup(this);
  count->addButton(rb2);
  count->addButton(rb3);
  rb2->setChecked(true);

  for (int i = 0; i < 3; ++i) seats_[i] = MakeSeat(i + 1, art);
  Player1 = seats_[0].box;
  Player2 = seats_[1].box;
  Player3 = seats_[2].box;
  NameLabel1 = seats_[0].nameLabel;
  NameLabel2 = seats_[1].nameLabel;
  NameLabel3 = seats_[2].nameLabel;
  edtPlayer1Name = seats_[0].name;
  edtPlayer2Name = seats_[1].name;
  edtPlayer3Name = seats_[2].name;
  Label1 = seats_[0].moneyLabel;
  Label2 = seats_[1].moneyLabel;
  Label3 = seats_[2].moneyLabel;
  edtPlayer1Money = seats_[0].money;
  edtPlayer2Money = seats_[1].money;
  edtPlayer3Money = seats_[2].money;
  rbPlayer1CPU = seats_[0].cpu;
  rbPlayer2CPU = seats_[1].cpu;
  rbPlayer3CPU = seats_[2].cpu;
  rbPlayer1Real = seats_[0].real;
  rbPlayer2Real = seats_[1].real;
  rbPlayer3Real = seats_[2].real;
  Image3 = seats_[0].token;
  Image4 = seats_[1].token;
  Image2 = seats_[2].token;

  Button1 = new QPushButton(QStringLiteral("Start Game"), this);
  Button1->setGeometry(16, 376, 353, 41);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  // Tab through the dialog from top to bottom, not in creation order.
  setTabOrder(rb2, rb3);
  QWidget* previous = rb3;
  for (const Seat& seat : seats_) {
    for (QWidget* w : {static_cast<QWidget*>(seat.name), static_cast<QWidget*>(seat.money),
                       static_cast<QWidget*>(seat.cpu), static_cast<QWidget*>(seat.real)}) {
      setTabOrder(previous, w);
      previous = w;
    }
  }
  setTabOrder(previous, Button1);

  if (languageFile != nullptr) ApplyLanguage(*languageFile);
}

TfrmNewGame::Seat TfrmNewGame::MakeSeat(int number, Artwork& art) {
  const SeatLayout& layout = kSeats[number - 1];
  const QString digit = QString::number(number);
  Seat seat;

  seat.box = new QGroupBox(QStringLiteral("Player ") + digit, this);
  seat.box->setGeometry(16, layout.top, 353, 105);

  seat.nameLabel = new QLabel(QStringLiteral("Name"), seat.box);
  seat.nameLabel->move(16, 24);
  seat.nameLabel->adjustSize();
  seat.name = new QLineEdit(QString::fromLatin1(layout.name), seat.box);
  seat.name->setGeometry(16, 40, layout.fieldWidth, 21);
  seat.name->setValidator(new NameLengthValidator(seat.name));

  seat.moneyLabel = new QLabel(QStringLiteral("Start money"), seat.box);
  seat.moneyLabel->move(layout.fieldLeft, 24);
  seat.moneyLabel->adjustSize();
  seat.money = new QLineEdit(QStringLiteral("5000000"), seat.box);
  seat.money->setGeometry(layout.fieldLeft, 40, layout.fieldWidth, 21);
  seat.money->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Nine digits always fit the 32-bit money of the game; a tenth could not be stored.
  seat.money->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,9}")), seat.money));
  // The "$ " is shown in the field but is not part of its text.
  auto* dollar = new QLabel(QStringLiteral("$"), seat.money);
  dollar->setGeometry(5, 0, 10, 21);
  dollar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  dollar->setAttribute(Qt::WA_TransparentForMouseEvents);
  seat.money->setTextMargins(14, 0, 0, 0);

  seat.cpu = new QRadioButton(QStringLiteral("CPU"), seat.box);
  seat.cpu->setGeometry(16, 72, 153, 17);
  seat.real = new QRadioButton(QStringLiteral("Real person"), seat.box);
  seat.real->setGeometry(167, 72, 146, 17);
  auto* kind = new QButtonGroup(seat.box);
  kind->addButton(seat.cpu);
  kind->addButton(seat.real);
  (layout.cpu ? seat.cpu : seat.real)->setChecked(true);

  seat.token = new QLabel(seat.box);
  seat.token->setGeometry(QRect(layout.token, layout.tokenSize));
  seat.token->setPixmap(art.Picture(QString::fromLatin1(layout.tokenPicture), layout.tokenSize));
  return seat;
}

void TfrmNewGame::ApplyLanguage(const IniFile& file) {
  // A caption that cannot be read keeps its English text.
  try {
    rb3->setText(Caption(file, "ThreePlayers", rb3->text()));
    rb2->setText(Caption(file, "TwoPlayers", rb2->text()));
    // The stem alone is the default, so a file without the key still gives "Player 1".
    const QString player = Caption(file, "Player", QStringLiteral("Player"));
    for (int i = 0; i < 3; ++i)
      seats_[i].box->setTitle(player + QLatin1Char(' ') + QString::number(i + 1));
    for (Seat& seat : seats_) {
      seat.moneyLabel->setText(Caption(file, "StartMoney", seat.moneyLabel->text()));
      seat.moneyLabel->adjustSize();
    }
    for (Seat& seat : seats_) {
      seat.nameLabel->setText(Caption(file, "Name", seat.nameLabel->text()));
      seat.nameLabel->adjustSize();
    }
    Button1->setText(Caption(file, "StartGame", Button1->text()));
    setWindowTitle(Caption(file, "NewGame", windowTitle()));
    for (Seat& seat : seats_) {
      seat.cpu->setText(Caption(file, "CPU", seat.cpu->text()));
      seat.real->setText(Caption(file, "RealPerson", seat.real->text()));
    }
  } catch (...) {
  }
}

std::int32_t TfrmNewGame::MoneyValue(const QString& text) {
  const QString t = text.trimmed();
  qsizetype i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
    negative = t[i] == QLatin1Char('-');
    ++i;
  }
  if (i == t.size()) return 0;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t value = 0;
  for (; i < t.size(); ++i) {
    const char16_t c = t[i].unicode();
    if (c < u'0' || c > u'9') return 0;
    if (value <= -kMin) value = value * 10 + (c - u'0');  // stops growing once out of range
  }
  if (negative) return static_cast<std::int32_t>(std::max(-value, kMin));
  return static_cast<std::int32_t>(std::min(value, kMax));
}

NewGameChoice TfrmNewGame::Choice() const {
  NewGameChoice choice;
  choice.PlayerCount = rb3->isChecked() ? 3 : 2;
  for (int i = 0; i < choice.PlayerCount; ++i) {
    const Seat& seat = seats_[i];
    choice.Seats[i].Name = seat.name->text().toStdString();
    choice.Seats[i].Money = MoneyValue(seat.money->text());
    choice.Seats[i].CPU = seat.cpu->isChecked();
  }
  return choice;
}

}  // namespace quillbury::ui
