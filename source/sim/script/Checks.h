#pragma once

#include "sim/host/Host.h"
#include "sim/script/Commands.h"

namespace rafta::sim {

// The script's expect checks. Each throws ExpectFailure saying what was expected and what was
// found. Texts compare in UTF-8: what the plugin wrote is converted from Windows-1252 first.
class Checks {
 public:
  explicit Checks(Host& host) : host_(host) {}

  void operator()(const script::ExpectDrawn& check) const;
  void operator()(const script::ExpectNothingDrawn& check) const;
  void operator()(const script::ExpectCvar& check) const;
  void operator()(const script::ExpectStored& check) const;
  void operator()(const script::ExpectHooked& check) const;
  void operator()(const script::ExpectCommand& check) const;
  void operator()(const script::ExpectTimers& check) const;
  void operator()(const script::ExpectLog& check) const;

 private:
  [[nodiscard]] const Canvas& lastFrame(const std::string& expected) const;

  Host& host_;
};

}  // namespace rafta::sim
