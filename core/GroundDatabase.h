#pragma once

#include <string>

#include "core/GameState.h"

namespace quillbury {

class IniFile;
class IniData;

// Fills Square, Name, Price and Sell of the 28 grounds from the company database. A missing
// file or key gives the defaults: empty name, price 0, "rent a room". Touches no other field.
void LoadGroundDatabase(GroundList& grounds, const IniFile& database);
void LoadGroundDatabase(GroundList& grounds, const IniData& database);

// Every ground unowned, without buildings, with its four levels priced from its Price.
void SetUpBuildingLevels(GroundList& grounds);

// 28 grounds read from the database with their building levels set up.
GroundList FreshGrounds(const IniFile& database);

}  // namespace quillbury
