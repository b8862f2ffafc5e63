#include "sim/window/SettingsWindowUser.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

#include "sim/errors/Errors.h"
#include "sim/numbers/Numbers.h"
#include "sim/plugin/PluginFacts.h"
#include "sim/text/Text.h"
#include "sim/window/SettingsWindowText.h"

namespace rafta::sim {
namespace {

// Dear ImGui keeps the slider's grab this far inside the slider's frame.
constexpr float kGrabPadding = 2.0F;
// A spot of the screen outside the window: a click there closes an open list.
constexpr float kOutside = SettingsWindow::kMargin / 2.0F;

// A mouse points at whole pixels.
ImVec2 centre(const ImRect& box) {
  return {std::floor((box.Min.x + box.Max.x) / 2.0F), std::floor((box.Min.y + box.Max.y) / 2.0F)};
}

ImGuiInput pointing(ImVec2 at, bool held) {
  ImGuiInput input;
  input.mouse = at;
  input.mouseDown = held;
  return input;
}

std::optional<double> firstNumber(std::string_view text) {
  const auto start = text.find_first_of("-0123456789");
  if (start == std::string_view::npos) {
    return std::nullopt;
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
  if (error != std::errc{}) {
    return std::nullopt;
  }
  return value;
}

// The shortest text that reads back as the slider's float holding the value.
std::string floatText(double value) {
  return shortestText(static_cast<float>(std::clamp(value, -double{FLT_MAX}, double{FLT_MAX})));
}

}  // namespace

SettingsWindowUser::SettingsWindowUser(SettingsWindow& window,
                                       BakkesMod::Plugin::PluginSettingsWindow& page,
                                       std::string command)
    : window_(window), page_(page), command_(std::move(command)) {}

void SettingsWindowUser::look(int pages) {
  for (int i = 0; i < pages; ++i) {
    draw();
  }
}

void SettingsWindowUser::click(const std::string& label) {
  const auto widget = find(label);
  if (!widget) {
    fail("the settings page has no widget " + quote(label));
  }
  pressAndRelease(centre(widget->box));
}

void SettingsWindowUser::slide(const std::string& label, double value) {
  const auto slider = find(label);
  if (!slider) {
    fail("the settings page has no slider " + quote(label));
  }
  if (!drag(*slider, value)) {
    fail("the widget " + quote(label) + " is no slider");
  }
  enter(slider->box, value);
}

void SettingsWindowUser::drag(const std::string& label, const std::vector<double>& fractions) {
  const auto slider = find(label);
  if (!slider) {
    fail("the settings page has no slider " + quote(label));
  }
  ImVec2 at{pixelOf(slider->box, fractions.front()), centre(slider->box).y};
  draw(pointing(at, true));
  if (!sliding(slider->id)) {
    draw(pointing({kOutside, kOutside}, false));
    fail("the widget " + quote(label) + " is no slider");
  }
  for (const double fraction : fractions) {
    at.x = pixelOf(slider->box, fraction);
    draw(pointing(at, true));
  }
  draw(pointing(at, false));
}

void SettingsWindowUser::choose(const std::string& item) {
  const auto combo = find(std::string(plugin_facts::kStyleCombo));
  if (!combo) {
    fail("the settings page has no style combo");
  }
  pressAndRelease(centre(combo->box));
  auto& list = openList();
  // A list is hidden on the page that opens it: it shows, in place, from the next one.
  draw();
  const ImRect area(list.DC.CursorStartPos.x, list.Pos.y, list.Pos.x + list.Size.x,
                    list.Pos.y + list.Size.y);
  for (const auto& line : drawnTexts(*list.DrawList, window_.font(), area)) {
    if (line.text == item) {
      pressAndRelease(centre(line.box));
      return;
    }
  }
  pressAndRelease({kOutside, kOutside});
  fail("the style combo has no item " + quote(item));
}

void SettingsWindowUser::draw(const ImGuiInput& input) { window_.draw(page_, input); }

void SettingsWindowUser::pressAndRelease(ImVec2 at) {
  draw(pointing(at, true));
  draw(pointing(at, false));
}

ImGuiWindow& SettingsWindowUser::pageWindow() {
  if (window_.window() == nullptr) {
    draw();
  }
  // A window that appears gives the focus to its first widget as its next page begins; a widget
  // can be focused by hand only after that.
  const auto& g = window_.context();
  if (g.NavInitRequest || g.NavInitResultId != 0) {
    draw();
  }
  return *window_.window();
}

std::optional<SettingsWindowUser::Widget> SettingsWindowUser::find(const std::string& label) {
  auto& window = pageWindow();
  window_.makeCurrent();
  const auto id = window.GetIDNoKeepAlive(label.c_str());
  const auto box = probe(window, id);
  if (!box) {
    return std::nullopt;
  }
  return Widget{id, *box};
}

// Focusing a widget makes Dear ImGui note where it is when the next page draws it.
std::optional<ImRect> SettingsWindowUser::probe(ImGuiWindow& window, ImGuiID id) {
  ImGui::SetFocusID(id, &window);
  draw();
  const auto& g = window_.context();
  if (g.NavId != id || g.NavWindow != &window || !g.NavIdIsAlive) {
    return std::nullopt;
  }
  return ImGui::WindowRectRelToAbs(&window, window.NavRectRel[g.NavLayer]);
}

// A held slider claims the left and right keys; a held button or checkbox does not.
bool SettingsWindowUser::sliding(ImGuiID id) const {
  const auto& g = window_.context();
  return g.ActiveId == id && (g.ActiveIdUsingNavDirMask & (1U << ImGuiDir_Left)) != 0U;
}

// Pressed at one end and dragged to the other, the slider shows its two limits; the value's pixel
// lies between them. Anything else that was pressed is let go off the window, unclicked.
bool SettingsWindowUser::drag(const Widget& slider, double value) {
  const auto& frame = slider.box;
  ImVec2 at{frame.Min.x + 1.0F, centre(frame).y};
  draw(pointing(at, true));
  if (!sliding(slider.id)) {
    draw(pointing({kOutside, kOutside}, true));
    draw(pointing({kOutside, kOutside}, false));
    return false;
  }
  const auto low = shownNumber(frame);
  at.x = frame.Max.x - 1.0F;
  draw(pointing(at, true));
  const auto high = shownNumber(frame);
  if (low && high && *low != *high) {
    at.x = pixelOf(frame, (value - *low) / (*high - *low));
    draw(pointing(at, true));
  }
  draw(pointing(at, false));
  return true;
}

float SettingsWindowUser::pixelOf(const ImRect& frame, double fraction) const {
  const float travel = frame.GetWidth() - 2.0F * kGrabPadding;
  const float grab = std::min(window_.context().Style.GrabMinSize, travel);
  const float start = frame.Min.x + kGrabPadding + grab / 2.0F;
  return std::round(start + static_cast<float>(std::clamp(fraction, 0.0, 1.0)) * (travel - grab));
}

std::optional<double> SettingsWindowUser::shownNumber(const ImRect& frame) const {
  for (const auto& line : drawnTexts(*window_.window()->DrawList, window_.font(), frame)) {
    if (const auto number = firstNumber(line.text)) {
      return number;
    }
  }
  return std::nullopt;
}

// Ctrl+click turns the slider into a text field; select all, type, Enter.
void SettingsWindowUser::enter(const ImRect& frame, double value) {
  const auto at = centre(frame);
  auto press = pointing(at, true);
  press.ctrl = true;
  draw(press);
  auto selectAll = pointing(at, false);
  selectAll.ctrl = true;
  selectAll.keys = {ImGuiKey_A};
  draw(selectAll);
  auto type = pointing(at, false);
  type.typed = floatText(value);
  draw(type);
  auto confirm = pointing(at, false);
  confirm.keys = {ImGuiKey_Enter};
  draw(confirm);
}

ImGuiWindow& SettingsWindowUser::openList() {
  const auto& popups = window_.context().OpenPopupStack;
  if (popups.empty() || popups.back().Window == nullptr) {
    fail("the style combo did not open");
  }
  return *popups.back().Window;
}

void SettingsWindowUser::fail(const std::string& message) const {
  throw ScriptError(command_ + ": " + message);
}

}  // namespace rafta::sim
