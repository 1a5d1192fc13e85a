// SPDX-License-Identifier: MIT
// The records of the four one-column sheets (operators, departments, firm data, advertisement):
// what follows the record letter, from offset 8 of the frame.
//
//   sheet          letter  rows   offset 8..                                   frame size
//   operators      'o'     1..9   number(1) name(12) '*'                       25
//   departments    'y'     1..10  number(1, "10" for 10) name(15) 10 x '"'     37, 38 for 10
//   firm data      'w'     1..6   line(1) '0' text(18) '*'                     32
//   advertisement  'u'     1..9   line(1) '0' text(18) '*'                     32
//
// Texts are cut to their width, padded with blanks and translated to the register's characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "transfers/validation.h"

namespace nuvrel::transfers {

struct TextRecordRule {
  char letter;
  int rows;               // rows 1..rows of the sheet are sent
  std::size_t width;      // of the text field
  bool lineMark;          // a '0' between the number and the text
  std::string_view tail;  // what closes the fields
};

inline constexpr TextRecordRule kOperatorRecord{'o', 9, kOperatorNameLimit, false, "*"};
inline constexpr TextRecordRule kDepartmentRecord{'y', 10, kDepartmentNameLimit, false,
                                                  "\"\"\"\"\"\"\"\"\"\""};
inline constexpr TextRecordRule kFirmDataRecord{'w', 6, kTextLineLimit, true, "*"};
inline constexpr TextRecordRule kAdvertisementRecord{'u', 9, kTextLineLimit, true, "*"};

// The text in the register's characters, exactly `width` bytes: its first `width` bytes, padded
// with blanks.
std::string RegisterText(std::string_view text, std::size_t width);

// The fields of one record after the letter: the row number, the mark if any, the text and the
// tail.
std::string TextRecordFields(const TextRecordRule& rule, int row, std::string_view text);

}  // namespace nuvrel::transfers
