#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace rafta::sim {

// The most recent entries of a record that a session adds to for as long as it runs: at least the
// last `keep` (all of them before that), never 2 * keep, oldest first. The older half goes at
// once, so that an addition costs O(1) on average and the storage is reused.
template <typename T>
class RecentHistory {
 public:
  explicit RecentHistory(std::size_t keep) : keep_(keep) {}

  void add(T entry) {
    if (entries_.size() + 1 >= 2 * keep_) {
      entries_.erase(entries_.begin(),
                     entries_.begin() + static_cast<std::ptrdiff_t>(entries_.size() + 1 - keep_));
    }
    entries_.push_back(std::move(entry));
  }

  [[nodiscard]] const std::vector<T>& entries() const { return entries_; }
  void clear() { entries_.clear(); }

 private:
  std::size_t keep_;
  std::vector<T> entries_;
};

}  // namespace rafta::sim
