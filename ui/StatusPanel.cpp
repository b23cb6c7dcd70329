#include "ui/StatusPanel.h"

#include <QFrame>
#include <QPainter>

#include "ui/WindowFont.h"

namespace quillbury::ui {
namespace {

constexpr const char* kCaptionKeys[8] = {"Property", "Cash",  "Lots",  "Buildings",
                                         "Debts",    "Loans", "Total", "Salary"};

}  // namespace

StatusPanel::StatusPanel(QWidget* parent, const QPixmap& token) : QLabel(parent) {
  resize(170, 170);
  setAttribute(Qt::WA_OpaquePaintEvent);
  ownerFrame_ = new QFrame(this);
  ownerFrame_->setGeometry(0, 0, 170, 170);
  ownerFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
  ownerFrame_->hide();
  name_ = PlacedLabel(this, QRect(3, 2, 142, 16), WindowFont(13, true), Qt::white);
  auto* tokenLabel = new QLabel(this);
  tokenLabel->setGeometry(QRect(QPoint(148, 0), token.deviceIndependentSize().toSize()));
  tokenLabel->setPixmap(token);
  tokenLabel->setAttribute(Qt::WA_TranslucentBackground);
  static const int kCaptionRows[8] = {23, 40, 56, 72, 92, 108, 130, 152};
  static const bool kCaptionBold[8] = {true, false, false, false, true, false, true, false};
  for (std::size_t row = 0; row < captions_.size(); ++row) {
    captions_[row] = PlacedLabel(this, QRect(5, kCaptionRows[row], 100, 15),
                                 WindowFont(11, kCaptionBold[row]), Qt::black);
    captions_[row]->setText(QString::fromLatin1(kCaptionKeys[row]));
  }
  QLabel* dollars = PlacedLabel(this, QRect(147, 23, 20, 15), WindowFont(11, true), Qt::black);
  dollars->setText(QStringLiteral("($)"));
  struct ValueRow {
    PanelField field;
    int y, right;
    QColor colour;
    bool bold;
  };
  const ValueRow rows[] = {{PanelField::Cash, 40, 161, QColor(0, 0, 255), false},
                           {PanelField::Lots, 56, 161, QColor(0, 0, 255), false},
                           {PanelField::Buildings, 72, 161, QColor(0, 0, 255), false},
                           {PanelField::Loans, 108, 161, QColor(255, 0, 0), false},
                           {PanelField::Total, 130, 163, Qt::black, true},
                           {PanelField::Salary, 152, 161, Qt::black, false}};
  for (const ValueRow& r : rows) {
    const auto f = static_cast<std::size_t>(r.field);
    valueFonts_[f] = WindowFont(13, r.bold);
    values_[f] = PlacedLabel(this, QRect(60, r.y - 1, r.right - 60, 17), valueFonts_[f], r.colour,
                             Qt::AlignRight | Qt::AlignVCenter);
  }
}

void StatusPanel::SetField(PanelField field, const QString& text) {
  if (field == PanelField::Name) {
    name_->setText(text);
    return;
  }
  QLabel* label = Value(field);
  if (label == nullptr) return;
  label->setText(text);
  // The largest sums and negative ones are shown whole: the font shrinks until the value fits.
  const QFont font =
      FittingFont(valueFonts_[static_cast<std::size_t>(field)], text, label->contentsRect().size(),
                  Qt::AlignRight | Qt::AlignVCenter, 7);
  if (font != label->font()) label->setFont(font);
  // A screen reader tells the value with the caption of its row.
  label->setAccessibleName(CaptionOf(field) + QStringLiteral(": ") + text);
}

QString StatusPanel::CaptionOf(PanelField field) const {
  // Caption rows by PanelField (Name has none): Buildings, Salary, Lots, Loans, Cash, Total.
  static const std::size_t kRowOf[] = {0, 3, 7, 2, 5, 1, 6};
  const auto f = static_cast<std::size_t>(field);
  return field == PanelField::Name || f >= std::size(kRowOf) ? QString()
                                                             : captions_[kRowOf[f]]->text();
}

void StatusPanel::Draw(const QColor& colour) {
  const qreal ratio = devicePixelRatioF();
  QPixmap picture(QSize(170, 170) * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setPen(QPen(colour, 1));
  painter.drawRect(QRectF(0.5, 0.5, 169, 169));
  painter.drawLine(QPointF(6, 126.5), QPointF(165, 126.5));
  painter.drawLine(QPointF(6, 149.5), QPointF(165, 149.5));
  painter.fillRect(QRect(1, 1, 168, 19), colour);
  painter.end();
  setPixmap(picture);
}

void StatusPanel::SetOwnerColour(const QColor& colour) {
  if (colour == ownerShown_) return;
  ownerShown_ = colour;
  ownerFrame_->setStyleSheet(
      QStringLiteral("QFrame { border: 3px solid %1; background: transparent; }")
          .arg(colour.name()));
  ownerFrame_->show();
}

void StatusPanel::ClearOwnerColour() {
  ownerShown_ = QColor();
  ownerFrame_->hide();
}

void StatusPanel::SetCaptions(
    const std::function<QString(const char* key, const QString& current)>& read) {
  for (std::size_t row = 0; row < captions_.size(); ++row) {
    captions_[row]->setText(read(kCaptionKeys[row], captions_[row]->text()));
  }
}

}  // namespace quillbury::ui
