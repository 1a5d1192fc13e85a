// SPDX-License-Identifier: MIT
#include "transfers/bmp_info.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/utf8_path.h"

namespace nuvrel::transfers {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

// Compression kinds whose pixel array has a size that follows from the dimensions.
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::int64_t Signed(std::uint32_t raw) {
  return static_cast<std::int64_t>(static_cast<std::int32_t>(raw));
}

// A negative height marks a top-down bitmap. Taken in 64 bits, since INT32_MIN has no positive
// int32.
std::uint64_t Magnitude(std::int64_t value) {
  return static_cast<std::uint64_t>(value < 0 ? -value : value);
}

bool KnownDepth(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool SaneDimension(std::uint64_t d) {
  return d > 0 && d <= kMaxBmpDimension;
}

}  // namespace

std::optional<BmpInfo> ReadBmpInfo(std::span<const std::uint8_t> bytes) {
  const std::uint64_t size = bytes.size();
  if (size < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;

  const std::uint32_t headerSize = U32(bytes, kFileHeaderSize);
  if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) return std::nullopt;
  // The whole declared header must be present (compared in 64 bits: headerSize may be huge).
  if (kFileHeaderSize + std::uint64_t{headerSize} > size) return std::nullopt;

  std::uint64_t width = 0;
  std::uint64_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bits = 0;
  std::uint32_t compression = kUncompressed;
  if (headerSize == kCoreHeaderSize) {
    width = U16(bytes, 18);
    height = U16(bytes, 20);
    planes = U16(bytes, 22);
    bits = U16(bytes, 24);
  } else {
    // Only the height may be negative; a negative width is no bitmap.
    const std::int64_t signedWidth = Signed(U32(bytes, 18));
    if (signedWidth <= 0) return std::nullopt;
    width = static_cast<std::uint64_t>(signedWidth);
    height = Magnitude(Signed(U32(bytes, 22)));
    planes = U16(bytes, 26);
    bits = U16(bytes, 28);
    compression = U32(bytes, 30);
  }
  if (!SaneDimension(width) || !SaneDimension(height) || planes != 1 || !KnownDepth(bits)) {
    return std::nullopt;
  }

  const std::uint64_t pixelOffset = U32(bytes, 10);
  if (pixelOffset < kFileHeaderSize + headerSize || pixelOffset >= size) return std::nullopt;
  if (compression == kUncompressed || compression == kBitFields || compression == kAlphaBitFields) {
    // Rows are padded to 4 bytes. With both dimensions at most 32768 this cannot overflow.
    const std::uint64_t stride = (width * bits + 31) / 32 * 4;
    if (stride * height > size - pixelOffset) return std::nullopt;
  }
  return BmpInfo{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), bits, size};
}

std::optional<BmpInfo> ReadBmpFile(const std::string& path) {
  // A FIFO or a device would block the read or never end: only regular files are opened.
  const std::filesystem::path file = app::Utf8Path(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;

  // The size of what was opened, not of what the path named a moment before.
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  if (end < 0 || static_cast<std::uint64_t>(end) > kMaxBmpFileSize) return std::nullopt;
  in.seekg(0, std::ios::beg);

  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return std::nullopt;
  // A file cut short meanwhile is judged by what is left of it.
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return ReadBmpInfo(bytes);
}

std::uint32_t ColourCount(std::uint16_t bitsPerPixel) {
  if (bitsPerPixel >= 32) return 4294967295U;
  return std::uint32_t{1} << bitsPerPixel;
}

}  // namespace nuvrel::transfers
