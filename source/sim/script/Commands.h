#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "bakkesmod/wrappers/wrapperstructs.h"
#include "sim/game/Game.h"

namespace rafta::sim {

class Host;

// The commands of the script language, one a line, parsed and checked before anything runs.
namespace script {

struct State {
  std::vector<std::pair<GameFlag, bool>> changes;
};
// Named apart from the game's Car and Ball, which these set up.
struct CarSetup {
  std::string name;
  std::optional<std::string> id;
  std::optional<std::uint8_t> team;
  std::optional<bool> pri;
};
// No car: the host reports no local car.
struct Local {
  std::optional<std::string> car;
};
struct BallSetup {
  std::optional<Vector> pos;
  std::optional<Vector> vel;
};
// The game's time, as the game state reports it; the host's own clock only `wait` moves.
struct SecondsElapsed {
  double seconds;
};
struct Screen {
  Vector2 size;
};
// A setting of the host's behaviour (config-delay, config-unknown, null-calls, faults, picture):
// what the line sets, applied to the host that runs it.
struct Behaviour {
  std::function<void(Host&)> set;
};
struct Load {};
struct Unload {};
// Without unload: the game exits as it may when the player quits, and onUnload is not called.
struct Restart {
  bool withoutUnload;
};
struct Event {
  std::string function;
};
// Who runs a hit function: a named car, a null caller, or the goal frame's own object, which is
// what runs TriggerHit in the real game.
struct NullCaller {};
struct GoalFrameCaller {};
using Caller = std::variant<std::string, NullCaller, GoalFrameCaller>;
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
// The user types a console command: its name, then its words.
struct TypeCommand {
  std::vector<std::string> words;
};
// The plugin's settings page: drawn with no input (the `settings` command), or one of its widgets
// worked with the mouse.
struct DrawPage {
  int count;
};
// The player closes the host's settings window, and the host writes its configuration file.
struct CloseSettingsWindow {};
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
// Pressed at the first fraction of the slider's travel, moved through the rest, let go.
struct Drag {
  std::string label;
  std::vector<double> fractions;
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
struct ExpectCommand {
  std::string name;
  bool registered;
};
struct ExpectTimers {
  std::size_t count;
};
struct ExpectLog {
  std::string text;
};

}  // namespace script

using ScriptCommand = std::variant<
    script::State, script::CarSetup, script::Local, script::BallSetup, script::SecondsElapsed,
    script::Screen, script::Behaviour, script::Load, script::Unload, script::Restart, script::Event,
    script::Touch, script::Hit, script::Wait, script::Frame, script::Console, script::TypeCommand,
    script::DrawPage, script::CloseSettingsWindow, script::Click, script::Toggle, script::Slide,
    script::Choose, script::Drag, script::ExpectDrawn, script::ExpectNothingDrawn,
    script::ExpectCvar, script::ExpectStored, script::ExpectHooked, script::ExpectCommand,
    script::ExpectTimers, script::ExpectLog>;

struct ScriptLine {
  int number;
  ScriptCommand command;
  // Its words, joined by single blanks: how a message quotes the line.
  std::string text;
};

}  // namespace rafta::sim
