#include "sim/host/BadCalls.h"

#include <string>

#include "sim/errors/Errors.h"

namespace rafta::sim {
namespace {

const BadCalls* latest = nullptr;

}  // namespace

BadCalls::BadCalls(const HostBehaviour& behaviour) : behaviour_(behaviour), registered_(true) {
  latest = this;
}

BadCalls::BadCalls(const HostBehaviour& behaviour, Unregistered /*unregistered*/)
    : behaviour_(behaviour), registered_(false) {}

BadCalls::~BadCalls() {
  if (registered_ && latest == this) {
    latest = nullptr;
  }
}

void BadCalls::made(std::string_view call, std::string_view object) const {
  if (behaviour_.crashOnBadCalls) {
    throw GameCrash(std::string(call) + " on " + std::string(object));
  }
}

const BadCalls& BadCalls::ofLatestHost() { return latest != nullptr ? *latest : answered(); }

const BadCalls& BadCalls::answered() {
  static const HostBehaviour answering{.crashOnBadCalls = false};
  static const BadCalls calls(answering, Unregistered{});
  return calls;
}

}  // namespace rafta::sim
