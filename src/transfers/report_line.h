// SPDX-License-Identifier: MIT
// Receiving one report line from the register and reading the fixed-offset fields out of it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/trim.h"
#include "link/handshake.h"
#include "link/report_layout.h"

namespace nuvrel::transfers {

// What a report line would do to the row it names.
enum class RecordCheck {
  Unstored,  // nothing: the row is no data row, or a field is cut short
  Whole,     // its record is stored
  Damaged,   // a field that would be stored holds what the register never sends there
};

// Receives the report lines of one download. The port is read in blocks; the bytes a block brings
// past a line's LF wait here, in order, for the next line. A line that comes in at the pace of the
// wire is left to pile up for a moment between reads (never past its time limit) rather than read
// byte by byte. Lives as long as the download.
class ReportLineReader {
 public:
  explicit ReportLineReader(link::Channel& channel) : m_channel(channel) {}

  // Receives one report line into `line`: bytes before the first 0xAA are dropped, every byte from
  // the 0xAA on is kept, and the line ends with the first LF after it (bytes past that LF are kept
  // for the next line). Returns the line's length, LF included. Returns 0 after showing the message
  // of the failure: the whole line not in within 3000 ms of the start ("Timeout communicating with
  // ECR!"), the line hanging up (its own message, without waiting out the limit), or the line
  // reaching kReportLineCapacity bytes ("Invalid data received!").
  std::size_t Receive(std::string& line);

 private:
  // Takes bytes of the block into the line; true once the line has its LF or has reached the
  // capacity.
  bool Take(std::string& line);

  link::Channel& m_channel;
  std::array<std::uint8_t, link::kReportLineCapacity> m_block{};
  std::size_t m_next = 0;  // the first byte of the block not yet taken
  std::size_t m_end = 0;   // the end of what the last read brought
};

// Copies at most `count` bytes of the line from `offset` into `out`, stopping early at a NUL byte
// (not copied) or the end of the line. Returns how many bytes were copied.
std::size_t CopyField(std::string_view line, std::size_t offset, std::size_t count,
                      std::string& out);

// Reads the field as a base-10 integer (leading blanks and one sign accepted). Returns -1 unless
// the number takes up the whole field; an empty field reads as 0.
long ParseFieldNumber(std::string_view line, std::size_t offset, std::size_t count);

// What is cut off either end of a report field: blanks, LFs and CRs (a tab is text).
inline constexpr std::string_view kFieldBlanks = " \n\r";

// Whether a figure field is whole: once trimmed, empty or a decimal number (an optional leading
// sign, at least one digit, at most one '.' or ','). A flipped bit or a shifted line gives
// anything else.
bool IsDecimalField(std::string_view field);

// Whether a field of digits (the barcode) is whole: once trimmed, nothing but digits.
bool IsDigitField(std::string_view field);

}  // namespace nuvrel::transfers
