#pragma once

#include "sim/faults/FaultInjector.h"

namespace rafta::sim {

// What the host installs as the goal picture before a load.
enum class PictureMode { Present, Absent, Unloadable };

// How this host behaves where the real one is only partly known, or where a session wants it
// harsher or kinder: every such setting in one place, set by a script line (script/Parser.cpp),
// the command line or a test, and read by the part it concerns. A new behaviour is a field here, a
// script form, and the part that reads it.
//
//   host.behaviour().configDelaySeconds = 0.5;  // what `config-delay 0.5` does
struct HostBehaviour {
  // config-delay: how long after onLoad returns a game start executes the configuration file.
  double configDelaySeconds = 0.0;
  // config-unknown keep|drop: whether a write of the configuration file keeps the lines of
  // variables that no plugin registered in this run.
  bool keepUnknownLines = true;
  // null-calls crash|answer: whether a call the real game would crash on ends the run.
  bool crashOnBadCalls = true;
  // faults / --faults: wrong answers on purpose. Set through Host::setFaults, which starts the
  // stream again from the plan's seed.
  FaultPlan faults{};
  // picture present|absent|unloadable: the goal picture installed at the next load.
  PictureMode goalPicture = PictureMode::Present;
  // Off for benchmarks, which time the plugin and not the disk: a write of the configuration
  // takes the values and writes no file.
  bool writesConfigFile = true;
};

}  // namespace rafta::sim
