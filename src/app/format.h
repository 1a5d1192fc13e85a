// SPDX-License-Identifier: MIT
// Filling the placeholders of a string-table text. The format always comes from the string table,
// never from data; arguments are typed, so a wrong table entry cannot read outside its arguments.
// A path goes in as UTF-8, so a message shows the file's name exactly.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "app/strings.h"
#include "app/utf8_path.h"

namespace nuvrel::app {

class FormatArg {
 public:
  FormatArg(int v) : m_value(static_cast<std::int64_t>(v)) {}
  FormatArg(long v) : m_value(static_cast<std::int64_t>(v)) {}
  FormatArg(long long v) : m_value(static_cast<std::int64_t>(v)) {}
  FormatArg(unsigned v) : m_value(static_cast<std::uint64_t>(v)) {}
  FormatArg(unsigned long v) : m_value(static_cast<std::uint64_t>(v)) {}
  FormatArg(unsigned long long v) : m_value(static_cast<std::uint64_t>(v)) {}
  FormatArg(std::string_view v) : m_value(v) {}
  FormatArg(const char* v) : m_value(std::string_view(v)) {}
  FormatArg(const std::string& v) : m_value(std::string_view(v)) {}
  FormatArg(const std::filesystem::path& v);

  using Value = std::variant<std::int64_t, std::uint64_t, std::string_view, std::string>;
  const Value& Get() const { return m_value; }

 private:
  Value m_value;
};

// Replaces %d, %u and %s (with an optional 0 flag and width, as in %02d or %06u) by the arguments
// in order and %% by %. A placeholder without an argument is left out; extra arguments are ignored.
std::string Format(std::string_view format, std::initializer_list<FormatArg> args);

inline std::string Format(Sid id, std::initializer_list<FormatArg> args) {
  return Format(Text(id), args);
}

// The text for a count: `one` when it is 1, `many` otherwise, filled with the arguments.
inline std::string FormatCount(unsigned count, Sid one, Sid many,
                               std::initializer_list<FormatArg> args) {
  return Format(count == 1 ? one : many, args);
}

}  // namespace nuvrel::app
