#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <array>
#include <functional>

#include "core/StatusPresenter.h"

class QFrame;

namespace quillbury::ui {

// One player's status panel: the drawn picture with his name, token, the row captions and the
// values of cash, lots, buildings, loans, total and salary, framed in his owner colour. It shows
// what it is given and knows nothing of the game, so it can be tried on any values.
class StatusPanel : public QLabel {
  Q_OBJECT

 public:
  StatusPanel(QWidget* parent, const QPixmap& token);

  // The name or a value; a value that is too wide for its row is drawn smaller, never cut.
  void SetField(PanelField field, const QString& text);
  // The panel's picture in the panel colour (blue, or grey for an empty seat).
  void Draw(const QColor& colour);
  // The frame in the owner colour of the panel's player; none for an empty seat.
  void SetOwnerColour(const QColor& colour);
  void ClearOwnerColour();
  // Reads the row captions (language keys Property, Cash, ... Salary) through read.
  void SetCaptions(const std::function<QString(const char* key, const QString& current)>& read);

  QLabel* NameLabel() const { return name_; }
  QLabel* Value(PanelField field) const { return values_[static_cast<std::size_t>(field)]; }
  QFrame* OwnerFrame() const { return ownerFrame_; }

 private:
  QString CaptionOf(PanelField field) const;

  QLabel* name_ = nullptr;
  std::array<QLabel*, 7> values_{};    // by PanelField
  std::array<QFont, 7> valueFonts_{};  // each value's own size, before fitting
  std::array<QLabel*, 8>
      captions_{};  // Property, Cash, Lots, Buildings, Debts, Loans, Total, Salary
  QFrame* ownerFrame_ = nullptr;
  QColor ownerShown_;  // invalid: no frame
};

}  // namespace quillbury::ui
