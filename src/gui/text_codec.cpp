// SPDX-License-Identifier: MIT
#include "gui/text_codec.h"

#include <QFile>
#include <unordered_map>

#include "app/code_page.h"

namespace nuvrel::gui {
namespace {

const std::unordered_map<char16_t, char>& Reverse() {
  static const std::unordered_map<char16_t, char> reverse = [] {
    std::unordered_map<char16_t, char> map;
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
      const char16_t u = app::Cp1251ToUnicode(static_cast<unsigned char>(byte));
      if (u != 0xFFFD) map.emplace(u, static_cast<char>(byte));
    }
    return map;
  }();
  return reverse;
}

}  // namespace

QString FromCp1251(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.append(QChar(app::Cp1251ToUnicode(b)));
  }
  return text;
}

std::string ToCp1251(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  const auto& reverse = Reverse();
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    if (u < 0x80) {
      bytes.push_back(static_cast<char>(u));
    } else if (auto it = reverse.find(u); it != reverse.end()) {
      bytes.push_back(it->second);
    } else {
      // Surrogate pairs arrive here as two halves; each becomes one '?', so an emoji gives "??".
      bytes.push_back('?');
    }
  }
  return bytes;
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path ToPath(const QString& path) {
  // The file system's own encoding of the name, as Qt itself opens files.
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString FromPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

}  // namespace nuvrel::gui
