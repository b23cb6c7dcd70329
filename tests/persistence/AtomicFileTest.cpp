#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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
};

class AtomicFileFailure : public AtomicFile, public testing::WithParamInterface<FailureCase> {};

TEST_P(AtomicFileFailure, ReportsFalseAndLeavesEverythingAsItWas) {
  fs::path keep;
  const fs::path target = GetParam().prepare(dir_, keep);
  const std::string keptBytes = keep.empty() ? "" : Contents(keep);
  const std::vector<std::string> before = Entries(dir_);

  std::string error;
  EXPECT_FALSE(WriteFileAtomically(target, "new text", &error));
  // The message names the file asked for, or the one a link leads to.
  const bool named = error.find(target.filename().string()) != std::string::npos ||
                     (!keep.empty() && error.find(keep.filename().string()) != std::string::npos);
  EXPECT_TRUE(named) << error;
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
                    [](const fs::path& dir, fs::path&) { return dir / "missing" / "game.xml"; }},
        FailureCase{"ParentIsAFile",
                    [](const fs::path& dir, fs::path& keep) {
                      keep = dir / "plain";
                      Put(keep, "a plain file");
                      return keep / "game.xml";
                    }},
        // The temporary file is written, then the rename fails: it must be removed again.
        FailureCase{"TargetIsAFolder",
                    [](const fs::path& dir, fs::path& keep) {
                      fs::create_directory(dir / "game.xml");
                      keep = dir / "game.xml" / "inside";
                      Put(keep, "kept");
                      return dir / "game.xml";
                    }},
        // Refused before anything is written, also for the superuser, whom the system would let
        // replace it: the owner protected the file, and a save must not undo that.
        FailureCase{"ReadOnlyTarget",
                    [](const fs::path& dir, fs::path& keep) {
                      keep = dir / "game.xml";
                      Put(keep, "protected save");
                      fs::permissions(keep, fs::perms::owner_read | fs::perms::group_read);
                      return keep;
                    }},
        FailureCase{"ReadOnlyTargetThroughALink",
                    [](const fs::path& dir, fs::path& keep) {
                      keep = dir / "real.xml";
                      Put(keep, "protected save");
                      fs::permissions(keep, fs::perms::owner_read);
                      fs::create_symlink("real.xml", dir / "game.xml");
                      return dir / "game.xml";
                    }},
        FailureCase{"ReadOnlyFolder",
                    [](const fs::path& dir, fs::path& keep) {
                      keep = dir / "game.xml";
                      Put(keep, "earlier save");
                      fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
                      return keep;
                    }}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.label; });

TEST_F(AtomicFile, CheckReplaceableSaysWhy) {
  Put(dir_ / "open.xml", "x");
  Put(dir_ / "locked.xml", "x");
  fs::permissions(dir_ / "locked.xml", fs::perms::owner_read);
  fs::create_directory(dir_ / "folder.xml");
  fs::create_directory(dir_ / "shut");
  fs::permissions(dir_ / "shut", fs::perms::owner_read | fs::perms::owner_exec);
  const struct {
    fs::path path;
    ReplaceProblem expected;
  } cases[] = {{dir_ / "open.xml", ReplaceProblem::None},
               {dir_ / "new.xml", ReplaceProblem::None},
               {dir_ / "locked.xml", ReplaceProblem::ReadOnly},
               {dir_ / "folder.xml", ReplaceProblem::NotAFile},
               {dir_ / "shut" / "new.xml", ReplaceProblem::FolderNotWritable}};
  for (const auto& c : cases) {
    std::string target;
    EXPECT_EQ(CheckReplaceable(c.path, &target), c.expected) << c.path;
    EXPECT_EQ(target, c.path.string());
  }
  fs::create_symlink("loop", dir_ / "loop");
  std::string target;
  EXPECT_EQ(CheckReplaceable(dir_ / "loop", &target), ReplaceProblem::TooManyLinks);
}

// A link is followed: the file it names gets the new text and the link stays a link, whether
// it is relative, absolute or names a file that does not exist yet.
TEST_F(AtomicFile, ReplacesTheTargetOfASymbolicLink) {
  fs::create_directory(dir_ / "saves");
  Put(dir_ / "saves" / "real.xml", "old");
  fs::create_symlink("saves/real.xml", dir_ / "relative.xml");
  fs::create_symlink(dir_ / "relative.xml", dir_ / "chained.xml");
  fs::create_symlink(dir_ / "saves" / "later.xml", dir_ / "dangling.xml");

  ASSERT_TRUE(WriteFileAtomically(dir_ / "chained.xml", "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "chained.xml"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "relative.xml"));
  EXPECT_EQ(Contents(dir_ / "saves" / "real.xml"), "new");

  ASSERT_TRUE(WriteFileAtomically(dir_ / "dangling.xml", "created"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.xml"));
  EXPECT_EQ(Contents(dir_ / "saves" / "later.xml"), "created");
  EXPECT_EQ(Entries(dir_ / "saves"), (std::vector<std::string>{"later.xml", "real.xml"}));
}

// A killed save leaves its temporary file behind; the next save in that folder removes those of
// our naming that are over an hour old, and nothing else.
TEST_F(AtomicFile, RemovesStaleTemporaryFilesOfItsOwnNaming) {
  const auto age = [](const fs::path& path, std::chrono::minutes minutes) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - minutes);
  };
  const std::vector<std::string> stale = {"game.xml.tmp4242-0-123456", "other.qbgame.tmp1-22-3"};
  const std::vector<std::string> kept = {
      "young.xml.tmp4242-1-123456", "notes.tmp", "game.xml.tmp12-3",
      "game.xml.tmp1-2-3x",         ".tmp1-2-3", "report.tmp1-2-3.txt"};
  for (const std::string& name : stale) {
    Put(dir_ / name, "half a save");
    age(dir_ / name, std::chrono::minutes(61));
  }
  for (const std::string& name : kept) {
    Put(dir_ / name, "someone else's");
    age(dir_ / name,
        name.starts_with("young") ? std::chrono::minutes(50) : std::chrono::minutes(600));
  }
  ASSERT_TRUE(WriteFileAtomically(dir_ / "game.xml", "whole"));
  std::vector<std::string> expected = kept;
  expected.push_back("game.xml");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(dir_), expected);
}

}  // namespace
}  // namespace quillbury
