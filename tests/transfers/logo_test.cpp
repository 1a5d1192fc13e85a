// SPDX-License-Identifier: MIT
#include "transfers/logo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "app/format.h"
#include "app/settings.h"
#include "app/strings.h"
#include "bmp_test_files.h"
#include "support/fake_clock.h"
#include "support/recording_ui.h"
#include "support/scripted_opener.h"
#include "support/temp_dir.h"

namespace nuvrel::transfers {
namespace {

using app::Sid;
using test::BmpBytes;
using test::BmpSpec;
using namespace std::chrono_literals;

constexpr std::uint32_t kDevice = 42;

class Logo : public ::testing::Test {
 protected:
  Logo() {
    identity.deviceNumber = kDevice;
    AnswerBody(link::AckFrame(kDevice));
  }

  // Writes a bitmap file into the temporary folder and returns its path.
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    test::WriteBytes(dir / name, bytes);
    return dir / name;
  }
  std::string LoadFile(const std::string& name, const BmpSpec& shape) {
    const std::string path = WriteFile(name, BmpBytes(shape));
    EXPECT_TRUE(LoadLogo(state, settings, path));
    return path;
  }

  // The register answers with `reply` once the whole file has come after the header (nothing at
  // all when the reply is empty).
  void AnswerBody(link::Bytes reply) {
    opener.onOpen = [this, reply](test::ScriptedPort& port) {
      std::error_code ignored;
      const auto size = std::filesystem::file_size(state.path, ignored);
      port.SetResponder([reply, size, header = true, got = std::uintmax_t{0}](
                            test::ScriptedPort& p, const link::Bytes& written) mutable {
        if (header) {
          header = false;
          return;
        }
        got += written.size();
        if (got == size && !reply.empty()) p.Arrive(reply, 20ms);
      });
    };
  }

  bool Send() {
    progress.clear();
    return SendLogo(ctx, state, [this](int p) { progress.push_back(p); });
  }

  // Everything written after the header, in one piece; the sizes of the blocks.
  std::string Body(std::vector<std::size_t>* sizes = nullptr) const {
    std::string body;
    const auto& written = opener.last->Written();
    for (std::size_t i = 1; i < written.size(); ++i) {
      body.append(written[i].begin(), written[i].end());
      if (sizes) sizes->push_back(written[i].size());
    }
    return body;
  }

  // Progress went 0, 5, 6, ... one step per chunk.
  void ExpectProgressOverChunks(std::size_t chunks) {
    std::vector<int> expected{0};
    for (int p = 5; p <= 5 + static_cast<int>(chunks); ++p) expected.push_back(p);
    EXPECT_EQ(progress, expected);
  }

  void ExpectOnlyMessage(const std::string& text) {
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text, text);
    EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
  }

  test::TempDir dir;
  app::SettingsFile settings{dir / "nuvrel.ini"};
  test::FakeClock clock;
  test::RecordingUi ui;
  test::ScriptedOpener opener{clock};
  link::RegisterIdentity identity;
  TransferContext ctx{ui, clock, opener, identity, 0};
  LogoState state;
  std::vector<int> progress;
};

