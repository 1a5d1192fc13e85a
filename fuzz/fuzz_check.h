// SPDX-License-Identifier: MIT
// What the fuzz targets share: a check that stops the run with the property that failed (libFuzzer
// then keeps the input), and a reader that takes the input apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

namespace nuvrel::fuzz {

// Takes leading bytes off the input as small numbers; the rest is the text under test.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size)
      : m_rest(reinterpret_cast<const char*>(data), size) {}

  // The next byte, or 0 when the input is used up.
  std::uint8_t Byte() {
    if (m_rest.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(m_rest.front());
    m_rest.remove_prefix(1);
    return b;
  }
  std::string_view Rest() const { return m_rest; }

 private:
  std::string_view m_rest;
};

}  // namespace nuvrel::fuzz
