#include "core/GroundDatabase.h"

#include "core/Board.h"
#include "localisation/IniFile.h"
#include "localisation/Messages.h"
#include "localisation/RegularFile.h"

namespace quillbury {

void LoadGroundDatabase(GroundList& grounds, const IniFile& database) {
  LoadGroundDatabase(grounds, database.Data());
}

void LoadGroundDatabase(GroundList& grounds, const IniData& database) {
  if (grounds.size() < static_cast<std::size_t>(kGroundCount)) grounds.resize(kGroundCount);
  for (int i = 1; i <= kGroundCount; ++i) {
    Ground& g = grounds[static_cast<std::size_t>(i - 1)];
    const std::string section = std::to_string(i);
    g.Square = kGroundSquares[static_cast<std::size_t>(i - 1)];
    g.Name = database.ReadString(section, "Name", "");
    g.Price = ParseIniInteger(database.ReadString(section, "Price", "0"), 0);
    g.Sell = database.ReadString(section, "Sell", "rent a room");
    if (g.Sell != "rent a room") g.Sell = "bought " + g.Sell;
  }
}

void SetUpBuildingLevels(GroundList& grounds) {
  static const char* const kNames[4] = {"1 Building", "2 Building", "3 Building", "4 Building"};
  static const int kPercent[4] = {50, 65, 80, 95};
  for (Ground& g : grounds) {
    g.Owner = -1;
    g.House = -1;
    g.Houses.assign(4, BuildingLevel{});
    for (int level = 0; level < 4; ++level) {
      g.Houses[static_cast<std::size_t>(level)].Name = kNames[level];
      // Price div 100 first, then the percentage: the last two digits of the price drop out.
      g.Houses[static_cast<std::size_t>(level)].Rent = g.Price / 100 * kPercent[level];
    }
  }
}

GroundList FreshGrounds(const IniFile& database) {
  GroundList grounds(kGroundCount);
  LoadGroundDatabase(grounds, database);
  SetUpBuildingLevels(grounds);
  return grounds;
}

}  // namespace quillbury

namespace quillbury {

std::string GroundDatabaseProblem(const IniFile& database, const IniFile* language) {
  const std::string& path = database.Path();
  const FileProblem fileProblem = CheckRegularFile(path);
  if (fileProblem != FileProblem::None) {
    return MessageText(language, MessageId::DatabaseUnreadable,
                       {DescribeFileProblem(language, fileProblem, path)});
  }
  const IniData& data = database.Data();
  for (int i = 1; i <= kGroundCount; ++i) {
    const std::string section = std::to_string(i);
    const bool hasName = data.HasKey(section, "Name");
    const bool hasPrice = data.HasKey(section, "Price");
    if (!hasName && !hasPrice) {
      return MessageText(language, MessageId::DatabaseNoCompany, {path, section});
    }
    const std::string name = data.ReadString(section, "Name", "");
    if (name.empty()) return MessageText(language, MessageId::DatabaseNoName, {path, section});
    const std::string price = data.ReadString(section, "Price", "");
    const std::int32_t value = ParseIniInteger(price, 0);
    if (value < 1 || value > kMaxGroundPrice) {
      return MessageText(language, MessageId::DatabaseBadPrice, {path, section, name, price});
    }
  }
  return {};
}

}  // namespace quillbury
