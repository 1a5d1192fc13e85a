// SPDX-License-Identifier: MIT
// The boundary between the core's Windows-1251 bytes and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace nuvrel::gui {

// Every byte becomes its Windows-1251 character (0x98, which has none, becomes U+FFFD).
QString FromCp1251(std::string_view bytes);

// Every character becomes its Windows-1251 byte; a character the code page lacks becomes '?'.
std::string ToCp1251(const QString& text);

}  // namespace nuvrel::gui
