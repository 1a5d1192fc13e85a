// SPDX-License-Identifier: MIT
// nuvrel-cli check, end to end through the real program: the normalised sheet on stdout or in a
// file, the exact messages on stderr, and the exit status of each outcome.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace nuvrel::cli {
namespace {

using test::ReadBytes;
using test::RunProgram;
using test::RunResult;
using test::TempDir;
using test::WriteBytes;

class CheckCommand : public ::testing::Test {
 protected:
  // Writes the input file and runs `nuvrel-cli check SHEET <file> extra...`.
  RunResult Check(const std::string& sheet, const std::string& bytes,
                  const std::vector<std::string>& extra = {}) {
    WriteBytes(m_input, bytes);
    std::vector<std::string> args = {"check", sheet, m_input};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(NUVREL_CLI_PATH, args);
  }

  TempDir m_dir;
  const std::string m_input = m_dir / "in.txt";
};

TEST_F(CheckCommand, WritesTheNormalisedSheetToStandardOutputOrTheFileGivenWithDashO) {
  // Departments are numbered from zero (that report sheets have nothing to validate:
  // transfers/validation_test.cpp).
  const struct {
    const char* sheet;
    std::string in;
    std::string out;
  } cases[] = {
      {"articles", "3\t\t123\t1,5\n1\tMilk\r\n",
       "1\tMilk\t\t\t\t\t\t\r\n3\t\t000000000123\t1.50\t\t\t\t\r\n"},
      {"departments", "0\tBread\n9\tLast\n10\tbeyond\n", "0\tBread\r\n9\tLast\r\n"},
  };
  for (const auto& c : cases) {
    const RunResult r = Check(c.sheet, c.in);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
  }

  // -o replaces the file, also standing before the sheet; an Articles line keeps its name in
  // Operators.
  const std::string outPath = m_dir / "out.txt";
  WriteBytes(outPath, "old contents that must go");
  WriteBytes(m_input, "3\tAna\t123\t1,5\n");
  const RunResult r = RunProgram(NUVREL_CLI_PATH, {"check", "-o", outPath, "operators", m_input});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(ReadBytes(outPath), "3\tAna\r\n");
}

TEST_F(CheckCommand, FilesThatCannotBeReadOrWrittenFailWithTheirMessage) {
  const std::string missing = m_dir / "missing.txt";
  const RunResult r = RunProgram(NUVREL_CLI_PATH, {"check", "articles", missing});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "The file \"" + missing + "\" cannot be opened for reading!\n");

  const std::string noFolder = m_dir / "no-folder/out.txt";
  const RunResult w = Check("articles", "1\tMilk\n", {"-o", noFolder});
  EXPECT_EQ(w.status, 1);
  EXPECT_EQ(w.err, "Cannot create file \"" + noFolder + "\" !\n");
}

TEST_F(CheckCommand, ListsEveryProblemAfterTheSheetIsWrittenAndFailsOnAnError) {
  // Row 2's name holds Windows-1251 letters, which the register prints as blanks.
  const RunResult r = Check("articles",
                            "7\tMilk\t\t-2\t\t\t\tabc\n"
                            "1\tTwenty characters!!\t1\t1\n"
                            "2\t\xD5\xEB\xE5\xE1\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "1:1: Name is too long!\n"
            "2:1: warning: The ECR prints blanks for \"\xD0\xA5\", \"\xD0\xBB\", \"\xD0\xB5\", "
            "\"\xD0\xB1\"\n"
            "7:3: Price cannot be negative!\n"
            "7:7: Quantity (In stock) is not a number!\n");
  EXPECT_TRUE(r.out.starts_with("1\tTwenty characters!!\t000000000001\t1.00\t\t\t\t\r\n")) << r.out;

  const RunResult operators = Check("operators", "2\tThirteen char\n");
  EXPECT_EQ(operators.status, 1);
  EXPECT_EQ(operators.err, "2:1: Operator name is too long!\n");

  // Warnings alone do not fail the check.
  const RunResult warned = Check("advertisement", "3\tAKCIJA_2\n");
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(warned.err, "3:1: warning: The ECR prints blanks for \"_\"\n");
}

}  // namespace
}  // namespace nuvrel::cli
