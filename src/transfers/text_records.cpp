// SPDX-License-Identifier: MIT
#include "transfers/text_records.h"

#include "link/translation.h"

namespace nuvrel::transfers {

std::string RegisterText(std::string_view text, std::size_t width) {
  std::string field(text.substr(0, width));
  field.resize(width, ' ');
  link::TranslateText(field, true);
  return field;
}

std::string TextRecordFields(const TextRecordRule& rule, int row, std::string_view text) {
  // Rows are 1..10, so the number is one digit but for department 10.
  std::string fields = std::to_string(row);
  if (rule.lineMark) fields += '0';
  fields += RegisterText(text, rule.width);
  fields += rule.tail;
  return fields;
}

}  // namespace nuvrel::transfers
