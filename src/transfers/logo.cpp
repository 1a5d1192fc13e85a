// SPDX-License-Identifier: MIT
#include "transfers/logo.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <vector>

#include "app/format.h"
#include "app/program_files.h"
#include "app/settings.h"
#include "app/strings.h"
#include "app/utf8_path.h"
#include "link/handshake.h"
#include "transfers/register_session.h"

namespace nuvrel::transfers {
namespace {

// Progress positions: the start, and the header sent; each chunk adds one.
constexpr int kProgressStart = 0;
constexpr int kProgressHeaderSent = 5;
constexpr std::uint64_t kChunksPerFile = 100;

void ShowProgress(const std::function<void(int)>& progress, int position) {
  if (progress) progress(position);
}

bool CannotOpen(app::Ui& ui, const std::string& path) {
  ui.ShowMessage(app::Format(app::Sid::FileCannotOpen, {path}), app::Icon::Error);
  return false;
}

bool OutOfMemory(app::Ui& ui) {
  ui.ShowMessage(app::Text(app::Sid::CannotAllocateMemory), app::Icon::Error);
  return false;
}

}  // namespace

std::string DefaultLogoPath(std::string_view programFolder) {
  return app::ShippedFile(programFolder, "EcrLogo/OrloLogo.bmp");
}

bool LoadLogo(LogoState& state, app::SettingsFile& settings, const std::string& path) {
  state.loaded = false;
  if (path.empty()) {
    state.info = kBuiltInLogo;
    state.builtIn = true;
  } else {
    const auto info = ReadBmpFile(path);
    if (!info) return false;
    state.info = *info;
    state.builtIn = false;
    state.colours = ColourCount(info->bitsPerPixel);
    state.infoLine = app::Format(app::Sid::LogoInfo, {info->width, info->height, state.colours});
  }
  state.loaded = true;
  // The path is kept in the state as well as in the settings file: a settings file that cannot be
  // written must not make the logo just chosen unsendable, so the write's result does not matter.
  state.path = path;
  app::WriteLogoPath(settings, path);
  return true;
}

bool LoadDefaultLogo(LogoState& state, app::SettingsFile& settings,
                     std::string_view programFolder) {
  return LoadLogo(state, settings, DefaultLogoPath(programFolder));
}

void InitialLoad(LogoState& state, app::SettingsFile& settings, std::string_view programFolder) {
  if (LoadLogo(state, settings, app::LogoPath(settings))) return;
  if (LoadDefaultLogo(state, settings, programFolder)) return;
  LoadLogo(state, settings, "");
}

std::string AdvisedFormatText() {
  return app::Format(app::Sid::LogoInfo,
                     {kAdvisedLogoWidth, kAdvisedLogoHeight, kAdvisedLogoColours});
}

bool LogoNeedsColourQuestion(const LogoState& state) {
  return state.colours > kAdvisedLogoColours;
}

bool LogoNeedsSizeQuestion(std::uint64_t fileSize) {
  return fileSize > kAdvisedLogoFileSize;
}

std::uint64_t LogoChunkSize(std::uint64_t fileSize) {
  // A file under 100 bytes would otherwise get chunks of 0 bytes and be sent without its body.
  return std::max<std::uint64_t>(fileSize / kChunksPerFile, 1);
}

link::Bytes LogoHeader(std::uint32_t deviceNumber) {
  return link::BeginFrame(deviceNumber, kLogoLetter);
}

bool SendLogo(TransferContext& ctx, const LogoState& state,
              const std::function<void(int)>& progress) {
  app::Ui& ui = ctx.ui;
  ShowProgress(progress, kProgressStart);

  if (LogoNeedsColourQuestion(state) &&
      !ui.Ask(app::Text(app::Sid::LogoTooManyColors), app::Icon::Question, false)) {
    return false;
  }
  if (!state.loaded || state.path.empty()) {
    ui.ShowMessage(app::Text(app::Sid::LogoSelectFile), app::Icon::Error);
    return false;
  }

  // The file is sent as it is on disk now, not as it was when it was chosen. Only a regular file is
  // opened: a FIFO or a device would block or never end.
  const std::filesystem::path bitmap = app::Utf8Path(state.path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(bitmap, error)) return CannotOpen(ui, state.path);
  std::ifstream file(bitmap, std::ios::binary);
  if (!file) return CannotOpen(ui, state.path);
  file.seekg(0, std::ios::end);
  const std::streamoff end = file.tellg();
  file.seekg(0, std::ios::beg);
  if (end < 0 || !file) return CannotOpen(ui, state.path);
  const auto fileSize = static_cast<std::uint64_t>(end);

  if (LogoNeedsSizeQuestion(fileSize) &&
      !ui.Ask(app::Text(app::Sid::LogoTooLarge), app::Icon::Information, false)) {
    return false;
  }

  // The register takes a logo without being identified first.
  RegisterSession session(ctx);
  if (!session.Open(/*identify=*/false)) return false;
  // Whatever a register said before this transfer must not pass for its answer to this logo.
  session.Port().Purge();
  link::Channel& channel = session.Channel();
  if (!link::SendFrame(channel, LogoHeader(ctx.identity.deviceNumber))) return false;
  int position = kProgressHeaderSent;
  ShowProgress(progress, position);

  const std::uint64_t chunkSize = LogoChunkSize(fileSize);
  std::vector<std::uint8_t> chunk;
  try {
    chunk.resize(static_cast<std::size_t>(chunkSize));
  } catch (const std::bad_alloc&) {
    return OutOfMemory(ui);
  } catch (const std::length_error&) {
    return OutOfMemory(ui);
  }

  for (;;) {
    file.read(reinterpret_cast<char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
    const auto got = static_cast<std::size_t>(file.gcount());
    if (got == 0 || file.bad()) break;
    if (!link::SendFrame(channel, std::span(chunk.data(), got))) return false;
    ShowProgress(progress, ++position);
  }
  return link::AwaitAck(channel);
}

}  // namespace nuvrel::transfers
