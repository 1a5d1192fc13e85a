// SPDX-License-Identifier: MIT
// What the programs under test leave in files: the blocks of a trace file ("<time> TX AA 30 ...")
// and the item lines of a table that ecrsim keeps in its state folder.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "link/frames.h"
#include "support/temp_dir.h"

namespace nuvrel::test {

// The blocks of one direction ("TX" or "RX") of a trace text, in order.
inline std::vector<link::Bytes> TraceBlocks(const std::string& trace,
                                            const std::string& direction) {
  std::vector<link::Bytes> blocks;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string time, way, hex;
    words >> time >> way;
    if (way != direction) continue;
    link::Bytes block;
    while (words >> hex) block.push_back(static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16)));
    blocks.push_back(block);
  }
  return blocks;
}

// Every byte of one direction of a trace file, however the blocks were cut.
inline link::Bytes TraceBytes(const std::string& path, const std::string& direction) {
  link::Bytes bytes;
  for (const link::Bytes& block : TraceBlocks(ReadBytes(path).value_or(""), direction))
    bytes.insert(bytes.end(), block.begin(), block.end());
  return bytes;
}

// The item lines of a state table file (comments left out); none when there is no file.
inline std::vector<std::string> StateLines(const std::string& file) {
  std::istringstream text(ReadBytes(file).value_or(""));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

}  // namespace nuvrel::test
