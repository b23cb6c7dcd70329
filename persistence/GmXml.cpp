#include "persistence/GmXml.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <utility>

#include "persistence/AtomicFile.h"

namespace quillbury {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

// Replaces every occurrence left to right; the scan resumes after the inserted text, so the
// replacement is never scanned again within this call.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  for (;;) {
    const std::size_t hit = s.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(s.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(s.substr(pos));
  return out;
}

// A short, printable excerpt of a value for error messages; values can be huge or binary.
std::string Excerpt(std::string_view s) {
  constexpr std::size_t kMax = 40;
  std::string out;
  for (const char c : s.substr(0, kMax)) {
    const auto byte = static_cast<unsigned char>(c);
    out += (byte >= 32 && byte < 127) ? c : '?';
  }
  if (s.size() > kMax) out += "...";
  return out;
}

int DigitValue(char c, int base) {
  int digit = base;  // not a digit
  if (c >= '0' && c <= '9') digit = c - '0';
  if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
  return digit < base ? digit : -1;
}

void DestroyAll(std::vector<std::unique_ptr<TGmXmlNode>>& items) {
  // Each element's sub-elements are moved onto this explicit stack before the element itself is
  // freed, so no destructor ever recurses. A lone chain (the deep case) reuses the child vector
  // and allocates nothing.
  std::vector<std::unique_ptr<TGmXmlNode>> pending = std::move(items);
  items.clear();
  while (!pending.empty()) {
    std::unique_ptr<TGmXmlNode> node = std::move(pending.back());
    pending.pop_back();
    std::vector<std::unique_ptr<TGmXmlNode>>& children = node->SubNodes.Items;
    if (pending.empty()) {
      pending.swap(children);
    } else {
      for (auto& child : children) pending.push_back(std::move(child));
      children.clear();
    }
  }
}

}  // namespace

// ---- TGmXmlNodeAttribute ----

void TGmXmlNodeAttribute::SetName(std::string_view s) { Name = Trim(s); }

void TGmXmlNodeAttribute::SetValue(std::string_view s) {
  Value.clear();
  for (const char c : Trim(s)) {
    if (c != '"') Value += c;
  }
}

// ---- TGmXmlNodeList ----

TGmXmlNodeList::~TGmXmlNodeList() { DestroyAll(Items); }

TGmXmlNode& TGmXmlNodeList::OpenElement(std::string_view tagText) {
  auto node = std::make_unique<TGmXmlNode>(Cursor);
  node->ParseTag(tagText);
  TGmXmlNode& added =
      Cursor != nullptr ? Cursor->SubNodes.Append(std::move(node)) : Append(std::move(node));
  Cursor = &added;
  return added;
}

void TGmXmlNodeList::CloseElement() {
  if (Cursor == nullptr) throw XmlError("CloseElement: no element is open");
  Cursor = Cursor->Parent;
}

int TGmXmlNodeList::Count() const { return static_cast<int>(Items.size()); }

TGmXmlNode& TGmXmlNodeList::Item(int index) const {
  if (index < 0 || index >= Count()) {
    throw XmlIndexError("list index out of bounds (" + std::to_string(index) + ", count " +
                        std::to_string(Count()) + ")");
  }
  return *Items[static_cast<std::size_t>(index)];
}

TGmXmlNode* TGmXmlNodeList::First() const { return Items.empty() ? nullptr : Items.front().get(); }

TGmXmlNode& TGmXmlNodeList::Append(std::unique_ptr<TGmXmlNode> node) {
  Items.push_back(std::move(node));
  return *Items.back();
}

TGmXmlNode* TGmXmlNodeList::Find(std::string_view name) const {
  for (const auto& item : Items) {
    if (item->Name == name) return item.get();
  }
  return nullptr;
}

// ---- TGmXmlNode ----

TGmXmlNode::TGmXmlNode(TGmXmlNode* parent) : Parent(parent) { SubNodes.Cursor = this; }

