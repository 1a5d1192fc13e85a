// SPDX-License-Identifier: MIT
// The simulator's I/O loop: it blocks in poll() on the pseudo-terminal's master and the stop pipe,
// feeds what arrives to the register, carries out the register's actions and keeps the deadlines
// of the PC's acknowledgement of an upload end and of a logo whose bytes stop. With a baud rate it
// models the line both ways at 10 bits a byte: the PC's bytes are taken off the line at that rate
// (see LineReader), a reply starts no sooner than the frame it answers took on the wire, and its
// bytes go out at that rate.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "link/trace.h"
#include "sim/register.h"

namespace nuvrel::sim {

struct ServeSettings {
  std::uint32_t baud = 0;                        // 0: write replies as fast as possible
  link::TraceLog* trace = nullptr;               // every block received and sent, if set
  std::function<void(std::string_view)> report;  // one diagnostic line (no prefix, no newline)
  // Keeps a changed table (--state); returns why it could not, which is reported.
  std::function<std::optional<std::string>(const RegisterTables&, TableKind)> save;
};

enum class ServeEnd {
  Stopped,  // a stop signal arrived
  HungUp,   // the register hung up (the hangup fault)
  Failed,   // the line failed; the result's error says how
  Closed,   // the other end closed the line (a network client went away)
};

struct ServeResult {
  ServeEnd end = ServeEnd::Stopped;
  std::string error;
};

// The time one byte takes at the rate: 10 bits (start, 8 data, stop). Zero for rate 0.
std::chrono::nanoseconds ByteTime(std::uint32_t baud);

// Serves the register on the master until a stop signal, a hang-up or a line failure.
ServeResult Serve(int masterFd, int stopFd, Register& reg, const ServeSettings& settings);

}  // namespace nuvrel::sim
