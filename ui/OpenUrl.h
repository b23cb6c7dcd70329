#pragma once

#include <QString>

namespace quillbury::ui {

// The maker's web page.
inline const QString kMakerUrl = QStringLiteral("https://www.pellmark.example/quillbury");

// Opens url with the desktop's handler for web pages; false when no handler took it.
bool OpenUrl(const QString& url);

}  // namespace quillbury::ui
