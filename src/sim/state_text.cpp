// SPDX-License-Identifier: MIT
#include "sim/state_text.h"

#include <span>

#include "sim/records.h"

namespace nuvrel::sim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return std::nullopt;
}

char RecordLetter(TableKind table) {
  switch (table) {
    case TableKind::Articles: return 'r';
    case TableKind::Operators: return 'o';
    case TableKind::Departments: return 'y';
    case TableKind::FirmData: return 'w';
    case TableKind::Advertisement: return 'u';
    case TableKind::Logo: break;
  }
  return 0;
}

std::string_view Comment(TableKind table) {
  switch (table) {
    case TableKind::Articles:
      return "# ecrsim articles: the fields of one article record (letter r) a line, \\xHH for "
             "other bytes\n";
    case TableKind::Operators:
      return "# ecrsim operators: the fields of one operator record (letter o) a line, \\xHH for "
             "other bytes\n";
    case TableKind::Departments:
      return "# ecrsim departments: the fields of one department record (letter y) a line, \\xHH "
             "for other bytes\n";
    case TableKind::FirmData:
      return "# ecrsim firm data: the fields of one firm data record (letter w) a line, \\xHH for "
             "other bytes\n";
    case TableKind::Advertisement:
      return "# ecrsim advertisement: the fields of one advertisement record (letter u) a line, "
             "\\xHH for other bytes\n";
    case TableKind::Logo: break;
  }
  return "";
}

void AppendLine(std::string& text, const std::string& fields) {
  text += EscapeBytes(fields);
  text += '\n';
}

}  // namespace

std::string EscapeBytes(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    if (b >= 0x20 && b <= 0x7E && c != '\\') {
      text += c;
    } else {
      text += "\\x";
      text += kHex[b >> 4];
      text += kHex[b & 0x0F];
    }
  }
  return text;
}

std::optional<std::string> UnescapeBytes(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    if (i + 3 >= text.size() || text[i + 1] != 'x') return std::nullopt;
    const auto high = HexDigit(text[i + 2]);
    const auto low = HexDigit(text[i + 3]);
    if (!high || !low) return std::nullopt;
    bytes += static_cast<char>((*high << 4) | *low);
    i += 3;
  }
  return bytes;
}

std::string_view TableFileName(TableKind table) {
  switch (table) {
    case TableKind::Articles: return "articles.txt";
    case TableKind::Operators: return "operators.txt";
    case TableKind::Departments: return "departments.txt";
    case TableKind::FirmData: return "firm-data.txt";
    case TableKind::Advertisement: return "advertisement.txt";
    case TableKind::Logo: return "logo.bmp";
  }
  return "";
}

std::string TableText(const RegisterTables& tables, TableKind table) {
  std::string text(Comment(table));
  switch (table) {
    case TableKind::Articles:
      for (const auto& [number, article] : tables.articles)
        AppendLine(text, ArticleFields(article));
      break;
    case TableKind::Operators:
      for (const auto& [number, op] : tables.operators) AppendLine(text, OperatorFields(op));
      break;
    case TableKind::Departments:
      for (const auto& [number, department] : tables.departments) {
        AppendLine(text, DepartmentFields(department));
      }
      break;
    case TableKind::FirmData:
      for (const auto& [number, line] : tables.firmData) AppendLine(text, TextLineFields(line));
      break;
    case TableKind::Advertisement:
      for (const auto& [number, line] : tables.advertisement)
        AppendLine(text, TextLineFields(line));
      break;
    case TableKind::Logo: break;
  }
  return text;
}

std::optional<std::string> ReadTableText(std::string_view text, TableKind table,
                                         RegisterTables& tables) {
  const char letter = RecordLetter(table);
  if (letter == 0) return "not a record table";
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    const std::optional<std::string> fields = UnescapeBytes(line);
    if (!fields) return where + "a backslash not followed by x and two hex digits";
    const auto* data = reinterpret_cast<const std::uint8_t*>(fields->data());
    RecordDecode decoded =
        DecodeRecord(static_cast<std::uint8_t>(letter), std::span(data, fields->size()), tables);
    if (!decoded.record) return where + decoded.error;
    StoreRecord(tables, std::move(*decoded.record));
  }
  return std::nullopt;
}

}  // namespace nuvrel::sim
