#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "TestSupport.h"
#include "sim/errors/Errors.h"
#include "sim/host/Host.h"
#include "sim/script/Parser.h"
#include "sim/script/ScriptNumbers.h"

namespace rafta::sim {
namespace {

using Words = std::vector<std::string>;

TEST(ScriptWords, BlanksSeparateAndCommentsEndTheLine) {
  EXPECT_EQ(splitWords("  car\tme  team 1 # the local player"), (Words{"car", "me", "team", "1"}));
  EXPECT_EQ(splitWords("# only a comment"), Words{});
  EXPECT_EQ(splitWords("load#at once\r"), Words{"load"});
}

TEST(ScriptWords, QuotedWordsHoldBlanksHashesAndEscapes) {
  EXPECT_EQ(splitWords(R"(expect log "a \"b\" # c\\d")"),
            (Words{"expect", "log", R"(a "b" # c\d)"}));
  EXPECT_EQ(splitWords(R"(car x id "")"), (Words{"car", "x", "id", ""}));
  EXPECT_EQ(splitWords(R"("C:\dir\n")"), Words{R"(C:\dir\n)"});
  EXPECT_EQ(splitWords(R"("a"#c)"), Words{"a"});
}

TEST(ScriptWords, MisplacedQuotesAreErrors) {
  EXPECT_THROW((void)splitWords(R"(expect log "never closed)"), ScriptError);
  EXPECT_THROW((void)splitWords(R"(expect log "ends with \")"), ScriptError);
  EXPECT_THROW((void)splitWords(R"(ab"cd")"), ScriptError);
  EXPECT_THROW((void)splitWords(R"("ab"cd)"), ScriptError);
}

TEST(ScriptNumbers, DecimalsWithSignAndFractionAreAccepted) {
  EXPECT_EQ(parseDecimal("12"), 12.0);
  EXPECT_EQ(parseDecimal("-2.5"), -2.5);
  EXPECT_EQ(parseDecimal("+.5"), 0.5);
  EXPECT_EQ(parseDecimal("3."), 3.0);
  EXPECT_EQ(parseDecimal("-0"), 0.0);
}

TEST(ScriptNumbers, EverythingElseIsABadNumber) {
  for (const char* text : {"", "-", "+", ".", "nan", "inf", "-inf", "0x10", "1e3", "1.2.3", "5abc",
                           " 5", "5 ", "+-5", "--5"}) {
    EXPECT_FALSE(parseDecimal(text).has_value()) << '"' << text << '"';
  }
  EXPECT_FALSE(parseDecimal(std::string(400, '9')).has_value());
}

TEST(ScriptNumbers, ValuesCompareAsNumbersOnlyWhenBothAreNumbers) {
  EXPECT_TRUE(sameValue("100", "100.0"));
  EXPECT_TRUE(sameValue("1e+20", "100000000000000000000"));
  EXPECT_TRUE(sameValue("+5", "5"));
  EXPECT_FALSE(sameValue("0.1", "0.10000001"));
  EXPECT_TRUE(sameValue("abc", "abc"));
  EXPECT_FALSE(sameValue("1", "1x"));
  EXPECT_FALSE(sameValue("nan", "NaN"));
  EXPECT_TRUE(sameValue("nan", "nan"));
}

TEST(ScriptCommands, GameFunctionsGoByShortOrFullName) {
  EXPECT_EQ(gameFunction("OnHitBall"), "Function TAGame.Car_TA.OnHitBall");
  EXPECT_EQ(gameFunction("Function TAGame.ReplayDirector_TA.StopReplay"),
            "Function TAGame.ReplayDirector_TA.StopReplay");
  EXPECT_FALSE(gameFunction("HitBall").has_value());
  EXPECT_FALSE(gameFunction("").has_value());
  EXPECT_FALSE(gameFunction("onhitball").has_value());
}

TEST(ScriptCommands, OptionsAreParsedInAnyOrderAndKeptWhenAbsent) {
  const auto car =
      std::get<script::CarSetup>(parseScriptCommand({"car", "me", "pri", "0", "team", "255"}));
  EXPECT_EQ(car.name, "me");
  EXPECT_FALSE(car.id.has_value());
  EXPECT_EQ(car.team, 255);
  EXPECT_EQ(car.pri, false);
  for (const Words& words : {Words{"hit"}, Words{"hit", "frame"}}) {
    const auto hit = std::get<script::Hit>(parseScriptCommand(words));
    EXPECT_TRUE(std::holds_alternative<script::GoalFrameCaller>(hit.caller));
  }
  EXPECT_EQ(std::get<script::State>(parseScriptCommand({"state", "online=1"})).changes,
            (std::vector<std::pair<GameFlag, bool>>{{GameFlag::Online, true}}));
  // Each host behaviour a script sets, applied to a host.
  testing::ScratchFolder folder;
  Host host(HostOptions{folder.path(), {}, [](const std::string&) {}});
  for (const Words& words : {Words{"null-calls", "answer"}, Words{"config-delay", "0.5"},
                             Words{"config-unknown", "drop"}, Words{"picture", "unloadable"}}) {
    std::get<script::Behaviour>(parseScriptCommand(words)).set(host);
  }
  EXPECT_FALSE(host.behaviour().crashOnBadCalls);
  EXPECT_EQ(host.behaviour().configDelaySeconds, 0.5);
  EXPECT_FALSE(host.behaviour().keepUnknownLines);
  EXPECT_EQ(host.behaviour().goalPicture, PictureMode::Unloadable);
  const auto touch = std::get<script::Touch>(parseScriptCommand({"touch", "null"}));
  EXPECT_TRUE(std::holds_alternative<script::NullCaller>(touch.caller));
  const auto log =
      std::get<script::ExpectLog>(parseScriptCommand({"expect", "log", "two", "words"}));
  EXPECT_EQ(log.text, "two words");
}

TEST(ScriptCommands, SettingsPageCommandsKeepTheirTextsExactly) {
  EXPECT_EQ(std::get<script::DrawPage>(parseScriptCommand({"settings"})).count, 1);
  EXPECT_EQ(std::get<script::DrawPage>(parseScriptCommand({"settings", "0"})).count, 0);
  EXPECT_EQ(std::get<script::Toggle>(parseScriptCommand({"toggle", " Freeplay"})).label,
            " Freeplay");
  const auto slide = std::get<script::Slide>(parseScriptCommand({"slide", "Position X", "-250.5"}));
  EXPECT_EQ(slide.label, "Position X");
  EXPECT_EQ(slide.value, -250.5);
  EXPECT_EQ(std::get<script::Choose>(parseScriptCommand({"choose", "Sobre"})).item, "Sobre");
  const auto drag =
      std::get<script::Drag>(parseScriptCommand({"drag", "Position Y", "0", "0.5", "1"}));
  EXPECT_EQ(drag.label, "Position Y");
  EXPECT_EQ(drag.fractions, (std::vector<double>{0.0, 0.5, 1.0}));
}

TEST(ScriptCommands, AConsoleCommandKeepsItsNameAndEveryWord) {
  EXPECT_EQ(std::get<script::TypeCommand>(parseScriptCommand({"command", "rafta_style"})).words,
            Words{"rafta_style"});
  EXPECT_EQ(std::get<script::TypeCommand>(
                parseScriptCommand({"command", "rafta_style", "next", "", "two words"}))
                .words,
            (Words{"rafta_style", "next", "", "two words"}));
  const auto registered = std::get<script::ExpectCommand>(
      parseScriptCommand({"expect", "command", "rafta_toggle_overlay"}));
  EXPECT_EQ(registered.name, "rafta_toggle_overlay");
  EXPECT_TRUE(registered.registered);
  EXPECT_FALSE(std::get<script::ExpectCommand>(parseScriptCommand({"expect", "no-command", "x"}))
                   .registered);
}

// Each of these is malformed and must be refused before anything runs.
TEST(ScriptCommands, MalformedCommandsAreRefused) {
  const std::vector<Words> bad{
      {"fly"},
      {"load", "now"},
      {"state"},
      {"state", "ingame"},
      {"state", "ingame=2"},
      {"state", "lobby=1"},
      {"car"},
      {"car", "null"},
      {"car", "none"},
      {"car", "frame"},
      {"car", "me", "team", "256"},
      {"car", "me", "team", "1.5"},
      {"car", "me", "team", "1", "team", "2"},
      {"car", "me", "pri", "2"},
      {"car", "me", "colour", "red"},
      {"ball", "pos", "1", "2"},
      {"ball", "vel", "1", "2", "nan"},
      {"clock"},
      {"clock", "1e3"},
      {"screen", "1920"},
      {"screen", "1920", "1080.5"},
      {"screen", "3000000000", "1"},
      {"picture", "blurry"},
      {"config-delay", "-1"},
      {"config-unknown"},
      {"config-unknown", "forget"},
      {"restart", "now"},
      {"restart", "without-unload", "twice"},
      {"event", "Explode"},
      {"touch"},
      {"touch", "frame"},
      {"hit", "a", "b"},
      {"hit", "frame", "me"},
      {"null-calls"},
      {"null-calls", "ignore"},
      {"wait", "-0.5"},
      {"wait", "inf"},
      {"frame", "-1"},
      {"frame", "2.5"},
      {"console", "name"},
      {"settings", "x"},
      {"settings", "close", "2"},
      {"click"},
      {"toggle", "All", "Match"},
      {"choose"},
      {"slide", "Position X"},
      {"slide", "Position X", "far"},
      {"drag", "Position X"},
      {"drag", "Position X", "1.5"},
      {"expect"},
      {"expect", "everything"},
      {"expect", "cvar", "name"},
      {"expect", "hooked", "Nothing"},
      {"expect", "timers", "-1"},
      {"expect", "nothing-drawn", "really"},
      {"expect", "log"},
      {"command"},
      {"expect", "command"},
      {"expect", "no-command", "a", "b"},
  };
  for (const auto& words : bad) {
    std::string line;
    for (const auto& word : words) {
      line += word + ' ';
    }
    EXPECT_THROW((void)parseScriptCommand(words), ScriptError) << line;
  }
}

TEST(ScriptCommands, AScriptErrorNamesItsLine) {
  try {
    (void)parseScript("load\n\n# comment\nstate ingame=1\nwait soon\nload\n");
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.line(), 5);
    EXPECT_STREQ(error.what(), "wait: bad number for SECONDS: soon");
  }
}

TEST(ScriptCommands, LinesAreNumberedFromOneAndBlankOnesSkipped) {
  const auto lines = parseScript("\n  # nothing\r\nload\r\nunload");
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0].number, 3);
  EXPECT_EQ(lines[1].number, 4);
}

