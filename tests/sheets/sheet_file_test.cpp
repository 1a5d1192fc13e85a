// SPDX-License-Identifier: MIT
// Sheet files: the bytes a sheet saves as, how each line of a file lands in the sheet (numbering,
// odd first fields, line endings, sizes), and saving that never damages the old file.
#include "sheets/sheet_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "sheets/layouts.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace nuvrel::sheets {
namespace {

using test::FolderEntries;

using test::ReadBytes;
using test::RecordingUi;
using test::TempDir;
using test::WriteBytes;

struct Sheet {
  explicit Sheet(SheetId id) { SetupSheet(id, grid); }
  grid::CellTable grid{nullptr};
};

void FillRow(grid::CellTable& grid, int row, const std::vector<std::string>& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    grid.SetItemText(row, static_cast<int>(i) + 1, texts[i]);
  }
}

// The data cells that hold text, as "row:col=text" joined by "|".
std::string Filled(const grid::CellTable& grid) {
  std::string filled;
  for (int r = 1; r < grid.GetRowCount(); ++r) {
    for (int c = 1; c < grid.GetColumnCount(); ++c) {
      const std::string text = grid.GetItemText(r, c);
      if (text.empty()) continue;
      if (!filled.empty()) filled += '|';
      filled.append(std::to_string(r)).append(":").append(std::to_string(c)).append("=" + text);
    }
  }
  return filled;
}

// Headers and labels: what no file may change.
std::string FixedCells(const grid::CellTable& grid) {
  std::string fixed;
  for (int c = 0; c < grid.GetColumnCount(); ++c) fixed += grid.GetItemText(0, c) + '|';
  for (int r = 1; r < grid.GetRowCount(); ++r) fixed += grid.GetItemText(r, 0) + '|';
  return fixed;
}

TEST(SheetTextRead, EachLineLandsInTheRowItsFirstFieldNumbers) {
  const std::string longName(100000, 'n');
  std::string manyFields = "3";
  for (int i = 1; i <= 1000; ++i) manyFields += "\t" + std::to_string(i % 10);
  const struct {
    const char* what;
    SheetId id;
    std::string bytes;
    bool zeroBased;
    std::string cells;
  } cases[] = {
      {"empty", SheetId::Articles, "", false, ""},
      {"a first 0 shifts all down", SheetId::Articles, "0\tfirst\r\n5\tsixth\r\n", true,
       "1:1=first|6:1=sixth"},
      {"a blank line is row 0", SheetId::Articles, "2\ttwo\r\n\r\n5\tfive\r\n", true,
       "2:1=two|6:1=five"},
      {"departments label their first row 0", SheetId::Departments, "1\tMilk\r\n9\tLast\r\n", true,
       "2:1=Milk|10:1=Last"},
      {"operators do not", SheetId::Operators, "1\tAna\r\n", false, "1:1=Ana"},
      {"-1 never reaches the header", SheetId::Articles,
       "0\tzero\r\n-1\theader?\r\n2399\tlast\r\n2400\tbeyond\r\n", true, "1:1=zero|2400:1=last"},
      {"no usable row", SheetId::Articles,
       "7\r\n"  // a number and nothing else
       "x\ta\r\n12x\tb\r\n3 \tc\r\n \td\r\n-1\te\r\n99999999999999999999\tf\r\n"
       "-99999999999999999999\tg\r\n"
       "4294967297\th\r\n"  // 2^32 + 1: must not wrap to row 1
       "2401\ti\r\n2400\tlast\r\n 4\tspace\r\n+5\tplus\r\n",
       false, "4:1=space|5:1=plus|2400:1=last"},
      {"articles into operators", SheetId::Operators,
       "1\tAna\t000000000001\t1.00\tA\t1\t0\t\r\n9\tIvo\t000000000009\t9.00\tB\t2\t1\t5.000\r\n"
       "10\tNobody\t\t\t\t\t\t\r\n",
       false, "1:1=Ana|9:1=Ivo"},
      {"missing fields keep their cells", SheetId::Articles,
       "1\tName\t123\t2\tA\t1\t0\t3\r\n1\tRenamed\r\n1\r\n", false,
       "1:1=Renamed|1:2=000000000123|1:3=2.00|1:4=A|1:5=1|1:6=0|1:7=3.000"},
      {"cell rules apply", SheetId::Articles, "1\tName\t123\t1,5\tAB\t12\tx\t2,25\r\n", false,
       "1:1=Name|1:2=000000000123|1:3=1.50|1:7=2.250"},
      {"extra fields are ignored", SheetId::Articles, manyFields + "\r\n4\tafter\r\n", false,
       "3:1=1|3:2=000000000002|3:3=3.00|3:4=4|3:5=5|3:6=6|3:7=7.000|4:1=after"},
      {"a long line stays one row", SheetId::Operators, "1\t" + longName + "\r\n2\tnext\r\n", false,
       "1:1=" + longName + "|2:1=next"},
      {"LF", SheetId::Operators, "1\tone\n2\ttwo\n", false, "1:1=one|2:1=two"},
      {"CR", SheetId::Operators, "1\tone\r2\ttwo\r", false, "1:1=one|2:1=two"},
      {"mixed, none on the last", SheetId::Operators, "1\tone\r2\ttwo\n3\tthree", false,
       "1:1=one|2:1=two|3:1=three"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Sheet sheet(c.id);
    sheet.grid.SetItemText(8, 1, "stale");  // what a read replaces
    const std::string fixed = FixedCells(sheet.grid);
    WriteBytes(dir / "in.txt", c.bytes);
    SheetTextReader reader(sheet.grid);
    RecordingUi ui;
    ASSERT_TRUE(reader.ReadSheetFile(dir / "in.txt", ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.waitCursors, 1);
    EXPECT_EQ(ui.waitDepth, 0);
    EXPECT_EQ(reader.ZeroBased(), c.zeroBased);
    EXPECT_EQ(Filled(sheet.grid), c.cells);
    EXPECT_EQ(FixedCells(sheet.grid), fixed);
  }
}

TEST(SheetFileRead, AFileThatCannotBeOpenedLeavesTheSheetAsItWas) {
  TempDir dir;
  Sheet articles(SheetId::Articles);
  FillRow(articles.grid, 5, {"kept", "7"});
  const std::string before = Filled(articles.grid);

  const std::string missing = dir / "missing.txt";
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  // A file above the size limit, without using the disk for it.
  const std::string huge = dir / "huge.txt";
  WriteBytes(huge, "1\tx\r\n");
  ASSERT_EQ(::truncate(huge.c_str(), off_t{65} * 1024 * 1024), 0);

  for (const std::string& path : {missing, dir.Path(), dir / "fifo", huge}) {
    RecordingUi ui;
    SheetTextReader reader(articles.grid);
    EXPECT_FALSE(reader.ReadSheetFile(path, ui)) << path;
    ASSERT_EQ(ui.messages.size(), 1u) << path;
    EXPECT_EQ(ui.messages[0].text, "The file \"" + path + "\" cannot be opened for reading!");
    EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
    EXPECT_EQ(ui.waitDepth, 0);
    EXPECT_EQ(Filled(articles.grid), before) << path;
  }
}

TEST(SheetFileRead, AReadErrorIsReportedWithItsLineNumber) {
  // The process's own memory reads as a regular file whose first bytes (address 0) fail with EIO.
  const std::string path = "/proc/self/mem";
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) GTEST_SKIP() << "no " << path;
  Sheet articles(SheetId::Articles);
  FillRow(articles.grid, 5, {"old"});
  RecordingUi ui;
  EXPECT_FALSE(SheetTextReader(articles.grid).ReadSheetFile(path, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Error reading line: 1 !");
  EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
  EXPECT_EQ(Filled(articles.grid), "") << "the file was opened, so the sheet was emptied";
  EXPECT_EQ(ui.waitDepth, 0);
}

class SheetFileWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int r = 1; r < m_articles.grid.GetRowCount(); ++r) {
      FillRow(m_articles.grid, r,
              {"Article name " + std::to_string(r), std::to_string(r), "12.50", "A", "1", "0",
               "100.000"});
    }
  }

  TempDir m_dir;
  Sheet m_articles{SheetId::Articles};
};

