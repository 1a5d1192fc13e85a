// SPDX-License-Identifier: MIT
#include "transfers/article_fields.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "sheets/decimal_text.h"
#include "transfers/text_records.h"

namespace nuvrel::transfers {
namespace {

namespace columns = sheets::articles;

constexpr char kKeep = '"';

// The value as exactly `width` decimal digits, zero-padded; a value that does not fit is all nines.
std::string Digits(long long value, std::size_t width) {
  std::string digits = std::to_string(value < 0 ? 0 : value);
  if (digits.size() > width) return std::string(width, '9');
  digits.insert(0, width - digits.size(), '0');
  return digits;
}

// The amount in the register's units (hundredths, thousandths), to the nearest unit. The checks
// before an upload refuse what is not a non-negative number in range; should such a text reach
// here anyway, it is read as far as it is a number and kept within 0 and a value Digits can show.
long long Scaled(std::string_view text, double scale) {
  const double value = sheets::ParseDecimal(text).value * scale;
  if (!(value >= 0.0)) return 0;  // negative or not a number
  if (value >= 1e18) return 999999999999999999LL;
  return std::llround(value);
}

std::string FitTo(std::string field, std::size_t width, char pad) {
  field.resize(width, pad);
  return field;
}

char TaxGroupCode(std::uint8_t first) {
  // The register's tax group letters sit at 0xC0 and up in the sheet's code page; one past them
  // lines their low nibble up with the Latin letters and the digits (A = 0x41, 1 = 0x31).
  if (first > 0x7F) first = static_cast<std::uint8_t>(first + 1);
  return static_cast<char>(0x30 | (first & 0x0F));
}

// The field of a cell that holds text.
std::string Encode(std::string_view text, int col, std::size_t width) {
  switch (col) {
    case columns::kName: return RegisterText(text, width);
    case columns::kBarcode: {
      // A barcode cell holds at least twelve digits; a shorter one is completed as the cell does.
      std::string code(text.substr(0, width));
      code.insert(0, width - code.size(), '0');
      return code;
    }
    case columns::kTaxGroup:
      return FitTo(std::string(1, TaxGroupCode(static_cast<std::uint8_t>(text[0]))), width, ' ');
    case columns::kDepartment:
    case columns::kUnit: return FitTo(std::string(1, text[0]), width, ' ');
    case columns::kPrice:
      // The trailing '2' tells the register that the price has two decimals.
      return Digits(Scaled(text, 100.0), width - 1) + '2';
    case columns::kInStock: return Digits(Scaled(text, 1000.0), width);
    default: return std::string(width, kKeep);
  }
}

// A selected cell left empty clears the field on the register.
std::string Cleared(int col, std::size_t width) {
  switch (col) {
    case columns::kName: return std::string(width, ' ');
    case columns::kTaxGroup: return FitTo("2", width, ' ');
    case columns::kBarcode:
    case columns::kPrice:
    case columns::kDepartment:
    case columns::kUnit:
    case columns::kInStock: return std::string(width, '0');
    default: return std::string(width, kKeep);
  }
}

}  // namespace

std::string FormatArticleField(const grid::CellTable& grid, int row, int col, int width) {
  if (width < 1) return {};
  const auto w = static_cast<std::size_t>(width);
  const std::string text = grid.GetItemText(row, col);
  if (text.empty()) return std::string(w, kKeep);
  return Encode(text, col, w);
}

std::string FormatSelectedArticleField(const grid::CellTable& grid, int row, int col, int width) {
  if (width < 1) return {};
  const auto w = static_cast<std::size_t>(width);
  if (!grid.IsCellSelected(row, col)) return std::string(w, kKeep);
  const std::string text = grid.GetItemText(row, col);
  if (text.empty()) return Cleared(col, w);
  return Encode(text, col, w);
}

std::string ArticleRecordFields(const grid::CellTable& grid, int row, bool selectionOnly) {
  std::string fields = Digits(row, 4);
  for (const ArticleField& field : kArticleFields) {
    fields += selectionOnly ? FormatSelectedArticleField(grid, row, field.column, field.width)
                            : FormatArticleField(grid, row, field.column, field.width);
  }
  return fields;
}

}  // namespace nuvrel::transfers
