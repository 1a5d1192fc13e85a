// SPDX-License-Identifier: MIT
#include "app/format.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace nuvrel::app {
namespace {

TEST(Format, FillsPlaceholdersAndLeavesWhatIsNoneOrHasNoArgument) {
  const std::pair<std::string, std::string> cases[] = {
      {Format(Sid::CannotOpenPort, {3}), "Cannot open COM3 !"},
      {Format(Sid::ItemsSent, {2400u}), "2400 items successfully sent!"},
      {Format(Sid::FileCannotOpen, {"/tmp/a.txt"}),
       "The file \"/tmp/a.txt\" cannot be opened for reading!"},
      {Format(Sid::LogoInfo, {224u, 80u, 2u}), "Width: 224    Height: 80    Colors: 2"},
      {Format("%02d|%06u|%3d", {7, 42u, 5}), "07|000042|  5"},
      {Format("%02d", {100}), "100"},
      {Format("%03d", {-5}), "-05"},
      // Unsigned of a negative int is its 32-bit form.
      {Format("%u", {-1}), "4294967295"},
      // A file name full of % comes out unchanged and consumes no further arguments.
      {Format("%s and %d", {"50%d%s.txt", 9}), "50%d%s.txt and 9"},
      {Format("100%% %x %", {}), "100% %x %"},
      {Format("a%sb%dc", {}), "abc"},
      {Format("[%d]", {"text"}), "[]"},
  };
  for (const auto& [formatted, expected] : cases) EXPECT_EQ(formatted, expected);
}

}  // namespace
}  // namespace nuvrel::app
