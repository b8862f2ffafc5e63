#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "bakkesmod/wrappers/wrapperstructs.h"
#include "sim/faults/FaultInjector.h"
#include "sim/game/Game.h"

namespace rafta::sim {

// What the host installs as the goal picture before a load.
enum class PictureMode { Present, Absent, Unloadable };

// A script line, parsed and checked before anything runs.
namespace command {

struct State {
  std::vector<std::pair<GameFlag, bool>> changes;
};
struct Car {
  std::string name;
  std::optional<std::string> id;
  std::optional<std::uint8_t> team;
  std::optional<bool> pri;
};
// Empty car name: none.
struct Local {
  std::optional<std::string> car;
};
struct Ball {
  std::optional<Vector> pos;
  std::optional<Vector> vel;
};
struct Clock {
  double seconds;
};
struct Screen {
  Vector2 size;
};
struct Picture {
  PictureMode mode;
};
struct ConfigDelay {
  double seconds;
};
// Rate 0 turns wrong answers off.
struct Faults {
  FaultPlan plan;
};
struct Load {};
struct Unload {};
struct Restart {};
struct Event {
  std::string function;
};
// Who runs a hit function: a named car, a null caller, or whichever car is local at that moment.
struct NullCaller {};
struct LocalCaller {};
using Caller = std::variant<std::string, NullCaller, LocalCaller>;
struct Touch {
  Caller caller;
};
struct Hit {
  Caller caller;
};
struct Wait {
  double seconds;
};
struct Frame {
  int count;
};
struct Console {
  std::string name;
  std::string value;
};
// The settings page: drawn with no input, or one of its widgets worked with the mouse.
struct Settings {
  int count;
};
struct Click {
  std::string label;
};
struct Toggle {
  std::string label;
};
struct Slide {
  std::string label;
  double value;
};
struct Choose {
  std::string item;
};

struct ExpectDrawn {
  std::string text;
};
struct ExpectNothingDrawn {};
struct ExpectCvar {
  std::string name;
  std::string value;
};
struct ExpectStored {
  std::string name;
  std::string value;
};
struct ExpectHooked {
  std::string function;
  bool hooked;
};
struct ExpectTimers {
  std::size_t count;
};
struct ExpectLog {
  std::string text;
};

}  // namespace command

using Command =
    std::variant<command::State, command::Car, command::Local, command::Ball, command::Clock,
                 command::Screen, command::Picture, command::ConfigDelay, command::Load,
                 command::Unload, command::Restart, command::Event, command::Touch, command::Hit,
                 command::Wait, command::Frame, command::Console, command::Settings, command::Click,
                 command::Toggle, command::Slide, command::Choose, command::ExpectDrawn,
                 command::ExpectNothingDrawn, command::ExpectCvar, command::ExpectStored,
                 command::ExpectHooked, command::ExpectTimers, command::ExpectLog, command::Faults>;

struct ScriptLine {
  int number;
  Command command;
};

}  // namespace rafta::sim
