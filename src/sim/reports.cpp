// SPDX-License-Identifier: MIT
#include "sim/reports.h"

#include <array>
#include <cstdio>

#include "link/report_layout.h"
#include "link/translation.h"

namespace nuvrel::sim {
namespace {

namespace layout = link;

constexpr std::size_t kTaxGroups = 9;
// Rates of the tax groups A..I in hundredths of a percent.
constexpr std::array<std::uint32_t, kTaxGroups> kTaxRates{2000, 1000, 0,   800, 1800,
                                                          500,  2500, 300, 1200};

std::string Padded(unsigned value, int width) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%0*u", width, value);
  return text.data();
}

std::string RightAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// The value in units of 10^-decimals, with a decimal point when decimals > 0.
std::string Decimal(std::uint64_t value, unsigned decimals) {
  std::uint64_t scale = 1;
  for (unsigned i = 0; i < decimals; ++i) scale *= 10;
  std::string text = std::to_string(value / scale);
  if (decimals > 0) {
    text += "." + Padded(static_cast<unsigned>(value % scale), static_cast<int>(decimals));
  }
  return text;
}

// PC text (digits, letters, '.', '%', '|', blanks) in the register's character set.
std::string ToRegister(std::string text) {
  link::TranslateText(text, true);
  return text;
}

// A stored name as it goes on a report line.
std::string Shown(std::string name) {
  for (char& c : name) {
    if (static_cast<std::uint8_t>(c) < 0x20) c = ' ';
  }
  return name;
}

char TaxLetter(std::uint8_t digit) {
  if (digit >= 1 && digit <= kTaxGroups) return static_cast<char>('A' + digit - 1);
  return static_cast<char>('0' + digit);
}

// The department number (1..10) an article's department digit counts for.
unsigned DepartmentOf(const Article& article) {
  return article.department == 0 ? 10u : article.department;
}

struct Totals {
  std::uint64_t turnover = 0;  // T
  std::uint64_t articles = 0;  // N
  std::array<std::uint64_t, kTaxGroups> byTaxGroup{};
  std::array<std::uint64_t, kLastDepartment> byDepartment{};  // [number - 1]
};

Totals Sum(const RegisterTables& tables) {
  Totals totals;
  for (const auto& [number, article] : tables.articles) {
    const std::uint64_t turnover = TurnoverHundredths(article);
    totals.turnover += turnover;
    ++totals.articles;
    if (article.taxDigit >= 1 && article.taxDigit <= kTaxGroups) {
      totals.byTaxGroup[article.taxDigit - 1] += turnover;
    }
    totals.byDepartment[DepartmentOf(article) - 1] += turnover;
  }
  return totals;
}

// One share of a figure split evenly among `count`, the last share taking the remainder.
std::uint64_t Share(std::uint64_t value, std::size_t index, std::size_t count) {
  const std::uint64_t share = value / count;
  return index + 1 == count ? value - share * (count - 1) : share;
}

struct Discounts {
  std::uint64_t discountCount, discountSum, additionCount, additionSum, voidCount, voidSum;
};

Discounts DailyDiscounts(const Totals& t) {
  return {t.articles / 3,   t.turnover / 50, t.articles / 5,
          t.turnover / 100, t.articles / 7,  t.turnover / 200};
}

std::string DiscountsText(const Discounts& d) {
  return Amount(d.discountCount, 0, 6) + "|" + Amount(d.discountSum, 2, 14) + "|" +
         Amount(d.additionCount, 0, 4) + "|" + Amount(d.additionSum, 2, 14) + "|" +
         Amount(d.voidCount, 0, 4) + "|" + Amount(d.voidSum, 2, 13);
}

// The three means of payment: cash, cheque, card.
using Payments = std::array<std::uint64_t, 3>;

Payments DailyPayments(const Totals& t) {
  const std::uint64_t cash = t.turnover * 6 / 10;
  const std::uint64_t cheque = t.turnover / 10;
  return {cash, cheque, t.turnover - cash - cheque};
}

std::string OperatorLine(const Payments& figures, unsigned decimals) {
  std::string text = std::string(6, ' ') + "|";
  for (std::uint64_t figure : figures) text += Amount(figure, decimals, 13) + "|";
  return text;
}

Payments ShareOf(const Payments& figures, std::size_t index, std::size_t count) {
  return {Share(figures[0], index, count), Share(figures[1], index, count),
          Share(figures[2], index, count)};
}

std::string ArticlePayload(const Article& a) {
  const std::string blank = " ";
  return Padded(a.number, 4) + blank + Shown(a.name) + blank + a.barcode + blank +
         Amount(a.priceHundredths, 2, layout::article_line::kPrice.size) + blank +
         TaxLetter(a.taxDigit) + blank + static_cast<char>('0' + a.department) + blank +
         static_cast<char>('0' + a.unit) + blank +
         Amount(TurnoverHundredths(a), 2, layout::article_line::kTurnover.size) + blank +
         Amount(SalesThousandths(a.number), 3, layout::article_line::kSales.size) + blank +
         Amount(a.stockThousandths, 3, layout::article_line::kStock.size);
}

}  // namespace

