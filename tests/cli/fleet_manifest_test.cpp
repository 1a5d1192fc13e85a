// SPDX-License-Identifier: MIT
// The fleet's manifest: registers and steps read, paths taken from the manifest's folder, each
// mistake named with its line; the per-register file names.
#include "cli/fleet_manifest.h"

#include <gtest/gtest.h>

#include "app/utf8_path.h"

namespace nuvrel::cli {
namespace {

TEST(FleetManifest, ReadsRegistersAndStepsWithPathsFromItsFolder) {
  // A relative path joins the folder with the platform's separator.
  const auto inM = [](const char* name) {
    std::string path = "/m";
    path += app::kPathSeparators.front();
    path += name;
    return path;
  };
  const ManifestParse parsed = ParseManifest(
      "; two shops\r\n"
      "[do]\n"
      "send articles \"my articles.txt\" --select 1-3\n"
      "report daily /srv/{name}.txt --departments {name}-dep.txt\n"
      "logo logo.bmp\n"
      "\n"
      "[shop-1]\n"
      "name = Main street\n"
      "port = rfc2217+tls://10.0.0.5:4001\n"
      "[Shop-2]\n"
      "PORT=/dev/ttyUSB0\n",
      "/m");
  ASSERT_TRUE(parsed.manifest) << parsed.error;
  const FleetManifest& m = *parsed.manifest;
  ASSERT_EQ(m.registers.size(), 2u);
  EXPECT_EQ(m.registers[0].name, "Main street");
  EXPECT_EQ(m.registers[0].port, "rfc2217+tls://10.0.0.5:4001");
  EXPECT_EQ(m.registers[1].name, "Shop-2");
  EXPECT_EQ(m.registers[1].port, "/dev/ttyUSB0");
  ASSERT_EQ(m.steps.size(), 3u);
  const auto& send = std::get<SendArgs>(m.steps[0].args);
  EXPECT_EQ(send.file, inM("my articles.txt"));
  EXPECT_EQ(send.select.size(), 1u);
  const auto& report = std::get<ReportArgs>(m.steps[1].args);
  EXPECT_EQ(ForRegister(report.out, m.registers[0]), "/srv/Main_street.txt");
  EXPECT_EQ(ForRegister(*report.departments, m.registers[1]), inM("Shop-2-dep.txt"));
  EXPECT_EQ(std::get<LogoArgs>(m.steps[2].args).bitmap, inM("logo.bmp"));

  FleetRegister dots{"x", "..", "p"};
  EXPECT_EQ(ForRegister("out/{name}/{name}.txt", dots), "out/_../_...txt");
}

TEST(FleetManifest, EachMistakeIsNamedWithItsLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  for (const Case& c : {
           Case{"[do]\nsend articles a.txt\n[a]\nport=p\n[A]\nport=q\n", "5: a second [A]"},
           Case{"[do]\nsend bogus a.txt\n[a]\nport=p\n", "2: send takes articles"},
           Case{"[do]\nerase all\n[a]\nport=p\n", "2: a step is send, report or logo"},
           Case{"[do]\nsend articles \"a.txt\n[a]\nport=p\n", "2: a quote is not closed"},
           Case{"[do]\nlogo l.bmp\n[a]\nbaud=9600\n", "4: a register has a name and a port"},
           Case{"port=p\n[do]\nlogo l.bmp\n", "1: a key outside any section"},
           Case{"[do]\nlogo l.bmp\n[a\n", "3: a section header ends with ']'"},
           Case{"[do]\nlogo l.bmp\n[a]\nname=x\n", "[a] has no port"},
           Case{"[a]\nport=p\n", "no steps"},
           Case{"[do]\nlogo l.bmp\n", "no registers"},
       }) {
    const ManifestParse parsed = ParseManifest(c.text, "");
    EXPECT_FALSE(parsed.manifest) << c.text;
    EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << c.text << " gave " << parsed.error;
  }
}

}  // namespace
}  // namespace nuvrel::cli
