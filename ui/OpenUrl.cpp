#include "ui/OpenUrl.h"

#include <QDesktopServices>
#include <QUrl>

namespace quillbury::ui {

bool OpenUrl(const QString& url) { return QDesktopServices::openUrl(QUrl(url)); }

}  // namespace quillbury::ui
