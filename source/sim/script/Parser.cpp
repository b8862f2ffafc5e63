// Reading a script: lines into words, words into checked commands.
#include "sim/script/Parser.h"
#include "sim/script/ScriptNumbers.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <utility>

#include "GameFunctions.h"
#include "sim/errors/Errors.h"
#include "sim/host/Host.h"
#include "sim/numbers/Numbers.h"
#include "sim/text/Text.h"

namespace rafta::sim {
namespace {

// --- Words --------------------------------------------------------------------------------------

constexpr std::string_view kBlanks = " \t\r";

bool endsWord(std::string_view line, std::size_t pos) {
  return pos == line.size() || kBlanks.find(line[pos]) != std::string_view::npos ||
         line[pos] == '#';
}

std::string quotedWord(std::string_view line, std::size_t& pos) {
  auto word = readQuoted(line, pos);
  if (!word) {
    throw ScriptError("unterminated quoted word");
  }
  if (!endsWord(line, pos)) {
    throw ScriptError("a closing quote must end its word");
  }
  return *word;
}

std::string plainWord(std::string_view line, std::size_t& pos) {
  const auto start = pos;
  while (!endsWord(line, pos)) {
    if (line[pos] == '"') {
      throw ScriptError("a quote may only open a word");
    }
    ++pos;
  }
  return std::string(line.substr(start, pos - start));
}

// --- Commands -----------------------------------------------------------------------------------

// The words after the command, taken one by one; every complaint names the command.
class Args {
 public:
  Args(std::string verb, std::vector<std::string> words)
      : verb_(std::move(verb)), words_(std::move(words)) {}

  [[nodiscard]] bool done() const { return next_ == words_.size(); }

  [[nodiscard]] const std::string& verb() const { return verb_; }

  // The next word, left to be taken; only when not done().
  [[nodiscard]] const std::string& peek() const { return words_[next_]; }

  std::string word(std::string_view what) {
    if (done()) {
      fail("missing " + std::string(what));
    }
    return words_[next_++];
  }

  double number(std::string_view what) {
    const auto text = word(what);
    const auto value = parseDecimal(text);
    if (!value) {
      fail("bad number for " + std::string(what) + ": " + text);
    }
    return *value;
  }

  double nonNegative(std::string_view what) {
    const double value = number(what);
    if (value < 0.0) {
      fail(std::string(what) + " must not be negative");
    }
    return value;
  }

  std::int64_t whole(std::string_view what, std::int64_t low, std::int64_t high) {
    const double value = number(what);
    if (!(value >= static_cast<double>(low) && value <= static_cast<double>(high)) ||
        value != std::trunc(value)) {
      fail(std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
           std::to_string(high));
    }
    return static_cast<std::int64_t>(value);
  }

  bool flag(std::string_view what) { return whole(what, 0, 1) == 1; }

  // The remaining words, joined by single blanks: a text that was not quoted.
  std::string text(std::string_view what) {
    std::string joined = word(what);
    while (!done()) {
      joined += ' ' + words_[next_++];
    }
    return joined;
  }

  void finish() const {
    if (!done()) {
      fail("unexpected word: " + words_[next_]);
    }
  }

  [[noreturn]] void fail(const std::string& message) const {
    throw ScriptError(verb_ + ": " + message);
  }

