#include "sim/run/CommandLine.h"

#include <map>
#include <string>

#include "sim/base/Errors.h"

namespace rafta::sim {
namespace {

using PathOption = std::filesystem::path CommandLine::*;

// `--png --raw` would otherwise take the next option for a folder and drop what the user meant;
// a file whose name starts so is still reachable as ./--name.
std::string_view optionValue(std::string_view option, std::string_view value) {
  if (value.empty()) {
    throw ScriptError(std::string(option) + " needs a value");
  }
  if (value.starts_with("--")) {
    throw ScriptError(std::string(option) + " needs a value, found the option " +
                      std::string(value));
  }
  return value;
}

const std::map<std::string_view, PathOption>& pathOptions() {
  static const std::map<std::string_view, PathOption> options{{"--module", &CommandLine::module},
                                                              {"--appdata", &CommandLine::appData},
                                                              {"--config", &CommandLine::config},
                                                              {"--png", &CommandLine::png}};
  return options;
}

// Takes `--name VALUE` or `--name=VALUE` at args[i]; false when args[i] is no path option.
bool takePathOption(CommandLine& line, std::span<const char* const> args, std::size_t& i) {
  const std::string_view arg = args[i];
  const auto equals = arg.find('=');
  const auto found = pathOptions().find(arg.substr(0, equals));
  if (found == pathOptions().end()) {
    return false;
  }
  std::string_view value;
  if (equals != std::string_view::npos) {
    value = arg.substr(equals + 1);
  } else if (i + 1 < args.size()) {
    value = args[++i];
  }
  line.*(found->second) = optionValue(found->first, value);
  return true;
}

}  // namespace

CommandLine parseCommandLine(std::span<const char* const> args) {
  CommandLine line;
  if (args.size() == 1 && std::string_view(args[0]) == "--help") {
    line.help = true;
    return line;
  }
  if (args.empty() || std::string_view(args[0]) != "run") {
    throw ScriptError("expected a command: run SCRIPT, or --help");
  }
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--raw") {
      line.raw = true;
    } else if (arg == "--trace") {
      line.trace = true;
    } else if (arg == "--help") {
      line.help = true;
    } else if (arg == "--faults" || arg.starts_with("--faults=")) {
      const bool joined = arg != "--faults";
      if (!joined && i + 1 >= args.size()) {
        throw ScriptError("--faults needs a value");
      }
      line.faults = parseFaultPlan(
          optionValue("--faults", joined ? arg.substr(9) : std::string_view(args[++i])));
    } else if (takePathOption(line, args, i)) {
      continue;
    } else if (arg.starts_with("--") || !line.script.empty()) {
      throw ScriptError("unexpected argument " + std::string(arg));
    } else {
      line.script = arg;
    }
  }
  if (line.script.empty() && !line.help) {
    throw ScriptError("run: missing SCRIPT");
  }
  return line;
}

std::string_view usage() {
  return "usage: rafta-sim run SCRIPT [options]   play a session script\n"
         "       rafta-sim --help\n"
         "options:\n"
         "  --module PATH   the plugin module to load (default: the Rafta module beside "
         "rafta-sim)\n"
#if defined(_WIN32)
         "  --appdata DIR   refused on Windows, where the shell reports the user's roaming\n"
         "                  application-data folder\n"
#else
         "  --appdata DIR   the user's roaming application-data folder (default: a folder made\n"
         "                  for the run)\n"
#endif
         "  --config FILE   the host's configuration file (default:\n"
         "                  <appdata>/bakkesmod/bakkesmod/cfg/config.cfg)\n"
         "  --png DIR       write every drawn frame as DIR/frame-NNNN.png and every drawn\n"
         "                  settings page as DIR/settings-NNNN.png (NNNN from 0001)\n"
         "  --raw           write log lines as Windows-1252 bytes instead of UTF-8\n"
         "  --trace         also print host-side events, each line starting with '| '\n"
         "  --faults RATE:SEED  answer wrongly at that rate (0 to 1), reproducibly from SEED\n"
         "                  (null handles, hostile ids, numbers, console values, screen sizes,\n"
         "                  configuration lines, yes/no answers), as `faults RATE SEED` does\n"
         "exit status: 0 success, 1 an expect failed, 2 malformed script or command line,\n"
         "             3 the module cannot be loaded, 4 a host write failed (configuration,\n"
         "             pictures, standard output; the session runs to its end first)\n";
}

}  // namespace rafta::sim
