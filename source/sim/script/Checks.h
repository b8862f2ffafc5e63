#pragma once

#include "sim/host/Host.h"
#include "sim/script/Command.h"

namespace rafta::sim {

// The script's expect checks. Each throws ExpectFailure saying what was expected and what was
// found. Texts compare in UTF-8: what the plugin wrote is converted from Windows-1252 first.
class Checks {
 public:
  explicit Checks(Host& host) : host_(host) {}

  void operator()(const command::ExpectDrawn& check) const;
  void operator()(const command::ExpectNothingDrawn& check) const;
  void operator()(const command::ExpectCvar& check) const;
  void operator()(const command::ExpectStored& check) const;
  void operator()(const command::ExpectHooked& check) const;
  void operator()(const command::ExpectTimers& check) const;
  void operator()(const command::ExpectLog& check) const;

 private:
  [[nodiscard]] const Canvas& lastFrame(const std::string& expected) const;

  Host& host_;
};

}  // namespace rafta::sim