 private:
  std::string verb_;
  std::vector<std::string> words_;
  std::size_t next_ = 0;
};

template <typename T>
T finished(const Args& args, T value) {
  args.finish();
  return value;
}

constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();

GameFlag stateKey(const Args& args, std::string_view key) {
  static const std::map<std::string_view, GameFlag> keys{
      {"ingame", GameFlag::InGame},     {"online", GameFlag::Online},
      {"freeplay", GameFlag::Freeplay}, {"training", GameFlag::Training},
      {"replay", GameFlag::Replay},     {"server", GameFlag::Server},
      {"ball", GameFlag::Ball}};
  const auto found = keys.find(key);
  if (found == keys.end()) {
    args.fail("unknown key " + std::string(key) +
              " (keys: ingame, online, freeplay, training, replay, server, ball)");
  }
  return found->second;
}

ScriptCommand parseState(Args& args) {
  script::State state;
  do {
    const auto pair = args.word("KEY=0|1");
    const auto equals = pair.find('=');
    if (equals == std::string::npos) {
      args.fail("expected KEY=0|1, found " + pair);
    }
    const auto flag = stateKey(args, std::string_view(pair).substr(0, equals));
    const auto value = pair.substr(equals + 1);
    if (value != "0" && value != "1") {
      args.fail("the value of " + pair.substr(0, equals) + " must be 0 or 1");
    }
    state.changes.emplace_back(flag, value == "1");
  } while (!args.done());
  return state;
}

std::string carName(Args& args) {
  auto name = args.word("car name");
  if (name == "none" || name == "null") {
    args.fail("\"" + name + "\" is not a car name: it means no car");
  }
  if (name == "frame") {
    args.fail("\"frame\" is not a car name: it means the goal frame's object");
  }
  return name;
}

ScriptCommand parseCar(Args& args) {
  script::CarSetup car{carName(args), {}, {}, {}};
  while (!args.done()) {
    const auto option = args.word("option");
    if (option == "id" && !car.id) {
      car.id = args.word("id text");
    } else if (option == "team" && !car.team) {
      car.team = static_cast<std::uint8_t>(args.whole("team", 0, 255));
    } else if (option == "pri" && !car.pri) {
      car.pri = args.flag("pri");
    } else {
      args.fail("unexpected or repeated option " + option + " (options: id, team, pri)");
    }
  }
  return car;
}

ScriptCommand parseLocal(Args& args) {
  const auto name = args.word("car name or none");
  return finished(args, script::Local{name == "none" ? std::nullopt : std::optional(name)});
}

Vector vector(Args& args, std::string_view what) {
  const auto x = args.number(std::string(what) + " X");
  const auto y = args.number(std::string(what) + " Y");
  const auto z = args.number(std::string(what) + " Z");
  return {toFloat(x), toFloat(y), toFloat(z)};
}

ScriptCommand parseBall(Args& args) {
  script::BallSetup ball;
  while (!args.done()) {
    const auto option = args.word("option");
    if (option == "pos" && !ball.pos) {
      ball.pos = vector(args, "pos");
    } else if (option == "vel" && !ball.vel) {
      ball.vel = vector(args, "vel");
    } else {
      args.fail("unexpected or repeated option " + option + " (options: pos, vel)");
    }
  }
  return ball;
}

ScriptCommand parseScreen(Args& args) {
  const auto width = static_cast<std::int32_t>(args.whole("width", kIntMin, kIntMax));
  const auto height = static_cast<std::int32_t>(args.whole("height", kIntMin, kIntMax));
  return finished(args, script::Screen{{width, height}});
}

// --- The host's behaviour: each form sets a field of HostBehaviour ------------------------------

template <typename Setting>
ScriptCommand behaviour(Setting setting) {
  return script::Behaviour{std::move(setting)};
}

ScriptCommand parsePicture(Args& args) {
  static const std::map<std::string_view, PictureMode> modes{
      {"present", PictureMode::Present},
      {"absent", PictureMode::Absent},
      {"unloadable", PictureMode::Unloadable}};
  const auto word = args.word("present, absent or unloadable");
  const auto mode = modes.find(word);
  if (mode == modes.end()) {
    args.fail("expected present, absent or unloadable, found " + word);
  }
  args.finish();
  return behaviour([mode = mode->second](Host& host) { host.behaviour().goalPicture = mode; });
}

ScriptCommand parseConfigDelay(Args& args) {
  const double seconds = finished(args, args.nonNegative("SECONDS"));
  return behaviour([seconds](Host& host) { host.behaviour().configDelaySeconds = seconds; });
}

// One of two words, the first meaning yes.
bool either(Args& args, const std::string& yes, const std::string& no) {
  const auto choice = args.word(yes + " or " + no);
  if (choice != yes && choice != no) {
    args.fail("expected " + yes + " or " + no + ", found " + choice);
  }
  args.finish();
  return choice == yes;
}

ScriptCommand parseConfigUnknown(Args& args) {
  const bool keep = either(args, "keep", "drop");
  return behaviour([keep](Host& host) { host.behaviour().keepUnknownLines = keep; });
}

ScriptCommand parseNullCalls(Args& args) {
  const bool crash = either(args, "crash", "answer");
  return behaviour([crash](Host& host) { host.behaviour().crashOnBadCalls = crash; });
}

// Rate 0 (`off`) turns wrong answers off.
ScriptCommand parseFaults(Args& args) {
  FaultPlan plan;
  const auto first = args.word("RATE or off");
  if (first == "off") {
    args.finish();
    return behaviour([plan](Host& host) { host.setFaults(plan); });
  }
  const auto rate = parseDecimal(first);
  if (!rate || !(*rate >= 0.0 && *rate <= 1.0)) {
    args.fail("the rate must be a number from 0 to 1, found " + first);
  }
  plan.rate = *rate;
  const auto seedText = args.word("SEED");
  const auto seed = parseSeed(seedText);
  if (!seed) {
    args.fail("bad seed " + seedText + " (a whole number from 0 to 18446744073709551615)");
  }
  plan.seed = *seed;
  if (!args.done()) {
    plan.kinds = 0;
  }
  while (!args.done()) {
    const auto name = args.word("KIND");
    const auto kind = faultKindNamed(name);
    if (!kind) {
      args.fail("unknown kind " + name + " (null, id, number, console, screen, config, flag)");
    }
    plan.kinds |= faultBit(*kind);
  }
  return behaviour([plan](Host& host) { host.setFaults(plan); });
}

// --- The game and the plugin's life -------------------------------------------------------------

std::string functionArgument(Args& args) {
  const auto name = args.word("game function");
  auto function = gameFunction(name);
  if (!function) {
    args.fail("unknown game function " + name +
              " (PostBeginPlay, EndGame, BeginRound, OnGoalScored, StartReplay, StopReplay, "
              "OnHitBall, TriggerHit)");
  }
  return *function;
}

script::Caller caller(const std::string& name) {
  if (name == "null") {
    return script::NullCaller{};
  }
  return name;
}

ScriptCommand parseTouch(Args& args) {
  const auto name = args.word("car name or null");
  if (name == "frame") {
    args.fail("only a car touches the ball: name one, or null");
  }
  return finished(args, script::Touch{caller(name)});
}

// The goal frame's object by default: in the real game it runs TriggerHit, never a car.
ScriptCommand parseHit(Args& args) {
  if (args.done()) {
    return script::Hit{script::GoalFrameCaller{}};
  }
  const auto name = args.word("frame, car name or null");
  if (name == "frame") {
    return finished(args, script::Hit{script::GoalFrameCaller{}});
  }
  return finished(args, script::Hit{caller(name)});
}

int count(Args& args) {
  return args.done() ? 1 : static_cast<int>(args.whole("count", 0, kIntMax));
}

ScriptCommand parseExpect(Args& args) {
  const auto what = args.word("what to check");
  if (what == "drawn") {
    return script::ExpectDrawn{args.text("TEXT")};
  }
  if (what == "nothing-drawn") {
    return finished(args, script::ExpectNothingDrawn{});
  }
  if (what == "cvar" || what == "stored") {
    auto name = args.word("variable name");
    auto value = args.word("value");
    if (what == "cvar") {
      return finished(args, script::ExpectCvar{std::move(name), std::move(value)});
    }
    return finished(args, script::ExpectStored{std::move(name), std::move(value)});
  }
  if (what == "hooked" || what == "not-hooked") {
    return finished(args, script::ExpectHooked{functionArgument(args), what == "hooked"});
  }
  if (what == "command" || what == "no-command") {
    return finished(args, script::ExpectCommand{args.word("NAME"), what == "command"});
  }
  if (what == "timers") {
    return finished(
        args, script::ExpectTimers{static_cast<std::size_t>(args.whole("count", 0, kIntMax))});
  }
  if (what == "log") {
    return script::ExpectLog{args.text("TEXT")};
  }
  args.fail("unknown check " + what +
            " (drawn, nothing-drawn, cvar, stored, hooked, not-hooked, command, no-command, "
            "timers, log)");
}

ScriptCommand parseTypeCommand(Args& args) {
  script::TypeCommand command{{args.word("NAME")}};
  while (!args.done()) {
    command.words.push_back(args.word("WORD"));
  }
  return command;
}

ScriptCommand parseRestart(Args& args) {
  if (args.done()) {
    return script::Restart{false};
  }
  const auto how = args.word("without-unload");
  if (how != "without-unload") {
    args.fail("expected without-unload, found " + how);
  }
  return finished(args, script::Restart{true});
}

ScriptCommand parseSettings(Args& args) {
  if (args.done()) {
    return script::DrawPage{1};
  }
  if (args.peek() == "close") {
    args.word("close");
    return finished(args, script::CloseSettingsWindow{});
  }
  return script::DrawPage{finished(args, count(args))};
}

ScriptCommand parseSlide(Args& args) {
  auto label = args.word("LABEL");
  const double value = args.number("VALUE");
  return finished(args, script::Slide{std::move(label), value});
}

ScriptCommand parseDrag(Args& args) {
  script::Drag drag{args.word("LABEL"), {}};
  do {
    const double fraction = args.number("FRACTION");
    if (!(fraction >= 0.0 && fraction <= 1.0)) {
      args.fail("a fraction of the slider's travel is from 0 to 1");
    }
    drag.fractions.push_back(fraction);
  } while (!args.done());
  return drag;
}

using Parser = std::function<ScriptCommand(Args&)>;

const std::map<std::string_view, Parser>& parsers() {
  static const std::map<std::string_view, Parser> table{
      {"state", parseState},
      {"car", parseCar},
      {"local", parseLocal},
      {"ball", parseBall},
      {"clock", [](Args& a) { return script::SecondsElapsed{finished(a, a.number("SECONDS"))}; }},
      {"screen", parseScreen},
      {"picture", parsePicture},
      {"config-delay", parseConfigDelay},
      {"load", [](Args& a) { return finished(a, script::Load{}); }},
      {"unload", [](Args& a) { return finished(a, script::Unload{}); }},
      {"config-unknown", parseConfigUnknown},
      {"restart", parseRestart},
      {"event", [](Args& a) { return script::Event{finished(a, functionArgument(a))}; }},
      {"touch", parseTouch},
      {"hit", parseHit},
      {"wait", [](Args& a) { return script::Wait{finished(a, a.nonNegative("SECONDS"))}; }},
      {"frame", [](Args& a) { return script::Frame{finished(a, count(a))}; }},
      {"console",
       [](Args& a) {
         auto name = a.word("NAME");
         auto value = a.word("VALUE");
         return finished(a, script::Console{std::move(name), std::move(value)});
       }},
      {"command", parseTypeCommand},
      {"settings", parseSettings},
      {"click", [](Args& a) { return script::Click{finished(a, a.word("LABEL"))}; }},
      {"toggle", [](Args& a) { return script::Toggle{finished(a, a.word("LABEL"))}; }},
      {"slide", parseSlide},
      {"drag", parseDrag},
      {"choose", [](Args& a) { return script::Choose{finished(a, a.word("ITEM"))}; }},
      {"expect", parseExpect},
      {"faults", parseFaults},
      {"null-calls", parseNullCalls}};
  return table;
}

std::string joinedWords(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) {
    text += (text.empty() ? "" : " ") + word;
  }
  return text;
}

}  // namespace

