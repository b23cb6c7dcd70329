#include "ui/DialogText.h"

#include <QFormLayout>
#include <QLabel>

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

void AddFieldRow(QFormLayout* form, const QString& role, const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption, field->parentWidget());
  label->setObjectName(role);
  label->setBuddy(field);
  field->setAccessibleName(caption);
  form->addRow(label, field);
}

}  // namespace quillbury::ui
