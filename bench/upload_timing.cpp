// SPDX-License-Identifier: MIT
// How long a whole Articles upload takes against the real simulator on a pseudo-terminal at 9600
// baud, set against the protocol's own floor, and how much processor time the program spends
// meanwhile (it should spend almost none: every wait blocks).
//
//   bench_upload_timing [ROWS] [--changes N] [--ecrsim PATH]
//
// ROWS (1..2400, default 2400) full rows are uploaded; ecrsim is looked for beside the build's
// programs (../ecrsim from this program's folder) unless --ecrsim names it. With --changes, the
// ROWS rows are taken as what the register holds (recorded in a scratch data folder, not sent),
// the prices of N rows spread over the sheet are changed, and Send changes is timed instead.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ui.h"
#include "grid/cell_table.h"
#include "link/clock.h"
#include "link/frames.h"
#include "link/handshake.h"
#include "link/port_map.h"
#include "link/port_opener.h"
#include "sheets/layouts.h"
#include "simulator_process.h"
#include "transfers/article_fields.h"
#include "transfers/register_memory.h"
#include "transfers/send_changes.h"
#include "transfers/transfer_context.h"
#include "transfers/uploads.h"

namespace {

using namespace nuvrel;
using SteadyClock = std::chrono::steady_clock;
using bench::CpuTime;
using bench::Seconds;
using bench::Simulator;

constexpr unsigned kBaud = 9600;
constexpr unsigned kBitsPerByte = 10;  // start bit, eight data bits, stop bit
constexpr std::size_t kArticleFrameSize = 63;
constexpr std::uint32_t kDevice = 1;  // the simulator's --serial

Seconds WireTime(std::size_t bytes) {
  return Seconds(static_cast<double>(bytes * kBitsPerByte) / kBaud);
}

// Messages go to stderr; the status is kept, not printed, so that printing costs no time.
class BenchUi final : public app::Ui {
 public:
  void ShowMessage(std::string_view text, app::Icon) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
  bool Ask(std::string_view, app::Icon, bool) override { return true; }
  bool ShowProblems(grid::CellTable&, const std::vector<app::CellProblem>& problems) override {
    for (const app::CellProblem& p : problems) {
      std::fprintf(stderr, "problem: %d:%d: %s\n", p.row, p.col, p.message.c_str());
    }
    return !app::AnyError(problems);
  }
  void SetStatus(std::string_view text) override { status.assign(text); }
  void PumpPaintMessages() override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}

  std::string status;
};

// Rows 1..rows with every field filled.
void FillArticles(grid::CellTable& grid, int rows) {
  namespace col = sheets::articles;
  for (int row = 1; row <= rows; ++row) {
    const std::string n = std::to_string(row);
    grid.SetItemText(row, col::kName, "Article " + n);
    grid.SetItemText(row, col::kBarcode, std::string(12 - n.size(), '0') + n);
    grid.SetItemText(row, col::kPrice, n + ".29");
    grid.SetItemText(row, col::kTaxGroup, "B");
    grid.SetItemText(row, col::kDepartment, std::to_string(row % 10));
    grid.SetItemText(row, col::kUnit, "1");
    grid.SetItemText(row, col::kInStock, n + ".5");
  }
}

// What the exchange cannot go below on a real line at 9600 baud. A write returns when its bytes
// have left (write and drain); the reply is looked at only after the 100 ms pause and then after
// each further pause, so a reply that arrives within the pause costs nothing more.
Seconds Exchange(std::size_t requestSize, std::size_t replySize = link::kReplySize) {
  const Seconds pause = link::kCountPause;
  const double pauses = std::max(1.0, std::ceil(WireTime(replySize) / pause));
  return WireTime(requestSize) + pause * pauses;
}

Seconds ProtocolFloor(int records, std::size_t versionLineSize) {
  return Exchange(kArticleFrameSize) * records + Exchange(link::kIdentifyRequestSize) +
         Exchange(link::kCommandSize, link::kReplySize + versionLineSize) +
         Exchange(link::kCommandSize) +
         Exchange(link::kCommandSize, link::kReplySize + link::kUploadEndSize) +
         WireTime(link::kReplySize);  // the PC's acknowledgement of the upload end packet
}

std::string DefaultSimulatorPath() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "../ecrsim";
  return (self.parent_path() / ".." / "ecrsim").lexically_normal().string();
}

