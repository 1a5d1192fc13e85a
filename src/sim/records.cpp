// SPDX-License-Identifier: MIT
#include "sim/records.h"

#include <array>
#include <cstdio>
#include <utility>

namespace nuvrel::sim {
namespace {

constexpr std::uint8_t kNoValue = '"';
// Check pair and LF after the fields.
constexpr std::size_t kFrameOverhead = kFieldsOffset + 3;

constexpr std::size_t kArticleFields = 52;
constexpr std::size_t kOperatorFields = 14;
constexpr std::size_t kDepartmentFieldsLessNumber = 25;
constexpr std::size_t kTextLineFields = 21;

using Fields = std::span<const std::uint8_t>;

bool WithoutValue(Fields field) {
  for (std::uint8_t b : field) {
    if (b != kNoValue) return false;
  }
  return true;
}

std::optional<std::uint32_t> Digits(Fields field) {
  std::uint32_t value = 0;
  for (std::uint8_t b : field) {
    if (b < '0' || b > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(b - '0');
  }
  return value;
}

std::string Text(Fields field) {
  return std::string(field.begin(), field.end());
}

std::string FrameSize(std::size_t fields) {
  return std::to_string(fields + kFrameOverhead) + " bytes";
}

RecordDecode Refused(std::string why) {
  return {std::nullopt, std::move(why)};
}

// Keeps the earlier value when the field has none; otherwise reads it with read, which gives
// nothing for a value it does not take.
template <typename T, typename Read>
bool Field(Fields field, T& target, Read read) {
  if (WithoutValue(field)) return true;
  std::optional<T> value = read(field);
  if (!value) return false;
  target = std::move(*value);
  return true;
}

std::optional<std::uint8_t> Digit(Fields field) {
  const auto value = Digits(field);
  if (!value) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

RecordDecode DecodeArticle(Fields f, const RegisterTables& tables) {
  if (f.size() != kArticleFields) {
    return Refused("article record of " + FrameSize(f.size()) + ", not " +
                   FrameSize(kArticleFields));
  }
  const auto number = Digits(f.subspan(0, 4));
  if (!number || *number < 1 || *number > kLastArticle) {
    return Refused("article record without an article number from 0001 to 2400");
  }
  Article article;
  article.number = static_cast<std::uint16_t>(*number);
  if (const auto it = tables.articles.find(article.number); it != tables.articles.end()) {
    article = it->second;
  }
  const auto digits = [](Fields field) -> std::optional<std::string> {
    if (!Digits(field)) return std::nullopt;
    return Text(field);
  };
  const auto price = [](Fields field) -> std::optional<std::uint32_t> {
    if (Digits(field) == 0u) return 0u;  // nine zeros: an emptied price
    if (field[8] != '2') return std::nullopt;
    return Digits(field.subspan(0, 8));
  };
  const auto stock = [](Fields field) { return Digits(field); };
  if (!WithoutValue(f.subspan(4, 15))) article.name = Text(f.subspan(4, 15));
  if (!Field(f.subspan(19, 12), article.barcode, digits)) {
    return Refused("article barcode that is not twelve digits");
  }
  if (!Field(f.subspan(31, 1), article.taxDigit, Digit)) {
    return Refused("article tax group that is not a digit");
  }
  if (!Field(f.subspan(32, 1), article.department, Digit)) {
    return Refused("article department that is not a digit");
  }
  if (!Field(f.subspan(33, 1), article.unit, Digit)) {
    return Refused("article unit that is not a digit");
  }
  if (!Field(f.subspan(34, 9), article.priceHundredths, price)) {
    return Refused("article price that is neither eight digits and '2' nor nine zeros");
  }
  if (!Field(f.subspan(43, 9), article.stockThousandths, stock)) {
    return Refused("article stock that is not nine digits");
  }
  return {Record{TableKind::Articles, article}, {}};
}

RecordDecode DecodeOperator(Fields f, const RegisterTables& tables) {
  if (f.size() != kOperatorFields) {
    return Refused("operator record of " + FrameSize(f.size()) + ", not " +
                   FrameSize(kOperatorFields));
  }
  const auto number = Digits(f.subspan(0, 1));
  if (!number || *number < 1 || *number > kLastOperator) {
    return Refused("operator record without an operator number from 1 to 9");
  }
  if (f[13] != '*') return Refused("operator record without its closing '*'");
  Operator op;
  op.number = static_cast<std::uint8_t>(*number);
  if (const auto it = tables.operators.find(op.number); it != tables.operators.end()) {
    op = it->second;
  }
  if (!WithoutValue(f.subspan(1, 12))) op.name = Text(f.subspan(1, 12));
  return {Record{TableKind::Operators, op}, {}};
}

RecordDecode DecodeDepartment(Fields f, const RegisterTables& tables) {
  // The number is printed %u, so only the length tells one digit from two.
  if (f.size() != kDepartmentFieldsLessNumber + 1 && f.size() != kDepartmentFieldsLessNumber + 2) {
    return Refused("department record of " + FrameSize(f.size()) + ", not " +
                   FrameSize(kDepartmentFieldsLessNumber + 1) + " (" +
                   FrameSize(kDepartmentFieldsLessNumber + 2) + " for department 10)");
  }
  const std::size_t width = f.size() - kDepartmentFieldsLessNumber;
  const auto number = Digits(f.subspan(0, width));
  if (!number || *number < 1 || *number > kLastDepartment || (width == 2) != (*number == 10)) {
    return Refused("department record without a department number from 1 to 10");
  }
  Department department;
  department.number = static_cast<std::uint8_t>(*number);
  if (const auto it = tables.departments.find(department.number); it != tables.departments.end()) {
    department = it->second;
  }
  if (!WithoutValue(f.subspan(width, 15))) department.name = Text(f.subspan(width, 15));
  return {Record{TableKind::Departments, department}, {}};
}

RecordDecode DecodeTextLine(TableKind table, Fields f, const RegisterTables& tables) {
  const bool firm = table == TableKind::FirmData;
  const std::string what = firm ? "firm data" : "advertisement";
  if (f.size() != kTextLineFields) {
    return Refused(what + " record of " + FrameSize(f.size()) + ", not " +
                   FrameSize(kTextLineFields));
  }
  const std::uint8_t last = firm ? kLastFirmDataLine : kLastAdvertisementLine;
  const auto number = Digits(f.subspan(0, 1));
  if (!number || *number < 1 || *number > last) {
    return Refused(what + " record without a line number from 1 to " + std::to_string(last));
  }
  if (f[1] != '0' || f[20] != '*') return Refused(what + " record without its '0' and '*'");
  const auto& lines = firm ? tables.firmData : tables.advertisement;
  TextLine line;
  line.number = static_cast<std::uint8_t>(*number);
  if (const auto it = lines.find(line.number); it != lines.end()) line = it->second;
  if (!WithoutValue(f.subspan(2, 18))) line.text = Text(f.subspan(2, 18));
  return {Record{table, line}, {}};
}

std::string Padded(unsigned value, int width) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%0*u", width, value);
  return text.data();
}

}  // namespace

std::optional<TableKind> RecordTable(std::uint8_t letter) {
  switch (letter) {
    case 'r': return TableKind::Articles;
    case 'o': return TableKind::Operators;
    case 'y': return TableKind::Departments;
    case 'w': return TableKind::FirmData;
    case 'u': return TableKind::Advertisement;
    default: return std::nullopt;
  }
}

RecordDecode DecodeRecord(std::uint8_t letter, std::span<const std::uint8_t> fields,
                          const RegisterTables& tables) {
  const auto table = RecordTable(letter);
  if (!table) return Refused("no record letter");
  switch (*table) {
    case TableKind::Articles: return DecodeArticle(fields, tables);
    case TableKind::Operators: return DecodeOperator(fields, tables);
    case TableKind::Departments: return DecodeDepartment(fields, tables);
    default: return DecodeTextLine(*table, fields, tables);
  }
}

void StoreRecord(RegisterTables& tables, Record record) {
  switch (record.table) {
    case TableKind::Articles: {
      Article& article = std::get<Article>(record.item);
      tables.articles.insert_or_assign(article.number, std::move(article));
      break;
    }
    case TableKind::Operators: {
      Operator& op = std::get<Operator>(record.item);
      tables.operators.insert_or_assign(op.number, std::move(op));
      break;
    }
    case TableKind::Departments: {
      Department& department = std::get<Department>(record.item);
      tables.departments.insert_or_assign(department.number, std::move(department));
      break;
    }
    case TableKind::FirmData:
    case TableKind::Advertisement: {
      TextLine& line = std::get<TextLine>(record.item);
      auto& lines = record.table == TableKind::FirmData ? tables.firmData : tables.advertisement;
      lines.insert_or_assign(line.number, std::move(line));
      break;
    }
    case TableKind::Logo: break;
  }
}

std::string ArticleFields(const Article& article) {
  std::string price =
      article.priceHundredths == 0 ? std::string(9, '0') : Padded(article.priceHundredths, 8) + "2";
  return Padded(article.number, 4) + article.name + article.barcode +
         static_cast<char>('0' + article.taxDigit) + static_cast<char>('0' + article.department) +
         static_cast<char>('0' + article.unit) + price + Padded(article.stockThousandths, 9);
}

std::string OperatorFields(const Operator& op) {
  return std::to_string(op.number) + op.name + "*";
}

std::string DepartmentFields(const Department& department) {
  return std::to_string(department.number) + department.name + std::string(10, '"');
}

std::string TextLineFields(const TextLine& line) {
  return std::to_string(line.number) + "0" + line.text + "*";
}

}  // namespace nuvrel::sim
