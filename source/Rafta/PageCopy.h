#pragma once

#include <optional>

namespace rafta {

// The settings page's own copy of a value that the game thread publishes, for a Dear ImGui widget
// to edit on the render thread. The copy takes the published value whenever that changes, and
// otherwise keeps what the widget made of it: a change handed to the game thread but not yet taken
// is neither undone by the page's next draw nor applied twice.
//
//   float& x = pageX.Follow(overlayX);
//   if (ImGui::SliderFloat("Position X", &x, ...)) { hand x to the game thread }
template <typename T>
class PageCopy {
 public:
  T& Follow(T published) {
    if (!seen || *seen != published) {
      seen = published;
      copy = published;
    }
    return copy;
  }

 private:
  std::optional<T> seen;  // the published value the copy last took
  T copy{};
};

}  // namespace rafta
