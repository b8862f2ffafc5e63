#pragma once

#include <string>

#include "bakkesmod/wrappers/wrapperstructs.h"

namespace rafta::sim {

// What the host keeps of registerCvar's arguments besides the name and the default. The
// description, searchability and bounds it is also told are not kept: the host enforces none.
struct CvarStorage {
  // Whether a write of the configuration file saves the variable.
  bool saved = true;
};

class ConsoleVariable;

// Where a variable's reads pass before they are answered: the console that registered it, which
// may turn them wrong on purpose.
class VariableReads {
 public:
  virtual void beforeRead(ConsoleVariable& variable) = 0;

 protected:
  VariableReads() = default;
  VariableReads(const VariableReads&) = default;
  VariableReads& operator=(const VariableReads&) = default;
  ~VariableReads() = default;
};

// A console variable holds text; the typed reads parse it every time, as the console does.
class ConsoleVariable {
 public:
  ConsoleVariable(std::string name, std::string defaultValue, CvarStorage storage,
                  VariableReads* reads = nullptr);

  [[nodiscard]] const std::string& name() const;
  [[nodiscard]] const CvarStorage& storage() const;

  [[nodiscard]] const std::string& text() const;
  void setText(std::string text);
  // Before a plugin's typed read: what the console does to a variable just before it is read.
  void beforeRead();

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
  CvarStorage storage_;
  std::string text_;
  VariableReads* reads_;
};

}  // namespace rafta::sim
