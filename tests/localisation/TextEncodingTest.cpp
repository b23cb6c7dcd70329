#include <gtest/gtest.h>

#include <string>

#include "localisation/IniFile.h"
#include "localisation/TextEncoding.h"

namespace quillbury {
namespace {

struct Case {
  const char* label;
  std::string bytes;
  std::string utf8;  // what the program holds
};

class TextAsUtf8Test : public testing::TestWithParam<Case> {};

TEST_P(TextAsUtf8Test, ValidUtf8StaysElseWindows1252) {
  EXPECT_EQ(IsValidUtf8(GetParam().bytes), GetParam().bytes == GetParam().utf8);
  EXPECT_EQ(TextAsUtf8(GetParam().bytes), GetParam().utf8);
  EXPECT_TRUE(IsValidUtf8(TextAsUtf8(GetParam().bytes)));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextAsUtf8Test,
    testing::Values(
        Case{"Ascii", "Roll", "Roll"}, Case{"Empty", "", ""},
        Case{"ControlsAndNul", std::string("a\0\r\n\x7F", 5), std::string("a\0\r\n\x7F", 5)},
        Case{"Utf8TwoThreeFour", "\xC3\xB8\xE2\x82\xAC\xF0\x9F\x8E\xB2",
             "\xC3\xB8\xE2\x82\xAC\xF0\x9F\x8E\xB2"},
        Case{"LargestCodePoint", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        Case{"DanishCodePage", "Sl\xE5 G\xE6ld L\xF8n", "Sl\xC3\xA5 G\xC3\xA6ld L\xC3\xB8n"},
        Case{"EuroAndQuotes", "\x80\x93\x9F", "\xE2\x82\xAC\xE2\x80\x9C\xC5\xB8"},
        Case{"UndefinedBytes", "\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        Case{"TruncatedAtEnd", "ab\xE2\x82", "ab\xC3\xA2\xE2\x80\x9A"},
        Case{"Overlong", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        Case{"OverlongThreeBytes", "\xE0\x80\xAF", "\xC3\xA0\xE2\x82\xAC\xC2\xAF"},
        Case{"Surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        Case{"BeyondUnicode", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
        Case{"LoneContinuation", "\xBF", "\xC2\xBF"},
        Case{"MixedMeansCodePage", "\xC3\xB8\xF8", "\xC3\x83\xC2\xB8\xC3\xB8"}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.label; });

TEST(AppendUtf8, RefusesWhatIsNoCharacter) {
  std::string out;
  EXPECT_FALSE(AppendUtf8(out, 0xD800));
  EXPECT_FALSE(AppendUtf8(out, 0xDFFF));
  EXPECT_FALSE(AppendUtf8(out, 0x110000));
  EXPECT_EQ(out, "");
  EXPECT_TRUE(AppendUtf8(out, 0x7F));
  EXPECT_TRUE(AppendUtf8(out, 0x80));
  EXPECT_TRUE(AppendUtf8(out, 0xFFFF));
  EXPECT_TRUE(AppendUtf8(out, 0x10000));
  EXPECT_EQ(out, "\x7F\xC2\x80\xEF\xBF\xBF\xF0\x90\x80\x80");
}

// Each value is decided on its own: one file may hold both encodings, as an old language file
// partly edited with a modern editor does.
TEST(IniData, EachValueIsDecodedOnItsOwn) {
  const IniData ini = IniData::Parse(
      "[Menu]\nOld=G\xE6ld\nNew=G\xC3\xA6ld\n[Long]\nCut=" + std::string(2046, 'a') + "\xC3\xB8\n");
  EXPECT_EQ(ini.ReadString("Menu", "Old", ""), "G\xC3\xA6ld");
  EXPECT_EQ(ini.ReadString("Menu", "New", ""), "G\xC3\xA6ld");
  // Cut at 2047 bytes, never inside a character.
  EXPECT_EQ(ini.ReadString("Long", "Cut", ""), std::string(2046, 'a'));
}

}  // namespace
}  // namespace quillbury
