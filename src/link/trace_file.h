// SPDX-License-Identifier: MIT
// Opening the file a trace is written to (see TraceLog).
#pragma once

#include <cstdio>
#include <string>

namespace nuvrel::link {

// The stream for the trace at path (UTF-8), written as bytes; nullptr with the system's reason in
// error when it cannot be opened.
std::FILE* OpenTraceFile(const std::string& path, std::string& error);

}  // namespace nuvrel::link
