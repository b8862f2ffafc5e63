#pragma once

#include <filesystem>

namespace rafta::sim {

// Checks that a module file holds every byte its headers describe (ELF program and section
// headers and their contents; PE headers and the sections' raw data), so that a file cut short
// is refused by name instead of faulting when the loader maps the part that is not there.
// Throws ModuleError naming the file. A missing file, or one in neither format, is left to the
// loader to refuse in its own words.
void checkModuleFile(const std::filesystem::path& file);

}  // namespace rafta::sim
