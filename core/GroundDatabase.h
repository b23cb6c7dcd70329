#pragma once

#include <cstdint>
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

// Dearest price a company may have: buying one with a full building from another player costs
// about 3.8 times the price, which must still fit in 32 bits.
constexpr std::int32_t kMaxGroundPrice = 100000000;

// The first fault of the company database, worded for the player in language (English when
// null), naming the file and the company; empty when the database is fit to play with: a
// readable file with 28 companies, each with a name and a price from 1 to kMaxGroundPrice.
// Without such a database no game can be played, so callers stop the program on a fault.
std::string GroundDatabaseProblem(const IniFile& database, const IniFile* language = nullptr);

}  // namespace quillbury
