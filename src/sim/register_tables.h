// SPDX-License-Identifier: MIT
// The register's programmed tables: every record frame it took, by record letter and item number.
// A later record for the same item replaces the earlier one, as programming the register does.
//
// Record letters and where the item number stands (from offset 8, after 0xAA, D and the letter):
//   r article         4 digits (%04u)
//   o operator        1 digit
//   y department      1 digit, 2 for department 10 (a 38-byte frame instead of 37)
//   w firm data line  1 digit
//   u advert line     1 digit
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/frames.h"

namespace nuvrel::sim {

struct RecordKey {
  char letter = 0;
  std::string number;  // the item number as it stands in the frame

  friend auto operator<=>(const RecordKey&, const RecordKey&) = default;
  friend bool operator==(const RecordKey&, const RecordKey&) = default;
};

bool IsRecordLetter(std::uint8_t letter);

// Reads the key of a whole record frame (0xAA, D, letter, fields, pair, LF); nothing when the
// letter is not a record letter or the item number is missing or not digits.
std::optional<RecordKey> ReadRecordKey(std::span<const std::uint8_t> frame);

class RegisterTables {
 public:
  // Keeps the frame under its key, replacing an earlier one.
  void Store(RecordKey key, link::Bytes frame);

  // The frame last stored for the item, or nullptr.
  const link::Bytes* Find(char letter, std::string_view number) const;

  std::size_t Size() const { return m_records.size(); }
  const std::map<RecordKey, link::Bytes>& Records() const { return m_records; }

 private:
  std::map<RecordKey, link::Bytes> m_records;
};

}  // namespace nuvrel::sim
