#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#endif

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <span>
#include <system_error>

#include "sim/errors/Errors.h"
#include "sim/plugin/PluginFacts.h"
#include "sim/run/Arguments.h"
#include "sim/run/ModuleLibrary.h"
#include "sim/run/Session.h"
#include "sim/text/Text.h"

namespace {

using rafta::sim::ExitCode;

// The plugin module and the shipped picture sit beside the program.
#if defined(_WIN32)

std::filesystem::path programFolder(const char* /*argv0*/) {
  char self[MAX_PATH] = {};  // NOLINT(*-avoid-c-arrays): the system's buffer
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path();
}

// The log's bytes are the plugin's own: no line break may become CR LF on the way out.
void keepOutputBytes() { ::_setmode(::_fileno(stdout), _O_BINARY); }

#else

std::filesystem::path programFolder(const char* argv0) {
  std::error_code error;
  auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    self = std::filesystem::absolute(argv0, error);
  }
  return self.parent_path();
}

void keepOutputBytes() {}

#endif

int exitWith(ExitCode code, const std::string& message) {
  std::cout.flush();
  if (!message.empty()) {
    std::cerr << rafta::sim::printable(message) << '\n';
  }
  return static_cast<int>(code);
}

int run(const rafta::sim::Arguments& arguments, const std::filesystem::path& folder) {
  auto options = arguments.session;
  options.shippedPicture = rafta::sim::plugin_facts::shippedGoalPicture(folder);
  const auto module =
      arguments.module.empty() ? folder / rafta::sim::plugin_facts::kModuleFile : arguments.module;
  std::unique_ptr<rafta::sim::Session> session;
  try {
    session = std::make_unique<rafta::sim::Session>(
        std::make_unique<rafta::sim::ModuleLibrary>(module), options);
  } catch (const rafta::sim::RunError& failure) {
    // The command line was well formed: what it names is what cannot be used.
    return exitWith(failure.code(), std::string("rafta-sim: ") + failure.what());
  }
  const auto result = session->runFile(arguments.script);
  return exitWith(result.code, result.message);
}

}  // namespace

int main(int argc, char** argv) {
  keepOutputBytes();
  try {
    const auto arguments = rafta::sim::parseArguments(
        std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)));
    if (arguments.help) {
      std::cout << rafta::sim::usage() << std::flush;
      return std::cout ? EXIT_SUCCESS : static_cast<int>(ExitCode::HostIoFailed);
    }
    return run(arguments, programFolder(argv[0]));
  } catch (const rafta::sim::RunError& failure) {
    std::cerr << "rafta-sim: " << rafta::sim::printable(failure.what()) << '\n'
              << rafta::sim::usage();
    return static_cast<int>(failure.code());
  } catch (const std::exception& error) {
    return exitWith(ExitCode::BadScript, std::string("rafta-sim: ") + error.what());
  }
}
