#pragma once

#include <string>

#include "core/GameEvent.h"
#include "core/GameState.h"

namespace quillbury {
class IniFile;
}

namespace quillbury::ui {

// One line of the game log before its time stamp: the player it concerns (-1 for the game or
// the program) and what happened, without that player's name.
struct LogEntry {
  int Player = -1;
  std::string Text;
};

// The log's entry for an event, in the language of file (English without one). Empty text for
// the events the log leaves out: the single steps of a walk, and a load, which the window logs
// with its file.
LogEntry LogEntryFor(const GameEvent& event, const GameState& game, const IniFile* file);

}  // namespace quillbury::ui
