#include "sim/faults/FaultInjector.h"

#include <array>
#include <bit>
#include <charconv>
#include <limits>
#include <utility>

#include "sim/plugin/PluginFacts.h"

namespace rafta::sim {
namespace {

// What a host that asks for no wrong answers follows.
constexpr FaultPlan kNeverWrong{};

constexpr std::array<std::string_view, kFaultKindCount> kNames{
    "null", "id", "number", "console", "screen", "config", "flag"};

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kMax = std::numeric_limits<float>::max();
constexpr std::array<float, 14> kHostileFloats{std::numeric_limits<float>::quiet_NaN(),
                                               kInf,
                                               -kInf,
                                               kMax,
                                               -kMax,
                                               1e30F,
                                               -1e30F,
                                               2147483648.0F,
                                               -2147483648.0F,
                                               -1.0F,
                                               0.0F,
                                               -0.0F,
                                               std::numeric_limits<float>::denorm_min(),
                                               16777217.0F};

constexpr std::array<std::string_view, 16> kHostileTexts{
    "nan",         "inf",        "-inf",        "1e39", "-1e39", "99999999999999999999",
    "-2147483649", "2147483647", "-2147483648", "-1",   "",      "  12abc",
    "0x10",        "1e-400",     "+-3",         "\"\""};

constexpr std::array<Vector2, 8> kHostileScreens{
    {{0, 0},
     {-1920, -1080},
     {0, 1080},
     {1920, 0},
     {1, 1},
     {std::numeric_limits<std::int32_t>::min(), -1},
     {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()},
     {-1, std::numeric_limits<std::int32_t>::min()}}};

// Long enough to overrun any fixed buffer, short enough to keep a run quick.
constexpr std::array<std::size_t, 5> kIdLengths{1, 255, 256, 4096, 65536};

}  // namespace

std::string_view faultKindName(FaultKind kind) { return kNames.at(static_cast<std::size_t>(kind)); }

std::optional<FaultKind> faultKindNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames.at(i) == name) {
      return static_cast<FaultKind>(i);
    }
  }
  return std::nullopt;
}

std::optional<std::uint64_t> parseSeed(std::string_view text) {
  std::uint64_t seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return seed;
}

FaultInjector::FaultInjector() : FaultInjector(kNeverWrong) {}

FaultInjector::FaultInjector(const FaultPlan& plan) : plan_(plan), state_(plan.seed) {}

void FaultInjector::restart() { state_ = plan_.seed; }

void FaultInjector::setTrace(TextSink trace) { trace_ = std::move(trace); }

void FaultInjector::setObserver(Observer observer) { observer_ = std::move(observer); }

std::uint64_t FaultInjector::next() {
  // splitmix64: one stream, the same on every platform and compiler.
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31U);
}

std::uint64_t FaultInjector::below(std::uint64_t bound) { return next() % bound; }

bool FaultInjector::strikes(FaultKind kind) {
  if (plan_.rate <= 0.0 || (plan_.kinds & faultBit(kind)) == 0) {
    return false;
  }
  // 53 random bits as a fraction in [0, 1).
  const double draw = static_cast<double>(next() >> 11U) * 0x1p-53;
  return draw < plan_.rate;
}

void FaultInjector::report(FaultKind kind, const std::string& what) {
  if (trace_) {
    trace_("fault " + std::string(faultKindName(kind)) + ": " + what);
  }
  if (observer_) {
    observer_(kind, what);
  }
}

std::string FaultInjector::bytes(std::size_t count) {
  std::string text(count, '\0');
  for (auto& byte : text) {
    byte = static_cast<char>(next() & 0xFFU);
  }
  return text;
}

float FaultInjector::hostileFloat() {
  if (below(4) == 0) {
    // Any bit pattern: signalling NaNs, subnormals and every magnitude.
    return std::bit_cast<float>(static_cast<std::uint32_t>(next()));
  }
  return kHostileFloats.at(below(kHostileFloats.size()));
}

std::uintptr_t FaultInjector::handle(std::uintptr_t address, std::string_view what,
                                     std::string_view name) {
  if (address == 0 || !strikes(FaultKind::Null)) {
    return address;
  }
  report(FaultKind::Null, std::string(what) + std::string(name) + " -> null");
  return 0;
}

