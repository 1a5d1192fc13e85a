// SPDX-License-Identifier: MIT
// A register for the report download tests, on a scripted port: the simulator's register, device
// 42 of country 'S', except that it acknowledges 'f' and 'F' and then streams the report lines a
// test gives it.
// Also builds report lines field by field.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "link/frames.h"
#include "link/handshake.h"
#include "link/report_layout.h"
#include "sim/register.h"
#include "support/recording_ui.h"
#include "support/scripted_opener.h"
#include "transfers/transfer_context.h"

namespace nuvrel::transfers::report_test {

using namespace std::chrono_literals;

inline constexpr std::uint32_t kDevice = 42;
inline constexpr std::string_view kDigits = "000042";

// A report line: 0xAA, the device digits, the type letter, the payload and the 4-byte trailer.
// Its length is 12 + payload.size().
inline link::Bytes ReportLine(char type, std::string_view payload) {
  std::string head = "\xAA";
  head += kDigits;
  head += type;
  head += payload;
  return link::TrailedLine(link::Bytes(head.begin(), head.end()));
}

inline std::string Text(const link::Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Writes the text into its field of a payload (which starts at line offset 8), blank-padded.
inline void Put(std::string& payload, link::ReportField field, std::string_view text) {
  const std::size_t at = field.offset - 8;
  if (payload.size() < at + field.size) payload.resize(at + field.size, ' ');
  payload.replace(at, field.size,
                  std::string(text.substr(0, field.size)) +
                      std::string(field.size - std::min(field.size, text.size()), ' '));
}

// An articles report line of 99 bytes, every field in place, the number given and one more field
// set to `text` if wanted.
inline link::Bytes ArticleLine(std::string_view number, link::ReportField field = {},
                               std::string_view text = {}) {
  namespace f = link::article_line;
  std::string payload;
  for (const auto& [at, value] : {std::pair{f::kName, "ITEM"},
                                  {f::kBarcode, "123"},
                                  {f::kPrice, "1.00"},
                                  {f::kTaxGroup, "A"},
                                  {f::kDepartment, "1"},
                                  {f::kUnit, "0"},
                                  {f::kTurnover, "0.00"},
                                  {f::kSales, "0.000"},
                                  {f::kStock, "0.000"}})
    Put(payload, at, value);
  Put(payload, f::kNumber, number);
  if (field.size) Put(payload, field, text);
  return ReportLine('f', payload);
}

// An article line with just its number, cut to `length` bytes in all (trailer included).
inline link::Bytes ShortArticleLine(std::string_view number, std::size_t length) {
  std::string payload;
  Put(payload, link::article_line::kNumber, number);
  payload.resize(length - 12, '.');
  return ReportLine('f', payload);
}

// A group line of 55 bytes.
inline link::Bytes GroupLine(char index, std::string_view name, std::string_view turnover,
                             char type = link::kGroupLine) {
  std::string payload;
  Put(payload, link::group_line::kIndex, std::string(1, index));
  Put(payload, link::group_line::kName, name);
  Put(payload, link::group_line::kTurnover, turnover);
  return ReportLine(type, payload);
}

struct ReportRegister {
  std::vector<link::Bytes> lines;  // streamed after the acknowledgement of 'f' or 'F'
  link::Clock::Duration spacing = 10ms;
  bool refuseCommand = false;
  // Identification and every other frame: the simulator's register.
  sim::Register reg{sim::RegisterSettings{kDevice, 'S', "1.0"}, sim::FaultPlan()};

  void Attach(test::ScriptedPort& port) {
    port.SetResponder([this](test::ScriptedPort& p, const link::Bytes& written) {
      const bool report =
          written.size() == link::kCommandSize && (written[7] == 'f' || written[7] == 'F');
      if (!report) {
        for (const sim::Action& action : reg.Feed(written))
          if (action.kind == sim::ActionKind::Send) p.Arrive(action.bytes, 5ms);
      } else if (refuseCommand) {
        link::Bytes nak(link::kReplySize, 0x30);
        nak[0] = link::kNakByte;
        p.Arrive(nak, 5ms);
      } else {
        p.Arrive(link::AckFrame(kDevice), 5ms);
        link::Clock::Duration at = 150ms;
        for (const link::Bytes& line : lines) {
          p.Arrive(line, at);
          at += spacing;
        }
      }
    });
  }
};

// A download against the register above, on COM1 of a scripted opener.
class ReportDownload : public ::testing::Test {
 protected:
  ReportDownload() {
    opener.onOpen = [this](test::ScriptedPort& port) { reg.Attach(port); };
  }

  // Every frame the program wrote to the last port it opened.
  std::vector<link::Bytes> Written() const {
    return opener.last ? opener.last->Written() : std::vector<link::Bytes>{};
  }

  test::FakeClock clock;
  test::ScriptedOpener opener{clock};
  test::RecordingUi ui;
  link::RegisterIdentity identity;
  TransferContext ctx{ui, clock, opener, identity, 0};
  ReportRegister reg;
};

}  // namespace nuvrel::transfers::report_test
