#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rafta::sim {

// Writing a file the host makes, so that a full disk or a device that takes no bytes is never
// taken for a file written.
//
//   if (const auto why = writeAll(fd, bytes); !why.empty()) { ...report the file and why... }

// Every byte to the open descriptor, through partial and interrupted writes. Gives why it failed,
// in the system's words ("No space left on device"), or an empty text when every byte went.
[[nodiscard]] std::string writeAll(int fd, std::string_view bytes);

// Makes `file` or empties it, writes every byte and closes it: a file system may report a failed
// write only at the close. False when any of it failed.
[[nodiscard]] bool writeWholeFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace rafta::sim
