#pragma once

#include <unistd.h>

#include <climits>
#include <string>

namespace quillbury {

// The folder of the running program, with a trailing "/": its data files lie beside it.
inline std::string ProgramDir() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "./";
  const std::string p(path, static_cast<std::size_t>(n));
  return p.substr(0, p.find_last_of('/') + 1);
}

}  // namespace quillbury
