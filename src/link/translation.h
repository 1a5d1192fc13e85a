// SPDX-License-Identifier: MIT
// The register's character set. Text in the sheets follows a 7-bit convention: 0x21..0x5A are
// themselves, and the lowercase letters and the eight characters [ \ ] ` { | } ~ stand for the
// register's own characters at 0x7B..0x9D. Everything else becomes a blank on the way.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace nuvrel::link {

struct TranslationTables {
  std::array<std::uint8_t, 256> toRegister{};
  std::array<std::uint8_t, 256> toPc{};
};

// Builds both tables. No entry is 0, so a translated text keeps its length.
TranslationTables BuildTranslationTables();

// Translates the text in place: PC to register when toRegister is true, register to PC otherwise.
// An embedded NUL ends the translation, as it ends the text on the wire.
void TranslateText(std::string& text, bool toRegister);

// Whether the PC byte has a character on the register; a byte without one reaches it as a blank.
// The blank itself has none either: it stays a blank.
bool HasRegisterCharacter(unsigned char pcByte);

}  // namespace nuvrel::link
