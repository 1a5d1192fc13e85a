// SPDX-License-Identifier: MIT
#include "transfers/articles_report.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/format.h"
#include "app/strings.h"
#include "app/ui.h"
#include "link/report_layout.h"
#include "link/translation.h"
#include "sheets/layouts.h"
#include "sheets/sheet_file.h"
#include "transfers/register_memory.h"
#include "transfers/register_session.h"
#include "transfers/report_line.h"

namespace nuvrel::transfers {
namespace {

namespace columns = sheets::articles;

enum { kName, kBarcode, kPrice, kTaxGroup, kDepartment, kUnit, kTurnover, kSales, kStock, kCount };
constexpr std::array<link::ReportField, kCount> kFields = {
    link::article_line::kName,     link::article_line::kBarcode,    link::article_line::kPrice,
    link::article_line::kTaxGroup, link::article_line::kDepartment, link::article_line::kUnit,
    link::article_line::kTurnover, link::article_line::kSales,      link::article_line::kStock};
using ArticleRecord = std::array<std::string, kCount>;

// The nine fields of an article line; nothing when any is cut short.
std::optional<ArticleRecord> ReadFields(std::string_view line) {
  ArticleRecord fields;
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    if (CopyField(line, kFields[i].offset, kFields[i].size, fields[i]) < kFields[i].size) {
      return std::nullopt;
    }
  }
  return fields;
}

bool IsDataRow(const grid::CellTable& grid, int row) {
  return row >= 1 && row <= std::min(kReportArticleRows, grid.GetRowCount() - 1);
}

// A decimal of the register, which may use a comma, as the sheet writes it.
std::string Amount(std::string_view field) {
  std::string text(app::Trim(field, kFieldBlanks));
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

// What the register holds of its articles is what it has just reported.
void RememberArticles(TransferContext& ctx, const grid::CellTable& report, unsigned count) {
  if (ctx.dataFolder.empty()) return;
  std::unique_ptr<grid::CellTable> known = NewKnownTable(sheets::SheetId::Articles);
  const int last = std::min(kReportArticleRows, report.GetRowCount() - 1);
  for (int row = 1; row <= last; ++row) {
    for (int col = columns::kName; col <= columns::kInStock; ++col) {
      const std::string text = report.GetItemText(row, col);
      if (!text.empty()) known->SetItemText(row, col, text);
    }
  }
  RegisterMemory memory(ctx.dataFolder);
  RecordState(ctx.ui, memory, ctx.identity.deviceNumber, sheets::SheetId::Articles, *known,
              StateSource::Report, count);
}

}  // namespace

RecordCheck CheckArticleRecord(const grid::CellTable& grid, std::string_view line, int row) {
  if (!IsDataRow(grid, row)) return RecordCheck::Unstored;
  const std::optional<ArticleRecord> f = ReadFields(line);
  if (!f) return RecordCheck::Unstored;
  const bool whole = IsDigitField((*f)[kBarcode]) && IsDecimalField((*f)[kPrice]) &&
                     IsDecimalField((*f)[kTurnover]) && IsDecimalField((*f)[kSales]) &&
                     IsDecimalField((*f)[kStock]);
  return whole ? RecordCheck::Whole : RecordCheck::Damaged;
}

void StoreArticleRecord(app::Ui& ui, grid::CellTable& grid, std::string_view line, int row) {
  if (!IsDataRow(grid, row)) return;
  // Every field is read before any is written, so a cut line leaves the row as it was.
  std::optional<ArticleRecord> f = ReadFields(line);
  if (!f) return;
  ArticleRecord& fields = *f;

  // Trimmed before the translation: a register character that has no PC form becomes a blank
  // there, and such a blank stays part of the name.
  std::string name(app::Trim(fields[kName], kFieldBlanks));
  link::TranslateText(name, false);
  grid.SetItemText(row, columns::kName, name);
  ui.EnsureVisible(grid, row, columns::kName);
  grid.SetItemText(row, columns::kBarcode, std::string(app::Trim(fields[kBarcode], kFieldBlanks)));
  grid.SetItemText(row, columns::kPrice, Amount(fields[kPrice]));
  link::TranslateText(fields[kTaxGroup], false);
  grid.SetItemText(row, columns::kTaxGroup, fields[kTaxGroup]);
  grid.SetItemText(row, columns::kDepartment, fields[kDepartment]);
  grid.SetItemText(row, columns::kUnit, fields[kUnit]);
  grid.SetItemText(row, columns::kInStock, Amount(fields[kStock]));
  grid.SetItemText(row, columns::kTurnover, Amount(fields[kTurnover]));
  grid.SetItemText(row, columns::kSales, Amount(fields[kSales]));
}

bool DownloadArticlesReport(TransferContext& ctx, grid::CellTable& grid) {
  app::Ui& ui = ctx.ui;
  app::WaitCursor wait(ui);
  RegisterSession session(ctx);
  if (!session.Open()) return false;
  link::Channel& channel = session.Channel();
  if (!link::SendCommand(channel, 'f')) return false;

  // The lines wait here until the report has ended: a report that fails or is stopped leaves the
  // sheet as it was.
  struct Staged {
    int row;
    std::string line;
  };
  std::vector<Staged> staged;
  const std::string_view what = app::Text(app::Sid::ReadingArticlesReport);
  unsigned count = 0;
  unsigned ordinal = 0;  // of the line in the report, to name a damaged one
  ui.ShowProgress({what, count, 0});
  ReportLineReader reader(channel);
  std::string line;
  std::size_t length = reader.Receive(line);
  while (length > link::kArticlesReportEndLength) {
    ++ordinal;
    const long number = ParseFieldNumber(line, link::article_line::kNumber.offset,
                                         link::article_line::kNumber.size);
    if (number != -1) {
      // A number that does not fit an int is no row of the sheet either.
      const int row = number < 0 || number > kReportArticleRows ? 0 : static_cast<int>(number);
      const RecordCheck check = CheckArticleRecord(grid, line, row);
      if (check == RecordCheck::Damaged) {
        ui.ShowMessage(app::Format(app::Sid::DamagedArticleLine, {ordinal, number}),
                       app::Icon::Error);
        ui.SetStatus(app::FormatCount(count, app::Sid::TransferFailedAfterOne,
                                      app::Sid::TransferFailedAfter, {count}));
        return false;
      }
      ui.SetRecordStatus(app::Format(app::Sid::ReadItem, {number}));
      ++count;
      if (check == RecordCheck::Whole) staged.push_back({row, line});
      ui.PumpPaintMessages();
    }
    ui.ShowProgress({what, count, 0});
    if (ui.StopRequested()) {
      session.Close();
      ui.SetStatus(app::FormatCount(count, app::Sid::StoppedAfterItem, app::Sid::StoppedAfterItems,
                                    {count}));
      return false;
    }
    length = reader.Receive(line);
  }
  if (length == 0) {
    // The receive has shown why; the status says how far the report came, not that it succeeded.
    ui.SetStatus(app::FormatCount(count, app::Sid::TransferFailedAfterOne,
                                  app::Sid::TransferFailedAfter, {count}));
    return false;
  }
  session.Close();

  // Rows the register did not report are empty afterwards.
  sheets::ClearSheetData(grid);
  for (const Staged& record : staged) StoreArticleRecord(ui, grid, record.line, record.row);
  RememberArticles(ctx, grid, count);
  ui.SetStatus(app::FormatCount(count, app::Sid::ItemReadOne, app::Sid::ItemsRead, {count}));
  return true;
}

}  // namespace nuvrel::transfers
