#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "localisation/IniFile.h"
#include "localisation/LanguageTexts.h"

namespace quillbury {
namespace {

class DialogTextTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path); }
  std::string Read(const std::string& value, RentMessage kind = RentMessage::WithBuildings) {
    std::ofstream(path) << "[Dialogs]\nON_ANOTHER_PLAYERS_GROUND=" << value << "\n";
    IniFile file(path.string());
    return ReadDialogText(&file, kind);
  }
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("qb-dialogs-" + std::to_string(::getpid()) + ".lang");
};

TEST_F(DialogTextTest, BarsBecomeLineBreaks) {
  EXPECT_EQ(Read("Hello|World"), "Hello\r\nWorld");
  EXPECT_EQ(Read("Hello World"), "Hello World");
  EXPECT_EQ(Read("|x|"), "\r\nx\r\n");
}

TEST_F(DialogTextTest, MissingKeyOrFileUsesTheBuiltInTextWithAllPlaceholders) {
  const std::string withoutHouses = Read("x", RentMessage::WithoutBuildings);
  EXPECT_EQ(withoutHouses,
            "$PlayerName$ has landed on $GroundName$.\r\nYou have $Sell$ and must pay $Price$ "
            "to the owner.");
  for (const std::string& text : {ReadDialogText(nullptr, RentMessage::WithBuildings),
                                  ReadDialogText(nullptr, RentMessage::WithoutBuildings)}) {
    for (const char* placeholder : {"$PlayerName$", "$GroundName$", "$Sell$", "$Price$"}) {
      EXPECT_NE(text.find(placeholder), std::string::npos) << placeholder;
    }
  }
}

TEST(ReplacePlaceholder, IgnoresCaseReplacesEveryOccurrenceAndNeverRescansValues) {
  EXPECT_EQ(ReplacePlaceholder("Go to $groundname$!", "$GroundName$", "Mill"), "Go to Mill!");
  EXPECT_EQ(ReplacePlaceholder("$Price$ and $PRICE$", "$Price$", "$ 1,00"), "$ 1,00 and $ 1,00");
  EXPECT_EQ(ReplacePlaceholder("$A$", "$A$", "$A$$A$"), "$A$$A$");
  EXPECT_EQ(ReplacePlaceholder("no placeholder", "$A$", "x"), "no placeholder");
  // A value that holds a later placeholder is replaced by the later step, as the game fills
  // them one after another.
  std::string text =
      ReplacePlaceholder("$PlayerName$ at $GroundName$", "$PlayerName$", "$GroundName$");
  EXPECT_EQ(ReplacePlaceholder(text, "$GroundName$", "Mill"), "Mill at Mill");
}

TEST(LanguageFilePath, EmptySettingMeansEnglish) {
  EXPECT_EQ(LanguageFilePathFor("/opt/qb/", ""), "/opt/qb/Lang/en.lang");
  EXPECT_EQ(LanguageFilePathFor("/opt/qb/", "fr.lang"), "/opt/qb/Lang/fr.lang");
}

TEST(ShippedLanguageFiles, BothHaveEveryRentPlaceholder) {
  for (const char* name : {"en.lang", "da.lang"}) {
    IniFile file(std::string(QUILLBURY_ASSETS) + "/Lang/" + name);
    ASSERT_TRUE(file.Exists()) << name;
    for (auto kind : {RentMessage::WithBuildings, RentMessage::WithoutBuildings}) {
      const std::string text = ReadDialogText(&file, kind);
      for (const char* p : {"$PlayerName$", "$GroundName$", "$Sell$", "$Price$"}) {
        EXPECT_NE(text.find(p), std::string::npos) << name << " " << p;
      }
    }
    EXPECT_TRUE(file.HasKey("StartGame", "RealPerson")) << name;
  }
}

}  // namespace
}  // namespace quillbury
