// SPDX-License-Identifier: MIT
// The logo: which bitmap is chosen (a file or the built-in one) and sending it to the register. The
// register takes the bitmap file exactly as it is stored, headers and colour table included, behind
// an 8-byte header; the PC converts nothing.
//
//   logo header   PC -> ECR   0:0xAA 1-6:device digits 7:'R'       (8, no check pair, no LF)
//   logo body     PC -> ECR   the file's bytes, in chunks of size / 100 (at least 1)
//   reply         ECR -> PC   the acknowledgement
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/settings_file.h"
#include "link/frames.h"
#include "transfers/bmp_info.h"
#include "transfers/transfer_context.h"

namespace nuvrel::transfers {

// The bitmap built into the program (shown when no file is chosen); it is not a file, so its size
// is 0 and it cannot be sent.
inline constexpr BmpInfo kBuiltInLogo{384, 80, 8, 0};
// The register prints this format; other bitmaps may be sent after a question.
inline constexpr std::uint32_t kAdvisedLogoWidth = 224;
inline constexpr std::uint32_t kAdvisedLogoHeight = 80;
inline constexpr std::uint32_t kAdvisedLogoColours = 2;
// A file larger than this makes the transfer ask first.
inline constexpr std::uint64_t kAdvisedLogoFileSize = 4096;
inline constexpr char kLogoLetter = 'R';

// The chosen logo; it belongs to the program and outlives the Logo Manager dialog.
struct LogoState {
  bool loaded = false;
  bool builtIn = false;
  BmpInfo info{};
  // Colours of the last bitmap loaded from a file: 0 at start, and left as it was when the built-in
  // bitmap is loaded or a load fails.
  std::uint32_t colours = 0;
  std::string infoLine;  // "Width: ...", empty until a file is loaded
  std::string path;      // the path of the last successful load, empty for the built-in bitmap
};

// EcrLogo/OrloLogo.bmp beside the program, or in the installed data folder (see ShippedFile).
std::string DefaultLogoPath(std::string_view programFolder);

// Loads the bitmap file at path, or the built-in bitmap when path is empty, and remembers the path
// in the state and in the settings file. False when the file is not a bitmap this program accepts:
// then nothing is loaded, and the info line and the remembered path stay as they were.
bool LoadLogo(LogoState& state, app::SettingsFile& settings, const std::string& path);

// LoadLogo of DefaultLogoPath(programFolder).
bool LoadDefaultLogo(LogoState& state, app::SettingsFile& settings, std::string_view programFolder);

// At program start: the path remembered in the settings file, else the default file, else the
// built-in bitmap.
void InitialLoad(LogoState& state, app::SettingsFile& settings, std::string_view programFolder);

// "Width: 224    Height: 80    Colors: 2": the format the register prints.
std::string AdvisedFormatText();

// True when sending must first ask about the colours (more than 2).
bool LogoNeedsColourQuestion(const LogoState& state);

// True when sending a file of this size must first ask whether it is meant.
bool LogoNeedsSizeQuestion(std::uint64_t fileSize);

// The size of each chunk of the body: a hundredth of the file, at least one byte.
std::uint64_t LogoChunkSize(std::uint64_t fileSize);

// The 8-byte header before the body.
link::Bytes LogoHeader(std::uint32_t deviceNumber);

// Sends the loaded bitmap file, read afresh from disk, to the register and awaits its
// acknowledgement; the register is not identified first, the header carries the device number the
// last identification left (0 when none). progress (may be empty) gets 0 at the start, 5 after the
// header and one more for every chunk, so it ends at 5 + the number of chunks (which can exceed
// 100: 108 for a 4096-byte file). Asks about more than 2 colours and about a file over 4096 bytes;
// returns false when the person declines, or after showing the message of whatever failed.
bool SendLogo(TransferContext& ctx, const LogoState& state,
              const std::function<void(int)>& progress);

}  // namespace nuvrel::transfers
