// SPDX-License-Identifier: MIT
// The daily exchange as a whole: a register that identifies itself and acknowledges 'F', then sends
// the fuzz bytes as its report lines, on an in-memory port and a fake clock (no real waits). A
// download that fails leaves the pane and the Department report sheet as they were; one that
// succeeds starts the pane with the report's header; neither shows more than one message.
//
// Input: one byte of flags (0x80: the person stops after (flags & 0x3F) progress reports; 0x40: the
// line hangs up once the bytes are in), then the bytes the register sends after its
// acknowledgement.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "grid/cell_table.h"
#include "link/frames.h"
#include "sheets/layouts.h"
#include "sheets/sheet_file.h"
#include "support/fake_clock.h"
#include "support/recording_ui.h"
#include "support/scripted_opener.h"
#include "transfers/daily_report.h"
#include "transfers/transfer_context.h"

namespace {

using namespace nuvrel;
using namespace std::chrono_literals;

constexpr std::uint32_t kDevice = 42;
constexpr std::string_view kDigits = "000042";

link::Bytes VersionLine() {
  const std::string head = "\xAA" + std::string(kDigits) + "V00S 1.0";
  return link::TrailedLine(link::Bytes(head.begin(), head.end()));
}

// Answers the identification and the commands; the report follows the acknowledgement of 'F'.
void Attach(test::ScriptedPort& port, const link::Bytes& report, bool hangUp) {
  port.SetResponder([&report, hangUp](test::ScriptedPort& p, const link::Bytes& written) {
    if (written == link::IdentifyRequest()) {
      p.Arrive(link::IdentifyReply(link::kAckByte, kDigits), 5ms);
      return;
    }
    if (written.size() != link::kCommandSize) return;
    const char letter = static_cast<char>(written[7]);
    p.Arrive(link::AckFrame(kDevice), 5ms);
    if (letter == 'V') p.Arrive(VersionLine(), 30ms);
    if (letter == 'F') {
      p.Arrive(report, 150ms);
      if (hangUp) p.HangUpAfter(200ms);
    }
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader input(data, size);
  const std::uint8_t flags = input.Byte();
  const std::string_view rest = input.Rest();
  const link::Bytes report(rest.begin(), rest.end());

  test::FakeClock clock;
  test::ScriptedOpener opener(clock);
  opener.onOpen = [&](test::ScriptedPort& port) { Attach(port, report, (flags & 0x40) != 0); };
  test::RecordingUi ui;
  if (flags & 0x80) ui.stopAfterProgress = flags & 0x3F;
  link::RegisterIdentity identity;
  transfers::TransferContext ctx{ui, clock, opener, identity, 0};

  grid::CellTable departments(nullptr);
  sheets::SetupDepartmentReportSheet(departments);
  for (int r = 1; r < departments.GetRowCount(); ++r) departments.SetItemText(r, 1, "EARLIER");
  const std::string sheetBefore = sheets::SheetText(departments);
  std::string text = "EARLIER REPORT";
  transfers::StringPane pane(text);

  const bool done = transfers::DownloadDailyReport(ctx, pane, departments);
  if (done) {
    FUZZ_CHECK(text.starts_with(transfers::DailyHeader()));
  } else {
    FUZZ_CHECK(text == "EARLIER REPORT");
    FUZZ_CHECK(sheets::SheetText(departments) == sheetBefore);
  }
  FUZZ_CHECK(ui.messages.size() <= 1);
  FUZZ_CHECK(ui.waitDepth == 0);
  return 0;
}
