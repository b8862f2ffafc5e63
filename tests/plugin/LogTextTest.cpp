// The forms in which numbers and accented texts reach the host console.
#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <string>

#include "Counters.h"
#include "Cp1252Literals.h"
#include "LogText.h"

namespace {

using namespace rafta::literals;

TEST(Fixed6, WritesSixDecimalsLikePrintf) {
  EXPECT_EQ(rafta::Fixed6(100.0), "100.000000");
  EXPECT_EQ(rafta::Fixed6(-12.5), "-12.500000");
  EXPECT_EQ(rafta::Fixed6(250.5F), "250.500000");
  EXPECT_EQ(rafta::Fixed6(299.5F), "299.500000");
}

TEST(Fixed6, WritesTheLargestValuesInFull) {
  const std::string largest = rafta::Fixed6(DBL_MAX);
  EXPECT_EQ(largest.size(), 309U + 7U);
  EXPECT_EQ(largest.substr(largest.size() - 7), ".000000");
  EXPECT_EQ(rafta::Fixed6(std::numeric_limits<double>::infinity()), "inf");
}

TEST(Cp1252, ConvertsAccentedLettersToSingleBytesAtCompileTime) {
  constexpr std::string_view text = "Événement déchargé"_cp1252;
  static_assert(text.size() == 18);
  EXPECT_EQ(std::string(text),
            "\xC9v\xE9nement d\xE9"
            "charg\xE9");
  EXPECT_EQ(std::string("Entraînement €"_cp1252), "Entra\xEEnement \x80");
  EXPECT_EQ(std::string("plain"_cp1252), "plain");
}

TEST(SaturatingAdd, StopsAtTheEndsOfTheRange) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(rafta::SaturatingAdd(kMax, 1), kMax);
  EXPECT_EQ(rafta::SaturatingAdd(kMax - 1, 1), kMax);
  EXPECT_EQ(rafta::SaturatingAdd(kMax, kMax), kMax);
  EXPECT_EQ(rafta::SaturatingAdd(kMin, -1), kMin);
  EXPECT_EQ(rafta::SaturatingAdd(-3, 1), -2);
}

}  // namespace
