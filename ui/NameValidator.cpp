#include "ui/NameValidator.h"

#include "persistence/GameFile.h"

namespace quillbury::ui {

bool NameFits(const QString& name) {
  return static_cast<std::size_t>(name.toUtf8().size()) <= kMaxGameTextBytes;
}

}  // namespace quillbury::ui
