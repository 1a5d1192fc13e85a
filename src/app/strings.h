// SPDX-License-Identifier: MIT
// The string table: every text that Nuvrel shows the person, by its ID.
#pragma once

#include <string>
#include <string_view>

namespace nuvrel::app {

// IDs below 21000 are the register tool's historical resource numbers and are kept as they are,
// since captions and headers are loaded by number (caption of sheet i is 20800 + i). Texts without
// a historical number live from 21000 up.
enum class Sid : int {
  FileCannotOpen = 20000,    // "%s" path
  ErrorReadingLine = 20001,  // "%d" line number
  ErrorWritingFile = 20002,  // "%s" path
  CannotCreateFile = 20003,  // "%s" path
  ResetAllData = 20004,
  HeaderText = 20006,
  HeaderName = 20009,
  HeaderBarcode = 20010,
  HeaderPrice = 20011,
  HeaderTaxGroup = 20012,
  HeaderTurnover = 20013,
  HeaderSales = 20014,
  HeaderInStock = 20015,
  HeaderDepartment = 20016,
  HeaderUnit = 20017,
  CannotOpenPort = 20023,  // "%d" port number
  Timeout = 20024,
  Nack = 20025,
  InvalidData = 20026,
  CrcError = 20027,
  BadEcrNumber = 20028,
  CannotSend = 20029,
  EnterNumberBetween = 20031,  // "%u" largest line
  NameTooLong = 20032,
  PriceTooBig = 20033,
  QuantityTooBig = 20034,
  SendingLine = 20035,  // "%u" row
  ItemsSent = 20036,    // "%u" count
  EmptySelectedCells = 20037,
  SelectionSent = 20038,
  OperatorNameTooLong = 20039,
  LineTooLong = 20040,
  NotFoundEndOfGrid = 20048,
  NotFoundEndOfSelection = 20049,
  NoTextToFind = 20050,
  NotFoundBeginningOfGrid = 20051,
  NotFoundBeginningOfSelection = 20052,
  CaptionArticles = 20800,  // 20800 + SheetId
  CaptionOperators,
  CaptionDepartments,
  CaptionFirmData,
  CaptionAdvertisement,
  CaptionArticlesReport,
  CaptionDepartmentReport,
  CaptionReports,
  CaptionArticlesFile = 20900,  // 20900 + SheetId, "%s" file name
  CaptionOperatorsFile,
  CaptionDepartmentsFile,
  CaptionFirmDataFile,
  CaptionAdvertisementFile,
  CaptionArticlesReportFile,
  CaptionDepartmentReportFile,
  CaptionReportsFile,
  AppTitle = 57344,
  IdleStatus = 57345,

  ReadItem = 21000,  // "%u" article number
  ItemsRead,         // "%u" count
  ReadSubgroup,      // "%u" department index
  OperationCompleted,
  TransferFailedAfter,  // "%u" count
  OperationFailed,
  ReportToArticlesQuestion,
  LogoTooManyColors,
  LogoSelectFile,
  LogoTooLarge,
  CannotAllocateMemory,
  LogoLoadDefault,
  LogoInfo,  // "%u" width, height, colours
  LineInfo,  // "%u" row, column, length
  CountrySerbia,
  PriceNegative,
  QuantityNegative,
  QuantityNotNumber,
  SerialNumberLabel,
  VersionLabel,
  CountryLabel,
  PortLabel,
  PortDeviceHint,  // "%s" device path, "%s" reason
  PortPermissionHint,
  SimulatedRegister,  // "%s" device path
  UnsavedSheets,      // "%s" sheet captions, one a line
  NotSavedNote,       // "%s" sheet captions
  HiddenColumnsSent,  // "%s" column headers

  // An upload's counts; each has a form for one item and one for several.
  StoppedAfter = 21030,  // "%u" sent, "%u" in all
  StoppedAfterOne,
  UploadFailedAfter,  // "%u" sent, "%u" in all
  UploadFailedAfterOne,
  ItemSent,            // "%u" count (1)
  SelectionItemsSent,  // "%u" count
  SelectionItemSent,
  SendingSheet,  // "%s" sheet caption
  SendingLogo,
  ResumeHint,
  // The forms for one item of the download texts.
  ItemReadOne = 21040,  // "%u" count (1)
  TransferFailedAfterOne,
  StoppedAfterItem,
  StoppedAfterLine,

