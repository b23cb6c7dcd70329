#include "ui/RecentFiles.h"

#include <QSettings>

namespace quillbury::ui {

QStringList RecentFiles::Files() const {
  QSettings settings;
  QStringList files;
  for (int i = 1; i <= kMaxEntries; ++i) {
    const QString path = settings.value(kKey + QStringLiteral("/MRU%1").arg(i)).toString();
    if (!path.isEmpty() && path.toUtf8().size() <= kMaxPathBytes && !files.contains(path)) {
      files << path;
    }
  }
  return files;
}

void RecentFiles::Store(const QStringList& files) {
  QSettings settings;
  for (int i = 1; i <= kMaxEntries; ++i) {
    const QString key = kKey + QStringLiteral("/MRU%1").arg(i);
    if (i <= files.size()) {
      settings.setValue(key, files[i - 1]);
    } else {
      settings.remove(key);
    }
  }
  settings.sync();
}

void RecentFiles::Add(const QString& path) {
  QStringList files = Files();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kMaxEntries) files.removeLast();
  Store(files);
}

void RecentFiles::Remove(const QString& path) {
  QStringList files = Files();
  files.removeAll(path);
  Store(files);
}

int RecentFiles::RemoveOverlong() {
  QSettings settings;
  int overlong = 0;
  for (int i = 1; i <= kMaxEntries; ++i) {
    const QString path = settings.value(kKey + QStringLiteral("/MRU%1").arg(i)).toString();
    if (path.toUtf8().size() > kMaxPathBytes) ++overlong;
  }
  if (overlong > 0) Store(Files());
  return overlong;
}

}  // namespace quillbury::ui
