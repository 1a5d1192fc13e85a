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

// The frames the register counts: identify request, 'V', 'a', then the records.
constexpr std::uint32_t kFirstRecordFrame = 4;

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

std::string SendingLine(int row) {
  return app::Format(Sid::SendingLine, {row});
}

class Uploads : public ::testing::Test {
 protected:
  Uploads() {
    UseRegister({});
    opener.onOpen = [this](test::ScriptedPort& port) { test::AttachRegister(port, *reg); };
  }

  void UseRegister(std::vector<sim::FaultSpec> faults) {
    sim::RegisterSettings settings;
    settings.deviceNumber = kDevice;
    reg = std::make_unique<sim::Register>(settings, sim::FaultPlan(std::move(faults)));
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

  // Each call ran under exactly one wait cursor, restored at the end.
  void ExpectWaitCursorRestored() {
    EXPECT_EQ(ui.waitCursors, 1);
    EXPECT_EQ(ui.waitDepth, 0);
  }

  test::FakeClock clock;
  test::RecordingUi ui;
  test::ScriptedOpener opener{clock};
  link::RegisterIdentity identity;
  std::unique_ptr<sim::Register> reg;
  int resumeRow = 0;  // what the last upload left to resume

 private:
  std::unique_ptr<grid::CellTable> m_grid;
};

// --- whole sheets ----------------------------------------------------------------------------

TEST_F(Uploads, AnEmptyArticlesSheetOpensAndClosesAnUploadWithNoRecord) {
  Sheet(SheetId::Articles);
  ASSERT_TRUE(Upload(SheetId::Articles));
  EXPECT_EQ(Written(), CompleteUpload({}));
  EXPECT_EQ(ui.statuses, std::vector<std::string>{"0 items successfully sent!"});
  EXPECT_TRUE(ui.messages.empty());
  ExpectWaitCursorRestored();
}

TEST_F(Uploads, ArticlesSendEveryRowWithACellInAscendingOrder) {
  grid::CellTable& sheet = Sheet(SheetId::Articles);
  sheet.SetItemText(2400, col::kInStock, "1.5");
  sheet.SetItemText(3, col::kPrice, "12.5");
  sheet.SetItemText(3, col::kTaxGroup, "C");
  sheet.SetItemText(1, col::kName, "ana");

  ASSERT_TRUE(Upload(SheetId::Articles));
  const auto quotes = [](std::size_t n) { return std::string(n, '"'); };
  EXPECT_EQ(Written(),
            CompleteUpload({
                Record('r', "0001\x80\x8D\x80" + std::string(12, ' ') + quotes(12 + 3 + 18)),
                Record('r', "0003" + quotes(27) + "3" + quotes(2) + "000012502" + quotes(9)),
                Record('r', "2400" + quotes(27 + 3 + 9) + "000001500"),
            }));
  EXPECT_EQ(Written()[3].size(), 63U);
  EXPECT_EQ(ui.statuses,
            (std::vector<std::string>{SendingLine(1), SendingLine(3), SendingLine(2400),
                                      "3 items successfully sent!"}));
  std::vector<std::pair<unsigned, unsigned>> progress;
  for (const auto& report : ui.progress) progress.push_back({report.done, report.total});
  EXPECT_EQ(progress, (std::vector<std::pair<unsigned, unsigned>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

TEST_F(Uploads, TextSheetsSendAndCountOnlyTheRowsWithText) {
  const std::string blanks14(14, ' ');
  const struct {
    SheetId sheet;
    std::vector<std::pair<int, const char*>> rows;
    std::vector<link::Bytes> records;
    std::size_t frameSize;
  } cases[] = {
      {SheetId::Operators,
       {{2, "ana"}, {5, "IVO"}},
       {Record('o', "2\x80\x8D\x80" + std::string(9, ' ') + "*"),
        Record('o', "5IVO" + std::string(9, ' ') + "*")},
       25},
      // Department ten takes two digits, so its frame is a byte longer.
      {SheetId::Departments,
       {{10, "X"}},
       {Record('y', "10X" + blanks14 + std::string(10, '"'))},
       38},
      // Firm data and advertisement lines carry the line mark.
      {SheetId::Advertisement, {{3, "SALE"}}, {Record('u', "30SALE" + blanks14 + "*")}, 32},
      {SheetId::FirmData, {{6, "sale"}}, {Record('w', "60\x91\x80\x8B\x85" + blanks14 + "*")}, 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.sheet));
    ui = {};
    grid::CellTable& sheet = Sheet(c.sheet);
    std::vector<std::string> statuses;
    for (const auto& [row, text] : c.rows) {
      sheet.SetItemText(row, sheets::kTextColumn, text);
      statuses.push_back(SendingLine(row));
    }
    statuses.push_back(c.rows.size() == 1 ? "1 item successfully sent!"
                                          : "2 items successfully sent!");
    ASSERT_TRUE(Upload(c.sheet));
    EXPECT_EQ(Written(), CompleteUpload(c.records));
    EXPECT_EQ(Written()[3].size(), c.frameSize);
    EXPECT_EQ(ui.statuses, statuses);
    EXPECT_EQ(ui.pumps, static_cast<int>(c.rows.size()));
    ExpectWaitCursorRestored();
  }
}

// --- selections ------------------------------------------------------------------------------

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

// --- failures --------------------------------------------------------------------------------

TEST_F(Uploads, APortThatDoesNotOpenIsNamed) {
  Sheet(SheetId::Operators);
  opener.refuse = true;
  EXPECT_FALSE(Upload(SheetId::Operators));
  ASSERT_EQ(ui.messages.size(), 1U);
  EXPECT_EQ(ui.messages[0].text,
            "Cannot open COM1 !\r\n" +
                app::Format(Sid::PortDeviceHint, {"/dev/scripted", "No such file or directory"}));
  EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
  ExpectWaitCursorRestored();
}

TEST_F(Uploads, ARegisterFaultEndsTheUploadAtItsRecord) {
  // A refused second record: nothing after it, no third record and no 'z'.
  UseRegister({sim::FaultSpec{sim::FaultKind::Nak, kFirstRecordFrame + 1}});
  grid::CellTable& sheet = Sheet(SheetId::Articles);
  for (int row : {1, 2, 3}) sheet.SetItemText(row, col::kPrice, "1");
  EXPECT_FALSE(Upload(SheetId::Articles));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"ECR returned NACK!"});
  EXPECT_EQ(LastStatus(), "Transfer failed after 1 of 3 items");
  EXPECT_EQ(resumeRow, 2);
  ASSERT_EQ(Written().size(), 5U);
  EXPECT_EQ(Written()[4][7], 'r');
  ExpectWaitCursorRestored();

  // A damaged upload end packet (the second reply to the 'z' after one record) leaves no success.
  ui = {};
  UseRegister({sim::FaultSpec{sim::FaultKind::Crc, kFirstRecordFrame + 1, 2}});
  Sheet(SheetId::Operators).SetItemText(9, sheets::kTextColumn, "LAST");
  EXPECT_FALSE(Upload(SheetId::Operators));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"CRC error!"});
  EXPECT_EQ(LastStatus(), "Transfer failed after 1 of 1 item");
}

