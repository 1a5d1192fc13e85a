// SPDX-License-Identifier: MIT
// The register's programmed state: its articles, operators, departments, firm data and
// advertisement lines as the record frames set them (records.h decodes those), and the last logo
// it received. Texts are kept as the register's character set bytes, exactly as they arrived.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "link/frames.h"

namespace nuvrel::sim {

inline constexpr std::size_t kArticleNameSize = 15;
inline constexpr std::size_t kBarcodeSize = 12;
inline constexpr std::size_t kOperatorNameSize = 12;
inline constexpr std::size_t kDepartmentNameSize = 15;
inline constexpr std::size_t kTextLineSize = 18;

inline constexpr std::uint16_t kLastArticle = 2400;
inline constexpr std::uint8_t kLastOperator = 9;
inline constexpr std::uint8_t kLastDepartment = 10;
inline constexpr std::uint8_t kLastFirmDataLine = 6;
inline constexpr std::uint8_t kLastAdvertisementLine = 9;

// One article; a new one has these values until records give it others.
struct Article {
  std::uint16_t number = 0;                               // 1..2400
  std::string name = std::string(kArticleNameSize, ' ');  // register character set
  std::string barcode = std::string(kBarcodeSize, '0');   // twelve digits
  std::uint8_t taxDigit = 1;                              // 0..9; 1 is group A
  std::uint8_t department = 1;                            // 0..9; 0 is department 10
  std::uint8_t unit = 0;                                  // 0..9
  std::uint32_t priceHundredths = 0;                      // 0..99999999
  std::uint32_t stockThousandths = 0;                     // 0..999999999

  friend bool operator==(const Article&, const Article&) = default;
};

struct Operator {
  std::uint8_t number = 0;  // 1..9
  std::string name = std::string(kOperatorNameSize, ' ');

  friend bool operator==(const Operator&, const Operator&) = default;
};

struct Department {
  std::uint8_t number = 0;  // 1..10; the daily exchange reports it as index number - 1
  std::string name = std::string(kDepartmentNameSize, ' ');

  friend bool operator==(const Department&, const Department&) = default;
};

// A firm data line (1..6) or an advertisement line (1..9).
struct TextLine {
  std::uint8_t number = 0;
  std::string text = std::string(kTextLineSize, ' ');

  friend bool operator==(const TextLine&, const TextLine&) = default;
};

// The parts of the state that are kept (and saved) apart.
enum class TableKind { Articles, Operators, Departments, FirmData, Advertisement, Logo };

struct RegisterTables {
  std::map<std::uint16_t, Article> articles;
  std::map<std::uint8_t, Operator> operators;
  std::map<std::uint8_t, Department> departments;
  std::map<std::uint8_t, TextLine> firmData;
  std::map<std::uint8_t, TextLine> advertisement;
  std::optional<link::Bytes> logo;  // the BMP file as received

  bool Empty() const {
    return articles.empty() && operators.empty() && departments.empty() && firmData.empty() &&
           advertisement.empty() && !logo;
  }

  friend bool operator==(const RegisterTables&, const RegisterTables&) = default;
};

}  // namespace nuvrel::sim
