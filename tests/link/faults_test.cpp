// SPDX-License-Identifier: MIT
#include "link/faults.h"

#include <gtest/gtest.h>

#include "support/recording_ui.h"

namespace nuvrel::link {
namespace {

TEST(Faults, EveryKindThatSpeaksHasItsText) {
  const std::pair<Fault, const char*> cases[] = {
      {Fault::Timeout, "Timeout communicating with ECR!"},
      {Fault::Refused, "ECR returned NACK!"},
      {Fault::Invalid, "Invalid data received!"},
      {Fault::BadCheckPair, "CRC error!"},
      {Fault::WrongDevice, "Bad ECR number received!"},
      {Fault::SendFailed, "Cannot send data!"},
      {Fault::HungUp, "The ECR line was closed (hang-up)!"},
  };
  for (auto [fault, text] : cases) {
    test::RecordingUi ui;
    Report(ui, fault);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, text);
    EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
  }
}

TEST(Faults, NoneAndSilentShowNothing) {
  test::RecordingUi ui;
  Report(ui, Fault::None);
  Report(ui, Fault::Silent);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace nuvrel::link
