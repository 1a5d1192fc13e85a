// SPDX-License-Identifier: MIT
// Printing from the workspace: the grid sheet in front (up to its last row with data) or the
// Reports text, on the printer Print Setup chose, with the print dialog's page range; and saving
// the Reports text.
#include <QFileInfo>
#include <QPrinter>
#include <optional>

#include "app/file_replace.h"
#include "app/format.h"
#include "app/strings.h"
#include "gui/dialogs.h"
#include "gui/grid_printer.h"
#include "gui/grid_widget.h"
#include "gui/gui_ui.h"
#include "gui/print_setup_dialog.h"
#include "gui/reports_edit.h"
#include "gui/text_codec.h"
#include "gui/workspace_view.h"

namespace nuvrel::gui {

QPrinter& WorkspaceView::Printer() {
  if (!m_printer) {
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    ApplyPrintChoice(LoadPrintChoice(*m_printer), *m_printer);
  }
  return *m_printer;
}

void WorkspaceView::OnPrintSetup() {
  QPrinter& printer = Printer();
  if (const auto choice = m_dialogs.PrintSetup(this, ChoiceOf(printer))) {
    ApplyPrintChoice(*choice, printer);
    StorePrintChoice(ChoiceOf(printer));
  }
}

void WorkspaceView::OnPrint(bool preview) {
  const sheets::SheetId id = Current();
  GridWidget* grid = Grid(id);
  if (grid && m_workspace->IsEmpty(id)) {
    // A page of headings alone is no use to anyone.
    m_ui.ShowMessage(app::Text(app::Sid::NothingToPrint), app::Icon::Information);
    return;
  }
  QPrinter& printer = Printer();
  // Each job starts from every page; the range chosen for the last one is no longer meant.
  printer.setPrintRange(QPrinter::AllPages);
  printer.setPageRanges({});
  // The job's name, and the file name offered when printing to a file.
  printer.setDocName(DocumentName());

  // The page header names the sheet and its file, as its tab does.
  std::optional<GridPrinter> gridPrinter;
  if (grid) gridPrinter.emplace(grid->Table(), FromUtf8(SheetCaption(id)));
  auto print = [&](QPrinter& target) {
    if (gridPrinter) return gridPrinter->Print(target);
    m_reports->PrintTo(target);
    return true;
  };
  if (preview) {
    m_dialogs.Preview(this, printer, [&](QPrinter* target) { print(*target); });
  } else {
    const int pages =
        gridPrinter ? gridPrinter->CountPages(printer) : m_reports->PageCount(printer);
    if (!m_dialogs.Print(this, printer, pages)) return;
    if (!print(printer) && !printer.outputFileName().isEmpty()) {
      m_ui.ShowMessage(
          app::Format(app::Sid::CannotCreateFile, {printer.outputFileName().toStdString()}),
          app::Icon::Error);
    }
  }
  // The printer, paper and orientation chosen in the dialog are kept like Print Setup's.
  StorePrintChoice(ChoiceOf(printer));
}

bool WorkspaceView::SaveReports() {
  const auto chosen = m_dialogs.SaveFileName(this, FileKind::Text);
  if (!chosen) return false;
  // The same bytes as the command-line tool's daily report file: Windows-1251, CR LF.
  return app::SaveFile(m_ui, ToPath(QFileInfo(*chosen).absoluteFilePath()), m_reports->Text());
}

}  // namespace nuvrel::gui
