// What the plugin asks of the system outside the host: no folder means no place to look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Platform.h"

namespace {

#if !defined(_WIN32)
// The stand-in for the shell's folder query reads APPDATA, as rafta-sim publishes it.
TEST(RoamingAppDataFolder, IsNothingWhenTheSystemReportsNone) {
  const char* published = std::getenv("APPDATA");  // NOLINT(concurrency-mt-unsafe)
  const std::string kept = published != nullptr ? published : "";
  unsetenv("APPDATA");  // NOLINT(concurrency-mt-unsafe): tests run one at a time
  EXPECT_FALSE(rafta::platform::RoamingAppDataFolder().has_value());
  setenv("APPDATA", "/somewhere", 1);  // NOLINT(concurrency-mt-unsafe)
  EXPECT_EQ(rafta::platform::RoamingAppDataFolder(), "/somewhere");
  if (published != nullptr) {
    setenv("APPDATA", kept.c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
  } else {
    unsetenv("APPDATA");  // NOLINT(concurrency-mt-unsafe)
  }
}
#endif

TEST(PathExists, AQueryThatFailsCountsAsAbsent) {
  EXPECT_FALSE(rafta::platform::PathExists(std::string(5000, 'x')));
  EXPECT_FALSE(rafta::platform::PathExists("/no/such/file"));
  EXPECT_TRUE(rafta::platform::PathExists(RAFTA_GOAL_PICTURE));
}

}  // namespace
