// SPDX-License-Identifier: MIT
// ecrsim: a simulated cash register on a pseudo-terminal. See simulator.h and `ecrsim --help`.
#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/version.h"
#include "sim/options.h"
#include "sim/simulator.h"

int main(int argc, char** argv) {
  // A reader that went away must not kill the simulator in the middle of a write.
  ::signal(SIGPIPE, SIG_IGN);

  const std::vector<std::string> args(argv + 1, argv + argc);
  const nuvrel::sim::OptionsParse parsed = nuvrel::sim::ParseOptions(args);
  const std::string_view usage = nuvrel::sim::UsageText();
  if (parsed.error) {
    std::fprintf(stderr, "ecrsim: %s\n", parsed.error->c_str());
    std::fwrite(usage.data(), 1, usage.size(), stderr);
    return 2;
  }
  if (parsed.options.help) {
    std::fwrite(usage.data(), 1, usage.size(), stdout);
    return 0;
  }
  if (parsed.options.version) {
    std::printf("ecrsim %s\n", NUVREL_VERSION);
    return 0;
  }
  return nuvrel::sim::RunSimulator(parsed.options, stdout, stderr);
}
