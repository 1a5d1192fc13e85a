// SPDX-License-Identifier: MIT
// What each register holds, in the window: Send changes, the cells marked where the sheet differs
// from the register, going from one such cell to the next, and the history of each register.
#include <algorithm>

#include "app/format.h"
#include "app/strings.h"
#include "gui/dialogs.h"
#include "gui/grid_widget.h"
#include "gui/gui_ui.h"
#include "gui/register_history_dialog.h"
#include "gui/text_codec.h"
#include "gui/workspace_view.h"
#include "sheets/sheet_file.h"
#include "transfers/send_changes.h"
#include "transfers/sheet_differences.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;

std::string CaptionOf(SheetId id) {
  return std::string(app::Text(app::SheetCaption(sheets::Index(id))));
}

}  // namespace

void WorkspaceView::OnSendChanges() {
  const SheetId id = Current();
  GridWidget* grid = Grid(id);
  // As the whole sheet, the changes take the edit in progress with them.
  if (!grid->EndEditing()) return;
  const transfers::ChangesOutcome outcome = m_link.Run(
      m_ui, [&](auto& context) { return transfers::SendChanges(context, id, grid->Table()); });
  ForgetKnown();
  if (outcome != transfers::ChangesOutcome::NothingKnown) return;
  const std::string text =
      app::Format(app::Sid::NothingKnown, {m_link.identity.deviceNumber, CaptionOf(id)});
  switch (m_ui.AskWhenUnknown(text, id == SheetId::Articles)) {
    case UnknownChoice::SendWholeSheet: OnSend(false); break;
    case UnknownChoice::ReadReport: OnArticlesReport(); break;
    case UnknownChoice::Cancel: break;
  }
}

void WorkspaceView::OnCompare(bool on) {
  m_comparing = on;
  // Turned on, it reads afresh what other programs may have recorded meanwhile.
  ForgetKnown();
  RefreshDifferences();
}

std::optional<std::uint32_t> WorkspaceView::CompareDevice(transfers::RegisterMemory& memory,
                                                          SheetId id) {
  if (m_link.identity.deviceNumber != 0) return m_link.identity.deviceNumber;
  return memory.NewestDevice(id);
}

void WorkspaceView::ShowNewWarnings(transfers::RegisterMemory& memory) {
  std::string text;
  for (std::string& warning : memory.TakeWarnings()) {
    if (!m_warned.insert(warning).second) continue;
    if (!text.empty()) text += "\r\n";
    text += warning;
  }
  if (!text.empty()) m_ui.ShowMessage(text, app::Icon::Warning);
}

void WorkspaceView::RefreshDifferences() {
  const SheetId id = Current();
  for (const sheets::SheetInfo& info : sheets::GridSheets()) {
    if (info.id != id || !m_comparing) Grid(info.id)->SetMarkedCells({});
  }
  const QString before = m_differencesText;
  m_differencesText.clear();
  if (m_comparing && sheets::IsProgrammable(id)) {
    transfers::RegisterMemory memory(m_link.dataFolder);
    const std::optional<std::uint32_t> device = CompareDevice(memory, id);
    KnownSheet& known = m_known[id];
    if (!device) {
      known = {};
    } else if (!known.cells || known.device != *device) {
      known = {*device, memory.Load(*device, id)};
    }
    ShowNewWarnings(memory);
    std::vector<grid::CellId> cells;
    if (known.cells) {
      cells = transfers::Differences(id, m_workspace->Grid(id), *known.cells);
      const auto count = static_cast<unsigned>(cells.size());
      m_differencesText =
          FromUtf8(count == 0 ? app::Format(app::Sid::DifferencesNone, {known.device})
                              : app::FormatCount(count, app::Sid::DifferencesOne,
                                                 app::Sid::DifferencesMany, {count, known.device}));
    } else if (device) {
      m_differencesText = FromUtf8(app::Format(app::Sid::NothingKnown, {*device, CaptionOf(id)}));
    } else {
      m_differencesText = FromUtf8(app::Text(app::Sid::NothingRecorded));
    }
    Grid(id)->SetMarkedCells(std::move(cells));
  }
  if (m_differencesText != before) emit stateChanged();
}

void WorkspaceView::OnGoToDifference(int step) {
  if (!m_comparing) OnCompare(true);
  GridWidget* grid = Grid(Current());
  const std::vector<grid::CellId>& marked = grid->MarkedCells();
  if (marked.empty()) {
    m_ui.SetStatus(app::Text(app::Sid::NoMoreDifferences));
    return;
  }
  grid::CellTable& table = grid->Table();
  const grid::CellId focus = table.GetFocusCell();
  grid::CellId next;
  if (step > 0) {
    const auto after = std::upper_bound(marked.begin(), marked.end(), focus, CellOrder);
    next = after == marked.end() ? marked.front() : *after;
  } else {
    const auto at = std::lower_bound(marked.begin(), marked.end(), focus, CellOrder);
    next = at == marked.begin() ? marked.back() : *(at - 1);
  }
  m_ui.EnsureVisible(table, next.row, next.col);
  table.SetFocusCell(next.row, next.col);
  m_ui.FocusGrid(table);
}

void WorkspaceView::OnRegisterHistory() {
  transfers::RegisterMemory memory(m_link.dataFolder);
  std::vector<transfers::RecordedState> states;
  for (const std::uint32_t device : memory.Devices()) {
    for (const sheets::SheetInfo& info : sheets::GridSheets()) {
      if (!sheets::IsProgrammable(info.id)) continue;
      for (transfers::RecordedState& state : memory.States(device, info.id)) {
        states.push_back(std::move(state));
      }
    }
  }
  ShowNewWarnings(memory);
  if (states.empty()) {
    m_ui.ShowMessage(app::Text(app::Sid::HistoryEmpty), app::Icon::Information);
    return;
  }
  const SheetId current = sheets::IsProgrammable(Current()) ? Current() : SheetId::Articles;
  const std::uint32_t device = CompareDevice(memory, current).value_or(states.front().device);
  const std::optional<transfers::RecordedState> chosen =
      m_dialogs.RegisterHistory(this, states, device);
  if (!chosen) return;
  const std::unique_ptr<grid::CellTable> cells = memory.Read(*chosen);
  ShowNewWarnings(memory);
  if (!cells) return;
  GridWidget* grid = Grid(chosen->sheet);
  if (!grid->EndEditing() || !SaveFirst({chosen->sheet})) return;
  // The sheet keeps its file: the state is opened to look at or to send back, not to save over.
  grid::CellTable& table = grid->Table();
  sheets::ClearSheetData(table);
  sheets::SheetTextReader(table).ReadSheetText(sheets::SheetText(*cells));
  SetCurrent(chosen->sheet);
  m_ui.SetStatus(app::Format(app::Sid::HistoryOpened,
                             {chosen->device, StateTimeText(chosen->msSinceEpoch).toStdString()}));
}

}  // namespace nuvrel::gui
