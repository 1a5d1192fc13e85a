// SPDX-License-Identifier: MIT
// On POSIX a path is the bytes of its text.
#include "app/utf8_path.h"

namespace nuvrel::app {

std::filesystem::path Utf8Path(std::string_view text) {
  return std::filesystem::path(std::string(text));
}

std::string PathText(const std::filesystem::path& path) {
  return path.native();
}

}  // namespace nuvrel::app
