#include "sim/run/Arguments.h"

#include <charconv>
#include <map>
#include <string>
#include <system_error>

#include "sim/errors/Errors.h"
#include "sim/faults/FaultInjector.h"

namespace rafta::sim {
namespace {

// What an option that takes a value does with it.
using ValueOption = void (*)(Arguments&, std::string_view);

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

// `RATE:SEED`.
FaultPlan parseFaultPlan(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) {
    throw ScriptError("--faults: expected RATE:SEED, found " + std::string(text));
  }
  const auto rateText = text.substr(0, colon);
  double rate = 0.0;
  const auto [end, error] =
      std::from_chars(rateText.data(), rateText.data() + rateText.size(), rate);
  if (error != std::errc{} || end != rateText.data() + rateText.size() ||
      !(rate >= 0.0 && rate <= 1.0)) {
    throw ScriptError("--faults: the rate must be a number from 0 to 1");
  }
  const auto seed = parseSeed(text.substr(colon + 1));
  if (!seed) {
    throw ScriptError("--faults: the seed must be a whole number from 0 to 18446744073709551615");
  }
  return {rate, *seed, kAllFaultKinds};
}

const std::map<std::string_view, ValueOption>& valueOptions() {
  static const std::map<std::string_view, ValueOption> options{
      {"--module", [](Arguments& a, std::string_view v) { a.module = v; }},
      {"--appdata", [](Arguments& a, std::string_view v) { a.session.appData = v; }},
      {"--config", [](Arguments& a, std::string_view v) { a.session.configFile = v; }},
      {"--png", [](Arguments& a, std::string_view v) { a.session.pictureFolder = v; }},
      {"--faults", [](Arguments& a, std::string_view v) { a.session.faults = parseFaultPlan(v); }}};
  return options;
}

// Takes `--name VALUE` or `--name=VALUE` at args[i]; false when args[i] is no such option.
bool takeValueOption(Arguments& arguments, std::span<const char* const> args, std::size_t& i) {
  const std::string_view arg = args[i];
  const auto equals = arg.find('=');
  const auto found = valueOptions().find(arg.substr(0, equals));
  if (found == valueOptions().end()) {
    return false;
  }
  std::string_view value;
  if (equals != std::string_view::npos) {
    value = arg.substr(equals + 1);
  } else if (i + 1 < args.size()) {
    value = args[++i];
  }
  found->second(arguments, optionValue(found->first, value));
  return true;
}

}  // namespace

Arguments parseArguments(std::span<const char* const> args) {
  Arguments arguments;
  if (args.size() == 1 && std::string_view(args[0]) == "--help") {
    arguments.help = true;
    return arguments;
  }
  if (args.empty() || std::string_view(args[0]) != "run") {
    throw ScriptError("expected a command: run SCRIPT, or --help");
  }
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--raw") {
      arguments.session.raw = true;
    } else if (arg == "--trace") {
      arguments.session.trace = true;
    } else if (arg == "--help") {
      arguments.help = true;
    } else if (takeValueOption(arguments, args, i)) {
      continue;
    } else if (arg.starts_with("--") || !arguments.script.empty()) {
      throw ScriptError("unexpected argument " + std::string(arg));
    } else {
      arguments.script = arg;
    }
  }
  if (arguments.script.empty() && !arguments.help) {
    throw ScriptError("run: missing SCRIPT");
  }
  return arguments;
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
