#pragma once

#include <filesystem>

#include "sim/host/HostBehaviour.h"

namespace rafta::sim {

// Present copies `shipped` there, Absent removes it, Unloadable writes a file that is no
// picture. Throws ModuleError when the shipped picture is missing or the file cannot be made.
void installGoalPicture(PictureMode mode, const std::filesystem::path& appData,
                        const std::filesystem::path& shipped);

}  // namespace rafta::sim
