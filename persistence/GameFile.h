#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/GameRules.h"

namespace quillbury {

class IniFile;

// Largest file taken as a saved game; a real one is a few kilobytes.
constexpr std::size_t kMaxGameFileSize = 16u << 20;
// Longest player name or goods text, in bytes of UTF-8, that a saved game may hold.
constexpr std::size_t kMaxGameTextBytes = 1000;

// The saved-game text of a game: indented XML, CR LF line ends, no declaration.
std::string BuildGameText(const GameState& game);

// Writes the game to path, replacing any file there only once the whole text is safely on disk.
// False on any failure, with the reason in *error (in the language of the file given, English
// without one); an earlier file stays intact. Refused without writing: no game yet (the
// start-up placeholder, whose players stand on no square), a read-only file, a folder that is
// not writable.
bool WriteGameFile(const GameState& game, const std::string& path, std::string* error = nullptr,
                   const IniFile* language = nullptr);

// Reads a saved game from text. Grounds not named in the text, prices and building levels come
// from freshGrounds, the grounds as the company database gives them. Empty, with the reason in
// *error, when the text is not a saved game or holds a value the game cannot play with (player
// count, IDs, owners, levels, positions, dice, squares left to walk, a negative jail sentence,
// salary, loan or casino counter, a name or goods text over kMaxGameTextBytes), or is larger than
// any saved game (see TGmXML's reading limits).
std::optional<GameState> ParseGameText(std::string_view text, const GroundList& freshGrounds,
                                       std::string* error = nullptr);

// Reads the file at path with the database beside the program in appDir.
std::optional<GameState> LoadStartPosition(const std::string& path, const std::string& appDir,
                                           std::string* error = nullptr);

// Replaces the game by the one in path; a move saved under way resumes. Only a regular file is
// read (never a pipe, folder or device). On failure returns false, with the reason in the
// rules' language in *error, and changes nothing at all.
bool ReadGameFile(GameRules& rules, const std::string& path, std::string* error = nullptr);

}  // namespace quillbury
