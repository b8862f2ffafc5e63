#include "PluginHost.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "Rafta.h"
#include "ScratchFolder.h"
#include "sim/host/PluginLibrary.h"

namespace rafta::testing {
namespace {

constexpr std::string_view kTraceMark = "| ";

Strings since(const Strings& lines, std::size_t start) {
  return {lines.begin() + static_cast<std::ptrdiff_t>(start), lines.end()};
}

}  // namespace

PluginHost::PluginHost(const std::string& configText) {
  sim::SessionOptions options;
  options.shippedPicture = RAFTA_GOAL_PICTURE;
  options.trace = true;
  options.out = [this](const std::string& line) {
    if (line.starts_with(kTraceMark)) {
      traceLines.push_back(line.substr(kTraceMark.size()));
    } else {
      logLines.push_back(line);
    }
  };
  options.err = [this](const std::string& line) { warningLines.push_back(line); };
  session = std::make_unique<sim::Session>(std::make_unique<sim::LinkedLibrary>(exports), options);
  if (!configText.empty()) {
    writeFile(sim::defaultConfigFile(session->appData()), configText);
  }
}

PluginHost::~PluginHost() = default;

void PluginHost::run(const std::string& script) {
  const sim::RunResult result = session->runText(script, "test.scn");
  if (result.code != sim::ExitCode::Ok) {
    ADD_FAILURE() << result.message;
  }
}

Strings PluginHost::linesOf(const std::string& script) {
  const std::size_t before = logLines.size();
  run(script);
  return since(logLines, before);
}

Strings PluginHost::traceOf(const std::string& script) {
  const std::size_t before = traceLines.size();
  run(script);
  return since(traceLines, before);
}

Strings PluginHost::queriesOf(const std::string& script) {
  Strings names;
  for (const std::string& line : traceOf(script)) {
    if (line.starts_with("query ")) {
      names.push_back(line.substr(6, line.find(" -> ") - 6));
    }
  }
  return names;
}

Strings PluginHost::frameOf(const std::string& script) {
  Strings calls;
  for (const std::string& line : traceOf(script + "\nframe")) {
    if (line == "frame") {
      calls.clear();
    } else if (line.starts_with("canvas DrawTexture ")) {
      // The picture by its file name: the folder is the session's own.
      const std::size_t scale = line.rfind(' ');
      const std::string path = line.substr(19, scale - 19);
      calls.push_back("DrawTexture " + std::filesystem::path(path).filename().string() +
                      line.substr(scale));
    } else if (line.starts_with("canvas ") && !line.starts_with("canvas GetStringSize ")) {
      calls.push_back(line.substr(7));
    }
  }
  return calls;
}

std::string PluginHost::countersShown(const std::string& script) {
  constexpr std::string_view kMeasure = "canvas GetStringSize \"";
  std::string shown;
  for (const std::string& line : traceOf(script + "\nframe")) {
    if (line.starts_with(kMeasure)) {
      shown = line.substr(kMeasure.size(), line.rfind('"') - kMeasure.size());
    }
  }
  return shown;
}

void PluginHost::dropVariable(const std::string& name) {
  if (!host().console().removeCvar(name)) {
    ADD_FAILURE() << name << " was not registered";
  }
}

void PluginHost::registerVariable(const std::string& name, const std::string& defaultValue) {
  (void)host().console().registerCvar(name, defaultValue, {});
}

std::string PluginHost::lastLog() const { return logLines.empty() ? "" : logLines.back(); }

std::string PluginHost::cvar(const std::string& name) {
  const sim::ConsoleVariable* variable = host().console().findCvar(name);
  return variable == nullptr ? "<unregistered>" : variable->text();
}

std::string PluginHost::stored(const std::string& name) {
  const auto& values = host().console().storedValues();
  const auto found = values.find(name);
  return found == values.end() ? "<not stored>" : found->second;
}

std::string PluginHost::savedCopy() {
  const std::filesystem::path file = host().folder() / "cfg" / "rafta.cfg";
  return std::filesystem::exists(file) ? readFile(file) : "";
}

long PluginHost::commits() const {
  return std::count(traceLines.begin(), traceLines.end(), "executeCommand \"writeconfig\"");
}

BakkesMod::Plugin::PluginSettingsWindow& PluginHost::page() {
  auto* page = dynamic_cast<BakkesMod::Plugin::PluginSettingsWindow*>(session->plugin().get());
  if (page == nullptr) {
    throw std::logic_error("no plugin object is loaded");
  }
  return *page;
}

std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> PluginHost::object() const {
  return session->plugin();
}

sim::Host& PluginHost::host() { return session->host(); }

}  // namespace rafta::testing
