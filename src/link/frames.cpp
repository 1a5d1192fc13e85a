// SPDX-License-Identifier: MIT
#include "link/frames.h"

#include <charconv>

namespace nuvrel::link {

std::uint8_t XorOf(std::span<const std::uint8_t> bytes) {
  std::uint8_t x = 0;
  for (std::uint8_t b : bytes) x ^= b;
  return x;
}

std::array<std::uint8_t, 2> CheckPair(std::span<const std::uint8_t> covered) {
  const std::uint8_t x = XorOf(covered);
  return {static_cast<std::uint8_t>(0x30 | (x >> 4)), static_cast<std::uint8_t>(0x30 | (x & 0x0F))};
}

void AppendCheckPair(Bytes& frame) {
  const auto pair = CheckPair(frame);
  frame.push_back(pair[0]);
  frame.push_back(pair[1]);
  frame.push_back(kLineFeed);
}

bool CheckPairMatches(std::span<const std::uint8_t> covered, std::uint8_t first,
                      std::uint8_t second) {
  const auto received = static_cast<std::uint8_t>((first << 4) | (second & 0x0F));
  return received == XorOf(covered);
}

std::string DeviceDigits(std::uint32_t deviceNumber) {
  char buffer[16];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, deviceNumber);
  (void)ec;
  std::string digits(buffer, end);
  if (digits.size() < 6) digits.insert(0, 6 - digits.size(), '0');
  return digits;
}

Bytes BeginFrame(std::uint32_t deviceNumber, char letter) {
  Bytes frame;
  frame.reserve(64);
  frame.push_back(kStartByte);
  for (char c : DeviceDigits(deviceNumber)) frame.push_back(static_cast<std::uint8_t>(c));
  frame.push_back(static_cast<std::uint8_t>(letter));
  return frame;
}

Bytes IdentifyRequest() {
  Bytes frame{kStartByte, '?'};
  AppendCheckPair(frame);
  return frame;
}

Bytes CommandFrame(std::uint32_t deviceNumber, char letter) {
  Bytes frame = BeginFrame(deviceNumber, letter);
  AppendCheckPair(frame);
  return frame;
}

Bytes AckFrame(std::uint32_t deviceNumber) {
  Bytes frame{kAckByte};
  for (char c : DeviceDigits(deviceNumber)) frame.push_back(static_cast<std::uint8_t>(c));
  AppendCheckPair(frame);
  return frame;
}

Bytes IdentifyReply(std::uint8_t code, std::string_view sixDigits) {
  Bytes frame{code};
  for (char c : sixDigits.substr(0, 6)) frame.push_back(static_cast<std::uint8_t>(c));
  while (frame.size() < 7) frame.push_back('0');
  AppendCheckPair(frame);
  return frame;
}

Bytes UploadEndPacket(std::uint32_t deviceNumber, std::span<const std::uint8_t, 12> body) {
  Bytes frame = BeginFrame(deviceNumber, 'c');
  frame.insert(frame.end(), body.begin(), body.end());
  AppendCheckPair(frame);
  return frame;
}

Bytes TrailedLine(Bytes head) {
  const auto pair = CheckPair(head);
  head.push_back(pair[0]);
  head.push_back(pair[1]);
  head.push_back('\r');
  head.push_back(kLineFeed);
  return head;
}

Fault CheckAck(std::span<const std::uint8_t, kReplySize> reply, std::uint32_t deviceNumber) {
  if (reply[0] == kNakByte) return Fault::Refused;
  if (reply[0] != kAckByte) return Fault::Invalid;
  if (reply[9] != kLineFeed) return Fault::Invalid;
  if (!CheckPairMatches(reply.first(7), reply[7], reply[8])) return Fault::BadCheckPair;
  const std::string digits = DeviceDigits(deviceNumber);
  for (std::size_t i = 0; i < 6; ++i) {
    if (reply[1 + i] != static_cast<std::uint8_t>(digits[i])) return Fault::WrongDevice;
  }
  return Fault::None;
}

Fault CheckUploadEnd(std::span<const std::uint8_t, kUploadEndSize> packet,
                     std::uint32_t deviceNumber) {
  if (packet[0] != kStartByte || packet[22] != kLineFeed) return Fault::Invalid;
  const std::string digits = DeviceDigits(deviceNumber);
  for (std::size_t i = 0; i < 6; ++i) {
    if (packet[1 + i] != static_cast<std::uint8_t>(digits[i])) return Fault::WrongDevice;
  }
  if (packet[7] != 'c') return Fault::Invalid;
  if (!CheckPairMatches(packet.first(20), packet[20], packet[21])) return Fault::BadCheckPair;
  return Fault::None;
}

IdentifyResult CheckIdentifyReply(std::span<const std::uint8_t, kReplySize> reply) {
  if (reply[0] == kNakByte) return {Fault::Refused, 0};
  if (reply[0] != kAckByte && reply[0] != kAltAckByte) return {Fault::Invalid, 0};
  if (reply[9] != kLineFeed) return {Fault::Invalid, 0};
  if (!CheckPairMatches(reply.first(7), reply[7], reply[8])) return {Fault::BadCheckPair, 0};

  // The digits are read as strtoul would with base 10: leading white space and one sign are
  // allowed, but the number must take up the rest of the six characters.
  std::size_t i = 1;
  while (i < 7 && (reply[i] == ' ' || (reply[i] >= '\t' && reply[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < 7 && (reply[i] == '+' || reply[i] == '-')) {
    negative = reply[i] == '-';
    ++i;
  }
  if (i >= 7) return {Fault::Silent, 0};
  std::uint32_t value = 0;
  for (; i < 7; ++i) {
    if (reply[i] < '0' || reply[i] > '9') return {Fault::Silent, 0};
    value = value * 10 + static_cast<std::uint32_t>(reply[i] - '0');
  }
  if (negative || value == 0 || value > kLargestDeviceNumber) return {Fault::Silent, 0};
  return {Fault::None, value};
}

VersionInfo ParseVersionLine(std::span<const std::uint8_t> line) {
  VersionInfo info;
  if (line.size() > 10) info.country = static_cast<char>(line[10]);
  if (line.size() >= 16) {
    info.version.assign(line.begin() + 12, line.end() - 4);
  }
  return info;
}

}  // namespace nuvrel::link
