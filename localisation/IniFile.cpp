#include "localisation/IniFile.h"

#include <sys/stat.h>

#include "localisation/RegularFile.h"
#include "localisation/TextEncoding.h"

namespace quillbury {
namespace {

constexpr std::size_t kMaxValueLength = 2047;
// An INI file of ours is a few kilobytes; anything this large is not one.
constexpr std::size_t kMaxIniFileSize = 16u << 20;

// s cut to at most max bytes, never inside a UTF-8 sequence.
std::string CutUtf8(std::string s, std::size_t max) {
  if (s.size() <= max) return s;
  std::size_t end = max;
  while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
  s.resize(end);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view Trim(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
  std::size_t e = s.size();
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
  return s.substr(b, e - b);
}

}  // namespace

IniData IniData::Parse(std::string_view text) {
  IniData data;
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::unordered_map<std::string, std::string>* current = nullptr;
  bool currentIsDuplicate = false;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      std::size_t close = line.find(']');
      std::string name = Lower(Trim(
          line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
      auto [it, inserted] = data.sections_.try_emplace(name);
      current = &it->second;
      // A repeated section adds nothing: the first one answers, as the platform reader does.
      currentIsDuplicate = !inserted;
      continue;
    }
    if (current == nullptr || currentIsDuplicate) continue;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string key = Lower(Trim(line.substr(0, eq)));
    std::string_view value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    // Each value is decoded on its own, so a file that mixes UTF-8 and Windows-1252 still reads.
    current->try_emplace(std::move(key), CutUtf8(TextAsUtf8(value), kMaxValueLength));
  }
  return data;
}

const std::string* IniData::Find(std::string_view section, std::string_view key) const {
  auto s = sections_.find(Lower(section));
  if (s == sections_.end()) return nullptr;
  auto k = s->second.find(Lower(key));
  if (k == s->second.end()) return nullptr;
  return &k->second;
}

std::string IniData::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  const std::string* v = Find(section, key);
  return v != nullptr ? *v : std::string(def);
}

bool IniData::HasKey(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

bool IniFile::Exists() const {
  struct stat st {};
  return ::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

const IniData& IniFile::Current() const {
  struct stat st {};
  bool exists = ::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  std::int64_t mtime =
      exists ? static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec : 0;
  if (loaded_ && exists == existed_ &&
      (!exists || (st.st_size == size_ && mtime == mtimeNs_ && st.st_ino == inode_))) {
    return data_;
  }
  loaded_ = true;
  existed_ = exists;
  size_ = exists ? st.st_size : -1;
  mtimeNs_ = mtime;
  inode_ = exists ? st.st_ino : 0;
  data_ = IniData{};
  std::string bytes;
  if (exists && ReadRegularFile(path_, kMaxIniFileSize, bytes) == FileProblem::None) {
    data_ = IniData::Parse(bytes);
  }
  return data_;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  return Current().ReadString(section, key, def);
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return Current().HasKey(section, key);
}

std::int32_t ParseIniInteger(std::string_view text, std::int32_t def) {
  std::string_view s = text;
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  } else if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  }
  if (s.empty()) return def;
  std::uint64_t value = 0;
  for (char c : s) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return def;
    }
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return def;
  }
  if (base == 16) {
    // Hexadecimal may use all 32 bits, as the platform's conversion allows.
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  if (negative) {
    if (value > 2147483648ull) return def;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
  }
  if (value > 2147483647ull) return def;
  return static_cast<std::int32_t>(value);
}

}  // namespace quillbury
