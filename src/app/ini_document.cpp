// SPDX-License-Identifier: MIT
// An INI document kept as its lines.
#include "app/ini_document.h"

#include "app/trim.h"

namespace nuvrel::app {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Only ASCII letters fold: the file is Windows-1251 bytes, and folding them would need a code page.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

bool IsComment(std::string_view trimmed) {
  return !trimmed.empty() && trimmed.front() == ';';
}

// The name of a "[Name]" line, or nullopt when the line is no section header.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() != '[') {
    return std::nullopt;
  }
  const std::size_t close = trimmed.find(']');
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  return Trim(trimmed.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (IsComment(trimmed) || SectionName(trimmed)) {
    return std::nullopt;
  }
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view key = Trim(trimmed.substr(0, equals));
  if (key.empty()) {
    return std::nullopt;
  }
  return KeyLine{key, Trim(trimmed.substr(equals + 1))};
}

// The window program's QSettings shares the file and rewrites all of it on every change, keeping
// every key it read. Values are therefore written in a form QSettings reads as the same text, and
// its own way of writing them back reads here as the same text: a value with a blank at either end
// or any of the characters  " \ , ;  goes in double quotes, with backslash and double quote escaped
// by a backslash, and a leading '@' is doubled. Reading undoes exactly that (a backslash before a
// backslash or a double quote, "@@" at the start) and keeps every other byte as it stands, so a
// hand-written C:\Logos\x.bmp reads as written.
constexpr std::string_view kQuotedCharacters = "\"\\,;";

// Whether the character at index pos is escaped by an odd number of backslashes before it.
bool Escaped(std::string_view text, std::size_t pos) {
  std::size_t backslashes = 0;
  while (pos > backslashes && text[pos - backslashes - 1] == '\\') {
    ++backslashes;
  }
  return backslashes % 2 == 1;
}

std::string Decode(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"' &&
      !Escaped(value, value.size() - 1)) {
    value = value.substr(1, value.size() - 2);
  }
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == '\\' || value[i + 1] == '"')) {
      ++i;
    }
    text += value[i];
  }
  if (text.starts_with("@@")) {
    text.erase(0, 1);
  }
  return text;
}

std::string Encode(std::string_view value) {
  const std::string text = value.starts_with('@') ? "@" + std::string(value) : std::string(value);
  const bool plain = text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()) &&
                                      text.find_first_of(kQuotedCharacters) == std::string::npos);
  if (plain) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') {
      quoted += '\\';
    }
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  if (text.substr(0, kBom.size()) == kBom) {
    document.m_bom = true;
    text.remove_prefix(kBom.size());
  }
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    document.m_lines.emplace_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return document;
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
  const std::string_view wanted = Trim(section);
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    const auto name = SectionName(m_lines[i]);
    if (name && SameName(*name, wanted)) {
      return i;
    }
  }
  return std::nullopt;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < m_lines.size() && !SectionName(m_lines[i])) {
    ++i;
  }
  return i;
}

std::optional<std::size_t> IniDocument::FindKey(std::size_t first, std::size_t last,
                                                std::string_view key) const {
  const std::string_view wanted = Trim(key);
  for (std::size_t i = first; i < last; ++i) {
    const auto parsed = ParseKeyLine(m_lines[i]);
    if (parsed && SameName(parsed->key, wanted)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const auto header = FindSection(section);
  if (!header) {
    return std::nullopt;
  }
  const auto line = FindKey(*header + 1, SectionEnd(*header), key);
  if (!line) {
    return std::nullopt;
  }
  return Decode(ParseKeyLine(m_lines[*line])->value);
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string encoded = Encode(value);
  const auto header = FindSection(section);
  if (!header) {
    if (!m_lines.empty() && !Trim(m_lines.back()).empty()) {
      m_lines.emplace_back();
    }
    m_lines.push_back("[" + std::string(Trim(section)) + "]");
    m_lines.push_back(std::string(Trim(key)) + "=" + encoded);
    return;
  }
  const std::size_t end = SectionEnd(*header);
  if (const auto line = FindKey(*header + 1, end, key)) {
    // Keep the key as the file spells it, so rewriting a value changes no other byte of the name.
    const std::string name(ParseKeyLine(m_lines[*line])->key);
    m_lines[*line] = name + "=" + encoded;
    return;
  }
  // After the last non-blank line, so the blank lines that set off the next section stay there.
  std::size_t insertAt = end;
  while (insertAt > *header + 1 && Trim(m_lines[insertAt - 1]).empty()) {
    --insertAt;
  }
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                 std::string(Trim(key)) + "=" + encoded);
}

std::string IniDocument::Text() const {
  std::string text;
  if (m_bom) {
    text += kBom;
  }
  for (const std::string& line : m_lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace nuvrel::app
