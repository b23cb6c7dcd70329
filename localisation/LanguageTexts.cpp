#include "localisation/LanguageTexts.h"

#include "localisation/IniFile.h"
#include "localisation/RegularFile.h"

namespace quillbury {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view what) {
  if (pos + what.size() > text.size()) return false;
  for (std::size_t i = 0; i < what.size(); ++i) {
    if (Lower(text[pos + i]) != Lower(what[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view BuiltInRentMessage(RentMessage kind) {
  if (kind == RentMessage::WithBuildings) {
    return "$PlayerName$ has landed on $GroundName$, where the owner has put up buildings."
           "|You have $Sell$ and must pay $Price$ to the owner.";
  }
  return "$PlayerName$ has landed on $GroundName$.|You have $Sell$ and must pay $Price$ to the "
         "owner.";
}

namespace {

std::string WithLineBreaks(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  for (char c : s) {
    if (c == '|') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string ReadDialogText(const IniFile* languageFile, RentMessage kind) {
  const char* key = kind == RentMessage::WithBuildings ? "ON_ANOTHER_PLAYERS_GROUND"
                                                       : "ON_ANOTHER_PLAYERS_GROUND_WITHOUT_HOUSES";
  if (languageFile != nullptr) {
    std::string s = languageFile->ReadString("Dialogs", key, "");
    if (!s.empty()) return WithLineBreaks(s);
  }
  static const std::string builtIn[2] = {
      WithLineBreaks(BuiltInRentMessage(RentMessage::WithBuildings)),
      WithLineBreaks(BuiltInRentMessage(RentMessage::WithoutBuildings))};
  return builtIn[kind == RentMessage::WithBuildings ? 0 : 1];
}

std::string ReplacePlaceholder(std::string_view text, std::string_view placeholder,
                               std::string_view value) {
  if (placeholder.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size() + value.size());
  const char first = placeholder[0];
  const bool firstIsLetter = Lower(first) != first || (first >= 'a' && first <= 'z');
  std::size_t copied = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    // Placeholders start with "$", so most of the text is skipped by a plain search.
    const std::size_t at = firstIsLetter ? i : text.find(first, i);
    if (at == std::string_view::npos) break;
    if (MatchesAt(text, at, placeholder)) {
      out.append(text.substr(copied, at - copied));
      out.append(value);
      i = copied = at + placeholder.size();
    } else {
      i = at + 1;
    }
  }
  out.append(text.substr(copied));
  return out;
}

std::string LanguageFilePathFor(const std::string& appDir, const std::string& storedName) {
  if (storedName.empty()) return appDir + "Lang/en.lang";
  return appDir + "Lang/" + storedName;
}

LanguageChoice ChooseLanguageFile(const std::string& appDir, const std::string& storedName) {
  LanguageChoice choice;
  const std::string stored = LanguageFilePathFor(appDir, storedName);
  if (CheckRegularFile(stored) == FileProblem::None) {
    choice.path = stored;
    return choice;
  }
  choice.settingBroken = true;
  const std::string english = LanguageFilePathFor(appDir, "");
  if (CheckRegularFile(english) == FileProblem::None) choice.path = english;
  return choice;
}

}  // namespace quillbury
