// SPDX-License-Identifier: MIT
// nuvrel-cli's command line through the real program: --help, --version, an option's value after
// '=' or as the next argument, and the usage error (exit 2) for what it does not know (the
// splitting itself: app/command_line_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/version.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace nuvrel::cli {
namespace {

TEST(CliCommandLine, HelpVersionBothOptionSpellingsAndUsageErrors) {
  test::TempDir dir;
  const std::string sheet = dir / "in.txt";
  test::WriteBytes(sheet, "1\tMilk\n");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // expected at the start of stdout
    std::string err;  // expected somewhere in stderr
  };
  const std::string version = std::string("nuvrel-cli ").append(NUVREL_VERSION).append("\n");
  const Case cases[] = {
      {{"--help"}, 0, "usage: nuvrel-cli", ""},
      {{"check", "articles", sheet, "-h"}, 0, "usage: nuvrel-cli", ""},
      {{"--version"}, 0, version, ""},
      {{}, 2, "", "nuvrel-cli: no command given\nusage: nuvrel-cli"},
      {{"frobnicate"}, 2, "", "nuvrel-cli: unknown command 'frobnicate'\nusage: nuvrel-cli"},
      {{"--trace", dir / "t1.log", "check", "articles", sheet}, 0, "1\tMilk", ""},
      {{"check", "--trace=" + dir / "t2.log", "articles", sheet}, 0, "1\tMilk", ""},
      {{"check", "articles", sheet, "-o", dir / "out.txt"}, 0, "", ""},
      {{"send", "articles", sheet, "--from-row=0"}, 2, "", "--from-row needs a row number"},
      {{"--com=x", "identify"}, 2, "", "--com takes a port number such as 1 or COM1, not 'x'"},
      {{"--bogus", "identify"}, 2, "", "nuvrel-cli: unknown option '--bogus'\nusage: nuvrel-cli"},
      {{"identify", "now"}, 2, "", "identify takes no arguments"},
      {{"check", "tables", sheet}, 2, "", "unknown sheet 'tables'"},
      {{"check", "articles"}, 2, "", ""},
      {{"check"}, 2, "", ""},
      {{"check", "articles", sheet, sheet}, 2, "", ""},
  };
  for (const Case& c : cases) {
    const nuvrel::test::RunResult r = nuvrel::test::RunProgram(NUVREL_CLI_PATH, c.args);
    const std::string args = testing::PrintToString(c.args);
    EXPECT_EQ(r.status, c.status) << args << "\n" << r.err;
    EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << args;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << args << "\n" << r.err;
    if (c.status == 2) {
      EXPECT_EQ(r.out, "") << args;
      EXPECT_NE(r.err.find("usage: nuvrel-cli"), std::string::npos) << args;
    }
  }
  // The trace file was named both ways.
  EXPECT_TRUE(std::filesystem::exists(dir / "t1.log"));
  EXPECT_TRUE(std::filesystem::exists(dir / "t2.log"));
  EXPECT_TRUE(std::filesystem::exists(dir / "out.txt"));
}

}  // namespace
}  // namespace nuvrel::cli
