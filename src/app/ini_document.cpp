// SPDX-License-Identifier: MIT
// An INI document kept as its lines.
#include "app/ini_document.h"

namespace nuvrel::app {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
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

bool Quoted(std::string_view value) {
  return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

std::string Encode(std::string_view value) {
  const bool changedByReading =
      !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || Quoted(value));
  if (changedByReading) {
    return "\"" + std::string(value) + "\"";
  }
  return std::string(value);
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
  std::string_view value = ParseKeyLine(m_lines[*line])->value;
  if (Quoted(value)) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
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
