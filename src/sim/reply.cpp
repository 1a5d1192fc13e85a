// SPDX-License-Identifier: MIT
#include "sim/reply.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "link/report_layout.h"
#include "sim/reports.h"

namespace nuvrel::sim {
namespace {

constexpr std::uint8_t kBadAckByte = 0x07;
constexpr std::array<std::uint8_t, 4> kGarbage{0x00, 0x13, 'x', 'y'};
// Bytes a noisy line might leave before a report: an LF among them, and no start byte.
constexpr std::array<std::uint8_t, 6> kReportNoise{'#', 0x0A, 0x00, 'n', 0x0D, 0x0A};
constexpr std::size_t kTrailerSize = 4;  // pair, CR, LF of the version line
// The bit the flip-* faults flip: a digit becomes a letter, a blank a backquote, a point an 'n'.
constexpr std::uint8_t kFlippedBit = 0x40;
// What cut-line takes off a line: the trailer and the last five bytes of the payload, which on an
// article line and a group line end the last figure.
constexpr std::size_t kCutLineLoss = kTrailerSize + 5;

// Faults that do not change a frame's bytes but how (or whether) it goes out.
struct Bend {
  bool wrongPair = false;
  bool garbageBefore = false;
  bool noiseBefore = false;
  bool dropped = false;               // the frame is left out (no-group-nine)
  bool lastOfReport = false;          // nothing after this frame (report-stops)
  std::optional<std::size_t> flipAt;  // the byte a flip-* fault damages
  bool cutShort = false;              // cut-line
  std::optional<FaultKind> cut;       // the first of nak, nak-partial, silence, partial, hangup
};

bool IsGroupNine(const ReplyFrame& frame) {
  return frame.reportLine && frame.head.size() > 8 && frame.head[7] == 'G' && frame.head[8] == '9';
}

// The field of a report line that a flip-* fault damages; nothing when the line has no such field.
std::optional<link::ReportField> DamagedField(FaultKind kind, const link::Bytes& head) {
  const std::uint8_t type = head.size() > 7 ? head[7] : 0;
  std::optional<link::ReportField> field;
  if (type == kArticleLineType) {
    switch (kind) {
      case FaultKind::FlipBarcode: field = link::article_line::kBarcode; break;
      case FaultKind::FlipPrice: field = link::article_line::kPrice; break;
      case FaultKind::FlipTurnover: field = link::article_line::kTurnover; break;
      case FaultKind::FlipSales: field = link::article_line::kSales; break;
      case FaultKind::FlipStock: field = link::article_line::kStock; break;
      default: break;
    }
  } else if (type == link::kGroupLine && kind == FaultKind::FlipTurnover) {
    field = link::group_line::kTurnover;
  }
  if (field && head.size() < field->offset + field->size) return std::nullopt;
  return field;
}

bool IsFlip(FaultKind kind) {
  return kind == FaultKind::FlipBarcode || kind == FaultKind::FlipPrice ||
         kind == FaultKind::FlipTurnover || kind == FaultKind::FlipSales ||
         kind == FaultKind::FlipStock;
}

link::Bytes HeadWithDigits(std::uint8_t first, std::uint32_t deviceNumber) {
  link::Bytes head{first};
  for (char c : link::DeviceDigits(deviceNumber)) head.push_back(static_cast<std::uint8_t>(c));
  return head;
}

void SetDigits(link::Bytes& head, std::string_view digits) {
  for (std::size_t i = 0; i < 6 && 1 + i < head.size(); ++i) {
    head[1 + i] = static_cast<std::uint8_t>(digits[i]);
  }
}

std::optional<std::size_t> TargetOf(const std::vector<ReplyFrame>& reply, const FaultSpec& fault) {
  if (fault.kind == FaultKind::NoGroupNine) {
    for (std::size_t i = 0; i < reply.size(); ++i) {
      if (IsGroupNine(reply[i])) return i;
    }
    return std::nullopt;
  }
  if (WorksOnReport(fault.kind)) {
    // Report line P is reply frame P: the acknowledgement comes first.
    const std::size_t line = fault.kind == FaultKind::ReportNoise ? 1 : fault.part;
    if (line >= reply.size() || !reply[line].reportLine) return std::nullopt;
    if (IsFlip(fault.kind) && !DamagedField(fault.kind, reply[line].head)) return std::nullopt;
    return line;
  }
  if (WorksOnVersionLine(fault.kind)) {
    for (std::size_t i = 0; i < reply.size(); ++i) {
      if (reply[i].versionLine) return i;
    }
    return std::nullopt;
  }
  if (fault.part <= reply.size()) return fault.part - 1;
  return std::nullopt;
}

// Changes the frame's bytes for the kinds that do, and notes the others in the bend.
void Apply(const FaultSpec& fault, std::uint32_t deviceNumber, ReplyFrame& frame, Bend& bend) {
  link::Bytes& head = frame.head;
  switch (fault.kind) {
    case FaultKind::Crc: bend.wrongPair = true; break;
    case FaultKind::Garbage: bend.garbageBefore = true; break;
    case FaultKind::WrongDevice:
      SetDigits(head, link::DeviceDigits(
                          deviceNumber >= link::kLargestDeviceNumber ? 1 : deviceNumber + 1));
      break;
    case FaultKind::ZeroDevice: SetDigits(head, "000000"); break;
    case FaultKind::BadDigits:
      if (head.size() > 3) head[3] = 'A';
      break;
    case FaultKind::ForeignCountry:
      if (head.size() > 10) head[10] = 'D';
      break;
    case FaultKind::LongLine:
      if (head.size() + kTrailerSize < kLongLineSize)
        head.resize(kLongLineSize - kTrailerSize, ' ');
      break;
    case FaultKind::BadAck:
      if (!head.empty()) head[0] = kBadAckByte;
      break;
    case FaultKind::LongReportLine:
      // Up to its LF the line holds the head, the pair and CR.
      if (head.size() + kTrailerSize - 1 < kLongReportLineSize)
        head.resize(kLongReportLineSize - (kTrailerSize - 1), ' ');
      break;
    case FaultKind::ReportStops: bend.lastOfReport = true; break;
    case FaultKind::NoGroupNine: bend.dropped = true; break;
    case FaultKind::ReportNoise: bend.noiseBefore = true; break;
    case FaultKind::FlipBarcode:
    case FaultKind::FlipPrice:
    case FaultKind::FlipTurnover:
    case FaultKind::FlipSales:
    case FaultKind::FlipStock:
      if (const auto field = DamagedField(fault.kind, head)) {
        bend.flipAt = field->offset + field->size - 1;
      }
      break;
    case FaultKind::CutLine: bend.cutShort = true; break;
    case FaultKind::Nak:
    case FaultKind::NakPartial:
    case FaultKind::Silence:
    case FaultKind::Partial:
    case FaultKind::HangUp:
      if (!bend.cut) bend.cut = fault.kind;
      break;
  }
}

}  // namespace

link::Bytes ReplyFrame::Build() const {
  if (versionLine || reportLine) return link::TrailedLine(head);
  link::Bytes frame = head;
  link::AppendCheckPair(frame);
  return frame;
}

ReplyFrame IdentifyReplyFrame(std::uint32_t deviceNumber) {
  return {HeadWithDigits(link::kAckByte, deviceNumber), false, false};
}

ReplyFrame AckReplyFrame(std::uint32_t deviceNumber) {
  return {HeadWithDigits(link::kAckByte, deviceNumber), false, false};
}

ReplyFrame RefusalFrame(std::uint32_t deviceNumber) {
  return {HeadWithDigits(link::kNakByte, deviceNumber), false, false};
}

ReplyFrame UploadEndFrame(std::uint32_t deviceNumber, std::span<const std::uint8_t, 12> body) {
  link::Bytes head = link::BeginFrame(deviceNumber, 'c');
  head.insert(head.end(), body.begin(), body.end());
  return {std::move(head), false, false};
}

ReplyFrame ReportLineFrame(std::uint32_t deviceNumber, char type, std::string_view payload) {
  link::Bytes head = link::BeginFrame(deviceNumber, type);
  head.insert(head.end(), payload.begin(), payload.end());
  return {std::move(head), false, true};
}

ReplyFrame VersionLineFrame(std::uint32_t deviceNumber, char country, std::string_view version) {
  link::Bytes head = link::BeginFrame(deviceNumber, 'V');
  head.push_back('0');
  head.push_back('0');
  head.push_back(static_cast<std::uint8_t>(country));
  head.push_back(' ');
  head.insert(head.end(), version.begin(), version.end());
  return {std::move(head), true, false};
}

Emission Render(const std::vector<ReplyFrame>& reply, std::span<const FaultSpec> faults,
                std::uint32_t deviceNumber) {
  std::vector<ReplyFrame> frames = reply;
  std::vector<Bend> bends(frames.size());
  Emission out;
  for (const FaultSpec& fault : faults) {
    const auto index = TargetOf(frames, fault);
    if (!index) {
      out.notes.push_back("fault " + FormatFaultSpec(fault) + " found no frame to bend");
      continue;
    }
    Apply(fault, deviceNumber, frames[*index], bends[*index]);
  }

  for (std::size_t i = 0; i < frames.size(); ++i) {
    const Bend& bend = bends[i];
    if (bend.dropped) {
      // The register falls silent where the line would have been.
      out.complete = false;
      break;
    }
    if (bend.garbageBefore) out.blocks.emplace_back(kGarbage.begin(), kGarbage.end());
    if (bend.noiseBefore) out.blocks.emplace_back(kReportNoise.begin(), kReportNoise.end());
    link::Bytes bytes = frames[i].Build();
    // Flipping a bit of the second character's low nibble is enough: only the low nibbles count.
    if (bend.wrongPair) bytes[frames[i].head.size() + 1] ^= 0x01;
    if (bend.flipAt) bytes[*bend.flipAt] ^= kFlippedBit;
    if (bend.cutShort) bytes.resize(bytes.size() - std::min(kCutLineLoss, bytes.size()));
    if (!bend.cut) {
      out.blocks.push_back(std::move(bytes));
      if (bend.lastOfReport && i + 1 < frames.size()) {
        out.complete = false;
        break;
      }
      continue;
    }
    out.complete = false;
    switch (*bend.cut) {
      case FaultKind::Nak: out.blocks.push_back(RefusalFrame(deviceNumber).Build()); break;
      case FaultKind::NakPartial: out.blocks.push_back({link::kNakByte}); break;
      case FaultKind::Partial:
        bytes.resize(bytes.size() / 2);
        out.blocks.push_back(std::move(bytes));
        break;
      case FaultKind::HangUp: out.hangUp = true; break;
      default:  // silence
        break;
    }
    break;
  }
  return out;
}

}  // namespace nuvrel::sim
