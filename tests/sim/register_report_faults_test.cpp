// SPDX-License-Identifier: MIT
// The faults on reports and on the newer frames: each report fault bends the report it is aimed
// at and nothing else, and the older kinds work on records and report commands as on any frame.
#include <gtest/gtest.h>

#include <algorithm>

#include "sim/register.h"
#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

using test::kDevice;
using test::SentBlocks;
using test::SentBytes;

// Identify (1), V (2), then the report command (3), as the PC's downloads go; the register has
// three articles, so 'f' answers with the acknowledgement, three lines and the closing line.
struct ReportRun {
  std::vector<link::Bytes> report;  // the blocks of the reply to frame 3
  std::vector<std::string> notes;
};

ReportRun Report(char command, const std::vector<std::string>& faultTexts) {
  std::vector<FaultSpec> faults;
  for (const std::string& text : faultTexts) {
    const FaultParse parsed = ParseFaultSpec(text);
    EXPECT_TRUE(parsed.fault) << text;
    if (parsed.fault) faults.push_back(*parsed.fault);
  }
  RegisterTables tables;
  for (std::uint16_t n = 1; n <= 3; ++n) tables.articles[n] = Article{n};
  tables.operators[1] = Operator{1};
  Register reg(RegisterSettings{}, FaultPlan(faults), tables);
  reg.Feed(link::IdentifyRequest());
  reg.Feed(link::CommandFrame(kDevice, 'V'));
  const auto actions = reg.Feed(link::CommandFrame(kDevice, command));
  return {SentBlocks(actions), test::NotesOf(actions)};
}

const ReportRun& Clean(char command) {
  static const ReportRun articles = Report('f', {});
  static const ReportRun daily = Report('F', {});
  return command == 'f' ? articles : daily;
}

bool Noted(const ReportRun& run, std::string_view text) {
  return std::any_of(run.notes.begin(), run.notes.end(), [text](const std::string& note) {
    return note.find(text) != std::string::npos;
  });
}

TEST(ReportFaults, LongReportLineStretchesOneLineToSixHundredBytes) {
  for (const auto& [text, index] : {std::pair{"long-report-line", 2u},
                                    {"long-report-line@3:1", 1u},
                                    {"long-report-line@3:4", 4u}}) {
    const ReportRun run = Report('f', {text});
    const auto& clean = Clean('f').report;
    ASSERT_EQ(run.report.size(), clean.size()) << text;
    for (std::size_t i = 0; i < clean.size(); ++i) {
      if (i == index) continue;
      EXPECT_EQ(run.report[i], clean[i]) << text << " " << i;
    }
    const link::Bytes& longLine = run.report[index];
    ASSERT_EQ(longLine.size(), 601u) << text;
    EXPECT_EQ(std::count(longLine.begin(), longLine.end(), link::kLineFeed), 1);
    EXPECT_EQ(longLine.back(), link::kLineFeed);
    EXPECT_TRUE(std::equal(clean[index].begin(), clean[index].end() - 4, longLine.begin()));
  }
}

TEST(ReportFaults, ReportStopsAfterItsFirstLines) {
  const ReportRun two = Report('F', {"report-stops"});
  ASSERT_EQ(two.report.size(), 3u);  // the acknowledgement and two lines
  EXPECT_TRUE(std::equal(two.report.begin(), two.report.end(), Clean('F').report.begin()));
  EXPECT_EQ(Report('f', {"report-stops@3:1"}).report.size(), 2u);
  // A report no longer than P lines is not bent.
  EXPECT_EQ(Report('f', {"report-stops@3:4"}).report, Clean('f').report);
}

TEST(ReportFaults, NoGroupNineEndsAtDepartmentEight) {
  const ReportRun run = Report('F', {"no-group-nine"});
  const auto& clean = Clean('F').report;
  ASSERT_EQ(run.report.size(), clean.size() - 1);
  EXPECT_TRUE(std::equal(run.report.begin(), run.report.end(), clean.begin()));
  EXPECT_EQ(run.report.back()[7], 'G');
  EXPECT_EQ(run.report.back()[8], '8');
}

TEST(ReportFaults, ReportNoiseComesBeforeTheFirstLine) {
  const ReportRun run = Report('f', {"report-noise"});
  const auto& clean = Clean('f').report;
  ASSERT_EQ(run.report.size(), clean.size() + 1);
  EXPECT_EQ(run.report[0], clean[0]);
  const link::Bytes& noise = run.report[1];
  EXPECT_NE(std::find(noise.begin(), noise.end(), link::kLineFeed), noise.end());
  EXPECT_EQ(std::find(noise.begin(), noise.end(), link::kStartByte), noise.end());
  EXPECT_TRUE(std::equal(run.report.begin() + 2, run.report.end(), clean.begin() + 1));
}

