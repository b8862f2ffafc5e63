#include "sim/run/Session.h"

#include <cerrno>
#include <iostream>
#include <system_error>
#include <utility>

#include "sim/files/RegularFile.h"
#include "sim/pictures/FramePicture.h"
#include "sim/pictures/PagePicture.h"
#include "sim/run/Executor.h"
#include "sim/script/Parser.h"
#include "sim/text/Text.h"
#include "sim/window/RenderThread.h"
#include "sim/window/SettingsWindow.h"

namespace rafta::sim {
namespace {

// Far beyond any session written by hand or made by a program; /dev/zero is refused before this.
constexpr std::size_t kMostScriptBytes = std::size_t{16} * 1024 * 1024;

void emit(const TextSink& sink, std::ostream& fallback, const std::string& text) {
  if (sink) {
    sink(text);
  } else {
    fallback << text << '\n';
  }
}

HostOptions hostOptions(const SessionOptions& options, const std::filesystem::path& appData) {
  return {appData, options.configFile, [err = options.err](const std::string& message) {
            emit(err, std::cerr, printable(message));
          }};
}

std::string locate(const std::string& script, int line) {
  return line > 0 ? script + ":" + std::to_string(line) + ": " : script + ": ";
}

// Messages quote the script, its name and the configuration: none may drive the terminal.
RunResult failed(ExitCode code, const std::string& message) { return {code, printable(message)}; }

}  // namespace

Session::Session(std::unique_ptr<PluginLibrary> library, SessionOptions options)
    : options_(std::move(options)),
      appData_(options_.appData),
      host_(hostOptions(options_, appData_.path())),
      module_(host_, std::move(library)),
      settingsWindow_(std::make_unique<SettingsWindow>()),
      renderThread_(std::make_unique<RenderThread>()),
      executor_(std::make_unique<Executor>(
          ExecutorInputs{host_, module_, [this] { prepareLoad(); }, *settingsWindow_,
                         *renderThread_, [this](const std::string& message) { warn(message); }})) {
  host_.console().setLogSink([this](const std::string& line) { print(line); });
  if (options_.faults) {
    host_.setFaults(*options_.faults);
  }
  if (options_.trace) {
    host_.reports().setTraceSink([this](const std::string& line) { print("| " + line); });
  }
  if (!options_.pictureFolder.empty()) {
    pictures_ = std::make_unique<PictureFolder>(options_.pictureFolder);
    host_.frames().setFrameSink([this](const Canvas& frame) {
      sayWhenCut(frame.size());
      writePicture("frame", paintFrame(frame));
    });
    settingsWindow_->setPageSink([this](const ImDrawData& page) {
      writePicture("settings", paintPage(page, settingsWindow_->fonts()));
    });
  }
}

Session::~Session() = default;

RunResult Session::runFile(const std::filesystem::path& script) {
  auto file = readRegularFile(script, kMostScriptBytes);
  switch (file.status) {
    case FileContents::Status::Read:
      return runText(file.bytes, script.string());
    case FileContents::Status::NotRegular:
      return failed(ExitCode::BadScript, script.string() + ": the script " + file.why);
    case FileContents::Status::TooLarge:
      return failed(ExitCode::BadScript,
                    script.string() + ": the script " + file.why + ", the most a script may hold");
    default:
      return failed(ExitCode::BadScript, script.string() + ": cannot read the script: " + file.why);
  }
}

RunResult Session::runText(std::string_view text, const std::string& scriptName) {
  scriptName_ = scriptName;
  line_ = 0;
  std::string lineText;
  try {
    for (const auto& line : parseScript(text)) {
      line_ = line.number;
      lineText = line.text;
      execute(line.command);
    }
  } catch (const GameCrash& crash) {
    // Told as the crash of the game it stands for, with the line that led to it.
    return failed(crash.code(), "rafta-sim: the game would crash: " + std::string(crash.what()) +
                                    " (line " + std::to_string(line_) + ": " + lineText + ")");
  } catch (const RunError& failure) {
    return failed(failure.code(), locate(scriptName_, failure.line() > 0 ? failure.line() : line_) +
                                      failure.what());
  } catch (const std::exception& error) {
    return failed(ExitCode::BadScript, locate(scriptName_, line_) + "error: " + error.what());
  }
  if (!options_.out) {
    std::cout.flush();
    checkOutput();
  }
  // Told at the failure; the script ran on, as a game goes on after its host failed a write.
  if (!host_.reports().firstIoFailure().empty()) {
    return failed(ExitCode::HostIoFailed, scriptName_ +
                                              ": the host could not write what the session made "
                                              "(first: " +
                                              host_.reports().firstIoFailure() + ")");
  }
  return {};
}

Host& Session::host() { return host_; }

std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> Session::plugin() const {
  return module_.plugin();
}

const std::filesystem::path& Session::appData() const { return appData_.path(); }

// What the plugin finds at a load: the goal picture the host installs, and the folder it reports.
void Session::prepareLoad() {
  installGoalPicture(host_.behaviour().goalPicture, appData_.path(), options_.shippedPicture);
  appData_.publish();
}

void Session::print(const std::string& line) {
  emit(options_.out, std::cout, options_.raw ? line : windows1252ToUtf8(line));
  if (!options_.out) {
    checkOutput();
  }
}

void Session::checkOutput() {
  // Standard output takes the log only as its buffer empties, so a failure shows some lines late.
  if (!std::cout && !outputFailed_) {
    outputFailed_ = true;
    host_.reports().ioFailed("cannot write the console log to standard output: " +
                             std::generic_category().message(errno));
  }
}

void Session::sayWhenCut(Vector2 reported) {
  const auto painted = paintedSize(reported);
  const bool cut = painted.X < reported.X || painted.Y < reported.Y;
  const bool told = reported.X == toldCut_.X && reported.Y == toldCut_.Y;
  toldCut_ = cut ? reported : Vector2{};
  if (cut && !told) {
    const auto side = std::to_string(kMostPaintedSide);
    warn("the screen size " + std::to_string(reported.X) + " x " + std::to_string(reported.Y) +
         " is painted as " + std::to_string(painted.X) + " x " + std::to_string(painted.Y) +
         " pixels, the most a picture holds being " + side + " x " + side +
         ": what lies beyond is cut");
  }
}

void Session::writePicture(const std::string& kind, const Image& image) {
  try {
    pictures_->write(kind, image);
  } catch (const std::exception& error) {
    host_.reports().ioFailed(error.what());
  }
}

void Session::execute(const ScriptCommand& command) {
  executor_->run(command);
  host_.hooks().tick();
}

void Session::warn(const std::string& message) {
  host_.reports().warn(locate(scriptName_, line_) + message);
}

}  // namespace rafta::sim
