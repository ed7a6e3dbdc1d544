// What both programs' command lines share: help and version to stdout with status 0, and any
// mistake as one line "program: what is wrong" with status 2.
#pragma once

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system.hpp"

namespace vormelda {

// Parses the arguments, in UTF-8 on every system; nullopt to go on, or the status to exit with.
inline std::optional<int> ParseCommandLine(CLI::App& app, int argc, char** argv,
                                           std::string_view program) {
  std::vector<std::string> arguments = ArgumentsUtf8(argc, argv);
  if (!arguments.empty()) arguments.erase(arguments.begin());  // the program's own name
  std::reverse(arguments.begin(), arguments.end());            // as CLI11 takes them
  try {
    app.parse(std::move(arguments));
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << program << ": " << e.what() << '\n';
    return 2;
  }
  return std::nullopt;
}

}  // namespace vormelda
