#pragma once

#include <filesystem>
#include <span>
#include <string_view>

#include "sim/run/Session.h"

namespace rafta::sim {

// What rafta-sim was asked on its command line: `run SCRIPT [options]`, or `--help`.
struct Arguments {
  bool help = false;
  std::filesystem::path script;
  // Empty: the plugin module beside rafta-sim.
  std::filesystem::path module;
  // What --appdata, --config, --png, --raw, --trace and --faults ask of the session.
  SessionOptions session;
};

// The arguments after the program name. Throws ScriptError on a malformed command line.
[[nodiscard]] Arguments parseArguments(std::span<const char* const> args);

[[nodiscard]] std::string_view usage();

}  // namespace rafta::sim
