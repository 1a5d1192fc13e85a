// SPDX-License-Identifier: MIT
// The register's frames: building and checking them, as pure functions over bytes.
//
// D = the six ASCII digits of the device number (%06u); "pair" = check pair, LF = 0x0A.
//
//   frame               direction    offsets
//   identify request    PC -> ECR    0:0xAA 1:'?' 2-3:pair 4:LF                            (5)
//   identify reply      ECR -> PC    0:0x06|0x0E 1-6:digits 7-8:pair(0-6) 9:LF              (10)
//   command             PC -> ECR    0:0xAA 1-6:D 7:letter 8-9:pair(0-7) 10:LF              (11)
//   record              PC -> ECR    0:0xAA 1-6:D 7:letter 8..:fields, pair, LF
//   acknowledgement     ECR -> PC    0:0x06 1-6:D 7-8:pair(0-6) 9:LF                        (10)
//   refusal             ECR -> PC    0:0x15, the rest unread                                (10)
//   upload end packet   ECR -> PC    0:0xAA 1-6:D 7:'c' 8-19:unread 20-21:pair(0-19) 22:LF  (23)
//   PC acknowledgement  PC -> ECR    as the acknowledgement                                 (10)
//   version line        ECR -> PC    ..., 10:country letter, 12..n-5:version text, 4-byte trailer
//                                    ending in LF; at most 1023 bytes
//
// The check pair over a run of bytes with XOR x is (0x30 | x >> 4), (0x30 | x & 0x0F). A received
// pair is accepted when ((first << 4) | (second & 0x0F)) taken to 8 bits equals x: only the low
// nibble of each character counts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nuvrel::link {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kStartByte = 0xAA;
inline constexpr std::uint8_t kAckByte = 0x06;
inline constexpr std::uint8_t kAltAckByte = 0x0E;  // also accepted as the identify reply's code
inline constexpr std::uint8_t kNakByte = 0x15;
inline constexpr std::uint8_t kLineFeed = 0x0A;

inline constexpr std::size_t kIdentifyRequestSize = 5;
inline constexpr std::size_t kReplySize = 10;  // identify reply, acknowledgement, refusal
inline constexpr std::size_t kCommandSize = 11;
inline constexpr std::size_t kUploadEndSize = 23;
// A version line reaching this many bytes is refused.
inline constexpr std::size_t kVersionLineLimit = 1024;

inline constexpr std::uint32_t kLargestDeviceNumber = 999999;

std::uint8_t XorOf(std::span<const std::uint8_t> bytes);

// The two check characters for the given bytes.
std::array<std::uint8_t, 2> CheckPair(std::span<const std::uint8_t> covered);

// Appends the check pair over the whole frame so far, then LF: the frame grows by 3 bytes.
void AppendCheckPair(Bytes& frame);

// True when the received pair (first, second) is accepted for the covered bytes.
bool CheckPairMatches(std::span<const std::uint8_t> covered, std::uint8_t first,
                      std::uint8_t second);

// The six digits of a device number, %06u.
std::string DeviceDigits(std::uint32_t deviceNumber);

// Starts a frame: 0xAA, the device digits and the letter. Fields and AppendCheckPair follow.
Bytes BeginFrame(std::uint32_t deviceNumber, char letter);

Bytes IdentifyRequest();
Bytes CommandFrame(std::uint32_t deviceNumber, char letter);
// The acknowledgement; the PC sends the same frame to acknowledge the upload end packet.
Bytes AckFrame(std::uint32_t deviceNumber);

// Register side, used by the simulator.
Bytes IdentifyReply(std::uint8_t code, std::string_view sixDigits);
Bytes UploadEndPacket(std::uint32_t deviceNumber, std::span<const std::uint8_t, 12> body);
// A line with a 4-byte trailer (check pair over the bytes before it, CR, LF), as the register
// streams its version and report lines.
Bytes TrailedLine(Bytes head);

// What went wrong with an exchange. Each kind but Silent has one message (see faults.h).
enum class Fault {
  None,
  Timeout,       // the reply did not complete in time
  Refused,       // the register answered NAK
  Invalid,       // wrong first byte, missing LF, wrong packet letter, over-long line
  BadCheckPair,  // the check pair does not match
  WrongDevice,   // the reply carries another device number
  SendFailed,    // a frame could not be written
  HungUp,        // the line closed before the reply was complete, or under a write
  Silent,        // a failure that shows no message (identification's own checks)
};

// Checks a complete 10-byte acknowledgement against the current device number.
Fault CheckAck(std::span<const std::uint8_t, kReplySize> reply, std::uint32_t deviceNumber);

// Checks a complete 23-byte upload end packet.
Fault CheckUploadEnd(std::span<const std::uint8_t, kUploadEndSize> packet,
                     std::uint32_t deviceNumber);

struct IdentifyResult {
  Fault fault = Fault::None;
  std::uint32_t deviceNumber = 0;
};

// Checks a complete identify reply and reads its device number (1..999999; anything else is
// Silent).
IdentifyResult CheckIdentifyReply(std::span<const std::uint8_t, kReplySize> reply);

struct VersionInfo {
  char country = 0;
  std::string version;
};

// Reads the country letter (byte 10) and the version text (bytes 12 up to the 4-byte trailer) of a
// complete version line; a line shorter than 11 bytes has country 0.
VersionInfo ParseVersionLine(std::span<const std::uint8_t> line);

}  // namespace nuvrel::link
