// SPDX-License-Identifier: MIT
// UTF-8 and the UTF-16 of the Windows API, for the Windows pieces of the core.
#pragma once

#include <string>
#include <string_view>

namespace nuvrel::app {

// Invalid sequences become U+FFFD.
std::wstring WideText(std::string_view utf8);
std::string Utf8Text(std::wstring_view wide);

// The system's text for an error code of GetLastError, in UTF-8, without a trailing line end.
std::string SystemErrorText(unsigned long code);

}  // namespace nuvrel::app
