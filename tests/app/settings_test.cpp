// SPDX-License-Identifier: MIT
// The program's own keys: COM port index, port devices and the logo path.
#include "app/settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace nuvrel::app {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// COM1..COM4 stand for the built-in ports until the settings name others.
#ifdef _WIN32
const char* const kBuiltInPorts[] = {"COM1", "COM2", "COM3", "COM4"};
#else
const char* const kBuiltInPorts[] = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
#endif

TEST(Settings, PortDevicesComeFromThePortsSectionOrAreTheBuiltInOnes) {
  TempDir dir;
  const SettingsFile settings(dir / "nuvrel.ini");
  EXPECT_EQ(ReadComPortIndex(settings), 0);
  EXPECT_EQ(LogoPath(settings), "");
  for (int port = 1; port <= 4; ++port) {
    EXPECT_EQ(DevicePathForPort(settings, port), kBuiltInPorts[port - 1]);
  }
  WriteBytes(dir / "nuvrel.ini",
             "[Ports]\nCOM2 = /dev/ttyUSB0\ncom4=\nCOM0=/dev/zero\nCOM5=/dev/five\n");
  EXPECT_EQ(DevicePathForPort(settings, 1), kBuiltInPorts[0]);
  EXPECT_EQ(DevicePathForPort(settings, 2), "/dev/ttyUSB0");
  // A key that is present but empty is the person's choice, not a missing key.
  EXPECT_EQ(DevicePathForPort(settings, 4), "");
  for (int port : {0, 5, -1, 255}) {
    EXPECT_EQ(DevicePathForPort(settings, port), "") << port;
  }
}

TEST(Settings, TheComPortIndexIsTheEcrSectionsNumber) {
  TempDir dir;
  const SettingsFile settings(dir / "nuvrel.ini");
  WriteBytes(dir / "nuvrel.ini", "[ECR]\r\nEcrCom=2\r\n");
  EXPECT_EQ(ReadComPortIndex(settings), 2);
  // What cannot be COM1 to COM4 reads as the default, as a missing key does.
  for (const char* value : {"abc", "4", "17", "-1", "2147483647", "99999999999999999999"}) {
    WriteBytes(dir / "nuvrel.ini", std::string("[ecr]\r\necrcom=") + value + "\r\n");
    EXPECT_EQ(ReadComPortIndex(settings), 0) << value;
  }
}

TEST(Settings, AWrittenComPortIndexReadsBackAndANegativeOneIsStoredSigned) {
  TempDir dir;
  SettingsFile settings(dir / "nuvrel.ini");
  ASSERT_TRUE(WriteComPortIndex(settings, 3));
  EXPECT_EQ(ReadComPortIndex(settings), 3);
  ASSERT_TRUE(WriteComPortIndex(settings, -1));
  EXPECT_EQ(ReadBytes(dir / "nuvrel.ini"), "[ECR]\r\nEcrCom=-1\r\n");
}

TEST(Settings, TheLogoPathRoundTripsAndIsCutTo259Bytes) {
  TempDir dir;
  SettingsFile settings(dir / "nuvrel.ini");
  ASSERT_TRUE(WriteLogoPath(settings, " /srv/shop logos/logo.bmp "));
  EXPECT_EQ(LogoPath(settings), " /srv/shop logos/logo.bmp ");

  const std::string longPath = "/" + std::string(300, 'a');
  ASSERT_TRUE(WriteLogoPath(settings, longPath));
  EXPECT_EQ(LogoPath(settings), longPath.substr(0, 259));
  EXPECT_EQ(LogoPath(settings).size(), kLogoPathLimit);

  EXPECT_FALSE(WriteLogoPath(settings, "two\nlines"));
  EXPECT_EQ(LogoPath(settings), longPath.substr(0, 259));
}

}  // namespace
}  // namespace nuvrel::app
