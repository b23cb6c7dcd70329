#pragma once

#include <QString>
#include <QValidator>

namespace quillbury::ui {

// A player's name is at most as long as a saved game may hold, counted in bytes of UTF-8.
bool NameFits(const QString& name);

// Stops typing at that length.
class NameLengthValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return NameFits(input) ? Acceptable : Invalid;
  }
};

}  // namespace quillbury::ui
