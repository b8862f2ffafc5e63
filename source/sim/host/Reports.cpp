#include "sim/host/Reports.h"

#include <iostream>
#include <utility>

namespace rafta::sim {

Reports::Reports(TextSink warn) : warn_(std::move(warn)) {}

void Reports::setTraceSink(TextSink sink) { trace_ = std::move(sink); }

bool Reports::tracing() const { return static_cast<bool>(trace_); }

void Reports::trace(const std::string& line) const {
  if (trace_) {
    trace_(line);
  }
}

void Reports::warn(const std::string& message) const {
  if (warn_) {
    warn_(message);
  } else {
    std::cerr << message << '\n';
  }
}

void Reports::ioFailed(const std::string& what) {
  warn("rafta-sim: " + what);
  if (firstIoFailure_.empty()) {
    firstIoFailure_ = what;
  }
}

const std::string& Reports::firstIoFailure() const { return firstIoFailure_; }

}  // namespace rafta::sim
