// SPDX-License-Identifier: MIT
// The CELLS of --select: any text is parsed or refused, and an accepted range is ordered, starts at
// row and column 1 or later, and reads back the same from its own canonical form.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/cell_spec.h"
#include "fuzz_check.h"

namespace {

std::string Canonical(const nuvrel::grid::CellRange& r) {
  std::string text = std::to_string(r.minRow) + "-" + std::to_string(r.maxRow);
  if (r.maxCol != -1) text += ":" + std::to_string(r.minCol) + "-" + std::to_string(r.maxCol);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using nuvrel::cli::ParseCellSpec;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto range = ParseCellSpec(text);
  if (!range) return 0;
  FUZZ_CHECK(range->minRow >= 1 && range->minRow <= range->maxRow);
  FUZZ_CHECK(range->minCol >= 1);
  FUZZ_CHECK(range->maxCol == -1 || range->minCol <= range->maxCol);
  const auto again = ParseCellSpec(Canonical(*range));
  FUZZ_CHECK(again && *again == *range);
  return 0;
}
