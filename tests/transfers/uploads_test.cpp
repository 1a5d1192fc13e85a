// SPDX-License-Identifier: MIT
// The five uploads against the simulator's register on a scripted port: the bytes on the wire, the
// status texts, and how each failure ends.
#include "transfers/uploads.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/format.h"
#include "app/strings.h"
#include "link/frames.h"
#include "sheets/layouts.h"
#include "sim/register.h"
#include "support/fake_clock.h"
#include "support/recording_ui.h"
#include "support/scripted_opener.h"
#include "support/sim_responder.h"

namespace nuvrel::transfers {
namespace {

using app::Sid;
using sheets::SheetId;
namespace col = sheets::articles;

constexpr std::uint32_t kDevice = 4711;

link::Bytes Record(char letter, const std::string& fields) {
  link::Bytes frame = link::BeginFrame(kDevice, letter);
  frame.insert(frame.end(), fields.begin(), fields.end());
  link::AppendCheckPair(frame);
  return frame;
}

// What a complete upload writes: identification, 'a', the records, 'z' and the acknowledgement of
// the upload end packet.
std::vector<link::Bytes> CompleteUpload(const std::vector<link::Bytes>& records) {
  std::vector<link::Bytes> frames{link::IdentifyRequest(), link::CommandFrame(kDevice, 'V'),
                                  link::CommandFrame(kDevice, 'a')};
  frames.insert(frames.end(), records.begin(), records.end());
  frames.push_back(link::CommandFrame(kDevice, 'z'));
  frames.push_back(link::AckFrame(kDevice));
  return frames;
}

class Uploads : public ::testing::Test {
 protected:
  Uploads() {
    opener.onOpen = [this](test::ScriptedPort& port) { test::AttachRegister(port, *reg); };
  }

  // A new sheet of this kind; the uploads below send the latest one.
  grid::CellTable& Sheet(SheetId id) {
    m_grid = std::make_unique<grid::CellTable>(nullptr);
    sheets::SetupSheet(id, *m_grid);
    return *m_grid;
  }

  bool Upload(SheetId id, bool selectionOnly = false, int firstRow = 1) {
    TransferContext context{ui, clock, opener, identity, 0};
    context.firstRow = firstRow;
    const bool done = UploadSheet(context, id, *m_grid, selectionOnly);
    resumeRow = context.resumeRow;
    return done;
  }

  const std::vector<link::Bytes>& Written() const { return opener.last->Written(); }
  std::string LastStatus() const { return ui.statuses.empty() ? "" : ui.statuses.back(); }

  test::FakeClock clock;
  test::RecordingUi ui;
  test::ScriptedOpener opener{clock};
  link::RegisterIdentity identity;
  std::unique_ptr<sim::Register> reg = std::make_unique<sim::Register>(
      sim::RegisterSettings{.deviceNumber = kDevice}, sim::FaultPlan());
  int resumeRow = 0;  // what the last upload left to resume

 private:
  std::unique_ptr<grid::CellTable> m_grid;
};

TEST_F(Uploads, SelectedTextRowsAreSentEvenEmptyAndCounted) {
  grid::CellTable& sheet = Sheet(SheetId::Departments);
  sheet.SetItemText(2, sheets::kTextColumn, "MEAT");
  sheet.SetItemText(4, sheets::kTextColumn, "not selected");
  sheet.SelectCell(1, sheets::kTextColumn);
  sheet.SelectCell(2, sheets::kTextColumn, true);
  ui.answers = {true};

  ASSERT_TRUE(Upload(SheetId::Departments, true));
  const std::string keep(10, '"');
  EXPECT_EQ(Written(), CompleteUpload({Record('y', "1" + std::string(15, ' ') + keep),
                                       Record('y', "2MEAT" + std::string(11, ' ') + keep)}));
  EXPECT_EQ(LastStatus(), "Selected cells successfully sent: 2 items");
}

TEST_F(Uploads, ARecordThatCannotBeWrittenEndsTheUploadSilently) {
  opener.onOpen = [this](test::ScriptedPort& port) {
    port.SetResponder([this](test::ScriptedPort& p, const link::Bytes& written) {
      for (const sim::Action& action : reg->Feed(written)) {
        if (action.kind == sim::ActionKind::Send)
          p.Arrive(action.bytes, std::chrono::milliseconds(5));
      }
      // The line fails once the upload has begun.
      if (written.size() > 7 && written[7] == 'a') p.FailWrites();
    });
  };
  grid::CellTable& sheet = Sheet(SheetId::FirmData);
  sheet.SetItemText(2, sheets::kTextColumn, "Shop");

  EXPECT_FALSE(Upload(SheetId::FirmData));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{app::Format(Sid::SendingLine, {2}),
                                                   "Transfer failed after 0 of 1 item"}));
  EXPECT_EQ(Written().back(), link::CommandFrame(kDevice, 'a'));
}

TEST_F(Uploads, AStopEndsTheUploadBetweenRecordsAndTheRestGoesLater) {
  grid::CellTable& sheet = Sheet(SheetId::Operators);
  for (int row : {1, 3, 4, 6}) sheet.SetItemText(row, sheets::kTextColumn, "OP");

  ui.stopAfterProgress = 3;  // the start, then two records
  EXPECT_FALSE(Upload(SheetId::Operators));
  // Two records, then the upload is closed as a finished one is.
  const link::Bytes op1 = Record('o', "1OP" + std::string(10, ' ') + "*");
  const link::Bytes op3 = Record('o', "3OP" + std::string(10, ' ') + "*");
  EXPECT_EQ(Written(), CompleteUpload({op1, op3}));
  EXPECT_EQ(LastStatus(), "Stopped after 2 of 4 items");
  EXPECT_EQ(resumeRow, 4);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(reg->UploadOpen());
  EXPECT_EQ(reg->Tables().operators.size(), 2U);

  ui.stopAfterProgress.reset();
  ASSERT_TRUE(Upload(SheetId::Operators, false, resumeRow));
  EXPECT_EQ(Written(), CompleteUpload({Record('o', "4OP" + std::string(10, ' ') + "*"),
                                       Record('o', "6OP" + std::string(10, ' ') + "*")}));
  EXPECT_EQ(LastStatus(), "2 items successfully sent!");
  EXPECT_EQ(resumeRow, 0);
  EXPECT_EQ(reg->Tables().operators.size(), 4U);
}

TEST_F(Uploads, ReportSheetsAreNeverSent) {
  grid::CellTable& sheet = Sheet(SheetId::ArticlesReport);
  sheet.SetItemText(1, col::kName, "X");
  EXPECT_FALSE(Upload(SheetId::ArticlesReport));
  EXPECT_FALSE(Upload(SheetId::DepartmentReport, true));
  EXPECT_EQ(opener.opened, 0);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace nuvrel::transfers
