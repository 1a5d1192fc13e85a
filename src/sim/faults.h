// SPDX-License-Identifier: MIT
// The faults the simulated register can be told to commit (--fault KIND[@N[:P]]) and their lookup
// by frame number.
//
// N counts the frames that arrive from the PC, from 1, over the whole life of the simulator: every
// frame that starts with 0xAA and ends with LF counts, a refused one too; the PC's acknowledgement
// of the upload end packet is not counted, since the register does not answer it. The fault bends
// the register's reply to frame N. P picks the frame of that reply the fault works on: 1 (the
// default) is the first one (identify reply, acknowledgement or refusal), 2 the one after it (the
// version line after V, the upload end packet after z). foreign-country and long-line always work
// on the version line and take no P.
//
// The report faults work on the lines the register streams after 'f' and 'F' (and find nothing to
// bend in any other reply). Their P counts report lines, not reply frames: line 1 is the first line
// after the acknowledgement. report-noise and no-group-nine take no P. Their frame N defaults to 3,
// the report command that follows identification (identify request 1, version command 2). The
// flip-* and cut-line faults damage one line (see FaultKind) for the PC to refuse.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nuvrel::sim {

enum class FaultKind {
  Nak,             // a refusal instead of the reply
  NakPartial,      // only the refusal's first byte 0x15
  Crc,             // a wrong check pair
  WrongDevice,     // another device number, correct check pair
  Silence,         // no reply
  Partial,         // the first half of the reply, then nothing
  Garbage,         // a few stray bytes before the reply
  ZeroDevice,      // device number 000000
  BadDigits,       // a letter among the six device digits
  ForeignCountry,  // country letter D in the version line
  LongLine,        // a version line of 1100 bytes
  BadAck,          // an invalid first byte, otherwise well formed
  HangUp,          // close the line and end the simulator
  LongReportLine,  // report line P (default 2) is 600 bytes long before its LF
  ReportStops,     // the report stops after its first P lines (default 2), then nothing
  NoGroupNine,     // the daily exchange ends its group lines at department 8, then nothing
  ReportNoise,     // a few stray bytes, an LF among them, before the first report line
  // Damage to report line P (default 1) that a line could suffer on its way: one bit of the last
  // byte of a field flipped, after the check pair was made. Article lines have all five fields,
  // group lines only a turnover.
  FlipBarcode,
  FlipPrice,
  FlipTurnover,
  FlipSales,
  FlipStock,
  CutLine,  // line P loses its last bytes, LF included, so the next line runs on inside it
};

struct FaultSpec {
  FaultKind kind = FaultKind::Nak;
  std::uint32_t frame = 1;  // 1-based count of frames received from the PC
  std::uint32_t part = 1;   // 1-based frame of the reply (report faults: line of the report)

  friend bool operator==(const FaultSpec&, const FaultSpec&) = default;
};

std::string_view FaultKindName(FaultKind kind);

// The frame a kind applies to when the --fault text gives no @N.
std::uint32_t DefaultFrame(FaultKind kind);

// The P a kind takes when the --fault text gives no :P.
std::uint32_t DefaultPart(FaultKind kind);

// True for the kinds that always work on the version line (and so take no :P).
bool WorksOnVersionLine(FaultKind kind);

// True for the kinds that bend the lines of a report rather than a frame of the reply.
bool WorksOnReport(FaultKind kind);

// False for the kinds that always work on one place and so take no :P.
bool TakesPart(FaultKind kind);

struct FaultParse {
  std::optional<FaultSpec> fault;
  std::string error;  // set when fault is empty
};

// Parses KIND[@N[:P]] (N and P from 1).
FaultParse ParseFaultSpec(std::string_view text);

// The --fault text for it, e.g. "crc@4:2".
std::string FormatFaultSpec(const FaultSpec& fault);

// The faults of one run, looked up by the number of the frame whose reply they bend.
class FaultPlan {
 public:
  FaultPlan() = default;
  explicit FaultPlan(std::vector<FaultSpec> faults) : m_faults(std::move(faults)) {}

  // The faults for frame N, in the order they were given.
  std::vector<FaultSpec> ForFrame(std::uint32_t frame) const;

 private:
  std::vector<FaultSpec> m_faults;
};

}  // namespace nuvrel::sim
