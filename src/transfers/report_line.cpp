// SPDX-License-Identifier: MIT
#include "transfers/report_line.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>

#include "link/faults.h"
#include "link/frames.h"
#include "sheets/decimal_text.h"
#include "transfers/report_layout.h"

namespace nuvrel::transfers {

std::size_t ReceiveReportLine(link::Channel& channel, std::string& line) {
  const auto start = channel.clock.Now();
  line.clear();
  auto fail = [&](link::Fault fault) -> std::size_t {
    link::Report(channel.ui, fault);
    return 0;
  };
  for (;;) {
    // One byte at a time, so that nothing past the line's LF is taken from the port: the next
    // line may already be waiting behind it.
    std::uint8_t byte = 0;
    const bool got = channel.port.ReadAvailable(std::span(&byte, 1)) == 1;
    if (got && (!line.empty() || byte == link::kStartByte)) {
      line.push_back(static_cast<char>(byte));
      if (line.size() >= kReportLineCapacity) return fail(link::Fault::Invalid);
      if (byte == link::kLineFeed) return line.size();
    }
    // The limit covers the whole line, so a register that trickles bytes (or noise before the
    // start byte) cannot keep the exchange alive.
    const auto elapsed = channel.clock.Now() - start;
    if (elapsed > link::kReplyTimeout) return fail(link::Fault::Timeout);
    if (!got) {
      const auto left = link::kReplyTimeout - elapsed + std::chrono::milliseconds(1);
      if (channel.port.WaitReadable(left) == link::WaitResult::HungUp) {
        return fail(link::Fault::HungUp);
      }
    }
  }
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

std::string Trim(std::string_view text) {
  constexpr std::string_view kStrip = " \n\r";
  const std::size_t first = text.find_first_not_of(kStrip);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kStrip);
  return std::string(text.substr(first, last - first + 1));
}

bool IsDecimalField(std::string_view field) {
  const std::string text = Trim(field);
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
  const std::string text = Trim(field);
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace nuvrel::transfers
