#include "sim/window/SettingsWindow.h"

#include <cstdint>
#include <string>
#include <utility>

namespace rafta::sim {
namespace {

constexpr ImGuiWindowFlags kWindowFlags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
                                          ImGuiWindowFlags_NoCollapse |
                                          ImGuiWindowFlags_NoSavedSettings;

void setUp(ImGuiIO& io) {
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  io.DisplaySize = {SettingsWindow::kDisplayWidth, SettingsWindow::kDisplayHeight};
  io.DeltaTime = 1.0F / 60.0F;
  unsigned char* pixels = nullptr;
  int width = 0;
  int height = 0;
  io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
  // The atlas names its own texture: one id that stays for the context's life.
  io.Fonts->SetTexID(io.Fonts);
  prepareInput(io);
}

// A page that threw leaves its frame open; close it so that the next page can begin.
void abandonFrame() {
  ImGui::ErrorCheckEndFrameRecover(nullptr);
  ImGui::EndFrame();
}

}  // namespace

SettingsWindow::SettingsWindow() : context_(ImGui::CreateContext()) {
  makeCurrent();
  setUp(ImGui::GetIO());
}

SettingsWindow::~SettingsWindow() { ImGui::DestroyContext(context_); }

void SettingsWindow::setPageSink(PageSink sink) { sink_ = std::move(sink); }

void SettingsWindow::meetNewPlugin() { introduced_ = false; }

void SettingsWindow::draw(BakkesMod::Plugin::PluginSettingsWindow& page, const ImGuiInput& input) {
  makeCurrent();
  if (!introduced_) {
    page.SetImGuiContext(reinterpret_cast<std::uintptr_t>(context_));
    introduced_ = true;
  }
  applyInput(ImGui::GetIO(), input);
  ImGui::NewFrame();
  ImGui::SetNextWindowPos({kMargin, kMargin});
  ImGui::SetNextWindowSize({kDisplayWidth - 2.0F * kMargin, kDisplayHeight - 2.0F * kMargin});
  // The fixed id keeps one window whatever title the plugin gives, an empty one included.
  ImGui::Begin((page.GetPluginName() + "###settings").c_str(), nullptr, kWindowFlags);
  window_ = ImGui::GetCurrentWindow();
  try {
    page.RenderSettings();
  } catch (...) {
    abandonFrame();
    throw;
  }
  ImGui::End();
  ImGui::Render();
  if (sink_) {
    sink_(*ImGui::GetDrawData());
  }
}

void SettingsWindow::makeCurrent() const { ImGui::SetCurrentContext(context_); }

ImGuiContext& SettingsWindow::context() const { return *context_; }

ImFontAtlas& SettingsWindow::fonts() const { return *context_->IO.Fonts; }

const ImFont& SettingsWindow::font() const { return *fonts().Fonts[0]; }

ImGuiWindow* SettingsWindow::window() const { return window_; }

}  // namespace rafta::sim
