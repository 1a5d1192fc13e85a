// SPDX-License-Identifier: MIT
// The text of the files that keep the register's tables across runs (--state DIR), without I/O.
//
// One file per table: articles.txt, operators.txt, departments.txt, firm-data.txt and
// advertisement.txt. Lines starting with '#' are comments (the simulator writes one saying what the
// file holds); empty lines are skipped. Every other line is one item: the fields of a complete
// record frame for it (records.h: the bytes from offset 8 up to the check pair, every field with
// its value), with each byte outside 0x20..0x7E, and the backslash, written as \xHH (two hex
// digits). So any byte 0x00..0xFF survives, and the lines read as the frames did, e.g.
//   0007BREAD          000000000123111000012502000002500
// A CR before the LF is ignored, so a file edited elsewhere still reads. The received logo is kept
// as logo.bmp, the file as it arrived.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/register_tables.h"

namespace nuvrel::sim {

// The bytes with \xHH for the backslash and every byte outside 0x20..0x7E.
std::string EscapeBytes(std::string_view bytes);

// The bytes back; nothing when a backslash is not followed by x and two hex digits.
std::optional<std::string> UnescapeBytes(std::string_view text);

// The file that keeps the table, e.g. "articles.txt"; "logo.bmp" for the logo.
std::string_view TableFileName(TableKind table);

// The whole text of a record table's file.
std::string TableText(const RegisterTables& tables, TableKind table);

// Reads a record table's file text into the tables. Returns why it cannot (naming the line), in
// which case the tables may hold part of it.
std::optional<std::string> ReadTableText(std::string_view text, TableKind table,
                                         RegisterTables& tables);

}  // namespace nuvrel::sim