std::uint64_t SalesThousandths(std::uint16_t articleNumber) {
  return (static_cast<std::uint64_t>(articleNumber) * 37 % 50 + 1) * 250;
}

std::uint64_t TurnoverHundredths(const Article& article) {
  return (static_cast<std::uint64_t>(article.priceHundredths) * SalesThousandths(article.number) +
          500) /
         1000;
}

std::string Amount(std::uint64_t value, unsigned decimals, std::size_t width) {
  std::string text = Decimal(value, decimals);
  if (text.size() > width) {
    const std::size_t whole = width > decimals + 1 && decimals > 0 ? width - decimals - 1 : width;
    text = std::string(whole, '9');
    if (decimals > 0 && width > decimals + 1) text += "." + std::string(decimals, '9');
  }
  return RightAligned(text, width);
}

std::vector<ReplyFrame> ArticlesReportLines(const RegisterTables& tables,
                                            std::uint32_t deviceNumber) {
  std::vector<ReplyFrame> lines;
  lines.reserve(tables.articles.size() + 1);
  for (const auto& [number, article] : tables.articles) {
    lines.push_back(ReportLineFrame(deviceNumber, kArticleLineType, ArticlePayload(article)));
  }
  lines.push_back(ReportLineFrame(deviceNumber, kArticlesEndType, "END"));
  return lines;
}

std::vector<ReplyFrame> DailyExchangeLines(const RegisterTables& tables,
                                           std::uint32_t deviceNumber) {
  const Totals totals = Sum(tables);
  std::vector<ReplyFrame> lines;
  auto add = [&](char type, const std::string& payload) {
    lines.push_back(ReportLineFrame(deviceNumber, type, payload));
  };

  for (std::size_t group = 0; group < kTaxGroups; ++group) {
    const std::string rate = Decimal(kTaxRates[group], 2) + "%";
    add(layout::kDailyLine,
        ToRegister(std::string(" ") + static_cast<char>('A' + group) +
                   Amount(totals.byTaxGroup[group], 2, 15) + RightAligned(rate, 11)));
  }
  const Discounts discounts = DailyDiscounts(totals);
  add(layout::kDailyLine, ToRegister(DiscountsText(discounts)));
  const Payments payments = DailyPayments(totals);
  add(layout::kDailyLine, ToRegister(Amount(payments[0], 2, 20) + "|" + Amount(payments[1], 2, 13) +
                                     "|" + Amount(payments[2], 2, 13) + "|"));

  const std::size_t count = tables.operators.size();
  const Payments paymentCounts{totals.articles, totals.articles / 4, totals.articles / 2};
  const Payments refundCounts{totals.articles / 10, totals.articles / 20, totals.articles / 20};
  std::size_t index = 0;
  for (auto it = tables.operators.begin(); it != tables.operators.end(); ++it, ++index) {
    const Discounts share{
        Share(discounts.discountCount, index, count), Share(discounts.discountSum, index, count),
        Share(discounts.additionCount, index, count), Share(discounts.additionSum, index, count),
        Share(discounts.voidCount, index, count),     Share(discounts.voidSum, index, count)};
    add(layout::kOperatorLine, ToRegister(DiscountsText(share)));
    add(layout::kOperatorLine, ToRegister(OperatorLine(ShareOf(payments, index, count), 2)));
    add(layout::kOperatorLine, ToRegister(OperatorLine(ShareOf(paymentCounts, index, count), 0)));
    add(layout::kOperatorLine, ToRegister(OperatorLine(ShareOf(refundCounts, index, count), 0)));
  }

  for (unsigned number = 1; number <= kLastDepartment; ++number) {
    const auto it = tables.departments.find(static_cast<std::uint8_t>(number));
    const std::string name = it == tables.departments.end() ? std::string(kDepartmentNameSize, ' ')
                                                            : Shown(it->second.name);
    add(layout::kGroupLine, static_cast<char>('0' + number - 1) + std::string(" ") + name +
                                std::string(13, ' ') +
                                ToRegister(Amount(totals.byDepartment[number - 1], 2,
                                                  layout::group_line::kTurnover.size)));
  }
  return lines;
}

}  // namespace nuvrel::sim
