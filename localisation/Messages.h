#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "localisation/RegularFile.h"

namespace quillbury {

class IniFile;

// Messages about files and data, kept in section "Messages" of the language files. Each has a
// built-in English text, used when there is no language file (the simulator, an early failure)
// or the file lacks the key. "%1", "%2", ... stand for the arguments.
enum class MessageId {
  FileMissing,
  FileIsFolder,
  FileIsPipe,
  FileIsDevice,
  FileNotRegular,
  FileTooLarge,
  FileUnreadable,
  NotASavedGame,
  NothingToSave,
  SaveReadOnly,
  SaveFolderNotWritable,
  SaveFailed,
  RecentPathTooLong,
  DatabaseUnreadable,
  DatabaseNoCompany,
  DatabaseNoName,
  DatabaseBadPrice,
  InputGroundNumber,
  InputLevel,
  InputAmount,
  RefusedNotYours,
  RefusedNoOtherOwner,
  RefusedCannotAfford,
  RefusedNoSuchBuildings,
  RefusedMoneyLimit,
  LogGameStarted,
  LogGameLoaded,
  LogGameSaved,
  LogError,
  LogRolled,
  LogPassedStart,
  LogWalkEnded,
  LogBought,
  LogRentPaid,
  LogLottery,
  LogCarBill,
  LogInheritance,
  LogTax,
  LogMayorBonus,
  LogEnergyBill,
  LogWaterBill,
  LogCasinoWin,
  LogBribePaid,
  LogJailed,
  LogPayRise,
  LogShortcut,
  LogRobbed,
  LogBuilt,
  LogBuiltDown,
  LogBuildingSold,
  LogCompanySold,
  LogForced,
  LogLoanTaken,
  LogAutomaticLoan,
  LogLoanRepaid,
  LogBoughtFromPlayer,
  LogPlayerOut,
  LogTurn,
  LogExtraTurn,
  LogGameWon,
  LogNobodyWon,
  GameLogTitle,
  CrashTitle,
  CrashExplanation,
  CrashContinue,
  CrashClose,
  CrashMore,
  LogSaveFailed,
  LogSaveTitle,
  TextFiles,
  RecentGone,
  GameLogSave,
  HelpTitle,
  WallOfFameTitle,
  WallOfFameLastScore,
  WallOfFameEmpty,
  WonText,
  HighscoreAdded,
  GameOverCaption,
  StatisticsTitle,
  StatisticsMoves,
  StatisticsWorth,
  TipSells,
  TipPrice,
  TipRentBare,
  TipRentWithOne,
  TipRentWith,
  TipOwner,
  TipForSale,
  TipNow,
  TipNoBuildings,
  TipOneBuilding,
  TipBuildings,
  AccessSquare,
  AccessGround,
  AccessGroundState,
  AccessNobody,
  AccessToken,
  AccessOnSquare,
  AccessDie,
  AccessPanelState,
  AccessChart,
  AccessPanel,
  // network play
  NetWaitingFor,
  NetOfferStandIn,
  NetConnectionGone,
  NetStandIn,
  NetSeatBack,
  NetPlayerJoined,
  NetInvite,
  NetCannotListen,
  NetHostPaused,
  NetHostLeft,
  NetConnectionLost,
  NetJoinRefused,
  NetStandInButton,
  NetJoining,
  NetTheirTurn,
  NetWaitingToJoin,
  NetHostCurrent,
};

struct MessageEntry {
  MessageId id;
  const char* key;
  const char* english;
};

// Every message with its key, in the order of MessageId.
std::span<const MessageEntry> AllMessages();

// The message in the language of file (English when file is null or lacks it), with "%n"
// replaced by the n-th argument. Arguments are inserted as they are, never scanned again.
std::string MessageText(const IniFile* file, MessageId id,
                        std::initializer_list<std::string_view> args = {});

// Why path could not be read, in one sentence.
std::string DescribeFileProblem(const IniFile* file, FileProblem problem, const std::string& path);

}  // namespace quillbury