TEST_F(Uploads, ARecordThatCannotBeWrittenEndsTheUploadSilentlyUnlessTheLineHungUp) {
  bool hangUp = false;
  opener.onOpen = [this, &hangUp](test::ScriptedPort& port) {
    port.SetResponder([this, &hangUp](test::ScriptedPort& p, const link::Bytes& written) {
      for (const sim::Action& action : reg->Feed(written)) {
        if (action.kind == sim::ActionKind::Send)
          p.Arrive(action.bytes, std::chrono::milliseconds(5));
      }
      // The line fails once the upload has begun.
      if (written.size() > 7 && written[7] == 'a') {
        p.FailWrites();
        if (hangUp) p.HangUpAfter(std::chrono::milliseconds(0));
      }
    });
  };
  grid::CellTable& sheet = Sheet(SheetId::FirmData);
  sheet.SetItemText(2, sheets::kTextColumn, "Shop");

  EXPECT_FALSE(Upload(SheetId::FirmData));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.statuses,
            (std::vector<std::string>{SendingLine(2), "Transfer failed after 0 of 1 item"}));
  EXPECT_EQ(Written().back(), link::CommandFrame(kDevice, 'a'));

  hangUp = true;
  EXPECT_FALSE(Upload(SheetId::FirmData));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{std::string(app::Text(Sid::LineHungUp))});
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
