// SPDX-License-Identifier: MIT
#include "transfers/send_changes.h"

#include <memory>
#include <optional>
#include <vector>

#include "app/format.h"
#include "app/ui.h"
#include "transfers/register_memory.h"
#include "transfers/register_session.h"
#include "transfers/sheet_differences.h"
#include "transfers/upload_sequence.h"
#include "transfers/uploads.h"

namespace nuvrel::transfers {
namespace {

// Selects exactly the cells for its lifetime; the selection before comes back afterwards.
class SelectionSwap {
 public:
  SelectionSwap(grid::CellTable& grid, const std::vector<grid::CellId>& cells)
      : m_grid(grid), m_before(grid.GetSelectedCells()) {
    m_grid.SetSelectedCells(cells);
  }
  ~SelectionSwap() { m_grid.SetSelectedCells(m_before); }
  SelectionSwap(const SelectionSwap&) = delete;
  SelectionSwap& operator=(const SelectionSwap&) = delete;

 private:
  grid::CellTable& m_grid;
  std::vector<grid::CellId> m_before;
};

}  // namespace

ChangesOutcome SendChanges(TransferContext& context, sheets::SheetId id, grid::CellTable& grid) {
  app::Ui& ui = context.ui;
  app::WaitCursor wait(ui);
  context.resumeRow = 0;
  std::optional<UploadPlan> plan = PlanFor(id, grid, true);
  if (!plan) return ChangesOutcome::Failed;
  plan->source = StateSource::Changes;

  RegisterSession session(context);
  if (!session.Open()) return ChangesOutcome::Failed;
  const std::uint32_t device = context.identity.deviceNumber;
  RegisterMemory memory(context.dataFolder);
  const std::unique_ptr<grid::CellTable> known = memory.Load(device, id);
  ShowMemoryWarnings(ui, memory);
  if (!known) return ChangesOutcome::NothingKnown;
  const std::vector<grid::CellId> changed = Differences(id, grid, *known);
  if (changed.empty()) {
    session.Close();
    ui.SetStatus(app::Format(app::Sid::NoChanges, {device}));
    return ChangesOutcome::NothingChanged;
  }

  // The changed cells are sent as a selection of them is, checks and all.
  const SelectionSwap selection(grid, changed);
  if (!plan->validate(ui, grid)) return ChangesOutcome::Failed;
  return SendPlannedRecords(session, context, grid, *plan) ? ChangesOutcome::Sent
                                                           : ChangesOutcome::Failed;
}

}  // namespace nuvrel::transfers
