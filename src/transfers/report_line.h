// SPDX-License-Identifier: MIT
// Receiving one report line from the register and reading the fixed-offset fields out of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "link/handshake.h"

namespace nuvrel::transfers {

// What a report line would do to the row it names.
enum class RecordCheck {
  Unstored,  // nothing: the row is no data row, or a field is cut short
  Whole,     // its record is stored
  Damaged,   // a field that would be stored holds what the register never sends there
};

// Receives one report line into `line`: bytes before the first 0xAA are dropped, every byte from
// the 0xAA on is kept, and the line ends with the first LF after it (bytes past that LF stay
// queued). Returns the line's length, LF included. Returns 0 after showing the message of the
// failure: the whole line not in within 3000 ms of the start ("Timeout communicating with ECR!"),
// the line hanging up (its own message, at once), or the line reaching kReportLineCapacity bytes
// ("Invalid data received!").
std::size_t ReceiveReportLine(link::Channel& channel, std::string& line);

// Copies at most `count` bytes of the line from `offset` into `out`, stopping early at a NUL byte
// (not copied) or the end of the line. Returns how many bytes were copied.
std::size_t CopyField(std::string_view line, std::size_t offset, std::size_t count,
                      std::string& out);

// Reads the field as a base-10 integer (leading blanks and one sign accepted). Returns -1 unless
// the number takes up the whole field; an empty field reads as 0.
long ParseFieldNumber(std::string_view line, std::size_t offset, std::size_t count);

// The text without blanks, LFs and CRs at either end.
std::string Trim(std::string_view text);

// Whether a figure field is whole: once trimmed, empty or a decimal number (an optional leading
// sign, at least one digit, at most one '.' or ','). A flipped bit or a shifted line gives
// anything else.
bool IsDecimalField(std::string_view field);

// Whether a field of digits (the barcode) is whole: once trimmed, nothing but digits.
bool IsDigitField(std::string_view field);

}  // namespace nuvrel::transfers
