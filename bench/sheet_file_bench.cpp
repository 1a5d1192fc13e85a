// SPDX-License-Identifier: MIT
// Sheet files at full size: reading and normalising a 2400-row Articles file, writing it, the
// memory the seven sheets' cells take when Articles and Articles report are full, and reading a
// full file into the workspace as one step that can be undone.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/ui.h"
#include "sheets/layouts.h"
#include "sheets/sheet_file.h"
#include "sheets/workspace.h"

namespace {

// Bytes the allocator has handed out and not yet taken back (the program is single-threaded, so
// everything lives in the main arena). Counting this way leaves the timed code untouched.
long long LiveHeapBytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long long>(info.uordblks + info.hblkhd);
}

}  // namespace

namespace {

using namespace nuvrel;
using sheets::SheetId;

class QuietUi final : public app::Ui {
 public:
  void ShowMessage(std::string_view text, app::Icon) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  bool Ask(std::string_view, app::Icon, bool) override { return false; }
  bool ShowProblems(grid::CellTable&, const std::vector<app::CellProblem>&) override {
    return false;
  }
  void SetStatus(std::string_view) override {}
  void PumpPaintMessages() override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
};

// A shop's articles: every row filled, names of varying length, prices and stock with a comma or
// without decimals now and then, so that the cells have normalising to do.
std::string FullArticlesFile(bool report) {
  static const char* const kWords[] = {"Mleko 2.8%", "Hleb beli",    "Jogurt casa 1l",
                                       "Sir gauda",  "Kafa mlevena", "Sok jabuka 1l",
                                       "Cokolada",   "Keks"};
  std::string text;
  for (int r = 1; r <= 2400; ++r) {
    text += std::to_string(r);
    text += '\t';
    text += kWords[r % 8];
    text += ' ';
    text += std::to_string(r * 7 % 1000);
    text += '\t';
    text += std::to_string(8600000000000LL + r * 37);
    text += '\t';
    text += std::to_string(r % 900 + 10) + (r % 3 ? ",50" : ".99");
    text += '\t';
    text += static_cast<char>('A' + r % 4);
    text += '\t';
    text += static_cast<char>('1' + r % 9);
    text += '\t';
    text += r % 5 ? "0" : "1";
    text += '\t';
    text += std::to_string(r % 250) + (r % 2 ? ",5" : "");
    if (report) {
      text += '\t' + std::to_string(r * 13 % 100000) + ".25";
      text += '\t' + std::to_string(r % 40) + ".000";
    }
    text += "\r\n";
  }
  return text;
}

std::string TempPath(const char* name) {
  return "/tmp/nuvrel-bench-" + std::to_string(::getpid()) + "-" + name;
}

void BM_ReadSheetText(benchmark::State& state) {
  const std::string bytes = FullArticlesFile(false);
  grid::CellTable grid(nullptr);
  sheets::SetupSheet(SheetId::Articles, grid);
  sheets::SheetTextReader reader(grid);
  for (auto _ : state) {
    sheets::ClearSheetData(grid);
    reader.ReadSheetText(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadSheetText)->Unit(benchmark::kMillisecond);

void BM_ReadSheetFile(benchmark::State& state) {
  const std::string bytes = FullArticlesFile(false);
  const std::string path = TempPath("read.txt");
  std::ofstream(path, std::ios::binary) << bytes;
  grid::CellTable grid(nullptr);
  sheets::SetupSheet(SheetId::Articles, grid);
  sheets::SheetTextReader reader(grid);
  QuietUi ui;
  for (auto _ : state) {
    if (!reader.ReadSheetFile(path, ui)) state.SkipWithError("read failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  ::unlink(path.c_str());
}
BENCHMARK(BM_ReadSheetFile)->Unit(benchmark::kMillisecond);

void BM_SheetText(benchmark::State& state) {
  grid::CellTable grid(nullptr);
  sheets::SetupSheet(SheetId::Articles, grid);
  sheets::SheetTextReader(grid).ReadSheetText(FullArticlesFile(false));
  for (auto _ : state) benchmark::DoNotOptimize(sheets::SheetText(grid));
}
BENCHMARK(BM_SheetText)->Unit(benchmark::kMillisecond);

// Includes the fsync of the file and its folder, so the figure depends on the disk under /tmp.
void BM_WriteSheetFile(benchmark::State& state) {
  grid::CellTable grid(nullptr);
  sheets::SetupSheet(SheetId::Articles, grid);
  sheets::SheetTextReader(grid).ReadSheetText(FullArticlesFile(false));
  const std::string path = TempPath("write.txt");
  sheets::SheetTextWriter writer(grid);
  QuietUi ui;
  for (auto _ : state) {
    if (!writer.WriteSheetFile(path, ui)) state.SkipWithError("write failed");
  }
  ::unlink(path.c_str());
}
BENCHMARK(BM_WriteSheetFile)->Unit(benchmark::kMillisecond);

// The heap the seven sheets hold with Articles and Articles report full, as a counter (bytes).
void BM_WorkspaceMemory(benchmark::State& state) {
  const std::string articles = FullArticlesFile(false);
  const std::string report = FullArticlesFile(true);
  for (auto _ : state) {
    const long long before = LiveHeapBytes();
    {
      sheets::Workspace workspace(nullptr);
      const long long laidOut = LiveHeapBytes();
      sheets::SheetTextReader(workspace.Grid(SheetId::Articles)).ReadSheetText(articles);
      sheets::SheetTextReader(workspace.Grid(SheetId::ArticlesReport)).ReadSheetText(report);
      workspace.TakeChange();  // the cells alone, without the step the reads made
      const long long full = LiveHeapBytes();
      state.counters["empty_bytes"] = static_cast<double>(laidOut - before);
      state.counters["full_bytes"] = static_cast<double>(full - before);
    }
  }
}
BENCHMARK(BM_WorkspaceMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

// The memory a step holds: its cell records and the texts too long to live inside them.
double StepBytes(const sheets::WorkspaceChange& change) {
  std::size_t bytes = 0;
  for (const sheets::SheetChange& sheet : change.sheets) {
    bytes += sheet.cells.capacity() * sizeof(sheets::CellChange);
    for (const sheets::CellChange& cell : sheet.cells) {
      for (const std::string* text : {&cell.before, &cell.after}) {
        if (text->capacity() > std::string().capacity()) bytes += text->capacity() + 1;
      }
    }
  }
  return static_cast<double>(bytes);
}

// A full file read into an empty sheet of the workspace, as Open does, and the step it makes (every
// data cell), with the memory the step holds as a counter (bytes).
void BM_OpenAsOneStep(benchmark::State& state) {
  const std::string bytes = FullArticlesFile(false);
  sheets::Workspace workspace(nullptr);
  grid::CellTable& articles = workspace.Grid(SheetId::Articles);
  for (auto _ : state) {
    sheets::SheetTextReader(articles).ReadSheetText(bytes);
    const sheets::WorkspaceChange step = workspace.TakeChange();
    state.counters["step_bytes"] = StepBytes(step);
    state.counters["cells"] = static_cast<double>(step.sheets.at(0).cells.size());
    state.PauseTiming();
    workspace.Undo(step);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenAsOneStep)->Unit(benchmark::kMillisecond);

// Taking such a step back and making it again.
void BM_UndoRedoOpen(benchmark::State& state) {
  sheets::Workspace workspace(nullptr);
  grid::CellTable& articles = workspace.Grid(SheetId::Articles);
  sheets::SheetTextReader(articles).ReadSheetText(FullArticlesFile(false));
  workspace.TakeChange();
  sheets::ClearSheetData(articles);
  const sheets::WorkspaceChange step = workspace.TakeChange();
  for (auto _ : state) {
    workspace.Undo(step);
    workspace.Redo(step);
  }
}
BENCHMARK(BM_UndoRedoOpen)->Unit(benchmark::kMillisecond);

}  // namespace
