// SPDX-License-Identifier: MIT
#include "cli/progress_line.h"

#include <cstdio>

namespace nuvrel::cli {
namespace {

constexpr std::size_t kBarWidth = 20;

std::string Minutes(long long seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
  return text;
}

}  // namespace

std::string ProgressLine(const app::Progress& progress, std::chrono::milliseconds elapsed,
                         std::size_t width) {
  std::string line(progress.what);
  const bool known = progress.total > 0;
  if (known) {
    const std::size_t filled =
        std::min<std::size_t>(kBarWidth, kBarWidth * progress.done / progress.total);
    line += " [" + std::string(filled, '#') + std::string(kBarWidth - filled, '-') + "]";
  }
  line += " " + std::to_string(progress.done);
  if (known) line += "/" + std::to_string(progress.total);

  const double seconds = static_cast<double>(elapsed.count()) / 1000.0;
  if (progress.done > 0 && seconds > 0.0) {
    const double rate = progress.done / seconds;
    char text[32];
    std::snprintf(text, sizeof text, " %.1f/s", rate);
    line += text;
    if (known && progress.done <= progress.total) {
      const auto left = static_cast<long long>((progress.total - progress.done) / rate + 0.5);
      line += " " + Minutes(left) + " left";
    }
  }
  if (line.size() > width) {
    // Cut between characters, not inside one.
    std::size_t cut = width;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    line.resize(cut);
  }
  return line;
}

}  // namespace nuvrel::cli
