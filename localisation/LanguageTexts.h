#pragma once

#include <string>
#include <string_view>

namespace quillbury {

class IniFile;

// Rent messages shown when a player lands on another player's ground.
enum class RentMessage { WithBuildings = 0, WithoutBuildings = 1 };

// Built-in English rent messages, used when the language file has no text for one, so the
// player still sees what was paid. "|" marks a line break, as in the language files.
std::string_view BuiltInRentMessage(RentMessage kind);

// The rent message from section "Dialogs" of the language file (built-in text when the file
// is missing, lacks the key or has it empty), each "|" turned into CR LF.
std::string ReadDialogText(const IniFile* languageFile, RentMessage kind);

// text with every occurrence of placeholder, in any letter case, replaced by value. The scan
// resumes after each inserted value, so a value is never replaced into again.
std::string ReplacePlaceholder(std::string_view text, std::string_view placeholder,
                               std::string_view value);

// Full path of the language file for the stored "Language" setting: appDir + "Lang/" + name,
// or appDir + "Lang/en.lang" when the setting is empty. appDir ends with a separator.
std::string LanguageFilePathFor(const std::string& appDir, const std::string& storedName);

// The language file to start with for the stored "Language" setting.
struct LanguageChoice {
  std::string path;            // the file to open; empty when there is none, not even English
  bool settingBroken = false;  // the stored file is missing: tell the player, clear the setting
};

// The stored file when it is a regular file; otherwise English, so that a setting naming a file
// that has gone does not stop every later start.
LanguageChoice ChooseLanguageFile(const std::string& appDir, const std::string& storedName);

}  // namespace quillbury
