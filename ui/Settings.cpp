#include "ui/Settings.h"

#include <QSettings>

namespace quillbury::ui {

QString ReadRegString(const QString& key, const QString& name) {
  QSettings settings;
  const QVariant v = settings.value(key + QLatin1Char('/') + name);
  return v.typeId() == QMetaType::QString ? v.toString() : QString();
}

void WriteRegString(const QString& key, const QString& name, const QString& value) {
  QSettings settings;
  settings.setValue(key + QLatin1Char('/') + name, value);
  settings.sync();
}

}  // namespace quillbury::ui
