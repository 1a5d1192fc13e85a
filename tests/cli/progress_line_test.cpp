// SPDX-License-Identifier: MIT
#include "cli/progress_line.h"

#include <gtest/gtest.h>

namespace nuvrel::cli {
namespace {

using std::chrono::milliseconds;

TEST(ProgressLine, ShowsWhatIsKnownAndFitsTheTerminal) {
  struct Case {
    app::Progress progress;
    milliseconds elapsed;
    std::size_t width;
    std::string line;
  };
  const Case cases[] = {
      {{"Send", 0, 4}, milliseconds(0), 80, "Send [--------------------] 0/4"},
      {{"Send", 1, 4}, milliseconds(2000), 80, "Send [#####---------------] 1/4 0.5/s 0:06 left"},
      {{"Read", 12, 0}, milliseconds(1000), 80, "Read 12 12.0/s"},
      {{"Send", 4, 4}, milliseconds(0), 80, "Send [####################] 4/4"},
      // A narrow terminal cuts the line, never inside a character.
      {{"\xC5\xA0\xC5\xA0", 0, 0}, milliseconds(0), 3, "\xC5\xA0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgressLine(c.progress, c.elapsed, c.width), c.line) << c.progress.what;
  }
}

}  // namespace
}  // namespace nuvrel::cli
