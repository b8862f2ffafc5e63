#include "sim/window/RenderThread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace rafta::sim {
namespace {

TEST(RenderThread, RunsEachJobOnOneOtherThreadAndReturnsWhatItThrew) {
  RenderThread render;
  std::thread::id first;
  std::thread::id second;
  render.run([&] { first = std::this_thread::get_id(); });
  EXPECT_THROW(render.run([] { throw std::runtime_error("page failed"); }), std::runtime_error);
  render.run([&] { second = std::this_thread::get_id(); });
  EXPECT_NE(first, std::this_thread::get_id());
  EXPECT_EQ(first, second) << "one render thread, still serving after a failed job";
}

}  // namespace
}  // namespace rafta::sim
