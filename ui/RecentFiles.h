#pragma once

#include <QString>
#include <QStringList>

namespace quillbury::ui {

// The recent games of the File menu, newest first, kept in the settings store as the values
// "MRU1".."MRU10" so they survive a restart. Entries longer than kMaxPathBytes are never listed.
class RecentFiles {
 public:
  static constexpr int kMaxEntries = 10;
  // No path on this system is longer; a longer entry is damage and would stall the menu.
  static constexpr int kMaxPathBytes = 4096;
  static inline const QString kKey = QStringLiteral("Software/Pellmark/Quillbury/Recent files");

  QStringList Files() const;
  // Puts path first, once; the oldest entry beyond ten drops off.
  void Add(const QString& path);
  void Remove(const QString& path);
  // Takes entries longer than kMaxPathBytes off the stored list; returns how many there were.
  int RemoveOverlong();

 private:
  void Store(const QStringList& files);
};

}  // namespace quillbury::ui
