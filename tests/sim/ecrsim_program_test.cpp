// SPDX-License-Identifier: MIT
// The ecrsim binary itself: its command line (help, version, usage errors) and, over a real
// pseudo-terminal, the --link symlink, stopping on a signal, tracing, pacing both ways, its idle
// loop, and the --state folder.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/version.h"
#include "link/frames.h"
#include "sim_test_util.h"
#include "support/child_process.h"
#include "support/ecrsim_process.h"
#include "support/temp_dir.h"

namespace nuvrel::sim {
namespace {

namespace fs = std::filesystem;
using nuvrel::test::EcrsimProcess;
using nuvrel::test::Millis;
using nuvrel::test::SlavePort;

const link::Bytes kIdentifyReply = link::IdentifyReply(link::kAckByte, "123456");

class EcrsimProgram : public ::testing::Test {
 protected:
  nuvrel::test::TempDir m_temp;
  const fs::path m_dir{m_temp.Path()};
};

// What needs the real clock to pass: the simulator's own waits of three seconds and an idle
// second. They carry the label slow (make test-slow).
class EcrsimRealTime : public EcrsimProgram {};

TEST_F(EcrsimProgram, LinkReplacesASymlinkButNotAFile) {
  const fs::path link = m_dir / "ecr";
  fs::create_symlink("/nonexistent/old-slave", link);
  {
    EcrsimProcess sim({"--link", link.string()});
    const auto slave = sim.SlavePath();
    ASSERT_TRUE(slave);
    EXPECT_EQ(fs::read_symlink(link).string(), *slave);
    EXPECT_EQ(sim.Finish(SIGTERM), 0);
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));

