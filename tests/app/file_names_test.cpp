// SPDX-License-Identifier: MIT
// Files by their UTF-8 names, on every platform: saved over an old file, read back byte for byte,
// whatever the characters of the name; and the folder part of a path.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/file_io.h"
#include "app/file_replace.h"
#include "app/utf8_path.h"
#include "support/temp_dir.h"

namespace nuvrel::app {
namespace {

TEST(FileNames, AnyNameIsSavedOverAndReadBackByteForByte) {
  test::TempDir dir;
  // Line ends of both kinds and a byte above 127 (a Windows-1251 letter) stay as they are.
  const std::string first = "1\tMleko\r\n2\tHleb\n";
  const std::string second = "1\t\xC0\xE1\xE2\r\n";
  for (const std::string name : {"articles.txt", "Čačak-artikli.txt", "Артикли Ниш.txt"}) {
    const std::filesystem::path path = Utf8Path(dir.Path()) / Utf8Path(name);
    ASSERT_EQ(ReplaceFile(path, first), ReplaceStatus::Replaced) << name;
    ASSERT_EQ(ReplaceFile(path, second), ReplaceStatus::Replaced) << name;
    const FileContents read = ReadWholeFile(path, 1024);
    EXPECT_EQ(read.status, ReadStatus::Read) << name;
    EXPECT_EQ(read.bytes, second) << name;
    EXPECT_EQ(PathText(path.filename()), name);
    EXPECT_EQ(ReadWholeFile(Utf8Path(dir.Path()) / Utf8Path("x" + name), 1024).status,
              ReadStatus::Missing);
  }
  // Nothing but the three files: no temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Utf8Path(dir.Path())),
                          std::filesystem::directory_iterator()),
            3);
}

TEST(FileNames, TheFolderOfAPath) {
  struct Case {
    const char* path;
    const char* folder;
  };
  const Case cases[] = {
      {"a.txt", "."},
      {"/a.txt", "/"},
      {"/x/y/a.txt", "/x/y"},
      {"x/a.txt", "x"},
#ifdef _WIN32
      {"C:\\a.txt", "C:\\"},
      {"C:\\x\\a.txt", "C:\\x"},
      {"C:/x\\y/a.txt", "C:/x\\y"},
      {"\\\\server\\share\\a.txt", "\\\\server\\share"},
#else
      {"x\\a.txt", "."},
#endif
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
  }
}

}  // namespace
}  // namespace nuvrel::app
