// SPDX-License-Identifier: MIT
#include "app/command_line.h"

namespace nuvrel::app {
namespace {

const OptionSpec* Find(std::span<const OptionSpec> known, std::string_view name) {
  for (const OptionSpec& spec : known) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

}  // namespace

SplitCommandLine SplitArgs(std::span<const std::string> args, std::span<const OptionSpec> known) {
  SplitCommandLine result;
  auto fail = [&result](std::string error) {
    result.options.clear();
    result.operands.clear();
    result.error = std::move(error);
    return result;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--") {
      result.operands.insert(result.operands.end(), args.begin() + static_cast<long>(i) + 1,
                             args.end());
      break;
    }
    if (arg.size() < 2 || arg[0] != '-') {
      result.operands.emplace_back(arg);
      continue;
    }
    // Only a long option carries its value after '='; "-o=x" is the option "-o=x".
    const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string_view::npos;
    const std::string_view name = arg.substr(0, equals);
    const OptionSpec* spec = Find(known, name);
    if (spec == nullptr) return fail("unknown option '" + std::string(name) + "'");
    GivenOption given{spec->name, {}};
    if (equals != std::string_view::npos) {
      if (!spec->takesValue) return fail("option " + std::string(name) + " takes no value");
      given.value = arg.substr(equals + 1);
    } else if (spec->takesValue) {
      if (i + 1 >= args.size()) return fail("option " + std::string(name) + " needs a value");
      given.value = args[++i];
    }
    result.options.push_back(std::move(given));
  }
  return result;
}

}  // namespace nuvrel::app