std::vector<std::string> splitWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  while (true) {
    pos = line.find_first_not_of(kBlanks, pos);
    if (pos == std::string_view::npos || line[pos] == '#') {
      return words;
    }
    words.push_back(line[pos] == '"' ? quotedWord(line, pos) : plainWord(line, pos));
  }
}

std::optional<std::string> gameFunction(std::string_view name) {
  namespace f = game;
  static constexpr std::array<std::string_view, 8> all{
      f::kPostBeginPlay, f::kEndGame,    f::kBeginRound, f::kOnGoalScored,
      f::kStartReplay,   f::kStopReplay, f::kOnHitBall,  f::kTriggerHit};
  for (const auto full : all) {
    if (name == full ||
        (!name.empty() && full.ends_with(name) && full[full.size() - name.size() - 1] == '.')) {
      return std::string(full);
    }
  }
  return std::nullopt;
}

ScriptCommand parseScriptCommand(const std::vector<std::string>& words) {
  const auto& verb = words.front();
  const auto found = parsers().find(verb);
  if (found == parsers().end()) {
    throw ScriptError("unknown command: " + verb);
  }
  Args args(verb, {words.begin() + 1, words.end()});
  return found->second(args);
}

std::vector<ScriptLine> parseScript(std::string_view text) {
  // Editors on Windows start UTF-8 files with a byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
  }
  std::vector<ScriptLine> lines;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const auto end = text.find('\n');
    const auto line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    try {
      // A NUL would end every message that quotes the line: named here, where it still shows.
      if (const auto nul = line.find('\0'); nul != std::string_view::npos) {
        throw ScriptError("a NUL byte at column " + std::to_string(nul + 1));
      }
      const auto words = splitWords(line);
      if (!words.empty()) {
        lines.push_back({number, parseScriptCommand(words), joinedWords(words)});
      }
    } catch (RunError& failure) {
      failure.setLine(number);
      throw;
    }
  }
  return lines;
}

}  // namespace rafta::sim
