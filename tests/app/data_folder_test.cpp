// SPDX-License-Identifier: MIT
// Where the gathered data goes: the platform's folder for it, never one a relative value names.
#include "app/data_folder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace nuvrel::app {
namespace {

TEST(DataFolder, IsThePlatformsFolderForData) {
#ifdef _WIN32
  {
    const test::ScopedEnv appData("APPDATA", "C:\\Users\\ana\\AppData\\Roaming");
    EXPECT_EQ(DataFolder(), std::filesystem::path(L"C:\\Users\\ana\\AppData\\Roaming\\Nuvrel"));
  }
  const test::ScopedEnv relative("APPDATA", "Roaming");
  EXPECT_FALSE(DataFolder());
#else
  const test::ScopedEnv home("HOME", "/home/ana");
  {
    const test::ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(DataFolder(), std::filesystem::path("/data/Nuvrel"));
  }
  const test::ScopedEnv relative("XDG_DATA_HOME", "data");
  EXPECT_EQ(DataFolder(), std::filesystem::path("/home/ana/.local/share/Nuvrel"));
#endif
}

}  // namespace
}  // namespace nuvrel::app
