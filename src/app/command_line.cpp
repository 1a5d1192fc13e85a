// SPDX-License-Identifier: MIT
#include "app/command_line.h"

namespace nuvrel::app {
namespace {

const KnownOption* Find(std::span<const KnownOption> known, std::string_view name) {
  for (const KnownOption& option : known) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

}  // namespace

SplitCommandLine SplitArgs(std::span<const std::string> args, std::span<const KnownOption> known) {
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
    const KnownOption* option = Find(known, name);
    if (option == nullptr) return fail("unknown option '" + std::string(name) + "'");
    GivenOption given{option->name, {}};
    if (equals != std::string_view::npos) {
      if (!option->takesValue) return fail("option " + std::string(name) + " takes no value");
      given.value = arg.substr(equals + 1);
    } else if (option->takesValue) {
      if (i + 1 >= args.size()) return fail("option " + std::string(name) + " needs a value");
      given.value = args[++i];
    }
    result.options.push_back(std::move(given));
  }
  return result;
}

}  // namespace nuvrel::app