TEST_F(Logo, BodyIsCutIntoHundredthsOfAtLeastOneByte) {
  struct Case {
    BmpSpec shape;
    std::size_t size;
    std::vector<std::size_t> chunks;
  };
  std::vector<std::size_t> of2302(100, 23), of4096(102, 40);
  of2302.push_back(2);
  of4096.push_back(16);
  const Case cases[] = {
      {{}, 2302, of2302},
      {{.width = 32, .height = 1000, .padTo = 4096}, 4096, of4096},
      {{.width = 32, .height = 22}, 150, std::vector<std::size_t>(150, 1)},
      // Under 100 bytes the chunk size would be 0 and no body would be sent.
      {{.width = 32, .height = 7, .coreHeader = true}, 60, std::vector<std::size_t>(60, 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    const std::string path = LoadFile("logo" + std::to_string(c.size) + ".bmp", c.shape);
    ASSERT_EQ(std::filesystem::file_size(path), c.size);
    ASSERT_TRUE(Send());
    std::vector<std::size_t> sizes;
    EXPECT_EQ(Body(&sizes), *test::ReadBytes(path));
    EXPECT_EQ(sizes, c.chunks);
    ExpectProgressOverChunks(c.chunks.size());
  }
  // Exactly 4096 bytes asked nothing; one more would have.
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_FALSE(LogoNeedsSizeQuestion(4096));
  EXPECT_TRUE(LogoNeedsSizeQuestion(4097));
}

TEST_F(Logo, EachQuestionComesForItsOwnReasonAndNoSendsNothing) {
  const BmpSpec photo{.width = 100, .height = 50, .bitsPerPixel = 24};
  const struct {
    BmpSpec shape;
    std::vector<bool> answers;
    std::vector<Sid> questions;
    bool sent;
  } cases[] = {
      {photo, {true, true}, {Sid::LogoTooManyColors, Sid::LogoTooLarge}, true},
      {{.width = 8, .height = 8, .bitsPerPixel = 4}, {true}, {Sid::LogoTooManyColors}, true},
      {{.width = 640, .height = 80}, {true}, {Sid::LogoTooLarge}, true},
      {photo, {false}, {Sid::LogoTooManyColors}, false},
      {photo, {true, false}, {Sid::LogoTooManyColors, Sid::LogoTooLarge}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.answers));
    LoadFile("asked.bmp", c.shape);
    ui.questions.clear();
    ui.answers.assign(c.answers.begin(), c.answers.end());
    const int opened = opener.opened;
    EXPECT_EQ(Send(), c.sent);
    std::vector<Sid> asked;
    for (const auto& q : ui.questions) {
      asked.push_back(q.text == app::Text(Sid::LogoTooLarge) ? Sid::LogoTooLarge
                                                             : Sid::LogoTooManyColors);
      EXPECT_EQ(q.icon,
                asked.back() == Sid::LogoTooLarge ? app::Icon::Information : app::Icon::Question);
      EXPECT_FALSE(q.noIsDefault);
    }
    EXPECT_EQ(asked, c.questions);
    EXPECT_EQ(opener.opened - opened, c.sent ? 1 : 0);
    if (!c.sent) {
      EXPECT_EQ(progress, std::vector<int>{0});
    }
  }
  EXPECT_EQ(state.colours, 16777216U);
  EXPECT_EQ(state.infoLine, "Width: 100    Height: 50    Colors: 16777216");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Logo, WithoutAFileOnlyTheColourQuestionOfAnEarlierBitmapComesBeforeSelectFile) {
  // The built-in bitmap is never sent, and its colours are not counted.
  ASSERT_TRUE(LoadLogo(state, settings, ""));
  EXPECT_TRUE(state.loaded && state.builtIn);
  EXPECT_EQ(state.colours, 0U);
  EXPECT_TRUE(state.infoLine.empty());
  EXPECT_FALSE(Send());
  ExpectOnlyMessage(std::string(app::Text(Sid::LogoSelectFile)));
  EXPECT_TRUE(ui.questions.empty());

  // A failed load leaves no bitmap but keeps the info line, the path and the colours.
  const std::string good = LoadFile("photo.bmp", {.width = 10, .height = 10, .bitsPerPixel = 8});
  const std::string infoLine = state.infoLine;
  EXPECT_FALSE(LoadLogo(state, settings, WriteFile("broken.bmp", "BM not really")));
  EXPECT_FALSE(state.loaded);
  EXPECT_EQ(state.infoLine, infoLine);
  EXPECT_EQ(state.path, good);
  EXPECT_EQ(app::LogoPath(settings), good);
  ui.messages.clear();
  ui.answers = {false};
  EXPECT_FALSE(Send());
  EXPECT_EQ(ui.questions.size(), 1U);
  EXPECT_TRUE(ui.messages.empty());

  // The built-in bitmap leaves the count alone too.
  ASSERT_TRUE(LoadLogo(state, settings, ""));
  EXPECT_EQ(state.colours, 256U);
  ui.answers = {true};
  EXPECT_FALSE(Send());
  EXPECT_EQ(ui.questions.size(), 2U);
  ExpectOnlyMessage(std::string(app::Text(Sid::LogoSelectFile)));
  EXPECT_EQ(opener.opened, 0);
}

TEST_F(Logo, LineFailuresAndWrongAnswersEndTheTransferWithTheirMessage) {
  const auto answer = [this](link::Bytes reply) { return [this, reply] { AnswerBody(reply); }; };
  const auto onOpen = [this](std::function<void(test::ScriptedPort&)> f) {
    return [this, f] { opener.onOpen = f; };
  };
  const struct {
    const char* what;
    std::function<void()> setUp;
    std::string message;  // the start of it
    std::size_t progressSteps;
  } cases[] = {
      {"nak", answer(link::Bytes(10, link::kNakByte)), "ECR returned NACK!", 103},
      {"silence", answer({}), "Timeout communicating with ECR!", 103},
      {"another register", answer(link::AckFrame(kDevice + 1)),
       std::string(app::Text(Sid::BadEcrNumber)), 103},
      // Stale bytes on the line are not taken for the answer.
      {"stale", onOpen([](test::ScriptedPort& p) { p.Arrive(link::AckFrame(kDevice)); }),
       "Timeout communicating with ECR!", 103},
      {"no header", onOpen([](test::ScriptedPort& p) { p.FailWrites(); }), "Cannot send data!", 1},
      {"header only", onOpen([](test::ScriptedPort& p) {
         p.SetResponder([](test::ScriptedPort& q, const link::Bytes&) { q.FailWrites(); });
       }),
       "Cannot send data!", 2},
  };
  LoadFile("logo.bmp", {});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ui.messages.clear();
    c.setUp();
    EXPECT_FALSE(Send());
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text.rfind(c.message, 0), 0U) << ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
    // With an answer awaited, the whole body went out first.
    EXPECT_EQ(progress.size(), c.progressSteps);
    if (c.progressSteps > 2) {
      EXPECT_EQ(Body().size(), 2302U);
    }
  }
}

