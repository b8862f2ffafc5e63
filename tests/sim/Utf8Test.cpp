#include <gtest/gtest.h>

#include <string>

#include "Utf8.h"

namespace rafta::sim {
namespace {

TEST(Windows1252, AsciiPassesThroughUnchanged) {
  EXPECT_EQ(windows1252ToUtf8("Hooks : 3/4 #!"), "Hooks : 3/4 #!");
  EXPECT_EQ(windows1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Windows1252, LatinOneBytesBecomeTwoByteSequences) {
  EXPECT_EQ(windows1252ToUtf8("charg\xE9"), "chargé");
  EXPECT_EQ(windows1252ToUtf8("\xA0"), "\u00A0");
  EXPECT_EQ(windows1252ToUtf8("\xFF"), "ÿ");
}

TEST(Windows1252, TheEightiesRowUsesTheCodePageTable) {
  EXPECT_EQ(windows1252ToUtf8("\x80"), "€");
  EXPECT_EQ(windows1252ToUtf8("\x85"), "…");
  EXPECT_EQ(windows1252ToUtf8("\x92"), "’");
  EXPECT_EQ(windows1252ToUtf8("\x9C"), "œ");
  EXPECT_EQ(windows1252ToUtf8("\x9F"), "Ÿ");
}

TEST(Windows1252, UndefinedBytesMapToTheControlOfTheSameNumber) {
  for (const int byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    const std::string expected{'\xC2', static_cast<char>(byte)};
    EXPECT_EQ(windows1252ToUtf8(std::string(1, static_cast<char>(byte))), expected)
        << "byte " << byte;
  }
}

}  // namespace
}  // namespace rafta::sim