void TGmXmlNode::ParseTag(std::string_view tagText) {
  std::string_view text = tagText;
  if (!text.empty() && text.front() == '<') text.remove_prefix(1);
  if (!text.empty() && text.back() == '>') text.remove_suffix(1);
  text = Trim(text);
  Attribute = TGmXmlNodeAttribute{};
  const std::size_t blank = text.find(' ');
  // Without a blank there is nothing to split, so "<a=b>" is an element named "a=b" that writes
  // back unchanged.
  if (text.find('=') == std::string_view::npos || blank == std::string_view::npos) {
    Name = text;
    return;
  }
  Name = text.substr(0, blank);
  const std::string_view attribute = text.substr(blank);
  Attribute.SetName(attribute.substr(0, attribute.find('=')));
  const std::size_t quote = attribute.find('"');
  Attribute.SetValue(quote == std::string_view::npos ? attribute : attribute.substr(quote));
}

void TGmXmlNode::SetValueText(std::string_view s) {
  Value.clear();
  Value.reserve(s.size());
  for (const char c : s) {
    switch (c) {
      case '<':
        Value += "&lt;";
        break;
      case '>':
        Value += "&gt;";
        break;
      case '\'':
        Value += "&pos;";
        break;
      case '"':
        Value += "&quot;";
        break;
      default:
        Value += c;
    }
  }
}

void TGmXmlNode::SetValueInteger(int n) { Value = std::to_string(n); }

void TGmXmlNode::SetValueBoolean(bool b) { Value.assign(1, b ? '1' : '0'); }

const std::string& TGmXmlNode::ValueText() const { return Value; }

std::string TGmXmlNode::ValueDecoded() const {
  std::string s = ReplaceAll(Value, "&amp;", "&");
  s = ReplaceAll(s, "&lt;", "<");
  s = ReplaceAll(s, "&gt;", ">");
  s = ReplaceAll(s, "&pos;", "'");
  return ReplaceAll(s, "&quot;", "\"");
}

int TGmXmlNode::ValueInteger() const {
  const std::string_view s = Value;
  const auto refuse = [&]() -> int {
    throw XmlConversionError("'" + Excerpt(s) + "' is not a valid integer value");
  };
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    base = 16;
    i += 1;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return refuse();
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
  std::uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    const int digit = DigitValue(s[i], base);
    if (digit < 0) return refuse();
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return refuse();
  }
  // Hexadecimal may fill all 32 bits ("$FFFFFFFF" is -1); the unsigned wrap is the intent.
  std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

bool TGmXmlNode::ValueBoolean() const { return (ValueInteger() & 0xFF) != 0; }

int TGmXmlNode::Depth() const {
  int depth = 0;
  for (const TGmXmlNode* p = Parent; p != nullptr; p = p->Parent) ++depth;
  return depth;
}

// ---- TGmXML ----

std::string TGmXML::About() { return "TGmXML v0,13"; }

std::string TGmXML::BuildText(bool decoded) {
  Lines.clear();
  if (TopLevel.Items.empty()) return {};
  if (IncludeHeader) {
    Lines.push_back(Encoding.empty() ? "<?xml version=\"1.0\"?>"
                                     : "<?xml version=\"1.0\" encoding=\"" + Encoding + "\"?>");
  }

  // Lines are assembled in one buffer each, without temporaries: saving is frequent and small.
  std::string line;
  const auto beginLine = [&](const TGmXmlNode& node, std::size_t depth) {
    line.clear();
    if (AutoIndent) line.append(2 * depth, ' ');
    line += '<';
    line += node.Name;
    if (!node.Attribute.Name.empty()) {
      line += ' ';
      line += node.Attribute.Name;
      line += "=\"";
      line += node.Attribute.Value;
      line += '"';
    }
    line += '>';
  };
  // Writes a leaf whole, or the start tag of an element with sub-elements; true for the latter.
  const auto open = [&](const TGmXmlNode& node, std::size_t depth) {
    beginLine(node, depth);
    if (node.SubNodes.Items.empty()) {
      line += decoded ? node.ValueDecoded() : node.Value;
      line += "</";
      line += node.Name;
      line += '>';
      Lines.push_back(line);
      return false;
    }
    Lines.push_back(line);
    return true;
  };
  const auto close = [&](const TGmXmlNode& node, std::size_t depth) {
    line.clear();
    if (AutoIndent) line.append(2 * depth, ' ');
    line += "</";
    line += node.Name;
    line += '>';
    Lines.push_back(line);
  };

  // An explicit stack instead of recursion: a document read from a hostile file may be nested
  // millions deep. Its size is also the depth, so Depth() is never walked per element.
  struct Frame {
    const TGmXmlNode* node;
    std::size_t next;
  };
  std::vector<Frame> stack;
  for (const auto& top : TopLevel.Items) {
    if (!open(*top, 0)) continue;
    stack.push_back({top.get(), 0});
    while (!stack.empty()) {
      const std::size_t depth = stack.size() - 1;
      const TGmXmlNode* node = stack.back().node;
      const std::size_t next = stack.back().next++;
      if (next < node->SubNodes.Items.size()) {
        const TGmXmlNode& child = *node->SubNodes.Items[next];
        if (open(child, depth + 1)) stack.push_back({&child, 0});
      } else {
        close(*node, depth);
        stack.pop_back();
      }
    }
  }

  std::size_t size = 0;
  for (const auto& line : Lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : Lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TGmXML::WriteToStream(std::ostream& out) {
  const std::string text = BuildText(false);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out) throw XmlFileError("cannot write the XML text to the stream");
}

void TGmXML::WriteToFile(const std::string& path) {
  const std::string text = BuildText(false);
  std::string reason;
  if (!WriteFileAtomically(path, text, &reason)) throw XmlFileError(reason);
}

void TGmXML::ReadFromStream(std::istream& in) {
  if (!in) throw XmlFileError("cannot read from the stream");
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    in.read(buffer, sizeof buffer);
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (!in) break;
  }
  if (in.bad()) throw XmlFileError("error while reading the stream");
  ReadFromText(bytes);
}

