#include <gtest/gtest.h>

#include <string>

#include "sim/text/Text.h"

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

TEST(PrintableText, ControlBytesAreWrittenAsEscapes) {
  EXPECT_EQ(printable("plain text, \"quoted\" \\ #1 ~"), "plain text, \"quoted\" \\ #1 ~");
  EXPECT_EQ(printable(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(printable("\x1B[31mred\x1B[0m"), "\\x1B[31mred\\x1B[0m");
  EXPECT_EQ(printable("tab\tline\nreturn\rbell\adel\x7F"),
            "tab\\x09line\\x0Areturn\\x0Dbell\\x07del\\x7F");
}

TEST(PrintableText, WellFormedUtf8StaysButItsControlCharactersDoNot) {
  EXPECT_EQ(printable("déjà là € 𝄞 ÿ"), "déjà là € 𝄞 ÿ");
  EXPECT_EQ(printable("\u00A0\uFFFD\U0010FFFF"), "\u00A0\uFFFD\U0010FFFF");
  // The C1 controls: U+009B starts an escape sequence on some terminals, as ESC [ does.
  EXPECT_EQ(printable("\xC2\x9B"
                      "2J \xC2\x80"),
            "\\xC2\\x9B2J \\xC2\\x80");
}

TEST(PrintableText, BytesThatAreNoUtf8AreEscapedOneByOne) {
  EXPECT_EQ(printable("charg\xE9"), "charg\\xE9");                   // Windows-1252, not UTF-8
  EXPECT_EQ(printable("\xE2\x82"), "\\xE2\\x82");                    // cut short at the end
  EXPECT_EQ(printable("\xE2\x82x"), "\\xE2\\x82x");                  // cut short before a letter
  EXPECT_EQ(printable("\xC0\x80"), "\\xC0\\x80");                    // overlong NUL
  EXPECT_EQ(printable("\xE0\x80\xAF"), "\\xE0\\x80\\xAF");           // overlong slash
  EXPECT_EQ(printable("\xED\xA0\x80"), "\\xED\\xA0\\x80");           // a surrogate
  EXPECT_EQ(printable("\xF4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80");  // past U+10FFFF
  EXPECT_EQ(printable("\x80\xBF\xFE\xFF"), "\\x80\\xBF\\xFE\\xFF");  // never valid
  EXPECT_EQ(printable("\xE9t\xC3\xA9"), "\\xE9té");
}

TEST(PrintableText, EscapingTwiceChangesNothingMore) {
  const std::string once = printable(std::string("\x1B\0\xFF\xC2\x85 ok é", 11));
  EXPECT_EQ(printable(once), once);
}

}  // namespace
}  // namespace rafta::sim
