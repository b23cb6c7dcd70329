#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "localisation/IniFile.h"

namespace quillbury {
namespace {

TEST(IniData, SectionsAndKeysIgnoreCaseAndTheFirstOccurrenceWins) {
  const IniData ini = IniData::Parse(
      "; comment\r\n[Menu]\r\nFile = &File \r\nfile=second\r\n[MENU]\r\nExit=ignored\r\n"
      "[Other]\nQuoted=\"  spaced  \"\nEmpty=\nNoEquals\n");
  EXPECT_EQ(ini.ReadString("menu", "FILE", "x"), "&File");
  EXPECT_EQ(ini.ReadString("Menu", "Exit", "default"), "default");
  EXPECT_EQ(ini.ReadString("other", "quoted", ""), "  spaced  ");
  EXPECT_EQ(ini.ReadString("Other", "Empty", "d"), "");
  EXPECT_EQ(ini.ReadString("Other", "NoEquals", "d"), "d");
  EXPECT_EQ(ini.ReadString("Missing", "Key", "fallback"), "fallback");
}

TEST(IniData, ValuesAreSingleLinesCutAt2047Characters) {
  const std::string longValue(3000, 'a');
  const IniData ini = IniData::Parse("[S]\nK=" + longValue + "\nNext=1\n");
  EXPECT_EQ(ini.ReadString("S", "K", "").size(), 2047u);
  EXPECT_EQ(ini.ReadString("S", "Next", ""), "1");
}

TEST(IniData, KeysBeforeAnySectionAreIgnoredAndABomIsSkipped) {
  const IniData ini = IniData::Parse("\xEF\xBB\xBFLoose=1\n[A]\nK=v\n");
  EXPECT_EQ(ini.ReadString("A", "K", ""), "v");
  EXPECT_FALSE(ini.HasKey("", "Loose"));
}

TEST(ParseIniInteger, DecimalHexAndGarbage) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"150000", 150000}, {"-5", -5},         {"+5", 5},  {"0x10", 16}, {"0XfF", 255},
      {"$20", 32},        {"0xFFFFFFFF", -1}, {"abc", 0}, {"", 0},      {"12 ", 0},
      {"2147483648", 0},  {"0x100000000", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseIniInteger(text, 0), value) << text;
}

TEST(IniFile, AnEditOnDiskShowsAtTheNextRead) {
  const auto path =
      std::filesystem::temp_directory_path() / ("qb-ini-" + std::to_string(::getpid()) + ".lang");
  std::ofstream(path) << "[Interface]\nRoll=Roll\n";
  IniFile file(path.string());
  EXPECT_EQ(file.ReadString("Interface", "Roll", ""), "Roll");
  std::ofstream(path) << "[Interface]\nRoll=Kast nu\n";
  // Same size of file is possible; the modification time and size together reveal the edit.
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::now() + std::chrono::seconds(2));
  EXPECT_EQ(file.ReadString("Interface", "Roll", ""), "Kast nu");
  std::filesystem::remove(path);
  EXPECT_FALSE(file.Exists());
  EXPECT_EQ(file.ReadString("Interface", "Roll", "gone"), "gone");
}

}  // namespace
}  // namespace quillbury
