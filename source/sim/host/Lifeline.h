#pragma once

#include <memory>
#include <utility>

namespace rafta::sim {

// Whether the plugin object that handed the host a callback still exists. The host keeps what a
// plugin left behind at unload, but never calls into an object that is gone.
class Lifeline {
 public:
  // Tied to nothing: always alive (callbacks handed over by tests rather than a plugin object).
  Lifeline() = default;
  explicit Lifeline(std::weak_ptr<const void> owner) : owner_(std::move(owner)), tied_(true) {}

  [[nodiscard]] bool alive() const { return !tied_ || !owner_.expired(); }

 private:
  std::weak_ptr<const void> owner_;
  bool tied_ = false;
};

}  // namespace rafta::sim
