#include "sim/run/ModuleLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <string>
#include <system_error>
#include <utility>

#include "sim/errors/Errors.h"
#include "sim/run/ModuleFile.h"

namespace rafta::sim {
namespace {

#if defined(_WIN32)

// The loader's own words for its last failure, without the trailing line break.
std::string lastSystemError() {
  const DWORD code = ::GetLastError();
  char text[512] = {};  // NOLINT(*-avoid-c-arrays): the system's buffer
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(code) : message;
}

void* openLibrary(const std::filesystem::path& path) {
  return ::LoadLibraryA(path.string().c_str());
}

void closeLibrary(void* handle) { ::FreeLibrary(static_cast<HMODULE>(handle)); }

void* findSymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle), name));
}

#else

// The host has one thread, so the loader's error text cannot change under it.
// NOLINTBEGIN(concurrency-mt-unsafe)
std::string lastSystemError() {
  const char* why = ::dlerror();
  return why != nullptr ? why : "unknown error";
}

void* openLibrary(const std::filesystem::path& path) {
  return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void closeLibrary(void* handle) { ::dlclose(handle); }

void* findSymbol(void* handle, const char* name) {
  ::dlerror();
  return ::dlsym(handle, name);
}
// NOLINTEND(concurrency-mt-unsafe)

#endif

}  // namespace

ModuleLibrary::ModuleLibrary(std::filesystem::path path) : path_(std::move(path)) {}

ModuleLibrary::~ModuleLibrary() { close(); }

BakkesMod::Plugin::PluginInfo& ModuleLibrary::open() {
  if (handle_ == nullptr) {
    checkModuleFile(path_);
    // A bare name would be looked up in the system's library folders (and beside rafta-sim),
    // not in the current folder that a user means.
    std::error_code error;
    const auto file = std::filesystem::absolute(path_, error);
    handle_ = openLibrary(error ? path_ : file);
    if (handle_ == nullptr) {
      throw ModuleError("cannot load module " + path_.string() + ": " + lastSystemError());
    }
  }
  symbol("getPlugin");
  symbol("deleteMe");
  return *static_cast<BakkesMod::Plugin::PluginInfo*>(symbol("exports"));
}

void ModuleLibrary::close() {
  if (handle_ != nullptr) {
    closeLibrary(handle_);
    handle_ = nullptr;
  }
}

void* ModuleLibrary::symbol(const char* name) {
  void* address = findSymbol(handle_, name);
  if (address == nullptr) {
    throw ModuleError("module " + path_.string() + " lacks the export " + name + " (" +
                      lastSystemError() + ")");
  }
  return address;
}

}  // namespace rafta::sim