void TGmXML::ReadFromFile(const std::string& path) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    throw XmlFileError("cannot open " + path +
                       (errno != 0 ? ": " + std::string(std::strerror(errno)) : ""));
  }
  try {
    ReadFromStream(in);
  } catch (const XmlFileError&) {
    throw XmlFileError("cannot read " + path);
  }
}

void TGmXML::ReadFromText(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  if (bytes.empty()) return;
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8 + 2);
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t end = i;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    text.append(bytes.substr(i, end - i));
    text.append("\r\n");
    i = end;
    // CR LF is one line break, LF CR two.
    if (i < bytes.size() && bytes[i] == '\r') ++i;
    if (i < bytes.size() && bytes[i] == '\n') ++i;
  }
  ParseText(text);
}

void TGmXML::ParseText(std::string_view text) {
  if (text.empty()) return;
  const std::size_t last = text.size() - 1;  // never examined: the LF of the final CR LF
  std::size_t depth =
      TopLevel.Cursor != nullptr ? static_cast<std::size_t>(TopLevel.Cursor->Depth()) + 1 : 0;
  std::size_t elements = 0;
  std::size_t i = 0;
  while (i < last) {
    if (text[i] == '<') {
      const std::size_t close = text.find('>', i + 1);
      if (close == std::string_view::npos) {
        throw XmlScanError("'<' at byte " + std::to_string(i) + " has no closing '>'");
      }
      if (close - i > MaxTextLength) {
        throw XmlLimitError("a tag of more than " + std::to_string(MaxTextLength) +
                            " bytes at byte " + std::to_string(i));
      }
      const std::string_view tag = text.substr(i, close - i + 1);
      if (tag[1] == '/') {
        if (TopLevel.Cursor == nullptr) {
          throw XmlScanError("end tag '" + Excerpt(tag) + "' at byte " + std::to_string(i) +
                             " with no element open");
        }
        TopLevel.CloseElement();
        --depth;
      } else if (tag[1] != '?') {
        if (++depth > MaxDepth) {
          throw XmlLimitError("elements nested more than " + std::to_string(MaxDepth) +
                              " deep at byte " + std::to_string(i));
        }
        if (++elements > MaxElements) {
          throw XmlLimitError("more than " + std::to_string(MaxElements) + " elements");
        }
        TopLevel.OpenElement(tag);
      }
      i = close + 1;
    } else {
      std::size_t end = text.find('<', i);
      if (end == std::string_view::npos || end > last) end = last;
      if (end - i > MaxTextLength) {
        throw XmlLimitError("a text of more than " + std::to_string(MaxTextLength) +
                            " bytes at byte " + std::to_string(i));
      }
      if (TopLevel.Cursor != nullptr) TopLevel.Cursor->SetValueText(text.substr(i, end - i));
      i = end;
    }
  }
}

}  // namespace quillbury
