// SPDX-License-Identifier: MIT
// The record frames the PC programs the register with, decoded into the typed tables, and the
// field bytes of a complete record for each item (what the state files keep).
//
// "Fields" are the frame's bytes from offset 8 up to, not including, the check pair; offsets below
// are frame offsets (0:0xAA 1-6:device digits 7:letter).
//
//   letter  item             offset size  field
//   r       article    (63)   8     4    number %04u, 1..2400
//                            12    15    name
//                            27    12    barcode, digits
//                            39     1    tax group digit
//                            40     1    department digit
//                            41     1    unit digit
//                            42     9    price: %08u hundredths then '2', or nine '0' for zero
//                            51     9    stock: %09u thousandths
//   o       operator   (25)   8     1    number 1..9
//                             9    12    name
//                            21     1    '*'
//   y       department (37)   8     k    number %u, 1..10 (k = 2 for department 10: 38 bytes)
//                           8+k    15    name
//                          23+k    10    double quotes (not read, not kept)
//   w       firm data  (32)   8     1    line 1..6
//   u       advert     (32)   9     1    '0'
//                            10    18    text
//                            28     1    '*'
//
// A field made of double quotes (0x22) as wide as the field has no value: the item keeps what it
// had (a new article starts with a blank name, barcode 000000000000, tax digit 1, department 1,
// unit 0, price 0 and stock 0; new texts are blank). Item numbers are never without a value.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "sim/register_tables.h"

namespace nuvrel::sim {

inline constexpr std::size_t kFieldsOffset = 8;

// The table a record letter programs; nothing for other letters.
std::optional<TableKind> RecordTable(std::uint8_t letter);

struct Record {
  TableKind table = TableKind::Articles;
  std::variant<Article, Operator, Department, TextLine> item;
};

struct RecordDecode {
  std::optional<Record> record;
  std::string error;  // why the record is refused, when it is
};

// Decodes the fields of a record with the given letter, taking the values of fields without a
// value from the item as the tables hold it. Refuses a wrong length, a number out of range, a
// numeric field that is not digits and a missing '*' or '0' marker.
RecordDecode DecodeRecord(std::uint8_t letter, std::span<const std::uint8_t> fields,
                          const RegisterTables& tables);

// Puts the decoded item into the tables, replacing the earlier one.
void StoreRecord(RegisterTables& tables, Record record);

// The fields of a complete record for the item, every field with its value; DecodeRecord gives
// the same item back from them.
std::string ArticleFields(const Article& article);
std::string OperatorFields(const Operator& op);
std::string DepartmentFields(const Department& department);
std::string TextLineFields(const TextLine& line);

}  // namespace nuvrel::sim
