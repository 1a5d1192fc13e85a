// SPDX-License-Identifier: MIT
// Sheet files: the bytes a sheet saves as, how each line of a file lands in the sheet (numbering,
// odd first fields, line endings, sizes, junk), and saving that never damages the old file.
#include "sheets/sheet_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "sheets/layouts.h"
#include "sheets/workspace.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace nuvrel::sheets {
namespace {

using test::FolderEntries;

using test::ReadBytes;
using test::RecordingUi;
using test::TempDir;
using test::WriteBytes;

using Cells = std::map<std::pair<int, int>, std::string>;

struct Sheet {
  explicit Sheet(SheetId id) { SetupSheet(id, grid); }
  grid::CellTable grid{nullptr};
};

void FillRow(grid::CellTable& grid, int row, const std::vector<std::string>& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    grid.SetItemText(row, static_cast<int>(i) + 1, texts[i]);
  }
}

// Every non-empty data cell, by row and column.
Cells DataCells(const grid::CellTable& grid) {
  Cells cells;
  for (int r = 1; r < grid.GetRowCount(); ++r) {
    for (int c = 1; c < grid.GetColumnCount(); ++c) {
      std::string text = grid.GetItemText(r, c);
      if (!text.empty()) cells[{r, c}] = std::move(text);
    }
  }
  return cells;
}

// Headers and labels: what no file may change.
Cells FixedCells(const grid::CellTable& grid) {
  Cells cells;
  for (int c = 0; c < grid.GetColumnCount(); ++c) cells[{0, c}] = grid.GetItemText(0, c);
  for (int r = 1; r < grid.GetRowCount(); ++r) cells[{r, 0}] = grid.GetItemText(r, 0);
  return cells;
}

class SheetFileRead : public ::testing::Test {
 protected:
  // Writes the bytes to a file and reads it into the sheet; the result of ReadSheetFile.
  bool Read(grid::CellTable& grid, const std::string& bytes) {
    const std::string path = m_dir / "in.txt";
    WriteBytes(path, bytes);
    CSheetTextReader reader(grid);
    const bool ok = reader.ReadSheetFile(path, m_ui);
    m_zeroBased = reader.ZeroBased();
    return ok;
  }

  TempDir m_dir;
  RecordingUi m_ui;
  bool m_zeroBased = false;
};

// --- Writing ---

TEST(SheetText, ALineHoldsTheLabelAndEveryColumnEvenWhenEmpty) {
  Sheet articles(SheetId::Articles);
  FillRow(articles.grid, 3, {"ABC", "123", "1,5", "B", "1", "0", ""});
  EXPECT_EQ(SheetText(articles.grid), "3\tABC\t000000000123\t1.50\tB\t1\t0\t\r\n");

  Sheet onlyPrice(SheetId::Articles);
  onlyPrice.grid.SetItemText(7, articles::kPrice, "2");
  EXPECT_EQ(SheetText(onlyPrice.grid), "7\t\t\t2.00\t\t\t\t\r\n");
}

TEST(SheetText, EmptyRowsAreLeftOutAndTheRestAscend) {
  Sheet articles(SheetId::Articles);
  EXPECT_EQ(SheetText(articles.grid), "");
  articles.grid.SetItemText(2400, articles::kName, "last");
  articles.grid.SetItemText(1, articles::kInStock, "0");
  articles.grid.SetItemText(12, articles::kName, "mid");
  EXPECT_EQ(SheetText(articles.grid),
            "1\t\t\t\t\t\t\t0.000\r\n12\tmid\t\t\t\t\t\t\r\n2400\tlast\t\t\t\t\t\t\r\n");
}

TEST(SheetText, DepartmentsAreNumberedFromZero) {
  Sheet departments(SheetId::Departments);
  departments.grid.SetItemText(1, kTextColumn, "Bread");
  EXPECT_EQ(SheetText(departments.grid), "0\tBread\r\n");

  Sheet again(SheetId::Departments);
  CSheetTextReader reader(again.grid);
  reader.ReadSheetText(SheetText(departments.grid));
  EXPECT_TRUE(reader.ZeroBased());
  EXPECT_EQ(DataCells(again.grid), (Cells{{{1, 1}, "Bread"}}));
}

