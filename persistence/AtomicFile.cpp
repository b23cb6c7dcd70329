#include "persistence/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace quillbury {
namespace {

bool Fail(std::string* error, const std::string& what, int code) {
  if (error != nullptr) *error = what + ": " + std::strerror(code);
  return false;
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

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
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
  return true;
}

}  // namespace quillbury
