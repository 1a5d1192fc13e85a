// SPDX-License-Identifier: MIT
// The register behind a serial device server: nuvrel-cli through Debian's ser2net to ecrsim's
// pseudo-terminal, raw and RFC 2217, plain and with TLS; connections that fail; and the fleet on
// ecrsim's own TCP ports.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>
#include <thread>

#include "link/frames.h"
#include "sim_fixture.h"
#include "support/ser2net_process.h"
#include "support/sim_files.h"
#include "support/temp_dir.h"
#include "support/terminal_run.h"

namespace nuvrel {
namespace {

using namespace std::chrono_literals;
using test::Example;
using test::RunProgram;
using test::Sim;

int CountOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

bool Contains(const link::Bytes& stream, const link::Bytes& part) {
  return std::search(stream.begin(), stream.end(), part.begin(), part.end()) != stream.end();
}

// nuvrel-cli on the port: an upload, an articles report and a logo, each with its own trace.
void RunSteps(const std::string& port, const test::TempDir& dir, const std::string& tag) {
  const std::vector<std::vector<std::string>> steps{
      {"send", "operators", Example("operators.txt")},
      {"report", "articles", dir / (tag + "-report.txt")},
      {"logo", dir / "tiny.bmp"}};
  for (std::size_t i = 0; i < steps.size(); ++i) {
    std::vector<std::string> args{"--settings",
                                  dir / "nuvrel.ini",
                                  "--port",
                                  port,
                                  "--quiet",
                                  "--trace",
                                  dir / (tag + "-" + std::to_string(i) + ".trace")};
    args.insert(args.end(), steps[i].begin(), steps[i].end());
    const auto run = RunProgram(NUVREL_CLI_PATH, args, 20s);
    ASSERT_EQ(run.status, 0) << port << " " << steps[i][0] << ": " << run.err;
  }
}

class ThroughSer2net : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (!test::Ser2net::Installed()) GTEST_SKIP() << "ser2net is not installed";
  }
};

TEST_P(ThroughSer2net, TheRegisterGetsTheBytesOfALocalPortAndTheLineIsSet) {
  const bool rfc2217 = std::string(GetParam()) == "rfc2217";
  test::TempDir dir;
  test::WriteBytes(dir / "tiny.bmp", test::TinyLogo());
  Sim local({"--serial", "7", "--trace", dir / "local.trace"});
  ASSERT_TRUE(local.Ok());
  // The same steps on a local port meanwhile, for the bytes the register should see.
  std::thread reference([&] { RunSteps(local.Device(), dir, "local"); });
  Sim remote({"--serial", "7", "--trace", dir / "remote.trace"});
  // The device starts at other settings than the register's: RFC 2217 must set them.
  test::Ser2net server(dir.Path(), remote.Device(), {rfc2217 ? "telnet(rfc2217),tcp" : "tcp"},
                       "1200e72", /*verbose=*/true);
  if (remote.Ok() && server.Ok()) {
    RunSteps(std::string(GetParam()) + "://127.0.0.1:" + std::to_string(server.Port(0)), dir,
             "remote");
  }
  reference.join();
  ASSERT_TRUE(remote.Ok());
  ASSERT_TRUE(server.Ok()) << server.Log();

  // The client's last bytes may still be on their way through ser2net when it has ended.
  auto same = [&](const char* direction) {
    return test::TraceBytes(dir / "remote.trace", direction) ==
           test::TraceBytes(dir / "local.trace", direction);
  };
  for (int wait = 0; wait < 100 && !(same("RX") && same("TX")); ++wait)
    std::this_thread::sleep_for(50ms);
  for (const char* direction : {"RX", "TX"}) {
    const link::Bytes there = test::TraceBytes(dir / "remote.trace", direction);
    EXPECT_FALSE(there.empty());
    EXPECT_EQ(there, test::TraceBytes(dir / "local.trace", direction)) << direction;
  }
  EXPECT_EQ(test::ReadBytes(dir / "remote-report.txt"), test::ReadBytes(dir / "local-report.txt"));
  if (!rfc2217) return;

  termios line{};
  const int fd = ::open(remote.Device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::tcgetattr(fd, &line), 0);
  ::close(fd);
  EXPECT_EQ(::cfgetospeed(&line), B9600);
  EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8));
  // ser2net confirmed each setting, and drove the modem lines (which a pseudo-terminal refuses, so
  // its log shows each call): at each connection's set-up DTR on, RTS off and a look at the lines,
  // then RTS on and off around every frame written.
  int frames = 0;
  for (int i = 0; i < 3; ++i) {
    const std::string trace = dir / ("remote-" + std::to_string(i) + ".trace");
    const std::string text = test::ReadBytes(trace).value_or("");
    EXPECT_NE(text.find("-- server: baud rate 9600"), std::string::npos) << text;
    EXPECT_NE(text.find("-- server: data size 8"), std::string::npos);
    frames += CountOf(text, " TX ");
  }
  EXPECT_EQ(CountOf(server.Log(), "termios_control"), 3 * 3 + 2 * frames) << server.Log();
}