TEST(ReportFaults, DamageFaultsBendOneByteOfTheirFieldOrCutTheirLine) {
  namespace article = transfers::article_line;
  struct Case {
    char command;
    const char* text;
    std::size_t line;
    transfers::Field field;
  };
  // The daily exchange of one operator: 11 daily lines, 4 operator lines, then the group lines.
  for (const Case c :
       {Case{'f', "flip-barcode", 1, article::kBarcode},
        Case{'f', "flip-price@3:2", 2, article::kPrice},
        Case{'f', "flip-turnover@3:3", 3, article::kTurnover},
        Case{'f', "flip-sales", 1, article::kSales}, Case{'f', "flip-stock", 1, article::kStock},
        Case{'F', "flip-turnover@3:16", 16, transfers::group_line::kTurnover}}) {
    const auto& clean = Clean(c.command).report;
    const ReportRun run = Report(c.command, {c.text});
    ASSERT_EQ(run.report.size(), clean.size()) << c.text;
    for (std::size_t i = 0; i < clean.size(); ++i) {
      if (i == c.line) continue;
      EXPECT_EQ(run.report[i], clean[i]) << c.text << " " << i;
    }
    link::Bytes expected = clean[c.line];
    expected[c.field.offset + c.field.size - 1] ^= 0x40;
    EXPECT_EQ(run.report[c.line], expected) << c.text;
  }
  // A line without the field is left alone: a group line's price, a daily line, the closing line.
  for (const auto& [command, text] :
       {std::pair{'F', "flip-price@3:16"}, {'F', "flip-turnover@3:1"}, {'f', "flip-stock@3:4"}}) {
    EXPECT_EQ(Report(command, {text}).report, Clean(command).report) << text;
    EXPECT_TRUE(Noted(Report(command, {text}), "found no frame")) << text;
  }

  const ReportRun cut = Report('f', {"cut-line@3:2"});
  const auto& clean = Clean('f').report;
  ASSERT_EQ(cut.report.size(), clean.size());
  EXPECT_EQ(cut.report[2], link::Bytes(clean[2].begin(), clean[2].end() - 9));
  EXPECT_EQ(cut.report[3], clean[3]);
}

TEST(ReportFaults, ReportFaultsElsewhereFindNothingToBend) {
  for (const char* text :
       {"no-group-nine@3", "long-report-line@2", "report-noise@1", "report-stops@2"}) {
    const std::string fault = text;
    const char command = fault == "no-group-nine@3" ? 'f' : 'F';
    const ReportRun run = Report(command, {text});
    EXPECT_EQ(run.report, Clean(command).report) << text;
  }
  EXPECT_TRUE(Noted(Report('f', {"no-group-nine@3"}), "found no frame"));
  EXPECT_TRUE(Noted(Report('f', {"long-report-line@3:9"}), "found no frame"));
}

TEST(ReportFaults, OlderKindsWorkOnReportCommands) {
  link::Bytes refusal{link::kNakByte};
  for (char c : link::DeviceDigits(kDevice)) refusal.push_back(static_cast<std::uint8_t>(c));
  link::AppendCheckPair(refusal);
  EXPECT_EQ(Report('f', {"nak@3"}).report, std::vector<link::Bytes>{refusal});
  EXPECT_TRUE(Report('F', {"silence@3"}).report.empty());
  // For these kinds P counts the frames of the reply: 1 is the acknowledgement, 2 the first line.
  EXPECT_EQ(Report('F', {"silence@3:3"}).report.size(), 2u);
  const ReportRun crc = Report('f', {"crc@3:2"});
  ASSERT_EQ(crc.report.size(), 5u);
  EXPECT_NE(crc.report[1], Clean('f').report[1]);
  EXPECT_EQ(crc.report[2], Clean('f').report[2]);
}

TEST(ReportFaults, OlderKindsWorkOnRecords) {
  // A refused record is not kept; a lost acknowledgement is.
  Register nak(RegisterSettings{}, FaultPlan({FaultSpec{FaultKind::Nak, 1, 1}}));
  EXPECT_EQ(SentBytes(nak.Feed(test::OperatorRecord(kDevice, '1', "A")))[0], link::kNakByte);
  EXPECT_TRUE(nak.Tables().operators.empty());

  Register silent(RegisterSettings{}, FaultPlan({FaultSpec{FaultKind::Silence, 1, 1}}));
  EXPECT_TRUE(SentBytes(silent.Feed(test::OperatorRecord(kDevice, '1', "A"))).empty());
  EXPECT_EQ(silent.Tables().operators.size(), 1u);

  Register partial(RegisterSettings{}, FaultPlan({FaultSpec{FaultKind::Partial, 1, 1}}));
  EXPECT_EQ(SentBytes(partial.Feed(test::DepartmentRecord(kDevice, 10, "X"))).size(), 5u);
}

}  // namespace
}  // namespace nuvrel::sim
