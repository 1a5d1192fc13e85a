// SPDX-License-Identifier: MIT
// The daily exchange: command 'F', then the register's daily lines and operator lines, which become
// the text of the Reports pane under fixed headers, and one group line per department, which fill
// the Department report sheet. The exchange ends with the group line of department 9.
#pragma once

#include <string>
#include <string_view>

#include "grid/cell_table.h"
#include "transfers/report_line.h"
#include "transfers/transfer_context.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::transfers {

// Where the text of the daily exchange goes: the Reports pane of the desktop program, a string
// elsewhere.
class ReportPane {
 public:
  virtual ~ReportPane() = default;
  // Adds the text (Windows-1251 bytes, CR LF line ends) at the end of the pane.
  virtual void Append(std::string_view text) = 0;
  // Empties the pane.
  virtual void Clear() = 0;
};

// A pane that appends to a string the caller keeps.
class StringPane final : public ReportPane {
 public:
  explicit StringPane(std::string& text) : m_text(text) {}
  void Append(std::string_view text) override { m_text.append(text); }
  void Clear() override { m_text.clear(); }

 private:
  std::string& m_text;
};

// The headers of the report text, byte for byte in Windows-1251 with CR LF line ends.
// Before the first line: the title and the department turnover table.
std::string DailyHeader();
// Before the 10th daily line: discounts, additions and voids.
std::string DailyDiscountHeader();
// Before the 11th daily line: cash, cheque and card.
std::string DailyPaymentHeader();
// Before each operator's first line: "Operator report NN" (at least two digits) over a rule.
std::string OperatorTitle(int ordinal);
// After the operator title: the operator's discounts, additions and voids.
std::string OperatorDiscountHeader();
// Before each operator's second, third and fourth line: amounts taken, count of payments in and
// count of payments out, each by cash, cheque and card.
std::string OperatorTakingsHeader();
std::string OperatorPaymentsInHeader();
std::string OperatorPaymentsOutHeader();

// Appends the payload of a report line (from offset 8 up to the 4-byte trailer, the line taken up
// to any NUL), translated from the register's characters, and CR LF. A line under 15 bytes adds
// nothing.
void RenderReportLine(ReportPane& pane, std::string_view line);

// What storing the group line into the row would do: nothing (no data row, or a field cut short),
// or write a whole record, or a damaged one: a turnover that is no decimal number.
RecordCheck CheckDepartmentRecord(const grid::CellTable& grid, std::string_view line, int row);

// Stores the name (trimmed, then translated) and the turnover (trimmed) of a group line into the
// row of the Department report sheet and scrolls the name into view. Writes nothing when either
// field is cut short or the row is not a data row.
void StoreDepartmentRecord(app::Ui& ui, grid::CellTable& grid, std::string_view line, int row);

// Opens the port, identifies the register, sends 'F' and runs the daily exchange, showing "Read
// subgroup %u" for each department and the progress after each line, and asking after each line
// whether to stop. When the group line of department 9 has come, the pane's text is replaced by
// the report and the departments sent are stored (rows not sent keep their text): "Operation
// completed successfully", true. False, with the pane and the grid untouched, when the port, the
// identification or the command fails, when a line does not come ("Operation failed" after its
// own message), when a group line that would be stored is damaged (a message naming the line and
// its department), or when the person stops it (a status saying so).
bool DownloadDailyReport(TransferContext& ctx, ReportPane& pane, grid::CellTable& departmentGrid);

}  // namespace nuvrel::transfers
