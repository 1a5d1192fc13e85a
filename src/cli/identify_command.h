// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>

namespace nuvrel::cli {

class Session;

// nuvrel-cli identify: prints the serial number, program version and country as the ECR setup
// dialog shows them.
int RunIdentify(Session& session, std::FILE* out);

}  // namespace nuvrel::cli
