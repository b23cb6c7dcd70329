#include "persistence/GameFile.h"

#include <algorithm>

#include <set>

#include "core/GameRoutines.h"
#include "core/GroundDatabase.h"
#include "localisation/IniFile.h"
#include "localisation/Messages.h"
#include "localisation/RegularFile.h"
#include "persistence/AtomicFile.h"
#include "persistence/GameText.h"
#include "persistence/GmXml.h"

namespace quillbury {
namespace {

constexpr const char* kGameVersion = "1.0.0.0";

// A file that cannot be a playable game; the message says why.
struct BadGame : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void AddInteger(TGmXmlNode& parent, const char* name, std::int32_t value) {
  parent.SubNodes.OpenElement(name).SetValueInteger(value);
  parent.SubNodes.CloseElement();
}

void AddBoolean(TGmXmlNode& parent, const char* name, bool value) {
  parent.SubNodes.OpenElement(name).SetValueBoolean(value);
  parent.SubNodes.CloseElement();
}

// Free text (names, goods) goes in a form that brings every byte back on reading.
void AddText(TGmXmlNode& parent, const char* name, const std::string& value) {
  parent.SubNodes.OpenElement(name).Value = EncodeGameText(value);
  parent.SubNodes.CloseElement();
}

const TGmXmlNode& Need(const TGmXmlNode& parent, const char* name) {
  const TGmXmlNode* node = parent.SubNodes.Find(name);
  if (node == nullptr) {
    throw BadGame(std::string("element ") + name + " is missing under " + parent.Name);
  }
  return *node;
}

std::int32_t Integer(const TGmXmlNode& parent, const char* name) {
  const TGmXmlNode& node = Need(parent, name);
  try {
    return node.ValueInteger();
  } catch (const XmlError&) {
    throw BadGame(std::string("element ") + name + " holds \"" + node.ValueText() +
                  "\", not a whole number");
  }
}

bool Boolean(const TGmXmlNode& parent, const char* name) {
  const TGmXmlNode& node = Need(parent, name);
  try {
    return node.ValueBoolean();
  } catch (const XmlError&) {
    throw BadGame(std::string("element ") + name + " holds \"" + node.ValueText() +
                  "\", not 0 or 1");
  }
}

void Require(bool ok, const std::string& what) {
  if (!ok) throw BadGame(what);
}

std::string Text(const TGmXmlNode& parent, const char* name) {
  std::string text = DecodeGameText(Need(parent, name).ValueText());
  if (text.size() > kMaxGameTextBytes) {
    throw BadGame(std::string("element ") + name + " holds a text of " +
                  std::to_string(text.size()) + " bytes, more than " +
                  std::to_string(kMaxGameTextBytes));
  }
  return text;
}

std::string N(std::int64_t v) { return std::to_string(v); }

}  // namespace

std::string BuildGameText(const GameState& game) {
  TGmXML doc;
  doc.IncludeHeader = false;
  TGmXmlNode& root = doc.TopLevel.OpenElement("QuillburyGame");
  root.SubNodes.OpenElement("GameVersion").SetValueText(kGameVersion);
  root.SubNodes.CloseElement();
  AddInteger(root, "CurrentPlayerID", game.CurrentPlayer);
  AddInteger(root, "NumberRoll", game.CasinoCounter);
  AddInteger(root, "Left", game.StepsLeft);
  AddInteger(root, "Die1", game.Die1);
  AddInteger(root, "Die2", game.Die2);
  TGmXmlNode& players = root.SubNodes.OpenElement("Players");
  for (std::size_t i = 0; i < game.Players.size(); ++i) {
    const Player& p = game.Players[i];
    TGmXmlNode& node = players.SubNodes.OpenElement("Player");
    AddInteger(node, "ID", static_cast<std::int32_t>(i));
    AddText(node, "Name", p.Name);
    AddInteger(node, "Money", p.Money);
    AddInteger(node, "Salary", p.Salary);
    AddInteger(node, "Jail", p.Jail);
    AddInteger(node, "Loan", p.Loan);
    AddInteger(node, "CurrentPosition", p.CurrentPosition);
    AddBoolean(node, "CPU", p.CPU);
    AddBoolean(node, "Playing", p.Playing);
    // Only a computer's level other than the classic one is written: older readers skip it.
    if (p.CPU && p.Level == ComputerLevel::Strong) {
      node.SubNodes.OpenElement("ComputerLevel").SetValueText("Strong");
      node.SubNodes.CloseElement();
    }
    players.SubNodes.CloseElement();
  }
  root.SubNodes.CloseElement();
  TGmXmlNode& grounds = root.SubNodes.OpenElement("Grounds");
  for (std::size_t i = 0; i < game.Grounds.size(); ++i) {
    const Ground& g = game.Grounds[i];
    TGmXmlNode& node = grounds.SubNodes.OpenElement("Ground");
    AddInteger(node, "ID", static_cast<std::int32_t>(i));
    AddInteger(node, "Owner", g.Owner);
    AddInteger(node, "House", g.House);
    AddText(node, "Name", g.Name);
    AddText(node, "Sell", g.Sell);
    grounds.SubNodes.CloseElement();
  }
  root.SubNodes.CloseElement();
  doc.TopLevel.CloseElement();
  return doc.BuildText(false);
}

bool WriteGameFile(const GameState& game, const std::string& path, std::string* error,
                   const IniFile* language) {
  const auto refuse = [&](std::string why) {
    if (error != nullptr) *error = std::move(why);
    return false;
  };
  // Before the first game the players stand nowhere: such a file could never be loaded.
  const bool placed = std::all_of(game.Players.begin(), game.Players.end(), [](const Player& p) {
    return p.CurrentPosition >= 1 && p.CurrentPosition <= kSquareCount;
  });
  if (game.Players.empty() || !placed) {
    return refuse(MessageText(language, MessageId::NothingToSave));
  }
  std::string target;
  switch (CheckReplaceable(path, &target)) {
    case ReplaceProblem::None:
      break;
    case ReplaceProblem::ReadOnly:
      return refuse(MessageText(language, MessageId::SaveReadOnly, {target}));
    case ReplaceProblem::FolderNotWritable: {
      const std::size_t slash = target.find_last_of('/');
      const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
      return refuse(MessageText(language, MessageId::SaveFolderNotWritable, {folder}));
    }
    case ReplaceProblem::NotAFile:
      return refuse(DescribeFileProblem(language, CheckRegularFile(target), target));
    case ReplaceProblem::TooManyLinks:
      break;  // WriteFileAtomically says so
  }
  try {
    std::string why;
    if (WriteFileAtomically(path, BuildGameText(game), &why)) return true;
    return refuse(MessageText(language, MessageId::SaveFailed, {path, why}));
  } catch (const std::exception& e) {
    return refuse(MessageText(language, MessageId::SaveFailed, {path, e.what()}));
  }
}

std::optional<GameState> ParseGameText(std::string_view text, const GroundList& freshGrounds,
                                       std::string* error) {
  try {
    TGmXML doc;
    doc.ReadFromText(text);
    const TGmXmlNode* root = doc.TopLevel.First();
    Require(root != nullptr, "the file holds no element");
    const TGmXmlNode& players = Need(*root, "Players");
    const int n = players.SubNodes.Count();
    Require(n == 2 || n == 3, "a game has 2 or 3 players, the file has " + N(n));

    GameState loaded;
    loaded.Players.resize(static_cast<std::size_t>(n));
    ClearMoney(loaded, n);
    loaded.Grounds = freshGrounds;
    Require(loaded.Grounds.size() == static_cast<std::size_t>(kGroundCount),
            "the company database has no 28 companies");
    loaded.CurrentPlayer = Integer(*root, "CurrentPlayerID");
    loaded.CasinoCounter = Integer(*root, "NumberRoll");
    loaded.StepsLeft = Integer(*root, "Left");
    loaded.Die1 = Integer(*root, "Die1");
    loaded.Die2 = Integer(*root, "Die2");

    std::set<std::int32_t> seen;
    for (int i = 0; i < n; ++i) {
      const TGmXmlNode& node = players.SubNodes.Item(i);
      const std::int32_t id = Integer(node, "ID");
      Require(id >= 0 && id < n, "player ID " + N(id) + " is outside 0.." + N(n - 1));
      Require(seen.insert(id).second, "player ID " + N(id) + " occurs twice");
      Player& p = loaded.Players[static_cast<std::size_t>(id)];
      p.Name = Text(node, "Name");
      p.Money = Integer(node, "Money");
      p.Salary = Integer(node, "Salary");
      p.Jail = Integer(node, "Jail");
      p.Loan = Integer(node, "Loan");
      p.CurrentPosition = Integer(node, "CurrentPosition");
      p.CPU = Boolean(node, "CPU");
      // Files from before the levels have none: their computers are classic.
      if (const TGmXmlNode* level = node.SubNodes.Find("ComputerLevel")) {
        const std::string value = level->ValueText();
        Require(value == "Classic" || value == "Strong",
                "player " + N(id) + " has the computer level \"" + value + "\"");
        p.Level = value == "Strong" ? ComputerLevel::Strong : ComputerLevel::Classic;
      }
      p.Playing = Boolean(node, "Playing");
      Require(p.Jail >= 0, "player " + N(id) + " has a jail sentence of " + N(p.Jail));
      Require(p.Salary >= 0, "player " + N(id) + " has a salary of " + N(p.Salary));
      Require(p.Loan >= 0, "player " + N(id) + " has a loan of " + N(p.Loan));
      Require(p.CurrentPosition >= 1 && p.CurrentPosition <= kSquareCount,
              "player " + N(id) + " stands on square " + N(p.CurrentPosition));
    }
    static const std::int32_t kColours[kMaxPlayers] = {kBlue, kYellow, kRed};
    for (int i = 0; i < n; ++i) loaded.Players[static_cast<std::size_t>(i)].Color = kColours[i];

    const TGmXmlNode& grounds = Need(*root, "Grounds");
    std::set<std::int32_t> seenGrounds;
    for (int i = 0; i < grounds.SubNodes.Count(); ++i) {
      const TGmXmlNode& node = grounds.SubNodes.Item(i);
      const std::int32_t id = Integer(node, "ID");
      Require(id >= 0 && id < kGroundCount, "ground ID " + N(id) + " is outside 0..27");
      Require(seenGrounds.insert(id).second, "ground ID " + N(id) + " occurs twice");
      Ground& g = loaded.Grounds[static_cast<std::size_t>(id)];
      g.Name = Text(node, "Name");
      g.House = Integer(node, "House");
      g.Owner = Integer(node, "Owner");
      g.Sell = Text(node, "Sell");
      Require(g.House >= -1 && g.House <= 3,
              "ground " + N(id) + " has building level " + N(g.House));
      Require(g.Owner >= -1 && g.Owner < n, "ground " + N(id) + " has owner " + N(g.Owner));
    }

    Require(loaded.CurrentPlayer >= 0 && loaded.CurrentPlayer < n,
            "the current player " + N(loaded.CurrentPlayer) + " is not in the game");
    Require(loaded.StepsLeft >= 0 && loaded.StepsLeft <= 12,
            N(loaded.StepsLeft) + " squares left to walk");
    Require(loaded.CasinoCounter >= 0, "the casino counter is " + N(loaded.CasinoCounter));
    if (loaded.StepsLeft > 0) {
      Require(loaded.Die1 >= 1 && loaded.Die1 <= 6 && loaded.Die2 >= 1 && loaded.Die2 <= 6,
              "dice " + N(loaded.Die1) + " and " + N(loaded.Die2) + " during a move");
    }
    return loaded;
  } catch (const std::exception& e) {
    if (error != nullptr) *error = e.what();
    return std::nullopt;
  }
}

namespace {

bool ReadWholeFile(const std::string& path, const IniFile* language, std::string& bytes,
                   std::string* error) {
  const FileProblem problem = ReadRegularFile(path, kMaxGameFileSize, bytes);
  if (problem == FileProblem::None) return true;
  if (error != nullptr) *error = DescribeFileProblem(language, problem, path);
  return false;
}

// The reason a file is not a playable game, worded for the player around the technical detail.
std::optional<GameState> Parse(std::string_view bytes, const GroundList& grounds,
                               const std::string& path, const IniFile* language,
                               std::string* error) {
  std::string detail;
  auto loaded = ParseGameText(bytes, grounds, &detail);
  if (!loaded && error != nullptr) {
    *error = MessageText(language, MessageId::NotASavedGame, {path, detail});
  }
  return loaded;
}

}  // namespace

std::optional<GameState> LoadStartPosition(const std::string& path, const std::string& appDir,
                                           std::string* error) {
  std::string bytes;
  if (!ReadWholeFile(path, nullptr, bytes, error)) return std::nullopt;
  IniFile database(appDir + "database.dat");
  return Parse(bytes, FreshGrounds(database), path, nullptr, error);
}

bool ReadGameFile(GameRules& rules, const std::string& path, std::string* error) {
  std::string bytes;
  const IniFile* language = rules.Settings().LanguageFile;
  if (!ReadWholeFile(path, language, bytes, error)) return false;
  auto loaded = Parse(bytes, FreshGrounds(rules.Database()), path, language, error);
  if (!loaded) return false;
  rules.LoadGame(std::move(*loaded));
  return true;
}

}  // namespace quillbury
