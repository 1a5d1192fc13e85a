// SPDX-License-Identifier: MIT
#include "gui/text_codec.h"

#include <unordered_map>

#include "app/code_page.h"
#include "app/utf8_path.h"

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

bool InCp1251(char32_t u) {
  return u < 0x80 || (u <= 0xFFFF && Reverse().count(static_cast<char16_t>(u)) != 0);
}

// The Latin letters of Serbian that the Cyrillic code page lacks, and the letters that stand in.
struct Nearest {
  char32_t letter;
  const char* stand;
};
constexpr Nearest kNearest[] = {
    {U'Š', "S"}, {U'š', "s"}, {U'Č', "C"}, {U'č', "c"},  {U'Ć', "C"},
    {U'ć', "c"}, {U'Ž', "Z"}, {U'ž', "z"}, {U'Đ', "Dj"}, {U'đ', "dj"},
};

QString NearestOf(char32_t u) {
  for (const Nearest& n : kNearest) {
    if (n.letter == u) return QString::fromLatin1(n.stand);
  }
  return QStringLiteral("?");
}

}  // namespace

QStringList MissingFromCp1251(const QString& text) {
  QStringList missing;
  for (char32_t u : text.toUcs4()) {
    if (InCp1251(u)) continue;
    const QString character = QString::fromUcs4(&u, 1);
    if (!missing.contains(character)) missing << character;
  }
  return missing;
}

QString NearestInCp1251(const QString& character) {
  const QList<uint> ucs4 = character.toUcs4();
  return ucs4.size() == 1 ? NearestOf(ucs4.front()) : QStringLiteral("?");
}

std::string ToCp1251Nearest(const QString& text) {
  QString near;
  near.reserve(text.size());
  for (char32_t u : text.toUcs4()) {
    near += InCp1251(u) ? QString::fromUcs4(&u, 1) : NearestOf(u);
  }
  return ToCp1251(near);
}

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

// Through UTF-8, which is what Qt 6 gives file names on Unix; on Windows the path is then UTF-16,
// where the ANSI code page (QFile::encodeName) would lose what it cannot hold.
std::filesystem::path ToPath(const QString& path) {
  return app::Utf8Path(path.toUtf8().toStdString());
}

QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdString(app::PathText(path));
}

}  // namespace nuvrel::gui
