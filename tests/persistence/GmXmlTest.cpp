#include <gtest/gtest.h>
#include <pthread.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "persistence/GmXml.h"

namespace quillbury {
namespace {

namespace fs = std::filesystem;

std::string Written(TGmXML& doc) {
  std::ostringstream out;
  doc.WriteToStream(out);
  return out.str();
}

// a holding b (value 5) and an empty c: the smallest tree with every kind of line.
void BuildSample(TGmXML& doc) {
  TGmXmlNode& a = doc.TopLevel.OpenElement("a");
  a.SubNodes.OpenElement("b").SetValueInteger(5);
  a.SubNodes.CloseElement();
  a.SubNodes.OpenElement("c");
  a.SubNodes.CloseElement();
  doc.TopLevel.CloseElement();
}

// ---- Writing ----

TEST(GmXmlWrite, EmptyDocumentIsEmptyTextEvenWithHeader) {
  TGmXML doc;
  doc.IncludeHeader = true;
  doc.Encoding = "UTF-8";
  EXPECT_EQ(Written(doc), "");
  EXPECT_TRUE(doc.Lines.empty());
}

struct WriteCase {
  const char* label;
  bool includeHeader;
  const char* encoding;
  bool autoIndent;
  const char* text;
};

class GmXmlWriteForm : public testing::TestWithParam<WriteCase> {};

TEST_P(GmXmlWriteForm, WritesHeaderIndentAndCrLf) {
  const WriteCase& c = GetParam();
  TGmXML doc;
  doc.IncludeHeader = c.includeHeader;
  doc.Encoding = c.encoding;
  doc.AutoIndent = c.autoIndent;
  BuildSample(doc);
  EXPECT_EQ(Written(doc), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GmXmlWriteForm,
    testing::Values(
        WriteCase{"Default", true, "", true,
                  "<?xml version=\"1.0\"?>\r\n<a>\r\n  <b>5</b>\r\n  <c></c>\r\n</a>\r\n"},
        WriteCase{"Encoding", true, "UTF-8", true,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                  "<a>\r\n  <b>5</b>\r\n  <c></c>\r\n</a>\r\n"},
        WriteCase{"NoHeader", false, "UTF-8", true, "<a>\r\n  <b>5</b>\r\n  <c></c>\r\n</a>\r\n"},
        WriteCase{"NoIndent", false, "", false, "<a>\r\n<b>5</b>\r\n<c></c>\r\n</a>\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.label; });

TEST(GmXmlWrite, LinesHoldTheLastTextWithoutLineBreaks) {
  TGmXML doc;
  doc.IncludeHeader = false;
  BuildSample(doc);
  doc.BuildText(false);
  EXPECT_EQ(doc.Lines, (std::vector<std::string>{"<a>", "  <b>5</b>", "  <c></c>", "</a>"}));
}

TEST(GmXmlWrite, ValuesAttributesAndDecodedForm) {
  TGmXML doc;
  doc.IncludeHeader = false;
  TGmXmlNode& root = doc.TopLevel.OpenElement("root kind=\"save\"");
  root.SetValueText("never written: the element has sub-elements");
  root.SubNodes.OpenElement("t").SetValueText("a<b & it's");
  root.SubNodes.CloseElement();
  root.SubNodes.OpenElement("yes").SetValueBoolean(true);
  root.SubNodes.CloseElement();
  root.SubNodes.OpenElement("no").SetValueBoolean(false);
  root.SubNodes.CloseElement();
  root.SubNodes.OpenElement("minus").SetValueInteger(-1);
  root.SubNodes.CloseElement();
  root.SubNodes.OpenElement("min").SetValueInteger(INT_MIN);
  root.SubNodes.CloseElement();
  doc.TopLevel.CloseElement();

  const std::string body =
      "  <yes>1</yes>\r\n  <no>0</no>\r\n  <minus>-1</minus>\r\n"
      "  <min>-2147483648</min>\r\n</root>\r\n";
  EXPECT_EQ(doc.BuildText(false), "<root kind=\"save\">\r\n  <t>a&lt;b & it&pos;s</t>\r\n" + body);
  EXPECT_EQ(doc.BuildText(true), "<root kind=\"save\">\r\n  <t>a<b & it's</t>\r\n" + body);
}

// ---- Building through the cursor ----

TEST(GmXmlBuild, TwoOpensWithoutCloseNest) {
  TGmXML doc;
  TGmXmlNode& a = doc.TopLevel.OpenElement("a");
  TGmXmlNode& b = doc.TopLevel.OpenElement("b");
  EXPECT_EQ(doc.TopLevel.Count(), 1);
  EXPECT_EQ(b.Parent, &a);
  EXPECT_EQ(a.SubNodes.First(), &b);
  EXPECT_EQ(b.Depth(), 1);
  doc.TopLevel.CloseElement();
  EXPECT_EQ(doc.TopLevel.Cursor, &a);
  doc.TopLevel.CloseElement();
  EXPECT_EQ(doc.TopLevel.Cursor, nullptr);
  EXPECT_THROW(doc.TopLevel.CloseElement(), XmlError);
}

TEST(GmXmlBuild, SubNodesCursorStartsAtItsElement) {
  TGmXmlNode node;
  EXPECT_EQ(node.SubNodes.Cursor, &node);
  TGmXmlNode& child = node.SubNodes.OpenElement("child");
  EXPECT_EQ(child.Parent, &node);
  EXPECT_EQ(node.SubNodes.Cursor, &child);
  node.SubNodes.CloseElement();
  EXPECT_EQ(node.SubNodes.Cursor, &node);
  node.SubNodes.OpenElement("second");
  EXPECT_EQ(node.SubNodes.Count(), 2);
  EXPECT_EQ(child.SubNodes.Count(), 0);
}

TEST(GmXmlList, ItemFirstAndFind) {
  TGmXmlNode node;
  EXPECT_EQ(node.SubNodes.First(), nullptr);
  EXPECT_THROW(node.SubNodes.Item(0), XmlIndexError);
  TGmXmlNode& first = node.SubNodes.OpenElement("ID");
  first.SubNodes.OpenElement("Deep");
  node.SubNodes.CloseElement();
  TGmXmlNode& second = node.SubNodes.OpenElement("ID");
  node.SubNodes.CloseElement();

  EXPECT_EQ(&node.SubNodes.Item(1), &second);
  EXPECT_THROW(node.SubNodes.Item(2), XmlIndexError);
  EXPECT_THROW(node.SubNodes.Item(-1), XmlIndexError);
  EXPECT_EQ(node.SubNodes.Find("ID"), &first);
  EXPECT_EQ(node.SubNodes.Find("id"), nullptr);
  EXPECT_EQ(node.SubNodes.Find("Deep"), nullptr) << "Find looks at direct members only";
}

// ---- Values ----

struct TextCase {
  const char* given;
  const char* stored;
  const char* decoded;
};

class GmXmlValueText : public testing::TestWithParam<TextCase> {};

TEST_P(GmXmlValueText, StoresAndDecodes) {
  TGmXmlNode node;
  node.SetValueText(GetParam().given);
  EXPECT_EQ(node.ValueText(), GetParam().stored);
  EXPECT_EQ(node.ValueDecoded(), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Entities, GmXmlValueText,
    testing::Values(TextCase{"a<b", "a&lt;b", "a<b"}, TextCase{"x>y", "x&gt;y", "x>y"},
                    TextCase{"it's", "it&pos;s", "it's"},
                    TextCase{"say \"hi\"", "say &quot;hi&quot;", "say \"hi\""},
                    TextCase{"salt & pepper", "salt & pepper", "salt & pepper"},
                    // Decoding runs entity after entity over the whole text.
                    TextCase{"&amp;lt;", "&amp;lt;", "<"},
                    TextCase{"&amp;amp;", "&amp;amp;", "&amp;"},
                    TextCase{"&apos;", "&apos;", "&apos;"}, TextCase{"", "", ""}));

struct IntegerCase {
  const char* text;
  int value;
};

class GmXmlIntegerAccepted : public testing::TestWithParam<IntegerCase> {};

TEST_P(GmXmlIntegerAccepted, Converts) {
  TGmXmlNode node;
  node.Value = GetParam().text;
  EXPECT_EQ(node.ValueInteger(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GmXmlIntegerAccepted,
    testing::Values(IntegerCase{"0", 0}, IntegerCase{" 12", 12}, IntegerCase{"   -5", -5},
                    IntegerCase{"+7", 7}, IntegerCase{"007", 7}, IntegerCase{"$10", 16},
                    IntegerCase{"0x1F", 31}, IntegerCase{"0X1f", 31}, IntegerCase{"x1F", 31},
                    IntegerCase{"X10", 16}, IntegerCase{"-$10", -16},
                    IntegerCase{"2147483647", INT_MAX}, IntegerCase{"-2147483648", INT_MIN},
                    IntegerCase{"0xFFFFFFFF", -1}, IntegerCase{"$80000000", INT_MIN},
                    IntegerCase{"0x000000000000FF", 255}));

class GmXmlIntegerRefused : public testing::TestWithParam<const char*> {};

TEST_P(GmXmlIntegerRefused, RaisesConversionError) {
  TGmXmlNode node;
  node.Value = GetParam();
  EXPECT_THROW(node.ValueInteger(), XmlConversionError);
  EXPECT_THROW(node.ValueBoolean(), XmlConversionError);
}

INSTANTIATE_TEST_SUITE_P(Forms, GmXmlIntegerRefused,
                         testing::Values("", " ", "12 ", "12a", "1 2", "\t12", "+", "-", "--1",
                                         "+-1", "$", "0x", "0x-1", "1e3", "2147483648",
                                         "-2147483649", "99999999999999999999", "0x100000000",
                                         "$FFFFFFFFF"));

TEST(GmXmlValue, BooleanIsTheLowestEightBits) {
  const std::pair<const char*, bool> cases[] = {{"0", false}, {"1", true},    {"2", true},
                                                {"-1", true}, {"256", false}, {"257", true}};
  for (const auto& [text, expected] : cases) {
    TGmXmlNode node;
    node.Value = text;
    EXPECT_EQ(node.ValueBoolean(), expected) << text;
  }
}

// ---- Start tags ----

struct TagCase {
  const char* tag;
  const char* name;
  const char* attributeName;
  const char* attributeValue;
};

class GmXmlParseTag : public testing::TestWithParam<TagCase> {};

TEST_P(GmXmlParseTag, SetsNameAndAttribute) {
  TGmXmlNode node;
  node.ParseTag(GetParam().tag);
  EXPECT_EQ(node.Name, GetParam().name);
  EXPECT_EQ(node.Attribute.Name, GetParam().attributeName);
  EXPECT_EQ(node.Attribute.Value, GetParam().attributeValue);
}

INSTANTIATE_TEST_SUITE_P(
    Quirks, GmXmlParseTag,
    testing::Values(TagCase{"<Player>", "Player", "", ""}, TagCase{"Player", "Player", "", ""},
                    TagCase{"< Player\r\n>", "Player", "", ""}, TagCase{"<a b c>", "a b c", "", ""},
                    TagCase{"<a k=\"v\">", "a", "k", "v"},
                    TagCase{"<a  k = \" v w \" >", "a", "k", " v w "},
                    // Without quotes the value is the whole attribute text.
                    TagCase{"<a k=v>", "a", "k", "k=v"},
                    // A second attribute runs into the first one's value.
                    TagCase{"<a x=\"1\" y=\"2\">", "a", "x", "1 y=2"},
                    TagCase{"<a=b>", "a=b", "", ""}, TagCase{"<>", "", "", ""}));

// ---- Reading ----

TEST(GmXmlRead, WrittenTreeReadsBack) {
  TGmXML written;
  TGmXmlNode& root = written.TopLevel.OpenElement("Game version=\"1\"");
  for (int i = 0; i < 3; ++i) {
    TGmXmlNode& player = root.SubNodes.OpenElement("Player");
    player.SubNodes.OpenElement("ID").SetValueInteger(i);
    player.SubNodes.CloseElement();
    player.SubNodes.OpenElement("Name").SetValueText("it's <" + std::to_string(i) + ">");
    player.SubNodes.CloseElement();
    root.SubNodes.CloseElement();
  }
  written.TopLevel.CloseElement();
  const std::string text = Written(written);

  TGmXML read;
  read.ReadFromText(text);
  ASSERT_EQ(read.TopLevel.Count(), 1);
  const TGmXmlNode& game = read.TopLevel.Item(0);
  EXPECT_EQ(game.Name, "Game");
  EXPECT_EQ(game.Attribute.Name, "version");
  EXPECT_EQ(game.Attribute.Value, "1");
  ASSERT_EQ(game.SubNodes.Count(), 3);
  const TGmXmlNode& last = game.SubNodes.Item(2);
  EXPECT_EQ(last.Depth(), 1);
  EXPECT_EQ(last.SubNodes.Find("ID")->ValueInteger(), 2);
  EXPECT_EQ(last.SubNodes.Find("Name")->ValueText(), "it&pos;s &lt;2&gt;");
  EXPECT_EQ(last.SubNodes.Find("Name")->Depth(), 2);
  EXPECT_EQ(Written(read), text);
}

TEST(GmXmlRead, RawCharactersAreBroughtIntoStoredForm) {
  TGmXML doc;
  doc.ReadFromText("<a>it's \"x\" > y &lt; z & w</a>\r\n");
  EXPECT_EQ(doc.TopLevel.First()->ValueText(), "it&pos;s &quot;x&quot; &gt; y &lt; z & w");
}

TEST(GmXmlRead, EndTagClosesTheInnermostElementWhateverItsName) {
  TGmXML doc;
  doc.ReadFromText("<a><b>1</x><c>2</c></a>\r\n");
  const TGmXmlNode& a = *doc.TopLevel.First();
  ASSERT_EQ(a.SubNodes.Count(), 2);
  EXPECT_EQ(a.SubNodes.Item(0).Name, "b");
  EXPECT_EQ(a.SubNodes.Item(1).Name, "c");
  EXPECT_EQ(doc.TopLevel.Cursor, nullptr);
}

TEST(GmXmlRead, TextBetweenTagsIsTheValueOfTheOpenElement) {
  TGmXML doc;
  doc.ReadFromText("top text<a>\n  <b>5</b>\n</a>trailing\n");
  ASSERT_EQ(doc.TopLevel.Count(), 1) << "text outside any element is dropped";
  const TGmXmlNode& a = *doc.TopLevel.First();
  EXPECT_EQ(a.ValueText(), "\r\n") << "the last run before the end tag wins";
  EXPECT_EQ(a.SubNodes.First()->ValueText(), "5");
}

TEST(GmXmlRead, DeclarationIsIgnoredAndUnclosedElementsStay) {
  TGmXML doc;
  doc.ReadFromText("<?xml version=\"1.0\"?>\r\n<a>\r\n<b>x\r\n");
  ASSERT_EQ(doc.TopLevel.Count(), 1);
  EXPECT_EQ(doc.TopLevel.First()->Name, "a");
  EXPECT_EQ(doc.TopLevel.Cursor, doc.TopLevel.First()->SubNodes.First());
}

TEST(GmXmlRead, LineBreaksAreNormalisedAndNulEndsTheText) {
  const std::string text = "<a>1\r2\n3\r\n4\n\r5</a>";
  const std::string cases[] = {text, text + '\0' + "<b>"};
  for (const std::string& bytes : cases) {
    TGmXML doc;
    doc.ReadFromText(bytes);
    ASSERT_EQ(doc.TopLevel.Count(), 1);
    EXPECT_EQ(doc.TopLevel.First()->ValueText(), "1\r\n2\r\n3\r\n4\r\n\r\n5");
  }
}

TEST(GmXmlRead, TheLastByteIsNeverExamined) {
  TGmXML doc;
  doc.ParseText("<a>xy");
  EXPECT_EQ(doc.TopLevel.First()->ValueText(), "x");
  TGmXML tagAtEnd;
  tagAtEnd.ParseText("<a></a>");  // the end tag's ">" is the last byte: still read, nothing beyond
  EXPECT_EQ(tagAtEnd.TopLevel.Cursor, nullptr);
  TGmXML lessAtEnd;
  EXPECT_NO_THROW(lessAtEnd.ParseText("<a>x<"));
}

TEST(GmXmlRead, EmptyInputLeavesTheTreeEmpty) {
  for (const std::string& text : {std::string(), std::string(1, '\0'), std::string("\r\n")}) {
    TGmXML doc;
    doc.ReadFromText(text);
    EXPECT_EQ(doc.TopLevel.Count(), 0);
  }
  TGmXML doc;
  doc.ParseText("");
  std::istringstream empty;
  doc.ReadFromStream(empty);
  EXPECT_EQ(doc.TopLevel.Count(), 0);
}

struct BrokenCase {
  const char* label;
  const char* text;
};

class GmXmlBroken : public testing::TestWithParam<BrokenCase> {};

TEST_P(GmXmlBroken, RaisesScanError) {
  TGmXML doc;
  EXPECT_THROW(doc.ReadFromText(GetParam().text), XmlScanError);
}

INSTANTIATE_TEST_SUITE_P(Scanner, GmXmlBroken,
                         testing::Values(BrokenCase{"EndTagFirst", "</a>\r\n"},
                                         BrokenCase{"OneEndTagTooMany", "<a></a></a>\r\n"},
                                         BrokenCase{"LessWithoutGreater", "<a>x</a\r\n"},
                                         BrokenCase{"UnfinishedStartTag", "<a><b\r\n"}),
                         [](const testing::TestParamInfo<BrokenCase>& info) {
                           return info.param.label;
                         });

TEST(GmXmlRead, ReadingAddsToTheTreeAlreadyThere) {
  TGmXML doc;
  doc.ReadFromText("<a></a>\r\n");
  doc.ReadFromText("<b></b>\r\n");
  ASSERT_EQ(doc.TopLevel.Count(), 2);
  EXPECT_EQ(doc.TopLevel.Item(1).Name, "b");
}

// Runs work on a thread with a 1 MB stack, so that any recursion proportional to the depth below
// overflows it and crashes whatever the build's frame sizes and optimisations.
void OnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, 1 << 20), 0);
  pthread_t thread;
  auto run = [](void* argument) -> void* {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)),
            0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

// A hostile file nests elements far deeper than any stack; reading, writing and destroying must
// all cope without recursion.
TEST(GmXmlRead, DeeplyNestedElementsNeitherCrashNorRecurse) {
  constexpr int kDepth = 200000;
  std::string text;
  for (int i = 0; i < kDepth; ++i) text += "<a>";
  text += "\r\n";
  OnSmallStack([&] {
    TGmXML doc;
    doc.MaxDepth = doc.MaxElements = kDepth;  // the model itself copes with any depth
    doc.ReadFromText(text);
    int depth = 0;
    for (const TGmXmlNode* node = doc.TopLevel.First(); node != nullptr;
         node = node->SubNodes.First()) {
      ++depth;
    }
    EXPECT_EQ(depth, kDepth);
    doc.IncludeHeader = false;
    doc.AutoIndent = false;  // indenting this deep would write tens of gigabytes
    const std::string written = doc.BuildText(false);
    // Every element but the innermost has a start and an end line; the innermost holds the "\r"
    // that precedes the final LF.
    EXPECT_EQ(written.size(), (kDepth - 1) * std::string("<a>\r\n</a>\r\n").size() +
                                  std::string("<a>\r</a>\r\n").size());
  });
  // Built by hand with a sibling beside every level, so destruction has to keep a pending list.
  OnSmallStack([&] {
    TGmXmlNode branchy;
    TGmXmlNode* node = &branchy;
    for (int i = 0; i < kDepth; ++i) {
      node->SubNodes.OpenElement("sibling");
      node->SubNodes.CloseElement();
      node = &node->SubNodes.OpenElement("deeper");
    }
    EXPECT_EQ(node->Depth(), kDepth);
  });
}

// Reading is bounded so that a hostile file is refused cheaply; what lies just inside a bound
// reads, what lies just beyond it is refused.
TEST(GmXmlRead, LimitsHoldExactlyAtTheirBounds) {
  const auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<a>";
    for (int i = 0; i < depth; ++i) text += "</a>";
    return text + "\r\n";
  };
  const auto siblings = [](int count) {
    std::string text = "<root>";
    for (int i = 1; i < count; ++i) text += "<b>1</b>";
    return text + "</root>\r\n";
  };
  const auto value = [](std::size_t bytes) { return "<a>" + std::string(bytes, 'v') + "</a>\r\n"; };
  const auto tag = [](std::size_t bytes) {
    return "<" + std::string(bytes - 1, 't') + "></t>\r\n";
  };
  const struct {
    const char* label;
    std::string text;
    bool refused;
  } cases[] = {{"depth 64", nested(64), false},
               {"depth 65", nested(65), true},
               {"10000 elements", siblings(10000), false},
               {"10001 elements", siblings(10001), true},
               {"text of 64 KiB", value(64 * 1024), false},
               {"text beyond", value(64 * 1024 + 1), true},
               {"tag of 64 KiB", tag(64 * 1024), false},
               {"tag beyond", tag(64 * 1024 + 1), true}};
  for (const auto& c : cases) {
    TGmXML doc;
    if (c.refused) {
      EXPECT_THROW(doc.ReadFromText(c.text), XmlLimitError) << c.label;
    } else {
      EXPECT_NO_THROW(doc.ReadFromText(c.text)) << c.label;
    }
  }
}

// ---- Files ----

class GmXmlFile : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "gmxml-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(GmXmlFile, WritesAndReadsAFile) {
  TGmXML written;
  written.IncludeHeader = false;
  BuildSample(written);
  const std::string path = (dir_ / "game.xml").string();
  written.WriteToFile(path);

  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, "<a>\r\n  <b>5</b>\r\n  <c></c>\r\n</a>\r\n");

  TGmXML read;
  read.ReadFromFile(path);
  EXPECT_EQ(read.TopLevel.First()->SubNodes.Find("b")->ValueInteger(), 5);
}

TEST_F(GmXmlFile, FileErrors) {
  TGmXML doc;
  BuildSample(doc);
  EXPECT_THROW(doc.WriteToFile((dir_ / "missing" / "game.xml").string()), XmlFileError);
  EXPECT_TRUE(fs::is_empty(dir_));
  EXPECT_THROW(doc.ReadFromFile((dir_ / "missing.xml").string()), XmlFileError);
}

TEST(GmXml, About) { EXPECT_EQ(TGmXML::About(), "TGmXML v0,13"); }

}  // namespace
}  // namespace quillbury