std::string FaultInjector::id(std::string text) {
  if (!strikes(FaultKind::Id)) {
    return text;
  }
  const auto choice = below(3);
  if (choice == 0) {
    text.clear();
  } else if (choice == 1) {
    text = bytes(kIdLengths.at(below(kIdLengths.size())));
  } else {
    // Almost the true id: one byte off, or a byte more.
    if (text.empty() || below(2) == 0) {
      text += static_cast<char>(next() & 0xFFU);
    } else {
      auto& byte = text[below(text.size())];
      byte = static_cast<char>(static_cast<unsigned char>(byte) ^ (1U + below(255)));
    }
  }
  report(FaultKind::Id, "GetIdString -> " + std::to_string(text.size()) + " bytes");
  return text;
}

float FaultInjector::number(float value, std::string_view what) {
  if (!strikes(FaultKind::Number)) {
    return value;
  }
  const float hostile = hostileFloat();
  report(FaultKind::Number, std::string(what) + " -> " + std::to_string(hostile));
  return hostile;
}

Vector FaultInjector::vector(Vector value, std::string_view what) {
  if (!strikes(FaultKind::Number)) {
    return value;
  }
  const auto axis = below(4);
  if (axis == 0 || axis == 3) {
    value.X = hostileFloat();
  }
  if (axis == 1 || axis == 3) {
    value.Y = hostileFloat();
  }
  if (axis == 2 || axis == 3) {
    value.Z = hostileFloat();
  }
  report(FaultKind::Number, std::string(what) + " -> " + std::to_string(value.X) + " " +
                                std::to_string(value.Y) + " " + std::to_string(value.Z));
  return value;
}

std::uint8_t FaultInjector::team(std::uint8_t value) {
  if (!strikes(FaultKind::Number)) {
    return value;
  }
  const auto hostile = static_cast<std::uint8_t>(next() & 0xFFU);
  report(FaultKind::Number, "GetTeamNum -> " + std::to_string(hostile));
  return hostile;
}

Vector2 FaultInjector::screen(Vector2 value) {
  if (!strikes(FaultKind::Screen)) {
    return value;
  }
  const Vector2 hostile = kHostileScreens.at(below(kHostileScreens.size()));
  report(FaultKind::Screen,
         "GetScreenSize -> " + std::to_string(hostile.X) + " " + std::to_string(hostile.Y));
  return hostile;
}

bool FaultInjector::flag(bool value, std::string_view what) {
  if (!strikes(FaultKind::Flag)) {
    return value;
  }
  report(FaultKind::Flag, std::string(what) + " -> " + (value ? "0" : "1"));
  return !value;
}

std::optional<std::string> FaultInjector::consoleText(const std::string& name) {
  if (!strikes(FaultKind::Console)) {
    return std::nullopt;
  }
  std::string text = below(5) == 0 ? bytes(1 + below(64))
                                   : std::string(kHostileTexts.at(below(kHostileTexts.size())));
  report(FaultKind::Console, name + " = " + std::to_string(text.size()) + " bytes");
  return text;
}

std::string FaultInjector::configGarbage() {
  if (!strikes(FaultKind::Config)) {
    return {};
  }
  std::string lines;
  const auto count = 1 + below(6);
  for (std::uint64_t line = 0; line < count; ++line) {
    switch (below(5)) {
      case 0:
        lines += bytes(1 + below(200));
        break;
      case 1:
        lines += std::string(plugin_facts::kTotalVariable) + " \"" +
                 std::string(kHostileTexts.at(below(kHostileTexts.size()))) + "\"";
        break;
      case 2:
        lines += std::string(plugin_facts::kOverlayXVariable) + " \"" +
                 std::to_string(hostileFloat()) + "\"";
        break;
      case 3:
        lines += std::string(plugin_facts::kStyleVariable) + " \"" +
                 std::to_string(static_cast<std::int64_t>(next())) + "\"";
        break;
      default:
        lines += std::string(plugin_facts::kDebugVariable) + " \"1";  // no closing quote
        break;
    }
    lines += below(2) == 0 ? "\n" : "\r\n";
  }
  report(FaultKind::Config, "configuration file +" + std::to_string(lines.size()) + " bytes");
  return lines;
}

}  // namespace rafta::sim
