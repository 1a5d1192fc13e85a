// SPDX-License-Identifier: MIT
// The simulated register that `nuvrel --simulator` starts ends with the program, also when the
// program is killed.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QProcess>
#include <QThread>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace nuvrel::gui {
namespace {

// The process whose parent is `parent`, from /proc; nothing when there is none.
std::optional<pid_t> ChildOf(pid_t parent) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // pid (comm) state ppid ...: the command may hold blanks, so read after the last ')'.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    long ppid = 0;
    if (std::sscanf(line.c_str() + close + 1, " %c %ld", &state, &ppid) == 2 && ppid == parent &&
        state != 'Z') {
      return static_cast<pid_t>(std::stol(name));
    }
  }
  return std::nullopt;
}

bool Alive(pid_t pid) {
  return ::kill(pid, 0) == 0;
}

// Polls `condition` every 20 ms for up to ten seconds.
template <class Condition>
bool Eventually(Condition condition) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    QThread::msleep(20);
  }
  return condition();
}

TEST(EmbeddedSimulator, DiesWithAProgramThatIsKilled) {
  test::TempDir dir;
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_DATA_HOME", QString::fromStdString(dir / "data"));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir / "config"));
  program.setProcessEnvironment(env);
  program.start(NUVREL_GUI_PATH, {"--simulator", "--no-splash",
                                  "--settings=" + QString::fromStdString(dir / "nuvrel.ini")});
  ASSERT_TRUE(program.waitForStarted());
  const auto nuvrel = static_cast<pid_t>(program.processId());
  std::optional<pid_t> simulator;
  ASSERT_TRUE(Eventually([&] { return (simulator = ChildOf(nuvrel)).has_value(); }));

  ::kill(nuvrel, SIGKILL);
  ASSERT_TRUE(program.waitForFinished());
  EXPECT_TRUE(Eventually([&] { return !Alive(*simulator); })) << "ecrsim outlived nuvrel";
  if (Alive(*simulator)) ::kill(*simulator, SIGKILL);
}

}  // namespace
}  // namespace nuvrel::gui
