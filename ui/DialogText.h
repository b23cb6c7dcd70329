#pragma once

#include <QString>

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

// A dialog's text from the language file, or english when there is no file, no such key, or
// the file cannot be read.
QString DialogText(const IniFile* file, const char* section, const char* key,
                   const QString& english);

}  // namespace quillbury::ui
