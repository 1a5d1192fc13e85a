// SPDX-License-Identifier: MIT
// The few facts the logo transfer needs from a bitmap file (size, bit depth, colours), read from
// its headers without any image library, so that the command-line tool needs no GUI toolkit.
//
// Offsets of the headers read (little-endian):
//   file header      0-1:"BM" 2-5:file size (not trusted) 10-13:offset of the pixel array     (14)
//   info header      14-17:header size (>= 40) 18-21:width int32 (> 0) 22-25:height int32
//   (negative:
//                    top-down) 26-27:planes (1) 28-29:bits per pixel 30-33:compression
//   core header      14-17:header size (12) 18-19:width uint16 20-21:height uint16 22-23:planes
//                    24-25:bits per pixel
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace nuvrel::transfers {

// Files larger than this are refused without being read.
inline constexpr std::uint64_t kMaxBmpFileSize = std::uint64_t{16} * 1024 * 1024;
// Larger widths or heights are refused as absurd.
inline constexpr std::uint32_t kMaxBmpDimension = 32768;

struct BmpInfo {
  std::uint32_t width = 0;
  std::uint32_t height = 0;  // always positive, also for a top-down bitmap
  std::uint16_t bitsPerPixel = 0;
  std::uint64_t fileSize = 0;  // the bytes actually present, not the header's own claim
};

// Reads a whole bitmap file held in memory. Nothing when the bytes are not a bitmap this reader
// accepts: wrong signature, an unknown header, planes other than 1, a bit depth other than 1, 4, 8,
// 16, 24 or 32, a zero or absurd width or height, a pixel array starting outside the file, or
// (uncompressed) a pixel array that does not fit in the file.
std::optional<BmpInfo> ReadBmpInfo(std::span<const std::uint8_t> bytes);

// Reads the bitmap file at path. Nothing when it is not a regular file, is larger than
// kMaxBmpFileSize, cannot be read, or ReadBmpInfo refuses its bytes.
std::optional<BmpInfo> ReadBmpFile(const std::string& path);

// The number of colours of a bit depth: 2^bitsPerPixel, or 4294967295 from 32 bits up.
std::uint32_t ColourCount(std::uint16_t bitsPerPixel);

}  // namespace nuvrel::transfers