int Usage() {
  std::fprintf(stderr,
               "usage: bench_upload_timing [ROWS] [--changes N] [--ecrsim PATH]   (ROWS 1..%d)\n",
               transfers::kArticleRows);
  return 2;
}

bool ParseCount(std::string_view arg, int& value) {
  const auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), value);
  return ec == std::errc() && end == arg.data() + arg.size() && value >= 1 &&
         value <= transfers::kArticleRows;
}

// A scratch data folder, removed at the end.
struct ScratchFolder {
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nuvrel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

}  // namespace

int main(int argc, char** argv) {
  int rows = transfers::kArticleRows;
  int changes = 0;
  std::string simulatorPath = DefaultSimulatorPath();
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--ecrsim" && i + 1 < argc) {
      simulatorPath = argv[++i];
    } else if (arg == "--changes" && i + 1 < argc) {
      if (!ParseCount(argv[++i], changes)) return Usage();
    } else if (!ParseCount(arg, rows)) {
      return Usage();
    }
  }
  if (changes > rows) return Usage();

  Simulator simulator(simulatorPath,
                      {"--baud", std::to_string(kBaud), "--serial", std::to_string(kDevice)});
  const std::optional<std::string> slave = simulator.SlavePath();
  if (!slave) {
    std::fprintf(stderr, "cannot start %s\n", simulatorPath.c_str());
    return 1;
  }

  grid::CellTable grid(nullptr);
  sheets::SetupArticlesSheet(grid);
  FillArticles(grid, rows);

  BenchUi ui;
  link::SerialPortOpener opener(link::PortMap::AllTo(*slave));
  link::RegisterIdentity identity;
  transfers::TransferContext context{ui, link::SystemClock(), opener, identity, 0};
  ScratchFolder data;
  context.dataFolder = data.path;
  if (changes > 0) {
    transfers::RegisterMemory memory(data.path);
    if (data.path.empty() ||
        memory.Record(kDevice, sheets::SheetId::Articles, grid, transfers::StateSource::Sent,
                      static_cast<unsigned>(rows))) {
      std::fprintf(stderr, "cannot record the register's state in a scratch folder\n");
      return 1;
    }
    for (int i = 0; i < changes; ++i) {
      const int row = 1 + i * rows / changes;
      grid.SetItemText(row, sheets::articles::kPrice, std::to_string(row) + ".49");
    }
  }
  const int records = changes > 0 ? changes : rows;

  const Seconds cpuBefore = CpuTime(RUSAGE_SELF);
  const auto start = SteadyClock::now();
  const bool sent = changes > 0 ? transfers::SendChanges(context, sheets::SheetId::Articles,
                                                         grid) == transfers::ChangesOutcome::Sent
                                : transfers::UploadArticles(context, grid);
  const Seconds wall = SteadyClock::now() - start;
  const Seconds cpu = CpuTime(RUSAGE_SELF) - cpuBefore;
  const std::optional<Seconds> simulatorCpu = simulator.Stop();

  if (!sent) {
    std::fprintf(stderr, "the upload failed; last status: %s\n", ui.status.c_str());
    return 1;
  }
  // The version line: 12 bytes before the version text, a 4-byte trailer after it.
  const Seconds floor = ProtocolFloor(records, 12 + identity.version.size() + 4);
  const Seconds record = Exchange(kArticleFrameSize);
  std::printf("rows             %d\n", rows);
  if (changes > 0) std::printf("changed prices   %d (Send changes)\n", changes);
  std::printf("status           %s\n", ui.status.c_str());
  std::printf("wall time        %.3f s (%.1f ms a record on average)\n", wall.count(),
              1000 * wall.count() / records);
  std::printf("line floor       %.3f s (%.1f ms a record: %.1f ms write and drain, 100 ms pause)\n",
              floor.count(), 1000 * record.count(),
              1000 * (record - Seconds(link::kCountPause)).count());
  std::printf("ratio to floor   %.3f\n", wall / floor);
  std::printf("CPU time         %.3f s (%.2f %% of wall)\n", cpu.count(),
              100 * cpu.count() / wall.count());
  if (simulatorCpu) std::printf("ecrsim CPU time  %.3f s\n", simulatorCpu->count());
  return 0;
}
