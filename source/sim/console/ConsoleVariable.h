#pragma once

#include <string>

#include "bakkesmod/wrappers/wrapperstructs.h"

namespace rafta::sim {

// Everything registerCvar was told besides the name and the default; kept as given, never enforced.
struct CvarSettings {
  std::string description;
  bool searchable = true;
  bool hasMin = false;
  float min = 0.0F;
  bool hasMax = false;
  float max = 0.0F;
  bool save = true;
};

// A console variable holds text; the typed reads parse it every time, as the console does.
class ConsoleVariable {
 public:
  ConsoleVariable(std::string name, std::string defaultValue, CvarSettings settings);

  [[nodiscard]] const std::string& name() const;
  [[nodiscard]] const CvarSettings& settings() const;

  [[nodiscard]] const std::string& text() const;
  void setText(std::string text);

  [[nodiscard]] bool boolValue() const;
  [[nodiscard]] int intValue() const;
  [[nodiscard]] float floatValue() const;
  void setInt(int value);
  // Shortest text that reads back as the same float.
  void setFloat(float value);
  // "(R, G, B, A)", each channel as setFloat writes it.
  void setColor(LinearColor value);

 private:
  std::string name_;
  CvarSettings settings_;
  std::string text_;
};

}  // namespace rafta::sim