INSTANTIATE_TEST_SUITE_P(Modes, ThroughSer2net, ::testing::Values("tcp", "rfc2217"));

TEST(NetworkEndToEnd, AConnectionRefusedOrDroppedSaysWhereAndWhy) {
  test::TempDir dir;
  const std::string refused = "tcp://127.0.0.1:" + std::to_string(test::FreeLoopbackPort());
  const auto run = RunProgram(
      NUVREL_CLI_PATH, {"--settings", dir / "nuvrel.ini", "--port", refused, "identify"}, 10s);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot open COM1 !\n" + refused + ": Connection refused\n");

  if (!test::Ser2net::Installed()) GTEST_SKIP() << "ser2net is not installed";
  // The register hangs up at the first record: ser2net closes the connection.
  Sim sim({"--serial", "7", "--fault", "hangup@4"});
  ASSERT_TRUE(sim.Ok());
  test::Ser2net server(dir.Path(), sim.Device(), {"telnet(rfc2217),tcp"});
  ASSERT_TRUE(server.Ok()) << server.Log();
  const std::string port = "rfc2217://127.0.0.1:" + std::to_string(server.Port(0));
  const auto dropped = RunProgram(NUVREL_CLI_PATH,
                                  {"--settings", dir / "nuvrel.ini", "--port", port, "send",
                                   "operators", Example("operators.txt")},
                                  10s);
  EXPECT_EQ(dropped.status, 1);
  EXPECT_NE(dropped.err.find("The ECR line was closed (hang-up)!\n" + port +
                             ": the server closed the connection\n"),
            std::string::npos)
      << dropped.err;
}

// The commands of openssl that make a CA, a certificate it signs for 127.0.0.1, and another CA.
bool MakeCertificates(const test::TempDir& dir) {
  const std::string openssl = "/usr/bin/openssl";
  if (::access(openssl.c_str(), X_OK) != 0) return false;
  test::WriteBytes(dir / "ext", "subjectAltName=IP:127.0.0.1\n");
  const std::vector<std::string> ec{"-newkey", "ec",    "-pkeyopt", "ec_paramgen_curve:prime256v1",
                                    "-nodes",  "-days", "1"};
  auto req = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "req");
    args.insert(args.end(), ec.begin(), ec.end());
    return RunProgram(openssl, args).status == 0;
  };
  return req({"-x509", "-keyout", dir / "ca.key", "-out", dir / "ca.pem", "-subj",
              "/CN=Test CA"}) &&
         req({"-x509", "-keyout", dir / "other.key", "-out", dir / "other.pem", "-subj",
              "/CN=Other CA"}) &&
         req({"-keyout", dir / "server.key", "-out", dir / "server.csr", "-subj", "/CN=server"}) &&
         RunProgram(openssl, {"x509", "-req", "-in", dir / "server.csr", "-CA", dir / "ca.pem",
                              "-CAkey", dir / "ca.key", "-set_serial", "1", "-days", "1",
                              "-extfile", dir / "ext", "-out", dir / "server.pem"})
                 .status == 0;
}

