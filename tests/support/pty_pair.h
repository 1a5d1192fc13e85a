// SPDX-License-Identifier: MIT
// A raw pseudo-terminal for tests of the serial code: the test plays the register on the master,
// the code under test opens the slave by its path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nuvrel::test {

class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool Ok() const { return m_master >= 0; }
  const std::string& SlavePath() const { return m_slavePath; }
  // Writes to the master: the bytes arrive at whoever has the slave open.
  void Send(const std::vector<std::uint8_t>& bytes);
  // Reads what the slave side wrote (at most `most` bytes), waiting up to timeoutMs for the first
  // byte.
  std::vector<std::uint8_t> Receive(int timeoutMs, std::size_t most = SIZE_MAX);

 private:
  int m_master = -1;
  int m_slaveHold = -1;  // keeps the line up between the opens of the code under test
  std::string m_slavePath;
};

}  // namespace nuvrel::test
