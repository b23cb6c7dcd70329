#pragma once

#include <QString>

class QFormLayout;
class QWidget;

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

// A dialog's text from the language file, or english when there is no file, no such key, or
// the file cannot be read.
QString DialogText(const IniFile* file, const char* section, const char* key,
                   const QString& english);

// A row of form: a caption named role (its buddy is field, and a screen reader calls the field
// by the caption) beside field.
void AddFieldRow(QFormLayout* form, const QString& role, const QString& caption, QWidget* field);

}  // namespace quillbury::ui
