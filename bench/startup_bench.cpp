// SPDX-License-Identifier: MIT
// Start-up to the first paint: nuvrel (with its splash screen, and without) against an empty Qt
// main window, each run several times in turn, every run a fresh process that ends on its first
// paint. Reports the medians; fails when nuvrel takes more than 1.5 times the empty window.
//
//   bench_startup [RUNS]      on Qt's offscreen platform, or on the platform QT_QPA_PLATFORM names
//                             (QT_QPA_PLATFORM=xcb DISPLAY=:8 for an X server such as Xvfb)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/child_process.h"

namespace {

constexpr double kTargetRatio = 1.5;

struct Program {
  const char* label;
  std::vector<std::string> argv;
  std::vector<double> millis;
  std::vector<double> cpuMillis;
};

struct Run {
  double millis = -1;     // wall time; negative when the program failed
  double cpuMillis = -1;  // user and system time, which other load on the machine hardly changes
};

// Runs the program to its end.
Run TimeRun(const std::vector<std::string>& args) {
  const auto start = std::chrono::steady_clock::now();
  // Qt's notes on stderr would bury the results.
  nuvrel::app::ChildProcess child(args.front(), {args.begin() + 1, args.end()},
                                  {false, {}, nuvrel::app::ChildOutput::Discard(), 0});
  const auto exit = child.WaitFor(std::chrono::minutes(1));
  if (!exit || exit->status != 0) return {};
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  return {took.count(), std::chrono::duration<double, std::milli>(exit->cpu).count()};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Settings, recent files and anything else nuvrel keeps go to a scratch folder.
  std::string scratch = (std::filesystem::temp_directory_path() / "nuvrel-startup-XXXXXX").string();
  if (!mkdtemp(scratch.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
  setenv("XDG_DATA_HOME", scratch.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", scratch.c_str(), 1);
  const std::string settings = "--settings=" + scratch + "/nuvrel.ini";

  std::vector<Program> programs = {
      {"empty Qt main window", {NUVREL_TRIVIAL_WINDOW_PATH}, {}, {}},
      {"nuvrel", {NUVREL_GUI_PATH, "--exit-on-first-paint", settings}, {}, {}},
      {"nuvrel --no-splash",
       {NUVREL_GUI_PATH, "--exit-on-first-paint", "--no-splash", settings},
       {},
       {}},
  };
  // One run of each first, unmeasured: the first start of a program also loads it from disk.
  for (const Program& p : programs) TimeRun(p.argv);
  for (int i = 0; i < runs; ++i) {
    for (Program& p : programs) {
      const Run run = TimeRun(p.argv);
      if (run.millis < 0) {
        std::fprintf(stderr, "%s failed\n", p.label);
        std::filesystem::remove_all(scratch);
        return 1;
      }
      p.millis.push_back(run.millis);
      p.cpuMillis.push_back(run.cpuMillis);
    }
  }
  std::filesystem::remove_all(scratch);

  const double yardstick = Median(programs[0].millis);
  const double cpuYardstick = Median(programs[0].cpuMillis);
  std::printf("start-up to first paint, median of %d runs (QT_QPA_PLATFORM=%s)\n", runs,
              std::getenv("QT_QPA_PLATFORM"));
  std::printf("  %-22s %11s %6s %11s %6s\n", "", "wall", "", "cpu", "");
  bool ok = true;
  for (const Program& p : programs) {
    const double median = Median(p.millis);
    const double cpu = Median(p.cpuMillis);
    const double ratio = median / yardstick;
    std::printf("  %-22s %8.1f ms %5.2fx %8.1f ms %5.2fx\n", p.label, median, ratio, cpu,
                cpu / cpuYardstick);
    if (&p != &programs[0] && ratio > kTargetRatio) ok = false;
  }
  std::printf("target: nuvrel at most %.1fx the empty window: %s\n", kTargetRatio,
              ok ? "met" : "MISSED");
  return ok ? 0 : 1;
}
