#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillbury {

// Parsed INI text: sections and keys are matched without regard to case; values are single
// lines, trimmed, cut at 2047 characters. The first occurrence of a section or key wins.
class IniData {
 public:
  static IniData Parse(std::string_view text);

  // The value, or def when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  bool HasKey(std::string_view section, std::string_view key) const;

 private:
  const std::string* Find(std::string_view section, std::string_view key) const;
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections_;
};

// An INI file on disk. It is parsed at first use and parsed again only when the file changes,
// so edits show at the next read without paying for a parse on every read. A missing or
// unreadable file reads as empty: every key gives its default.
class IniFile {
 public:
  explicit IniFile(std::string path);

  const std::string& Path() const { return path_; }
  bool Exists() const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  // The file's current contents, checked against the disk once: for reading many keys.
  const IniData& Data() const { return Current(); }

 private:
  const IniData& Current() const;

  std::string path_;
  mutable IniData data_;
  mutable bool loaded_ = false;
  mutable bool existed_ = false;
  mutable std::int64_t size_ = -1;
  mutable std::int64_t mtimeNs_ = 0;
  mutable std::uint64_t inode_ = 0;
};

// Integer value as the ground database writes it: optional sign and decimal digits, or
// hexadecimal after "0x", "0X" or "$". Anything else gives def.
std::int32_t ParseIniInteger(std::string_view text, std::int32_t def);

}  // namespace quillbury
