// SPDX-License-Identifier: MIT
// The report lines the register streams after 'f' (articles report) and 'F' (daily exchange), built
// from its tables. The line layouts are those of link/report_layout.h, which the PC reads
// with.
//
// Articles report: one line per article in ascending number, type letter 'A', fields separated by
// one blank, 95 bytes before the 4-byte trailer:
//   8 number %04u | 13 name 15 | 29 barcode 12 | 42 price 9 (2 decimals) | 52 tax group letter
//   (digit 1 -> 'A' .. 9 -> 'I', 0 -> '0') | 54 department digit | 56 unit digit | 58 turnover 13
//   (2 decimals) | 72 sales 11 (3 decimals) | 84 stock 11 (3 decimals)
// then the closing line 0xAA D 'f' "END" trailer (15 bytes; the PC takes a line of 66 bytes or
// fewer as the end). Figures are right-aligned with a decimal point.
//
// The simulator sells nothing, so its figures come from a fixed model:
//   sales of article n       ((n * 37) % 50 + 1) * 250 thousandths (0.250 .. 12.500)
//   turnover of an article   price * sales / 1000 hundredths, rounded half up
//   T                        the sum of every article's turnover; N the number of articles
//
// Daily exchange (payload text as the PC shows it after translation):
//   'D' 1-9  tax groups A..I: a blank, the letter, the turnover of the articles with that tax digit
//            (15, right-aligned), the group's rate with '%' (11, right-aligned) - 28 characters.
//            Rates: A 20.00 B 10.00 C 0.00 D 8.00 E 18.00 F 5.00 G 25.00 H 3.00 I 12.00.
//   'D' 10   discounts: count|sum|count|sum|count|sum in widths 6,14,4,14,4,13 (60 characters):
//            discounts N/3 and T/50, additions N/5 and T/100, voids N/7 and T/200.
//   'D' 11   payments: cash, cheque and card in widths 20,13,13, each followed by '|' (49):
//            cash 60 % of T, cheque 10 %, card the rest.
//   'O'      four lines per programmed operator, in ascending operator number. Each operator gets
//            an even share of every figure, the last one also what is left over:
//            1: its share of the discounts, laid out as daily line 10;
//            2: six blanks and '|', then its share of cash, cheque and card, 13 each,
//            right-aligned,
//               each followed by '|' (49 characters);
//            3: the same with numbers of payments N, N/4, N/2;  4: numbers of refunds N/10, N/20,
//            N/20.
//   'G'      departments 1..10 as index 0..9, in order, the last being index 9: the index digit, a
//            blank, the name 15 (blanks when not programmed), 13 blanks, the turnover of the
//            articles of the department (13, right-aligned). An article's department digit d counts
//            for department d, digit 0 for department 10.
//
// An amount too wide for its column shows as the largest that fits (all nines). Text goes out in
// the register's character set: '|' as 0x7B, which the PC's translation turns back into '|'; names
// as stored, but bytes below 0x20 go out as blanks, so that no name cuts a line short.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/register_tables.h"
#include "sim/reply.h"

namespace nuvrel::sim {

inline constexpr char kArticleLineType = 'A';
inline constexpr char kArticlesEndType = 'f';
inline constexpr std::size_t kArticleLineSize = 99;  // with its trailer

// Sales of an article in thousandths, from its number.
std::uint64_t SalesThousandths(std::uint16_t articleNumber);

// Turnover of an article in hundredths: its price times its sales.
std::uint64_t TurnoverHundredths(const Article& article);

// The value (in units of 10^-decimals) right-aligned in width characters, with a decimal point
// when decimals > 0; the largest value that fits when it is too wide.
std::string Amount(std::uint64_t value, unsigned decimals, std::size_t width);

// The articles report lines after the acknowledgement, closing line included.
std::vector<ReplyFrame> ArticlesReportLines(const RegisterTables& tables,
                                            std::uint32_t deviceNumber);

// The daily exchange lines after the acknowledgement: daily, operator and group lines.
std::vector<ReplyFrame> DailyExchangeLines(const RegisterTables& tables,
                                           std::uint32_t deviceNumber);

}  // namespace nuvrel::sim
