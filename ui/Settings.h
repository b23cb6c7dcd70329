#pragma once

#include <QString>

namespace quillbury::ui {

// The per-user settings store. Keys are paths such as "Software/Pellmark/Quillbury"; tests point
// the store at a temporary folder (QSettings::setPath) before the window is made.
inline const QString kSettingsKey = QStringLiteral("Software/Pellmark/Quillbury");
inline const QString kWallOfFameKey = QStringLiteral("Software/Pellmark/Quillbury/Wall of fame");

// The named string value under key; empty when missing or unreadable.
QString ReadRegString(const QString& key, const QString& name);
// Writes the named string value under key; failures are ignored.
void WriteRegString(const QString& key, const QString& name, const QString& value);

}  // namespace quillbury::ui
