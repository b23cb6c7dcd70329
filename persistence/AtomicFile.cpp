#include "persistence/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <ctime>
#include <memory>

namespace quillbury {
namespace {

bool Fail(std::string* error, const std::string& what, int code) {
  if (error != nullptr) *error = what + ": " + std::strerror(code);
  return false;
}

constexpr long kStaleTemporaryAge = 3600;  // younger ones may belong to another copy that saves
constexpr std::string_view kTemporaryMark = ".tmp";

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool Writable(const std::string& path, const struct stat& st) {
  return ::access(path.c_str(), W_OK) == 0 && (st.st_mode & 0222) != 0;
}

// open() with O_EXCL rather than mkstemp(): the file then gets the usual 0666 & ~umask mode, as
// any file the program creates would, instead of mkstemp's 0600.
int CreateTemporary(const std::string& path, std::string& tempPath, int& code) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    tempPath = path + ".tmp" + std::to_string(::getpid()) + "-" +
               std::to_string(counter.fetch_add(1)) + "-" + std::to_string(ticks % 1000000);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    code = errno;
    if (code != EEXIST && code != EINTR) return -1;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes, int& code) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      code = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

ReplaceProblem CheckReplaceable(const std::string& path, std::string* target) {
  std::string current = path;
  for (int links = 0;; ++links) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    if (links == 40) return ReplaceProblem::TooManyLinks;
    std::string to(PATH_MAX, '\0');
    const ssize_t n = ::readlink(current.c_str(), to.data(), to.size());
    if (n <= 0) break;
    to.resize(static_cast<std::size_t>(n));
    current = to.front() == '/' ? to : FolderOf(current) + "/" + to;
  }
  *target = current;
  struct stat folder {};
  const std::string folderPath = FolderOf(current);
  if (::stat(folderPath.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
      (!Writable(folderPath, folder) || ::access(folderPath.c_str(), X_OK) != 0)) {
    return ReplaceProblem::FolderNotWritable;
  }
  struct stat file {};
  if (::stat(current.c_str(), &file) != 0) return ReplaceProblem::None;  // a new file
  if (!S_ISREG(file.st_mode)) return ReplaceProblem::NotAFile;
  return Writable(current, file) ? ReplaceProblem::None : ReplaceProblem::ReadOnly;
}

bool IsTemporaryFileName(std::string_view name) {
  // "<name>.tmp<pid>-<counter>-<ticks>", as CreateTemporary makes them.
  const std::size_t mark = name.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark == 0) return false;
  std::string_view rest = name.substr(mark + kTemporaryMark.size());
  for (int part = 0; part < 3; ++part) {
    std::size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
    if (digits == 0) return false;
    rest.remove_prefix(digits);
    if (part < 2) {
      if (rest.empty() || rest.front() != '-') return false;
      rest.remove_prefix(1);
    }
  }
  return rest.empty();
}

void RemoveStaleTemporaries(const std::string& folder, long maxAgeSeconds) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!IsTemporaryFileName(entry->d_name)) continue;
    const std::string path = folder + "/" + entry->d_name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        now - st.st_mtime > maxAgeSeconds) {
      (void)::unlink(path.c_str());
    }
  }
}

bool WriteFileAtomically(const std::string& requested, std::string_view bytes, std::string* error) {
  std::string path;
  switch (CheckReplaceable(requested, &path)) {
    case ReplaceProblem::None:
      break;
    case ReplaceProblem::ReadOnly:
      return Fail(error, path + " is read-only", EACCES);
    case ReplaceProblem::FolderNotWritable:
      return Fail(error, "cannot save " + path + ": the folder is not writable", EACCES);
    case ReplaceProblem::NotAFile:
      return Fail(error, path + " is not a regular file", EISDIR);
    case ReplaceProblem::TooManyLinks:
      return Fail(error, requested + " leads through too many symbolic links", ELOOP);
  }
  std::string tempPath;
  int code = 0;
  const int fd = CreateTemporary(path, tempPath, code);
  if (fd < 0) return Fail(error, "cannot create a temporary file beside " + path, code);

  // A replaced file keeps its permissions; this is a courtesy, so a failure here is ignored.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    (void)::fchmod(fd, old.st_mode & 07777);
  }

  std::string what;
  if (!WriteAll(fd, bytes, code)) {
    what = "cannot write " + tempPath;
  } else if (::fdatasync(fd) != 0) {
    code = errno;
    what = "cannot flush " + tempPath + " to disk";
  }
  if (::close(fd) != 0 && what.empty()) {
    code = errno;
    what = "cannot close " + tempPath;
  }
  if (what.empty() && ::rename(tempPath.c_str(), path.c_str()) != 0) {
    code = errno;
    what = "cannot replace " + path;
  }
  if (!what.empty()) {
    ::unlink(tempPath.c_str());
    return Fail(error, what, code);
  }
  // The folder is not synced: should the machine stop before the rename reaches the disk, the
  // earlier file is still there, whole, which is all a save promises.
  RemoveStaleTemporaries(FolderOf(path), kStaleTemporaryAge);
  return true;
}

}  // namespace quillbury
