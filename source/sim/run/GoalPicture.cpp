#include "sim/run/GoalPicture.h"

#include <fstream>
#include <system_error>

#include "sim/errors/Errors.h"
#include "sim/plugin/PluginFacts.h"

namespace rafta::sim {
namespace {

[[noreturn]] void fail(const std::filesystem::path& target, const std::string& why) {
  throw ModuleError("cannot install the goal picture " + target.string() + ": " + why);
}

void writeNonPicture(const std::filesystem::path& target) {
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out << "This file is not a picture.\n";
  if (!out) {
    fail(target, "cannot write it");
  }
}

}  // namespace

void installGoalPicture(PictureMode mode, const std::filesystem::path& appData,
                        const std::filesystem::path& shipped) {
  const auto target = plugin_facts::goalPicturePath(appData);
  std::error_code error;
  std::filesystem::remove(target, error);
  if (mode == PictureMode::Absent) {
    return;
  }
  std::filesystem::create_directories(target.parent_path(), error);
  if (error) {
    fail(target, error.message());
  }
  if (mode == PictureMode::Unloadable) {
    writeNonPicture(target);
    return;
  }
  if (!std::filesystem::copy_file(shipped, target, error)) {
    fail(target,
         "the shipped picture " + shipped.string() + " cannot be copied (" + error.message() + ")");
  }
}

}  // namespace rafta::sim
