// SPDX-License-Identifier: MIT
// The ecrsim binary itself, over a real pseudo-terminal: its first line, a raw line that answers
// across reopens, the --link symlink, stopping on signals, the hangup fault, tracing and pacing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/ecrsim_process.h"
#include "link/frames.h"

namespace nuvrel::sim {
namespace {

namespace fs = std::filesystem;
using nuvrel::test::EcrsimProcess;
using nuvrel::test::Millis;
using nuvrel::test::SlavePort;

const link::Bytes kIdentifyReply = link::IdentifyReply(link::kAckByte, "123456");

class EcrsimProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "ecrsim-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
  }

  fs::path m_dir;
};

TEST_F(EcrsimProgram, AnnouncesTheSlaveAnswersOnItAndStopsOnTerm) {
  const fs::path link = m_dir / "ecr";
  EcrsimProcess sim({"--link", link.string()});
  ASSERT_TRUE(sim.Started());
  const auto line = sim.FirstLine();
  ASSERT_TRUE(line);
  EXPECT_TRUE(std::regex_match(*line, std::regex("ecrsim: listening on /dev/pts/[0-9]+"))) << *line;
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  ASSERT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link).string(), *slave);

  {
    SlavePort port(link.string());  // through the link, as a settings file would name it
    ASSERT_TRUE(port.Ok());
    ASSERT_TRUE(port.Write(link::IdentifyRequest()));
    EXPECT_EQ(port.Read(10, Millis(3000)), kIdentifyReply);
    // A raw line: no echo of the request and nothing after the reply.
    EXPECT_TRUE(port.Read(1, Millis(200)).empty());
  }
  // The PC closes the port between transfers; the register is still there on the next open.
  {
    SlavePort port(*slave);
    ASSERT_TRUE(port.Ok());
    ASSERT_TRUE(port.Write(link::CommandFrame(123456, 'a')));
    EXPECT_EQ(port.Read(10, Millis(3000)), link::AckFrame(123456));
  }

  EXPECT_EQ(sim.Finish(SIGTERM), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_EQ(sim.RestOfStdout(), "");
}

TEST_F(EcrsimProgram, BytesWrittenBeforeThePortIsOpenedAreNotEchoed) {
  EcrsimProcess sim({"--serial", "7"});
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  SlavePort port(*slave);
  ASSERT_TRUE(port.Ok());
  link::Bytes split = link::IdentifyRequest();
  ASSERT_TRUE(port.Write(link::Bytes(split.begin(), split.begin() + 2)));
  EXPECT_TRUE(port.Read(1, Millis(100)).empty());
  ASSERT_TRUE(port.Write(link::Bytes(split.begin() + 2, split.end())));
  EXPECT_EQ(port.Read(10, Millis(3000)), link::IdentifyReply(link::kAckByte, "000007"));
  EXPECT_EQ(sim.Finish(SIGINT), 0);
}

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

TEST_F(EcrsimProgram, BadOptionsGiveUsageAndStatusTwo) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--fault", "meltdown"}, {"--serial", "abc"}, {"--bogus"}}) {
    EcrsimProcess sim(args);
    EXPECT_EQ(sim.Finish(0), 2) << args[0];
    EXPECT_EQ(sim.FirstLine(Millis(0)), std::nullopt);
    EXPECT_EQ(sim.RestOfStdout(), "");
    EXPECT_EQ(sim.Stderr().rfind("ecrsim: ", 0), 0u) << sim.Stderr();
    EXPECT_NE(sim.Stderr().find("usage: ecrsim"), std::string::npos);
  }
}

TEST_F(EcrsimProgram, HangupFaultClosesTheLineRemovesTheLinkAndExitsZero) {
  const fs::path link = m_dir / "ecr";
  EcrsimProcess sim({"--link", link.string(), "--fault", "hangup@2"});
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  SlavePort port(*slave);
  ASSERT_TRUE(port.Write(link::IdentifyRequest()));
  EXPECT_EQ(port.Read(10, Millis(3000)), kIdentifyReply);
  ASSERT_TRUE(port.Write(link::CommandFrame(123456, 'V')));
  EXPECT_TRUE(port.HungUp(Millis(3000)));
  EXPECT_EQ(sim.Finish(0), 0);
  EXPECT_NE(sim.Stderr().find("ecrsim: hung up\n"), std::string::npos) << sim.Stderr();
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST_F(EcrsimProgram, PacedRepliesTakeTheirLineTimeAndAreTraced) {
  const fs::path trace = m_dir / "sim.trace";
  // 10 bits per byte at 1200 baud: a 10-byte reply needs 83 ms on the line.
  EcrsimProcess sim({"--baud", "1200", "--trace", trace.string()});
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  SlavePort port(*slave);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(port.Write(link::IdentifyRequest()));
  EXPECT_EQ(port.Read(10, Millis(3000)), kIdentifyReply);
  EXPECT_GE(std::chrono::steady_clock::now() - start, Millis(75));
  EXPECT_EQ(sim.Finish(SIGTERM), 0);

  std::ifstream in(trace);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_TRUE(
      std::regex_search(text.str(), std::regex(R"(\n?[0-9]+\.[0-9]{6} RX AA 3F 39 35 0A\n)")))
      << text.str();
  EXPECT_TRUE(std::regex_search(
      text.str(), std::regex(R"([0-9]+\.[0-9]{6} TX 06 31 32 33 34 35 36 30 31 0A\n)")))
      << text.str();
}

TEST_F(EcrsimProgram, IdleSimulatorUsesNoCpu) {
  EcrsimProcess sim({});
  const auto slave = sim.SlavePath();
  ASSERT_TRUE(slave);
  SlavePort port(*slave);
  EXPECT_TRUE(port.Read(1, Millis(600)).empty());
  port.Close();
  EXPECT_EQ(sim.Finish(SIGTERM), 0);
  EXPECT_LT(sim.CpuTime(), std::chrono::milliseconds(100));
}

TEST_F(EcrsimProgram, MissingPcAckOfTheUploadEndIsReportedOnStderr) {
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

}  // namespace
}  // namespace nuvrel::sim
