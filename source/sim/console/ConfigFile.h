#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "sim/text/Text.h"

namespace rafta::sim {

// Variable name -> stored text.
using StoredValues = std::map<std::string, std::string>;

// The host's configuration file: one variable a line, the name, a blank and the value in double
// quotes, optionally followed by `//` and a description. A missing file is an empty configuration;
// a malformed line is reported to `warn` (file and line named) and skipped.
[[nodiscard]] StoredValues readConfig(const std::filesystem::path& file, const TextSink& warn);

// Replaces the file as a whole: a new file beside it, then a rename, so a crash never leaves half a
// file. Creates the folders on the way. Throws std::runtime_error when the file cannot be written,
// or is read-only (then it stays as it is, even for root).
void writeConfig(const std::filesystem::path& file, const StoredValues& values);

// A run killed between writing its temporary and the rename leaves the temporary beside the file
// (or its link's target), hidden and marked as no user names a file; only files named so go. Only
// an earlier run can have left one, so a host sweeps once, before its first write.
void removeLeftTemporaries(const std::filesystem::path& file);

}  // namespace rafta::sim
