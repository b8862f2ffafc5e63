#include "sim/host/BadCalls.h"

#include <string>

#include "sim/errors/Errors.h"

namespace rafta::sim {
namespace {

const BadCalls* latest = nullptr;

}  // namespace

BadCalls::BadCalls() : registered_(true) { latest = this; }

BadCalls::BadCalls(Unregistered /*unregistered*/) : crash_(false), registered_(false) {}

BadCalls::~BadCalls() {
  if (registered_ && latest == this) {
    latest = nullptr;
  }
}

void BadCalls::setCrash(bool crash) { crash_ = crash; }

void BadCalls::made(std::string_view call, std::string_view object) const {
  if (crash_) {
    throw GameCrash(std::string(call) + " on " + std::string(object));
  }
}

const BadCalls& BadCalls::ofLatestHost() { return latest != nullptr ? *latest : answered(); }

const BadCalls& BadCalls::answered() {
  static const BadCalls calls{Unregistered{}};
  return calls;
}

}  // namespace rafta::sim
