// SPDX-License-Identifier: MIT
// A byte log of a serial conversation: one line per block written or read,
//   <seconds since the log was opened, 6 decimals> <TX|RX> <bytes in hex, space-separated>
// and a line "<seconds> -- <text>" for a note (the port opened or closed). TX is what this program
// sent, RX what it received. nuvrel-cli and ecrsim write it to a file; the desktop program shows it
// in its communication log and saves it in the same format.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace nuvrel::link {

struct TraceEntry {
  double seconds = 0.0;             // since the log was opened
  std::string direction;            // "TX", "RX", or "--" for a note
  std::vector<std::uint8_t> bytes;  // of a TX or RX entry
  std::string note;                 // of a note
};

// The entry as one line of the log, without the line end.
std::string TraceLine(const TraceEntry& entry);

class TraceLog {
 public:
  using Sink = std::function<void(const TraceEntry&)>;

  // Opens the file: a regular file is created or emptied, but never through a symbolic link and
  // never one without any write permission (also for root); a device, a FIFO or a standard stream
  // ("-", /dev/stderr, ...) is written as it is. Ok() tells whether that worked, Error() why not.
  explicit TraceLog(const std::string& path);
  // Hands every entry to the sink.
  explicit TraceLog(Sink sink);
  ~TraceLog();
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  bool Ok() const { return m_file != nullptr || m_sink != nullptr; }
  const std::string& Error() const { return m_error; }
  void Sent(std::span<const std::uint8_t> bytes) { Bytes("TX", bytes); }
  void Received(std::span<const std::uint8_t> bytes) { Bytes("RX", bytes); }
  void Note(const std::string& text);

 private:
  void Bytes(const char* direction, std::span<const std::uint8_t> bytes);
  void Add(const TraceEntry& entry);

  std::FILE* m_file = nullptr;
  std::string m_error;
  Sink m_sink;
  std::chrono::steady_clock::time_point m_start;
};

}  // namespace nuvrel::link
