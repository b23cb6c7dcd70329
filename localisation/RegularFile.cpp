#include "localisation/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace quillbury {
namespace {

FileProblem Classify(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return FileProblem::None;
  if (S_ISDIR(st.st_mode)) return FileProblem::Folder;
  if (S_ISFIFO(st.st_mode)) return FileProblem::Pipe;
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return FileProblem::Device;
  return FileProblem::NotRegular;
}

}  // namespace

FileProblem CheckRegularFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable;
  }
  return Classify(st);
}

int OpenRegularFile(const std::string& path, FileProblem* problem) {
  // O_NONBLOCK lets the open of a pipe return at once; fstat on the open descriptor then
  // decides, so a file swapped in between a check and the open cannot slip through.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int code = errno;
    *problem = code == ENOENT || code == ENOTDIR ? FileProblem::Missing
               : code == ENXIO                   ? FileProblem::NotRegular
                                                 : FileProblem::Unreadable;
    // Opening a folder read-only succeeds on Linux, but a socket or an unreadable entry does
    // not: say what it is where we can.
    if (*problem != FileProblem::Missing) {
      const FileProblem kind = CheckRegularFile(path);
      if (kind != FileProblem::None && kind != FileProblem::Missing) *problem = kind;
    }
    return -1;
  }
  struct stat st {};
  *problem = ::fstat(fd, &st) == 0 ? Classify(st) : FileProblem::Unreadable;
  if (*problem == FileProblem::None) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
      *problem = FileProblem::Unreadable;
    }
  }
  if (*problem != FileProblem::None) {
    ::close(fd);
    return -1;
  }
  return fd;
}

FileProblem ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes) {
  bytes.clear();
  FileProblem problem = FileProblem::None;
  const int fd = OpenRegularFile(path, &problem);
  if (fd < 0) return problem;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return FileProblem::Unreadable;
  }
  if (static_cast<std::uint64_t>(st.st_size) > maxSize) {
    ::close(fd);
    return FileProblem::TooLarge;
  }
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  // The file may shrink or grow while it is read; read what is there, never past maxSize.
  for (;;) {
    if (done == bytes.size()) {
      if (bytes.size() >= maxSize) break;
      bytes.resize(std::min(maxSize + 1, bytes.size() + 4096));
    }
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      bytes.clear();
      return FileProblem::Unreadable;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  if (done > maxSize) {
    bytes.clear();
    return FileProblem::TooLarge;
  }
  return FileProblem::None;
}

}  // namespace quillbury
