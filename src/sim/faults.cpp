// SPDX-License-Identifier: MIT
#include "sim/faults.h"

#include <array>
#include <charconv>
#include <utility>

namespace nuvrel::sim {
namespace {

struct KindInfo {
  FaultKind kind;
  std::string_view name;
  std::uint32_t defaultFrame;
  std::uint32_t defaultPart = 1;
};

// The V command is frame 2 of every transfer (after the identify request), so the faults that only
// make sense on the version exchange default to it; a report command comes right after that
// exchange, as frame 3.
constexpr std::array<KindInfo, 23> kKinds{{
    {FaultKind::Nak, "nak", 1},
    {FaultKind::NakPartial, "nak-partial", 1},
    {FaultKind::Crc, "crc", 1},
    {FaultKind::WrongDevice, "wrong-device", 2},
    {FaultKind::Silence, "silence", 1},
    {FaultKind::Partial, "partial", 1},
    {FaultKind::Garbage, "garbage", 1},
    {FaultKind::ZeroDevice, "zero-device", 1},
    {FaultKind::BadDigits, "bad-digits", 1},
    {FaultKind::ForeignCountry, "foreign-country", 2},
    {FaultKind::LongLine, "long-line", 2},
    {FaultKind::BadAck, "bad-ack", 1},
    {FaultKind::HangUp, "hangup", 1},
    {FaultKind::LongReportLine, "long-report-line", 3, 2},
    {FaultKind::ReportStops, "report-stops", 3, 2},
    {FaultKind::NoGroupNine, "no-group-nine", 3},
    {FaultKind::ReportNoise, "report-noise", 3},
    {FaultKind::FlipBarcode, "flip-barcode", 3},
    {FaultKind::FlipPrice, "flip-price", 3},
    {FaultKind::FlipTurnover, "flip-turnover", 3},
    {FaultKind::FlipSales, "flip-sales", 3},
    {FaultKind::FlipStock, "flip-stock", 3},
    {FaultKind::CutLine, "cut-line", 3},
}};

const KindInfo& Info(FaultKind kind) {
  for (const KindInfo& info : kKinds) {
    if (info.kind == kind) return info;
  }
  return kKinds[0];
}

std::optional<std::uint32_t> PositiveNumber(std::string_view text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || stop != end || value == 0) return std::nullopt;
  return value;
}

FaultParse Failed(std::string text) {
  return {std::nullopt, std::move(text)};
}

}  // namespace

std::string_view FaultKindName(FaultKind kind) {
  return Info(kind).name;
}

std::uint32_t DefaultFrame(FaultKind kind) {
  return Info(kind).defaultFrame;
}

std::uint32_t DefaultPart(FaultKind kind) {
  return Info(kind).defaultPart;
}

bool WorksOnVersionLine(FaultKind kind) {
  return kind == FaultKind::ForeignCountry || kind == FaultKind::LongLine;
}

bool WorksOnReport(FaultKind kind) {
  switch (kind) {
    case FaultKind::LongReportLine:
    case FaultKind::ReportStops:
    case FaultKind::NoGroupNine:
    case FaultKind::ReportNoise:
    case FaultKind::FlipBarcode:
    case FaultKind::FlipPrice:
    case FaultKind::FlipTurnover:
    case FaultKind::FlipSales:
    case FaultKind::FlipStock:
    case FaultKind::CutLine: return true;
    default: return false;
  }
}

bool TakesPart(FaultKind kind) {
  return !WorksOnVersionLine(kind) && kind != FaultKind::NoGroupNine &&
         kind != FaultKind::ReportNoise;
}

FaultParse ParseFaultSpec(std::string_view text) {
  const std::size_t at = text.find('@');
  const std::string_view name = text.substr(0, at);
  const KindInfo* info = nullptr;
  for (const KindInfo& candidate : kKinds) {
    if (candidate.name == name) info = &candidate;
  }
  if (!info) return Failed("unknown fault kind '" + std::string(name) + "'");

  FaultSpec fault{info->kind, info->defaultFrame, info->defaultPart};
  if (at == std::string_view::npos) return {fault, {}};

  std::string_view where = text.substr(at + 1);
  const std::size_t colon = where.find(':');
  const auto frame = PositiveNumber(where.substr(0, colon));
  if (!frame) return Failed("fault '" + std::string(text) + "': @N must be a frame number from 1");
  fault.frame = *frame;
  if (colon != std::string_view::npos) {
    if (!TakesPart(fault.kind)) {
      return Failed("fault '" + std::string(text) + "': this kind always bends the same place");
    }
    const auto part = PositiveNumber(where.substr(colon + 1));
    if (!part) return Failed("fault '" + std::string(text) + "': :P must be a number from 1");
    fault.part = *part;
  }
  return {fault, {}};
}

std::string FormatFaultSpec(const FaultSpec& fault) {
  std::string text(FaultKindName(fault.kind));
  text += '@';
  text += std::to_string(fault.frame);
  if (fault.part != DefaultPart(fault.kind)) {
    text += ':';
    text += std::to_string(fault.part);
  }
  return text;
}

std::vector<FaultSpec> FaultPlan::ForFrame(std::uint32_t frame) const {
  std::vector<FaultSpec> found;
  for (const FaultSpec& fault : m_faults) {
    if (fault.frame == frame) found.push_back(fault);
  }
  return found;
}

}  // namespace nuvrel::sim
