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
#include "ui/Artwork.h"
#include "ui/NameValidator.h"
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

QString Caption(const IniFile& file, const char* key, const QString& current) {
  return QString::fromStdString(file.ReadString("StartGame", key, current.toStdString()));
}

}  // namespace

NewGameDialog::NewGameDialog(QWidget* owner, const IniFile* languageFile, Artwork& art)
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

  twoPlayers_ = new QRadioButton(QStringLiteral("Two Players"), this);
  twoPlayers_->setGeometry(16, 16, 170, 17);
  threePlayers_ = new QRadioButton(QStringLiteral("Three players"), this);
  threePlayers_->setGeometry(200, 16, 170, 17);
  auto* count = new QButtonGroup(this);
  count->addButton(twoPlayers_);
  count->addButton(threePlayers_);
  twoPlayers_->setChecked(true);

  for (int i = 0; i < 3; ++i) seats_[i] = MakeSeat(i + 1, art);

  start_ = new QPushButton(QStringLiteral("Start Game"), this);
  start_->setGeometry(16, 376, 353, 41);
  start_->setDefault(true);
  connect(start_, &QPushButton::clicked, this, &QDialog::accept);

  // Tab through the dialog from top to bottom, not in creation order.
  setTabOrder(twoPlayers_, threePlayers_);
  QWidget* previous = threePlayers_;
  for (const Seat& seat : seats_) {
    for (QWidget* w : {static_cast<QWidget*>(seat.name), static_cast<QWidget*>(seat.money),
                       static_cast<QWidget*>(seat.cpu), static_cast<QWidget*>(seat.strong),
                       static_cast<QWidget*>(seat.real)}) {
      setTabOrder(previous, w);
      previous = w;
    }
  }
  setTabOrder(previous, start_);

  if (languageFile != nullptr) ApplyLanguage(*languageFile);
}

NewGameDialog::Seat NewGameDialog::MakeSeat(int number, Artwork& art) {
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
  seat.cpu->setGeometry(16, 72, 90, 17);
  seat.strong = new QRadioButton(QStringLiteral("CPU (Strong)"), seat.box);
  seat.strong->setGeometry(106, 72, 120, 17);
  seat.strong->setToolTip(
      QStringLiteral("A computer player that borrows, builds and sells as a "
                     "person may"));
  seat.real = new QRadioButton(QStringLiteral("Real person"), seat.box);
  seat.real->setGeometry(228, 72, 120, 17);
  auto* kind = new QButtonGroup(seat.box);
  kind->addButton(seat.cpu);
  kind->addButton(seat.strong);
  kind->addButton(seat.real);
  (layout.cpu ? seat.cpu : seat.real)->setChecked(true);

  seat.token = new QLabel(seat.box);
  seat.token->setGeometry(QRect(layout.token, layout.tokenSize));
  seat.token->setPixmap(art.Picture(QString::fromLatin1(layout.tokenPicture), layout.tokenSize));
  return seat;
}

void NewGameDialog::ApplyLanguage(const IniFile& file) {
  // A caption that cannot be read keeps its English text.
  try {
    threePlayers_->setText(Caption(file, "ThreePlayers", threePlayers_->text()));
    twoPlayers_->setText(Caption(file, "TwoPlayers", twoPlayers_->text()));
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
    start_->setText(Caption(file, "StartGame", start_->text()));
    setWindowTitle(Caption(file, "NewGame", windowTitle()));
    for (Seat& seat : seats_) {
      seat.cpu->setText(Caption(file, "CPU", seat.cpu->text()));
      seat.strong->setText(Caption(file, "StrongCPU", seat.strong->text()));
      seat.strong->setToolTip(Caption(file, "StrongCPUHint", seat.strong->toolTip()));
      seat.real->setText(Caption(file, "RealPerson", seat.real->text()));
    }
  } catch (...) {
  }
}

std::int32_t NewGameDialog::MoneyValue(const QString& text) {
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

NewGameChoice NewGameDialog::Choice() const {
  NewGameChoice choice;
  choice.PlayerCount = threePlayers_->isChecked() ? 3 : 2;
  for (int i = 0; i < choice.PlayerCount; ++i) {
    const Seat& seat = seats_[i];
    choice.Seats[i].Name = seat.name->text().toStdString();
    choice.Seats[i].Money = MoneyValue(seat.money->text());
    choice.Seats[i].CPU = seat.cpu->isChecked() || seat.strong->isChecked();
    choice.Seats[i].Level =
        seat.strong->isChecked() ? ComputerLevel::Strong : ComputerLevel::Classic;
  }
  return choice;
}

}  // namespace quillbury::ui
