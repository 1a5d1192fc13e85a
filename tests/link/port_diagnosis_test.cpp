// SPDX-License-Identifier: MIT
// What the message says when a port cannot be opened: the device's group and how to join it, the
// program that holds it.
#include "link/port_diagnosis.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "link/port_opener.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace nuvrel::link {
namespace {

namespace fs = std::filesystem;

class RefusingOpener final : public PortOpener {
 public:
  explicit RefusingOpener(OpenFailure failure) : m_failure(std::move(failure)) {}
  std::unique_ptr<Transport> Open(std::uint32_t, OpenFailure& failure) override {
    failure = m_failure;
    return nullptr;
  }

 private:
  OpenFailure m_failure;
};

std::string Message(const OpenFailure& failure) {
  RefusingOpener opener(failure);
  test::RecordingUi ui;
  EXPECT_EQ(OpenRegisterPort(opener, 0, ui), nullptr);
  return ui.messages.empty() ? std::string() : ui.messages.front().text;
}

TEST(PortDiagnosis, PermissionDeniedNamesTheDevicesGroupAndHowToJoinIt) {
  test::TempDir dir;
  const std::string device = dir / "ttyUSB0";
  test::WriteBytes(device, "");
  struct stat st {};
  ASSERT_EQ(::stat(device.c_str(), &st), 0);
  const group* owner = ::getgrgid(st.st_gid);
  ASSERT_NE(owner, nullptr);
  const std::string name = owner->gr_name;

  ::chmod(device.c_str(), 0660);
  ASSERT_EQ(DeviceGroup(device), name);
  std::string expected = "Cannot open COM1 !\r\n";
  expected.append(device).append(": Permission denied\r\n");
  expected.append("The device belongs to the group \"").append(name);
  expected.append("\". To join it, run  sudo usermod -aG ").append(name);
  expected.append(" $USER  and log in again.");
  EXPECT_EQ(Message({device, "Permission denied", true, DeviceGroup(device), {}}), expected);

  // When the group may not use the device either, joining it would not help.
  ::chmod(device.c_str(), 0600);
  EXPECT_EQ(DeviceGroup(device), std::nullopt);
  EXPECT_NE(
      Message({device, "Permission denied", true, std::nullopt, {}}).find("\"dialout\" group"),
      std::string::npos);
}

TEST(PortDiagnosis, APortInUseNamesTheProgramHoldingIt) {
  test::TempDir dir;
  test::WriteBytes(dir / "ttyUSB0", "");
  const std::string device = fs::canonical(dir / "ttyUSB0");
  const std::string proc = dir / "proc";
  fs::create_directories(proc + "/17/fd");
  fs::create_directories(proc + "/4242/fd");
  fs::create_directories(proc + "/self");
  test::WriteBytes(proc + "/4242/comm", "minicom\n");
  fs::create_symlink("/dev/null", proc + "/17/fd/0");
  fs::create_symlink("/dev/null", proc + "/4242/fd/0");
  fs::create_symlink(device, proc + "/4242/fd/3");

  const auto holder = FindPortHolder(device, proc);
  ASSERT_TRUE(holder.has_value());
  EXPECT_EQ(holder->pid, 4242);
  EXPECT_EQ(holder->name, "minicom");
  EXPECT_EQ(FindPortHolder(dir / "other", proc), std::nullopt);

  // Of several processes with the device open, the one holding the lock on it is named.
  struct stat st {};
  ASSERT_EQ(::stat(device.c_str(), &st), 0);
  char id[64];
  std::snprintf(id, sizeof id, "%02x:%02x:%llu", major(st.st_dev), minor(st.st_dev),
                static_cast<unsigned long long>(st.st_ino));
  // A process waiting for the lock holds nothing.
  std::string locks = "1: -> FLOCK  ADVISORY  WRITE 4242 ";
  locks.append(id).append(" 0 EOF\n1: FLOCK  ADVISORY  WRITE 17 ").append(id).append(" 0 EOF\n");
  test::WriteBytes(proc + "/locks", locks);
  test::WriteBytes(proc + "/17/comm", "flock\n");
  const auto locker = FindPortHolder(device, proc);
  ASSERT_TRUE(locker.has_value());
  EXPECT_EQ(locker->pid, 17);
  EXPECT_EQ(locker->name, "flock");

  EXPECT_EQ(Message({device, "Device or resource busy", false, {}, holder}),
            "Cannot open COM1 !\r\n" + device +
                ": Device or resource busy\r\nIt is in use by minicom (process 4242).");
}

}  // namespace
}  // namespace nuvrel::link
