#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "persistence/GameText.h"
#include "persistence/GmXml.h"

namespace quillbury {
namespace {

// Stores text as a player's name the way the save file does, writes the document, reads the
// bytes back with a fresh document and decodes the name found there.
std::string ThroughSaveFile(const std::string& text) {
  TGmXML written;
  written.IncludeHeader = false;
  TGmXmlNode& player = written.TopLevel.OpenElement("Player");
  player.SubNodes.OpenElement("Name").SetValueText(EncodeGameText(text));
  player.SubNodes.CloseElement();
  player.SubNodes.OpenElement("Money").SetValueInteger(1);
  player.SubNodes.CloseElement();
  written.TopLevel.CloseElement();
  std::ostringstream out;
  written.WriteToStream(out);

  TGmXML read;
  read.ReadFromText(out.str());
  const TGmXmlNode* name = read.TopLevel.First()->SubNodes.Find("Name");
  EXPECT_EQ(read.TopLevel.First()->SubNodes.Find("Money")->ValueInteger(), 1) << "neighbour intact";
  return DecodeGameText(name->ValueText());
}

struct RoundTripCase {
  const char* label;
  std::string text;
};

class GameTextRoundTrip : public testing::TestWithParam<RoundTripCase> {};

// Any UTF-8 text, control characters included, comes back byte for byte.
TEST_P(GameTextRoundTrip, SurvivesSaveAndLoadByteForByte) {
  EXPECT_EQ(ThroughSaveFile(GetParam().text), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Names, GameTextRoundTrip,
    testing::Values(RoundTripCase{"Apostrophe", "it's"}, RoundTripCase{"Less", "a<b"},
                    RoundTripCase{"Quotes", "say \"cheese\" > all"},
                    RoundTripCase{"BareAmpersand", "salt & pepper"},
                    RoundTripCase{"TypedAmpEntity", "&amp;"},
                    RoundTripCase{"TypedLtEntity", "&lt;"},
                    RoundTripCase{"TypedPosEntity", "it&pos;s"},
                    RoundTripCase{"TypedNumericReference", "&#10;"},
                    RoundTripCase{"TypedHexReference", "&#x41;"},
                    RoundTripCase{"AmpersandBeforeEscapedByte", "&<&\n&"},
                    RoundTripCase{"LineBreaks", "one\r\ntwo\nthree\rfour"},
                    RoundTripCase{"TabsAndBlanks", "  \tpadded\t  "},
                    RoundTripCase{"Utf8", "S\xC3\xB8ren \xC3\x86r\xC3\xB8"},
                    RoundTripCase{"Nul", std::string("a\0b", 3)}, RoundTripCase{"Empty", ""}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return info.param.label; });

// Random UTF-8 texts over the characters that matter to the encoding, so that combinations no one
// thought of are tried too; the seed is fixed to keep failures repeatable.
TEST(GameText, RandomTextsRoundTrip) {
  std::vector<std::string> alphabet;
  for (const char c : std::string("&#;x0129aAFmplgtoqus<>'\"\r\n \t") + '\0') {
    alphabet.emplace_back(1, c);
  }
  for (const char* character : {"\xC3\xB8", "\xE2\x82\xAC", "\xF0\x9F\x8E\xB2"}) {
    alphabet.emplace_back(character);
  }
  std::mt19937 random(20240611);
  for (int i = 0; i < 2000; ++i) {
    std::string text;
    const std::size_t length = random() % 16;
    for (std::size_t j = 0; j < length; ++j) text += alphabet[random() % alphabet.size()];
    ASSERT_EQ(DecodeGameText(EncodeGameText(text)), text);
    ASSERT_EQ(ThroughSaveFile(text), text);
  }
}

struct FormCase {
  const char* text;
  const char* stored;
};

class GameTextEncode : public testing::TestWithParam<FormCase> {};

// Apart from "&" before an entity and CR, LF, NUL, the stored form is the one older saves use.
TEST_P(GameTextEncode, WritesTheDocumentedFormWhereItIsSafe) {
  EXPECT_EQ(EncodeGameText(GetParam().text), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GameTextEncode,
    testing::Values(FormCase{"it's", "it&pos;s"}, FormCase{"a<b>c", "a&lt;b&gt;c"},
                    FormCase{"\"q\"", "&quot;q&quot;"}, FormCase{"salt & pepper", "salt & pepper"},
                    FormCase{"&", "&"}, FormCase{"&;", "&;"}, FormCase{"&amp", "&amp"},
                    FormCase{"&amp;", "&amp;amp;"}, FormCase{"&lt;", "&amp;lt;"},
                    FormCase{"&apos;", "&amp;apos;"}, FormCase{"&#10;", "&amp;#10;"},
                    FormCase{"&#300;", "&amp;#300;"}, FormCase{"&#x;", "&#x;"},
                    FormCase{"a\r\nb", "a&#13;&#10;b"}, FormCase{"\xC3\xB8", "\xC3\xB8"}));

class GameTextDecode : public testing::TestWithParam<FormCase> {};

// `stored` is what a file holds, `text` what the game should show.
TEST_P(GameTextDecode, ReadsFilesInTheDocumentedForm) {
  EXPECT_EQ(DecodeGameText(GetParam().stored), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GameTextDecode,
    testing::Values(FormCase{"it's", "it&pos;s"}, FormCase{"a<b", "a&lt;b"},
                    FormCase{"x>y", "x&gt;y"}, FormCase{"\"", "&quot;"}, FormCase{"'", "&apos;"},
                    FormCase{"salt & pepper", "salt & pepper"}, FormCase{"A", "&#65;"},
                    FormCase{"A", "&#x41;"},
                    // A reference gives its character, in UTF-8.
                    FormCase{"\xC3\xBF", "&#xff;"}, FormCase{"\xC3\xA9", "&#233;"},
                    FormCase{"\xC4\x80", "&#256;"}, FormCase{"\xE2\x82\xAC", "&#x20AC;"},
                    FormCase{"\xF0\x9F\x8E\xB2", "&#127922;"},
                    // No character: a surrogate, beyond Unicode.
                    FormCase{"&#xD800;", "&#xD800;"}, FormCase{"&#1114112;", "&#1114112;"},
                    FormCase{"&#99999999999999;", "&#99999999999999;"},
                    // One pass only: a decoded "&" does not start another entity.
                    FormCase{"&lt;", "&amp;lt;"}, FormCase{"&#;", "&#;"},
                    FormCase{"&#X41;", "&#X41;"}, FormCase{"& &am", "& &am"}));

// Older saves come from Windows: a text that is not valid UTF-8 is read as Windows-1252, decided
// for each text on its own, and turned into UTF-8.
class GameTextCodePage : public testing::TestWithParam<FormCase> {};

TEST_P(GameTextCodePage, TextsThatAreNotUtf8ReadAsWindows1252) {
  TGmXML doc;
  doc.ReadFromText("<Name>" + std::string(GetParam().stored) + "</Name>\r\n");
  EXPECT_EQ(DecodeGameText(doc.TopLevel.First()->ValueText()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GameTextCodePage,
    testing::Values(FormCase{"S\xC3\xB8ren", "S\xF8ren"},
                    FormCase{"\xE2\x82\xAC 5 \xE2\x80\x93 \xC5\xA0", "\x80 5 \x96 \x8A"},
                    // Bytes Windows-1252 leaves undefined become the control of that number.
                    FormCase{"\xC2\x81\xC2\x9D", "\x81\x9D"},
                    // Valid UTF-8 beside a stray byte: the whole text is Windows-1252.
                    FormCase{"\xC3\x83\xC2\xB8 \xC3\xB8", "\xC3\xB8 \xF8"},
                    // A truncated sequence, an overlong form, an encoded surrogate.
                    FormCase{"\xC3\xA6", "\xE6"}, FormCase{"\xC3\x80\xC2\xAF", "\xC0\xAF"},
                    FormCase{"\xC3\xAD\xC2\xA0\xE2\x82\xAC", "\xED\xA0\x80"},
                    FormCase{"&\xC3\xA6\xC3\xB8", "&amp;\xE6&#248;"}));

TEST(GameText, HandWrittenFileWithRawCharactersDecodes) {
  TGmXML doc;
  doc.ReadFromText("<Player>\r\n  <Name>Bob's \"shop\" > all & more</Name>\r\n</Player>\r\n");
  EXPECT_EQ(DecodeGameText(doc.TopLevel.First()->SubNodes.Find("Name")->ValueText()),
            "Bob's \"shop\" > all & more");
}

}  // namespace
}  // namespace quillbury
