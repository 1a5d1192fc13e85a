// SPDX-License-Identifier: MIT
// Windows-1251, the code page of sheet data, files and the wire, next to the UTF-8 of the texts
// shown to the person.
#pragma once

#include <string>
#include <string_view>

namespace nuvrel::app {

// The Unicode character of a Windows-1251 byte; U+FFFD for 0x98, the one byte without one.
char16_t Cp1251ToUnicode(unsigned char byte);

// A Windows-1251 text as UTF-8, so sheet data can go into a message.
std::string Cp1251ToUtf8(std::string_view bytes);

// A Windows-1251 text from outside (the register) as UTF-8 that is safe on a terminal or in a
// window: control bytes, and the one byte without a character, become \xHH.
std::string PrintableUtf8(std::string_view bytes);

}  // namespace nuvrel::app
