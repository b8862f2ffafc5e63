#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "sim/faults/FaultInjector.h"

namespace rafta::sim {

struct CommandLine {
  bool help = false;
  std::filesystem::path script;
  // Empty: the default of each.
  std::filesystem::path module;
  std::filesystem::path appData;
  std::filesystem::path config;
  std::filesystem::path png;
  bool raw = false;
  bool trace = false;
  std::optional<FaultPlan> faults;
};

// The arguments after the program name. Throws ScriptError on a malformed command line.
[[nodiscard]] CommandLine parseCommandLine(std::span<const char* const> args);

[[nodiscard]] std::string_view usage();

}  // namespace rafta::sim