  // The check before sending, and characters a sheet cannot hold.
  ProblemsStopSending = 21050,
  ProblemsWarningsOnly = 21051,
  ProblemRowHeader = 21052,
  ProblemColumnHeader = 21053,
  ProblemHeader = 21054,
  ProblemError = 21055,
  ProblemWarning = 21056,
  ProblemLine = 21057,            // "%s" kind, "%s" message
  UnprintableCharacters = 21058,  // "%s" the characters
  SendAnyway = 21059,
  CharactersNotInSheet = 21060,  // "%s" each character and what replaces it
  ReplaceCharacters = 21061,
  BackToEditing = 21062,

  LineHungUp = 21070,
  DamagedArticleLine = 21071,     // "%u" line of the report, "%u" article number
  DamagedGroupLine = 21072,       // "%u" line of the report, "%u" department index
  ReadingArticlesReport = 21073,  // what the progress shows
  ReadingDailyReport = 21074,
  StoppedAfterItems = 21075,  // "%u" count
  StoppedAfterLines = 21076,  // "%u" count

  // Choosing the serial port, and why one cannot be opened.
  PortGroupHint = 21120,  // "%s" group, "%s" group
  PortHeldBy = 21121,     // "%s" program name, "%d" process ID
  DeviceLabel = 21122,
  DeviceNotFound = 21123,  // "%s" device path

  // Ports on the network: addresses, connections, certificates.
  AddressUnknownKind = 21400,
  AddressNoPort,
  AddressBadHost,     // "%s" host
  CannotResolveHost,  // "%s" host, "%s" reason
  ConnectTimedOut,    // "%u" milliseconds
  ConnectionClosed,
  PlainAcrossNetwork,  // "%s" address
  NoLineControl,
  CertificateRefused,  // "%s" reason
  SecureLinkFailed,    // "%s" reason
  CannotReadTlsFile,   // "%s" what, "%s" path, "%s" reason
  CaFileWord,
  ClientCertificateWord,
  ClientKeyWord,
  DevicePlaceholder,

  // The window, help, printing and the Logo Manager.
  WindowTitle = 21140,  // "%s" the sheet's file name (or caption), "%s" the application title
  ManualNoViewer,       // "%s" the manual's path
  ManualMissing,        // "%s" the manual's path
  NothingToPrint,
  LogoFile,  // "%s" file name
  LogoBuiltInShown,
  LogoSent,  // "%s" file name
  PrinterLabel,
  PaperLabel,
  OrientationLabel,
  Portrait,
  Landscape,
  NoPrinter,

  // What each register holds: recording it, comparing a sheet with it, sending what changed.
  NothingKnown = 21200,  // "%06u" device, "%s" sheet caption
  SendWholeSheetButton,
  ReadReportButton,
  NoChanges,         // "%06u" device
  ChangesSent,       // "%u" count
  ChangeSent,        // "%u" count (1)
  StateFileForeign,  // "%s" path
  StateFileDamaged,  // "%s" path, "%u" line
  StateNotRecorded,  // "%06u" device, "%s" path
  DifferencesNone,   // "%06u" device
  DifferencesOne,    // "%u" count (1), "%06u" device
  DifferencesMany,   // "%u" count, "%06u" device
  NothingRecorded,
  NoMoreDifferences,
  HistoryTitle = 21220,
  HistoryRegister,
  HistoryTime,
  HistorySheet,
  HistoryWhat,
  HistoryRows,
  HistoryOpen,
  HistoryEmpty,
  HistoryOpened,  // "%06u" device, "%s" time
  StateSent = 21230,
  StateSelection,
  StateChanges,
  StateReport,

  // Windows.
  PortInUse = 21300,
  NoNetworkPorts = 21350,
};

// The text of an ID; the empty text for an ID the table does not hold.
std::string_view Text(Sid id);

// The caption of the sheet with the index (0 Articles .. 7 Reports), and the caption with its
// file's name ("%s").
constexpr Sid SheetCaption(int index) {
  return static_cast<Sid>(static_cast<int>(Sid::CaptionArticles) + index);
}
constexpr Sid SheetFileCaption(int index) {
  return static_cast<Sid>(static_cast<int>(Sid::CaptionArticlesFile) + index);
}

}  // namespace nuvrel::app
