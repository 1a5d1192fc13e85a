// SPDX-License-Identifier: MIT
// nuvrel-cli identify against ecrsim through a real pseudo-terminal, once per fault of the
// register.
#include <gtest/gtest.h>

#include "link/ecr_link.h"
#include "link/identify.h"
#include "link/port_opener.h"
#include "sim_fixture.h"
#include "support/child_process.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace nuvrel {
namespace {

using namespace std::chrono_literals;

using test::Sim;

TEST(IdentifyEndToEnd, PrintsWhatTheSetupDialogShowsWithTheRegistersControlBytesEscaped) {
  // A version text that would clear the screen, in Cyrillic letters.
  Sim sim({"--serial", "42", "--firmware", "NV-2.21\x1B[2J\xC4"});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"identify"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Serial number: 000042\nProm version: NV-2.21\\x1B[2J\xD0\x94\nCountry: Serbia\n");
  EXPECT_EQ(run.err, "");
}

struct FaultCase {
  const char* fault;
  const char* message;  // empty: the failure is silent
};

class IdentifyFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(IdentifyFault, GivesExactlyItsMessageAndEndsPromptly) {
  const FaultCase& c = GetParam();
  Sim sim({"--serial", "7", "--fault", c.fault});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"identify"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, std::string(c.message) + (*c.message ? "\n" : ""));
  // None waits out a time-out: a hang-up, too, is reported at once.
  EXPECT_LT(run.wall, 3000ms);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFault, IdentifyFault,
    ::testing::Values(
        // The faults that end in a time-out: time_out_faults_test.cpp and the silence below.
        FaultCase{"nak", "ECR returned NACK!"}, FaultCase{"nak@2", "ECR returned NACK!"},
        FaultCase{"crc", "CRC error!"}, FaultCase{"crc@2", "CRC error!"},
        FaultCase{"wrong-device", "Bad ECR number received!"},
        FaultCase{"garbage", "Invalid data received!"},
        FaultCase{"bad-ack", "Invalid data received!"},
        FaultCase{"long-line", "Invalid data received!"},
        FaultCase{"hangup", "The ECR line was closed (hang-up)!"},
        FaultCase{"hangup@2:2", "The ECR line was closed (hang-up)!"}, FaultCase{"zero-device", ""},
        FaultCase{"bad-digits", ""}, FaultCase{"foreign-country", ""}),
    [](const auto& param) { return test::TestName(param.param.fault); });

// The one real wait for the client's time-out (label slow): the seconds pass and the CPU idles.
TEST(IdentifyRealTime, SilenceTimesOutAfterThreeSecondsWithoutBurningCpu) {
  Sim sim({"--fault", "silence"});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"identify"});
  EXPECT_EQ(run.err, "Timeout communicating with ECR!\n");
  EXPECT_GE(run.wall, 3000ms);
  EXPECT_LT(run.wall, 6000ms);
  // A client that spun through the three seconds would use about three seconds of CPU; a waiting
  // one uses what starting the program costs (more under the sanitizers).
  EXPECT_LT(run.cpu, 300ms);
}

TEST(IdentifyEndToEnd, APortThatDoesNotOpenSaysWhichAndWhy) {
  const auto run =
      test::RunProgram(NUVREL_CLI_PATH, {"--port", "/dev/nonexistent-nuvrel", "identify"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot open COM1 !\n/dev/nonexistent-nuvrel: No such file or directory\n");
  EXPECT_EQ(run.out, "");
}

TEST(IdentifyEndToEnd, APortNumberOutsideOneToFourTouchesNoDevice) {
  Sim sim({});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"--com", "5", "identify"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot open COM5 !\n");
}

TEST(IdentifyEndToEnd, TheSettingsFileChoosesThePortAndItsDevice) {
  test::TempDir dir;
  Sim sim({"--serial", "5"});
  ASSERT_TRUE(sim.Ok());
  test::WriteBytes((dir / "nuvrel.ini"),
                   "[ECR]\r\nEcrCom=2\r\n[Ports]\r\nCOM3=" + sim.Device() + "\r\n");
  const auto run =
      test::RunProgram(NUVREL_CLI_PATH, {"--settings", (dir / "nuvrel.ini"), "identify"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 21), "Serial number: 000005");
}

// In-process: after every failure the port is closed again, so the next transfer can open it (after
// a time-out too: RegisterApp.ATimeOutIsShownOnceAndTheWindowStaysUsable).
TEST(IdentifyEndToEnd, ThePortIsClosedOnEveryWayOut) {
  for (const char* fault : {"nak", "crc@2", "foreign-country"}) {
    Sim sim({"--fault", fault});
    ASSERT_TRUE(sim.Ok());
    link::SerialPortOpener opener(link::PortMap::AllTo(sim.Device()));
    test::RecordingUi ui;
    link::RegisterIdentity identity;
    EXPECT_FALSE(link::IdentifyOnPort(opener, 0, link::SystemClock(), ui, identity)) << fault;
    link::EcrLink again(link::PortMap::AllTo(sim.Device()));
    EXPECT_TRUE(again.Open(1)) << fault;
    again.Close();
    // And the register answers the next identification normally.
    test::RecordingUi ui2;
    EXPECT_TRUE(link::IdentifyOnPort(opener, 0, link::SystemClock(), ui2, identity)) << fault;
  }
}

}  // namespace
}  // namespace nuvrel
