#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "persistence/AtomicFile.h"

namespace quillbury {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class AtomicFile : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "atomicfile-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    for (const auto& entry : fs::directory_iterator(dir_)) {
      std::error_code ignored;
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(AtomicFile, CreatesAndReplacesTheWholeFile) {
  const fs::path path = dir_ / "game.xml";
  std::string error = "untouched";
  ASSERT_TRUE(WriteFileAtomically(path, "a much longer first text", &error));
  EXPECT_EQ(Contents(path), "a much longer first text");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("short\0", 6)));
  EXPECT_EQ(Contents(path), std::string("short\0", 6));
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(Contents(path), "");
  EXPECT_EQ(Entries(dir_), std::vector<std::string>{"game.xml"}) << "no temporary file left";
}

TEST_F(AtomicFile, KeepsThePermissionsOfTheFileItReplaces) {
  const fs::path path = dir_ / "game.xml";
  Put(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

struct FailureCase {
  const char* label;
  // Makes the situation inside dir and returns the path to write to; `keep` is a file that must
  // come through unchanged.
  fs::path (*prepare)(const fs::path& dir, fs::path& keep);
  bool needsPermissions;  // root ignores them
};

class AtomicFileFailure : public AtomicFile, public testing::WithParamInterface<FailureCase> {};

TEST_P(AtomicFileFailure, ReportsFalseAndLeavesEverythingAsItWas) {
  if (GetParam().needsPermissions && ::geteuid() == 0) GTEST_SKIP() << "root ignores permissions";
  fs::path keep;
  const fs::path target = GetParam().prepare(dir_, keep);
  const std::string keptBytes = keep.empty() ? "" : Contents(keep);
  const std::vector<std::string> before = Entries(dir_);

  std::string error;
  EXPECT_FALSE(WriteFileAtomically(target, "new text", &error));
  EXPECT_NE(error.find(target.filename().string()), std::string::npos) << error;
  if (!keep.empty()) {
    EXPECT_EQ(Contents(keep), keptBytes);
  }
  EXPECT_EQ(Entries(dir_), before) << "no temporary file left";
  EXPECT_FALSE(WriteFileAtomically(target, "new text")) << "works without an error string";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtomicFileFailure,
    testing::Values(
        FailureCase{"MissingFolder",
                    [](const fs::path& dir, fs::path&) { return dir / "missing" / "game.xml"; },
                    false},
        FailureCase{"ParentIsAFile",
                    [](const fs::path& dir, fs::path& keep) {
                      keep = dir / "plain";
                      Put(keep, "a plain file");
                      return keep / "game.xml";
                    },
                    false},
        // The temporary file is written, then the rename fails: it must be removed again.
        FailureCase{"TargetIsAFolder",
                    [](const fs::path& dir, fs::path& keep) {
                      fs::create_directory(dir / "game.xml");
                      keep = dir / "game.xml" / "inside";
                      Put(keep, "kept");
                      return dir / "game.xml";
                    },
                    false},
        FailureCase{"ReadOnlyFolder",
                    [](const fs::path& dir, fs::path& keep) {
                      keep = dir / "game.xml";
                      Put(keep, "earlier save");
                      fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
                      return keep;
                    },
                    true}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.label; });

}  // namespace
}  // namespace quillbury
