// SPDX-License-Identifier: MIT
// Finding a shipped file beside the program (a build folder) or in the installed data folder.
#include "app/program_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/utf8_path.h"
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
    // Compared as paths: Windows joins with either separator.
    EXPECT_EQ(std::filesystem::path(ShippedFile(bin, "EcrLogo/OrloLogo.bmp")).lexically_normal(),
              std::filesystem::path(expected).lexically_normal())
        << "beside " << c.beside << ", installed " << c.installed;
  }
}

TEST(ProgramPath, IsTheRunningTestProgram) {
  const std::filesystem::path program = Utf8Path(ProgramPath());
  EXPECT_TRUE(std::filesystem::is_regular_file(program));
  EXPECT_EQ(program.stem(), "test_app");
  EXPECT_EQ(ProgramFolder(), PathText(program.parent_path()));
}

}  // namespace
}  // namespace nuvrel::app
