// SPDX-License-Identifier: MIT
#include "gui/workspace_view.h"

#include <QApplication>
#include <QMenu>
#include <QPrinter>

#include "app/format.h"
#include "app/strings.h"
#include "gui/dialogs.h"
#include "gui/grid_widget.h"
#include "gui/gui_ui.h"
#include "gui/qt_text_measurer.h"
#include "gui/reports_edit.h"
#include "gui/text_codec.h"
#include "sheets/report_to_articles.h"
#include "transfers/articles_report.h"
#include "transfers/daily_report.h"
#include "transfers/uploads.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;

constexpr int kUndoSteps = 100;
// A kept width beyond this (a hand-edited settings file) is not taken: the whole sheet's widths
// are left as they are.
constexpr int kMaxKeptColumnWidth = 4000;

QFont SheetFont() {
  QFont font("Courier New");
  font.setPixelSize(14);
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace

WorkspaceView::WorkspaceView(GuiUi& ui, Dialogs& dialogs, RegisterLink& link, QWidget* parent)
    : QTabWidget(parent),
      m_ui(ui),
      m_dialogs(dialogs),
      m_link(link),
      m_measurer(std::make_unique<QtTextMeasurer>(SheetFont())) {
  setTabPosition(QTabWidget::South);
  setDocumentMode(true);
  // The sheets are laid out in the real font, so auto-sized columns fit what is drawn.
  m_workspace = std::make_unique<sheets::Workspace>(m_measurer.get());

  for (const sheets::SheetInfo& info : sheets::GridSheets()) {
    auto* grid = new GridWidget(m_workspace->Grid(info.id), this);
    grid->SetGridFont(SheetFont());
    m_grids[static_cast<std::size_t>(sheets::Index(info.id))] = grid;
    m_ui.RegisterGrid(m_workspace->Grid(info.id), grid);
    addTab(grid, "temp");
    UpdateSheetCaption(sheets::Index(info.id));
    connect(grid, &GridWidget::contextMenuRequested, this,
            [this](const QPoint& at) { ShowContextMenu(at, false); });
    connect(grid, &GridWidget::focusCellChanged, this, &WorkspaceView::stateChanged);
    connect(grid, &GridWidget::editTextChanged, this, &WorkspaceView::stateChanged);
    connect(grid, &GridWidget::edited, this, &WorkspaceView::CommitChange);
    // Going back to an edit that a switch of sheets was ending brings its sheet back; after the
    // switch has finished.
    connect(
        grid, &GridWidget::editResumed, this,
        [this, grid] {
          if (currentWidget() == grid || !grid->IsEditing()) return;
          setCurrentWidget(grid);
          grid->Editor()->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
  }
  m_reports = new ReportsEdit(m_workspace->ReportsText(), this);
  m_reports->setFont(SheetFont());
  addTab(m_reports, FromUtf8(app::Text(app::Sid::CaptionReports)));
  connect(m_reports, &ReportsEdit::contextMenuRequested, this,
          [this](const QPoint& at) { ShowContextMenu(at, true); });
  // Copy on the Reports tab follows its selection.
  connect(m_reports, &ReportsEdit::copyAvailable, this, &WorkspaceView::stateChanged);
  connect(this, &QTabWidget::currentChanged, this, &WorkspaceView::stateChanged);
  connect(this, &QTabWidget::currentChanged, this, &WorkspaceView::RefreshDifferences);
  // Large steps (a whole sheet read or cleared) hold every cell twice; a bound keeps memory in
  // check.
  m_undo.setUndoLimit(kUndoSteps);
  connect(&m_undo, &QUndoStack::indexChanged, this, &WorkspaceView::stateChanged);
  setCurrentIndex(0);
}

WorkspaceView::~WorkspaceView() {
  // Removing the tabs must not reach the window that is going too.
  blockSignals(true);
  m_undo.disconnect(this);
  // The grids observe the workspace's tables and the Reports pane holds its text: they go first.
  for (GridWidget*& grid : m_grids) {
    delete grid;
    grid = nullptr;
  }
  delete m_reports;
  m_reports = nullptr;
}

GridWidget* WorkspaceView::Grid(SheetId id) const {
  return sheets::IsGridSheet(id) ? m_grids[static_cast<std::size_t>(sheets::Index(id))] : nullptr;
}

bool WorkspaceView::IsEnabled(Cmd command) const {
  const SheetId current = Current();
  switch (command) {
    // The Reports pane is read-only text without a file of its own: these would do nothing there.
    case Cmd::Open:
    case Cmd::Cut:
    case Cmd::Paste:
    case Cmd::Find:
    case Cmd::FindNext:
    case Cmd::FindPrevious:
    case Cmd::GoToLine: return sheets::IsGridSheet(current);
    case Cmd::Copy: return sheets::IsGridSheet(current) || m_reports->textCursor().hasSelection();
    case Cmd::SendAll: return sheets::IsProgrammable(current);
    case Cmd::SendSelected:
      return sheets::IsProgrammable(current) && m_workspace->Grid(current).GetSelectedCount() > 0;
    case Cmd::SendRest: return m_resume && m_resume->sheet == current;
    case Cmd::SendChanges:
    case Cmd::NextDifference:
    case Cmd::PreviousDifference: return sheets::IsProgrammable(current);
    case Cmd::Undo: return m_undo.canUndo();
    case Cmd::Redo: return m_undo.canRedo();
    default: return true;
  }
}

void WorkspaceView::Execute(Cmd command) {
  if (!IsEnabled(command)) return;
  GridWidget* grid = Grid(Current());
  switch (command) {
    case Cmd::Open: OnOpen(); break;
    case Cmd::Save:
    case Cmd::SaveAs:
      if (grid) {
        SaveSheet(Current(), command == Cmd::SaveAs);
      } else {
        SaveReports();
      }
      break;
    case Cmd::Undo:
    case Cmd::Redo: OnUndo(command == Cmd::Redo); break;
    case Cmd::ClearAll: OnClearAll(); break;
    case Cmd::Print:
    case Cmd::PrintDirect: OnPrint(false); break;
    case Cmd::PrintPreview: OnPrint(true); break;
    case Cmd::PrintSetup: OnPrintSetup(); break;
    case Cmd::Cut:
      if (grid) grid->OnEditCut();
      break;
    case Cmd::Copy:
      if (grid) {
        grid->OnEditCopy();
      } else {
        m_reports->copy();
      }
      break;
    case Cmd::Paste:
      if (grid) grid->OnEditPaste();
      break;
    case Cmd::SelectAll:
      if (grid) {
        grid->OnEditSelectAll();
      } else {
        m_reports->selectAll();
        m_reports->ensureCursorVisible();
      }
      break;
    case Cmd::Find: OnFind(); break;
    case Cmd::FindNext:
      if (grid) sheets::FindNextInSheet(m_ui, grid->Table(), m_find);
      break;
    case Cmd::FindPrevious:
      if (grid) sheets::FindPreviousInSheet(m_ui, grid->Table(), m_find);
      break;
    case Cmd::GoToLine: OnGoToLine(); break;
    case Cmd::ReportToArticles: OnReportToArticles(); break;
    case Cmd::SendAll: OnSend(false); break;
    case Cmd::SendSelected: OnSend(true); break;
    case Cmd::SendRest: OnSendRest(); break;
    case Cmd::SendChanges: OnSendChanges(); break;
    case Cmd::RegisterHistory: OnRegisterHistory(); break;
    case Cmd::CompareWithRegister: OnCompare(!m_comparing); break;
    case Cmd::NextDifference: OnGoToDifference(1); break;
    case Cmd::PreviousDifference: OnGoToDifference(-1); break;
    case Cmd::ArticlesReport: OnArticlesReport(); break;
    case Cmd::GetReports: OnGetReports(); break;
    case Cmd::NextTab: SwitchTab(1); break;
    case Cmd::PreviousTab: SwitchTab(-1); break;
    default: break;
  }
  CommitChange();
  emit stateChanged();
}

void WorkspaceView::SwitchTab(int step) {
  const int next = (currentIndex() + step + sheets::kSheetCount) % sheets::kSheetCount;
  setCurrentIndex(next);
  if (GridWidget* grid = Grid(Current())) {
    grid->setFocus();
    if (!grid->Table().GetFocusCell().IsValid()) grid->Table().SetFocusCell(1, 1);
  } else {
    m_reports->setFocus();
  }
}

void WorkspaceView::OnFind() {
  GridWidget* grid = Grid(Current());
  if (!grid) return;
  const auto request = m_dialogs.Find(this);
  if (!request) return;
  sheets::FindInSheet(m_ui, grid->Table(), m_find, ToCp1251(request->text), request->matchCase,
                      request->selectionOnly);
}

void WorkspaceView::OnGoToLine() {
  GridWidget* grid = Grid(Current());
  if (!grid) return;
  const auto line = m_dialogs.GoToLine(this, sheets::LargestLine(grid->Table()), m_ui);
  if (line) sheets::GoToLine(m_ui, grid->Table(), *line);
}

void WorkspaceView::OnReportToArticles() {
  std::string note;
  if (m_workspace->HasUnsavedData(SheetId::Articles)) {
    note = app::Format(app::Sid::NotSavedNote, {SheetCaption(SheetId::Articles)});
  }
  if (!sheets::ReportToArticles(m_ui, m_workspace->Grid(SheetId::Articles),
                                m_workspace->Grid(SheetId::ArticlesReport), note)) {
    return;
  }
  Grid(SheetId::Articles)->viewport()->repaint();
  SetCurrent(SheetId::Articles);
}

void WorkspaceView::OnSend(bool selection, int firstRow) {
  const SheetId id = Current();
  GridWidget* grid = Grid(id);
  // A whole-sheet send takes the edit in progress with it; a selection send does not.
  if (!selection && !grid->EndEditing()) return;
  if (!ConfirmHiddenColumns(grid->Table(), selection)) return;
  int resumeRow = 0;
  const bool sent = m_link.Run(m_ui, [&](transfers::TransferContext& context) {
    context.firstRow = firstRow;
    const bool whole = transfers::UploadSheet(context, id, grid->Table(), selection);
    resumeRow = context.resumeRow;
    return whole;
  });
  ForgetKnown();
  // A whole-sheet upload that was cut short can be taken up again where the register stopped.
  if (sent || selection) {
    if (sent && m_resume && m_resume->sheet == id) m_resume.reset();
  } else if (resumeRow > 0) {
    m_resume = Resume{id, resumeRow};
    m_ui.SetStatus(m_ui.LastStatus() + "; " + std::string(app::Text(app::Sid::ResumeHint)));
  }
  emit stateChanged();
}

void WorkspaceView::OnSendRest() {
  if (m_resume) OnSend(false, m_resume->row);
}

void WorkspaceView::OnArticlesReport() {
  SetCurrent(SheetId::ArticlesReport);
  // The download empties the sheet itself, once the report is whole.
  grid::CellTable& table = m_workspace->Grid(SheetId::ArticlesReport);
  m_link.Run(m_ui,
             [&](auto& context) { return transfers::DownloadArticlesReport(context, table); });
  ForgetKnown();
}

void WorkspaceView::OnGetReports() {
  SetCurrent(SheetId::Reports);
  // The pane keeps its text until a whole report replaces it.
  const bool done = m_link.Run(m_ui, [&](auto& context) {
    return transfers::DownloadDailyReport(context, *m_reports,
                                          m_workspace->Grid(SheetId::DepartmentReport));
  });
  if (done) SetCurrent(SheetId::DepartmentReport);
}

bool WorkspaceView::ConfirmHiddenColumns(const grid::CellTable& table, bool selection) {
  std::string hidden;
  for (int col = table.GetFixedColumnCount(); col < table.GetColumnCount(); ++col) {
    if (table.GetColumnWidth(col) != 0) continue;
    // A selection sends only its own cells; the whole sheet sends every column.
    bool sent = !selection;
    for (int row = table.GetFixedRowCount(); !sent && row < table.GetRowCount(); ++row) {
      sent = table.IsCellSelected(row, col);
    }
    if (sent) {
      hidden += (hidden.empty() ? "" : ", ") + FromCp1251(table.GetItemText(0, col)).toStdString();
    }
  }
  if (hidden.empty()) return true;
  return m_ui.Ask(app::Format(app::Sid::HiddenColumnsSent, {hidden}), app::Icon::Question, true);
}

QString WorkspaceView::LineInfo() const {
  GridWidget* grid = Grid(Current());
  if (!grid) return {};
  const grid::CellId focus = grid->Table().GetFocusCell();
  if (!focus.IsValid()) return {};
  const auto length =
      grid->IsEditing()
          ? std::min<qsizetype>(grid->EditText().size(), 255)
          : static_cast<qsizetype>(grid->Table().GetItemText(focus.row, focus.col).size());
  return FromUtf8(app::Format(app::Sid::LineInfo,
                              {static_cast<unsigned>(focus.row), static_cast<unsigned>(focus.col),
                               static_cast<unsigned>(length)}));
}

void WorkspaceView::ShowContextMenu(const QPoint& globalPos, bool reports) {
  QMenu menu(this);
  auto add = [&](Cmd command) {
    QAction* action = menu.addAction(MenuText(SpecOf(command)));
    action->setEnabled(IsEnabled(command));
    connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
  };
  add(Cmd::Cut);
  add(Cmd::Copy);
  if (!reports) add(Cmd::Paste);
  menu.addSeparator();
  add(Cmd::SelectAll);
  menu.addSeparator();
  if (reports) {
    add(Cmd::GetReports);
  } else {
    add(Cmd::SendAll);
    add(Cmd::SendSelected);
    add(Cmd::ArticlesReport);
  }
  menu.exec(globalPos);
}

QString WorkspaceView::DocumentName() const {
  const SheetId id = Current();
  if (!sheets::IsGridSheet(id)) return FromUtf8(app::Text(app::Sid::CaptionReports));
  const sheets::SheetFile& file = m_workspace->File(id);
  if (file.Empty()) return FromUtf8(app::Text(app::SheetCaption(sheets::Index(id))));
  return FromPath(file.path.filename());
}

bool WorkspaceView::DocumentModified() const {
  return sheets::IsGridSheet(Current()) && m_workspace->HasUnsavedData(Current());
}

namespace {

QString ColumnWidthsKey(const sheets::SheetInfo& info) {
  return "ColumnWidths/" +
         QString::fromUtf8(info.cliName.data(), static_cast<qsizetype>(info.cliName.size()));
}

}  // namespace

void WorkspaceView::RestoreColumnWidths(const QSettings& settings) {
  for (const sheets::SheetInfo& info : sheets::GridSheets()) {
    grid::CellTable& table = m_workspace->Grid(info.id);
    std::vector<int> widths;
    for (const QVariant& kept : settings.value(ColumnWidthsKey(info)).toList()) {
      bool number = false;
      const int width = kept.toInt(&number);
      if (!number || width < 0 || width > kMaxKeptColumnWidth) break;
      widths.push_back(width);
    }
    if (static_cast<int>(widths.size()) != table.GetColumnCount()) continue;
    for (int col = 0; col < table.GetColumnCount(); ++col) {
      table.SetColumnWidth(col, widths[static_cast<std::size_t>(col)]);
    }
  }
}

void WorkspaceView::StoreColumnWidths(QSettings& settings) const {
  for (const sheets::SheetInfo& info : sheets::GridSheets()) {
    QVariantList widths;
    for (int width : m_workspace->Grid(info.id).ColumnWidths()) widths.append(width);
    settings.setValue(ColumnWidthsKey(info), widths);
  }
}

}  // namespace nuvrel::gui
