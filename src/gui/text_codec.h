// SPDX-License-Identifier: MIT
// The boundary between the core's texts and Qt's Unicode strings: sheet data in Windows-1251, the
// texts shown to the person in UTF-8, and paths as the file system names them.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <string_view>

namespace nuvrel::gui {

// Every byte becomes its Windows-1251 character (0x98, which has none, becomes U+FFFD).
QString FromCp1251(std::string_view bytes);

// Every character becomes its Windows-1251 byte; a character the code page lacks becomes '?'.
std::string ToCp1251(const QString& text);

// The characters of the text that Windows-1251 lacks, each once, in the order they first come (a
// character beyond U+FFFF counts as one).
QStringList MissingFromCp1251(const QString& text);

// What stands in for a character Windows-1251 lacks: the nearest letters for the Latin letters of
// Serbian (Š → S, Č → C, Ć → C, Ž → Z, Đ → Dj, and the small ones likewise), '?' for the rest.
QString NearestInCp1251(const QString& character);

// As ToCp1251, but every character the code page lacks becomes NearestInCp1251 of it.
std::string ToCp1251Nearest(const QString& text);

// A text of the string table or of a message (UTF-8).
QString FromUtf8(std::string_view text);

// A path chosen in a dialog or named on the command line, and back.
std::filesystem::path ToPath(const QString& path);
QString FromPath(const std::filesystem::path& path);

}  // namespace nuvrel::gui
