// SPDX-License-Identifier: MIT
#include "transfers/upload_sequence.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/format.h"
#include "link/faults.h"
#include "link/frames.h"
#include "transfers/register_session.h"

namespace nuvrel::transfers {
namespace {

struct Record {
  int row;
  std::string fields;
  std::vector<int> sets;  // the columns whose fields it sets
};

// The records of the rows to send, in row order. The sheet cannot change while the upload runs,
// so they are built once, and the total is known before the first one goes.
std::vector<Record> PlanRecords(const UploadPlan& plan, const grid::CellTable& grid, int firstRow) {
  std::vector<Record> records;
  const int last = std::min(plan.rows, grid.GetRowCount() - 1);
  for (int row = std::max(firstRow, 1); row <= last; ++row) {
    std::optional<std::string> fields = plan.fields(row);
    if (!fields) continue;
    Record record{row, std::move(*fields), {}};
    for (int col = 1; col <= plan.lastColumn; ++col) {
      if (plan.sets(row, col)) record.sets.push_back(col);
    }
    records.push_back(std::move(record));
  }
  return records;
}

// Records what the register holds after taking the first `acknowledged` records.
void Remember(TransferContext& context, const grid::CellTable& grid, const UploadPlan& plan,
              const std::vector<Record>& records, std::size_t acknowledged) {
  if (context.dataFolder.empty() || acknowledged == 0) return;
  RegisterMemory memory(context.dataFolder);
  const std::uint32_t device = context.identity.deviceNumber;
  std::unique_ptr<grid::CellTable> known = memory.Load(device, plan.sheet);
  if (!known) known = NewKnownTable(plan.sheet);
  for (std::size_t i = 0; i < acknowledged; ++i) {
    for (const int col : records[i].sets) {
      known->SetItemText(records[i].row, col, grid.GetItemText(records[i].row, col));
    }
  }
  RecordState(context.ui, memory, device, plan.sheet, *known, plan.source,
              static_cast<unsigned>(acknowledged));
}

std::string ClosingText(const UploadPlan& plan, unsigned sent) {
  using app::Sid;
  switch (plan.source) {
    case StateSource::Selection:
      return app::FormatCount(sent, Sid::SelectionItemSent, Sid::SelectionItemsSent, {sent});
    case StateSource::Changes:
      return app::FormatCount(sent, Sid::ChangeSent, Sid::ChangesSent, {sent});
    case StateSource::Sent:
    case StateSource::Report: break;
  }
  return app::FormatCount(sent, Sid::ItemSent, Sid::ItemsSent, {sent});
}

}  // namespace

bool SendRecord(link::Channel& channel, char letter, int row, const std::string& fields) {
  channel.ui.SetRecordStatus(app::Format(app::Sid::SendingLine, {row}));
  link::Bytes frame = link::BeginFrame(channel.identity.deviceNumber, letter);
  frame.insert(frame.end(), fields.begin(), fields.end());
  link::AppendCheckPair(frame);
  if (channel.port.Write(frame)) return link::AwaitAck(channel);
  // A record that cannot be written ends the upload quietly, unless the line has hung up: that
  // is named, since nothing else would tell the person why.
  if (channel.port.WaitReadable(link::Clock::Duration::zero()) == link::WaitResult::HungUp) {
    link::Report(channel.ui, link::Fault::HungUp, channel.port);
  }
  return false;
}

bool RunUpload(TransferContext& context, grid::CellTable& grid, const UploadPlan& plan) {
  app::WaitCursor wait(context.ui);
  context.resumeRow = 0;
  if (!plan.validate(context.ui, grid)) return false;
  RegisterSession session(context);
  if (!session.Open()) return false;
  return SendPlannedRecords(session, context, grid, plan);
}

bool SendPlannedRecords(RegisterSession& session, TransferContext& context, grid::CellTable& grid,
                        const UploadPlan& plan) {
  using app::Sid;
  app::Ui& ui = context.ui;
  context.resumeRow = 0;
  const std::vector<Record> records = PlanRecords(plan, grid, context.firstRow);
  const auto total = static_cast<unsigned>(records.size());
  unsigned sent = 0;
  // Says how far the upload came and where to take it up again.
  auto cutShort = [&](Sid one, Sid many) {
    Remember(context, grid, plan, records, sent);
    ui.SetStatus(app::FormatCount(total, one, many, {sent, total}));
    if (sent < total) context.resumeRow = records[sent].row;
    return false;
  };

  link::Channel& channel = session.Channel();
  if (!link::SendCommand(channel, 'a')) return false;

  const std::string what =
      app::Format(Sid::SendingSheet, {app::Text(app::SheetCaption(static_cast<int>(plan.sheet)))});
  ui.ShowProgress({what, 0, total});
  bool stopped = false;
  for (const Record& record : records) {
    if (ui.StopRequested()) {
      stopped = true;
      break;
    }
    if (!SendRecord(channel, plan.letter, record.row, record.fields)) {
      return cutShort(Sid::UploadFailedAfterOne, Sid::UploadFailedAfter);
    }
    ++sent;
    ui.ShowProgress({what, sent, total});
    ui.PumpPaintMessages();
  }

  // A stopped upload is closed as a finished one is, so the register keeps what it took.
  if (!link::SendCommand(channel, 'z') || !link::AwaitUploadEnd(channel)) {
    return cutShort(Sid::UploadFailedAfterOne, Sid::UploadFailedAfter);
  }
  session.Close();
  if (stopped) return cutShort(Sid::StoppedAfterOne, Sid::StoppedAfter);
  Remember(context, grid, plan, records, sent);
  ui.SetStatus(ClosingText(plan, sent));
  return true;
}

}  // namespace nuvrel::transfers