TEST_F(SheetFileWrite, APathThatCannotBeWrittenGetsNothingAndIsNamed) {
  ASSERT_EQ(::mkdir((m_dir / "folder").c_str(), 0700), 0);
  const std::string missing = m_dir / "no-such-folder/art.txt", folder = m_dir / "folder";
  const std::pair<std::string, std::string> cases[] = {
      {missing, "Cannot create file \"" + missing + "\" !"},
      {folder, "Error writing to file \"" + folder + "\" !"},
  };
  for (const auto& [path, message] : cases) {
    RecordingUi ui;
    EXPECT_FALSE(SheetTextWriter(m_articles.grid).WriteSheetFile(path, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, message);
    EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
    EXPECT_EQ(FolderEntries(m_dir.Path()), std::vector<std::string>{"folder"});
  }
}

TEST_F(SheetFileWrite, AWriteThatFailsPartWayLeavesTheOldFileByteForByte) {
  const std::string path = m_dir / "art.txt";
  const std::string old = "1\told article\t\t\t\t\t\t\r\n";
  WriteBytes(path, old);
  ASSERT_GT(SheetText(m_articles.grid).size(), 4096u * 10);

  // The limit applies to the whole process, so the save runs in a child. SIGXFSZ keeps its default
  // action (ending the process): the writer must shield itself from it.
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(10);
    ::signal(SIGXFSZ, SIG_DFL);
    RecordingUi ui;
    if (SheetTextWriter(m_articles.grid).WriteSheetFile(path, ui)) ::_exit(11);
    if (ui.Texts() != std::vector<std::string>{"Error writing to file \"" + path + "\" !"})
      ::_exit(12);
    if (ui.messages[0].icon != app::Icon::Error) ::_exit(13);
    struct sigaction now {};
    ::sigaction(SIGXFSZ, nullptr, &now);
    if (now.sa_handler != SIG_DFL) ::_exit(14);  // the signal's action is given back
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "the child was ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(FolderEntries(m_dir.Path()), std::vector<std::string>{"art.txt"});
}

}  // namespace
}  // namespace nuvrel::sheets