TEST_F(Logo, LoadingRemembersThePathAlsoWhenEmptyAndUnwritableSettingsDoNotStopIt) {
  const std::string path = LoadFile("logo.bmp", {});
  EXPECT_EQ(app::LogoPath(settings), path);
  ASSERT_TRUE(LoadLogo(state, settings, ""));
  EXPECT_EQ(app::LogoPath(settings), "");
  EXPECT_NE(test::ReadBytes(settings.Path())->find("image="), std::string::npos);
  EXPECT_TRUE(state.path.empty());

  app::SettingsFile stuck(dir / "no/such/folder/nuvrel.ini");
  ASSERT_TRUE(LoadLogo(state, stuck, path));
  EXPECT_EQ(app::LogoPath(stuck), "");
  EXPECT_EQ(state.path, path);
  EXPECT_TRUE(Send());
}

TEST_F(Logo, InitialLoadTriesRememberedThenDefaultThenBuiltIn) {
  const std::string programFolder = dir.Path();
  const std::string defaultPath = DefaultLogoPath(programFolder);
  EXPECT_EQ(std::filesystem::path(defaultPath).lexically_normal(),
            (std::filesystem::path(programFolder) / "EcrLogo/OrloLogo.bmp").lexically_normal());
  std::filesystem::create_directory(dir / "EcrLogo");
  test::WriteBytes(defaultPath, BmpBytes({.width = 100, .height = 20}));
  // Nothing remembered: the built-in bitmap at once, without trying the default file.
  InitialLoad(state, settings, programFolder);
  EXPECT_TRUE(state.loaded && state.builtIn);

  const std::string remembered = WriteFile("mine.bmp", BmpBytes({.width = 50, .height = 10}));
  app::WriteLogoPath(settings, remembered);
  state = {};
  InitialLoad(state, settings, programFolder);
  EXPECT_TRUE(state.loaded);
  EXPECT_EQ(state.path, remembered);
  EXPECT_EQ(state.info.width, 50U);

  // The remembered file is gone: the default one, and it becomes the remembered one.
  std::filesystem::remove(remembered);
  state = {};
  InitialLoad(state, settings, programFolder);
  EXPECT_EQ(state.path, defaultPath);
  EXPECT_EQ(state.info.width, 100U);
  EXPECT_EQ(app::LogoPath(settings), defaultPath);

  // Neither file loads: the built-in bitmap.
  test::WriteBytes(defaultPath, "not a bitmap");
  app::WriteLogoPath(settings, remembered);
  state = {};
  InitialLoad(state, settings, programFolder);
  EXPECT_TRUE(state.loaded && state.builtIn);
  EXPECT_EQ(app::LogoPath(settings), "");
}

}  // namespace
}  // namespace nuvrel::transfers
