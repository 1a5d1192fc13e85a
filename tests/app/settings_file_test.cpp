// SPDX-License-Identifier: MIT
// SettingsFile: where the file lives, reading with defaults, and writes that keep the rest of the
// file and never leave a broken one behind.
#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace nuvrel::app {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::ScopedEnv;
using test::TempDir;
using test::WriteBytes;

TEST(SettingsFilePath, TheExtensionIsCutOnlyFromTheFileName) {
  for (auto [program, ini] : {std::pair{"/opt/x/prog.bin", "/opt/x/prog.ini"},
                              {"/opt/my.dir/prog", "/opt/my.dir/prog.ini"},
                              {"C:\\Tools\\Prog.exe", "C:\\Tools\\Prog.ini"},
                              {"C:\\My.Tools\\Prog", "C:\\My.Tools\\Prog.ini"},
                              {"/opt/x/prog.tar.gz", "/opt/x/prog.tar.ini"},
                              {"prog.exe", "prog.ini"},
                              {"prog", "prog.ini"}}) {
    EXPECT_EQ(SettingsFile::PathForExecutable(program), ini);
  }
}

TEST(SettingsFilePath, AFileBesideTheProgramWinsOverTheConfigFolder) {
  TempDir dir;
  struct Case {
    const char* xdg;
    const char* home;
    std::string expected;
  };
  const Case cases[] = {
      {"/xdg/config", "/home/shop", "/xdg/config/Nuvrel/nuvrel.ini"},
      {"/xdg/config/", "/home/shop", "/xdg/config/Nuvrel/nuvrel.ini"},
      {"", "/home/shop", "/home/shop/.config/Nuvrel/nuvrel.ini"},
      {nullptr, "/home/shop", "/home/shop/.config/Nuvrel/nuvrel.ini"},
      // Relative values are ignored.
      {"relative/config", "/home/shop", "/home/shop/.config/Nuvrel/nuvrel.ini"},
      {nullptr, nullptr, dir / "nuvrel.ini"},
  };
  for (const Case& c : cases) {
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(SettingsFile::DefaultPathIn(dir.Path(), "nuvrel"), c.expected)
        << (c.xdg ? c.xdg : "(unset)");
  }
  // A file beside the program wins.
  WriteBytes(dir / "nuvrel.ini", "");
  EXPECT_EQ(SettingsFile::DefaultPathIn(dir.Path() + "/", "nuvrel"), dir / "nuvrel.ini");
}

