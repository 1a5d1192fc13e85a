// SPDX-License-Identifier: MIT
// Report to articles: copying the Articles report into the Articles sheet.
#include "sheets/report_to_articles.h"

#include <algorithm>
#include <string>

#include "app/strings.h"
#include "app/ui.h"
#include "sheets/layouts.h"
#include "sheets/sheet_file.h"

namespace nuvrel::sheets {

bool ReportToArticles(app::Ui& ui, grid::CellTable& articles, const grid::CellTable& report,
                      std::string_view note) {
  std::string question(app::Text(app::Sid::ReportToArticlesQuestion));
  if (!note.empty()) question.append("\r\n\r\n").append(note);
  // Every article is replaced: Enter alone must not do that.
  if (!ui.Ask(question, app::Icon::Question, true)) return false;
  app::WaitCursor wait(ui);
  // Rows the report leaves empty must not keep old articles.
  ClearSheetData(articles);
  const int rows = std::min(articles.GetRowCount(), report.GetRowCount());
  for (int row = 1; row < rows; ++row) {
    for (int col = articles::kName; col <= articles::kInStock; ++col) {
      articles.SetItemText(row, col, report.GetItemText(row, col));
    }
  }
  return true;
}

}  // namespace nuvrel::sheets
