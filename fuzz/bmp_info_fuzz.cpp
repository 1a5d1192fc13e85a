// SPDX-License-Identifier: MIT
// The bitmap headers of a logo file: any bytes are read without reading past them, and what is
// accepted has the sizes and depths the logo transfer relies on.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "fuzz_check.h"
#include "transfers/bmp_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace nuvrel::transfers;
  const std::optional<BmpInfo> info = ReadBmpInfo(std::span(data, size));
  if (!info) return 0;
  FUZZ_CHECK(info->width >= 1 && info->width <= kMaxBmpDimension);
  FUZZ_CHECK(info->height >= 1 && info->height <= kMaxBmpDimension);
  const std::uint16_t bits = info->bitsPerPixel;
  FUZZ_CHECK(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
  FUZZ_CHECK(info->fileSize == size);
  FUZZ_CHECK(ColourCount(bits) >= 2);
  return 0;
}