// Editors on Windows start a UTF-8 file with one.
TEST(ScriptCommands, AByteOrderMarkAtTheStartIsSkipped) {
  const auto lines = parseScript("\xEF\xBB\xBFload\nunload\n");
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0].number, 1);
  EXPECT_TRUE(std::holds_alternative<script::Load>(lines[0].command));
  EXPECT_EQ(parseScript("\xEF\xBB\xBF").size(), 0U);
  // Anywhere else it is a character of the line.
  EXPECT_THROW((void)parseScript("load\n\xEF\xBB\xBFunload\n"), ScriptError);
  EXPECT_THROW((void)parseScript("\xEF\xBB\xBF\xEF\xBB\xBFload\n"), ScriptError);
}

TEST(ScriptCommands, ANulByteIsNamedWithItsLineAndColumnEvenInAComment) {
  for (const auto& [text, line, column] :
       std::vector<std::tuple<std::string, int, int>>{{std::string("load\nfra\0me\n", 11), 2, 4},
                                                      {std::string("\0", 1), 1, 1},
                                                      {std::string("load # a\0b", 10), 1, 9}}) {
    try {
      (void)parseScript(text);
      ADD_FAILURE() << "no error for line " << line;
    } catch (const ScriptError& error) {
      EXPECT_EQ(error.line(), line);
      EXPECT_EQ(std::string(error.what()), "a NUL byte at column " + std::to_string(column));
    }
  }
}

}  // namespace
}  // namespace rafta::sim
