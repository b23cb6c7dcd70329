// libFuzzer target for the XML reader: arbitrary bytes must either parse or raise XmlError, and a
// parsed tree must be safe to query, write and destroy.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "persistence/GmXml.h"

using quillbury::TGmXML;
using quillbury::TGmXmlNode;
using quillbury::XmlError;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGmXML doc;
  try {
    doc.ReadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const XmlError&) {
    return 0;
  }

  // Walk without recursion; the tree may be as deep as the input is long.
  std::vector<const TGmXmlNode*> pending;
  for (const auto& item : doc.TopLevel.Items) pending.push_back(item.get());
  while (!pending.empty()) {
    const TGmXmlNode* node = pending.back();
    pending.pop_back();
    (void)node->ValueDecoded();
    try {
      (void)node->ValueInteger();
      (void)node->ValueBoolean();
    } catch (const XmlError&) {
    }
    (void)node->SubNodes.Find(node->Name);
    (void)node->SubNodes.First();
    for (const auto& child : node->SubNodes.Items) pending.push_back(child.get());
  }
  (void)doc.BuildText(false);
  return 0;
}
