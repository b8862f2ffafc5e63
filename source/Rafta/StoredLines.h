#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "Platform.h"
#include "StoredVariables.h"

// The host's cfg line form, `name "value"`, as the plugin reads its stored variables from the
// host's configuration and from its own copy, and writes them into its copy.
//
//   const StoredLines copy = ReadStoredLines(folder / "rafta.cfg");
//   if (copy.values[IndexOf(Stored::Total)]) ...  // a sound total line
namespace rafta {

struct StoredLines {
  platform::FileRead::Status file = platform::FileRead::Status::Missing;
  // Each stored variable's last sound value in the file: a finite number.
  std::array<std::optional<double>, kStoredCount> values;
  // A line names a stored variable but holds no finite number, or was cut short.
  bool unsound = false;
};

// Every line counts on its own: blank lines, `//` notes (and a note after a value, as the host
// writes descriptions), other names, a byte-order mark, CR LF and a missing last line end are
// harmless, and a line that is not sound gives no value rather than spoiling the others.
[[nodiscard]] StoredLines ReadStoredLines(const std::filesystem::path& file);

// The copy's text: every stored variable a line, in registration order, each value in the
// shortest text that reads back as the same number. Replaces `text`, reusing its room.
void WriteStoredLines(const StoredNumbers& values, std::string& text);

}  // namespace rafta
