// SPDX-License-Identifier: MIT
// Building bitmap files byte by byte for the logo tests: valid ones of any size and depth, which
// the tests then cut short or bend.
#pragma once

#include <cstdint>
#include <string>

namespace nuvrel::test {

struct BmpSpec {
  std::int32_t width = 224;
  std::int32_t height = 80;  // negative: top-down
  std::uint16_t bitsPerPixel = 1;
  bool coreHeader = false;  // the 12-byte header with 16-bit dimensions
  std::uint32_t compression = 0;
  std::size_t padTo = 0;  // zero bytes appended after the pixel array up to this size
};

inline void PutLe(std::string& b, std::size_t at, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    b[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A complete bitmap file: headers, a full colour table for depths up to 8, and a pixel array with
// a recognisable pattern.
inline std::string BmpBytes(const BmpSpec& shape) {
  const std::size_t headerSize = shape.coreHeader ? 12 : 40;
  const std::size_t entrySize = shape.coreHeader ? 3 : 4;
  const std::size_t palette =
      shape.bitsPerPixel <= 8 ? (std::size_t{1} << shape.bitsPerPixel) * entrySize : 0;
  const std::size_t width =
      static_cast<std::size_t>(shape.width < 0 ? -std::int64_t{shape.width} : shape.width);
  const std::size_t height =
      static_cast<std::size_t>(shape.height < 0 ? -std::int64_t{shape.height} : shape.height);
  const std::size_t stride = (width * shape.bitsPerPixel + 31) / 32 * 4;
  const std::size_t offset = 14 + headerSize + palette;
  const std::size_t size = offset + stride * height;

  std::string b(size, '\0');
  b[0] = 'B';
  b[1] = 'M';
  PutLe(b, 2, size, 4);
  PutLe(b, 10, offset, 4);
  PutLe(b, 14, headerSize, 4);
  if (shape.coreHeader) {
    PutLe(b, 18, static_cast<std::uint16_t>(shape.width), 2);
    PutLe(b, 20, static_cast<std::uint16_t>(shape.height), 2);
    PutLe(b, 22, 1, 2);
    PutLe(b, 24, shape.bitsPerPixel, 2);
  } else {
    PutLe(b, 18, static_cast<std::uint32_t>(shape.width), 4);
    PutLe(b, 22, static_cast<std::uint32_t>(shape.height), 4);
    PutLe(b, 26, 1, 2);
    PutLe(b, 28, shape.bitsPerPixel, 2);
    PutLe(b, 30, shape.compression, 4);
  }
  for (std::size_t i = 14 + headerSize; i < size; ++i)
    b[i] = static_cast<char>((i * 37 + 11) & 0xFF);
  if (shape.padTo > size) b.resize(shape.padTo, '\0');
  return b;
}

}  // namespace nuvrel::test
