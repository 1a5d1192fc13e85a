// SPDX-License-Identifier: MIT
// The settings file's INI text: any bytes parse, and the document written out parses into the same
// text again. A key set (with a section and key name as the program uses them) reads back as set,
// before and after a write and a parse.
//
// Input: a section name, a key and a value, each ended by a NUL, then the document's text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/ini_document.h"
#include "fuzz_check.h"

namespace {

using nuvrel::app::IniDocument;

std::string_view Field(std::string_view& rest) {
  const std::size_t end = rest.find('\0');
  const std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  return field;
}

bool Holds(std::string_view text, std::string_view bytes) {
  return text.find_first_of(bytes) != std::string_view::npos;
}

// A key as the program names one (Set leaves this to its caller): no line end or '=', and something
// between the blanks that does not start a comment or a section header.
bool UsableKey(std::string_view key) {
  const std::size_t first = key.find_first_not_of(" \t");
  return !Holds(key, "\r\n=") && first != std::string_view::npos && key[first] != ';' &&
         key[first] != '[';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const std::string_view section = Field(rest);
  const std::string_view key = Field(rest);
  const std::string_view value = Field(rest);

  IniDocument document = IniDocument::Parse(rest);
  const std::string written = document.Text();
  FUZZ_CHECK(IniDocument::Parse(written).Text() == written);

  if (Holds(section, "\r\n]") || !UsableKey(key) || Holds(value, "\r\n")) return 0;
  document.Set(section, key, value);
  FUZZ_CHECK(document.Get(section, key) == std::string(value));
  const IniDocument reread = IniDocument::Parse(document.Text());
  FUZZ_CHECK(reread.Get(section, key) == std::string(value));
  FUZZ_CHECK(reread.Text() == document.Text());
  return 0;
}
