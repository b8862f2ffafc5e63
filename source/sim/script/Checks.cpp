#include "sim/script/Checks.h"

#include <variant>

#include "sim/errors/Errors.h"
#include "sim/script/Commands.h"
#include "sim/script/ScriptNumbers.h"
#include "sim/text/Text.h"

namespace rafta::sim {
namespace {

[[noreturn]] void fail(const std::string& expected, const std::string& found) {
  throw ExpectFailure("expected " + expected + ", found " + found);
}

std::string drawnStrings(const Canvas& frame) {
  std::string list;
  for (const auto& call : frame.calls()) {
    if (const auto* draw = std::get_if<canvas::DrawString>(&call)) {
      list += (list.empty() ? "" : ", ") + quote(windows1252ToUtf8(draw->text));
    }
  }
  return list.empty() ? "no string drawn" : "the strings " + list;
}

}  // namespace

const Canvas& Checks::lastFrame(const std::string& expected) const {
  const auto* frame = host_.frames().lastFrame();
  if (frame == nullptr) {
    fail(expected, "no frame drawn yet");
  }
  return *frame;
}

void Checks::operator()(const script::ExpectDrawn& check) const {
  const auto expected = "the string " + quote(check.text) + " in the last frame";
  const auto& frame = lastFrame(expected);
  for (const auto& call : frame.calls()) {
    const auto* draw = std::get_if<canvas::DrawString>(&call);
    if (draw != nullptr && windows1252ToUtf8(draw->text) == check.text) {
      return;
    }
  }
  fail(expected, drawnStrings(frame));
}

void Checks::operator()(const script::ExpectNothingDrawn& /*check*/) const {
  const std::string expected = "no canvas call in the last frame";
  const auto& calls = lastFrame(expected).calls();
  if (!calls.empty()) {
    fail(expected, std::to_string(calls.size()) + " call(s), the first " +
                       windows1252ToUtf8(describe(calls.front())));
  }
}

void Checks::operator()(const script::ExpectCvar& check) const {
  const auto expected = check.name + " = " + quote(check.value);
  const auto* variable = host_.console().findCvar(check.name);
  if (variable == nullptr) {
    fail(expected, "no such console variable");
  }
  if (!sameValue(check.value, variable->text())) {
    fail(expected, quote(variable->text()));
  }
}

void Checks::operator()(const script::ExpectStored& check) const {
  const auto expected = check.name + " stored as " + quote(check.value) + " in " +
                        host_.console().configFile().string();
  const auto stored = readConfig(host_.console().configFile(), {});
  const auto found = stored.find(check.name);
  if (found == stored.end()) {
    fail(expected, "no stored value");
  }
  if (!sameValue(check.value, found->second)) {
    fail(expected, quote(found->second));
  }
}

void Checks::operator()(const script::ExpectHooked& check) const {
  if (host_.hooks().isHooked(check.function) != check.hooked) {
    fail(std::string(check.hooked ? "a hook" : "no hook") + " on " + check.function,
         check.hooked ? "none" : "one");
  }
}

void Checks::operator()(const script::ExpectCommand& check) const {
  if (host_.commands().hasNotifier(check.name) != check.registered) {
    fail(std::string(check.registered ? "a command " : "no command ") + check.name,
         check.registered ? "none" : "one");
  }
}

void Checks::operator()(const script::ExpectTimers& check) const {
  const auto pending = host_.clock().pendingTimers();
  if (pending != check.count) {
    fail(std::to_string(check.count) + " pending timer(s)", std::to_string(pending));
  }
}

void Checks::operator()(const script::ExpectLog& check) const {
  const auto expected = "the last log line " + quote(check.text);
  const auto& lines = host_.console().logLines();
  if (lines.empty()) {
    fail(expected, "no log line");
  }
  const auto last = windows1252ToUtf8(lines.back());
  if (last != check.text) {
    fail(expected, quote(last));
  }
}

}  // namespace rafta::sim
