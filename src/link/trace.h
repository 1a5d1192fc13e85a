// SPDX-License-Identifier: MIT
// A byte log of a serial conversation: one line per block written or read,
//   <seconds since the log was opened, 6 decimals> <TX|RX> <bytes in hex, space-separated>
// TX is what this program sent, RX what it received. Both nuvrel-cli and ecrsim write it.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace nuvrel::link {

class TraceLog {
 public:
  // Opens (truncates) the file; Ok() tells whether that worked.
  explicit TraceLog(const std::string& path);
  ~TraceLog();
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  bool Ok() const { return m_file != nullptr; }
  void Sent(std::span<const std::uint8_t> bytes) { Line("TX", bytes); }
  void Received(std::span<const std::uint8_t> bytes) { Line("RX", bytes); }
  void Note(const std::string& text);

 private:
  void Line(const char* direction, std::span<const std::uint8_t> bytes);

  std::FILE* m_file = nullptr;
  std::chrono::steady_clock::time_point m_start;
};

}  // namespace nuvrel::link
