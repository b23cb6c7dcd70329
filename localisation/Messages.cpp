#include "localisation/Messages.h"

#include <array>

#include "localisation/IniFile.h"

namespace quillbury {
namespace {

constexpr std::array<MessageEntry, 17> kMessages{{
    {MessageId::FileMissing, "FileMissing", "The file %1 does not exist."},
    {MessageId::FileIsFolder, "FileIsFolder", "%1 is a folder, not a file."},
    {MessageId::FileIsPipe, "FileIsPipe", "%1 is a named pipe, not a file."},
    {MessageId::FileIsDevice, "FileIsDevice", "%1 is a device, not a file."},
    {MessageId::FileNotRegular, "FileNotRegular", "%1 is not a regular file."},
    {MessageId::FileTooLarge, "FileTooLarge", "The file %1 is far too large."},
    {MessageId::FileUnreadable, "FileUnreadable", "The file %1 cannot be read."},
    {MessageId::NotASavedGame, "NotASavedGame", "%1 is not a saved game that can be played: %2"},
    {MessageId::NothingToSave, "NothingToSave",
     "There is no game to save yet. Start a new game or load one first."},
    {MessageId::SaveReadOnly, "SaveReadOnly", "%1 is read-only, so the game was not saved."},
    {MessageId::SaveFolderNotWritable, "SaveFolderNotWritable",
     "The folder %1 is not writable, so the game was not saved."},
    {MessageId::SaveFailed, "SaveFailed", "The game could not be written to %1: %2"},
    {MessageId::RecentPathTooLong, "RecentPathTooLong",
     "A recent game's path was longer than %1 bytes and has been taken off the list of recent "
     "games."},
    {MessageId::DatabaseUnreadable, "DatabaseUnreadable",
     "The company database cannot be read: %1 Quillbury is closing."},
    {MessageId::DatabaseNoCompany, "DatabaseNoCompany",
     "The company database %1 has no company %2. Quillbury is closing."},
    {MessageId::DatabaseNoName, "DatabaseNoName",
     "The company database %1 gives company %2 no name. Quillbury is closing."},
    {MessageId::DatabaseBadPrice, "DatabaseBadPrice",
     "The company database %1 gives company %2 (%3) the price \"%4\"; a price is a whole number "
     "from 1 to 100000000. Quillbury is closing."},
}};

constexpr bool InIdOrder() {
  for (std::size_t i = 0; i < kMessages.size(); ++i) {
    if (static_cast<std::size_t>(kMessages[i].id) != i) return false;
  }
  return true;
}
static_assert(InIdOrder(), "MessageText looks messages up by their number");

}  // namespace

std::span<const MessageEntry> AllMessages() { return kMessages; }

std::string MessageText(const IniFile* file, MessageId id,
                        std::initializer_list<std::string_view> args) {
  const MessageEntry& entry = kMessages[static_cast<std::size_t>(id)];
  const std::string text =
      file != nullptr ? file->ReadString("Messages", entry.key, entry.english) : entry.english;
  std::string out;
  out.reserve(text.size() + 64);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const auto n = static_cast<std::size_t>(text[i + 1] - '1');
      if (n < args.size()) {
        out.append(*(args.begin() + n));
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string DescribeFileProblem(const IniFile* file, FileProblem problem, const std::string& path) {
  switch (problem) {
    case FileProblem::None:
      return {};
    case FileProblem::Missing:
      return MessageText(file, MessageId::FileMissing, {path});
    case FileProblem::Folder:
      return MessageText(file, MessageId::FileIsFolder, {path});
    case FileProblem::Pipe:
      return MessageText(file, MessageId::FileIsPipe, {path});
    case FileProblem::Device:
      return MessageText(file, MessageId::FileIsDevice, {path});
    case FileProblem::NotRegular:
      return MessageText(file, MessageId::FileNotRegular, {path});
    case FileProblem::TooLarge:
      return MessageText(file, MessageId::FileTooLarge, {path});
    case FileProblem::Unreadable:
      break;
  }
  return MessageText(file, MessageId::FileUnreadable, {path});
}

}  // namespace quillbury
