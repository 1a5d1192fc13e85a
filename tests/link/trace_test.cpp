// SPDX-License-Identifier: MIT
#include "link/trace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace nuvrel::link {
namespace {

TEST(TraceLog, IsNeverWrittenThroughALinkNorIntoAReadOnlyFile) {
  test::TempDir dir;
  const std::string victim = dir / "victim.txt";
  test::WriteBytes(victim, "keep");
  const std::string link = dir / "trace.txt";
  ASSERT_EQ(::symlink(victim.c_str(), link.c_str()), 0);
  const TraceLog throughLink(link);
  EXPECT_FALSE(throughLink.Ok());
  EXPECT_FALSE(throughLink.Error().empty());

  ASSERT_EQ(::chmod(victim.c_str(), 0444), 0);
  const TraceLog readOnly(victim);
  EXPECT_FALSE(readOnly.Ok());
  EXPECT_EQ(test::ReadBytes(victim), "keep");

  TraceLog fresh(dir / "new.txt");
  ASSERT_TRUE(fresh.Ok());
  const std::uint8_t bytes[] = {0xAA, 0x0A};
  fresh.Sent(bytes);
  EXPECT_NE(test::ReadBytes(dir / "new.txt")->find(" TX AA 0A\n"), std::string::npos);
}

}  // namespace
}  // namespace nuvrel::link
