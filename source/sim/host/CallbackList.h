#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/host/Reports.h"

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

// The plugin object that callbacks handed over from now on belong to, shared by every part of the
// host that keeps a plugin's callbacks, and the warning when one outlived its object.
class CallbackOwner {
 public:
  explicit CallbackOwner(const Reports& reports) : reports_(reports) {}

  void tieTo(std::weak_ptr<const void> plugin) { life_ = Lifeline(std::move(plugin)); }
  // The plugin's shares belong to its module: none may outlive a close of the library.
  void untie() { life_ = Lifeline(); }
  [[nodiscard]] const Lifeline& life() const { return life_; }

  void orphaned(const std::string& what) const {
    reports_.warn("rafta-sim: " + what +
                  " not called: the plugin object that set it no longer exists");
  }

 private:
  const Reports& reports_;
  Lifeline life_;
};

// Callbacks in registration order. Calling walks a snapshot, so a callback may add or remove
// entries meanwhile: removed ones are skipped, added ones wait for the next call.
template <typename Fn>
class CallbackList {
 public:
  void add(Fn fn, Lifeline life) {
    entries_.push_back(std::make_shared<Entry>(Entry{std::move(fn), std::move(life), true}));
  }

  void clear() {
    for (const auto& entry : entries_) {
      entry->active = false;
    }
    entries_.clear();
  }

  [[nodiscard]] bool empty() const { return entries_.empty(); }
  // The callbacks a call would reach now, in order.
  [[nodiscard]] std::vector<Fn> callable() const {
    std::vector<Fn> fns;
    for (const auto& entry : entries_) {
      if (entry->active && entry->life.alive()) {
        fns.push_back(entry->fn);
      }
    }
    return fns;
  }
  [[nodiscard]] std::size_t size() const { return entries_.size(); }

  // `call(fn)` for each live entry; `orphaned()` for each whose plugin object is gone.
  template <typename Call, typename Orphaned>
  void invoke(Call&& call, Orphaned&& orphaned) const {
    const auto snapshot = entries_;
    for (const auto& entry : snapshot) {
      if (!entry->active) {
        continue;
      }
      if (entry->life.alive()) {
        call(entry->fn);
      } else {
        orphaned();
      }
    }
  }

 private:
  struct Entry {
    Fn fn;
    Lifeline life;
    bool active = true;
  };
  std::vector<std::shared_ptr<Entry>> entries_;
};

}  // namespace rafta::sim
