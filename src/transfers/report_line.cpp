// SPDX-License-Identifier: MIT
#include "transfers/report_line.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

#include "link/faults.h"
#include "link/frames.h"
#include "sheets/decimal_text.h"

namespace nuvrel::transfers {
namespace {

// A read that brings an unfinished line fewer bytes than this finds it coming in at the pace of
// the wire (at 9600 baud a byte a millisecond), not all at once.
constexpr std::size_t kTrickle = 64;
// How long such a line is left to pile up before the next read: some 380 bytes at 9600 baud, about
// four lines of the articles report, so that the program wakes less than once a line rather than
// for every byte. It stays far below what the port's receive buffer holds (over 4 s of the line)
// and below the block's capacity (500 bytes).
constexpr auto kGatherTime = std::chrono::milliseconds(400);

}  // namespace

std::size_t ReportLineReader::Receive(std::string& line) {
  const auto start = m_channel.clock.Now();
  line.clear();
  auto fail = [&](link::Fault fault) -> std::size_t {
    link::Report(m_channel.ui, fault, m_channel.port);
    return 0;
  };
  for (;;) {
    // What the last block brought past the previous line comes first, then the port.
    bool got = m_next < m_end;
    std::size_t fresh = 0;  // bytes this round took from the port
    if (!got) {
      m_next = 0;
      m_end = fresh = m_channel.port.ReadAvailable(m_block);
      got = fresh > 0;
    }
    if (got && Take(line)) {
      if (line.size() >= link::kReportLineCapacity) return fail(link::Fault::Invalid);
      return line.size();
    }
    // The limit covers the whole line, so a register that trickles bytes (or noise before the
    // start byte) cannot keep the exchange alive.
    const auto elapsed = m_channel.clock.Now() - start;
    if (elapsed > link::kReplyTimeout) return fail(link::Fault::Timeout);
    // Never past the limit (and a little more, so that "more than 3000 ms" has really passed):
    // what has come by then is read before the line is given up, as without the gathering.
    const auto left = link::kReplyTimeout - elapsed + std::chrono::milliseconds(1);
    if (!got) {
      if (m_channel.port.WaitReadable(left) == link::WaitResult::HungUp) {
        return fail(link::Fault::HungUp);
      }
    } else if (fresh > 0 && fresh < kTrickle) {
      m_channel.clock.SleepFor(std::min<link::Clock::Duration>(kGatherTime, left));
    }
  }
}

bool ReportLineReader::Take(std::string& line) {
  const std::uint8_t* const block = m_block.data();
  const std::uint8_t* first = block + m_next;
  const std::uint8_t* const last = block + m_end;
  if (line.empty()) first = std::find(first, last, link::kStartByte);
  // The line never grows past the capacity: the byte that reaches it ends the line as refused.
  const auto room = std::min<std::ptrdiff_t>(
      static_cast<std::ptrdiff_t>(link::kReportLineCapacity - line.size()), last - first);
  const std::uint8_t* const stop = first + room;
  const std::uint8_t* const lineFeed = std::find(first, stop, link::kLineFeed);
  const std::uint8_t* const end = lineFeed == stop ? stop : lineFeed + 1;
  line.append(reinterpret_cast<const char*>(first), static_cast<std::size_t>(end - first));
  m_next = static_cast<std::size_t>(end - block);
  return lineFeed != stop || line.size() >= link::kReportLineCapacity;
}

std::size_t CopyField(std::string_view line, std::size_t offset, std::size_t count,
                      std::string& out) {
  out.clear();
  if (offset >= line.size()) return 0;
  std::string_view field = line.substr(offset, count);
  field = field.substr(0, field.find('\0'));
  out.assign(field);
  return out.size();
}

long ParseFieldNumber(std::string_view line, std::size_t offset, std::size_t count) {
  std::string field;
  CopyField(line, offset, count, field);
  if (field.empty()) return 0;
  const sheets::ParsedInteger number = sheets::ParseInteger(field);
  if (number.consumed != field.size()) return -1;
  // strtol saturates at the limits of long.
  if (number.value > LONG_MAX) return LONG_MAX;
  if (number.value < LONG_MIN) return LONG_MIN;
  return static_cast<long>(number.value);
}

bool IsDecimalField(std::string_view field) {
  const std::string_view text = app::Trim(field, kFieldBlanks);
  std::size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  bool digit = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return text.empty() || digit;
}

bool IsDigitField(std::string_view field) {
  const std::string_view text = app::Trim(field, kFieldBlanks);
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace nuvrel::transfers
