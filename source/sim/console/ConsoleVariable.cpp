#include "sim/console/ConsoleVariable.h"

#include <cmath>
#include <utility>

#include "sim/numbers/Numbers.h"

namespace rafta::sim {

ConsoleVariable::ConsoleVariable(std::string name, std::string defaultValue, CvarStorage storage,
                                 VariableReads* reads)
    : name_(std::move(name)), storage_(storage), text_(std::move(defaultValue)), reads_(reads) {}

const std::string& ConsoleVariable::name() const { return name_; }

const CvarStorage& ConsoleVariable::storage() const { return storage_; }

const std::string& ConsoleVariable::text() const { return text_; }

void ConsoleVariable::setText(std::string text) { text_ = std::move(text); }

void ConsoleVariable::beforeRead() {
  if (reads_ != nullptr) {
    reads_->beforeRead(*this);
  }
}

bool ConsoleVariable::boolValue() const {
  const double value = readNumber(text_);
  return !std::isnan(value) && value != 0.0;
}

int ConsoleVariable::intValue() const { return toInt(readNumber(text_)); }

float ConsoleVariable::floatValue() const { return toFloat(readNumber(text_)); }

void ConsoleVariable::setInt(int value) { text_ = std::to_string(value); }

void ConsoleVariable::setFloat(float value) { text_ = shortestText(value); }

void ConsoleVariable::setColor(LinearColor value) {
  // Appended rather than prefixed: GCC 12 at -O3 warns falsely about prepending to a temporary.
  std::string text = "(";
  text += shortestText(value.R) + ", " + shortestText(value.G) + ", " + shortestText(value.B) +
          ", " + shortestText(value.A) + ")";
  text_ = std::move(text);
}

}  // namespace rafta::sim