// --- Numbering and first fields ---

TEST_F(SheetFileRead, AFirstNumberZeroShiftsThatLineAndEveryLaterOneDownARow) {
  Sheet articles(SheetId::Articles);
  ASSERT_TRUE(Read(articles.grid, "0\tfirst\r\n5\tsixth\r\n"));
  EXPECT_TRUE(m_zeroBased);
  EXPECT_EQ(DataCells(articles.grid), (Cells{{{1, 1}, "first"}, {{6, 1}, "sixth"}}));
}

TEST_F(SheetFileRead, ABlankLineCountsAsRowZeroAndSwitchesZeroBasedNumberingOn) {
  Sheet articles(SheetId::Articles);
  ASSERT_TRUE(Read(articles.grid, "2\ttwo\r\n\r\n5\tfive\r\n"));
  EXPECT_TRUE(m_zeroBased);
  EXPECT_EQ(DataCells(articles.grid), (Cells{{{2, 1}, "two"}, {{6, 1}, "five"}}));
  EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(SheetFileRead, NumberingStartsZeroBasedWhenTheSheetLabelsItsFirstRowZero) {
  Sheet departments(SheetId::Departments);
  ASSERT_TRUE(Read(departments.grid, "1\tMilk\r\n9\tLast\r\n"));
  EXPECT_TRUE(m_zeroBased);
  EXPECT_EQ(DataCells(departments.grid), (Cells{{{2, 1}, "Milk"}, {{10, 1}, "Last"}}));

  Sheet operators(SheetId::Operators);
  ASSERT_TRUE(Read(operators.grid, "1\tAna\r\n"));
  EXPECT_FALSE(m_zeroBased);
  EXPECT_EQ(DataCells(operators.grid), (Cells{{{1, 1}, "Ana"}}));
}

TEST_F(SheetFileRead, LinesWhoseFirstFieldIsNoUsableRowAreSkippedSilently) {
  Sheet articles(SheetId::Articles);
  const Cells fixed = FixedCells(articles.grid);
  ASSERT_TRUE(Read(articles.grid,
                   "7\r\n"  // a number and nothing else
                   "x\ta\r\n"
                   "12x\tb\r\n"
                   "3 \tc\r\n"
                   " \td\r\n"
                   "-1\te\r\n"
                   "99999999999999999999\tf\r\n"
                   "-99999999999999999999\tg\r\n"
                   "4294967297\th\r\n"  // 2^32 + 1: must not wrap to row 1
                   "2401\ti\r\n"
                   "2400\tlast\r\n"
                   " 4\tspace\r\n"
                   "+5\tplus\r\n"));
  EXPECT_TRUE(m_ui.messages.empty());
  EXPECT_FALSE(m_zeroBased);
  EXPECT_EQ(DataCells(articles.grid),
            (Cells{{{2400, 1}, "last"}, {{4, 1}, "space"}, {{5, 1}, "plus"}}));
  EXPECT_EQ(FixedCells(articles.grid), fixed);
}

TEST_F(SheetFileRead, ZeroBasedMinusOneNeverReachesTheHeaderRow) {
  Sheet articles(SheetId::Articles);
  const Cells fixed = FixedCells(articles.grid);
  ASSERT_TRUE(Read(articles.grid, "0\tzero\r\n-1\theader?\r\n2399\tlast\r\n2400\tbeyond\r\n"));
  EXPECT_EQ(DataCells(articles.grid), (Cells{{{1, 1}, "zero"}, {{2400, 1}, "last"}}));
  EXPECT_EQ(FixedCells(articles.grid), fixed);
}

// --- Fields ---

TEST_F(SheetFileRead, AnArticlesFileReadIntoOperatorsKeepsTheSecondFieldOfItsRows) {
  Sheet operators(SheetId::Operators);
  ASSERT_TRUE(Read(operators.grid,
                   "1\tAna\t000000000001\t1.00\tA\t1\t0\t\r\n"
                   "9\tIvo\t000000000009\t9.00\tB\t2\t1\t5.000\r\n"
                   "10\tNobody\t\t\t\t\t\t\r\n"));
  EXPECT_EQ(DataCells(operators.grid), (Cells{{{1, 1}, "Ana"}, {{9, 1}, "Ivo"}}));
}

TEST_F(SheetFileRead, MissingTrailingFieldsLeaveCellsAsTheyAre) {
  Sheet articles(SheetId::Articles);
  ASSERT_TRUE(Read(articles.grid, "1\tName\t123\t2\tA\t1\t0\t3\r\n1\tRenamed\r\n1\r\n"));
  EXPECT_EQ(DataCells(articles.grid), (Cells{{{1, 1}, "Renamed"},
                                             {{1, 2}, "000000000123"},
                                             {{1, 3}, "2.00"},
                                             {{1, 4}, "A"},
                                             {{1, 5}, "1"},
                                             {{1, 6}, "0"},
                                             {{1, 7}, "3.000"}}));
}

TEST_F(SheetFileRead, CellRulesApplyToWhatIsRead) {
  Sheet articles(SheetId::Articles);
  ASSERT_TRUE(Read(articles.grid, "1\tName\t123\t1,5\tAB\t12\tx\t2,25\r\n"));
  EXPECT_EQ(
      DataCells(articles.grid),
      (Cells{{{1, 1}, "Name"}, {{1, 2}, "000000000123"}, {{1, 3}, "1.50"}, {{1, 7}, "2.250"}}));
}

TEST_F(SheetFileRead, EveryKindOfLineEndReadsTheSame) {
  const std::vector<std::string> lines = {"1\tone\t1", "2\ttwo\t2", "3\tthree\t3"};
  Cells expected;
  for (const char* ending : {"\r\n", "\n", "\r"}) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + ending;
    Sheet articles(SheetId::Articles);
    ASSERT_TRUE(Read(articles.grid, bytes)) << "ending " << testing::PrintToString(ending);
    if (expected.empty()) expected = DataCells(articles.grid);
    EXPECT_EQ(DataCells(articles.grid), expected) << testing::PrintToString(ending);
    EXPECT_FALSE(m_zeroBased) << "no line of the file is blank";
  }
  EXPECT_EQ(expected.size(), 6u);

  Sheet mixed(SheetId::Articles);
  ASSERT_TRUE(Read(mixed.grid, "1\tone\t1\r2\ttwo\t2\n3\tthree\t3"));  // no ending on the last
  EXPECT_EQ(DataCells(mixed.grid), expected);
}

