// SPDX-License-Identifier: MIT
#include "sim/logo.h"

#include "link/frames.h"

namespace nuvrel::sim {

bool IsLogoHeader(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kLogoHeaderSize || bytes[0] != link::kStartByte || bytes[7] != kLogoLetter) {
    return false;
  }
  for (std::size_t i = 1; i <= 6; ++i) {
    if (bytes[i] < '0' || bytes[i] > '9') return false;
  }
  return true;
}

std::uint32_t BmpFileSize(std::span<const std::uint8_t, kBmpSizeFieldEnd> start) {
  return static_cast<std::uint32_t>(start[2]) | static_cast<std::uint32_t>(start[3]) << 8 |
         static_cast<std::uint32_t>(start[4]) << 16 | static_cast<std::uint32_t>(start[5]) << 24;
}

std::optional<std::string> LogoSizeProblem(std::uint32_t size) {
  if (size < kSmallestLogo || size > kLargestLogo) {
    return "a logo of " + std::to_string(size) + " bytes (the register takes " +
           std::to_string(kSmallestLogo) + " to " + std::to_string(kLargestLogo) + ")";
  }
  return std::nullopt;
}

std::optional<std::string> LogoFileProblem(std::span<const std::uint8_t> file) {
  if (file.size() < kBmpSizeFieldEnd) return "shorter than its size field";
  const std::uint32_t size = BmpFileSize(file.first<kBmpSizeFieldEnd>());
  if (auto problem = LogoSizeProblem(size)) return problem;
  if (size != file.size()) {
    return "its size field says " + std::to_string(size) + " bytes, the file has " +
           std::to_string(file.size());
  }
  return std::nullopt;
}

}  // namespace nuvrel::sim
