// What both programs' command lines share: help and version to stdout with status 0, and any
// mistake as one line "program: what is wrong" with status 2.
#pragma once

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string_view>

namespace vormelda {

// Parses; nullopt to go on, or the status to exit with.
inline std::optional<int> ParseCommandLine(CLI::App& app, int argc, char** argv,
                                           std::string_view program) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << program << ": " << e.what() << '\n';
    return 2;
  }
  return std::nullopt;
}

}  // namespace vormelda
