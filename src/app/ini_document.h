// SPDX-License-Identifier: MIT
// An INI document kept as its lines, so that changing one key leaves every other line (comments,
// blank lines, order, other sections) as it was. Pure text: reading and writing the file is
// SettingsFile's job.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvrel::app {

class IniDocument {
 public:
  IniDocument() = default;

  // Splits text into lines (CR LF or LF ends; a leading UTF-8 BOM is kept aside). Any bytes are
  // accepted: a line that is neither a section header, a key line nor a comment is kept and
  // ignored.
  static IniDocument Parse(std::string_view text);

  // The value of key in the first [section] of that name, or nullopt. Names compare ASCII
  // case-insensitively; blanks around key and value are dropped, and so is one pair of double
  // quotes enclosing the value; a backslash before a backslash or a double quote is dropped, and
  // a leading "@@" reads as "@" (the form Set and QSettings write). Keys before the first section
  // header belong to no section.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Sets key to value: rewrites the first matching key line in place, or adds the key after the
  // section's last non-blank line, or adds the section at the end of the document. The value is
  // written so that both Get and QSettings read it back as given (see ini_document.cpp). The
  // caller keeps CR, LF, '=' in keys and ']' in section names out.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The document with CR LF after every line (and the BOM, if the parsed text had one).
  std::string Text() const;

 private:
  // Index of the header line of the first section named so, if any.
  std::optional<std::size_t> FindSection(std::string_view section) const;
  // One past the last line of the section whose header is at index header.
  std::size_t SectionEnd(std::size_t header) const;
  // Index of the first line in [first, last) that holds key.
  std::optional<std::size_t> FindKey(std::size_t first, std::size_t last,
                                     std::string_view key) const;

  std::vector<std::string> m_lines;
  bool m_bom = false;
};

}  // namespace nuvrel::app
