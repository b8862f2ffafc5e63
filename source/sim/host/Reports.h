#pragma once

#include <string>

#include "sim/text/Text.h"

namespace rafta::sim {

// What the host says besides the plugin's log: a trace of its events for a reader, warnings, and
// the writes it could not make.
class Reports {
 public:
  // Empty: warnings go to standard error.
  explicit Reports(TextSink warn);

  // Empty: no trace.
  void setTraceSink(TextSink sink);
  // Trace lines are only worth making for someone reading them.
  [[nodiscard]] bool tracing() const;
  void trace(const std::string& line) const;

  void warn(const std::string& message) const;
  // A file or stream the host writes (the configuration file, pictures, the console) took no
  // bytes: warned about at once, and the session goes on as a real host's would. The first one
  // is kept, for the run's exit status; empty while none.
  void ioFailed(const std::string& what);
  [[nodiscard]] const std::string& firstIoFailure() const;

 private:
  TextSink warn_;
  TextSink trace_;
  std::string firstIoFailure_;
};

}  // namespace rafta::sim
