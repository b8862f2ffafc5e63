#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace rafta::sim {

// The host's render thread, on which the settings window draws the plugin's pages while the game
// runs on another thread. The game thread hands it one job at a time and waits for it, so that a
// session stays deterministic: every page of a script line is drawn before the line goes on.
//
//   RenderThread render;
//   render.run([&] { window.draw(page, input); });  // back once the page is drawn
class RenderThread {
 public:
  RenderThread();
  RenderThread(const RenderThread&) = delete;
  RenderThread& operator=(const RenderThread&) = delete;
  // Stops the thread, once it is idle.
  ~RenderThread() = default;

  // Runs the job on the render thread and returns once it has run; what it throws is thrown here.
  // Never from the render thread itself, which would wait for its own job for ever.
  void run(const std::function<void()>& job);

 private:
  void serve(const std::stop_token& stop);

  std::mutex mutex_;
  std::condition_variable_any changed_;
  const std::function<void()>* job_ = nullptr;  // the job handed over; null once it has run
  std::exception_ptr failure_;                  // what the last job threw
  std::jthread thread_;                         // last: it starts with the members above in place
};

}  // namespace rafta::sim
