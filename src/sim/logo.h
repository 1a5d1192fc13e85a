// SPDX-License-Identifier: MIT
// The logo the PC sends: an 8-byte header (0xAA, six digits, 'R'; no check pair, no LF) and then
// the BMP file itself, whose bytes 2..5 (little-endian) give the file's size; nothing marks its
// end. The register answers the whole with an acknowledgement carrying the header's six digits.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace nuvrel::sim {

inline constexpr std::size_t kLogoHeaderSize = 8;
inline constexpr std::uint8_t kLogoLetter = 'R';
// The size field lies in the first six bytes of the file.
inline constexpr std::size_t kBmpSizeFieldEnd = 6;
// A BMP file holds at least its 14-byte file header and a 12-byte core header.
inline constexpr std::uint32_t kSmallestLogo = 26;
inline constexpr std::uint32_t kLargestLogo = 1024 * 1024;
// A logo whose bytes stop for this long is given up.
inline constexpr std::chrono::seconds kLogoSilence{3};

// True for 0xAA, six ASCII digits and 'R' (exactly kLogoHeaderSize bytes).
bool IsLogoHeader(std::span<const std::uint8_t> bytes);

// The file size a BMP file's first six bytes give.
std::uint32_t BmpFileSize(std::span<const std::uint8_t, kBmpSizeFieldEnd> start);

// Why a logo of this size is refused, or nothing when it is taken.
std::optional<std::string> LogoSizeProblem(std::uint32_t size);

// Why a kept logo file is not one the register could have taken (size field and length), or
// nothing.
std::optional<std::string> LogoFileProblem(std::span<const std::uint8_t> file);

}  // namespace nuvrel::sim
