// SPDX-License-Identifier: MIT
#include "transfers/daily_report.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/format.h"
#include "app/strings.h"
#include "app/ui.h"
#include "link/report_layout.h"
#include "link/translation.h"
#include "sheets/layouts.h"
#include "transfers/register_session.h"
#include "transfers/report_line.h"

namespace nuvrel::transfers {
namespace {

constexpr std::string_view kCrLf = "\r\n";
// Below the discount tables and the operator title.
constexpr std::size_t kWideRule = 60;
// Below the cash, cheque and card tables.
constexpr std::size_t kPaymentRule = 49;
constexpr std::size_t kTitleRule = 28;

// The three payment columns: cash, cheque and card, in Windows-1251.
constexpr std::string_view kPaymentColumns =
    "     \xC3\xEE\xF2\xEE\xE2\xE8\xED\xE0|          \xD7\xE5\xEA|      "
    "\xCA\xE0\xF0\xF2\xE8\xF6\xE0|";
constexpr std::string_view kDiscountColumns =
    "disc  |  sum discount| add|  sum addition|void|     sum void";

std::string Rule(std::size_t width) {
  return std::string(width, '-') + std::string(kCrLf);
}

// A payment table: its label (six bytes) over the three payment columns.
std::string PaymentTable(std::string_view label) {
  return std::string(kCrLf) + std::string(label) + std::string(kPaymentColumns) +
         std::string(kCrLf) + Rule(kPaymentRule);
}

// The line's length up to its first NUL, as the register's text ends there.
std::size_t TextLength(std::string_view line) {
  const std::size_t nul = line.find('\0');
  return nul == std::string_view::npos ? line.size() : nul;
}

// The group line's two fields; nothing when either is cut short.
std::optional<std::pair<std::string, std::string>> ReadGroupFields(std::string_view line) {
  std::string name;
  std::string turnover;
  if (CopyField(line, link::group_line::kName.offset, link::group_line::kName.size, name) <
          link::group_line::kName.size ||
      CopyField(line, link::group_line::kTurnover.offset, link::group_line::kTurnover.size,
                turnover) < link::group_line::kTurnover.size) {
    return std::nullopt;
  }
  return std::pair{std::move(name), std::move(turnover)};
}

// Puts the header that a daily or operator line's place calls for before it.
class SectionHeaders {
 public:
  void Before(char type, ReportPane& pane) {
    if (type == link::kDailyLine) {
      ++m_dailyLines;
      if (m_dailyLines == 10) pane.Append(DailyDiscountHeader());
      if (m_dailyLines == 11) pane.Append(DailyPaymentHeader());
    } else if (type == link::kOperatorLine) {
      // Four lines per operator.
      switch (m_operatorLines % 4) {
        case 0:
          pane.Append(OperatorTitle(m_ordinal++));
          pane.Append(OperatorDiscountHeader());
          break;
        case 1: pane.Append(OperatorTakingsHeader()); break;
        case 2: pane.Append(OperatorPaymentsInHeader()); break;
        default: pane.Append(OperatorPaymentsOutHeader()); break;
      }
      ++m_operatorLines;
    }
  }

