#include "sim/canvas/Canvas.h"

#include <sstream>
#include <utility>

#include "sim/text/Text.h"

namespace rafta::sim {
namespace {

template <typename... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::ostream& operator<<(std::ostream& out, Vector2 v) { return out << v.X << ' ' << v.Y; }
std::ostream& operator<<(std::ostream& out, Vector2F v) { return out << v.X << ' ' << v.Y; }
std::ostream& operator<<(std::ostream& out, const canvas::Point& p) {
  std::visit([&](const auto& v) { out << v; }, p);
  return out;
}

std::string pathOf(const std::shared_ptr<const HostPicture>& picture) {
  return picture ? picture->path : "(not loaded)";
}

}  // namespace

Vector2F canvas::toFloat(const Point& point) {
  return std::visit(Overloaded{[](Vector2 v) {
                                 return Vector2F{static_cast<float>(v.X), static_cast<float>(v.Y)};
                               },
                               [](Vector2F v) { return v; }},
                    point);
}

std::string describe(const CanvasCall& call) {
  std::ostringstream out;
  std::visit(Overloaded{
                 [&](const canvas::SetColor& c) {
                   out << "SetColor " << c.color.R << ' ' << c.color.G << ' ' << c.color.B << ' '
                       << c.color.A;
                 },
                 [&](const canvas::SetPosition& c) { out << "SetPosition " << c.position; },
                 [&](const canvas::DrawString& c) {
                   out << "DrawString " << quote(c.text) << ' ' << c.xScale << ' ' << c.yScale
                       << (c.dropShadow ? " shadow" : "") << (c.wrapText ? " wrap" : "");
                 },
                 [&](const canvas::MeasureString& c) {
                   out << "GetStringSize " << quote(c.text) << ' ' << c.xScale << ' ' << c.yScale;
                 },
                 [&](const canvas::DrawBox& c) { out << "DrawBox " << c.size; },
                 [&](const canvas::FillBox& c) { out << "FillBox " << c.size; },
                 [&](const canvas::DrawLine& c) {
                   out << "DrawLine " << c.start << ' ' << c.end;
                   if (c.width) {
                     out << " width " << *c.width;
                   }
                 },
                 [&](const canvas::DrawRect& c) { out << "DrawRect " << c.start << ' ' << c.end; },
                 [&](const canvas::DrawTexture& c) {
                   out << "DrawTexture " << pathOf(c.picture) << ' ' << c.scale;
                 },
                 [&](const canvas::DrawRectOfImage& c) {
                   out << "DrawRect " << c.size << ' ' << pathOf(c.picture);
                 },
             },
             call);
  return out.str();
}

Canvas::Canvas(Vector2 size, TextMeasure measure, TextSink trace)
    : size_(size), measure_(std::move(measure)), trace_(std::move(trace)) {}

void Canvas::record(CanvasCall call) {
  if (trace_) {
    trace_("canvas " + describe(call));
  }
  calls_.push_back(std::move(call));
}

const std::vector<CanvasCall>& Canvas::calls() const { return calls_; }

Vector2 Canvas::size() const { return size_; }

Vector2F Canvas::measure(const std::string& text, float xScale, float yScale) const {
  return measure_(text, xScale, yScale);
}

}  // namespace rafta::sim
