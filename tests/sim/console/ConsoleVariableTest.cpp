#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "TestSupport.h"
#include "bakkesmod/wrappers/cvarmanagerwrapper.h"
#include "bakkesmod/wrappers/cvarwrapper.h"
#include "sim/console/ConsoleVariable.h"
#include "sim/handles/Handles.h"
#include "sim/host/Host.h"

namespace rafta::sim {
namespace {

ConsoleVariable holding(const std::string& text) {
  ConsoleVariable variable("v", "0", {});
  variable.setText(text);
  return variable;
}

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

TEST(ConsoleVariableReads, NumbersReadAsTheConsoleReadsThem) {
  EXPECT_EQ(holding("42").intValue(), 42);
  EXPECT_EQ(holding("2.9").intValue(), 2);
  EXPECT_EQ(holding("-2.9").intValue(), -2);
  EXPECT_EQ(holding("  7").intValue(), 7);
  EXPECT_EQ(holding("+5").intValue(), 5);
  EXPECT_EQ(holding("12abc").intValue(), 12);
  EXPECT_FLOAT_EQ(holding("250.5").floatValue(), 250.5F);
  EXPECT_FLOAT_EQ(holding("1e3").floatValue(), 1000.0F);
}

TEST(ConsoleVariableReads, TextWithoutANumberReadsAsZero) {
  for (const char* text : {"", "abc", "+", "-", "+-5", ".", "true", "  "}) {
    EXPECT_EQ(holding(text).intValue(), 0) << text;
    EXPECT_EQ(holding(text).floatValue(), 0.0F) << text;
    EXPECT_FALSE(holding(text).boolValue()) << text;
  }
}

TEST(ConsoleVariableReads, HostileNumbersNeverOverflowAnInteger) {
  EXPECT_EQ(holding("nan").intValue(), 0);
  EXPECT_EQ(holding("-nan").intValue(), 0);
  EXPECT_EQ(holding("inf").intValue(), kMax);
  EXPECT_EQ(holding("-infinity").intValue(), kMin);
  EXPECT_EQ(holding("3000000000").intValue(), kMax);
  EXPECT_EQ(holding("-3000000000").intValue(), kMin);
  EXPECT_EQ(holding("2147483647").intValue(), kMax);
  EXPECT_EQ(holding("-2147483648").intValue(), kMin);
  EXPECT_EQ(holding("1e999").intValue(), kMax);
  EXPECT_EQ(holding("-1e999").intValue(), kMin);
  EXPECT_EQ(holding(std::string(400, '9')).intValue(), kMax);
  EXPECT_EQ(holding("1e-999").intValue(), 0);
  EXPECT_EQ(holding("0." + std::string(400, '0') + "1").intValue(), 0);
}

TEST(ConsoleVariableReads, HostileNumbersSaturateAFloat) {
  EXPECT_TRUE(std::isnan(holding("nan").floatValue()));
  EXPECT_EQ(holding("1e39").floatValue(), std::numeric_limits<float>::infinity());
  EXPECT_EQ(holding("3.4028235e38").floatValue(), std::numeric_limits<float>::max());
  EXPECT_EQ(holding("-3.40282356e38").floatValue(), -std::numeric_limits<float>::max());
  EXPECT_EQ(holding("3.4028236e38").floatValue(), std::numeric_limits<float>::infinity());
  EXPECT_EQ(holding("-1e300").floatValue(), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(holding("1e999").floatValue(), std::numeric_limits<float>::infinity());
  EXPECT_EQ(holding("-1e-999").floatValue(), 0.0F);
}

TEST(ConsoleVariableReads, BoolIsAnyNonZeroNumber) {
  EXPECT_FALSE(holding("0").boolValue());
  EXPECT_FALSE(holding("0.0").boolValue());
  EXPECT_FALSE(holding("nan").boolValue());
  EXPECT_TRUE(holding("1").boolValue());
  EXPECT_TRUE(holding("0.5").boolValue());
  EXPECT_TRUE(holding("-1").boolValue());
}

TEST(ConsoleVariableWrites, FloatsAreWrittenInTheShortestFormThatReadsBack) {
  auto variable = holding("");
  for (const float value : {0.1F, 250.5F, 100.0F, -0.0F, 1e20F, 3.4028235e38F, 1.17549435e-38F}) {
    variable.setFloat(value);
    EXPECT_EQ(variable.floatValue(), value) << variable.text();
  }
  variable.setFloat(0.1F);
  EXPECT_EQ(variable.text(), "0.1");
  variable.setFloat(100.0F);
  EXPECT_EQ(variable.text(), "100");
}

TEST(ConsoleVariableWrites, IntegersAreWrittenInDecimal) {
  auto variable = holding("");
  variable.setInt(kMin);
  EXPECT_EQ(variable.text(), "-2147483648");
  EXPECT_EQ(variable.intValue(), kMin);
}

TEST(ConsoleVariableHandles, ColoursAndTextsAreWrittenThroughAHandle) {
  auto variable = holding("");
  CVarWrapper handle(addressOfObject(&variable));
  handle.setValue(LinearColor(255.0F, 0.5F, 0.0F, 1.0F));
  EXPECT_EQ(variable.text(), "(255, 0.5, 0, 1)");
  handle.setValue(std::string("12 apples"));
  EXPECT_EQ(variable.text(), "12 apples");
  EXPECT_EQ(handle.getIntValue(), 12);
}

TEST(ConsoleLog, WideTextIsLoggedInTheConsoleCodePage) {
  testing::ScratchFolder folder;
  Host host(HostOptions{folder.path(), {}, {}});
  host.cvarManager()->log(std::wstring(L"d\u00e9charg\u00e9 \u20ac \u4e2d"));
  ASSERT_EQ(host.console().logLines().size(), 1U);
  EXPECT_EQ(host.console().logLines().back(),
            "d\xE9"
            "charg\xE9 \x80 ?");
}

TEST(ConsoleVariableHandles, ANullHandleReadsZeroAndIgnoresWrites) {
  CVarWrapper none(0);
  EXPECT_TRUE(none.IsNull());
  EXPECT_FALSE(none.getBoolValue());
  EXPECT_EQ(none.getIntValue(), 0);
  EXPECT_EQ(none.getFloatValue(), 0.0F);
  none.setValue(3);
  none.setValue(3.0F);
  none.setValue(std::string("3"));
  none.setValue(LinearColor(1.0F, 2.0F, 3.0F, 4.0F));
}

}  // namespace
}  // namespace rafta::sim
