// SPDX-License-Identifier: MIT
// The report lines the register streams after the commands 'f' (articles) and 'F' (daily exchange),
// shared by the program that reads them and the simulator that writes them.
//
// Every report line:  0:0xAA  1-6:six characters (device digits, not compared)  7:type letter
//                     8..n-5: payload  n-4..n-1: trailer ending in LF (check pair, CR, LF)
// A line is at most kReportLineCapacity - 1 bytes; one that reaches the capacity is refused.
//
// Articles report line (type letter not examined), fields at fixed offsets, separators between:
//   offset size field          column of the Articles report sheet
//    8      4   article number  selects the row
//   13     15   name            1 (trimmed, then translated from the register's characters)
//   29     12   barcode         2 (trimmed)
//   42      9   price           3 (trimmed, ',' -> '.')
//   52      1   tax group       4 (translated, not trimmed)
//   54      1   department      5
//   56      1   unit            6
//   58     13   turnover        8 (trimmed, ',' -> '.')
//   72     11   sales           9 (trimmed, ',' -> '.')
//   84     11   stock           7 (trimmed, ',' -> '.')
// The last field ends at offset 94. A line of kArticlesReportEndLength bytes or fewer ends the
// report.
//
// Daily exchange: lines of type 'D' (daily), 'O' (operator, four per operator) and 'G' (group, one
// per department). Group line payload:
//    8      1   department index 0..9  selects the row: index + 1
//   10     15   name            1 (trimmed, then translated)
//   38     13   turnover        2 (trimmed)
// The exchange ends with the group line of department 9.
#pragma once

#include <cstddef>

namespace nuvrel::link {

inline constexpr std::size_t kReportLineCapacity = 500;
inline constexpr std::size_t kReportTrailerSize = 4;
inline constexpr std::size_t kArticlesReportEndLength = 66;

struct ReportField {
  std::size_t offset;
  std::size_t size;
};

namespace article_line {
inline constexpr ReportField kNumber{8, 4};
inline constexpr ReportField kName{13, 15};
inline constexpr ReportField kBarcode{29, 12};
inline constexpr ReportField kPrice{42, 9};
inline constexpr ReportField kTaxGroup{52, 1};
inline constexpr ReportField kDepartment{54, 1};
inline constexpr ReportField kUnit{56, 1};
inline constexpr ReportField kTurnover{58, 13};
inline constexpr ReportField kSales{72, 11};
inline constexpr ReportField kStock{84, 11};
}  // namespace article_line

namespace group_line {
inline constexpr ReportField kIndex{8, 1};
inline constexpr ReportField kName{10, 15};
inline constexpr ReportField kTurnover{38, 13};
}  // namespace group_line

inline constexpr char kDailyLine = 'D';
inline constexpr char kOperatorLine = 'O';
inline constexpr char kGroupLine = 'G';

}  // namespace nuvrel::link