TEST_F(SheetFileRead, AnEmptyFileEmptiesTheSheet) {
  Sheet articles(SheetId::Articles);
  FillRow(articles.grid, 5, {"old", "1"});
  const Cells fixed = FixedCells(articles.grid);
  ASSERT_TRUE(Read(articles.grid, ""));
  EXPECT_TRUE(DataCells(articles.grid).empty());
  EXPECT_EQ(FixedCells(articles.grid), fixed);
  EXPECT_FALSE(m_zeroBased);
  EXPECT_TRUE(m_ui.messages.empty());
  EXPECT_EQ(m_ui.waitCursors, 1);
  EXPECT_EQ(m_ui.waitDepth, 0);
}

// --- Files that cannot be read ---

TEST_F(SheetFileRead, AFileThatCannotBeOpenedLeavesTheSheetAsItWas) {
  Sheet articles(SheetId::Articles);
  FillRow(articles.grid, 5, {"kept", "7"});
  const Cells before = DataCells(articles.grid);

  const std::string missing = m_dir / "missing.txt";
  ASSERT_EQ(::mkfifo((m_dir / "fifo").c_str(), 0600), 0);
  // A file above the size limit, without using the disk for it.
  const std::string huge = m_dir / "huge.txt";
  WriteBytes(huge, "1\tx\r\n");
  ASSERT_EQ(::truncate(huge.c_str(), off_t{65} * 1024 * 1024), 0);

  for (const std::string& path : {missing, m_dir.Path(), m_dir / "fifo", huge}) {
    RecordingUi ui;
    CSheetTextReader reader(articles.grid);
    EXPECT_FALSE(reader.ReadSheetFile(path, ui)) << path;
    ASSERT_EQ(ui.messages.size(), 1u) << path;
    EXPECT_EQ(ui.messages[0].text, "The file \"" + path + "\" cannot be opened for reading!");
    EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
    EXPECT_EQ(ui.waitDepth, 0);
    EXPECT_EQ(DataCells(articles.grid), before) << path;
  }
}

