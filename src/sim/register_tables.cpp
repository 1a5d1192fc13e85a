// SPDX-License-Identifier: MIT
#include "sim/register_tables.h"

#include <string_view>
#include <utility>

namespace nuvrel::sim {
namespace {

constexpr std::size_t kNumberOffset = 8;
// A department frame has, after its number, a 15-byte name, 10 double quotes, pair and LF.
constexpr std::size_t kDepartmentSizeLessNumber = 36;

std::size_t NumberWidth(std::span<const std::uint8_t> frame) {
  switch (frame[7]) {
    case 'r': return 4;
    case 'y': {
      const std::size_t fromSize = frame.size() - kDepartmentSizeLessNumber;
      if (frame.size() > kDepartmentSizeLessNumber && fromSize <= 2) return fromSize;
      // A frame of another size: only department 10 has two digits.
      const bool ten = frame.size() > kNumberOffset + 1 && frame[kNumberOffset] == '1' &&
                       frame[kNumberOffset + 1] == '0';
      return ten ? 2 : 1;
    }
    default: return 1;
  }
}

}  // namespace

bool IsRecordLetter(std::uint8_t letter) {
  return std::string_view("roywu").find(static_cast<char>(letter)) != std::string_view::npos;
}

std::optional<RecordKey> ReadRecordKey(std::span<const std::uint8_t> frame) {
  if (frame.size() <= kNumberOffset || !IsRecordLetter(frame[7])) return std::nullopt;
  const std::size_t width = NumberWidth(frame);
  // The number must stand before the check pair and LF.
  if (kNumberOffset + width + 3 > frame.size()) return std::nullopt;
  RecordKey key{static_cast<char>(frame[7]), {}};
  for (std::size_t i = 0; i < width; ++i) {
    const std::uint8_t c = frame[kNumberOffset + i];
    if (c < '0' || c > '9') return std::nullopt;
    key.number.push_back(static_cast<char>(c));
  }
  return key;
}

void RegisterTables::Store(RecordKey key, link::Bytes frame) {
  m_records.insert_or_assign(std::move(key), std::move(frame));
}

const link::Bytes* RegisterTables::Find(char letter, std::string_view number) const {
  const auto it = m_records.find(RecordKey{letter, std::string(number)});
  return it == m_records.end() ? nullptr : &it->second;
}

}  // namespace nuvrel::sim