TEST(SettingsFileWrite, AFreshHomeGetsItsConfigFolderAndTheProgramsFolderInIt) {
  TempDir home;
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  ScopedEnv homeVariable("HOME", home.Path().c_str());
  SettingsFile settings(SettingsFile::DefaultPathIn(home / "bin", "nuvrel"));
  ASSERT_TRUE(settings.WriteInt("ECR", "EcrCom", 2));
  EXPECT_EQ(ReadBytes(home / ".config/Nuvrel/nuvrel.ini"), "[ECR]\r\nEcrCom=2\r\n");
  struct stat st {};
  ASSERT_EQ(::stat((home / ".config").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(SettingsFileRead, IntegersReadTheLeadingDecimalNumber) {
  TempDir dir;
  const SettingsFile settings(dir / "s.ini");
  // Past 32 bits reads as if missing.
  for (auto [value, number] : {std::pair{"2", 2},
                               {"abc", 0},
                               {"12abc", 12},
                               {"", 0},
                               {"+7", 7},
                               {"-1", -1},
                               {"-", 0},
                               {"\" 42\"", 42},
                               {"0x1F", 0},
                               {"4294967301", 9}}) {
    WriteBytes(dir / "s.ini", std::string("[n]\nk=").append(value).append("\n"));
    EXPECT_EQ(static_cast<int>(settings.GetInt("n", "k", 9)), number) << value;
  }
}

TEST(SettingsFileRead, FilesAboveOneMebibyteAreNotRead) {
  TempDir dir;
  const std::string head = "[s]\r\nk=v\r\n;";
  const std::string atLimit =
      head + std::string(SettingsFile::kMaxFileSize - head.size() - 2, 'x') + "\r\n";
  ASSERT_EQ(atLimit.size(), SettingsFile::kMaxFileSize);
  WriteBytes(dir / "limit.ini", atLimit);
  EXPECT_EQ(SettingsFile(dir / "limit.ini").GetString("s", "k", "d"), "v");

  WriteBytes(dir / "over.ini", atLimit + "x");
  EXPECT_EQ(SettingsFile(dir / "over.ini").GetString("s", "k", "d"), "d");
  EXPECT_EQ(SettingsFile(dir / "over.ini").GetInt("s", "k", 3), 3u);
}

TEST(SettingsFileWrite, OneKeyChangesAndEverythingElseStays) {
  TempDir dir;
  // Read with LF line ends, written with CR LF (where keys go: ini_document_test.cpp).
  WriteBytes(dir / "s.ini", "; Nuvrel settings\n[ECR]\nEcrCom=0\nSpeed=9600\n");
  SettingsFile settings(dir / "s.ini");
  EXPECT_EQ(settings.GetString("ECR", "Speed", ""), "9600");
  ASSERT_TRUE(settings.WriteInt("ECR", "EcrCom", 3));
  ASSERT_TRUE(settings.WriteString("logoman", "image", "/srv/logo.bmp"));
  EXPECT_EQ(ReadBytes(dir / "s.ini"),
            "; Nuvrel settings\r\n[ECR]\r\nEcrCom=3\r\nSpeed=9600\r\n\r\n[logoman]\r\n"
            "image=/srv/logo.bmp\r\n");
  // No temporary file is left behind.
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"s.ini"});
}

TEST(SettingsFileWrite, NamesAndValuesThatWouldBreakTheFileAreRefused) {
  TempDir dir;
  const std::string original = "[s]\r\nk=v\r\n";
  WriteBytes(dir / "s.ini", original);
  SettingsFile settings(dir / "s.ini");
  const std::array<const char*, 3> refused[] = {
      {"s", "k", "two\r\nlines"}, {"s", "k", "lf\nonly"}, {"s", "k", "cr\ronly"}, {"s", "k\n", "v"},
      {"s\r", "k", "v"},          {"s]x", "k", "v"},      {"s", "a=b", "v"},      {"s", "  ", "v"},
      {"s", "[t]", "v"},          {"s", ";k", "v"}};
  for (const auto& [section, key, value] : refused) {
    EXPECT_FALSE(settings.WriteString(section, key, value))
        << section << "/" << key << "=" << value;
  }
  EXPECT_EQ(ReadBytes(dir / "s.ini"), original);

  SettingsFile fresh(dir / "fresh.ini");
  EXPECT_FALSE(fresh.WriteString("s", "k", "a\nb"));
  EXPECT_FALSE(std::filesystem::exists(dir / "fresh.ini"));
}

TEST(SettingsFileWrite, WhatCannotBeRewrittenIsLeftAsItWas) {
  // A path through a file, a folder in the file's place, and a file above the size limit.
  const std::string huge = "[s]\r\nk=v\r\n" + std::string(SettingsFile::kMaxFileSize, ';') + "\r\n";
  for (const char* path : {"plain/s.ini", "folder", "huge.ini"}) {
    TempDir dir;
    WriteBytes(dir / "plain", "not a folder");
    ASSERT_EQ(::mkdir((dir / "folder").c_str(), 0755), 0);
    WriteBytes(dir / "huge.ini", huge);
    EXPECT_FALSE(SettingsFile(dir / path).WriteString("s", "k", "new")) << path;
    EXPECT_EQ(ReadBytes(dir / "plain"), "not a folder");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
    EXPECT_EQ(ReadBytes(dir / "huge.ini"), huge);
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"folder", "huge.ini", "plain"}))
        << path;
  }
}

}  // namespace
}  // namespace nuvrel::app
