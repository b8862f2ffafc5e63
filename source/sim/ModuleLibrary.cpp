#include "ModuleLibrary.h"

#include <dlfcn.h>

#include <string>
#include <utility>

#include "Faults.h"

namespace rafta::sim {

ModuleLibrary::ModuleLibrary(std::filesystem::path path) : path_(std::move(path)) {}

ModuleLibrary::~ModuleLibrary() { close(); }

// The host has one thread, so the loader's error text cannot change under it.
// NOLINTBEGIN(concurrency-mt-unsafe)
BakkesMod::Plugin::PluginInfo& ModuleLibrary::open() {
  if (handle_ == nullptr) {
    handle_ = ::dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
      const char* why = ::dlerror();
      throw ModuleError("cannot load module " + path_.string() + ": " +
                        (why != nullptr ? why : "unknown error"));
    }
  }
  symbol("getPlugin");
  symbol("deleteMe");
  return *static_cast<BakkesMod::Plugin::PluginInfo*>(symbol("exports"));
}

void ModuleLibrary::close() {
  if (handle_ != nullptr) {
    ::dlclose(handle_);
    handle_ = nullptr;
  }
}

void* ModuleLibrary::symbol(const char* name) {
  ::dlerror();
  void* address = ::dlsym(handle_, name);
  if (address == nullptr) {
    const char* why = ::dlerror();
    throw ModuleError("module " + path_.string() + " lacks the export " + name +
                      (why != nullptr ? std::string(" (") + why + ")" : std::string()));
  }
  return address;
}

// NOLINTEND(concurrency-mt-unsafe)

}  // namespace rafta::sim
