// Measures how a hostile saved game of at most the largest size taken is refused: builds the file,
// loads it as the game does and prints the time. Run it under /usr/bin/time -v for peak memory:
//   refuse_hostile deep|elements|text [folder of database.dat]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "persistence/GameFile.h"

namespace {

std::string Repeat(std::string text, const std::string& block, std::size_t bytes) {
  text.reserve(bytes);
  while (text.size() + block.size() <= bytes) text += block;
  return text;
}

std::string Hostile(const std::string& kind, std::size_t bytes) {
  if (kind == "deep") return Repeat("", "<a>", bytes);
  if (kind == "elements") return Repeat("<QuillburyGame><Players>", "<b>1</b>", bytes);
  if (kind == "text") {
    return "<QuillburyGame><Players><Player><Name>" + std::string(bytes - 64, '\'');
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc > 1 ? argv[1] : "deep";
  const std::string appDir = argc > 2 ? std::string(argv[2]) + "/" : "./";
  const std::string text = Hostile(kind, quillbury::kMaxGameFileSize);
  if (text.empty()) {
    std::fprintf(stderr, "usage: refuse_hostile deep|elements|text [database folder]\n");
    return 2;
  }
  const std::string path = "/tmp/refuse-hostile-" + std::to_string(::getpid()) + ".qbgame";
  std::ofstream(path, std::ios::binary) << text;
  const auto started = std::chrono::steady_clock::now();
  std::string error;
  const bool loaded = quillbury::LoadStartPosition(path, appDir, &error).has_value();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  std::remove(path.c_str());
  std::printf("%s: %zu bytes %s in %.1f ms: %.120s\n", kind.c_str(), text.size(),
              loaded ? "LOADED" : "refused", ms, error.c_str());
  return loaded ? 1 : 0;
}
