#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The program's own small XML model: just enough for save-game files. One attribute per element,
// the entities "&lt;", "&gt;", "&pos;", "&quot;" (and "&amp;" when decoding), no comments, no
// empty-element tags, no validation. Bytes pass through unchanged; nothing is transcoded.

namespace quillbury {

// Base of every error raised by the XML model, so a caller can catch one type around a whole
// read or write.
class XmlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A value is not an integer in the accepted form.
class XmlConversionError : public XmlError {
 public:
  using XmlError::XmlError;
};

// Item() was given an index outside the list.
class XmlIndexError : public XmlError {
 public:
  using XmlError::XmlError;
};

// A file could not be opened, read, created or written.
class XmlFileError : public XmlError {
 public:
  using XmlError::XmlError;
};

// The text read breaks the scanner's rules (an end tag with nothing open, a "<" without ">").
class XmlScanError : public XmlError {
 public:
  using XmlError::XmlError;
};

// The text read is larger than a document may be (too deep, too many elements, a text too long).
class XmlLimitError : public XmlError {
 public:
  using XmlError::XmlError;
};

class TGmXmlNode;

// The single name/value pair an element may carry; an empty Name means no attribute.
struct TGmXmlNodeAttribute {
  std::string Name;
  std::string Value;

  // Name := s with all leading and trailing bytes <= 32 removed.
  void SetName(std::string_view s);
  // Value := s trimmed like SetName, then with every double quote removed.
  void SetValue(std::string_view s);
};

// An ordered list of elements that owns them, with an insertion cursor for building trees.
class TGmXmlNodeList {
 public:
  TGmXmlNodeList() = default;
  // Destroys the elements from the last to the first, iteratively: any depth is safe.
  ~TGmXmlNodeList();
  TGmXmlNodeList(const TGmXmlNodeList&) = delete;
  TGmXmlNodeList& operator=(const TGmXmlNodeList&) = delete;

  // Where OpenElement adds the next element; null means this list's own Items. Not owned.
  TGmXmlNode* Cursor = nullptr;
  std::vector<std::unique_ptr<TGmXmlNode>> Items;

  // Creates an element from start-tag text (see ParseTag) with Parent = Cursor, appends it under
  // Cursor (to Items when Cursor is null), moves Cursor to it and returns it.
  TGmXmlNode& OpenElement(std::string_view tagText);
  // Cursor := Cursor->Parent. Throws XmlError when Cursor is null.
  void CloseElement();

  int Count() const;
  // The element at 0-based index; throws XmlIndexError outside 0..Count()-1.
  TGmXmlNode& Item(int index) const;
  // Item(0), or null when the list is empty.
  TGmXmlNode* First() const;
  // Appends node to Items as it is (its Parent is not changed) and returns it.
  TGmXmlNode& Append(std::unique_ptr<TGmXmlNode> node);
  // The first direct member whose Name equals name byte for byte, or null.
  TGmXmlNode* Find(std::string_view name) const;
};

// One element. Value holds its text in stored form: "<", ">", "'" and the double quote as
// "&lt;", "&gt;", "&pos;" and "&quot;"; "&" is kept bare.
class TGmXmlNode {
 public:
  // A new element under parent (null for a top level element); SubNodes.Cursor starts here.
  explicit TGmXmlNode(TGmXmlNode* parent = nullptr);
  TGmXmlNode(const TGmXmlNode&) = delete;
  TGmXmlNode& operator=(const TGmXmlNode&) = delete;

  TGmXmlNodeList SubNodes;
  TGmXmlNodeAttribute Attribute;
  std::string Name;
  TGmXmlNode* const Parent;  // not owned
  std::string Value;

  // Sets Name and Attribute from start-tag text such as "<Name>" or "<Name key=\"value\">".
  // Only one attribute is understood: a second one runs into the first one's value.
  void ParseTag(std::string_view tagText);

  // Value := s in stored form.
  void SetValueText(std::string_view s);
  // Value := decimal text of n.
  void SetValueInteger(int n);
  // Value := "1" or "0".
  void SetValueBoolean(bool b);

  // Value as stored; entities are not decoded.
  const std::string& ValueText() const;
  // Value with "&amp;", "&lt;", "&gt;", "&pos;", "&quot;" replaced one entity after the other,
  // each over the whole text (so "&amp;lt;" gives "<").
  std::string ValueDecoded() const;
  // Value as a 32-bit integer: optional blanks, optional sign, decimal digits or hexadecimal
  // digits after "$", "x", "X", "0x", "0X", nothing after. Throws XmlConversionError otherwise,
  // and for decimal values outside the int32 range (hexadecimal may use all 32 bits).
  int ValueInteger() const;
  // ValueInteger() != 0 in its lowest 8 bits; throws like ValueInteger.
  bool ValueBoolean() const;

  // Number of enclosing elements (0 at top level); takes time proportional to the depth.
  int Depth() const;
};

// A document: a tree of elements under TopLevel, written as indented text with one element per
// line and read back by a single-pass scanner.
class TGmXML {
 public:
  TGmXML() = default;
  TGmXML(const TGmXML&) = delete;
  TGmXML& operator=(const TGmXML&) = delete;

  bool AutoIndent = true;     // two blanks per level on every written line
  std::string Encoding;       // put into the declaration when not empty
  bool IncludeHeader = true;  // write the "<?xml ...?>" declaration first
  TGmXmlNodeList TopLevel;
  std::vector<std::string> Lines;  // the lines of the last text built

  // Bounds on what reading accepts, so that a hostile file is refused early and cheaply. A saved
  // game is 4 levels deep, has about 300 elements and texts of at most a few kilobytes.
  std::size_t MaxDepth = 64;
  std::size_t MaxElements = 10000;
  std::size_t MaxTextLength = 64 * 1024;

  static std::string About();

  // Rebuilds Lines from the tree and returns them, each followed by CR LF. An empty tree gives
  // the empty text. decoded = true writes leaf values through ValueDecoded().
  std::string BuildText(bool decoded);
  // Writes BuildText(false) to out; throws XmlFileError when the stream fails.
  void WriteToStream(std::ostream& out);
  // Builds the text in memory, then replaces the file at path atomically. Throws XmlFileError on
  // failure, leaving any earlier file of that name as it was.
  void WriteToFile(const std::string& path);

  // Reads in from its current position to the end and hands the text to ReadFromText. Throws
  // XmlFileError when the stream fails, otherwise as ParseText.
  void ReadFromStream(std::istream& in);
  // Reads the whole file; throws XmlFileError when it cannot be opened or read.
  void ReadFromFile(const std::string& path);
  // Cuts bytes at the first NUL, normalises CR LF, lone CR and lone LF to CR LF after every line,
  // and parses the result. Empty input leaves the tree as it is.
  void ReadFromText(std::string_view bytes);
  // Adds the elements of text under TopLevel. End tags close the innermost open element whatever
  // their name; the last byte of text is never examined. Throws XmlScanError for an end tag with
  // no element open or a "<" without ">", and XmlLimitError for an element deeper than MaxDepth,
  // more than MaxElements elements or a tag or text run longer than MaxTextLength; the elements
  // read before the fault stay in the tree.
  void ParseText(std::string_view text);
};

}  // namespace quillbury
