// SPDX-License-Identifier: MIT
// One report line from the register, taken the way the downloads take it: the field readers, the
// record checks and the stores of an article line and a group line, and the rendering of a daily
// line. A line that the check would not store leaves its row as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "grid/cell_table.h"
#include "link/report_layout.h"
#include "sheets/layouts.h"
#include "support/recording_ui.h"
#include "transfers/articles_report.h"
#include "transfers/daily_report.h"
#include "transfers/report_line.h"

namespace {

using namespace nuvrel;
using namespace nuvrel::transfers;

// A sheet laid out once; a full layout costs far more than one line.
template <void (*Setup)(grid::CellTable&)>
grid::CellTable& LaidOut() {
  static grid::CellTable grid(nullptr);
  static const bool ready = (Setup(grid), true);
  (void)ready;
  return grid;
}

std::vector<std::string> RowTexts(const grid::CellTable& grid, int row) {
  std::vector<std::string> texts;
  for (int c = 0; c < grid.GetColumnCount(); ++c) texts.push_back(grid.GetItemText(row, c));
  return texts;
}

// Stores the line with the check's verdict in mind, then puts the row back for the next input.
template <class Check, class Store>
void CheckThenStore(grid::CellTable& grid, int row, Check check, Store store) {
  const RecordCheck verdict = check();
  const std::vector<std::string> before = RowTexts(grid, row);
  store();
  if (verdict == RecordCheck::Unstored) FUZZ_CHECK(RowTexts(grid, row) == before);
  for (std::size_t c = 0; c < before.size(); ++c) {
    grid.RestoreItemText(row, static_cast<int>(c), before[c]);
  }
}

void CheckFieldReaders(std::string_view line) {
  std::string field;
  const std::size_t copied = CopyField(line, 8, 13, field);
  FUZZ_CHECK(copied == field.size() && copied <= 13);
  FUZZ_CHECK(field.find('\0') == std::string::npos);
  FUZZ_CHECK(copied == 0 || line.substr(8, copied) == field);
  const std::string_view trimmed = app::Trim(field, kFieldBlanks);
  FUZZ_CHECK(app::Trim(trimmed, kFieldBlanks) == trimmed);
  if (IsDigitField(field)) FUZZ_CHECK(IsDecimalField(field));
}

void CheckRendering(std::string_view line) {
  std::string text;
  StringPane pane(text);
  RenderReportLine(pane, line);
  // The payload keeps its length through the translation and gains CR LF.
  const std::size_t length = line.substr(0, line.find('\0')).size();
  FUZZ_CHECK(text.size() == (length < 15 ? 0 : length - 10));
  FUZZ_CHECK(text.empty() || text.ends_with("\r\n"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  test::RecordingUi ui;
  CheckFieldReaders(line);
  CheckRendering(line);

  // The article's number picks its row, as in the articles download.
  const long number =
      ParseFieldNumber(line, link::article_line::kNumber.offset, link::article_line::kNumber.size);
  if (number != -1) {
    const int row = number < 0 || number > kReportArticleRows ? 0 : static_cast<int>(number);
    grid::CellTable& articles = LaidOut<sheets::SetupArticlesReportSheet>();
    CheckThenStore(
        articles, row, [&] { return CheckArticleRecord(articles, line, row); },
        [&] { StoreArticleRecord(ui, articles, line, row); });
  }

  // The department's index picks its row, as in the daily exchange.
  const long index =
      ParseFieldNumber(line, link::group_line::kIndex.offset, link::group_line::kIndex.size);
  if (index != -1) {
    const int row = static_cast<int>(index) + 1;
    grid::CellTable& departments = LaidOut<sheets::SetupDepartmentReportSheet>();
    CheckThenStore(
        departments, row, [&] { return CheckDepartmentRecord(departments, line, row); },
        [&] { StoreDepartmentRecord(ui, departments, line, row); });
  }
  return 0;
}
