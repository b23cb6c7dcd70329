#include "ui/HostGameDialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "ui/DialogText.h"
#include "ui/NameValidator.h"
#include "ui/NewGameDialog.h"
#include "ui/WindowFont.h"

namespace quillbury::ui {
namespace {

constexpr int kLowestPort = 1024;
constexpr int kHighestPort = 65535;

struct SeatDefault {
  const char* name;
  HostSeatKind kind;
};
// A network game needs a player over the network; the defaults are one of each.
constexpr SeatDefault kDefaults[kMaxPlayers] = {
    {"Mr. Gambler", HostSeatKind::PersonHere},
    {"Bart Broker", HostSeatKind::PersonRemote},
    {"Mac Poor", HostSeatKind::ComputerClassic},
};

std::optional<quint16> PortValue(const QString& text) {
  bool ok = false;
  const int port = text.trimmed().toInt(&ok);
  if (!ok || port < kLowestPort || port > kHighestPort) return std::nullopt;
  return static_cast<quint16>(port);
}

}  // namespace

NewGameChoice HostSetup::Choice() const {
  NewGameChoice choice;
  choice.PlayerCount = players;
  for (int i = 0; i < players; ++i) {
    const Seat& seat = seats[static_cast<std::size_t>(i)];
    choice.Seats[static_cast<std::size_t>(i)] = {
        seat.name.toStdString(), seat.money,
        seat.kind == HostSeatKind::ComputerClassic || seat.kind == HostSeatKind::ComputerStrong,
        seat.kind == HostSeatKind::ComputerStrong ? ComputerLevel::Strong : ComputerLevel::Classic};
  }
  return choice;
}

bool HostSetup::Remote(int player) const {
  return player >= 0 && player < players &&
         seats[static_cast<std::size_t>(player)].kind == HostSeatKind::PersonRemote;
}

HostGameDialog::HostGameDialog(QWidget* owner, const IniFile* file) : QDialog(owner) {
  setObjectName(QStringLiteral("hostGameDialog"));
  setWindowTitle(DialogText(file, "Network", "HostTitle", QStringLiteral("Host network game")));
  setFont(WindowFont());
  auto* layout = new QVBoxLayout(this);

  auto* count = new QHBoxLayout;
  twoPlayers_ = new QRadioButton(
      DialogText(file, "StartGame", "TwoPlayers", QStringLiteral("Two Players")), this);
  twoPlayers_->setObjectName(QStringLiteral("twoPlayersButton"));
  threePlayers_ = new QRadioButton(
      DialogText(file, "StartGame", "ThreePlayers", QStringLiteral("Three players")), this);
  threePlayers_->setObjectName(QStringLiteral("threePlayersButton"));
  auto* countGroup = new QButtonGroup(this);
  countGroup->addButton(twoPlayers_);
  countGroup->addButton(threePlayers_);
  twoPlayers_->setChecked(true);
  count->addWidget(twoPlayers_);
  count->addWidget(threePlayers_);
  layout->addLayout(count);

  const QString player = DialogText(file, "StartGame", "Player", QStringLiteral("Player"));
  const QString kinds[] = {
      DialogText(file, "Network", "PersonHere", QStringLiteral("Person here")),
      DialogText(file, "Network", "PersonRemote", QStringLiteral("Person over the network")),
      DialogText(file, "Network", "ComputerClassic", QStringLiteral("Computer (Classic)")),
      DialogText(file, "Network", "ComputerStrong", QStringLiteral("Computer (Strong)")),
  };
  for (int i = 0; i < kMaxPlayers; ++i) {
    const QString number = QString::number(i + 1);
    SeatFields& seat = seats_[static_cast<std::size_t>(i)];
    auto* box = new QGroupBox(player + QLatin1Char(' ') + number, this);
    box->setObjectName(QStringLiteral("seatBox") + number);
    seat.box = box;
    auto* form = new QFormLayout(box);
    seat.name = new QLineEdit(QString::fromLatin1(kDefaults[i].name), box);
    seat.name->setObjectName(QStringLiteral("nameEdit") + number);
    seat.name->setValidator(new NameLengthValidator(seat.name));
    seat.kind = new QComboBox(box);
    seat.kind->setObjectName(QStringLiteral("kindBox") + number);
    for (const QString& kind : kinds) seat.kind->addItem(kind);
    seat.kind->setCurrentIndex(static_cast<int>(kDefaults[i].kind));
    seat.money = new QLineEdit(QStringLiteral("5000000"), box);
    seat.money->setObjectName(QStringLiteral("moneyEdit") + number);
    seat.money->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Nine digits always fit the game's 32-bit money, as in the New Game dialog.
    seat.money->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,9}")), seat.money));
    AddFieldRow(form, QStringLiteral("nameLabel") + number,
                DialogText(file, "StartGame", "Name", QStringLiteral("Name")), seat.name);
    AddFieldRow(form, QStringLiteral("kindLabel") + number,
                DialogText(file, "Network", "PlayedBy", QStringLiteral("Played by")), seat.kind);
    AddFieldRow(form, QStringLiteral("moneyLabel") + number,
                DialogText(file, "StartGame", "StartMoney", QStringLiteral("Start money")) +
                    QStringLiteral(" ($)"),
                seat.money);
    layout->addWidget(box);
    connect(seat.name, &QLineEdit::textChanged, this, &HostGameDialog::Check);
    connect(seat.money, &QLineEdit::textChanged, this, &HostGameDialog::Check);
    connect(seat.kind, &QComboBox::currentIndexChanged, this, &HostGameDialog::Check);
  }