TEST(NetworkEndToEnd, TlsTakesTheServerThatTheCaVouchesForAndRefusesAnother) {
  if (!test::Ser2net::Installed()) GTEST_SKIP() << "ser2net is not installed";
  test::TempDir dir;
  ASSERT_TRUE(MakeCertificates(dir));
  Sim sim({"--serial", "7"});
  ASSERT_TRUE(sim.Ok());
  const std::string ssl = "ssl(key=" + dir / "server.key" + ",cert=" + dir / "server.pem" + ")";
  test::Ser2net server(dir.Path(), sim.Device(), {ssl + ",tcp", "telnet(rfc2217)," + ssl + ",tcp"});
  ASSERT_TRUE(server.Ok()) << server.Log();
  const std::string tls = "tcp+tls://127.0.0.1:" + std::to_string(server.Port(0));
  const std::string rfc = "rfc2217+tls://127.0.0.1:" + std::to_string(server.Port(1));

  test::WriteBytes(dir / "good.ini", "[Network]\nCaFile=" + dir / "ca.pem" + "\n");
  for (const std::string& port : {tls, rfc}) {
    const auto run = RunProgram(NUVREL_CLI_PATH,
                                {"--settings", dir / "good.ini", "--port", port, "identify"}, 10s);
    EXPECT_EQ(run.status, 0) << port << ": " << run.err;
    EXPECT_NE(run.out.find("Serial number: 000007"), std::string::npos) << run.out;
  }
  test::WriteBytes(dir / "other.ini", "[Network]\nCaFile=" + dir / "other.pem" + "\n");
  const auto refused = RunProgram(
      NUVREL_CLI_PATH, {"--settings", dir / "other.ini", "--port", tls, "identify"}, 10s);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "Cannot open COM1 !\n" + tls +
                             ": the server's certificate was refused: unable to get local issuer "
                             "certificate\n");
}

// Registers on ecrsim's own TCP ports, for the fleet.
struct ListeningSim {
  explicit ListeningSim(std::vector<std::string> args) {
    args.insert(args.begin(), {"--listen", "127.0.0.1:0"});
    process = std::make_unique<test::EcrsimProcess>(args);
    const auto line = process->FirstLine();
    const std::string prefix = "ecrsim: listening on ";
    if (line && line->rfind(prefix, 0) == 0) address = line->substr(prefix.size());
  }
  std::unique_ptr<test::EcrsimProcess> process;
  std::string address;
};

std::string Manifest(const std::vector<ListeningSim>& sims, const std::string& steps) {
  std::string text = "[do]\n" + steps + "\n";
  for (std::size_t i = 0; i < sims.size(); ++i) {
    text += "\n[r" + std::to_string(i + 1) + "]\nname = Shop " + std::to_string(i + 1) +
            "\nport = " + sims[i].address + "\n";
  }
  return text;
}

