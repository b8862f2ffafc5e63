#include "sim/window/RenderThread.h"

#include <utility>

namespace rafta::sim {

RenderThread::RenderThread() : thread_([this](const std::stop_token& stop) { serve(stop); }) {}

void RenderThread::run(const std::function<void()>& job) {
  std::unique_lock lock(mutex_);
  job_ = &job;
  changed_.notify_all();
  changed_.wait(lock, [this] { return job_ == nullptr; });
  if (failure_) {
    std::rethrow_exception(std::exchange(failure_, nullptr));
  }
}

void RenderThread::serve(const std::stop_token& stop) {
  std::unique_lock lock(mutex_);
  while (changed_.wait(lock, stop, [this] { return job_ != nullptr; })) {
    const auto* job = job_;
    lock.unlock();
    std::exception_ptr failure;
    try {
      (*job)();
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    failure_ = failure;
    job_ = nullptr;
    changed_.notify_all();
  }
}

}  // namespace rafta::sim