TEST_F(SheetFileRead, AReadErrorIsReportedWithItsLineNumber) {
  // The process's own memory reads as a regular file whose first bytes (address 0) fail with EIO.
  const std::string path = "/proc/self/mem";
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) GTEST_SKIP() << "no " << path;
  Sheet articles(SheetId::Articles);
  FillRow(articles.grid, 5, {"old"});
  RecordingUi ui;
  EXPECT_FALSE(CSheetTextReader(articles.grid).ReadSheetFile(path, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Error reading line: 1 !");
  EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
  EXPECT_TRUE(DataCells(articles.grid).empty()) << "the file was opened, so the sheet was emptied";
  EXPECT_EQ(ui.waitDepth, 0);
}

// --- Sizes and junk ---

TEST_F(SheetFileRead, ALongLineStaysOneRow) {
  Sheet operators(SheetId::Operators);
  const std::string name(100000, 'n');
  ASSERT_TRUE(Read(operators.grid, "1\t" + name + "\r\n2\tnext\r\n"));
  EXPECT_EQ(DataCells(operators.grid), (Cells{{{1, 1}, name}, {{2, 1}, "next"}}));
}

TEST_F(SheetFileRead, ExtraFieldsAreIgnored) {
  Sheet articles(SheetId::Articles);
  std::string line = "3";
  for (int i = 1; i <= 1000; ++i) line += "\t" + std::to_string(i % 10);
  ASSERT_TRUE(Read(articles.grid, line + "\r\n4\tafter\r\n"));
  EXPECT_EQ(DataCells(articles.grid), (Cells{{{3, 1}, "1"},
                                             {{3, 2}, "000000000002"},
                                             {{3, 3}, "3.00"},
                                             {{3, 4}, "4"},
                                             {{3, 5}, "5"},
                                             {{3, 6}, "6"},
                                             {{3, 7}, "7.000"},
                                             {{4, 1}, "after"}}));
}

TEST_F(SheetFileRead, RandomBytesNeverTouchLabelsOrHeaders) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int round = 0; round < 20; ++round) {
    std::string bytes;
    for (int i = 0; i < 20000; ++i) {
      // Mostly noise, with enough TABs, digits and line ends that some lines land in rows.
      const int kind = byte(random) % 8;
      if (kind == 0) {
        bytes += '\t';
      } else if (kind == 1) {
        bytes += static_cast<char>('0' + digit(random));
      } else if (kind == 2) {
        bytes += (i % 2) ? '\n' : '\r';
      } else {
        bytes += static_cast<char>(byte(random));
      }
    }
    for (SheetId id : {SheetId::Articles, SheetId::Departments, SheetId::ArticlesReport}) {
      Sheet sheet(id);
      const Cells fixed = FixedCells(sheet.grid);
      ASSERT_TRUE(Read(sheet.grid, bytes));
      EXPECT_EQ(FixedCells(sheet.grid), fixed);
    }
  }
}

// --- Round trip ---

