// SPDX-License-Identifier: MIT
// Sheet files: any bytes read into a sheet, written out, read back and written again give the same
// file the second time, and every line written has one cell for each data column.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "fuzz_check.h"
#include "grid/cell_table.h"
#include "sheets/layouts.h"
#include "sheets/sheet_file.h"

namespace {

using namespace nuvrel;

// Rows past this are cut from the two long sheets: clearing and writing 2400 rows twice for every
// input would leave little time for the reader, and the last row is refused the same way at 100.
constexpr int kRowsKept = 100;

// The sheets are laid out once: a full layout costs far more than one read.
grid::CellTable& Sheet(int index) {
  static const auto sheets = [] {
    std::array<std::unique_ptr<grid::CellTable>, sheets::kGridSheetCount> all;
    for (int i = 0; i < sheets::kGridSheetCount; ++i) {
      auto grid = std::make_unique<grid::CellTable>(nullptr);
      sheets::SetupSheet(static_cast<sheets::SheetId>(i), *grid);
      if (grid->GetRowCount() > kRowsKept) grid->SetRowCount(kRowsKept);
      all[static_cast<std::size_t>(i)] = std::move(grid);
    }
    return all;
  }();
  return *sheets[static_cast<std::size_t>(index)];
}

std::string ReadThenWrite(grid::CellTable& grid, std::string_view bytes) {
  sheets::ClearSheetData(grid);
  sheets::SheetTextReader(grid).ReadSheetText(bytes);
  return sheets::SheetText(grid);
}

// Every line ends in CR LF and holds the label and one field per data column.
void CheckShape(const grid::CellTable& grid, std::string_view text) {
  const auto tabs = static_cast<std::size_t>(grid.GetColumnCount() - 1);
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    FUZZ_CHECK(end != std::string_view::npos);
    const std::string_view line = text.substr(0, end);
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
    std::size_t count = 0;
    for (char c : line) count += c == '\t' ? 1 : 0;
    FUZZ_CHECK(count == tabs);
    text.remove_prefix(end + 2);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader input(data, size);
  grid::CellTable& grid = Sheet(input.Byte() % sheets::kGridSheetCount);
  const std::string first = ReadThenWrite(grid, input.Rest());
  CheckShape(grid, first);
  const std::string second = ReadThenWrite(grid, first);
  FUZZ_CHECK(second == first);
  return 0;
}