 private:
  std::size_t m_dailyLines = 0;
  std::size_t m_operatorLines = 0;
  int m_ordinal = 1;
};

struct StagedGroup {
  int row;
  std::string line;
};

}  // namespace

std::string DailyHeader() {
  return "Daily report" + std::string(kCrLf) + Rule(kTitleRule) + " gr.     turnover       tax%" +
         std::string(kCrLf) + Rule(kTitleRule);
}

std::string DailyDiscountHeader() {
  return std::string(kCrLf) + OperatorDiscountHeader();
}

std::string DailyPaymentHeader() {
  return PaymentTable("       ");
}

std::string OperatorTitle(int ordinal) {
  std::string number = std::to_string(ordinal);
  if (number.size() < 2) number.insert(0, 2 - number.size(), '0');
  return std::string(kCrLf) + "Operator report " + number + std::string(kCrLf) + Rule(kWideRule);
}

std::string OperatorDiscountHeader() {
  return std::string(kDiscountColumns) + std::string(kCrLf) + Rule(kWideRule);
}

std::string OperatorTakingsHeader() {
  return PaymentTable("\xCF\xEE\xF2\xF0. |");
}
std::string OperatorPaymentsInHeader() {
  return PaymentTable("\xC1\xF0.\xD3\xEF\xEB|");
}
std::string OperatorPaymentsOutHeader() {
  return PaymentTable("\xC1\xF0.\xC8\xF1\xEF|");
}

void RenderReportLine(ReportPane& pane, std::string_view line) {
  const std::size_t length = TextLength(line);
  if (length < 15) return;
  // The payload runs from the type letter's end to the 4-byte trailer.
  std::string payload;
  CopyField(line, 8, length - 12, payload);
  link::TranslateText(payload, false);
  payload += kCrLf;
  pane.Append(payload);
}

RecordCheck CheckDepartmentRecord(const grid::CellTable& grid, std::string_view line, int row) {
  if (row < 1 || row >= grid.GetRowCount()) return RecordCheck::Unstored;
  const auto fields = ReadGroupFields(line);
  if (!fields) return RecordCheck::Unstored;
  return IsDecimalField(fields->second) ? RecordCheck::Whole : RecordCheck::Damaged;
}

void StoreDepartmentRecord(app::Ui& ui, grid::CellTable& grid, std::string_view line, int row) {
  if (row < 1 || row >= grid.GetRowCount()) return;
  const auto fields = ReadGroupFields(line);
  if (!fields) return;
  std::string name(app::Trim(fields->first, kFieldBlanks));
  link::TranslateText(name, false);
  grid.SetItemText(row, sheets::departments::kName, name);
  ui.EnsureVisible(grid, row, sheets::departments::kName);
  // A comma in the turnover is the cell's business: its rule reads it as the decimal point.
  grid.SetItemText(row, sheets::departments::kTurnover,
                   std::string(app::Trim(fields->second, kFieldBlanks)));
}

bool DownloadDailyReport(TransferContext& ctx, ReportPane& pane, grid::CellTable& departmentGrid) {
  app::Ui& ui = ctx.ui;
  app::WaitCursor wait(ui);
  RegisterSession session(ctx);
  if (!session.Open()) return false;
  link::Channel& channel = session.Channel();
  if (!link::SendCommand(channel, 'F')) return false;

  // The text and the group lines wait here until department 9 has come: an exchange that fails or
  // is stopped leaves the pane and the sheet as they were.
  std::string text = DailyHeader();
  StringPane staging(text);
  std::vector<StagedGroup> groups;
  const std::string_view what = app::Text(app::Sid::ReadingDailyReport);
  unsigned lines = 0;
  ReportLineReader reader(channel);
  std::string line;
  auto receive = [&] {
    if (reader.Receive(line) == 0) return false;
    ++lines;
    return true;
  };
  auto stopped = [&] {
    if (!ui.StopRequested()) return false;
    session.Close();
    ui.SetStatus(
        app::FormatCount(lines, app::Sid::StoppedAfterLine, app::Sid::StoppedAfterLines, {lines}));
    return true;
  };

  ui.ShowProgress({what, lines, 0});
  bool received = receive();
  // The daily and operator lines, each under the header its place calls for.
  SectionHeaders headers;
  while (received) {
    const char type = line.size() > 7 ? line[7] : '\0';
    if (type == link::kGroupLine) break;
    headers.Before(type, staging);
    RenderReportLine(staging, line);
    ui.PumpPaintMessages();
    ui.ShowProgress({what, lines, 0});
    if (stopped()) return false;
    received = receive();
  }

  // The group lines, whatever their type letter, until department 9.
  bool complete = false;
  while (received && !complete) {
    const long index =
        ParseFieldNumber(line, link::group_line::kIndex.offset, link::group_line::kIndex.size);
    if (index != -1) {
      // The field is one byte wide, so the index is a single digit.
      const int row = static_cast<int>(index) + 1;
      const RecordCheck check = CheckDepartmentRecord(departmentGrid, line, row);
      if (check == RecordCheck::Damaged) {
        ui.ShowMessage(app::Format(app::Sid::DamagedGroupLine, {lines, index}), app::Icon::Error);
        ui.SetStatus(app::Text(app::Sid::OperationFailed));
        return false;
      }
      ui.SetRecordStatus(app::Format(app::Sid::ReadSubgroup, {index}));
      if (check == RecordCheck::Whole) groups.push_back({row, line});
      ui.PumpPaintMessages();
    }
    ui.ShowProgress({what, lines, 0});
    complete = index == 9;
    if (!complete) {
      if (stopped()) return false;
      received = receive();
    }
  }
  if (!complete) {
    // The line that did not come has shown its own message.
    ui.SetStatus(app::Text(app::Sid::OperationFailed));
    return false;
  }
  session.Close();

  pane.Clear();
  pane.Append(text);
  for (const StagedGroup& group : groups) {
    StoreDepartmentRecord(ui, departmentGrid, group.line, group.row);
  }
  ui.SetStatus(app::Text(app::Sid::OperationCompleted));
  return true;
}

}  // namespace nuvrel::transfers