TEST(SheetFileRoundTrip, EverySheetReadsBackAsItWasSaved) {
  TempDir dir;
  sheets::Workspace saved(nullptr);
  auto& articles = saved.Grid(SheetId::Articles);
  FillRow(articles, 1, {"Hleb \xC1\xE5\xEB\xFB", "123", "1.50", "A", "1", "0", "12.500"});
  FillRow(articles, 2, {"  spaces  ", "", "", "", "", "", "0.000"});
  FillRow(articles, 2400, {"last", "123456789012345", "99999.99", "\xC0", "9", "1", ""});
  saved.Grid(SheetId::Operators).SetItemText(9, 1, "Ivo");
  saved.Grid(SheetId::Departments).SetItemText(1, 1, "Zero");
  saved.Grid(SheetId::Departments).SetItemText(10, 1, "Nine");
  saved.Grid(SheetId::FirmData).SetItemText(6, 1, "Trg 1, Beograd");
  saved.Grid(SheetId::Advertisement).SetItemText(1, 1, "* * * SALE * * *");
  FillRow(saved.Grid(SheetId::ArticlesReport), 17,
          {"x", "1", "2.00", "B", "2", "1", "3.000", "40.00", "20.000"});
  saved.Grid(SheetId::DepartmentReport).SetItemText(1, 2, "100.00");
  saved.Grid(SheetId::DepartmentReport).SetItemText(10, 1, "Nine");

  sheets::Workspace read(nullptr);
  for (const SheetInfo& info : GridSheets()) {
    // Something already in the sheet read into must go.
    read.Grid(info.id).SetItemText(3, 1, "stale");
    const std::string path = dir / (std::string(info.cliName) + ".txt");
    RecordingUi ui;
    ASSERT_TRUE(CSheetTextWriter(saved.Grid(info.id)).WriteSheetFile(path, ui)) << info.cliName;
    ASSERT_TRUE(CSheetTextReader(read.Grid(info.id)).ReadSheetFile(path, ui)) << info.cliName;
    EXPECT_TRUE(ui.messages.empty());
    const auto& a = saved.Grid(info.id);
    const auto& b = read.Grid(info.id);
    for (int r = 0; r < a.GetRowCount(); ++r) {
      for (int c = 0; c < a.GetColumnCount(); ++c) {
        ASSERT_EQ(a.GetItemText(r, c), b.GetItemText(r, c)) << info.cliName << " " << r << "," << c;
      }
    }
    EXPECT_EQ(ReadBytes(path), SheetText(b));
  }
}

// --- Saving ---

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

TEST_F(SheetFileWrite, ASaveReplacesTheFileAndKeepsItsPermissions) {
  const std::string path = m_dir / "art.txt";
  WriteBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  RecordingUi ui;
  ASSERT_TRUE(CSheetTextWriter(m_articles.grid).WriteSheetFile(path, ui));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ReadBytes(path), SheetText(m_articles.grid));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(FolderEntries(m_dir.Path()), std::vector<std::string>{"art.txt"});
}

TEST_F(SheetFileWrite, AnEmptySheetSavesAsAnEmptyFile) {
  const std::string path = m_dir / "empty.txt";
  Sheet empty(SheetId::Operators);
  RecordingUi ui;
  ASSERT_TRUE(CSheetTextWriter(empty.grid).WriteSheetFile(path, ui));
  EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(SheetFileWrite, SavingThroughALinkReplacesWhatItPointsTo) {
  const std::string target = m_dir / "target.txt";
  const std::string link = m_dir / "link.txt";
  WriteBytes(target, "old");
  ASSERT_EQ(::symlink("target.txt", link.c_str()), 0);
  RecordingUi ui;
  ASSERT_TRUE(CSheetTextWriter(m_articles.grid).WriteSheetFile(link, ui));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), SheetText(m_articles.grid));
}

TEST_F(SheetFileWrite, AFolderThatDoesNotExistGetsNothing) {
  const std::string path = m_dir / "no-such-folder/art.txt";
  RecordingUi ui;
  EXPECT_FALSE(CSheetTextWriter(m_articles.grid).WriteSheetFile(path, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Cannot create file \"" + path + "\" !");
  EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
  EXPECT_TRUE(FolderEntries(m_dir.Path()).empty());
}

TEST_F(SheetFileWrite, AFolderInTheWayIsAWriteErrorAndLeavesNoTemporaryFile) {
  const std::string path = m_dir / "folder";
  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  RecordingUi ui;
  EXPECT_FALSE(CSheetTextWriter(m_articles.grid).WriteSheetFile(path, ui));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Error writing to file \"" + path + "\" !"});
  EXPECT_EQ(FolderEntries(m_dir.Path()), std::vector<std::string>{"folder"});
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
    if (CSheetTextWriter(m_articles.grid).WriteSheetFile(path, ui)) ::_exit(11);
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
