#include "ui/DialogText.h"

#include "localisation/IniFile.h"

namespace quillbury::ui {

QString DialogText(const IniFile* file, const char* section, const char* key,
                   const QString& english) {
  if (file == nullptr) return english;
  try {
    return QString::fromStdString(file->ReadString(section, key, english.toStdString()));
  } catch (...) {
    return english;
  }
}

}  // namespace quillbury::ui
