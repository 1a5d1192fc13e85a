// SPDX-License-Identifier: MIT
// How much processor time an articles report costs the program that reads it: once in nuvrel-cli
// (the real program, run as a child; its own time as its parent sees it) and once in the window
// (the desktop program's session in this process, on Qt's offscreen platform unless QT_QPA_PLATFORM
// says otherwise; getrusage of this process, children excluded). The register is the real ecrsim
// with a state folder holding the articles.
//
//   bench_report_cpu [--articles N] [--baud N] [--ecrsim PATH] [--cli PATH]
//
// N articles (1..2400, default 2400); the register answers as fast as it can unless --baud paces
// its line (9600 is a real register's: some four minutes for 2400 lines). ecrsim and nuvrel-cli are
// looked for beside the build's programs (../ from this program's folder) unless named. The
// default run fails when the CLI spends more than 0.3 s or the window more than 1 s.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QSettings>
#include <QStatusBar>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/child_process.h"
#include "gui/dialogs.h"
#include "gui/session.h"
#include "gui/text_codec.h"
#include "sheets/layouts.h"
#include "sim/register_tables.h"
#include "sim/state_text.h"
#include "simulator_process.h"
#include "transfers/articles_report.h"

namespace {

using namespace nuvrel;
using SteadyClock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
namespace fs = std::filesystem;

constexpr Seconds kCliTarget{0.3};
constexpr Seconds kWindowTarget{1.0};
// Even a paced line reads the longest report in some four minutes.
constexpr auto kCliTimeout = std::chrono::minutes(30);

double ToSeconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

Seconds CpuTime(const rusage& usage) {
  return Seconds(ToSeconds(usage.ru_utime) + ToSeconds(usage.ru_stime));
}

Seconds OwnCpuTime() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return CpuTime(usage);
}

// The register's state folder with articles 1..count, every field filled.
bool WriteRegisterState(const fs::path& folder, int count) {
  sim::RegisterTables tables;
  for (int n = 1; n <= count; ++n) {
    sim::Article article;
    article.number = static_cast<std::uint16_t>(n);
    article.name = "ARTICLE " + std::to_string(n);
    article.name.resize(sim::kArticleNameSize, ' ');
    const std::string digits = std::to_string(n);
    article.barcode = std::string(sim::kBarcodeSize - digits.size(), '0') + digits;
    article.taxDigit = static_cast<std::uint8_t>(n % 9 + 1);
    article.department = static_cast<std::uint8_t>(n % 10);
    article.unit = static_cast<std::uint8_t>(n % 2);
    article.priceHundredths = static_cast<std::uint32_t>(n * 129);
    article.stockThousandths = static_cast<std::uint32_t>(n * 500);
    tables.articles[article.number] = article;
  }
  std::error_code error;
  fs::create_directories(folder, error);
  std::ofstream file(folder / std::string(sim::TableFileName(sim::TableKind::Articles)),
                     std::ios::binary);
  file << sim::TableText(tables, sim::TableKind::Articles);
  return static_cast<bool>(file.flush());
}

struct Run {
  bool ok = false;
  Seconds cpu{};
  Seconds wall{};
  std::string closing;  // the last status
};

std::string LastLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  const std::size_t newline = text.rfind('\n');
  return newline == std::string::npos ? text : text.substr(newline + 1);
}

std::string Closing(int articles) {
  return "Successfully read " + std::to_string(articles) + (articles == 1 ? " item" : " items");
}

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// nuvrel-cli report articles, its stdout and stderr into files.
Run RunCli(const std::string& cliPath, const std::string& device, const fs::path& folder,
           int articles) {
  const std::vector<std::string> args{
      "--port", device,     "--settings",      folder / "nuvrel.ini",
      "report", "articles", folder / "cli.txt"};
  const std::string outPath = folder / "cli-out.txt";
  const std::string errPath = folder / "cli-err.txt";
  const auto start = SteadyClock::now();
  app::ChildProcess cli(
      cliPath, args, {false, app::ChildOutput::File(outPath), app::ChildOutput::File(errPath), 0});
  Run run;
  if (!cli.Started()) return run;
  const std::optional<app::ChildExit> exit = cli.WaitFor(kCliTimeout);
  if (!exit) return run;
  run.wall = SteadyClock::now() - start;
  run.cpu = std::chrono::duration_cast<Seconds>(exit->cpu);
  run.closing = LastLine(ReadText(outPath));
  run.ok = exit->status == 0 && run.closing == Closing(articles);
  if (!run.ok) std::fprintf(stderr, "nuvrel-cli: %s", ReadText(errPath).c_str());
  return run;
}

