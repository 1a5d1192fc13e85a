// SPDX-License-Identifier: MIT
// The --state files: their text keeps any byte, a folder saved is loaded back the same, and a file
// that is not right leaves the register empty with a note instead of stopping it.
#include <gtest/gtest.h>

#include <filesystem>

#include "sim/state_dir.h"
#include "sim/state_text.h"
#include "sim_test_util.h"
#include "support/temp_dir.h"

namespace nuvrel::sim {
namespace {

using nuvrel::test::TempDir;
using nuvrel::test::WriteBytes;

std::string EveryByte() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes;
}

// Tables whose texts hold every byte value somewhere.
RegisterTables FullTables() {
  const std::string all = EveryByte();
  RegisterTables t;
  for (std::uint16_t n = 1; n <= 17; ++n) {
    t.articles[n] = Article{n,
                            all.substr(n * 15u % 240u, 15),
                            "000000000" + std::to_string(100 + n),
                            static_cast<std::uint8_t>(n % 10),
                            0,
                            9,
                            n * 1000u,
                            n * 7u};
  }
  t.articles[2400] = Article{2400, all.substr(0, 15), "999999999999", 9, 9, 9, 99999999, 999999999};
  t.operators[1] = Operator{1, all.substr(240, 12)};
  t.operators[9] = Operator{9, std::string(12, '\\')};
  t.departments[1] = Department{1, all.substr(0x80, 15)};
  t.departments[10] = Department{10, all.substr(0x8F, 15)};
  t.firmData[1] = TextLine{1, "\r\n" + std::string(16, '"')};
  t.firmData[6] = TextLine{6, all.substr(0x0A, 18)};
  t.advertisement[1] = TextLine{1, all.substr(238, 18)};
  t.logo = test::LogoFile(100, 100);
  return t;
}

TEST(StateText, EscapingKeepsEveryByteOnOnePrintableLine) {
  const std::string all = EveryByte();
  const std::string text = EscapeBytes(all);
  for (char c : text) {
    EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << static_cast<int>(c);
  }
  EXPECT_EQ(UnescapeBytes(text), all);
  EXPECT_EQ(EscapeBytes("A\\ B\x0A\xAA"), "A\\x5C B\\x0A\\xAA");
  EXPECT_EQ(UnescapeBytes("\\x0a\\xaA"), std::string("\x0A\xAA"));
  for (const char* bad : {"\\", "\\x", "\\x4", "\\y41", "\\xZZ", "ab\\x4"}) {
    EXPECT_EQ(UnescapeBytes(bad), std::nullopt) << bad;
  }
}

TEST(StateText, TablesReadBackFromTheirText) {
  const RegisterTables tables = FullTables();
  RegisterTables back;
  for (TableKind table : {TableKind::Articles, TableKind::Operators, TableKind::Departments,
                          TableKind::FirmData, TableKind::Advertisement}) {
    const std::string text = TableText(tables, table);
    EXPECT_EQ(text.front(), '#');
    EXPECT_EQ(ReadTableText(text, table, back), std::nullopt);
  }
  back.logo = tables.logo;
  EXPECT_EQ(back, tables);
}

TEST(StateText, LinesReadAsTheRecordsDo) {
  RegisterTables tables;
  const std::string text =
      "# a comment\r\n"
      "\r\n"
      "0007BREAD          000000000123111000012502000002500\r\n"
      "0007\\x80\\x8D" +
      std::string(13, ' ') + std::string(33, '"') + "\n";
  ASSERT_EQ(ReadTableText(text, TableKind::Articles, tables), std::nullopt);
  const Article& a = tables.articles.at(7);
  EXPECT_EQ(a.name, std::string("\x80\x8D") + std::string(13, ' '));
  EXPECT_EQ(a.barcode, "000000000123");  // kept from the line before
  EXPECT_EQ(a.priceHundredths, 1250u);
  EXPECT_EQ(a.stockThousandths, 2500u);

  RegisterTables other;
  const auto error =
      ReadTableText("# x\n1OK          *\n0BAD         *\n", TableKind::Operators, other);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->rfind("line 3: ", 0), 0u) << *error;
  EXPECT_TRUE(ReadTableText("1A\\q          *\n", TableKind::Operators, other));
}

class StateFolder : public ::testing::Test {
 protected:
  std::string Path() const { return m_temp / "state/inner"; }
  TempDir m_temp;
};

TEST_F(StateFolder, ACorruptFileEmptiesTheWholeStateWithANote) {
  const StateDir dir(Path());
  ASSERT_EQ(dir.Prepare(), std::nullopt);
  const RegisterTables tables = FullTables();
  ASSERT_EQ(dir.Save(tables, TableKind::Articles), std::nullopt);
  ASSERT_EQ(dir.Save(tables, TableKind::Logo), std::nullopt);

  struct Case {
    const char* file;
    std::string bytes;
    const char* says;
  };
  const std::vector<Case> cases{
      {"operators.txt", "1ANA         *\n12\n", "line 2"},
      {"departments.txt", "\\xZ1\n", "line 1"},
      {"firm-data.txt", "10" + std::string(18, '\0') + "*", ""},  // raw bytes read as well
      {"logo.bmp", std::string("BM\x10\x00\x00\x00", 6), "16 bytes"},
  };
  for (const Case& c : cases) {
    const std::string path = Path() + "/" + c.file;
    WriteBytes(path, c.bytes);
    const StateLoad load = dir.Load();
    if (std::string(c.says).empty()) {
      EXPECT_TRUE(load.notes.empty()) << c.file;
    } else {
      ASSERT_EQ(load.notes.size(), 1u) << c.file;
      EXPECT_NE(load.notes[0].find(path), std::string::npos) << load.notes[0];
      EXPECT_NE(load.notes[0].find(c.says), std::string::npos) << load.notes[0];
      EXPECT_TRUE(load.tables.Empty()) << c.file;
    }
    std::filesystem::remove(path);
  }

  // A file that cannot be read at all.
  std::filesystem::create_directory(Path() + "/advertisement.txt");
  const StateLoad load = dir.Load();
  ASSERT_EQ(load.notes.size(), 1u);
  EXPECT_NE(load.notes[0].find("advertisement.txt"), std::string::npos);
  EXPECT_TRUE(load.tables.Empty());
}

TEST_F(StateFolder, SaveFailuresAreReportedNotThrown) {
  const StateDir dir(Path());
  ASSERT_EQ(dir.Prepare(), std::nullopt);
  std::filesystem::remove_all(m_temp / "state");
  const auto error = dir.Save(FullTables(), TableKind::Operators);
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("operators.txt"), std::string::npos) << *error;

  WriteBytes(m_temp / "plain", "x");
  EXPECT_TRUE(StateDir(m_temp / "plain").Prepare());
}

}  // namespace
}  // namespace nuvrel::sim
