#include "localisation/Messages.h"

#include <array>

#include "localisation/IniFile.h"

namespace quillbury {
namespace {

constexpr auto kMessages = std::to_array<MessageEntry>({
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
    {MessageId::InputGroundNumber, "InputGroundNumber", "Type a whole number from 1 to 28."},
    {MessageId::InputLevel, "InputLevel", "Type a whole number from 1 to 4."},
    {MessageId::InputAmount, "InputAmount", "Type a whole amount from 1 to 2.147.483.647."},
    {MessageId::RefusedNotYours, "RefusedNotYours", "Company %1 is not yours."},
    {MessageId::RefusedNoOtherOwner, "RefusedNoOtherOwner",
     "Company %1 is not owned by another player."},
    {MessageId::RefusedCannotAfford, "RefusedCannotAfford",
     "You don't have enough money for that."},
    {MessageId::RefusedNoSuchBuildings, "RefusedNoSuchBuildings",
     "Company %1 has fewer buildings than that."},
    {MessageId::RefusedMoneyLimit, "RefusedMoneyLimit",
     "That would take a player's money past $ 2.147.483.647."},
    {MessageId::LogGameStarted, "LogGameStarted", "A new game begins with %1."},
    {MessageId::LogGameLoaded, "LogGameLoaded", "Game loaded from %1."},
    {MessageId::LogGameSaved, "LogGameSaved", "Game saved to %1."},
    {MessageId::LogError, "LogError", "Error in %1: %2"},
    {MessageId::LogRolled, "LogRolled", "rolls %1 and %2."},
    {MessageId::LogPassedStart, "LogPassedStart", "passes start: salary $ %1, interest $ %2."},
    {MessageId::LogWalkEnded, "LogWalkEnded", "stops on square %1."},
    {MessageId::LogBought, "LogBought", "buys %1 for $ %2."},
    {MessageId::LogRentPaid, "LogRentPaid", "pays $ %1 in rent to %2 for %3."},
    {MessageId::LogLottery, "LogLottery", "wins $ %1 in the lottery."},
    {MessageId::LogCarBill, "LogCarBill", "pays a car bill of $ %1."},
    {MessageId::LogInheritance, "LogInheritance", "inherits $ %1."},
    {MessageId::LogTax, "LogTax", "pays $ %1 in tax."},
    {MessageId::LogMayorBonus, "LogMayorBonus", "gets the mayor's bonus of $ %1."},
    {MessageId::LogEnergyBill, "LogEnergyBill", "pays $ %1 for energy for %2 buildings."},
    {MessageId::LogWaterBill, "LogWaterBill", "pays $ %1 for water for %2 buildings."},
    {MessageId::LogCasinoWin, "LogCasinoWin", "wins $ %1 in the casino."},
    {MessageId::LogBribePaid, "LogBribePaid", "bribes the judge with $ %1 and goes free."},
    {MessageId::LogJailed, "LogJailed", "goes to jail for %1 rounds and pays a fine of $ %2."},
    {MessageId::LogPayRise, "LogPayRise", "gets a pay rise: the salary is now $ %1."},
    {MessageId::LogShortcut, "LogShortcut", "takes the shortcut to square %1."},
    {MessageId::LogRobbed, "LogRobbed", "is robbed of $ %1."},
    {MessageId::LogBuilt, "LogBuilt", "builds %1 up to level %2 for $ %3."},
    {MessageId::LogBuiltDown, "LogBuiltDown", "takes %1 down to level %2 and gets $ %3 back."},
    {MessageId::LogBuildingSold, "LogBuildingSold", "sells %1 building levels of %2 for $ %3."},
    {MessageId::LogCompanySold, "LogCompanySold", "sells %1 for $ %2."},
    {MessageId::LogForced, "LogForced", "(forced: debts)"},
    {MessageId::LogLoanTaken, "LogLoanTaken", "borrows $ %1."},
    {MessageId::LogAutomaticLoan, "LogAutomaticLoan", "borrows $ %1 to cover negative cash."},
    {MessageId::LogLoanRepaid, "LogLoanRepaid", "pays back $ %1 of the loan."},
    {MessageId::LogBoughtFromPlayer, "LogBoughtFromPlayer",
     "buys %1 from %2 for $ %3; %2 receives $ %4."},
    {MessageId::LogPlayerOut, "LogPlayerOut", "is out of the game."},
    {MessageId::LogTurn, "LogTurn", "has the turn."},
    {MessageId::LogExtraTurn, "LogExtraTurn", "has an extra turn after a double six."},
    {MessageId::LogGameWon, "LogGameWon", "wins the game with $ %1."},
    {MessageId::LogNobodyWon, "LogNobodyWon", "Nobody wins: every player went broke."},
    {MessageId::GameLogTitle, "GameLogTitle", "Game log"},
    {MessageId::CrashTitle, "CrashTitle", "Quillbury - unexpected error"},
    {MessageId::CrashExplanation, "CrashExplanation",
     "Something went wrong that Quillbury did not expect. You can continue playing, but the game "
     "may not be quite right any more; saving it under a new name first is wise. The details below "
     "help us find the fault."},
    {MessageId::CrashContinue, "CrashContinue", "Continue"},
    {MessageId::CrashClose, "CrashClose", "Close program"},
    {MessageId::CrashMore, "CrashMore", "Further errors are not listed."},
    {MessageId::LogSaveFailed, "LogSaveFailed", "The game log could not be saved to %1."},
    {MessageId::LogSaveTitle, "LogSaveTitle", "Save the game log"},
    {MessageId::TextFiles, "TextFiles", "Text files (*.txt)"},
    {MessageId::RecentGone, "RecentGone",
     "The saved game %1 is no longer there. It has been taken off the list of recent games."},
    {MessageId::GameLogSave, "GameLogSave", "Save as text..."},
    {MessageId::HelpTitle, "HelpTitle", "Quillbury Help"},
    {MessageId::WallOfFameTitle, "WallOfFameTitle", "Wall of fame"},
    {MessageId::WallOfFameLastScore, "WallOfFameLastScore", "Last score entered: $ %1"},
    {MessageId::WallOfFameEmpty, "WallOfFameEmpty", "Nobody has entered the wall of fame yet."},
    {MessageId::WonText, "WonText", "%1 has won the game with $ %2!"},
    {MessageId::HighscoreAdded, "HighscoreAdded", "Your score of $ %1 is now on the wall of fame."},
    {MessageId::GameOverCaption, "GameOverCaption",
     "Game over. Choose File > New Game to play again."},
    {MessageId::StatisticsTitle, "StatisticsTitle", "Statistics"},
    {MessageId::StatisticsMoves, "StatisticsMoves", "Move"},
    {MessageId::StatisticsWorth, "StatisticsWorth", "Total worth (million $)"},
    {MessageId::TipSells, "TipSells", "Sells: %1"},
    {MessageId::TipPrice, "TipPrice", "Price: $ %1"},
    {MessageId::TipRentBare, "TipRentBare", "Rent without buildings: $ %1"},
    {MessageId::TipRentWithOne, "TipRentWithOne", "Rent with 1 building: $ %1"},
    {MessageId::TipRentWith, "TipRentWith", "Rent with %1 buildings: $ %2"},
    {MessageId::TipOwner, "TipOwner", "Owner: %1"},
    {MessageId::TipForSale, "TipForSale", "nobody: for sale"},
    {MessageId::TipNow, "TipNow", "Now: %1"},
    {MessageId::TipNoBuildings, "TipNoBuildings", "no buildings"},
    {MessageId::TipOneBuilding, "TipOneBuilding", "1 building"},
    {MessageId::TipBuildings, "TipBuildings", "%1 buildings"},
    {MessageId::AccessSquare, "AccessSquare", "Square %1"},
    {MessageId::AccessGround, "AccessGround", "Square %1: company %2"},
    {MessageId::AccessGroundState, "AccessGroundState", "owner %1, %2 buildings"},
    {MessageId::AccessNobody, "AccessNobody", "nobody"},
    {MessageId::AccessToken, "AccessToken", "%1's token"},
    {MessageId::AccessOnSquare, "AccessOnSquare", "on square %1"},
    {MessageId::AccessDie, "AccessDie", "Die showing %1"},
    {MessageId::AccessPanelState, "AccessPanelState", "cash $ %1, total $ %2"},
    {MessageId::AccessChart, "AccessChart", "Total worth of every player by move"},
    {MessageId::AccessPanel, "AccessPanel", "Status of %1"},
    {MessageId::NetWaitingFor, "NetWaitingFor", "Waiting for %1 (%2 s)."},
    {MessageId::NetOfferStandIn, "NetOfferStandIn",
     "%1 does not answer. Let the computer play for %1 until he is back?"},
    {MessageId::NetConnectionGone, "NetConnectionGone",
     "The connection to %1 is lost; the game waits for him to join again."},
    {MessageId::NetStandIn, "NetStandIn", "The computer plays for %1 until he is back."},
    {MessageId::NetSeatBack, "NetSeatBack", "%1 plays again."},
    {MessageId::NetPlayerJoined, "NetPlayerJoined", "%1 has joined the game."},
    {MessageId::NetInvite, "NetInvite", "Invite for the other players: %1"},
    {MessageId::NetCannotListen, "NetCannotListen", "Cannot host the game on port %1: %2"},
    {MessageId::NetHostPaused, "NetHostPaused", "The host has paused the game."},
    {MessageId::NetHostLeft, "NetHostLeft",
     "The host has ended the game. You can save the game as it stood."},
    {MessageId::NetConnectionLost, "NetConnectionLost",
     "The connection to the host is lost. Join again with the same invite."},
    {MessageId::NetJoinRefused, "NetJoinRefused",
     "The host did not let you in: the invite is wrong or the game is full."},
    {MessageId::NetStandInButton, "NetStandInButton", "Let the computer play"},
    {MessageId::NetJoining, "NetJoining", "Joining the game..."},
    {MessageId::NetTheirTurn, "NetTheirTurn", "%1 plays: wait for your turn."},
    {MessageId::NetWaitingToJoin, "NetWaitingToJoin",
     "Waiting for %1 to join with the invite %2; the computer may play for him meanwhile."},
    {MessageId::NetHostCurrent, "NetHostCurrent",
     "Host the game in progress, with its players as they are? (No: set up a new game.)"},
});

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
