#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <set>
#include <string>

#include "localisation/IniFile.h"
#include "localisation/LanguageTexts.h"
#include "localisation/Messages.h"
#include "localisation/RegularFile.h"

namespace quillbury {
namespace {

namespace fs = std::filesystem;

class RegularFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "regular-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    std::ofstream(dir / "plain.txt") << "twelve bytes";
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("plain.txt", dir / "link.txt");
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

// Nothing but a regular file is read, and the answer comes at once: a pipe nobody writes to must
// not block (the read runs on its own thread so that a fault fails the test instead of hanging).
TEST_F(RegularFileTest, OnlyRegularFilesAreReadAndNothingBlocks) {
  const struct {
    fs::path path;
    FileProblem expected;
    std::size_t maxSize;
  } cases[] = {{dir / "plain.txt", FileProblem::None, 100},
               {dir / "link.txt", FileProblem::None, 100},
               {dir / "plain.txt", FileProblem::None, 12},
               {dir / "plain.txt", FileProblem::TooLarge, 11},
               {dir / "missing.txt", FileProblem::Missing, 100},
               {dir / "plain.txt" / "below", FileProblem::Missing, 100},
               {dir / "folder", FileProblem::Folder, 100},
               {dir / "pipe", FileProblem::Pipe, 100},
               {"/dev/null", FileProblem::Device, 100},
               {"/dev/zero", FileProblem::Device, 100}};
  for (const auto& c : cases) {
    auto read = std::async(std::launch::async, [&] {
      std::string bytes = "stale";
      const FileProblem problem = ReadRegularFile(c.path, c.maxSize, bytes);
      EXPECT_EQ(bytes, problem == FileProblem::None ? "twelve bytes" : "") << c.path;
      return problem;
    });
    ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready) << c.path;
    EXPECT_EQ(read.get(), c.expected) << c.path;
    if (c.expected != FileProblem::TooLarge) EXPECT_EQ(CheckRegularFile(c.path), c.expected);
  }
}

TEST_F(RegularFileTest, IniFileOnAPipeReadsAsMissing) {
  IniFile pipe((dir / "pipe").string());
  auto read = std::async(std::launch::async, [&] { return pipe.ReadString("A", "B", "default"); });
  ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(read.get(), "default");
  EXPECT_FALSE(pipe.Exists());
}

TEST_F(RegularFileTest, ProblemsAreToldWithThePath) {
  const std::string path = (dir / "pipe").string();
  for (const FileProblem problem :
       {FileProblem::Missing, FileProblem::Folder, FileProblem::Pipe, FileProblem::Device,
        FileProblem::NotRegular, FileProblem::TooLarge, FileProblem::Unreadable}) {
    const std::string text = DescribeFileProblem(nullptr, problem, path);
    EXPECT_NE(text.find(path), std::string::npos) << text;
  }
  EXPECT_EQ(DescribeFileProblem(nullptr, FileProblem::Pipe, path),
            path + " is a named pipe, not a file.");
}

// A setting naming a file that has gone starts the game in English and is to be cleared; only
// when English is missing too is there nothing to start with.
TEST_F(RegularFileTest, LanguageFileChoice) {
  const std::string appDir = dir.string() + "/";
  fs::create_directory(dir / "Lang");
  std::ofstream(dir / "Lang" / "en.lang") << "[Menu]\n";
  std::ofstream(dir / "Lang" / "da.lang") << "[Menu]\n";
  fs::create_directory(dir / "Lang" / "dir.lang");
  const struct {
    const char* stored;
    const char* file;  // empty: none
    bool broken;
  } cases[] = {{"", "en.lang", false},
               {"da.lang", "da.lang", false},
               {"fr.lang", "en.lang", true},
               {"dir.lang", "en.lang", true},
               {"../pipe", "en.lang", true}};
  for (const auto& c : cases) {
    const LanguageChoice choice = ChooseLanguageFile(appDir, c.stored);
    EXPECT_EQ(choice.path, appDir + "Lang/" + c.file) << c.stored;
    EXPECT_EQ(choice.settingBroken, c.broken) << c.stored;
  }
  fs::remove(dir / "Lang" / "en.lang");
  EXPECT_EQ(ChooseLanguageFile(appDir, "fr.lang").path, "");
  EXPECT_TRUE(ChooseLanguageFile(appDir, "").settingBroken);
  EXPECT_EQ(ChooseLanguageFile(appDir, "da.lang").path, appDir + "Lang/da.lang");
}

// Every message is in both language files, with the same placeholders as its English text.
TEST(Messages, EveryMessageIsInBothLanguageFiles) {
  const auto placeholders = [](const std::string& text) {
    std::set<std::string> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9')
        found.insert(text.substr(i, 2));
    }
    return found;
  };
  for (const char* name : {"en.lang", "da.lang"}) {
    IniFile file(std::string(QUILLBURY_ASSETS) + "/Lang/" + name);
    for (const MessageEntry& entry : AllMessages()) {
      ASSERT_TRUE(file.HasKey("Messages", entry.key)) << name << ": " << entry.key;
      const std::string text = file.ReadString("Messages", entry.key, "");
      EXPECT_EQ(placeholders(text), placeholders(entry.english)) << name << ": " << entry.key;
      if (std::string(name) == "en.lang") EXPECT_EQ(text, entry.english) << entry.key;
    }
  }
}

TEST(Messages, ArgumentsAreInsertedOnceAndNeverScannedAgain) {
  EXPECT_EQ(MessageText(nullptr, MessageId::SaveFailed, {"%2", "disk full"}),
            "The game could not be written to %2: disk full");
  EXPECT_EQ(MessageText(nullptr, MessageId::SaveFailed, {"only one"}),
            "The game could not be written to only one: %2");
}

}  // namespace
}  // namespace quillbury
