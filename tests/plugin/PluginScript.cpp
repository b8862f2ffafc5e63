#include "PluginScript.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sim/run/PluginLibrary.h"

namespace rafta::testing {

PluginScript::PluginScript() {
  sim::SessionOptions options;
  options.shippedPicture = RAFTA_GOAL_PICTURE;
  options.out = [this](const std::string& line) { out.push_back(line); };
  options.err = [this](const std::string& line) { err.push_back(line); };
  session = std::make_unique<sim::Session>(std::make_unique<sim::LinkedLibrary>(exports), options);
}

PluginScript::~PluginScript() = default;

void PluginScript::run(const std::string& script) {
  const sim::RunResult result = session->runText(script, "test.scn");
  if (result.code != sim::ExitCode::Ok) {
    ADD_FAILURE() << result.message;
  }
}

std::vector<std::string> PluginScript::linesOf(const std::string& script) {
  const std::size_t before = out.size();
  run(script);
  return {out.begin() + static_cast<std::ptrdiff_t>(before), out.end()};
}

Rafta& PluginScript::plugin() {
  auto* rafta = dynamic_cast<Rafta*>(session->plugin().get());
  if (rafta == nullptr) {
    throw std::logic_error("no plugin object is loaded");
  }
  return *rafta;
}

std::vector<std::string> PluginScript::queriesOf(const std::string& script) {
  host().queries().clear();
  run(script);
  std::vector<std::string> names;
  for (const sim::Query query : host().queries().recent()) {
    if (sim::askedOfGameWrapper(query)) {
      names.emplace_back(sim::queryName(query));
    }
  }
  return names;
}

long PluginScript::commits() const {
  const auto& commands = session->host().console().executedCommands();
  return std::count(commands.begin(), commands.end(), "writeconfig");
}

}  // namespace rafta::testing