// The window program's Articles report command, from the menu to the painted result.
Run RunWindow(const std::string& device, const fs::path& folder, int articles) {
  // Recent files and bar state go to the run's own folder; the settings file names the port.
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                     QString::fromStdString(folder / "qt"));
  const fs::path settings = folder / "nuvrel-window.ini";
  std::ofstream(settings) << "[Ports]\nCOM1=" << device << "\n";

  gui::QtDialogs dialogs;
  gui::StartOptions options;
  options.noSplash = true;
  options.settingsPath = QString::fromStdString(settings);
  gui::Session session(options, dialogs);
  session.Ui().messageHook = [](const QString& text, app::Icon) {
    std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
  };
  gui::MainWindow& window = session.Window();
  window.resize(1000, 680);
  window.show();
  QApplication::processEvents();

  Run run;
  const Seconds cpuBefore = OwnCpuTime();
  const auto start = SteadyClock::now();
  window.Action(gui::Cmd::ArticlesReport)->trigger();
  QApplication::processEvents();  // the painting that follows the report
  run.wall = SteadyClock::now() - start;
  run.cpu = OwnCpuTime() - cpuBefore;
  run.closing = window.statusBar()->currentMessage().toStdString();
  const grid::CellTable& grid = window.View().Sheets().Grid(sheets::SheetId::ArticlesReport);
  run.ok = run.closing == Closing(articles) &&
           !grid.GetItemText(articles, sheets::articles::kName).empty();
  return run;
}

fs::path ProgramFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path("..") : self.parent_path() / "..";
}

void Print(const char* where, const Run& run, int articles, std::optional<Seconds> target) {
  std::printf("%-7s CPU %.3f s  wall %.3f s  (%.0f us CPU a line)  %s", where, run.cpu.count(),
              run.wall.count(), 1e6 * run.cpu.count() / articles, run.closing.c_str());
  if (target) {
    std::printf("  [target %.1f s: %s]", target->count(), run.cpu <= *target ? "met" : "MISSED");
  }
  std::printf("\n");
}

std::optional<int> Number(std::string_view text, int lowest, int highest) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < lowest || value > highest)
    return std::nullopt;
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  std::string simulatorPath = (ProgramFolder() / "ecrsim").lexically_normal();
  std::string cliPath = (ProgramFolder() / "nuvrel-cli").lexically_normal();
  std::optional<int> articles = transfers::kReportArticleRows;
  std::optional<int> baud = 0;
  for (int i = 1; i < argc && articles && baud; ++i) {
    const std::string_view arg = argv[i];
    const bool valued = i + 1 < argc;
    if (arg == "--ecrsim" && valued) {
      simulatorPath = argv[++i];
    } else if (arg == "--cli" && valued) {
      cliPath = argv[++i];
    } else if (arg == "--articles" && valued) {
      articles = Number(argv[++i], 1, transfers::kReportArticleRows);
    } else if (arg == "--baud" && valued) {
      baud = Number(argv[++i], 0, 4000000);
    } else {
      articles.reset();
    }
  }
  if (!articles || !baud) {
    std::fprintf(stderr,
                 "usage: bench_report_cpu [--articles 1..2400] [--baud N] [--ecrsim PATH] "
                 "[--cli PATH]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  char pattern[] = "/tmp/bench_report_cpu.XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const fs::path folder = pattern;
  struct Cleanup {
    fs::path path;
    ~Cleanup() {
      std::error_code error;
      fs::remove_all(path, error);
    }
  } cleanup{folder};

  if (!WriteRegisterState(folder / "state", *articles)) {
    std::fprintf(stderr, "cannot write the register's state\n");
    return 1;
  }
  bench::Simulator simulator(simulatorPath, {"--serial", "1", "--baud", std::to_string(*baud),
                                             "--state", folder / "state"});
  const std::optional<std::string> device = simulator.SlavePath();
  if (!device) {
    std::fprintf(stderr, "cannot start %s\n", simulatorPath.c_str());
    return 1;
  }

  std::printf("articles report of %d lines, %s\n", *articles,
              *baud ? (std::to_string(*baud) + " baud").c_str() : "unpaced");
  // The targets are for the whole report as fast as the register sends it.
  const bool targeted = *baud == 0 && *articles == transfers::kReportArticleRows;
  const Run cli = RunCli(cliPath, *device, folder, *articles);
  Print("cli", cli, *articles, targeted ? std::optional(kCliTarget) : std::nullopt);
  const Run window = RunWindow(*device, folder, *articles);
  Print("window", window, *articles, targeted ? std::optional(kWindowTarget) : std::nullopt);
  const bool met = !targeted || (cli.cpu <= kCliTarget && window.cpu <= kWindowTarget);
  return cli.ok && window.ok && met ? 0 : 1;
}
