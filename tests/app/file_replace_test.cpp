// SPDX-License-Identifier: MIT
// Saving onto what is not a plain file of the person's own: devices, FIFOs, other people's files,
// hard links, read-only files (as root too), and two files saved as one.
#include "app/file_replace.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace nuvrel::app {
namespace {

using test::ReadBytes;
using test::WriteBytes;

struct stat Stat(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info;
}

TEST(FileReplace, ADeviceOrAFifoIsWrittenInPlaceAndNeverReplaced) {
  test::TempDir dir;
  // A terminal stands for every character device: its far end shows what was written.
  const UniqueFd master(::posix_openpt(O_RDWR | O_NOCTTY));
  ASSERT_TRUE(master.Valid());
  ASSERT_EQ(::grantpt(master.Get()), 0);
  ASSERT_EQ(::unlockpt(master.Get()), 0);
  const std::string terminal = ::ptsname(master.Get());
  const UniqueFd slave(::open(terminal.c_str(), O_RDWR | O_NOCTTY));  // keeps the line up
  ASSERT_EQ(ReplaceFile(terminal, "to the device"), ReplaceStatus::Replaced);
  EXPECT_TRUE(S_ISCHR(Stat(terminal).st_mode));
  char got[64] = {};
  pollfd ready{master.Get(), POLLIN, 0};
  ASSERT_EQ(::poll(&ready, 1, 2000), 1);
  EXPECT_EQ(std::string(got, static_cast<std::size_t>(::read(master.Get(), got, sizeof got))),
            "to the device");

  const std::string fifo = dir / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Nobody reads it: a failure at once, not a hang.
  EXPECT_EQ(ReplaceFile(fifo, "lost"), ReplaceStatus::CannotCreate);
  auto reader = std::async(std::launch::async, [&] { return ReadBytes(fifo); });
  // The reader opens the FIFO at some point; the writer tries until then.
  ReplaceStatus status = ReplaceStatus::CannotCreate;
  for (int i = 0; i < 200 && status != ReplaceStatus::Replaced; ++i) {
    status = ReplaceFile(fifo, "to the fifo");
    if (status != ReplaceStatus::Replaced) ::usleep(10000);
  }
  EXPECT_EQ(status, ReplaceStatus::Replaced);
  EXPECT_EQ(reader.get(), "to the fifo");
  EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));
}

TEST(FileReplace, AReplacedFileKeepsItsModeOwnerEveryNameAndLinks) {
  test::TempDir dir;
  const std::string path = dir / "sheet.txt";
  WriteBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  // Root saves a file of another person's: it stays theirs.
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 4321, 4321), 0);
  }
  ASSERT_EQ(ReplaceFile(path, "new"), ReplaceStatus::Replaced);
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(Stat(path).st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(Stat(path).st_uid, 4321u);
    EXPECT_EQ(Stat(path).st_gid, 4321u);
  }

  const std::string other = dir / "other-name.txt";
  ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
  ASSERT_EQ(ReplaceFile(path, "seen by both"), ReplaceStatus::Replaced);
  EXPECT_EQ(ReadBytes(other), "seen by both");
  EXPECT_EQ(Stat(path).st_ino, Stat(other).st_ino);
  // A symbolic link stays and its target changes.
  ASSERT_EQ(::symlink("sheet.txt", (dir / "link.txt").c_str()), 0);
  ASSERT_EQ(ReplaceFile(dir / "link.txt", "through the link"), ReplaceStatus::Replaced);
  EXPECT_TRUE(S_ISLNK(Stat(dir / "link.txt").st_mode));
  EXPECT_EQ(ReadBytes(path), "through the link");
  EXPECT_EQ(test::FolderEntries(dir.Path()),
            (std::vector<std::string>{"link.txt", "other-name.txt", "sheet.txt"}));
}

TEST(FileReplace, AReadOnlyFileIsRefusedAlsoForRoot) {
  test::TempDir dir;
  const std::string path = dir / "locked.txt";
  WriteBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(ReplaceFile(path, "new"), ReplaceStatus::CannotCreate);
  EXPECT_EQ(ReadBytes(path), "old");
}

TEST(FileReplace, TwoFilesAreSavedBothOrNeither) {
  test::TempDir dir;
  const std::string first = dir / "report.txt";
  WriteBytes(first, "old report");
  test::RecordingUi ui;
  const std::string nowhere = dir / "no-such-folder/departments.txt";
  EXPECT_FALSE(SaveFiles(ui, {{first, "new report"}, {nowhere, "departments"}}));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Cannot create file \"" + nowhere + "\" !"});
  EXPECT_EQ(ReadBytes(first), "old report");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);

  const std::string second = dir / "departments.txt";
  EXPECT_TRUE(SaveFiles(ui, {{first, "new report"}, {second, "departments"}}));
  EXPECT_EQ(ReadBytes(first), "new report");
  EXPECT_EQ(ReadBytes(second), "departments");
}

}  // namespace
}  // namespace nuvrel::app