TEST(FleetEndToEnd, OneRegisterFailingLeavesTheOthersDoneAndIsNamed) {
  test::TempDir dir;
  std::vector<ListeningSim> sims;
  for (int i = 1; i <= 6; ++i) {
    std::vector<std::string> args{"--serial", std::to_string(i)};
    // The third refuses the second operator.
    if (i == 3) args.insert(args.end(), {"--fault", "nak@5"});
    sims.emplace_back(args);
    ASSERT_FALSE(sims.back().address.empty());
  }
  test::WriteBytes(dir / "fleet.ini", Manifest(sims, "send operators " + Example("operators.txt") +
                                                         "\nreport articles {name}-articles.txt"));
  const auto run = RunProgram(
      NUVREL_CLI_PATH,
      {"--settings", dir / "nuvrel.ini", "fleet", dir / "fleet.ini", "--jobs", "6"}, 20s);
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_NE(run.out.find("Shop 1: step 1/2: send operators"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("Shop 3: ECR returned NACK!"), std::string::npos) << run.err;
  const std::string table = run.out.substr(run.out.find("REGISTER"));
  EXPECT_NE(
      table.find("Shop 3    " + sims[2].address + "  0/2    1      failed: ECR returned NACK!"),
      std::string::npos)
      << table;
  EXPECT_NE(table.find("Shop 6    " + sims[5].address + "  2/2    3      done"), std::string::npos)
      << table;
  EXPECT_NE(table.find("5 of 6 registers done"), std::string::npos) << table;
  for (const char* name : {"Shop_1", "Shop_2", "Shop_4", "Shop_5", "Shop_6"}) {
    EXPECT_TRUE(test::ReadBytes(dir / (std::string(name) + "-articles.txt"))) << name;
  }
  EXPECT_FALSE(test::ReadBytes(dir / "Shop_3-articles.txt"));
}

TEST(FleetEndToEnd, SendChangedKnowsEachRegisterByItsOwnRecord) {
  test::TempDir dir;
  test::ScopedEnv data{"XDG_DATA_HOME", (dir / "data").c_str()};
  std::vector<ListeningSim> sims;
  for (const char* serial : {"11", "12"}) {
    sims.emplace_back(std::vector<std::string>{"--serial", serial});
    ASSERT_FALSE(sims.back().address.empty());
  }
  const std::string send = "send operators " + Example("operators.txt");
  const std::vector<std::string> args{"--settings", dir / "nuvrel.ini", "fleet", dir / "fleet.ini"};

  // Nothing is known of either register yet: nothing may go out as a whole sheet instead.
  test::WriteBytes(dir / "fleet.ini", Manifest(sims, send + " --changed"));
  auto run = RunProgram(NUVREL_CLI_PATH, args, 20s);
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_NE(run.err.find("Nothing is known yet of what register 000011 holds"), std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("0 of 2 registers done"), std::string::npos) << run.out;

  // Once each register's sheet is recorded, the same sheet has nothing to send.
  test::WriteBytes(dir / "fleet.ini", Manifest(sims, send + "\n" + send + " --changed"));
  run = RunProgram(NUVREL_CLI_PATH, args, 20s);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  for (const char* device : {"000011", "000012"}) {
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(dir / "data") / "Nuvrel" /
                                              "registers" / device))
        << device;
  }
}

TEST(FleetEndToEnd, CtrlCStopsEveryRegisterAndClosesEachUpload) {
  test::TempDir dir;
  std::string sheet;
  for (int row = 1; row <= 40; ++row) sheet += std::to_string(row) + "\tA\t\t1\r\n";
  test::WriteBytes(dir / "a.txt", sheet);
  std::vector<ListeningSim> sims;
  for (int i = 1; i <= 2; ++i) {
    sims.emplace_back(std::vector<std::string>{"--serial", std::to_string(i), "--trace",
                                               dir / ("sim" + std::to_string(i) + ".trace")});
    ASSERT_FALSE(sims.back().address.empty());
  }
  test::WriteBytes(dir / "fleet.ini", Manifest(sims, "send articles " + dir / "a.txt"));
  // Ctrl+C once both registers have taken a record: each has an upload open to close.
  const auto bothSending = [](const std::string& screen) {
    return std::regex_search(screen,
                             std::regex("Shop 1  \\[1/1\\] send articles \\S+  [1-9][0-9]*/40")) &&
           std::regex_search(screen,
                             std::regex("Shop 2  \\[1/1\\] send articles \\S+  [1-9][0-9]*/40"));
  };
  const auto run = test::RunOnTerminal(
      NUVREL_CLI_PATH, {"--settings", dir / "nuvrel.ini", "fleet", dir / "fleet.ini"}, bothSending,
      "\x03");
  EXPECT_EQ(run.status, 130) << run.screen;
  const std::string summary = run.screen.substr(run.screen.find("REGISTER"));
  EXPECT_EQ(CountOf(summary, "stopped"), 2) << summary;
  for (ListeningSim& sim : sims) sim.process->Finish(SIGTERM);
  for (int i = 1; i <= 2; ++i) {
    // The upload was ended as the protocol ends it: the end command and the PC's acknowledgement
    // of the end packet.
    const link::Bytes received =
        test::TraceBytes(dir / ("sim" + std::to_string(i) + ".trace"), "RX");
    EXPECT_TRUE(Contains(received, link::CommandFrame(static_cast<std::uint32_t>(i), 'z'))) << i;
    EXPECT_TRUE(Contains(received, link::AckFrame(static_cast<std::uint32_t>(i)))) << i;
  }
}

}  // namespace
}  // namespace nuvrel
