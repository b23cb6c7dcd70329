// Runs the fuzz target over saved inputs as a plain program, so every input that once crashed
// is replayed by the normal test run. Arguments are files or folders (searched recursively).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

bool Replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << file << "\n";
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t count = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = argv[i];
    std::error_code error;
    if (fs::is_directory(arg, error)) {
      std::vector<fs::path> files;
      for (const auto& entry : fs::recursive_directory_iterator(arg, error)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());  // a stable order makes a failure easy to repeat
      for (const auto& file : files) {
        ok = Replay(file) && ok;
        ++count;
      }
    } else if (fs::is_regular_file(arg, error)) {
      ok = Replay(arg) && ok;
      ++count;
    } else {
      std::cerr << "no such file or folder: " << arg << "\n";
      ok = false;
    }
  }
  std::cout << "replayed " << count << " inputs\n";
  return ok ? 0 : 1;
}
