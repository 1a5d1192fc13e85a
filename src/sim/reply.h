// SPDX-License-Identifier: MIT
// The register's reply to one frame from the PC, and what faults make of it on the line.
//
// A reply is one or more frames, each kept as its head (every byte before the check pair) until it
// is sent, so that faults can bend the head and still give a frame with a correct check pair. Every
// frame the register sends carries the six device digits at offsets 1-6:
//
//   frame              head                                   trailer
//   identify reply     0x06, D                                pair(0-6), LF
//   acknowledgement    0x06, D                                pair(0-6), LF
//   refusal            0x15, D                                pair(0-6), LF
//   upload end packet  0xAA, D, 'c', 12 body bytes            pair(0-19), LF
//   version line       0xAA, D, 'V', "00", country, ' ', text  pair, CR, LF
//   report line        0xAA, D, type letter, payload           pair, CR, LF
//                      (the lines after 'f' and 'F'; see reports.h)
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/frames.h"
#include "sim/faults.h"

namespace nuvrel::sim {

struct ReplyFrame {
  link::Bytes head;
  bool versionLine = false;  // closed by pair, CR, LF instead of pair, LF
  bool reportLine = false;   // closed by pair, CR, LF too

  // The frame as sent: head, check pair and line end.
  link::Bytes Build() const;
};

ReplyFrame IdentifyReplyFrame(std::uint32_t deviceNumber);
ReplyFrame AckReplyFrame(std::uint32_t deviceNumber);
ReplyFrame RefusalFrame(std::uint32_t deviceNumber);
ReplyFrame UploadEndFrame(std::uint32_t deviceNumber, std::span<const std::uint8_t, 12> body);
ReplyFrame VersionLineFrame(std::uint32_t deviceNumber, char country, std::string_view version);
// The payload is register character set bytes, as they go on the line.
ReplyFrame ReportLineFrame(std::uint32_t deviceNumber, char type, std::string_view payload);

inline constexpr std::size_t kLongLineSize = 1100;
// The long-report-line fault's line, counted up to but not including its LF.
inline constexpr std::size_t kLongReportLineSize = 600;

// What goes on the line for one reply once its faults are applied.
struct Emission {
  std::vector<link::Bytes> blocks;  // written in this order, each as one block
  bool hangUp = false;              // after the blocks, close the line and end
  bool complete = true;             // every frame of the reply went out (bent or not)
  std::vector<std::string> notes;   // faults that found nothing to bend
};

// Applies the faults for this reply (all of them meant for it) and lays out the bytes to send.
// The device number is the register's own; refusals made by the nak fault carry it.
Emission Render(const std::vector<ReplyFrame>& reply, std::span<const FaultSpec> faults,
                std::uint32_t deviceNumber);

}  // namespace nuvrel::sim
