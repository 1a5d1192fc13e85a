// SPDX-License-Identifier: MIT
// Helpers for the simulator's tests: the PC's frames, and what a list of register actions sends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/frames.h"
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

inline link::Bytes OperatorRecord(std::uint32_t device, char number, std::string_view name) {
  std::string fields(1, number);
  fields += name;
  fields.resize(13, ' ');
  fields += '*';
  return RecordFrame(device, 'o', fields);
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