  const fs::path file = m_dir / "settings.ini";
  std::ofstream(file) << "keep me\n";
  EcrsimProcess sim({"--link", file.string()});
  EXPECT_EQ(sim.Finish(0), 1);
  EXPECT_EQ(sim.RestOfStdout(), "");
  EXPECT_EQ(sim.Stderr().rfind("ecrsim: ", 0), 0u) << sim.Stderr();
  ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
  EXPECT_EQ(fs::file_size(file), 8u);
}

TEST_F(EcrsimProgram, PacedFramesTakeTheirLineTimeBothWaysAndAreTraced) {
  const fs::path trace = m_dir / "sim.trace";
  // 10 bits per byte at 4800 baud: a 10-byte reply needs 21 ms on the line.
  EcrsimProcess sim({"--baud", "4800", "--trace", trace.string()});
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  SlavePort port(*slave);
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(port.Write(link::IdentifyRequest()));
  EXPECT_EQ(port.Read(10, Millis(3000)), kIdentifyReply);
  EXPECT_GE(std::chrono::steady_clock::now() - start, Millis(20));
  // A reply waits for its frame's own wire time too: 63 bytes in and 10 out, some 152 ms.
  const link::Bytes record = test::ArticleRecord(
      123456, test::ArticleFields("0001", "A", "000000000001", "111", "000000102", "000000000"));
  start = std::chrono::steady_clock::now();
  ASSERT_TRUE(port.Write(record));
  EXPECT_EQ(port.Read(10, Millis(3000)), link::AckFrame(123456));
  EXPECT_GE(std::chrono::steady_clock::now() - start, Millis(145));
  EXPECT_EQ(sim.Finish(SIGTERM), 0);

  std::ifstream in(trace);
  std::stringstream text;
  text << in.rdbuf();
  // The request came off the line a byte or a few at a time.
  std::string received;
  const std::regex rx(R"([0-9]+\.[0-9]{6} RX ([0-9A-F ]+)\n)");
  const std::string all = text.str();
  for (auto it = std::sregex_iterator(all.begin(), all.end(), rx); it != std::sregex_iterator();
       ++it) {
    received.append(received.empty() ? "" : " ").append((*it)[1].str());
  }
  EXPECT_EQ(received.substr(0, 14), "AA 3F 39 35 0A") << all;
  EXPECT_TRUE(std::regex_search(
      text.str(), std::regex(R"([0-9]+\.[0-9]{6} TX 06 31 32 33 34 35 36 30 31 0A\n)")))
      << text.str();
}

TEST_F(EcrsimRealTime, IdleSimulatorUsesNoCpu) {
  EcrsimProcess sim({});
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  SlavePort port(*slave);
  // Only the idle second counts: start-up costs far more under the sanitizers.
  const auto before = sim.CpuSoFar();
  EXPECT_TRUE(port.Read(1, Millis(1000)).empty());
  const auto after = sim.CpuSoFar();
  ASSERT_TRUE(before && after);
  EXPECT_LT(*after - *before, std::chrono::milliseconds(50));
  port.Close();
  EXPECT_EQ(sim.Finish(SIGTERM), 0);
}

TEST_F(EcrsimRealTime, MissingPcAckOfTheUploadEndIsReportedOnStderr) {
  EcrsimProcess sim({});
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  SlavePort port(*slave);
  ASSERT_TRUE(port.Write(link::CommandFrame(123456, 'z')));
  EXPECT_EQ(port.Read(33, Millis(3000)).size(), 33u);  // acknowledgement and end packet
  EXPECT_TRUE(port.Read(1, Millis(3400)).empty());     // the register's wait runs out meanwhile
  EXPECT_EQ(sim.Finish(SIGTERM), 0);
  EXPECT_NE(sim.Stderr().find("ecrsim: no acknowledgement of the upload end packet"),
            std::string::npos)
      << sim.Stderr();
}

TEST_F(EcrsimRealTime, ALogoThatStopsIsGivenUpAfterThreeSecondsOfSilence) {
  EcrsimProcess sim({});
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  SlavePort port(*slave);
  const link::Bytes logo = test::LogoFile(200, 200);
  ASSERT_TRUE(port.Write(
      test::Concat(test::LogoHeader("123456"), link::Bytes(logo.begin(), logo.begin() + 50))));
  // Meanwhile the register still takes what comes as the logo's bytes, so it answers nothing.
  EXPECT_TRUE(port.Read(1, Millis(3300)).empty());
  ASSERT_TRUE(port.Write(link::IdentifyRequest()));
  EXPECT_EQ(port.Read(10, Millis(3000)), kIdentifyReply);
  EXPECT_EQ(sim.Finish(SIGTERM), 0);
  EXPECT_NE(sim.Stderr().find("ecrsim: the logo stopped after 50 bytes of 200"), std::string::npos)
      << sim.Stderr();
}

TEST_F(EcrsimProgram, CorruptStateStopsTheSimulatorAndIsKept) {
  const fs::path state = m_dir / "state";
  fs::create_directory(state);
  std::ofstream(state / "articles.txt") << "0001 not an article\n";
  std::ofstream(state / "operators.txt") << "1ANA         *\n";
  EcrsimProcess sim({"--state", state.string()});
  // It does not listen: a register running on would save its next change over the unread files.
  EXPECT_EQ(sim.Finish(0), 1);
  EXPECT_EQ(sim.FirstLine(Millis(0)), std::nullopt);
  EXPECT_NE(
      sim.Stderr().find("ecrsim: state file " + (state / "articles.txt").string() + ": line 1: "),
      std::string::npos)
      << sim.Stderr();
  std::ifstream kept(state / "articles.txt");
  std::string line;
  std::getline(kept, line);
  EXPECT_EQ(line, "0001 not an article");

  // A state folder that cannot be made stops the simulator before it listens.
  EcrsimProcess blocked({"--state", (state / "articles.txt" / "sub").string()});
  EXPECT_EQ(blocked.Finish(0), 1);
  EXPECT_EQ(blocked.FirstLine(Millis(0)), std::nullopt);
  EXPECT_EQ(blocked.Stderr().rfind("ecrsim: cannot make the state folder", 0), 0u)
      << blocked.Stderr();
}

TEST(EcrsimCommandLine, HelpVersionAndUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // expected at the start of stdout; nothing on a usage error
    std::string err;  // expected at the start of stderr
  };
  const Case cases[] = {
      {{"--help"}, 0, "usage: ecrsim", ""},
      {{"--version"}, 0, std::string("ecrsim ").append(NUVREL_VERSION).append("\n"), ""},
      {{"--bogus"}, 2, "", "ecrsim: unknown option '--bogus'\nusage: ecrsim"},
      {{"--fault", "meltdown"}, 2, "", "ecrsim: --fault: "},
      {{"--serial=x"}, 2, "", "ecrsim: --serial takes a device number"},
      {{"--serial", "x"}, 2, "", "ecrsim: --serial takes a device number"},
      {{"--version", "NV-2.21"}, 2, "", "ecrsim: unexpected argument 'NV-2.21'\nusage: ecrsim"},
  };
  for (const Case& c : cases) {
    const nuvrel::test::RunResult r = nuvrel::test::RunProgram(NUVREL_ECRSIM_PATH, c.args);
    const std::string args = testing::PrintToString(c.args);
    EXPECT_EQ(r.status, c.status) << args;
    EXPECT_EQ(c.status == 0 ? r.out.substr(0, c.out.size()) : r.out, c.out) << args;
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << args;
    if (c.status == 2) {
      EXPECT_NE(r.err.find("usage: ecrsim"), std::string::npos) << args;
    }
  }
}

}  // namespace
}  // namespace nuvrel::sim