  auto* portRow = new QFormLayout;
  port_ = new QLineEdit(QString::number(4747), this);
  port_->setObjectName(QStringLiteral("portEdit"));
  port_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), port_));
  port_->setToolTip(DialogText(file, "Network", "PortHint",
                               QStringLiteral("The TCP port the other players connect to")));
  AddFieldRow(portRow, QStringLiteral("portLabel"),
              DialogText(file, "Network", "Port", QStringLiteral("Port")), port_);
  layout->addLayout(portRow);
  connect(port_, &QLineEdit::textChanged, this, &HostGameDialog::Check);

  reason_ = new QLabel(this);
  reason_->setObjectName(QStringLiteral("reasonLabel"));
  reason_->setStyleSheet(QStringLiteral("color: rgb(170, 0, 0);"));
  layout->addWidget(reason_);

  host_ =
      new QPushButton(DialogText(file, "Network", "HostButton", QStringLiteral("Host game")), this);
  host_->setObjectName(QStringLiteral("hostButton"));
  host_->setDefault(true);
  layout->addWidget(host_);
  connect(host_, &QPushButton::clicked, this, [this] {
    if (Reason().isEmpty()) accept();
  });
  connect(threePlayers_, &QRadioButton::toggled, this, &HostGameDialog::Check);

  needRemote_ = DialogText(file, "Network", "NeedRemote",
                           QStringLiteral("At least one seat must be played over the network."));
  badPort_ = DialogText(file, "Network", "BadPort",
                        QStringLiteral("The port must be a number from 1024 to 65535."));
  longName_ = DialogText(file, "Network", "LongName", QStringLiteral("A name is too long."));
  Check();
}

void HostGameDialog::SetPort(const QString& port) { port_->setText(port.trimmed()); }

void HostGameDialog::SetFromGame(const GameState& game) {
  (game.PlayerCount() == 3 ? threePlayers_ : twoPlayers_)->setChecked(true);
  twoPlayers_->setEnabled(false);
  threePlayers_->setEnabled(false);
  for (int i = 0; i < kMaxPlayers && i < game.PlayerCount(); ++i) {
    const Player& player = game.Players[static_cast<std::size_t>(i)];
    SeatFields& seat = seats_[static_cast<std::size_t>(i)];
    seat.name->setText(QString::fromStdString(player.Name));
    seat.money->setText(QString::number(std::max(player.Money, 0)));
    seat.name->setEnabled(false);
    seat.money->setEnabled(false);
    if (player.CPU) {
      seat.kind->setCurrentIndex(static_cast<int>(player.Level == ComputerLevel::Strong
                                                      ? HostSeatKind::ComputerStrong
                                                      : HostSeatKind::ComputerClassic));
      seat.kind->setEnabled(false);
    } else {
      // A person stays a person: here or at another computer.
      seat.kind->setCurrentIndex(static_cast<int>(HostSeatKind::PersonHere));
      while (seat.kind->count() > 2) seat.kind->removeItem(seat.kind->count() - 1);
    }
  }
  Check();
}

HostSetup HostGameDialog::Setup() const {
  HostSetup setup;
  setup.players = threePlayers_->isChecked() ? 3 : 2;
  for (int i = 0; i < kMaxPlayers; ++i) {
    const SeatFields& fields = seats_[static_cast<std::size_t>(i)];
    HostSetup::Seat& seat = setup.seats[static_cast<std::size_t>(i)];
    seat.name = fields.name->text();
    seat.kind = static_cast<HostSeatKind>(fields.kind->currentIndex());
    seat.money = NewGameDialog::MoneyValue(fields.money->text());
  }
  setup.port = PortValue(port_->text()).value_or(0);
  return setup;
}

QString HostGameDialog::Reason() const {
  const HostSetup setup = Setup();
  bool remote = false;
  for (int i = 0; i < setup.players; ++i) {
    remote = remote || setup.Remote(i);
    if (!NameFits(setup.seats[static_cast<std::size_t>(i)].name)) return longName_;
  }
  if (!remote) return needRemote_;
  if (!PortValue(port_->text())) return badPort_;
  return {};
}

void HostGameDialog::Check() {
  seats_[2].box->setEnabled(threePlayers_->isChecked());
  const QString why = Reason();
  reason_->setText(why);
  host_->setEnabled(why.isEmpty());
}

}  // namespace quillbury::ui
