// SPDX-License-Identifier: MIT
// Paths and the UTF-8 text that carries them (command lines, the settings file, messages). On POSIX
// a path is its bytes; on Windows it is UTF-16, and std::filesystem would read a narrow text in the
// ANSI code page, losing every character outside it. These conversions go through UTF-8 on every
// platform and never throw: what is not valid UTF-8 (or UTF-16) becomes U+FFFD.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace nuvrel::app {

// The separators of a path on this platform; the first is the one the platform writes.
#ifdef _WIN32
inline constexpr std::string_view kPathSeparators = "\\/";
#else
inline constexpr std::string_view kPathSeparators = "/";
#endif

// The path a UTF-8 text names.
std::filesystem::path Utf8Path(std::string_view text);

// The path as UTF-8 text.
std::string PathText(const std::filesystem::path& path);

}  // namespace nuvrel::app
