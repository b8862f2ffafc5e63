#include "TestSupport.h"

#include <array>
#include <cstdint>

namespace rafta::sim::testing {
namespace {

// The one FakeLibrary whose record the host reads: the entry points are plain functions.
FakeLibrary* current = nullptr;

}  // namespace

std::string tinyPng() {
  constexpr std::array<std::uint8_t, 71> bytes{
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
      0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xF4,
      0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00, 0x0E, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8,
      0xCF, 0xC0, 0x00, 0x42, 0x0D, 0x00, 0x0F, 0x7A, 0x03, 0x7E, 0x77, 0xE9, 0x7F, 0x97, 0x00,
      0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  return {bytes.begin(), bytes.end()};
}

void ScriptedPlugin::onLoad() {
  if (load_) {
    load_(*this);
  }
}

void ScriptedPlugin::onUnload() {
  if (unload_) {
    unload_(*this);
  }
}

FakeLibrary::FakeLibrary(Journal& journal, ScriptedPlugin::Action load,
                         ScriptedPlugin::Action unload)
    : FakeLibrary(journal, [load = std::move(load), unload = std::move(unload)] {
        return std::make_shared<ScriptedPlugin>(load, unload);
      }) {}

FakeLibrary::FakeLibrary(Journal& journal, Maker make) : journal_(journal), make_(std::move(make)) {
  info_.apiBuildVersion = 95;
  info_.className = "ScriptedPlugin";
  info_.initializeFunc = &FakeLibrary::getPlugin;
  info_.delFunc = &FakeLibrary::deleteMe;
}

FakeLibrary::~FakeLibrary() {
  if (current == this) {
    current = nullptr;
  }
}

BakkesMod::Plugin::PluginInfo& FakeLibrary::open() {
  journal_.events.emplace_back("open");
  current = this;
  return info_;
}

void FakeLibrary::close() {
  journal_.events.emplace_back("close");
  if (journal_.onClose) {
    journal_.onClose();
  }
}

std::uintptr_t FakeLibrary::getPlugin() {
  current->journal_.events.emplace_back("getPlugin");
  if (!current->handle_) {
    current->handle_ = current->make_();
  }
  return reinterpret_cast<std::uintptr_t>(&current->handle_);
}

void FakeLibrary::deleteMe() {
  current->journal_.events.emplace_back("deleteMe");
  current->handle_.reset();
}

CapturedSession::CapturedSession(std::unique_ptr<PluginLibrary> library, SessionOptions options) {
  options.out = [this](const std::string& line) { out.push_back(line); };
  options.err = [this](const std::string& line) { err.push_back(line); };
  session = std::make_unique<Session>(std::move(library), std::move(options));
}

}  // namespace rafta::sim::testing
