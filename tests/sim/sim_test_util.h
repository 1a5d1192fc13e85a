// SPDX-License-Identifier: MIT
// Helpers for the simulator's tests: the PC's frames, and what a list of register actions sends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/frames.h"
#include "link/report_layout.h"
#include "link/translation.h"
#include "sim/register.h"

namespace nuvrel::sim::test {

inline constexpr std::uint32_t kDevice = 123456;

// A record frame as the PC sends it: 0xAA, D, letter, fields, check pair, LF.
inline link::Bytes RecordFrame(std::uint32_t device, char letter, std::string_view fields) {
  link::Bytes frame = link::BeginFrame(device, letter);
  frame.insert(frame.end(), fields.begin(), fields.end());
  link::AppendCheckPair(frame);
  return frame;
}

// The register's refusal of a frame.
inline link::Bytes Refusal(std::uint32_t device = kDevice) {
  link::Bytes frame{link::kNakByte};
  for (char c : link::DeviceDigits(device)) frame.push_back(static_cast<std::uint8_t>(c));
  link::AppendCheckPair(frame);
  return frame;
}

inline link::Bytes OperatorRecord(std::uint32_t device, char number, std::string_view name) {
  std::string fields(1, number);
  fields += name;
  fields.resize(13, ' ');
  fields += '*';
  return RecordFrame(device, 'o', fields);
}

// The fields of a whole article record: number, name, barcode, tax digit, department, unit,
// price (nine characters) and stock (nine).
inline std::string ArticleFields(std::string_view number, std::string_view name,
                                 std::string_view barcode, std::string_view taxDeptUnit,
                                 std::string_view price, std::string_view stock) {
  std::string fields(number);
  std::string padded(name);
  padded.resize(15, ' ');
  fields += padded;
  fields += barcode;
  fields += taxDeptUnit;
  fields += price;
  fields += stock;
  return fields;
}

inline link::Bytes ArticleRecord(std::uint32_t device, const std::string& fields) {
  return RecordFrame(device, 'r', fields);
}

inline link::Bytes DepartmentRecord(std::uint32_t device, unsigned number, std::string_view name) {
  std::string fields = std::to_string(number);
  std::string padded(name);
  padded.resize(15, ' ');
  return RecordFrame(device, 'y', fields + padded + std::string(10, '"'));
}

// A BMP-like file of the size: 'B', 'M', the size little-endian, then bytes that include 0xAA
// and LF, so that a receiver that looks for frames inside it goes wrong.
inline link::Bytes LogoFile(std::uint32_t size, std::uint32_t sizeField) {
  link::Bytes file{'B', 'M'};
  for (int shift = 0; shift < 32; shift += 8) {
    file.push_back(static_cast<std::uint8_t>(sizeField >> shift));
  }
  for (std::size_t i = file.size(); i < size; ++i) {
    file.push_back(i % 3 == 0 ? 0xAA : i % 3 == 1 ? 0x0A : static_cast<std::uint8_t>(i));
  }
  file.resize(size);
  return file;
}

inline link::Bytes LogoHeader(std::string_view digits) {
  link::Bytes header{link::kStartByte};
  for (char c : digits) header.push_back(static_cast<std::uint8_t>(c));
  header.push_back('R');
  return header;
}

// A field of a report line, as bytes.
inline std::string FieldOf(const link::Bytes& line, link::ReportField field) {
  if (line.size() < field.offset + field.size) return {};
  return std::string(line.begin() + static_cast<std::ptrdiff_t>(field.offset),
                     line.begin() + static_cast<std::ptrdiff_t>(field.offset + field.size));
}

// A report line's payload as the PC shows it: translated from the register's characters.
inline std::string PcPayload(const link::Bytes& line) {
  if (line.size() < 12) return {};
  std::string text(line.begin() + 8, line.end() - 4);
  link::TranslateText(text, false);
  return text;
}

inline std::vector<link::Bytes> SentBlocks(const std::vector<Action>& actions) {
  std::vector<link::Bytes> blocks;
  for (const Action& action : actions) {
    if (action.kind == ActionKind::Send) blocks.push_back(action.bytes);
  }
  return blocks;
}

// Every byte the actions send, in order.
inline link::Bytes SentBytes(const std::vector<Action>& actions) {
  link::Bytes all;
  for (const link::Bytes& block : SentBlocks(actions))
    all.insert(all.end(), block.begin(), block.end());
  return all;
}

inline std::vector<std::string> NotesOf(const std::vector<Action>& actions) {
  std::vector<std::string> notes;
  for (const Action& action : actions) {
    if (action.kind == ActionKind::Note) notes.push_back(action.text);
  }
  return notes;
}

inline bool HasAction(const std::vector<Action>& actions, ActionKind kind) {
  for (const Action& action : actions) {
    if (action.kind == kind) return true;
  }
  return false;
}

inline link::Bytes Concat(const link::Bytes& a, const link::Bytes& b) {
  link::Bytes all = a;
  all.insert(all.end(), b.begin(), b.end());
  return all;
}

}  // namespace nuvrel::sim::test
