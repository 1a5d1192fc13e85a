// SPDX-License-Identifier: MIT
#include "link/translation.h"

#include <utility>

namespace nuvrel::link {
namespace {

// PC byte → register byte; the register-to-PC table maps them back.
constexpr std::pair<std::uint8_t, std::uint8_t> kPairs[] = {
    {0x3E, 0x7C}, {0x5B, 0x98}, {0x5C, 0x9B}, {0x5D, 0x9D}, {0x60, 0x86}, {0x7B, 0x7D},
    {0x7C, 0x7B}, {0x7D, 0x7E}, {0x7E, 0x7F}, {0x61, 0x80}, {0x62, 0x81}, {0x63, 0x96},
    {0x64, 0x84}, {0x65, 0x85}, {0x66, 0x94}, {0x67, 0x83}, {0x68, 0x95}, {0x69, 0x88},
    {0x6A, 0x89}, {0x6B, 0x8A}, {0x6C, 0x8B}, {0x6D, 0x8C}, {0x6E, 0x8D}, {0x6F, 0x8E},
    {0x70, 0x8F}, {0x71, 0x9A}, {0x72, 0x90}, {0x73, 0x91}, {0x74, 0x92}, {0x75, 0x93},
    {0x76, 0x82}, {0x77, 0x9C}, {0x78, 0x99}, {0x79, 0x97}, {0x7A, 0x87},
};

const TranslationTables& Tables() {
  static const TranslationTables tables = BuildTranslationTables();
  return tables;
}

}  // namespace

TranslationTables BuildTranslationTables() {
  TranslationTables t;
  t.toRegister.fill(0x20);
  t.toPc.fill(0x20);
  for (unsigned c = 0x21; c <= 0x5A; ++c) {
    t.toRegister[c] = static_cast<std::uint8_t>(c);
    t.toPc[c] = static_cast<std::uint8_t>(c);
  }
  // The register shows '>' at 0x7C; its own 0x3E still reads back as '>'.
  for (auto [pc, reg] : kPairs) {
    t.toRegister[pc] = reg;
    t.toPc[reg] = pc;
  }
  return t;
}

void TranslateText(std::string& text, bool toRegister) {
  const auto& table = toRegister ? Tables().toRegister : Tables().toPc;
  for (char& c : text) {
    if (c == '\0') break;
    c = static_cast<char>(table[static_cast<std::uint8_t>(c)]);
  }
}

bool HasRegisterCharacter(unsigned char pcByte) {
  return Tables().toRegister[pcByte] != 0x20;
}

}  // namespace nuvrel::link
