#include "sim/files/RegularFile.h"

#include <cerrno>
#include <cstdint>
#include <system_error>

#if defined(_WIN32)
#include <array>
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#endif

namespace rafta::sim {
namespace {

using Status = FileContents::Status;

constexpr std::size_t kChunk = std::size_t{64} * 1024;

FileContents refused(Status status, std::string why) { return {status, {}, std::move(why)}; }

FileContents tooLarge(std::size_t limit) {
  return refused(Status::TooLarge, "holds more than " + sizeText(limit));
}

FileContents notRegular(const std::string& kind) {
  return refused(Status::NotRegular, "is " + kind + ", not a regular file");
}

#if defined(_WIN32)

std::string kindOf(std::filesystem::file_type type) {
  switch (type) {
    case std::filesystem::file_type::directory:
      return "a directory";
    case std::filesystem::file_type::character:
      return "a character device";
    case std::filesystem::file_type::block:
      return "a block device";
    case std::filesystem::file_type::fifo:
      return "a FIFO";
    case std::filesystem::file_type::socket:
      return "a socket";
    default:
      return "something else";
  }
}

#else

std::string kindOf(mode_t mode) {
  if (S_ISDIR(mode)) {
    return "a directory";
  }
  if (S_ISCHR(mode)) {
    return "a character device";
  }
  if (S_ISBLK(mode)) {
    return "a block device";
  }
  if (S_ISFIFO(mode)) {
    return "a FIFO";
  }
  if (S_ISSOCK(mode)) {
    return "a socket";
  }
  return "something else";
}

FileContents failure(int error) {
  // A file where a folder should be: the file cannot exist, so there is nothing to lose.
  if (error == ENOENT || error == ENOTDIR) {
    return refused(Status::Missing, std::generic_category().message(error));
  }
  return refused(Status::Failed, std::generic_category().message(error));
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  [[nodiscard]] int get() const { return fd_; }

 private:
  int fd_;
};

#endif

}  // namespace

std::string sizeText(std::size_t bytes) {
  constexpr std::size_t kKiB = 1024;
  if (bytes >= kKiB * kKiB && bytes % (kKiB * kKiB) == 0) {
    return std::to_string(bytes / (kKiB * kKiB)) + " MiB";
  }
  if (bytes >= kKiB && bytes % kKiB == 0) {
    return std::to_string(bytes / kKiB) + " KiB";
  }
  return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

#if defined(_WIN32)

FileContents readRegularFile(const std::filesystem::path& file, std::size_t limit) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return refused(Status::Missing, "No such file or directory");
  }
  if (error) {
    return refused(Status::Failed, error.message());
  }
  if (!std::filesystem::is_regular_file(status)) {
    return notRegular(kindOf(status.type()));
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    return refused(Status::Failed, std::generic_category().message(errno));
  }
  FileContents result;
  std::array<char, kChunk> buffer{};
  while (in) {
    in.read(buffer.data(), buffer.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    if (result.bytes.size() + got > limit) {
      return tooLarge(limit);
    }
    result.bytes.append(buffer.data(), got);
  }
  if (in.bad()) {
    return refused(Status::Failed, "read error");
  }
  return result;
}

#else

FileContents readRegularFile(const std::filesystem::path& file, std::size_t limit) {
  struct stat info {};
  // Looked at before opening: opening a device may do something, and a FIFO waits for a writer.
  if (::stat(file.c_str(), &info) != 0) {
    return failure(errno);
  }
  if (!S_ISREG(info.st_mode)) {
    return notRegular(kindOf(info.st_mode));
  }
  // Should the path have become a FIFO since, the open must not wait for a writer either.
  const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) {
    return failure(errno);
  }
  if (::fstat(fd.get(), &info) != 0) {
    return failure(errno);
  }
  if (!S_ISREG(info.st_mode)) {
    return notRegular(kindOf(info.st_mode));
  }
  if (static_cast<std::uintmax_t>(info.st_size) > limit) {
    return tooLarge(limit);
  }
  FileContents result;
  result.bytes.reserve(static_cast<std::size_t>(info.st_size));
  // Files under /proc report no size: their end is where reading stops.
  std::array<char, kChunk> buffer{};
  while (true) {
    const auto got = ::read(fd.get(), buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return refused(Status::Failed, std::generic_category().message(errno));
    }
    if (got == 0) {
      return result;
    }
    if (result.bytes.size() + static_cast<std::size_t>(got) > limit) {
      return tooLarge(limit);
    }
    result.bytes.append(buffer.data(), static_cast<std::size_t>(got));
  }
}

#endif

}  // namespace rafta::sim
