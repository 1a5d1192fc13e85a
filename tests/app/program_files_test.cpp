// SPDX-License-Identifier: MIT
// Finding a shipped file beside the program (a build folder) or in the installed data folder.
#include "app/program_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace nuvrel::app {
namespace {

TEST(ShippedFile, BesideTheProgramFirstThenTheInstalledDataFolder) {
  struct Case {
    bool beside;
    bool installed;
    bool expectInstalled;
  };
  const Case cases[] = {
      {true, false, false}, {false, true, true}, {true, true, false}, {false, false, false}};
  for (const Case& c : cases) {
    test::TempDir root;
    const std::string bin = root / "bin";
    std::filesystem::create_directories(bin + "/EcrLogo");
    std::filesystem::create_directories(root / "share/nuvrel/EcrLogo");
    if (c.beside) test::WriteBytes(bin + "/EcrLogo/OrloLogo.bmp", "BM");
    if (c.installed) test::WriteBytes(root / "share/nuvrel/EcrLogo/OrloLogo.bmp", "BM");
    const std::string expected = c.expectInstalled ? root / "share/nuvrel/EcrLogo/OrloLogo.bmp"
                                                   : bin + "/EcrLogo/OrloLogo.bmp";
    EXPECT_EQ(ShippedFile(bin, "EcrLogo/OrloLogo.bmp"), expected)
        << "beside " << c.beside << ", installed " << c.installed;
  }
}

TEST(ProgramPath, IsTheRunningTestProgram) {
  EXPECT_TRUE(std::filesystem::equivalent(ProgramPath(), "/proc/self/exe"));
  EXPECT_EQ(ProgramFolder(), std::filesystem::path(ProgramPath()).parent_path().string());
}

}  // namespace
}  // namespace nuvrel::app
