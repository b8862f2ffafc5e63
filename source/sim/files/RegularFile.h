#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace rafta::sim {

// What reading a file the user named gave.
struct FileContents {
  enum class Status { Read, Missing, NotRegular, TooLarge, Failed };
  Status status = Status::Read;
  std::string bytes;
  // Why it was not read, in words that follow the file's name: "is a directory, not a regular
  // file", "holds more than 16 MiB", "Permission denied". Empty when read.
  std::string why;
};

// Reads a regular file of at most `limit` bytes. Anything else (a folder, a device, a FIFO, a
// socket) is refused without being read, and a FIFO without hanging; a missing file (or a path
// through a file where a folder should be) is Missing.
[[nodiscard]] FileContents readRegularFile(const std::filesystem::path& file, std::size_t limit);

// "16 MiB", "512 KiB", "100 bytes".
[[nodiscard]] std::string sizeText(std::size_t bytes);

}  // namespace rafta::sim
